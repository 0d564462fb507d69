#ifndef SELV_EDITORS_DESIGNER_DESIGNERTRANSFER_H
#define SELV_EDITORS_DESIGNER_DESIGNERTRANSFER_H

#include "link/ctransfer.h"

class CSelvantisDoc;
class IDeviceLink;

// Sends the virtual-controller block, or the six lines of one item, to the
// unit or queries them back. A download of the whole block locks the
// unit's sources and destinations around the steps; the unlock is sent
// whatever the outcome, so a failed transfer never leaves them locked.
class DesignerTransfer final {
 public:
  // link null: the installed link at the time of the run.
  explicit DesignerTransfer(CSelvantisDoc& doc, IDeviceLink* link = nullptr);

  CTransfer::Result TransferAll(bool bUpload, CTransfer::ProgressHandler progress = {});
  // Item k (steps 6k-5 .. 6k); an ID of no item sends nothing.
  CTransfer::Result TransferItem(bool bUpload, int itemId);

 private:
  CTransfer::Result Run(bool bUpload, int firstStep, int endStep, CTransfer::ProgressHandler progress);
  IDeviceLink* Link() const;

  CSelvantisDoc& m_doc;
  IDeviceLink* m_link;
};

#endif
