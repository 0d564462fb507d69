#include "logic/clogicout.h"

#include "logic/clogicoutobject.h"
#include "logic/logiclinks.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

SELV_IMPLEMENT_SERIAL(CLogicOut, 1)

namespace {

const char* const kFieldKeys[CLogicOut::kFieldCount] = {"OUTPUT", "OUTNR", "COND", "INVERT"};

}  // namespace

CLogicOut::CLogicOut() { SetType(DT_LOGICOUT); }

void CLogicOut::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<int32_t>(m_invert ? 1 : 0);
    return;
  }
  int32_t invert = 0;
  ar >> invert;
  m_invert = invert != 0;
}

void CLogicOut::GetColumnText(QString& out, int column) const {
  switch (column) {
    case 2: out = GetLinkedInputName(*this, kPinCondition, DT_CONDITION); return;
    case 3: out = LogicString(m_invert ? IDS_LOGIC_ON : IDS_LOGIC_OFF); return;
    case 4: out = GetLinkedInputName(*this, kPinPad, DT_CONTROLPAD); return;
    default: out.clear(); return;
  }
}

int CLogicOut::GetValue(int column) const {
  switch (column) {
    case 2: return GetLinkedInputID(*this, kPinCondition, DT_CONDITION);
    case 3: return m_invert ? 1 : 0;
    case 4: return GetLinkedInputID(*this, kPinPad, DT_CONTROLPAD);
    default: return 0;
  }
}

void CLogicOut::SetValue(int column, int value, const QString& text) {
  (void)text;
  switch (column) {
    case 2:
      if (value != 0) FindOrCreatePlaceholder(GetDocument(), DT_CONDITION, value);
      SetLinkedInput(*this, kPinCondition, DT_CONDITION, value);
      return;
    case 3:
      m_invert = value != 0;
      SetModified();
      return;
    case 4: SetLinkedInput(*this, kPinPad, DT_CONTROLPAD, value); return;
    default: return;
  }
}

int CLogicOut::FieldOfKey(const QString& key) {
  for (int f = 0; f < kFieldCount; ++f) {
    if (key.compare(QLatin1String(kFieldKeys[f]), Qt::CaseInsensitive) == 0) return f;
  }
  return -1;
}

QString CLogicOut::FieldLine(int id, int field, const CLogicOut* out, bool bQuery) {
  if (field < 0 || field >= kFieldCount) return QString();
  const QString prefix = CLogicOutObject::Path() + Fmt("/OUT%d/%s ", id, kFieldKeys[field]);
  if (bQuery) return prefix + QStringLiteral("?");
  const CBaseDevice* pad = out != nullptr ? GetLinkedInput(*out, kPinPad, DT_CONTROLPAD) : nullptr;
  switch (field) {
    case FIELD_OUTPUT: return prefix + CPadReference::KeywordValue(pad);
    case FIELD_OUTNR: return prefix + CPadReference::NumberValue(pad);
    case FIELD_CONDITION: return prefix + Fmt("%d", out != nullptr ? out->GetValue(2) : 0);
    default: return prefix + OnOffText(out != nullptr && out->m_invert);
  }
}

bool CLogicOut::ParseField(const QString& field, const QString& value, const QString& errorFilePath) {
  switch (FieldOfKey(field)) {
    case FIELD_OUTPUT:
      if (m_pad.TakeKeyword(value)) SetValue(4, 0);
      return true;
    case FIELD_OUTNR: {
      int number = 0;
      if (!ScanInt(value, &number)) return false;
      if (m_pad.HasKeyword()) {
        SetValue(4, m_pad.TakeNumber(number, GetDocument(), IDS_LOGIC_STATE, GetID(), errorFilePath));
      }
      return true;
    }
    case FIELD_CONDITION: {
      int id = 0;
      if (!ScanInt(value, &id) || id < 0) return false;
      SetValue(2, id);
      return true;
    }
    case FIELD_INVERT: {
      bool on = false;
      if (!ParseBoolText(value, &on)) return false;
      SetValue(3, on ? 1 : 0);
      return true;
    }
    default: return false;
  }
}
