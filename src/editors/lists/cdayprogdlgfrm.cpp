#include "editors/lists/cdayprogdlgfrm.h"

#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/cdayprogdlgentryview.h"
#include "editors/lists/cdayprogdlglistview.h"
#include "model/cstringtable.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/picturebar.h"

#include <QAction>
#include <QSplitter>
#include <QToolBar>

CDayprogDlgFrm::CDayprogDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CEntryListFrame(context, calendarlists::kDayprog, parent),
      m_listView(new CDayprogDlgListView(context.doc, this)),
      m_entryView(new CDayprogDlgEntryView(
          context.doc, [this] { return GetCurrentDayprog(); }, this)),
      m_splitter(new QSplitter(Qt::Horizontal, this)) {
  // The entry buttons follow New and Delete of the day programs.
  if (auto* bar = findChild<QToolBar*>(QStringLiteral("listBar"))) {
    QAction* before = Action(calendarlists::kDayprog.deleteCommand);
    const QList<QAction*> actions = bar->actions();
    const int at = static_cast<int>(actions.indexOf(before));
    QAction* insertBefore = at >= 0 && at + 1 < actions.size() ? actions.at(at + 1) : nullptr;
    for (uint32_t id : {calendarlists::kNewDayprogEntry, calendarlists::kDeleteDayprogEntry}) {
      auto* action = new QAction(LoadString(id), bar);
      action->setToolTip(LoadString(id));
      action->setObjectName(QStringLiteral("command%1").arg(id));
      PictureBar::SetPicture(action, id);
      connect(action, &QAction::triggered, this, [this, id] { OnFrameCommand(id); });
      bar->insertAction(insertBefore, action);
    }
  }
  m_listView->SetCurrentChangedHandler([this] { RefreshEntries(); });
  m_entryView->SetDeleteKeyHandler([this] { OnFrameCommand(calendarlists::kDeleteDayprogEntry); });
  // At the limit New says why nothing is made, rather than greying out;
  // Delete with no day program left deletes nothing.
  KeepNewEnabled();
  KeepDeleteEnabled();
  SetView(m_listView);
  // Unlike most lists, the day programs' transfer buttons are kept up to
  // date with the link.
  FollowLinkWithTransfers();
  // The list view goes into the left pane of the splitter, which replaces it
  // as the frame's central widget.
  takeCentralWidget();
  m_splitter->setChildrenCollapsible(false);
  m_splitter->addWidget(m_listView);
  m_splitter->addWidget(m_entryView);
  m_splitter->setStretchFactor(1, 1);
  m_splitter->setSizes({kListPaneWidth, kListPaneWidth});
  setCentralWidget(m_splitter);
}

CDayprog* CDayprogDlgFrm::GetCurrentDayprog() const { return m_listView->GetCurrentDayprog(); }

void CDayprogDlgFrm::RefreshLists() { m_listView->FillList(); }

void CDayprogDlgFrm::RefreshEntries() { m_entryView->FillList(); }

bool CDayprogDlgFrm::OnFrameCommand(uint32_t id) {
  const bool entryCommand = id == calendarlists::kNewDayprogEntry || id == calendarlists::kDeleteDayprogEntry;
  // A transfer may still use the day program's entries.
  if (entryCommand && CFrameHostDialog::RefusesWhileLineInUse(this)) return true;
  if (id == calendarlists::kNewDayprogEntry) {
    m_entryView->NewEntry();
    RefreshLists();
    return true;
  }
  if (id == calendarlists::kDeleteDayprogEntry) {
    m_entryView->DeleteEntry();
    RefreshLists();
    return true;
  }
  return OnCommand(id);
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::DayPrograms, CDayprogDlgFrm)
