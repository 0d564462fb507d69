#include "logic/choliday.h"

#include "logic/logiclinks.h"
#include "logic/logictime.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/errorfile.h"

#include <algorithm>

SELV_IMPLEMENT_SERIAL(CHoliday, 1)

namespace {

struct Function {
  int id;
  const char* keyword;
};

constexpr Function kFunctions[] = {{IDS_LOGIC_OFF, "OFF"},
                                   {IDS_REP_ONETIME, "ONETIME"},
                                   {IDS_REP_ANNUAL, "ANNUAL"},
                                   {IDS_REP_MONTHLY, "MONTHLY"},
                                   {IDS_TIME_RANGE, "RANGE"}};

QString Line(const QString& prefix, const char* field, const QString& value) {
  return prefix + QLatin1Char('/') + QLatin1String(field) + QLatin1Char(' ') + value;
}

}  // namespace

CHoliday::CHoliday() : m_date(FreeLimitTime()) { SetType(DT_HOLIDAY); }

void CHoliday::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<uint32_t>(static_cast<uint64_t>(m_date) & 0xFFFFFFFFu) << static_cast<int32_t>(m_date >> 32)
       << static_cast<int32_t>(m_function) << static_cast<int32_t>(m_days);
    return;
  }
  uint32_t low = 0;
  int32_t high = 0, function = 0, days = 1;
  ar >> low >> high >> function >> days;
  m_date = static_cast<int64_t>((uint64_t(uint32_t(high)) << 32) | low);
  m_function = FunctionKeyword(function).isEmpty() ? static_cast<int>(IDS_LOGIC_OFF) : function;
  m_days = std::clamp<int>(days, kMinDays, kMaxDays);
}

QString CHoliday::FunctionKeyword(int function) {
  for (const Function& f : kFunctions) {
    if (f.id == function) return QString::fromLatin1(f.keyword);
  }
  return QString();
}

int CHoliday::FunctionOfKeyword(const QString& keyword) {
  for (const Function& f : kFunctions) {
    if (keyword.trimmed().compare(QLatin1String(f.keyword), Qt::CaseInsensitive) == 0) return f.id;
  }
  return 0;
}

int CHoliday::ListChoices(int column, std::vector<int>& choices) {
  if (column == 1) {
    for (const Function& f : kFunctions) choices.push_back(f.id);
  }
  return static_cast<int>(choices.size());
}

void CHoliday::GetColumnText(QString& out, int column) const {
  switch (column) {
    case 0: out = FormatLocaleDate(m_date); return;
    case 1: out = LogicString(static_cast<uint32_t>(m_function)); return;
    case 2: out = Fmt("%d", m_days); return;
    case 3: out = GetLinkedInputName(*this, kPinDayprog, DT_DAYPROG); return;
    default: out.clear(); return;
  }
}

int64_t CHoliday::GetValue(int column) const {
  switch (column) {
    case 0: return m_date;
    case 1: return m_function;
    case 2: return m_days;
    case 3: return GetLinkedInputID(*this, kPinDayprog, DT_DAYPROG);
    default: return 0;
  }
}

void CHoliday::SetValue(int column, int64_t value) {
  switch (column) {
    case 0: m_date = value; break;
    case 1:
      if (FunctionKeyword(static_cast<int>(value)).isEmpty()) return;
      m_function = static_cast<int>(value);
      break;
    case 2: m_days = static_cast<int>(std::clamp<int64_t>(value, kMinDays, kMaxDays)); break;
    case 3: SetLinkedInput(*this, kPinDayprog, DT_DAYPROG, static_cast<int>(value)); return;
    default: return;
  }
  SetModified();
}

QStringList CHoliday::GetLines(const QString& prefix, bool bQuery) const {
  if (bQuery) return QueryLines(prefix);
  return {Line(prefix, "FUNC", FunctionKeyword(m_function)), Line(prefix, "DATE", FormatUnitDate(m_date)),
          Line(prefix, "DAYS", Fmt("%d", m_days)),
          Line(prefix, "DAYPROG", Fmt("%d", GetLinkedInputID(*this, kPinDayprog, DT_DAYPROG)))};
}

QStringList CHoliday::UnusedLines(const QString& prefix) { return {Line(prefix, "FUNC", QStringLiteral("OFF"))}; }

QStringList CHoliday::QueryLines(const QString& prefix) {
  const QString q = QStringLiteral("?");
  return {Line(prefix, "FUNC", q), Line(prefix, "DATE", q), Line(prefix, "DAYS", q), Line(prefix, "DAYPROG", q)};
}

bool CHoliday::ParseField(const QString& field, const QString& value, const QString& errorFilePath) {
  if (field == QLatin1String("FUNC")) {
    const int function = FunctionOfKeyword(value);
    if (function == 0) return false;
    SetValue(1, function);
    return true;
  }
  if (field == QLatin1String("DATE")) {
    int64_t date = 0;
    if (!ParseUnitDate(value, m_date, &date)) return false;
    SetValue(0, date);
    return true;
  }
  if (field == QLatin1String("DAYS")) {
    int days = 0;
    if (!ScanInt(value, &days)) return false;
    SetValue(2, days);
    return true;
  }
  if (field == QLatin1String("DAYPROG")) {
    int id = 0;
    if (!ScanInt(value, &id) || id < 0) return false;
    SetValue(3, id);
    if (id != 0 && GetValue(3) != id) {
      AppendMissingLine(errorFilePath, IDS_HOLIDAY_PROGRAM, GetID(), LogicString(IDS_DAILY_PROGRAM) + Fmt(" %d", id));
    }
    return true;
  }
  return false;
}
