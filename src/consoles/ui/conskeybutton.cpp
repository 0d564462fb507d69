#include "consoles/ui/conskeybutton.h"

#include "consoles/cconskey.h"
#include "consoles/ui/ckeyviewlogic.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "shell/controls/fittexttowidth.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

#include <memory>

namespace {

constexpr uint32_t kStrKeyView = 34113;  // "Key view"
// The label keeps clear of the key's rounded edge.
constexpr int kLabelMargin = 8;

// The face's colours.
const QColor kFaceBrush(192, 192, 192);
const QColor kEdgeGrey(128, 128, 128);
const QColor kEdgeRed(192, 64, 64);

// The pill of a key: a rectangle whose corners are ellipses half its
// width wide and its full height high.
QPainterPath PillPath(const QRectF& rect) {
  QPainterPath path;
  path.addRoundedRect(rect, rect.width() / 4.0, rect.height() / 2.0);
  return path;
}

QString TextOf(uint32_t id, const char* fallback) {
  const QString text = LoadString(id);
  return text.isEmpty() ? QString::fromLatin1(fallback) : text;
}

}  // namespace

ConsKeyButton::ConsKeyButton(CConsKey* key, QWidget* parent, PictureFn pictureOf)
    : QPushButton(parent), m_pKey(key), m_pictureOf(std::move(pictureOf)) {
  setCheckable(true);
  setFocusPolicy(Qt::NoFocus);
  Refresh();
}

void ConsKeyButton::Refresh() {
  if (m_pKey == nullptr) return;
  const CKeyViewLogic::KeyFace face = CKeyViewLogic::FaceOf(*m_pKey);
  setVisible(face != CKeyViewLogic::KeyFace::Hidden);
  const QString label = m_pKey->GetLabel();
  setText(face == CKeyViewLogic::KeyFace::Label ? FitTextToWidth(fontMetrics(), width() - kLabelMargin, label)
                                                : QString());
  setToolTip(Fmt("%d: ", m_pKey->GetNumber()) + label);
  setChecked(m_pKey->IsSelected());
  update();
}

QMenu* ConsKeyButton::CreateContextMenu() {
  auto* menu = new QMenu(this);
  QAction* properties = menu->addAction(tr("&Properties..."));
  properties->setData(CKeyViewLogic::ID_KEY_PROPERTIES);
  connect(properties, &QAction::triggered, this, [this] { emit openPropsRequested(m_pKey); });
  if (m_pKey == nullptr || !CKeyViewLogic::HasKeyViewMenu(*m_pKey)) return menu;
  menu->addSeparator();
  QMenu* view = menu->addMenu(TextOf(kStrKeyView, "Key view"));
  auto* group = new QActionGroup(view);
  const struct {
    int id;
    const char* fallback;
  } items[] = {{CKeyViewLogic::ID_KEY_ALARM_SWITCH, "&Alarm switch"},
               {CKeyViewLogic::ID_KEY_KEY_SWITCH, "&Key switch"}};
  for (const auto& item : items) {
    QAction* action = view->addAction(TextOf(static_cast<uint32_t>(item.id), item.fallback));
    action->setData(item.id);
    action->setCheckable(true);
    action->setChecked(CKeyViewLogic::CheckedKeyView(*m_pKey) == item.id);
    group->addAction(action);
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, id] {
      if (m_pKey != nullptr && CKeyViewLogic::SetKeyView(*m_pKey, id)) Refresh();
    });
  }
  return menu;
}

bool ConsKeyButton::CountsClickAt(const QPoint& pos) const {
  if (!rect().contains(pos)) return false;
  if (m_pKey == nullptr || !m_pKey->IsInUse()) return true;
  return PillPath(QRectF(rect())).contains(QPointF(pos) + QPointF(0.5, 0.5));
}

bool ConsKeyButton::IsSunken() const {
  return m_pKey != nullptr && m_pKey->IsInUse() && (isDown() || isChecked());
}

bool ConsKeyButton::hitButton(const QPoint& pos) const { return CountsClickAt(pos); }

void ConsKeyButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    // Outside the pill of a key in use a click is nobody's.
    if (!CountsClickAt(event->position().toPoint())) {
      event->accept();
      return;
    }
    emit selectRequested(m_pKey);
    event->accept();
    return;
  }
  QPushButton::mousePressEvent(event);
}

void ConsKeyButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    if (!CountsClickAt(event->position().toPoint())) {
      event->accept();
      return;
    }
    emit doubleClicked(m_pKey);
    event->accept();
    return;
  }
  QPushButton::mouseDoubleClickEvent(event);
}

void ConsKeyButton::contextMenuEvent(QContextMenuEvent* event) {
  // As a click first: with the key dialog open the key becomes its key.
  emit selectRequested(m_pKey);
  const std::unique_ptr<QMenu> menu(CreateContextMenu());
  menu->exec(event->globalPos());
  event->accept();
}

void ConsKeyButton::paintEvent(QPaintEvent* event) {
  const CKeyViewLogic::KeyFace face =
      m_pKey != nullptr ? CKeyViewLogic::FaceOf(*m_pKey) : CKeyViewLogic::KeyFace::Label;
  if (face == CKeyViewLogic::KeyFace::Label) {
    QPainter painter(this);
    PaintFace(painter);
    return;
  }
  if (face != CKeyViewLogic::KeyFace::Picture || !m_pictureOf) return;
  // The picture stands for the whole key, stretched over it.
  const QPixmap picture = m_pictureOf(m_pKey->GetPicture());
  if (picture.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(rect(), picture);
}

void ConsKeyButton::PaintFace(QPainter& painter) const {
  const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const QRectF inner = outer.adjusted(1.0, 1.0, -1.0, -1.0);
  const QPainterPath pill = PillPath(outer);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kFaceBrush);
  painter.drawPath(pill);
  painter.setBrush(Qt::NoBrush);
  // Two triangles, the upper-left and the lower-right half of the key:
  // light above and dark below make the edge raised, the other way round
  // sunken.
  const QRect r = rect();
  const QPolygon upperLeft({r.topLeft(), r.topRight() + QPoint(1, 0), r.bottomLeft() + QPoint(0, 1)});
  const QPolygon lowerRight({r.topRight() + QPoint(1, 0), r.bottomRight() + QPoint(1, 1), r.bottomLeft() + QPoint(0, 1)});
  const bool sunken = IsSunken();
  const auto edge = [&](const QPolygon& half, const QColor& line, const QColor& shade) {
    painter.save();
    painter.setClipRegion(QRegion(half));
    painter.setPen(QPen(line, 1));
    painter.drawPath(pill);
    if (shade.isValid()) {
      painter.setPen(QPen(shade, 1));
      painter.drawPath(PillPath(inner));
    }
    painter.restore();
  };
  edge(upperLeft, sunken ? Qt::black : Qt::white, sunken ? kEdgeGrey : QColor());
  edge(lowerRight, sunken ? Qt::white : Qt::black, sunken ? QColor() : kEdgeGrey);
  // The selected key is ringed in red inside its edge.
  if (isChecked()) {
    painter.setPen(QPen(kEdgeRed, 2));
    painter.drawPath(PillPath(inner.adjusted(1.0, 1.0, -1.0, -1.0)));
  }
  // The short label in the label area, a pressed key's one pixel lower.
  const QFontMetrics metrics = fontMetrics();
  const KeyBox cell{0, 0, r.width(), r.height()};
  const KeyBox area = CKeyViewLogic::LabelArea(cell, metrics.averageCharWidth(), metrics.height());
  QRect label(area.left, area.top, area.Width(), area.Height());
  // A key too low for the area centres its label.
  if (label.top() < 0) label = QRect(area.left, 0, area.Width(), r.height());
  if (sunken) label.translate(1, 1);
  painter.setPen(isEnabled() ? Qt::black : kEdgeGrey);
  painter.drawText(label, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, text());
}

void ConsKeyButton::resizeEvent(QResizeEvent* event) {
  QPushButton::resizeEvent(event);
  // The label is cut to the width.
  Refresh();
}
