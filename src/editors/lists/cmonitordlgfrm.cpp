#include "editors/lists/cmonitordlgfrm.h"

#include "editors/lists/cmonitordlglistview.h"
#include "editors/lists/cmonitorrelaislistview.h"
#include "editors/lists/conlinemonitordlg.h"

#include <QSplitter>

CMonitorDlgFrm::CMonitorDlgFrm(const HostFrameContext& context, QWidget* parent)
    : CSplitListFrame(context, parent),
      m_entries(new CMonitorDlgListView(context.doc, Splitter())),
      m_relays(new CMonitorRelaisListView(context.doc, Splitter())) {
  CreateCommandBar({kNewEntry, kDeleteEntry, kNewRelay, kDeleteRelay, 0, kUpload, kDownload, kOnlineData, 0,
                    kExportList, kPrintList});
  EnableWithLink({kDownload, kUpload, kOnlineData});
  SetEntryCommands({kNewEntry, kDeleteEntry, kNewRelay, kDeleteRelay});
  SetLists(m_entries, m_relays, 480, 300);
  connect(m_relays, &CMonitorRelaisListView::changed, this, &CMonitorDlgFrm::RefreshLists);
  RefreshLists();
}

void CMonitorDlgFrm::RefreshLists() {
  m_entries->FillList();
  m_relays->FillList();
}

void CMonitorDlgFrm::OnTransfer(bool bUpload) {
  if (RunTransfer(bUpload ? kDownload : kUpload, [this, bUpload] { m_entries->TransferMonitor(bUpload); }) && bUpload)
    RefreshLists();
}

bool CMonitorDlgFrm::OnCommand(uint32_t id) {
  switch (id) {
    case kNewEntry:
      m_entries->NewEntry();
      RefreshLists();
      return true;
    case kDeleteEntry:
      m_entries->DeleteEntry();
      RefreshLists();
      return true;
    case kNewRelay:
      m_relays->NewRelay();
      RefreshLists();
      return true;
    case kDeleteRelay:
      m_relays->DeleteRelay();
      RefreshLists();
      return true;
    case kDownload: OnTransfer(false); return true;
    case kUpload: OnTransfer(true); return true;
    case kOnlineData:
      if (m_onlineRunner) {
        m_onlineRunner(this);
      } else {
        COnlineMonitorDlg dialog(this);
        dialog.exec();
      }
      return true;
    case kPrintList: m_entries->PrintList(); return true;
    case kExportList: m_entries->OnExportList(); return true;
    default: return CSplitListFrame::OnCommand(id);
  }
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::MonitorEntries, CMonitorDlgFrm)
