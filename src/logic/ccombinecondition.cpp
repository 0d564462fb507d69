#include "logic/ccombinecondition.h"

#include "logic/logiclinks.h"
#include "macros/rangelist.h"
#include "model/carchive.h"
#include "model/ctext.h"

SELV_IMPLEMENT_SERIAL(CCombineCondition, 1)

namespace {

struct Function {
  int id;
  const char* keyword;
};

constexpr Function kFunctions[] = {
    {IDS_LOGIC_OFF, "OFF"}, {IDS_FUNC_AND, "AND"}, {IDS_FUNC_OR, "OR"}, {IDS_FUNC_XOR, "XOR"}};

// Columns 2/3 are input 1, 4/5 input 2 and so on; -1 for other columns.
int InputOfColumn(int column) {
  if (column < 2 || column > 9) return -1;
  return (column - 2) / 2;
}

QString Line(const QString& prefix, const QString& field, const QString& value) {
  return prefix + QLatin1Char('/') + field + QLatin1Char(' ') + value;
}

}  // namespace

CCombineCondition::CCombineCondition() { SetType(DT_COMBINECONDITION); }

void CCombineCondition::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<int32_t>(m_function);
    for (bool invert : m_invert) ar << static_cast<int32_t>(invert ? 1 : 0);
    return;
  }
  int32_t function = 0;
  ar >> function;
  m_function = FunctionKeyword(function).isEmpty() ? static_cast<int>(IDS_LOGIC_OFF) : function;
  for (bool& invert : m_invert) {
    int32_t flag = 0;
    ar >> flag;
    invert = flag != 0;
  }
}

std::vector<int> CCombineCondition::Functions() {
  std::vector<int> ids;
  for (const Function& f : kFunctions) ids.push_back(f.id);
  return ids;
}

QString CCombineCondition::FunctionKeyword(int function) {
  for (const Function& f : kFunctions) {
    if (f.id == function) return QString::fromLatin1(f.keyword);
  }
  return QString();
}

int CCombineCondition::FunctionOfKeyword(const QString& keyword) {
  for (const Function& f : kFunctions) {
    if (keyword.trimmed().compare(QLatin1String(f.keyword), Qt::CaseInsensitive) == 0) return f.id;
  }
  return 0;
}

void CCombineCondition::GetColumnText(QString& out, int column) const {
  if (column == 0) {
    out = LogicString(static_cast<uint32_t>(m_function));
    return;
  }
  const int input = InputOfColumn(column);
  if (input < 0) {
    out.clear();
  } else if (column % 2 == 0) {
    out = m_invert[input] ? QStringLiteral("NOT") : QString();
  } else {
    out = GetLinkedInputName(*this, kFirstInputPin + input, DT_CONDITION);
  }
}

int CCombineCondition::GetValue(int column) const {
  if (column == 0) return m_function;
  const int input = InputOfColumn(column);
  if (input < 0) return 0;
  if (column % 2 == 0) return m_invert[input] ? 1 : 0;
  return GetLinkedInputID(*this, kFirstInputPin + input, DT_CONDITION);
}

void CCombineCondition::SetValue(int column, int value, const QString& text) {
  (void)text;
  if (column == 0) {
    if (FunctionKeyword(value).isEmpty()) return;
    m_function = value;
    SetModified();
    return;
  }
  const int input = InputOfColumn(column);
  if (input < 0) return;
  if (column % 2 == 0) {
    m_invert[input] = value != 0;
    SetModified();
    return;
  }
  if (value != 0) FindOrCreatePlaceholder(GetDocument(), DT_CONDITION, value);
  SetLinkedInput(*this, kFirstInputPin + input, DT_CONDITION, value);
}

QStringList CCombineCondition::GetLines(const QString& prefix, bool bQuery) const {
  if (bQuery) return QueryLines(prefix);
  QStringList lines;
  lines << Line(prefix, QStringLiteral("LOGIC"), FunctionKeyword(m_function));
  for (int i = 0; i < kInputs; ++i) {
    lines << Line(prefix, Fmt("IN%d", i + 1), Fmt("%d", GetLinkedInputID(*this, kFirstInputPin + i, DT_CONDITION)));
    lines << Line(prefix, Fmt("INV%d", i + 1), OnOffText(m_invert[i]));
  }
  return lines;
}

QStringList CCombineCondition::UnusedLines(const QString& prefix) {
  return {Line(prefix, QStringLiteral("LOGIC"), QStringLiteral("OFF"))};
}

QStringList CCombineCondition::QueryLines(const QString& prefix) {
  const QString q = QStringLiteral("?");
  QStringList lines;
  lines << Line(prefix, QStringLiteral("LOGIC"), q);
  for (int i = 0; i < kInputs; ++i) {
    lines << Line(prefix, Fmt("IN%d", i + 1), q) << Line(prefix, Fmt("INV%d", i + 1), q);
  }
  return lines;
}

bool CCombineCondition::ParseField(const QString& field, const QString& value, const QString& errorFilePath) {
  (void)errorFilePath;
  if (field == QLatin1String("LOGIC")) {
    const int function = FunctionOfKeyword(value);
    if (function == 0) return false;
    SetValue(0, function);
    return true;
  }
  for (int i = 0; i < kInputs; ++i) {
    if (field == Fmt("IN%d", i + 1)) {
      int id = 0;
      if (!ScanInt(value, &id) || id < 0) return false;
      SetValue(3 + 2 * i, id);
      return true;
    }
    if (field == Fmt("INV%d", i + 1)) {
      bool on = false;
      if (!ParseBoolText(value, &on)) return false;
      SetValue(2 + 2 * i, on ? 1 : 0);
      return true;
    }
  }
  return false;
}
