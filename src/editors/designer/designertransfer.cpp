#include "editors/designer/designertransfer.h"

#include "link/idevicelink.h"
#include "macros/cvirtctrl.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"

#include <QCoreApplication>
#include <QString>

DesignerTransfer::DesignerTransfer(CSelvantisDoc& doc, IDeviceLink* link) : m_doc(doc), m_link(link) {}

IDeviceLink* DesignerTransfer::Link() const { return m_link ? m_link : GetDeviceLink(); }

CTransfer::Result DesignerTransfer::TransferAll(bool bUpload, CTransfer::ProgressHandler progress) {
  IDeviceLink* link = Link();
  const bool lock = !bUpload && link && link->IsConnected();
  if (lock) {
    link->SendDeviceCommand(QString::fromLatin1(CVirtCtrl::kSourceLockOn), &m_doc, false);
    link->SendDeviceCommand(QString::fromLatin1(CVirtCtrl::kDestLockOn), &m_doc, false);
  }
  const CTransfer::Result result = Run(bUpload, 0, -1, std::move(progress));
  if (lock) {
    if (IDeviceLink* now = Link(); now && now->IsConnected()) {
      now->SendDeviceCommand(QString::fromLatin1(CVirtCtrl::kSourceLockOff), &m_doc, false);
      now->SendDeviceCommand(QString::fromLatin1(CVirtCtrl::kDestLockOff), &m_doc, false);
    }
  }
  return result;
}

CTransfer::Result DesignerTransfer::TransferItem(bool bUpload, int itemId) {
  if (itemId < 1 || itemId > CVirtCtrl::kMaxItems || !m_doc.GetIDManager().FindBaseDevice(itemId, DT_VIRTCTRLITEM))
    return CTransfer::Result::Failed;
  const int first = CVirtCtrl::kStepsPerItem * itemId - (CVirtCtrl::kStepsPerItem - 1);
  return Run(bUpload, first, first + CVirtCtrl::kStepsPerItem, {});
}

CTransfer::Result DesignerTransfer::Run(bool bUpload, int firstStep, int endStep, CTransfer::ProgressHandler progress) {
  CVirtCtrl* block = CVirtCtrl::Find(&m_doc);
  if (!block) {
    AfxMessageBox(QCoreApplication::translate("DesignerTransfer", "The project holds no virtual-controller block."),
                  MB_OK | MB_ICONEXCLAMATION);
    return CTransfer::Result::Failed;
  }
  CTransfer transfer(m_link);
  if (progress) transfer.SetProgressHandler(std::move(progress));
  CTransfer::Item item;
  item.object = block;
  item.firstStep = firstStep;
  item.endStep = endStep;
  return transfer.Run(bUpload, {item}, &m_doc);
}
