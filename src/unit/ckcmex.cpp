#include "unit/ckcmex.h"

#include "model/carchive.h"

SELV_IMPLEMENT_SERIAL(CKCMEx, CKCMEx::kSchema)

CKCMEx::CKCMEx() {
  SetType(DT_KCMEX);
  Reset();
}

int CKCMEx::Reset() {
  m_entries.fill(Entry{});
  m_workValues.fill(-1);
  for (auto& table : m_workTables) table.fill(0xFF);
  return -1;
}

const CKCMEx::Entry& CKCMEx::GetEntry(int index) const {
  static const Entry kEmpty{};
  if (index < 0 || index >= kEntryCount) return kEmpty;
  return m_entries[static_cast<size_t>(index)];
}

bool CKCMEx::SetEntry(int index, const Entry& entry) {
  if (index < 0 || index >= kEntryCount) return false;
  m_entries[static_cast<size_t>(index)] = entry;
  SetModified();
  return true;
}

int CKCMEx::GetWorkValue(int index) const {
  return (index == 0 || index == 1) ? m_workValues[static_cast<size_t>(index)] : -1;
}

const std::array<uint8_t, CKCMEx::kWorkTableSize>& CKCMEx::GetWorkTable(int index) const {
  return m_workTables[index == 1 ? 1 : 0];
}

void CKCMEx::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    for (const Entry& e : m_entries) {
      ar << e.longText.Get() << e.shortText.Get();
      for (uint16_t v : e.values) ar << v;
    }
    return;
  }
  Reset();
  for (Entry& e : m_entries) {
    QString longText, shortText;
    ar >> longText >> shortText;
    // Texts longer than their field are cut to it.
    e.longText.Set(longText);
    e.shortText.Set(shortText);
    for (uint16_t& v : e.values) ar >> v;
  }
}

QString CKCMEx::BuildCommandPath() const { return QString::fromLatin1(kCommandPath); }

int CKCMEx::Download(bool bQuery, int nStep) {
  if (nStep == -1) return 0;
  if (IsLinkBusy()) return nStep;
  if (nStep != 0) return nStep;
  if (bQuery) Reset();
  return SendStep(bQuery, nStep, m_strPath, QStringLiteral("/CLEAR"), QStringLiteral("ALL"), true);
}

bool CKCMEx::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  (void)mode;
  // Taken apart like every reply; nothing of it is kept.
  QString key, value;
  return SplitUploadLine(line, &key, &value);
}
