#include "logic/creadyinput.h"

#include "logic/cglobalreadyinput.h"
#include "logic/logiclinks.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <algorithm>

SELV_IMPLEMENT_SERIAL(CReadyInput, 1)

namespace {

const char* const kFieldKeys[CReadyInput::kFieldCount] = {"INPUT", "INPNR", "LEVEL", "MASKED", "TEXT", "NR"};

}  // namespace

CReadyInput::CReadyInput() { SetType(DT_READYINPUT); }

void CReadyInput::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<int32_t>(m_level ? 1 : 0) << static_cast<int32_t>(m_masked ? 1 : 0)
       << static_cast<int32_t>(m_textNumber) << static_cast<int32_t>(m_number);
    return;
  }
  int32_t level = 1, masked = 0, text = 1, number = 0;
  ar >> level >> masked >> text >> number;
  m_level = level != 0;
  m_masked = masked != 0;
  m_textNumber = std::clamp<int>(text, 1, kMaxTextNumber);
  m_number = std::clamp<int>(number, 0, kMaxNumber);
}

void CReadyInput::GetColumnText(QString& out, int column) const {
  const CBaseDevice* pad = GetLinkedInput(*this, kPinPad, DT_CONTROLPAD);
  switch (column) {
    case 0: out = pad != nullptr ? pad->GetName() : QString(); return;
    case 1: {
      const QString keyword = PadKeyword(pad);
      out = keyword.isEmpty() ? LogicString(IDS_LOGIC_OFF) : keyword;
      return;
    }
    case 2: out = pad != nullptr ? Fmt("%d", PadNumber(pad)) : QString(); return;
    case 3: out = LogicString(m_level ? IDS_LOGIC_ON : IDS_LOGIC_OFF); return;
    case 4: out = LogicString(m_masked ? IDS_LOGIC_ON : IDS_LOGIC_OFF); return;
    case 5: out = Fmt("%d", m_textNumber); return;
    case 6: out = Fmt("%d", m_number); return;
    default: out.clear(); return;
  }
}

int CReadyInput::GetValue(int column) const {
  switch (column) {
    case 2: {
      const CBaseDevice* pad = GetLinkedInput(*this, kPinPad, DT_CONTROLPAD);
      return pad != nullptr ? PadNumber(pad) : 1;
    }
    case 3: return m_level ? 1 : 0;
    case 4: return m_masked ? 1 : 0;
    case 5: return m_textNumber;
    case 6: return m_number;
    default: return 0;
  }
}

void CReadyInput::SetColumnText(int column, const QString& text, int reserved) {
  (void)reserved;
  if (column != 5 && column != 6) return;
  int value = 0;
  if (ScanInt(text, &value)) SetValue(column, value);
}

void CReadyInput::SetValue(int column, int value, const QString& text) {
  (void)text;
  switch (column) {
    case 0: SetLinkedInput(*this, kPinPad, DT_CONTROLPAD, value); return;
    case 3: m_level = value != 0; break;
    case 4: m_masked = value != 0; break;
    case 5: m_textNumber = std::clamp(value, 1, kMaxTextNumber); break;
    case 6: m_number = std::clamp(value, 0, kMaxNumber); break;
    default: return;
  }
  SetModified();
}

int CReadyInput::FieldOfKey(const QString& key) {
  for (int f = 0; f < kFieldCount; ++f) {
    if (key.compare(QLatin1String(kFieldKeys[f]), Qt::CaseInsensitive) == 0) return f;
  }
  return -1;
}

QString CReadyInput::FieldLine(int id, int field, const CReadyInput* input, bool bQuery) {
  if (field < 0 || field >= kFieldCount) return QString();
  const QString prefix = CGlobalReadyInput::Path() + Fmt("/INP%d/%s ", id, kFieldKeys[field]);
  if (bQuery) return prefix + QStringLiteral("?");
  const CBaseDevice* pad = input != nullptr ? GetLinkedInput(*input, kPinPad, DT_CONTROLPAD) : nullptr;
  switch (field) {
    case FIELD_INPUT: return prefix + CPadReference::KeywordValue(pad);
    case FIELD_INPNR: return prefix + CPadReference::NumberValue(pad);
    case FIELD_LEVEL: return prefix + OnOffText(input == nullptr || input->m_level);
    case FIELD_MASKED: return prefix + OnOffText(input != nullptr && input->m_masked);
    case FIELD_TEXT: return prefix + Fmt("%d", input != nullptr ? input->m_textNumber : 1);
    default: return prefix + Fmt("%d", input != nullptr ? input->m_number : 0);
  }
}

bool CReadyInput::ParseField(const QString& field, const QString& value, const QString& errorFilePath) {
  const int f = FieldOfKey(field);
  switch (f) {
    case FIELD_INPUT:
      if (m_pad.TakeKeyword(value)) SetValue(0, 0);
      return true;
    case FIELD_INPNR: {
      int number = 0;
      if (!ScanInt(value, &number)) return false;
      if (m_pad.HasKeyword()) {
        SetValue(0, m_pad.TakeNumber(number, GetDocument(), IDS_READYINP, GetID(), errorFilePath));
      }
      return true;
    }
    case FIELD_LEVEL:
    case FIELD_MASKED: {
      bool on = false;
      if (!ParseBoolText(value, &on)) return false;
      SetValue(f == FIELD_LEVEL ? 3 : 4, on ? 1 : 0);
      return true;
    }
    case FIELD_TEXT:
    case FIELD_NR: {
      int number = 0;
      if (!ScanInt(value, &number)) return false;
      SetValue(f == FIELD_TEXT ? 5 : 6, number);
      return true;
    }
    default: return false;
  }
}
