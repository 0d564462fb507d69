#include "shell/controls/ctextfitguard.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionHeader>

#include <algorithm>

namespace {
// What a window manager's title bar takes beside the text: the window's
// icon and its three buttons, with some room.
constexpr int kTitleBarExtra = 160;
const char kWatchedProperty[] = "selvTextFitWatched";

bool Fits(const QHeaderView& header, int logical) {
  if (header.isSectionHidden(logical)) return true;
  const QHeaderView::ResizeMode mode = header.sectionResizeMode(logical);
  if (mode == QHeaderView::Stretch || mode == QHeaderView::ResizeToContents) return true;
  // The last section may stretch over the rest of the list.
  if (header.stretchLastSection() && header.visualIndex(logical) == header.count() - 1) return true;
  return header.sectionSize(logical) >= CTextFitGuard::HeaderTextWidth(header, logical);
}
}  // namespace

CTextFitGuard::CTextFitGuard(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("TextFitGuard")); }

void CTextFitGuard::Install() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || app->findChild<CTextFitGuard*>(QStringLiteral("TextFitGuard"), Qt::FindDirectChildrenOnly)) return;
  app->installEventFilter(new CTextFitGuard(app));
}

int CTextFitGuard::HeaderTextWidth(const QHeaderView& header, int logical) {
  const QAbstractItemModel* model = header.model();
  if (!model) return 0;
  QStyleOptionHeader option;
  option.initFrom(&header);
  option.orientation = header.orientation();
  option.section = logical;
  option.text = model->headerData(logical, header.orientation(), Qt::DisplayRole).toString();
  const QVariant font = model->headerData(logical, header.orientation(), Qt::FontRole);
  QFont shown = font.canConvert<QFont>() ? font.value<QFont>() : header.font();
  // Styles draw the header of the sorted column in bold.
  if (header.isSortIndicatorShown()) shown.setBold(true);
  option.fontMetrics = QFontMetrics(shown);
  const QVariant decoration = model->headerData(logical, header.orientation(), Qt::DecorationRole);
  option.icon = decoration.value<QIcon>();
  if (header.isSortIndicatorShown()) option.sortIndicator = QStyleOptionHeader::SortDown;
  const QSize size = header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &header);
  // Room for the text itself, whatever the style reckons.
  const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, &option, &header);
  return std::max(size.width(), option.fontMetrics.horizontalAdvance(option.text) + 2 * margin + 2);
}

void CTextFitGuard::FitHeader(QHeaderView& header) {
  if (header.orientation() != Qt::Horizontal || !header.model()) return;
  for (int logical = 0; logical < header.count(); ++logical)
    if (!Fits(header, logical)) header.resizeSection(logical, HeaderTextWidth(header, logical));
}

int CTextFitGuard::TitleWidth(const QWidget& window) {
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  font.setBold(true);
  QString title = window.windowTitle();
  title.remove(QStringLiteral("[*]"));
  const QString program = QGuiApplication::applicationDisplayName();
  if (!program.isEmpty() && !title.contains(program)) title += QStringLiteral(" \u2014 ") + program;
  return QFontMetrics(font).horizontalAdvance(title) + kTitleBarExtra;
}

void CTextFitGuard::FitTitle(QWidget& window) {
  if (!window.isWindow() || window.windowTitle().isEmpty()) return;
  int wanted = std::min(TitleWidth(window), window.maximumWidth());
  if (const QScreen* screen = window.screen()) wanted = std::min(wanted, screen->availableGeometry().width());
  if (window.width() < wanted) window.resize(wanted, window.height());
}

void CTextFitGuard::Watch(QHeaderView& header) {
  if (header.property(kWatchedProperty).toBool()) return;
  header.setProperty(kWatchedProperty, true);
  QHeaderView* watched = &header;
  connect(watched, &QHeaderView::sectionResized, this, [watched](int logical, int, int) {
    if (!Fits(*watched, logical)) watched->resizeSection(logical, HeaderTextWidth(*watched, logical));
  });
  // New texts (a language switch) or new columns.
  connect(watched, &QHeaderView::sectionCountChanged, this, [watched]() { FitHeader(*watched); });
  if (QAbstractItemModel* model = watched->model())
    connect(model, &QAbstractItemModel::headerDataChanged, watched, [watched]() { FitHeader(*watched); });
}

bool CTextFitGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    if (auto* header = qobject_cast<QHeaderView*>(watched)) {
      if (header->orientation() == Qt::Horizontal) {
        Watch(*header);
        FitHeader(*header);
      }
    } else if (auto* dialog = qobject_cast<QDialog*>(watched)) {
      FitTitle(*dialog);
    }
  }
  return QObject::eventFilter(watched, event);
}
