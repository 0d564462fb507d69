#include "online/cserviceframe.h"

#include "editors/lists/entryframecommands.h"
#include "editors/lists/entrylistrules.h"
#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/picturebar.h"

#include <QAction>
#include <QStatusBar>
#include <QToolBar>

CServiceFrame::CServiceFrame(const HostFrameContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context) {
  // A main window makes itself a top-level window; the frame lives inside
  // the editor host.
  setWindowFlags(Qt::Widget);
}

CServiceFrame::~CServiceFrame() = default;

QToolBar* CServiceFrame::MakeBar(const QString& name, const std::vector<uint32_t>& commands) {
  auto* bar = new QToolBar(this);
  bar->setObjectName(name);
  // Pictures with tool tips on the tiled background of the program's bars.
  PictureBar::Decorate(bar);
  for (uint32_t id : commands) {
    const QString text = EntryFrameCommands::SwitchText(id);
    // A status text and a tool tip share one string, split at a line break.
    const int br = text.indexOf(QLatin1Char('\n'));
    QAction* action = bar->addAction(br < 0 ? text : text.left(br));
    action->setObjectName(Fmt("command%u", id));
    action->setToolTip(br < 0 ? text : text.mid(br + 1));
    PictureBar::SetPicture(action, id);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_actions[id] = action;
  }
  addToolBar(Qt::TopToolBarArea, bar);
  return bar;
}

void CServiceFrame::CreateBars(int ownBarId, const std::vector<uint32_t>& commands,
                               const std::vector<uint32_t>& onlineOnly) {
  m_switchBar = MakeBar(QStringLiteral("editorBar"), EntryListRules::EditorSwitchCommands());
  EntryFrameCommands::PlaceSwitchBar(this, m_switchBar);
  if (ownBarId != 0) m_ownBar = MakeBar(Fmt("toolBar%d", ownBarId), commands);
  statusBar()->setObjectName(QStringLiteral("statusBar"));
  statusBar()->setSizeGripEnabled(false);
  // The transfer buttons keep the link state of this moment.
  const bool online = IsOnline();
  for (uint32_t id : onlineOnly) {
    if (QAction* action = Action(id)) action->setEnabled(online);
  }
}

void CServiceFrame::SetForm(QWidget* form) {
  form->setObjectName(QStringLiteral("view"));
  setCentralWidget(form);
}

QAction* CServiceFrame::Action(uint32_t command) const {
  const auto it = m_actions.find(command);
  return it == m_actions.end() ? nullptr : it->second;
}

bool CServiceFrame::OnCommand(uint32_t command) { return RouteEntryFrameCommand(command); }

bool CServiceFrame::RouteEntryFrameCommand(uint32_t command) {
  return RouteEntryFrameCommand(this, m_context, command);
}

bool CServiceFrame::RouteEntryFrameCommand(QWidget* frame, const HostFrameContext& context, uint32_t command) {
  return EntryFrameCommands::Route(frame, context.host, command);
}
