#ifndef SELV_EDITORS_LISTS_CENTRYLISTTRANSFER_H
#define SELV_EDITORS_LISTS_CENTRYLISTTRANSFER_H

#include "editors/lists/entrylistkind.h"
#include "link/ctransfer.h"

class CBaseDevice;
class CSelvantisDoc;
class IDeviceLink;

// Sends an entry list, or one entry of it, to the unit or queries it back,
// through the list's container object (identifier 1 of the container type).
// The stepping, the link modes, the quiet wait at the end, the error file of
// an upload and the time limits are the transfer driver's. Owns nothing.
class CEntryListTransfer final {
 public:
  // link null: the installed link at the time of the run.
  CEntryListTransfer(CSelvantisDoc& doc, const EntryListKind& kind, IDeviceLink* link = nullptr);
  CEntryListTransfer(const CEntryListTransfer&) = delete;
  CEntryListTransfer& operator=(const CEntryListTransfer&) = delete;

  // The container, or null (with no message) when the project lacks it.
  CBaseDevice* Container() const;

  // Every entry of the list. progress may be empty.
  CTransfer::Result TransferAll(bool bUpload, CTransfer::ProgressHandler progress = {});
  // The entry with this identifier; an identifier of no entry sends nothing
  // and returns Failed without a message.
  CTransfer::Result TransferEntry(bool bUpload, int id);
  // The container's steps of identifier id, whether or not an entry has
  // it (the appointment list sends the calendar block's step of ID 0).
  CTransfer::Result TransferSteps(bool bUpload, int id);

 private:
  CTransfer::Result Run(bool bUpload, int firstStep, int endStep, CTransfer::ProgressHandler progress);

  CSelvantisDoc& m_doc;
  EntryListKind m_kind;
  IDeviceLink* m_link;
};

#endif
