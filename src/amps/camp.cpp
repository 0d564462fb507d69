#include "amps/camp.h"

#include "model/carchive.h"
#include "model/cselvantisdoc.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CAmp, CAmp::kSchema)

namespace {

// Order among the fixed objects of a new project.
constexpr int kFixedObjectOrder = 500;

const bool g_providerRegistered = [] {
  // A new project gets its table; a loaded one keeps what its file held.
  CSelvantisDoc::RegisterFixedObjectProvider(kFixedObjectOrder,
                                             [](CSelvantisDoc& doc, CSelvantisDoc::FixedObjectOccasion occasion) {
                                               if (occasion == CSelvantisDoc::FixedObjectOccasion::NewDocument)
                                                 CAmp::EnsureIn(doc);
                                             });
  return true;
}();

template <std::size_t N>
void WriteText(CArchive& ar, const FixedText<N>& text) {
  ar << text.Get();
}

// Archive strings may be longer than the field: only what fits is kept.
template <std::size_t N>
void ReadText(CArchive& ar, FixedText<N>& text) {
  QString value;
  ar >> value;
  text.Set(value);
}

void SerializeRecord(CArchive& ar, AmpRecord& r) {
  if (ar.IsStoring()) {
    WriteText(ar, r.text1);
    WriteText(ar, r.text2);
    WriteText(ar, r.text3);
    for (uint16_t v : r.values) ar << v;
    for (AmpChannelBlock& c : r.channels) {
      for (uint16_t v : c.values) ar << v;
      WriteText(ar, c.text1);
      WriteText(ar, c.text2);
    }
    return;
  }
  ReadText(ar, r.text1);
  ReadText(ar, r.text2);
  ReadText(ar, r.text3);
  for (uint16_t& v : r.values) ar >> v;
  for (AmpChannelBlock& c : r.channels) {
    for (uint16_t& v : c.values) ar >> v;
    ReadText(ar, c.text1);
    ReadText(ar, c.text2);
  }
}

}  // namespace

CAmp::CAmp() {
  (void)g_providerRegistered;
  SetType(DT_AMPTABLE);
  Clear();
}

CAmp* CAmp::EnsureIn(CSelvantisDoc& doc) {
  if (CBaseDevice* existing = doc.GetIDManager().FindBaseDevice(1, DT_AMPTABLE)) return dynamic_cast<CAmp*>(existing);
  auto table = std::make_unique<CAmp>();
  if (!table->CreateWithID(0, QStringLiteral("Amplifier table"), 1, CAT_MODULES, &doc)) return nullptr;
  return doc.Adopt(std::move(table));
}

void CAmp::Clear() {
  m_records.fill(AmpRecord{});
  m_workTable.fill(0xFF);
}

const AmpRecord& CAmp::GetRecord(int index) const {
  static const AmpRecord kEmpty{};
  if (index < 0 || index >= kRecordCount) return kEmpty;
  return m_records[static_cast<size_t>(index)];
}

bool CAmp::SetRecord(int index, const AmpRecord& record) {
  if (index < 0 || index >= kRecordCount) return false;
  m_records[static_cast<size_t>(index)] = record;
  SetModified();
  return true;
}

void CAmp::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsLoading()) Clear();
  for (AmpRecord& r : m_records) SerializeRecord(ar, r);
}

QString CAmp::BuildCommandPath() const { return QString::fromLatin1(kCommandPath); }

int CAmp::Download(bool bQuery, int nStep) {
  if (nStep == -1) return 0;
  if (IsLinkBusy()) return nStep;
  if (nStep != 0) return nStep;
  // Only a direct caller gets here: the query asks the unit to clear its
  // table and report, so the project's copy is emptied first.
  if (bQuery) Clear();
  return SendStep(bQuery, nStep, m_strPath, QStringLiteral("/CLEAR"), QStringLiteral("ALL"), true);
}

bool CAmp::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  (void)mode;
  // Taken apart like every reply; the table keeps nothing of it.
  QString key, value;
  return SplitUploadLine(line, &key, &value);
}
