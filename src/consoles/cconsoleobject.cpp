#include "consoles/cconsoleobject.h"

#include "link/linkmode.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CConsoleObject, CConsoleObject::kSchema)

namespace {

// After the unit's own fixed objects.
constexpr int kProviderOrder = 400;
constexpr const char* kNone = "NONE";

const bool kRegistered = [] {
  // Only new projects get it: an older project without it stays without.
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder,
                                             [](CSelvantisDoc& doc, CSelvantisDoc::FixedObjectOccasion occasion) {
                                               if (occasion == CSelvantisDoc::FixedObjectOccasion::NewDocument)
                                                 CConsoleObject::EnsureIn(doc);
                                             });
  return true;
}();

}  // namespace

CConsoleObject::CConsoleObject() { SetType(DT_CONSOLEOBJECT); }

CConsoleObject* CConsoleObject::Find(const CSelvantisDoc* doc) {
  if (doc == nullptr) return nullptr;
  return dynamic_cast<CConsoleObject*>(doc->GetIDManager().FindBaseDevice(1, DT_CONSOLEOBJECT));
}

CConsoleObject* CConsoleObject::EnsureIn(CSelvantisDoc& doc) {
  if (CConsoleObject* existing = Find(&doc)) return existing;
  if (doc.GetIDManager().FindBaseDevice(1, DT_CONSOLEOBJECT) != nullptr) return nullptr;
  auto object = std::make_unique<CConsoleObject>();
  QString name = LoadString(kKind);
  if (name.isEmpty()) name = QStringLiteral("All Consoles");
  if (!object->CreateWithID(kKind, name, 1, CAT_MODULES, &doc)) return nullptr;
  return doc.Adopt(std::move(object));
}

void CConsoleObject::SetReferenceList(const QString& list) {
  const QString value = list.isEmpty() || list == QLatin1String("0") ? QString::fromLatin1(kNone) : list;
  if (value == m_strReference) return;
  m_strReference = value;
  SetModified();
}

bool CConsoleObject::ParseList(std::vector<uint8_t>& bits) const {
  bits = MakeBitSet(kMaxAddress);
  const QString text = m_strReference == QLatin1String(kNone) ? QStringLiteral("0") : m_strReference;
  return ParseRangeList(text, bits, kMaxAddress);
}

bool CConsoleObject::IsReference(int code) const {
  if ((code & 0xFFFF) != 1) return false;
  const int address = static_cast<int>(static_cast<uint32_t>(code) >> 16);
  if (address < 1 || address > kMaxAddress) return false;
  BitSet bits;
  if (!ParseList(bits)) return false;
  return TestBit(bits, static_cast<unsigned>(address - 1));
}

void CConsoleObject::SetReference(int selector, int code) {
  if (selector != 1) return;
  const int address = code & 0xFFFF;
  if (address < 1 || address > kMaxAddress) return;
  BitSet bits;
  // A list that cannot be read is started afresh rather than half kept.
  if (!ParseList(bits)) bits = MakeBitSet(kMaxAddress);
  SetBit(bits, static_cast<unsigned>(address - 1), (static_cast<uint32_t>(code) >> 16) != 0);
  SetReferenceList(FormatRangeList(bits, kMaxAddress));
}

void CConsoleObject::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_strReference;
    return;
  }
  ar >> m_strReference;
  if (m_strReference.isEmpty() || m_strReference.size() > kMaxListLength) m_strReference = QString::fromLatin1(kNone);
}

bool CConsoleObject::RegisterPath() {
  if (!CBaseDevice::RegisterPath()) return false;
  SetCommandPath(QStringLiteral("/CONS"));
  return true;
}

int CConsoleObject::Download(bool bQuery, int nStep) {
  if (nStep == -1) return 1;
  if (nStep != 0) return 1;
  return SendStep(bQuery, nStep, GetPath(), QStringLiteral("/REFERENCE"), m_strReference, true);
}

bool CConsoleObject::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  QString key, value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  if (mode == LINKMODE_DOWNLOAD || key != QLatin1String("/REFERENCE")) return false;
  value = value.trimmed();
  if (value.size() > kMaxListLength) return false;
  BitSet bits = MakeBitSet(kMaxAddress);
  // An unreadable list is refused: stored, it would unmark every reference console and go back on the next download.
  if (value != QLatin1String(kNone) && !ParseRangeList(value, bits, kMaxAddress)) return false;
  SetReferenceList(value);
  return true;
}
