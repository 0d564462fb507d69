#include "online/cserviceframe.h"

#include "editors/lists/entryframecommands.h"
#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "online/clinestatebar.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"

#include <QStatusBar>
#include <QToolBar>

CServiceFrame::CServiceFrame(const HostFrameContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_bars(this, [this](uint32_t id) { OnCommand(id); }) {}

CServiceFrame::~CServiceFrame() = default;

void CServiceFrame::CreateBars(int ownBarId, const std::vector<uint32_t>& commands,
                               const std::vector<uint32_t>& onlineOnly) {
  m_switchBar = m_bars.AddSwitchBar(QStringLiteral("editorBar"), FrameBars::EditorSwitchButtons());
  if (ownBarId != 0) m_ownBar = m_bars.AddBar(Fmt("toolBar%d", ownBarId), FrameBars::ButtonsOf(commands));
  statusBar()->setObjectName(QStringLiteral("statusBar"));
  statusBar()->setSizeGripEnabled(false);
  // The transfer buttons follow the connection.
  m_bars.Enable(onlineOnly, IsOnline());
  m_lineBar = new CLineStateBar(GetDocument(), this);
  setMenuWidget(m_lineBar);
  connect(m_lineBar, &CLineStateBar::lineChanged, this,
          [this, onlineOnly](bool online) { m_bars.Enable(onlineOnly, online); });
}

void CServiceFrame::SetForm(QWidget* form) {
  form->setObjectName(QStringLiteral("view"));
  setCentralWidget(form);
  if (m_lineBar) m_lineBar->AddContent(form);
}

bool CServiceFrame::OnCommand(uint32_t command) { return RouteEntryFrameCommand(command); }

bool CServiceFrame::RouteEntryFrameCommand(uint32_t command) {
  return RouteEntryFrameCommand(this, m_context, command);
}

bool CServiceFrame::RouteEntryFrameCommand(QWidget* frame, const HostFrameContext& context, uint32_t command) {
  return EntryFrameCommands::Route(frame, context.host, command);
}
