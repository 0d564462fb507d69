#include "editors/lists/cspareampfrm.h"

#include "editors/lists/cspareampview.h"

#include <QSplitter>

CSpareAmpFrm::CSpareAmpFrm(const HostFrameContext& context, QWidget* parent)
    : CSplitListFrame(context, parent),
      m_entries(new CSpareAmpView(context.doc, Splitter())),
      m_watches(new CSpareAmpView(context.doc, Splitter())) {
  CreateCommandBar({kNewEntry, kDeleteEntry, kNewWatch, kDeleteWatch, 0, kUpload, kDownload});
  EnableWithLink({kDownload, kUpload});
  SetEntryCommands({kNewEntry, kDeleteEntry, kNewWatch, kDeleteWatch});
  SetLists(m_entries, m_watches, 290, 490);
  m_watches->FillWatchList(-1);
  connect(m_entries, &CSpareAmpView::entrySelected, m_watches, &CSpareAmpView::FillWatchList);
  RefreshLists();
}

void CSpareAmpFrm::RefreshLists() {
  m_entries->FillEntryList();
  m_watches->FillWatchList(m_entries->SelectedData());
}

void CSpareAmpFrm::OnTransfer(bool bUpload) {
  if (RunTransfer(bUpload ? kDownload : kUpload, [this, bUpload] { m_entries->TransferSpareAmp(bUpload); }) && bUpload)
    RefreshLists();
}

bool CSpareAmpFrm::OnCommand(uint32_t id) {
  switch (id) {
    case kNewEntry:
      m_entries->NewEntry();
      RefreshLists();
      return true;
    case kDeleteEntry:
      m_entries->DeleteEntry();
      RefreshLists();
      return true;
    case kNewWatch: {
      const int entry = m_entries->SelectedData();
      m_watches->NewWatch(entry);
      m_watches->FillWatchList(entry);
      return true;
    }
    case kDeleteWatch: {
      const int entry = m_entries->SelectedData();
      m_watches->DeleteWatch(entry);
      m_watches->FillWatchList(entry);
      return true;
    }
    case kDownload: OnTransfer(false); return true;
    case kUpload: OnTransfer(true); return true;
    default: return CSplitListFrame::OnCommand(id);
  }
}

SELV_REGISTER_HOST_FRAME(HostFrameKind::BackupAmplifiers, CSpareAmpFrm)
