#include "modeltestdevices.h"

#include "model/carchive.h"
#include "model/cselvantisdoc.h"

SELV_IMPLEMENT_SERIAL(CModelTestDevice, 3)
SELV_IMPLEMENT_SERIAL(CModelTestAmp, 1)
SELV_IMPLEMENT_SERIAL(CModelTestPad, 1)
SELV_IMPLEMENT_SERIAL(CModelTestCard, 3)

std::vector<const CBaseDevice*>& CModelTestDevice::AfterLoadOrder() {
  static std::vector<const CBaseDevice*> order;
  return order;
}

void CModelTestDevice::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    // Writes the layout of the schema being written, so tests can make old records.
    if (ar.GetObjectSchema() >= 2) ar << m_level;
    if (ar.GetObjectSchema() >= 3) ar << m_text;
    return;
  }
  m_loadedFileVersion = CSelvantisDoc::GetLoadingFileVersion();
  m_level = kOldLevel;
  if (GetSchema() >= 2) ar >> m_level;
  if (GetSchema() >= 3) ar >> m_text;
}

bool CModelTestDevice::Upload(const QString& line, QString& errorFilePath, int mode) {
  (void)errorFilePath;
  (void)mode;
  m_uploads.append(line);
  return true;
}

int CModelTestDevice::Download(bool bQuery, int nStep) {
  if (nStep == -1) return 2;
  if (nStep == 0) return SendStep(bQuery, nStep, GetPath(), QStringLiteral("/LEVEL"), QString::number(m_level));
  return SendStep(bQuery, nStep, GetPath(), QStringLiteral("/TEXT"), m_text, true);
}

int CModelTestDevice::OnAfterLoad() {
  ++m_afterLoadCalls;
  AfterLoadOrder().push_back(this);
  return 1;
}

void CModelTestDevice::SetID(int id) {
  m_idHistory.push_back(id);
  CBaseDevice::SetID(id);
}

void CModelTestAmp::Serialize(CArchive& ar) {
  CModelTestDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << int32_t(m_address) << int32_t(m_channels) << uint8_t(m_addressable ? 1 : 0);
    return;
  }
  int32_t address = 0, channels = 0;
  uint8_t addressable = 0;
  ar >> address >> channels >> addressable;
  m_address = address;
  m_channels = channels;
  m_addressable = addressable != 0;
}

void CModelTestCard::Serialize(CArchive& ar) {
  CModelTestDevice::Serialize(ar);
  if (ar.IsLoading() && GetSchema() < 2) RequestFreshID();
}

CModelTestDevice* AddTestObject(CSelvantisDoc& doc, int type, int category, const QString& name, int kind) {
  auto object = std::make_unique<CModelTestDevice>(type);
  if (!object->Create(kind, 1, 1, name, QRect(10, 10, 40, 30), category, 0, CBaseDevice::TF_NAME, &doc)) return nullptr;
  return doc.Adopt(std::move(object));
}

CModelTestDevice* AddTestObjectWithID(CSelvantisDoc& doc, int type, int category, int id, const QString& name,
                                      int kind) {
  auto object = std::make_unique<CModelTestDevice>(type);
  if (!object->CreateWithID(kind, name, id, category, &doc)) return nullptr;
  return doc.Adopt(std::move(object));
}
