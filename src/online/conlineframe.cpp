#include "online/conlineframe.h"

#include "editors/lists/entryframecommands.h"
#include "editors/lists/entrylistrules.h"
#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "online/clinestatebar.h"
#include "online/conlineview.h"
#include "online/cserviceframe.h"
#include "shell/cbitmapmanager.h"
#include "shell/ccontrolbarbackground.h"
#include "shell/ciconfactory.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/cunitsavecommand.h"

#include <QAction>
#include <QApplication>
#include <QStatusBar>
#include <QToolBar>

namespace {

const std::vector<COnlineFrame::BarButton>& SwitchBarButtons() {
  // The pilot-tone window has no other way in than this bar.
  static const std::vector<COnlineFrame::BarButton> buttons = {
      {COnlineCommandRoute::kFuseProperties, nullptr},
      {COnlineCommandRoute::kPilotTone, nullptr},
      {COnlineCommandRoute::kPowerManagement, nullptr},
      {COnlineCommandRoute::kMessageRecorder, nullptr},
      {COnlineCommandRoute::kEventLogger, nullptr},
      {COnlineCommandRoute::kLineTest, nullptr},
      {0, nullptr},
      {COnlineCommandRoute::kSaveVmxSettings, "savevmx"},
      {0, nullptr},
      {COnlineCommandRoute::kFileSave, "save"},
  };
  return buttons;
}

CMainFrame* FindMainFrame() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* main = qobject_cast<CMainFrame*>(w)) return main;
  }
  return nullptr;
}

}  // namespace

COnlineFrame::COnlineFrame(const HostFrameContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context), m_bars(this, [this](uint32_t command) { OnCommand(command); }) {
  setObjectName(QStringLiteral("onlineFrame"));
}

COnlineFrame::~COnlineFrame() {
  // The view first: it resets the link while the frame is still whole.
  delete m_view;
  m_view = nullptr;
}

bool COnlineFrame::Create() {
  m_switchBar = m_bars.AddSwitchBar(Fmt("toolBar%d", SwitchBarId()), SwitchBarId() == CServiceFrame::kSwitchBarId
                                                                         ? FrameBars::EditorSwitchButtons()
                                                                         : SwitchBarButtons());
  m_ownBar = m_bars.AddBar(Fmt("toolBar%d", OwnBarId()), OwnBarButtons());
  // The status bar shows what a button does while the pointer rests on it.
  for (QToolBar* bar : {m_switchBar, m_ownBar}) {
    for (QAction* action : bar->actions()) {
      if (!action->isSeparator()) action->setStatusTip(action->text());
    }
  }
  statusBar()->setObjectName(QStringLiteral("statusBar"));

  // The buttons that ask the unit follow the connection.
  m_bars.Enable(OnlineOnlyCommands(), IsOnline());
  m_lineBar = new CLineStateBar(GetDocument(), this);
  setMenuWidget(m_lineBar);
  connect(m_lineBar, &CLineStateBar::lineChanged, this, [this](bool online) {
    m_bars.Enable(OnlineOnlyCommands(), online);
    OnLineChanged(online);
  });

  m_view = CreateView();
  if (!m_view) return false;
  m_view->setObjectName(QStringLiteral("view"));
  setCentralWidget(m_view);
  m_lineBar->AddContent(m_view);
  m_view->OnInitialUpdate();
  return true;
}

bool COnlineFrame::OnCommand(uint32_t command) {
  if (SwitchBarId() == CServiceFrame::kSwitchBarId)
    return CServiceFrame::RouteEntryFrameCommand(this, m_context, command);
  return RouteOnlineFrameCommand(command);
}

bool COnlineFrame::RouteOnlineFrameCommand(uint32_t command) {
  switch (COnlineCommandRoute::Decide(command, GetDocument(), IsOnline())) {
    case COnlineCommandRoute::Action::Forward: {
      setFocus(Qt::OtherFocusReason);
      // The host replaces this frame once this call has returned.
      CFrameHostDialog* host = m_context.host ? m_context.host : CFrameHostDialog::HostOf(this);
      if (host) host->PostSwitchCommand(command);
      return true;
    }
    case COnlineCommandRoute::Action::Refuse: return true;
    case COnlineCommandRoute::Action::SaveVmxSettings: CUnitSaveCommand::Run(this); return true;
    case COnlineCommandRoute::Action::SaveDocument:
      if (CMainFrame* main = FindMainFrame()) return main->OnCommand(static_cast<int>(command));
      return false;
    case COnlineCommandRoute::Action::Default: break;
  }
  return false;
}
