#include "unit/cinternalpilottonegen.h"

#include "link/linkmode.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <algorithm>
#include <cmath>
#include <memory>

SELV_IMPLEMENT_SERIAL(CInternalPilottoneGen, 1)

namespace {

constexpr int kProviderOrder = 203;

// Download order: the switch first, then the frequency and the four levels.
constexpr const char* kKeys[CInternalPilottoneGen::kStepCount] = {"/GEN", "/FREQU", "/VOL1", "/VOL2", "/VOL3", "/VOL4"};

const bool kRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder,
                                             [](CSelvantisDoc& doc) { CInternalPilottoneGen::EnsureIn(doc); });
  return true;
}();

// The code whose text step n sends.
int CodeOfStep(int nStep) {
  if (nStep == 0) return CInternalPilottoneGen::P_ON;
  if (nStep == 1) return CInternalPilottoneGen::P_FREQUENCY;
  return CInternalPilottoneGen::VolumeCode(nStep - 2);
}

}  // namespace

CInternalPilottoneGen::CInternalPilottoneGen() { SetType(DT_PILOTTONEGEN); }

void CInternalPilottoneGen::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_frequency;
    for (float volume : m_volume) ar << volume;
    return;
  }
  // The same five floats whatever the schema; the switch is not stored.
  // Clamped as they are read: a damaged file must not give the unit a
  // frequency or a level it cannot take.
  float frequency = 0.0f;
  ar >> frequency;
  m_on = false;
  m_frequency = kMinFrequency;
  SetParamFloat(P_FREQUENCY, frequency);
  for (int n = 0; n < kOutputCount; ++n) {
    float volume = 0.0f;
    ar >> volume;
    m_volume[n] = kMinVolume;
    SetParamFloat(VolumeCode(n), volume);
  }
}

int CInternalPilottoneGen::GetParam(int code) const { return code == P_ON ? (m_on ? 1 : 0) : 0; }

void CInternalPilottoneGen::SetParam(int code, int value) {
  if (code != P_ON || m_on == (value != 0)) return;
  m_on = value != 0;
  SetModified();
}

float CInternalPilottoneGen::GetParamFloat(int code) const {
  switch (code & 0xFFFF) {
    case P_FREQUENCY: return m_frequency;
    case P_VOLUME: return IsOutput(OutputOf(code)) ? m_volume[OutputOf(code)] : 0.0f;
    default: return 0.0f;
  }
}

void CInternalPilottoneGen::SetParamFloat(int code, float value) {
  if (!std::isfinite(value)) return;
  float* field = nullptr;
  switch (code & 0xFFFF) {
    case P_FREQUENCY:
      field = &m_frequency;
      value = std::clamp(value, kMinFrequency, kMaxFrequency);
      break;
    case P_VOLUME:
      if (!IsOutput(OutputOf(code))) return;
      field = &m_volume[OutputOf(code)];
      value = std::clamp(value, kMinVolume, kMaxVolume);
      break;
    default: return;
  }
  if (*field == value) return;
  *field = value;
  SetModified();
}

QString CInternalPilottoneGen::GetParamText(int code) const {
  switch (code & 0xFFFF) {
    case P_FREQUENCY: return Fmt("%.1f", static_cast<double>(m_frequency));
    case P_VOLUME:
      return IsOutput(OutputOf(code)) ? Fmt("%.1f", static_cast<double>(m_volume[OutputOf(code)])) : QString();
    case P_ON: return m_on ? QStringLiteral("ON") : QStringLiteral("OFF");
    default: return QString();
  }
}

int CInternalPilottoneGen::Download(bool bQuery, int nStep) {
  if (nStep == -1) {
    const CSelvantisDoc* doc = GetDocument();
    return doc != nullptr && doc->GetUpgradeFlag() != 0 ? kStepCount : 0;
  }
  if (nStep < 0 || nStep >= kStepCount) return nStep;
  return SendStep(bQuery, nStep, GetPath(), QLatin1String(kKeys[nStep]), GetParamText(CodeOfStep(nStep)), true);
}

bool CInternalPilottoneGen::Upload(const QString& line, QString& /*errorFilePath*/, int mode) {
  if (mode != LINKMODE_UPLOAD) return false;
  QString key;
  QString value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  if (key == QLatin1String(kKeys[0])) {
    // Only the exact upper-case word switches it on.
    SetParam(P_ON, value == QLatin1String("ON") ? 1 : 0);
    return true;
  }
  for (int nStep = 1; nStep < kStepCount; ++nStep) {
    if (key != QLatin1String(kKeys[nStep])) continue;
    float number = 0.0f;
    if (!ScanFloat(value, &number)) return false;
    SetParamFloat(CodeOfStep(nStep), number);
    return true;
  }
  return false;
}

CInternalPilottoneGen* CInternalPilottoneGen::Find(const CSelvantisDoc* doc) {
  return doc != nullptr ? dynamic_cast<CInternalPilottoneGen*>(doc->GetIDManager().FindBaseDevice(1, DT_PILOTTONEGEN))
                        : nullptr;
}

CInternalPilottoneGen* CInternalPilottoneGen::EnsureIn(CSelvantisDoc& doc) {
  if (CInternalPilottoneGen* existing = Find(&doc)) return existing;
  if (doc.GetIDManager().FindBaseDevice(1, DT_PILOTTONEGEN) != nullptr) return nullptr;
  auto generator = std::make_unique<CInternalPilottoneGen>();
  QString name = LoadString(kKind);
  if (name.isEmpty()) name = QStringLiteral("Internal Pilot tone generator");
  if (!generator->CreateWithID(kKind, name, 1, CAT_MODULES, &doc)) return nullptr;
  return doc.Adopt(std::move(generator));
}
