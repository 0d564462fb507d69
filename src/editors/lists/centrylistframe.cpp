#include "editors/lists/centrylistframe.h"

#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/ccalendarwindowreference.h"
#include "editors/lists/ceblistview.h"
#include "editors/lists/entryframecommands.h"
#include "editors/lists/entrylistrules.h"
#include "link/ctransfernotifier.h"
#include "link/idevicelink.h"
#include "link/lineuse.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/modelstrings.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/cframetransfer.h"

#include <QAction>
#include <QProgressBar>
#include <QStatusBar>

namespace {

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
    : QMainWindow(parent), m_doc(context.doc), m_kind(kind), m_bars(this, [this](uint32_t id) { OnCommand(id); }) {
  m_bars.AddSwitchBar(QStringLiteral("editorBar"), FrameBars::EditorSwitchButtons());
  m_bars.AddBar(QStringLiteral("listBar"), ListButtons());
  statusBar()->setSizeGripEnabled(false);
  // Download and Upload keep the link state of this moment.
  EnableTransfers(IsOnline());
  if (calendarlists::IsCalendarList(kind)) m_calendarWindow = std::make_unique<CCalendarWindowReference>(m_doc, this);
  // New and Delete wait while the line is in use.
  connect(&CTransferNotifier::Instance(), &CTransferNotifier::lineUseChanged, this, [this] { UpdateNewDelete(); });
}

CEntryListFrame::~CEntryListFrame() = default;

void CEntryListFrame::EnableTransfers(bool online) {
  // Lists without transfers (no upload or download command) have no such buttons.
  m_bars.Enable({m_kind.uploadCommand, m_kind.downloadCommand}, online);
}

void CEntryListFrame::FollowLinkWithTransfers() {
  if (!m_doc) return;
  // Download and Upload follow the connection while the frame is open.
  connect(m_doc, &CSelvantisDoc::connectedChanged, this, [this] { EnableTransfers(IsOnline()); });
}

std::vector<FrameBars::Button> CEntryListFrame::ListButtons() const {
  const uint32_t ids[] = {m_kind.newCommand, m_kind.deleteCommand, 0, m_kind.uploadCommand, m_kind.downloadCommand};
  const bool transfers = m_kind.uploadCommand != 0 || m_kind.downloadCommand != 0;
  std::vector<FrameBars::Button> buttons;
  for (uint32_t id : ids) {
    // A list without transfers ends its bar before their separator.
    if (id == 0 && !transfers) break;
    buttons.push_back({id, RoleIcon(m_kind, id)});
  }
  return buttons;
}

void CEntryListFrame::SetView(CEBListView* view) {
  m_view = view;
  setCentralWidget(view);
  view->SetProgressHandler(m_bars.ProgressReporter());
  view->FillList();
  UpdateNewDelete();
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
  // The user of the line may still use the entries.
  const bool free = !IsLineInUse();
  const bool canCreate = free && m_doc && EntryListRules::CanCreate(*m_doc, m_kind.entryType);
  const bool canDelete = free && m_doc && EntryListRules::CanDelete(*m_doc, m_kind.entryType);
  if (QAction* action = Action(m_kind.newCommand)) action->setEnabled(canCreate || (free && m_bKeepNewEnabled));
  if (QAction* action = Action(m_kind.deleteCommand)) action->setEnabled(canDelete || (free && m_bKeepDeleteEnabled));
}

void CEntryListFrame::OnNew() {
  if (!m_view || !m_doc || CFrameHostDialog::RefusesWhileLineInUse(this)) return;
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
  if (!m_view || CFrameHostDialog::RefusesWhileLineInUse(this)) return;
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
  if (!m_view || CFrameTransfer::Refuses()) return;
  CFrameTransfer transfer(this, {Action(bUpload ? m_kind.downloadCommand : m_kind.uploadCommand)});
  {
    FrameBars::WaitCursor wait;
    m_view->TransferAll(bUpload);
  }
  if (!transfer.FrameAlive()) return;
  ShowProgress(0, 0);
  if (bUpload) m_view->FillList();
  UpdateNewDelete();
}
