#include "unit/cinternalpowermanagement.h"

#include "link/linkmode.h"
#include "logic/logiclinks.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <algorithm>
#include <memory>

SELV_IMPLEMENT_SERIAL(CInternalPowerManagement, 3)

namespace {

constexpr int kProviderOrder = 204;

struct Step {
  const char* key;
  int code;
};

// The download order differs from the code order and from the record order.
constexpr Step kSteps[CInternalPowerManagement::kStepCount] = {
    {"/BATT_PRIO", CInternalPowerManagement::P_BATT_PRIO},   {"/MAINS_PRIO", CInternalPowerManagement::P_MAINS_PRIO},
    {"/MAINS_COND", CInternalPowerManagement::P_MAINS_COND}, {"/BOOT_MAC", CInternalPowerManagement::P_BOOT_MAC},
    {"/SHUT_MAC", CInternalPowerManagement::P_SHUT_MAC},     {"/DROP_SHUT", CInternalPowerManagement::P_DROP_SHUT},
    {"/BATT_AVLBL", CInternalPowerManagement::P_BATT_AVLBL}, {"/SHUT_PRIO", CInternalPowerManagement::P_SHUT_PRIO},
};

// The settings an upload takes over; the others stay as the project has them.
constexpr int kUploadCodes[] = {CInternalPowerManagement::P_BATT_PRIO, CInternalPowerManagement::P_MAINS_PRIO,
                                CInternalPowerManagement::P_MAINS_COND, CInternalPowerManagement::P_BOOT_MAC,
                                CInternalPowerManagement::P_SHUT_MAC};

const char* KeyOfCode(int code) {
  for (const Step& step : kSteps) {
    if (step.code == code) return step.key;
  }
  return "";
}

const bool kRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder,
                                             [](CSelvantisDoc& doc) { CInternalPowerManagement::EnsureIn(doc); });
  return true;
}();

}  // namespace

CInternalPowerManagement::CInternalPowerManagement() { SetType(DT_POWERMANAGEMENT); }

int CInternalPowerManagement::ClampPriority(int value) { return std::clamp(value, 0, kMaxPriority); }

void CInternalPowerManagement::Serialize(CArchive& ar) {
  // The references are connections of the base record.
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << int32_t(m_battPrio) << int32_t(m_mainsPrio) << int32_t(m_shutPrio) << int32_t(m_dropShut)
       << int32_t(m_battAvailable);
    return;
  }
  // Schema 1 holds no fields, schema 2 the battery and mains priorities,
  // schema 3 also the shut-down priority and the two flags.
  const int schema = GetSchema();
  int32_t value = 0;
  if (schema >= 2) {
    ar >> value;
    m_battPrio = ClampPriority(value);
    ar >> value;
    m_mainsPrio = ClampPriority(value);
  }
  if (schema >= 3) {
    ar >> value;
    m_shutPrio = ClampPriority(value);
    ar >> value;
    m_dropShut = value != 0 ? 1 : 0;
    ar >> value;
    m_battAvailable = value != 0 ? 1 : 0;
  }
}

int CInternalPowerManagement::ReferenceType(int code) {
  switch (code) {
    case P_MAINS_COND: return DT_CONDITION;
    case P_BOOT_MAC:
    case P_SHUT_MAC: return DT_MACRO;
    default: return 0;
  }
}

CBaseDevice* CInternalPowerManagement::GetReference(int code) const {
  const int type = ReferenceType(code);
  return type != 0 ? GetLinkedInput(*this, code - P_MAINS_COND, type) : nullptr;
}

int CInternalPowerManagement::GetParam(int code) const {
  switch (code) {
    case P_BATT_PRIO: return m_battPrio;
    case P_MAINS_PRIO: return m_mainsPrio;
    case P_SHUT_PRIO: return m_shutPrio;
    case P_MAINS_COND:
    case P_BOOT_MAC:
    case P_SHUT_MAC: {
      const CBaseDevice* peer = GetReference(code);
      return peer != nullptr ? peer->GetID() : 0;
    }
    case P_DROP_SHUT: return m_dropShut;
    case P_BATT_AVLBL: return m_battAvailable;
    default: return 0;
  }
}

QString CInternalPowerManagement::GetParamText(int code) const {
  switch (code) {
    case P_BATT_PRIO:
    case P_MAINS_PRIO:
    case P_SHUT_PRIO: return Fmt("%d", GetParam(code));
    case P_MAINS_COND:
    case P_BOOT_MAC:
    case P_SHUT_MAC: {
      const CBaseDevice* peer = GetReference(code);
      return peer != nullptr ? peer->GetName() : QString();
    }
    case P_DROP_SHUT:
    case P_BATT_AVLBL: return GetParam(code) != 0 ? QStringLiteral("YES") : QStringLiteral("NO");
    default: return QString();
  }
}

void CInternalPowerManagement::SetField(int& field, int value) {
  if (field == value) return;
  field = value;
  SetModified();
}

void CInternalPowerManagement::SetReference(int code, int id) {
  const int pin = code - P_MAINS_COND;
  const CBaseDevice* current = GetReference(code);
  if ((current != nullptr ? current->GetID() : 0) == id) return;
  if (id == 0) {
    DisconnectInputPin(pin);
    SetModified();
    return;
  }
  // The peer is found or made before the old link goes: an identifier
  // outside the pool (a garbled reply) must not cost the project its link.
  CBaseDevice* peer = FindOrCreatePlaceholder(GetDocument(), ReferenceType(code), id);
  if (peer == nullptr) return;
  DisconnectInputPin(pin);
  Connect(peer, 0, this, pin);
  SetModified();
}

void CInternalPowerManagement::SetParam(int code, int value) {
  switch (code) {
    case P_BATT_PRIO: SetField(m_battPrio, ClampPriority(value)); break;
    case P_MAINS_PRIO: SetField(m_mainsPrio, ClampPriority(value)); break;
    case P_SHUT_PRIO: SetField(m_shutPrio, ClampPriority(value)); break;
    case P_DROP_SHUT: SetField(m_dropShut, value != 0 ? 1 : 0); break;
    case P_BATT_AVLBL: SetField(m_battAvailable, value != 0 ? 1 : 0); break;
    case P_MAINS_COND:
    case P_BOOT_MAC:
    case P_SHUT_MAC: SetReference(code, value); break;
    default: break;
  }
}

int CInternalPowerManagement::Download(bool bQuery, int nStep) {
  if (nStep == -1) return kStepCount;
  if (nStep < 0 || nStep >= kStepCount) return nStep;
  const Step& step = kSteps[nStep];
  QString value;
  if (step.code == P_DROP_SHUT || step.code == P_BATT_AVLBL) {
    value = GetParamText(step.code);
  } else {
    // References go out as identifiers, not names.
    value = Fmt("%d", GetParam(step.code));
  }
  return SendStep(bQuery, nStep, GetPath(), QLatin1String(step.key), value, true);
}

bool CInternalPowerManagement::Upload(const QString& line, QString& /*errorFilePath*/, int mode) {
  if (mode != LINKMODE_UPLOAD) return false;
  QString key;
  QString value;
  if (!SplitUploadLine(line, &key, &value)) return false;
  for (int code : kUploadCodes) {
    if (key != QLatin1String(KeyOfCode(code))) continue;
    if (ReferenceType(code) != 0 && value == QLatin1String("OFF")) value = QStringLiteral("0");
    int number = 0;
    if (!ScanInt(value, &number)) return false;
    SetParam(code, number);
    return true;
  }
  return false;
}

CInternalPowerManagement* CInternalPowerManagement::Find(const CSelvantisDoc* doc) {
  return doc != nullptr
             ? dynamic_cast<CInternalPowerManagement*>(doc->GetIDManager().FindBaseDevice(1, DT_POWERMANAGEMENT))
             : nullptr;
}

CInternalPowerManagement* CInternalPowerManagement::EnsureIn(CSelvantisDoc& doc) {
  if (CInternalPowerManagement* existing = Find(&doc)) return existing;
  if (doc.GetIDManager().FindBaseDevice(1, DT_POWERMANAGEMENT) != nullptr) return nullptr;
  auto power = std::make_unique<CInternalPowerManagement>();
  QString name = LoadString(kKind);
  if (name.isEmpty()) name = QStringLiteral("Internal power management");
  if (!power->CreateWithID(kKind, name, 1, CAT_MODULES, &doc)) return nullptr;
  // Drawn with one input and one output; the references use input pins
  // 0..2 all the same.
  power->SetPinCount(1, 1);
  return doc.Adopt(std::move(power));
}
