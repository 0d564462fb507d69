#ifndef SELV_CONSOLES_CCONSOLEOBJECT_H
#define SELV_CONSOLES_CCONSOLEOBJECT_H

#include "model/cbasedevice.h"

#include <QString>

class CSelvantisDoc;

// The consoles as a whole (type 67, identifier 1, path "/CONS"): holds the
// unit's list of reference consoles (the consoles included in fault
// handling) as a range list of console addresses 1..16, "NONE" when empty.
// New projects get it; older ones may lack it, and callers cope with that.
class CConsoleObject final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CConsoleObject)

 public:
  static constexpr int kSchema = 1;
  static constexpr int kKind = 34273;  // "All Consoles"
  static constexpr int kMaxAddress = 16;
  // No list of 16 addresses is longer; longer replies are refused.
  static constexpr int kMaxListLength = 100;

  CConsoleObject();

  // The document's console object, or null.
  static CConsoleObject* Find(const CSelvantisDoc* doc);
  // The console object, created with identifier 1 when missing.
  static CConsoleObject* EnsureIn(CSelvantisDoc& doc);

  const QString& GetReferenceList() const noexcept { return m_strReference; }
  void SetReferenceList(const QString& list);
  // code = address << 16 | 1: true when the console with that address
  // (1..16) is in the list; false for another selector or address.
  bool IsReference(int code) const;
  // selector 1, code = address | flag << 16: adds (flag != 0) or removes the
  // address; an empty list is stored as "NONE". Other selectors and
  // addresses outside 1..16 change nothing.
  void SetReference(int selector, int code);

  void Serialize(CArchive& ar) override;
  bool RegisterPath() override;
  // One step: "/CONS/REFERENCE <list>" (or "?"), shortened where the path
  // repeats, for this object's own document.
  int Download(bool bQuery, int nStep) override;
  // "/REFERENCE <list>" outside LINKMODE_DOWNLOAD becomes the list.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

 private:
  // The list's bits (address - 1); false when the list cannot be read.
  bool ParseList(std::vector<uint8_t>& bits) const;

  QString m_strReference = QStringLiteral("NONE");
};

#endif
