#include "shell/controls/cframehostdialog.h"

#include "link/ctransfernotifier.h"
#include "model/cstringtable.h"
#include "shell/controls/cclosewhilelineinuse.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QMetaObject>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <algorithm>

namespace {

// Stands in for an editor whose frame is not part of this build.
QWidget* MakePlaceholderFrame(const QString& title, QWidget* parent) {
  auto* frame = new QLabel(parent);
  frame->setObjectName(QStringLiteral("placeholderFrame"));
  frame->setAlignment(Qt::AlignCenter);
  frame->setText(title.isEmpty() ? QObject::tr("This editor is not available.")
                                 : QObject::tr("%1: this editor is not available.").arg(title));
  return frame;
}

// A word in the status bar of the frame that holds widget (or is it).
void ShowInStatusBar(QWidget* widget, const QString& text) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (auto* frame = qobject_cast<QMainWindow*>(w)) {
      frame->statusBar()->showMessage(text, 8000);
      return;
    }
  }
}

// Room the window manager takes above and around the host (title bar,
// borders), kept free when the host opens.
constexpr int kWindowDecoration = 48;

// The height one row of view takes, also while it has no rows yet.
int RowHeight(const QAbstractItemView& view) {
  if (view.model() && view.model()->rowCount() > 0) {
    const int row = view.sizeHintForRow(0);
    if (row > 0) return row;
  }
  return std::max(view.fontMetrics().height(), view.iconSize().height()) + 4;
}

// The largest list of frame: the one whose rows the host makes room for.
QAbstractItemView* MainList(QWidget* frame) {
  QAbstractItemView* best = nullptr;
  for (QAbstractItemView* view : frame->findChildren<QAbstractItemView*>()) {
    // Headers and the pop-up lists of combo boxes are no lists of the frame.
    if (view->inherits("QHeaderView") || !view->isVisibleTo(frame)) continue;
    if (!best || view->sizeHint().width() > best->sizeHint().width()) best = view;
  }
  return best;
}

}  // namespace

CFrameHostDialog::CFrameHostDialog(CSelvantisDoc* doc, HostFrameKind kind, QWidget* parent,
                                   const CHostFrameRegistry& frames)
    : CResizableDialog(kTemplateId, parent),
      m_doc(doc),
      m_kind(kind),
      m_frames(frames),
      m_layout(new QHBoxLayout(this)),
      m_lineUse(new CCloseWhileLineInUse(*this, CCloseWhileLineInUse::StopQuestionText(), [this] { reject(); })) {
  SetRectStore(DialogRectStore(QStringLiteral("Settings"), QStringLiteral("DlgSize")));
  m_layout->setContentsMargins(0, 0, 0, 0);
  m_layout->setSpacing(0);
  setSizeGripEnabled(true);
  connect(m_lineUse, &CCloseWhileLineInUse::refused, this, &CFrameHostDialog::ShowStatus);
  connect(&CTransferNotifier::Instance(), &CTransferNotifier::lineUseChanged, this,
          &CFrameHostDialog::OnLineUseChanged);
}

CFrameHostDialog::~CFrameHostDialog() {
  // The frame goes first: its destructor may still ask the host for the
  // document, or use its switch bar.
  delete m_frame.data();
  delete m_switchColumn.data();
}

QToolBar* CFrameHostDialog::GetSwitchColumn() const { return m_switchColumn.data(); }

bool CFrameHostDialog::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip && m_frame) return QCoreApplication::sendEvent(m_frame, event);
  return CResizableDialog::event(event);
}

void CFrameHostDialog::TakeSwitchColumn(QWidget* frame) {
  auto* window = qobject_cast<QMainWindow*>(frame);
  if (!window) return;
  for (QToolBar* bar : window->findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (!bar->property(kSwitchColumnProperty).toBool()) continue;
    // Out of the frame's own bars, which would put it below its top bar.
    window->removeToolBar(bar);
    bar->setParent(this);
    bar->setMovable(false);
    bar->setOrientation(Qt::Vertical);
    m_layout->insertWidget(0, bar);
    bar->setEnabled(!IsLineInUse());
    bar->show();
    m_switchColumn = bar;
    return;
  }
}

bool CFrameHostDialog::OnInitDialog() {
  if (!ShowFrame(m_kind)) {
    // An invalid kind still opens the host, with a placeholder, rather than
    // failing silently.
    m_placeholder = true;
    m_frame = MakePlaceholderFrame(QString(), this);
    m_layout->addWidget(m_frame);
  }
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!GetRectStore().Load() && screen) resize(OpeningSizeOn(screen->availableGeometry()));
  const bool done = CResizableDialog::OnInitDialog();
  // Every kind shares the one rectangle: a list opened after the user made
  // a small form smaller still shows its whole switch column.
  if (m_switchColumn && screen) {
    const int height = TallEnoughFor(this->height(), m_switchColumn->sizeHint().height(), screen->availableGeometry());
    if (height != this->height()) {
      QRect grown = geometry();
      grown.setHeight(height);
      setGeometry(DialogRectStore::FitToScreen(grown, screen->availableGeometry()));
    }
  }
  return done;
}

int CFrameHostDialog::TallEnoughFor(int height, int columnHint, const QRect& available) {
  return std::max(height, std::min(columnHint, available.height() - kWindowDecoration));
}

QSize CFrameHostDialog::OpeningSize(const QSize& frameHint, int listHint, int listNeed, const QRect& available) {
  const int width = std::max(frameHint.width(), kMinOpeningWidth);
  const int height = std::max(frameHint.height(), frameHint.height() - listHint + listNeed);
  return QSize(std::min(width, available.width()), std::min(height, available.height() - kWindowDecoration));
}

QSize CFrameHostDialog::OpeningSizeOn(const QRect& available) const {
  if (!m_frame) return size();
  int listHint = 0;
  int listNeed = 0;
  if (QAbstractItemView* list = MainList(m_frame)) {
    listHint = list->sizeHint().height();
    // The rows, the frame around them, and a horizontal scroll bar that
    // wide columns may bring.
    listNeed =
        kRowsOnOpening * RowHeight(*list) + 2 * list->frameWidth() + list->horizontalScrollBar()->sizeHint().height();
    if (auto* tree = qobject_cast<QTreeView*>(list); tree && !tree->isHeaderHidden())
      listNeed += tree->header()->sizeHint().height();
  }
  // The switch column stands beside the frame, as tall as the host.
  QSize frameHint = m_frame->sizeHint();
  if (m_switchColumn) {
    frameHint.rwidth() += m_switchColumn->sizeHint().width();
    frameHint.setHeight(std::max(frameHint.height(), m_switchColumn->sizeHint().height()));
  }
  return OpeningSize(frameHint, listHint, listNeed, available);
}

bool CFrameHostDialog::PostSwitchCommand(uint32_t command) {
  if (!FindHostFrameSwitchByCommand(command)) {
    return false;
  }
  QMetaObject::invokeMethod(
      this, [this, command]() { OnSwitchCommand(command); }, Qt::QueuedConnection);
  return true;
}

bool CFrameHostDialog::OnSwitchCommand(uint32_t command) {
  const HostFrameSwitch* entry = FindHostFrameSwitchByCommand(command);
  return entry && ShowFrame(entry->kind);
}

bool CFrameHostDialog::ShowFrame(HostFrameKind kind) {
  if (!IsValidHostFrameKind(static_cast<int>(kind))) {
    return false;
  }
  if (m_frame && IsLineInUse()) {
    // The frame may be the one whose transfer runs: the switch waits.
    m_pendingKind = kind;
    return true;
  }
  m_pendingKind.reset();
  if (QWidget* old = m_frame.data()) {
    m_layout->removeWidget(old);
    delete old;
  }
  delete m_switchColumn.data();
  m_kind = kind;
  const QString title = KindTitle(kind);
  QWidget* frame = m_frames.Create(HostFrameContext{m_doc, this, kind}, this);
  m_placeholder = frame == nullptr;
  if (!frame) {
    frame = MakePlaceholderFrame(title, this);
  }
  m_frame = frame;
  m_layout->addWidget(frame, 1);
  TakeSwitchColumn(frame);
  frame->show();
  frame->setFocus(Qt::OtherFocusReason);
  setWindowTitle(title);
  return true;
}

QMessageBox* CFrameHostDialog::StopQuestion() const { return m_lineUse->Question(); }

void CFrameHostDialog::done(int result) {
  if (!m_lineUse->MayClose()) return;
  CResizableDialog::done(result);
}

void CFrameHostDialog::OnLineUseChanged(LineUse use) {
  if (m_switchColumn) m_switchColumn->setEnabled(use == LineUse::Free);
  if (use != LineUse::Free || !m_pendingKind) return;
  // Once the transfer's call has returned: the frame is its until then.
  QTimer::singleShot(0, this, [this] {
    if (m_pendingKind && !IsLineInUse()) ShowFrame(*m_pendingKind);
  });
}

void CFrameHostDialog::ShowStatus(const QString& text) { ShowInStatusBar(m_frame.data(), text); }

bool CFrameHostDialog::RefusesWhileLineInUse(QWidget* frame) {
  const LineUse use = CurrentLineUse();
  if (use == LineUse::Free) return false;
  ShowInStatusBar(frame, LineUseRefusal(use));
  return true;
}

int CFrameHostDialog::Run(CSelvantisDoc* doc, HostFrameKind kind, QWidget* parent) {
  CFrameHostDialog host(doc, kind, parent);
  return host.DoModal();
}

QString CFrameHostDialog::KindTitle(HostFrameKind kind) {
  const HostFrameSwitch* entry = FindHostFrameSwitchByKind(kind);
  if (!entry) {
    return QString();
  }
  const QString text = LoadString(entry->command);
  return text.isEmpty() ? QString::fromLatin1(entry->title) : text;
}

CFrameHostDialog* CFrameHostDialog::HostOf(QWidget* frame) {
  for (QWidget* w = frame; w; w = w->parentWidget()) {
    if (auto* host = qobject_cast<CFrameHostDialog*>(w)) {
      return host;
    }
  }
  return nullptr;
}
