#include "logic/ctrigger.h"

#include "logic/ctriggerobject.h"
#include "logic/logiclinks.h"
#include "model/carchive.h"
#include "model/ctext.h"

#include <algorithm>

SELV_IMPLEMENT_SERIAL(CTrigger, 1)

namespace {

const char* const kFieldKeys[CTrigger::kFieldCount] = {"COND", "TIME", "ON", "OFF"};

float ClampDuration(float value) {
  if (value != value) return 0.0f;
  return std::clamp(value, 0.0f, CTrigger::kMaxDuration);
}

}  // namespace

CTrigger::CTrigger() { SetType(DT_TRIGGER); }

void CTrigger::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_duration;
    return;
  }
  float duration = 0.0f;
  ar >> duration;
  m_duration = ClampDuration(duration);
}

int CTrigger::PinOfParam(int param) {
  switch (param) {
    case 0: return kPinCondition;
    case 2: return kPinOnMacro;
    case 3: return kPinOffMacro;
    default: return -1;
  }
}

int CTrigger::TypeOfParam(int param) { return param == 0 ? DT_CONDITION : DT_MACRO; }

void CTrigger::GetParamText(QString& out, int param) const {
  if (param == 1) {
    out = Fmt("%2.1f", static_cast<double>(m_duration));
    return;
  }
  const int pin = PinOfParam(param);
  out = pin >= 0 ? GetLinkedInputName(*this, pin, TypeOfParam(param)) : QString();
}

int CTrigger::GetParam(int param) const {
  const int pin = PinOfParam(param);
  return pin >= 0 ? GetLinkedInputID(*this, pin, TypeOfParam(param)) : 0;
}

float CTrigger::GetParamFloat(int param) const { return param == 1 ? m_duration : 0.0f; }

void CTrigger::SetParam(int param, int id) {
  const int pin = PinOfParam(param);
  if (pin < 0) return;
  if (id != 0) FindOrCreatePlaceholder(GetDocument(), TypeOfParam(param), id);
  SetLinkedInput(*this, pin, TypeOfParam(param), id);
}

void CTrigger::SetParamFloat(int param, float value) {
  if (param != 1) return;
  m_duration = ClampDuration(value);
  SetModified();
}

int CTrigger::FieldOfKey(const QString& key) {
  for (int f = 0; f < kFieldCount; ++f) {
    if (key.compare(QLatin1String(kFieldKeys[f]), Qt::CaseInsensitive) == 0) return f;
  }
  return -1;
}

QString CTrigger::FieldLine(int id, int field, const CTrigger* trigger, bool bQuery) {
  if (field < 0 || field >= kFieldCount) return QString();
  QString value;
  if (bQuery) {
    value = QStringLiteral("?");
  } else if (field == FIELD_DURATION) {
    value = Fmt("%2.1f", static_cast<double>(trigger != nullptr ? trigger->m_duration : 0.0f));
  } else {
    const int param = field == FIELD_CONDITION ? 0 : field;
    value = Fmt("%d", trigger != nullptr ? trigger->GetParam(param) : 0);
  }
  return CTriggerObject::Path() + Fmt("/TRG%d/%s ", id, kFieldKeys[field]) + value;
}

bool CTrigger::ParseField(const QString& field, const QString& value) {
  const int f = FieldOfKey(field);
  if (f < 0) return false;
  if (f == FIELD_DURATION) {
    float duration = 0.0f;
    if (!ScanFloat(value, &duration)) return false;
    SetParamFloat(1, duration);
    return true;
  }
  int id = 0;
  if (value.trimmed().compare(QLatin1String("OFF"), Qt::CaseInsensitive) != 0 && !ScanInt(value, &id)) return false;
  if (id < 0) return false;
  SetParam(f == FIELD_CONDITION ? 0 : f, id);
  return true;
}
