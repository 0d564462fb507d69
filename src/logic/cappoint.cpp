#include "logic/cappoint.h"

#include "logic/logiclinks.h"
#include "logic/logictime.h"
#include "model/carchive.h"
#include "model/ctext.h"

SELV_IMPLEMENT_SERIAL(CAppoint, 1)

namespace {

struct Repetition {
  int id;
  const char* keyword;
};

constexpr Repetition kRepetitions[] = {{IDS_LOGIC_OFF, "OFF"},     {IDS_REP_ONETIME, "ONETIME"},
                                       {IDS_REP_ANNUAL, "ANNUAL"}, {IDS_REP_MONTHLY, "MONTHLY"},
                                       {IDS_REP_WEEKLY, "WEEKLY"}, {IDS_REP_DAILY, "DAILY"},
                                       {IDS_REP_HOURLY, "HOURLY"}, {IDS_REP_MINUTELY, "MINUTELY"}};

QString Line(const QString& prefix, const char* field, const QString& value) {
  return prefix + QLatin1Char('/') + QLatin1String(field) + QLatin1Char(' ') + value;
}

}  // namespace

CAppoint::CAppoint() : m_time(FreeLimitTime()) { SetType(DT_APPOINT); }

void CAppoint::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar << static_cast<uint32_t>(static_cast<uint64_t>(m_time) & 0xFFFFFFFFu) << static_cast<int32_t>(m_time >> 32)
       << static_cast<int32_t>(m_repetition);
    return;
  }
  uint32_t low = 0;
  int32_t high = 0, repetition = 0;
  ar >> low >> high >> repetition;
  m_time = static_cast<int64_t>((uint64_t(uint32_t(high)) << 32) | low);
  m_repetition = RepetitionKeyword(repetition).isEmpty() ? static_cast<int>(IDS_LOGIC_OFF) : repetition;
}

QString CAppoint::RepetitionKeyword(int repetition) {
  for (const Repetition& r : kRepetitions) {
    if (r.id == repetition) return QString::fromLatin1(r.keyword);
  }
  return QString();
}

int CAppoint::RepetitionOfKeyword(const QString& keyword) {
  for (const Repetition& r : kRepetitions) {
    if (keyword.trimmed().compare(QLatin1String(r.keyword), Qt::CaseInsensitive) == 0) return r.id;
  }
  return 0;
}

int CAppoint::ListChoices(int column, std::vector<int>& choices) {
  if (column == 2) {
    for (const Repetition& r : kRepetitions) choices.push_back(r.id);
  }
  return static_cast<int>(choices.size());
}

void CAppoint::GetColumnText(QString& out, int column) const {
  switch (column) {
    case 0: out = FormatLocaleTime24(m_time); return;
    case 1: out = FormatLocaleDate(m_time); return;
    case 2: out = LogicString(static_cast<uint32_t>(m_repetition)); return;
    case 3: out = GetLinkedInputName(*this, kPinMacro, DT_MACRO); return;
    default: out.clear(); return;
  }
}

int64_t CAppoint::GetValue(int column) const {
  switch (column) {
    case 0:
    case 1: return m_time;
    case 2: return m_repetition;
    case 3: return GetLinkedInputID(*this, kPinMacro, DT_MACRO);
    default: return 0;
  }
}

void CAppoint::SetValue(int column, int64_t value) {
  switch (column) {
    case 0:
    case 1:
      m_time = value;
      SetModified();
      return;
    case 2:
      if (RepetitionKeyword(static_cast<int>(value)).isEmpty()) return;
      m_repetition = static_cast<int>(value);
      SetModified();
      return;
    case 3:
      if (value != 0) FindOrCreatePlaceholder(GetDocument(), DT_MACRO, static_cast<int>(value));
      SetLinkedInput(*this, kPinMacro, DT_MACRO, static_cast<int>(value));
      return;
    default: return;
  }
}

QStringList CAppoint::GetLines(const QString& prefix, bool bQuery) const {
  if (bQuery) return QueryLines(prefix);
  return {Line(prefix, "FUNC", RepetitionKeyword(m_repetition)), Line(prefix, "DATE", FormatUnitDate(m_time)),
          Line(prefix, "TIME", FormatUnitTime(m_time)),
          Line(prefix, "MACRO", Fmt("%d", GetLinkedInputID(*this, kPinMacro, DT_MACRO)))};
}

QStringList CAppoint::UnusedLines(const QString& prefix) { return {Line(prefix, "FUNC", QStringLiteral("OFF"))}; }

QStringList CAppoint::QueryLines(const QString& prefix) {
  const QString q = QStringLiteral("?");
  return {Line(prefix, "FUNC", q), Line(prefix, "DATE", q), Line(prefix, "TIME", q), Line(prefix, "MACRO", q)};
}

bool CAppoint::ParseField(const QString& field, const QString& value) {
  if (field == QLatin1String("FUNC")) {
    const int repetition = RepetitionOfKeyword(value);
    if (repetition == 0) return false;
    SetValue(2, repetition);
    return true;
  }
  if (field == QLatin1String("DATE") || field == QLatin1String("TIME")) {
    int64_t time = 0;
    const bool ok =
        field == QLatin1String("DATE") ? ParseUnitDate(value, m_time, &time) : ParseUnitTime(value, m_time, &time);
    if (!ok) return false;
    SetValue(0, time);
    return true;
  }
  if (field == QLatin1String("MACRO")) {
    int id = 0;
    if (!ScanInt(value, &id) || id < 0) return false;
    SetValue(3, id);
    return true;
  }
  return false;
}
