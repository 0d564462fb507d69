#include "logic/ccondition.h"

#include "logic/logiclinks.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/modelstrings.h"
#include "unit/ccontrolpad.h"

SELV_IMPLEMENT_SERIAL(CCondition, 1)

namespace {

struct ConditionType {
  int kind;
  const char* keyword;
  int sourceKind;  // selection kind of the sources, 0: none
  int sourceType;  // their type code, 0: none
};

constexpr int kSelectConsole = IDS_CONSOLE;
constexpr int kSelectAmplifier = IDS_AMPLIFIER;
constexpr int kSelectZone = IDS_ZONE;
constexpr int kSelectMacro = IDS_MACRO;

constexpr ConditionType kTypes[] = {
    {CCondition::kKindCondition, "NONE", 0, 0},
    {CCondition::kKindInput, "INPUT", IDS_SELECT_CONTROL_INPUTS, DT_CONTROLPAD},
    {CCondition::kKindConsole, "CONSOLE", kSelectConsole, DT_CONSOLE},
    {CCondition::kKindMemoFlag, "MEMOFLAG", IDS_MEMO_FLAG, DT_MEMOFLAG},
    {CCondition::kKindAmplifierError, "AMPERR", kSelectAmplifier, DT_AMPLIFIER},
    {CCondition::kKindZoneFault, "ZONEFLT", kSelectZone, DT_ZONE},
    {CCondition::kKindFault, "FAULT", 0, 0},
    {CCondition::kKindAnalog, "ANALOG", IDS_RANGE_CHECK, DT_ANALOGCONDITION},
    {CCondition::kKindBusy, "BUSY", IDS_BUSY_CONDITION, DT_BUSYCONDITION},
    {CCondition::kKindCombine, "COMBINE", IDS_COMBINATION, DT_COMBINECONDITION},
    {CCondition::kKindReadyInput, "READYINP", IDS_SELECT_READY_INPUTS, DT_READYINPUT},
    {CCondition::kKindMacro, "MACRO", kSelectMacro, DT_MACRO},
};

const ConditionType* FindType(int kind) {
  for (const ConditionType& type : kTypes) {
    if (type.kind == kind) return &type;
  }
  return nullptr;
}

QString Line(const QString& prefix, const char* field, const QString& value) {
  return prefix + QLatin1Char('/') + QLatin1String(field) + QLatin1Char(' ') + value;
}

}  // namespace

CCondition::CCondition() { SetType(DT_CONDITION); }

void CCondition::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<int32_t>(m_level ? 1 : 0) << static_cast<int32_t>(m_source);
    return;
  }
  int32_t level = 1, source = 0;
  ar >> level >> source;
  m_level = level != 0;
  m_source = source;
}

std::vector<int> CCondition::ConditionTypes() {
  std::vector<int> kinds;
  for (const ConditionType& type : kTypes) kinds.push_back(type.kind);
  return kinds;
}

bool CCondition::IsConditionType(int kind) { return FindType(kind) != nullptr; }

QString CCondition::TypeKeyword(int kind) {
  const ConditionType* type = FindType(kind);
  return type != nullptr ? QString::fromLatin1(type->keyword) : QString();
}

int CCondition::TypeOfKeyword(const QString& keyword) {
  for (const ConditionType& type : kTypes) {
    if (keyword.compare(QLatin1String(type.keyword), Qt::CaseInsensitive) == 0) return type.kind;
  }
  return 0;
}

int CCondition::GetSourceObjectKind(int conditionKind) {
  const ConditionType* type = FindType(conditionKind);
  return type != nullptr ? type->sourceKind : 0;
}

int CCondition::GetSourceObjectType(int conditionKind) {
  const ConditionType* type = FindType(conditionKind);
  return type != nullptr ? type->sourceType : 0;
}

CBaseDevice* CCondition::GetSourceObject() const {
  const int type = GetSourceObjectType(GetKind());
  return type != 0 ? GetLinkedInput(*this, kPinSource, type) : nullptr;
}

void CCondition::GetColumnText(QString& out, int column) const {
  switch (column) {
    case 2: out = LogicString(m_level ? IDS_LOGIC_ON : IDS_LOGIC_OFF); return;
    case 4:
      if (const CBaseDevice* source = GetSourceObject()) {
        out = source->GetName();
      } else if (GetSourceObjectType(GetKind()) != 0 && m_source != 0) {
        out = Fmt("%d *", m_source);
      } else {
        out.clear();
      }
      return;
    default: out.clear(); return;
  }
}

int CCondition::GetValue(int column) const {
  switch (column) {
    case 2: return m_level ? 1 : 0;
    case 4: {
      const CBaseDevice* source = GetSourceObject();
      return source != nullptr ? source->GetID() : m_source;
    }
    case 5: return GetKind();
    default: return 0;
  }
}

void CCondition::Relink() {
  const int type = GetSourceObjectType(GetKind());
  DisconnectInputPin(kPinSource);
  if (type != 0 && m_source != 0) SetLinkedInput(*this, kPinSource, type, m_source);
}

void CCondition::SetValue(int column, int value, const QString& text) {
  (void)text;
  switch (column) {
    case 2:
      m_level = value != 0;
      SetModified();
      return;
    case 4:
      m_source = value;
      Relink();
      SetModified();
      return;
    case 5: {
      if (!IsConditionType(value)) return;
      const bool sameSources = GetSourceObjectType(value) == GetSourceObjectType(GetKind());
      SetKind(value);
      if (!sameSources) {
        // A number that names an object of another kind would be meaningless.
        m_source = value == kKindAmplifierError ? kAllAmplifiers : 0;
        Relink();
      }
      SetModified();
      return;
    }
    default: return;
  }
}

QStringList CCondition::GetLines(const QString& prefix, bool bQuery) const {
  if (bQuery) return QueryLines(prefix);
  QStringList lines;
  lines << Line(prefix, "TYPE", TypeKeyword(GetKind()));
  lines << Line(prefix, "LEVEL", OnOffText(m_level));
  const int type = GetSourceObjectType(GetKind());
  if (type == DT_CONTROLPAD) {
    const CBaseDevice* pad = GetSourceObject();
    lines << Line(prefix, "INPUT", CPadReference::KeywordValue(pad));
    lines << Line(prefix, "SOURCE", CPadReference::NumberValue(pad));
  } else if (type != 0) {
    lines << Line(prefix, "SOURCE", Fmt("%d", GetValue(4)));
  }
  return lines;
}

QStringList CCondition::UnusedLines(const QString& prefix) { return {Line(prefix, "TYPE", QStringLiteral("OFF"))}; }

QStringList CCondition::QueryLines(const QString& prefix) {
  const QString q = QStringLiteral("?");
  return {Line(prefix, "TYPE", q), Line(prefix, "LEVEL", q), Line(prefix, "INPUT", q), Line(prefix, "SOURCE", q)};
}

bool CCondition::ParseField(const QString& field, const QString& value, const QString& errorFilePath) {
  if (field == QLatin1String("TYPE")) {
    const int kind = TypeOfKeyword(value);
    if (kind == 0) return false;
    if (kind != GetKind()) SetValue(5, kind);
    return true;
  }
  if (field == QLatin1String("LEVEL")) {
    bool on = false;
    if (!ParseBoolText(value, &on)) return false;
    SetValue(2, on ? 1 : 0);
    return true;
  }
  if (field == QLatin1String("INPUT")) {
    m_pad.TakeKeyword(value);
    return true;
  }
  if (field == QLatin1String("SOURCE")) {
    int number = 0;
    if (!ScanInt(value, &number)) return false;
    const int type = GetSourceObjectType(GetKind());
    if (type != DT_CONTROLPAD) {
      SetValue(4, type != 0 ? number : 0);
      return true;
    }
    // The unit names an input by keyword and number; the project by pad.
    const int padId = number != 0 ? m_pad.TakeNumber(number, GetDocument(), IDS_CONDITION, GetID(), errorFilePath) : 0;
    m_pad.Forget();
    SetValue(4, padId);
    return true;
  }
  return false;
}
