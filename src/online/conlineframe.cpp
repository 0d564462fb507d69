#include "online/conlineframe.h"

#include "editors/lists/entryframecommands.h"
#include "editors/lists/entrylistrules.h"
#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "online/conlineview.h"
#include "online/cserviceframe.h"
#include "shell/cbitmapmanager.h"
#include "shell/ccontrolbarbackground.h"
#include "shell/ciconfactory.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/picturebar.h"

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

// A command's text: the status text before a line break, the tool tip
// after it (or the same text when there is none).
void SetTexts(QAction* action, uint32_t command) {
  const QString text = EntryFrameCommands::SwitchText(command);
  const int br = text.indexOf(QLatin1Char('\n'));
  const QString status = br < 0 ? text : text.left(br);
  const QString tip = br < 0 ? text : text.mid(br + 1);
  action->setText(status);
  action->setStatusTip(status);
  action->setToolTip(tip);
}

}  // namespace

COnlineFrame::COnlineFrame(const HostFrameContext& context, QWidget* parent) : QMainWindow(parent), m_context(context) {
  // A main window makes itself a top-level window; the frame lives inside
  // the editor host.
  setWindowFlags(Qt::Widget);
  setObjectName(QStringLiteral("onlineFrame"));
}

COnlineFrame::~COnlineFrame() {
  // The view first: it resets the link while the frame is still whole.
  delete m_view;
  m_view = nullptr;
}

QToolBar* COnlineFrame::MakeBar(int resourceId, const std::vector<BarButton>& buttons) {
  auto* bar = new QToolBar(this);
  bar->setObjectName(Fmt("toolBar%d", resourceId));
  bar->setMovable(true);
  bar->setAllowedAreas(Qt::AllToolBarAreas);
  for (const BarButton& button : buttons) {
    if (button.command == 0) {
      bar->addSeparator();
      continue;
    }
    auto* action = new QAction(this);
    action->setObjectName(Fmt("command%u", button.command));
    PictureBar::SetPicture(action, button.command, button.icon);
    SetTexts(action, button.command);
    const uint32_t command = button.command;
    connect(action, &QAction::triggered, this, [this, command] { OnCommand(command); });
    bar->addAction(action);
    m_actions[command] = action;
  }
  addToolBar(Qt::TopToolBarArea, bar);
  return bar;
}

bool COnlineFrame::Create() {
  if (SwitchBarId() == CServiceFrame::kSwitchBarId) {
    std::vector<BarButton> editors;
    for (uint32_t command : EntryListRules::EditorSwitchCommands()) editors.push_back({command, nullptr});
    m_switchBar = MakeBar(SwitchBarId(), editors);
  } else {
    m_switchBar = MakeBar(SwitchBarId(), SwitchBarButtons());
  }
  EntryFrameCommands::PlaceSwitchBar(this, m_switchBar);
  m_ownBar = MakeBar(OwnBarId(), OwnBarButtons());
  statusBar()->setObjectName(QStringLiteral("statusBar"));

  // The transfer buttons follow the connection as it is now; the window is
  // opened again to follow a later change.
  const bool online = IsOnline();
  for (uint32_t command : OnlineOnlyCommands()) {
    if (QAction* action = Action(command)) action->setEnabled(online);
  }

  // Bars of pictures with tool tips on the tiled background of the program's bars.
  PictureBar::Decorate(m_switchBar);
  PictureBar::Decorate(m_ownBar);

  m_view = CreateView();
  if (!m_view) return false;
  m_view->setObjectName(QStringLiteral("view"));
  setCentralWidget(m_view);
  m_view->OnInitialUpdate();
  return true;
}

QAction* COnlineFrame::Action(uint32_t command) const {
  const auto it = m_actions.find(command);
  return it == m_actions.end() ? nullptr : it->second;
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
    case COnlineCommandRoute::Action::SaveVmxSettings: GetDeviceLink()->OnSaveVmxSettings(); return true;
    case COnlineCommandRoute::Action::SaveDocument:
      if (CMainFrame* main = FindMainFrame()) return main->OnCommand(static_cast<int>(command));
      return false;
    case COnlineCommandRoute::Action::Default: break;
  }
  return false;
}
