#include "logic/canalogcondition.h"

#include "logic/logiclinks.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <algorithm>

SELV_IMPLEMENT_SERIAL(CAnalogCondition, 1)

namespace {

QString Line(const QString& prefix, const char* field, const QString& value) {
  return prefix + QLatin1Char('/') + QLatin1String(field) + QLatin1Char(' ') + value;
}

float Clamp(float value) {
  if (value != value) return CAnalogCondition::kMinValue;
  return std::clamp(value, CAnalogCondition::kMinValue, CAnalogCondition::kMaxValue);
}

}  // namespace

CAnalogCondition::CAnalogCondition() { SetType(DT_ANALOGCONDITION); }

void CAnalogCondition::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_min << m_max;
    return;
  }
  float minimum = 0.0f, maximum = 0.0f;
  ar >> minimum >> maximum;
  m_min = Clamp(minimum);
  m_max = Clamp(maximum);
}

void CAnalogCondition::GetColumnText(QString& out, int column) const {
  switch (column) {
    case 0: out = GetLinkedInputName(*this, kPinPad, DT_CONTROLPAD); return;
    case 1: out = Fmt("%.1f", static_cast<double>(m_min)); return;
    case 2: out = Fmt("%.1f", static_cast<double>(m_max)); return;
    default: out.clear(); return;
  }
}

void CAnalogCondition::SetColumnText(int column, const QString& text, int reserved) {
  (void)reserved;
  if (column != 1 && column != 2) return;
  float value = 0.0f;
  if (!ScanFloat(text, &value)) return;
  (column == 1 ? m_min : m_max) = Clamp(value);
  SetModified();
}

int CAnalogCondition::GetValue(int column) const {
  return column == 0 ? GetLinkedInputID(*this, kPinPad, DT_CONTROLPAD) : 0;
}

void CAnalogCondition::SetValue(int column, int value, const QString& text) {
  (void)text;
  if (column == 0) SetLinkedInput(*this, kPinPad, DT_CONTROLPAD, value);
}

QStringList CAnalogCondition::GetLines(const QString& prefix, bool bQuery) const {
  if (bQuery) return QueryLines(prefix);
  const CBaseDevice* pad = GetLinkedInput(*this, kPinPad, DT_CONTROLPAD);
  return {Line(prefix, "INPUT", CPadReference::KeywordValue(pad)),
          Line(prefix, "INPNR", CPadReference::NumberValue(pad)),
          Line(prefix, "MIN", Fmt("%.1f", static_cast<double>(m_min))),
          Line(prefix, "MAX", Fmt("%.1f", static_cast<double>(m_max)))};
}

QStringList CAnalogCondition::UnusedLines(const QString& prefix) {
  return {Line(prefix, "INPUT", QStringLiteral("OFF"))};
}

QStringList CAnalogCondition::QueryLines(const QString& prefix) {
  const QString q = QStringLiteral("?");
  return {Line(prefix, "INPUT", q), Line(prefix, "INPNR", q), Line(prefix, "MIN", q), Line(prefix, "MAX", q)};
}

bool CAnalogCondition::ParseField(const QString& field, const QString& value, const QString& errorFilePath) {
  if (field == QLatin1String("INPUT")) {
    if (m_pad.TakeKeyword(value)) SetValue(0, 0);
    return true;
  }
  if (field == QLatin1String("INPNR")) {
    int number = 0;
    if (!ScanInt(value, &number)) return false;
    if (m_pad.HasKeyword()) {
      SetValue(0, m_pad.TakeNumber(number, GetDocument(), IDS_RANGE_CHECK, GetID(), errorFilePath));
    }
    return true;
  }
  if (field == QLatin1String("MIN") || field == QLatin1String("MAX")) {
    float number = 0.0f;
    if (!ScanFloat(value, &number)) return false;
    (field == QLatin1String("MIN") ? m_min : m_max) = Clamp(number);
    SetModified();
    return true;
  }
  return false;
}
