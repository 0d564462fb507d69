#include "editors/lists/csplitlistframe.h"

#include "editors/lists/entryframecommands.h"
#include "editors/lists/entrylistrules.h"
#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/picturebar.h"

#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

namespace {

constexpr int kToolTipLength = 80;

// Restores the cursor however the transfer ends.
class WaitCursor final {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CSplitListFrame::CSplitListFrame(const HostFrameContext& context, QWidget* parent)
    : QMainWindow(parent), m_doc(context.doc), m_splitter(new QSplitter(Qt::Horizontal, this)) {
  setWindowFlags(Qt::Widget);
  EntryFrameCommands::PlaceSwitchBar(this, CreateEditorBar());
  setCentralWidget(m_splitter);
  m_splitter->setChildrenCollapsible(false);
  statusBar()->setSizeGripEnabled(false);
}

CSplitListFrame::~CSplitListFrame() = default;

QString CSplitListFrame::ToolTipOf(const QString& text) {
  const int lineBreak = text.indexOf(QLatin1Char('\n'));
  const QString tip = lineBreak >= 0 ? text.mid(lineBreak + 1) : text;
  return tip.left(kToolTipLength);
}

QAction* CSplitListFrame::AddCommand(QToolBar* bar, uint32_t id, const QString& text) {
  const int lineBreak = text.indexOf(QLatin1Char('\n'));
  QAction* action = bar->addAction(lineBreak >= 0 ? text.left(lineBreak) : text);
  action->setToolTip(ToolTipOf(text));
  PictureBar::SetPicture(action, id);
  connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
  m_actions[id] = action;
  return action;
}

QToolBar* CSplitListFrame::CreateEditorBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("editorBar"));
  PictureBar::Decorate(bar);
  for (uint32_t id : EntryListRules::EditorSwitchCommands()) {
    AddCommand(bar, id, EntryFrameCommands::SwitchText(id));
  }
  return bar;
}

QToolBar* CSplitListFrame::CreateCommandBar(const std::vector<uint32_t>& ids) {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("listBar"));
  PictureBar::Decorate(bar);
  for (uint32_t id : ids) {
    if (id == 0) {
      bar->addSeparator();
    } else {
      AddCommand(bar, id, LoadString(id));
    }
  }
  addToolBar(Qt::TopToolBarArea, bar);
  return bar;
}

void CSplitListFrame::EnableWithLink(const std::vector<uint32_t>& ids) {
  const bool online = IsOnline();
  for (uint32_t id : ids) {
    if (QAction* action = Action(id)) action->setEnabled(online);
  }
}

void CSplitListFrame::RunTransfer(const std::function<void()>& transfer) {
  WaitCursor wait;
  transfer();
  ShowProgress(0, 0);
}

QAction* CSplitListFrame::Action(uint32_t id) const {
  const auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

bool CSplitListFrame::OnCommand(uint32_t id) { return RouteEntryFrameCommand(id); }

bool CSplitListFrame::RouteEntryFrameCommand(uint32_t id) { return EntryFrameCommands::Route(this, nullptr, id); }

QProgressBar* CSplitListFrame::Progress() const { return m_progress.data(); }

void CSplitListFrame::ShowProgress(int done, int total) {
  if (total <= 0) {
    delete m_progress.data();
    return;
  }
  if (!m_progress) {
    m_progress = new QProgressBar(statusBar());
    statusBar()->addWidget(m_progress, 1);
    m_progress->show();
  }
  m_progress->setRange(0, total);
  m_progress->setValue(std::min(done, total));
}
