#include "editors/lists/centrylisttransfer.h"

#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"

#include <QCoreApplication>

CEntryListTransfer::CEntryListTransfer(CSelvantisDoc& doc, const EntryListKind& kind, IDeviceLink* link)
    : m_doc(doc), m_kind(kind), m_link(link) {}

CBaseDevice* CEntryListTransfer::Container() const {
  return m_doc.GetIDManager().FindBaseDevice(1, m_kind.containerType);
}

CTransfer::Result CEntryListTransfer::TransferAll(bool bUpload, CTransfer::ProgressHandler progress) {
  return Run(bUpload, 0, -1, std::move(progress));
}

// One entry's upload prepares and shows the error file as the whole list's
// does: a difference found for one entry matters as much to the installer.
CTransfer::Result CEntryListTransfer::TransferEntry(bool bUpload, int id) {
  if (id <= 0 || !m_doc.GetIDManager().FindBaseDevice(id, m_kind.entryType)) return CTransfer::Result::Failed;
  return TransferSteps(bUpload, id);
}

CTransfer::Result CEntryListTransfer::TransferSteps(bool bUpload, int id) {
  return Run(bUpload, m_kind.FirstStep(id), m_kind.EndStep(id), {});
}

CTransfer::Result CEntryListTransfer::Run(bool bUpload, int firstStep, int endStep,
                                          CTransfer::ProgressHandler progress) {
  CBaseDevice* container = Container();
  if (!container) {
    AfxMessageBox(
        QCoreApplication::translate("CEntryListTransfer", "The project holds no transfer block for this list."),
        MB_OK | MB_ICONEXCLAMATION);
    return CTransfer::Result::Failed;
  }
  CTransfer transfer(m_link);
  if (progress) transfer.SetProgressHandler(std::move(progress));
  CTransfer::Item item;
  item.object = container;
  item.firstStep = firstStep;
  item.endStep = endStep;
  item.countStep = m_kind.selector;
  return transfer.Run(bUpload, {item}, &m_doc);
}
