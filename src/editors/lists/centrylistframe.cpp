#include "editors/lists/centrylistframe.h"

#include "editors/lists/ceblistview.h"
#include "editors/lists/entryframecommands.h"
#include "editors/lists/entrylistrules.h"
#include "link/idevicelink.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/modelstrings.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/picturebar.h"

#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>

namespace {

// Restores the cursor however the transfer ends.
class WaitCursor final {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The picture of a list bar button by what it does.
const char* RoleIcon(const EntryListKind& kind, uint32_t id) {
  if (id == kind.newCommand) return "new";
  if (id == kind.deleteCommand) return "delete";
  if (id == kind.uploadCommand) return "upload";
  if (id == kind.downloadCommand) return "download";
  return nullptr;
}

}  // namespace

CEntryListFrame::CEntryListFrame(const HostFrameContext& context, const EntryListKind& kind, QWidget* parent)
    : QMainWindow(parent), m_doc(context.doc), m_kind(kind) {
  setWindowFlags(Qt::Widget);
  EntryFrameCommands::PlaceSwitchBar(this, CreateEditorBar());
  addToolBar(Qt::TopToolBarArea, CreateListBar());
  statusBar()->setSizeGripEnabled(false);
  // Download and Upload keep the link state of this moment.
  EnableTransfers(IsOnline());
}

CEntryListFrame::~CEntryListFrame() = default;

void CEntryListFrame::EnableTransfers(bool online) {
  // Lists without transfers (no upload or download command) have no such buttons.
  if (QAction* action = Action(m_kind.uploadCommand)) action->setEnabled(online);
  if (QAction* action = Action(m_kind.downloadCommand)) action->setEnabled(online);
}

void CEntryListFrame::FollowLinkWithTransfers() {
  if (!m_doc) return;
  connect(m_doc, &CSelvantisDoc::connectedChanged, this, [this] { EnableTransfers(IsOnline()); });
}

QToolBar* CEntryListFrame::CreateEditorBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("editorBar"));
  PictureBar::Decorate(bar);
  for (uint32_t id : EntryListRules::EditorSwitchCommands()) {
    const QString text = EntryFrameCommands::SwitchText(id);
    QAction* action = bar->addAction(text);
    action->setToolTip(text);
    PictureBar::SetPicture(action, id);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_actions[id] = action;
  }
  return bar;
}

QToolBar* CEntryListFrame::CreateListBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("listBar"));
  PictureBar::Decorate(bar);
  const uint32_t ids[] = {m_kind.newCommand, m_kind.deleteCommand, 0, m_kind.uploadCommand, m_kind.downloadCommand};
  const bool transfers = m_kind.uploadCommand != 0 || m_kind.downloadCommand != 0;
  for (uint32_t id : ids) {
    if (id == 0) {
      if (!transfers) break;
      bar->addSeparator();
      continue;
    }
    QAction* action = bar->addAction(LoadString(id));
    action->setToolTip(LoadString(id));
    PictureBar::SetPicture(action, id, RoleIcon(m_kind, id));
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_actions[id] = action;
  }
  return bar;
}

void CEntryListFrame::SetView(CEBListView* view) {
  m_view = view;
  setCentralWidget(view);
  view->SetProgressHandler([this](int done, int total) { ShowProgress(done, total); });
  view->FillList();
  UpdateNewDelete();
}

QAction* CEntryListFrame::Action(uint32_t id) const {
  const auto it = m_actions.find(id);
  return it == m_actions.end() ? nullptr : it->second;
}

bool CEntryListFrame::OnCommand(uint32_t id) {
  if (RouteEntryFrameCommand(id)) return true;
  if (id == m_kind.newCommand) {
    OnNew();
  } else if (id == m_kind.deleteCommand) {
    DeleteSelectedEntry();
  } else if (id == m_kind.uploadCommand) {
    OnTransfer(true);
  } else if (id == m_kind.downloadCommand) {
    OnTransfer(false);
  } else {
    return false;
  }
  return true;
}

bool CEntryListFrame::RouteEntryFrameCommand(uint32_t id) { return EntryFrameCommands::Route(this, nullptr, id); }

void CEntryListFrame::UpdateNewDelete() {
  const bool canCreate = m_doc && EntryListRules::CanCreate(*m_doc, m_kind.entryType);
  const bool canDelete = m_doc && EntryListRules::CanDelete(*m_doc, m_kind.entryType);
  if (QAction* action = Action(m_kind.newCommand)) action->setEnabled(canCreate || m_bKeepNewEnabled);
  if (QAction* action = Action(m_kind.deleteCommand)) action->setEnabled(canDelete);
}

void CEntryListFrame::OnNew() {
  if (!m_view || !m_doc) return;
  // The toolbar state may be stale (another editor of the same project).
  if (EntryListRules::CanCreate(*m_doc, m_kind.entryType)) {
    m_view->NewEntry();
  } else if (m_bKeepNewEnabled) {
    AfxMessageBox(ModelString(IDS_POOL_FULL), MB_OK | MB_ICONEXCLAMATION, IDS_POOL_FULL);
  }
  m_view->FillList();
  UpdateNewDelete();
}

void CEntryListFrame::DeleteSelectedEntry() {
  if (!m_view) return;
  if (m_view->DeleteSelectedByView()) {
    m_view->FillList();
    UpdateNewDelete();
    return;
  }
  const int row = m_view->FirstSelectedRow();
  if (row < 0) return;
  const std::vector<int> ids = m_view->RowIds();
  m_view->setFocus();
  if (CBaseDevice* object = m_view->ObjectAt(row)) object->OnCommand(EntryListRules::kDeleteObjectCommand);
  m_view->SetCurrentID(EntryListRules::CurrentAfterDelete(ids, row, m_view->GetCurrentID()));
  m_view->FillList();
  UpdateNewDelete();
}

void CEntryListFrame::OnTransfer(bool bUpload) {
  if (!m_view) return;
  {
    WaitCursor wait;
    m_view->TransferAll(bUpload);
    ShowProgress(0, 0);
  }
  if (bUpload) m_view->FillList();
  UpdateNewDelete();
}

void CEntryListFrame::ShowProgress(int done, int total) {
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
