#include "editors/lists/csplitlistframe.h"

#include "editors/lists/entryframecommands.h"
#include "editors/lists/entrylistrules.h"
#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/cframetransfer.h"
#include "shell/controls/picturebar.h"

#include <QAction>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>

CSplitListFrame::CSplitListFrame(const HostFrameContext& context, QWidget* parent)
    : QMainWindow(parent),
      m_doc(context.doc),
      m_splitter(new QSplitter(Qt::Horizontal, this)),
      m_bars(this, [this](uint32_t id) { Dispatch(id); }) {
  m_bars.AddSwitchBar(QStringLiteral("editorBar"), FrameBars::EditorSwitchButtons());
  setCentralWidget(m_splitter);
  m_splitter->setChildrenCollapsible(false);
  statusBar()->setSizeGripEnabled(false);
}

CSplitListFrame::~CSplitListFrame() = default;

QToolBar* CSplitListFrame::CreateCommandBar(const std::vector<uint32_t>& ids) {
  return m_bars.AddBar(QStringLiteral("listBar"), FrameBars::ButtonsOf(ids));
}

void CSplitListFrame::EnableWithLink(const std::vector<uint32_t>& ids) { m_bars.Enable(ids, IsOnline()); }

bool CSplitListFrame::RunTransfer(uint32_t other, const std::function<void()>& transfer) {
  if (CFrameTransfer::Refuses()) return false;
  CFrameTransfer running(this, {Action(other)});
  {
    FrameBars::WaitCursor wait;
    transfer();
  }
  if (!running.FrameAlive()) return false;
  ShowProgress(0, 0);
  return true;
}

void CSplitListFrame::Dispatch(uint32_t id) {
  const bool entryCommand = std::find(m_entryCommands.begin(), m_entryCommands.end(), id) != m_entryCommands.end();
  if (entryCommand && CFrameHostDialog::RefusesWhileLineInUse(this)) return;
  OnCommand(id);
}

bool CSplitListFrame::OnCommand(uint32_t id) { return RouteEntryFrameCommand(id); }

bool CSplitListFrame::RouteEntryFrameCommand(uint32_t id) { return EntryFrameCommands::Route(this, nullptr, id); }
