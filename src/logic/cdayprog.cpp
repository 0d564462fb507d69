#include "logic/cdayprog.h"

#include "logic/logiclinks.h"
#include "logic/logictime.h"
#include "model/carchive.h"
#include "model/carchiveexception.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QRegularExpression>

SELV_IMPLEMENT_SERIAL(CDayprog, 1)

namespace {

QString Line(const QString& prefix, const QString& field, const QString& value) {
  return prefix + QLatin1Char('/') + field + QLatin1Char(' ') + value;
}

constexpr int kColumnTime = 0;
constexpr int kColumnMacro = 1;
constexpr int kColumnUsed = 2;
constexpr int kOpNewEntry = 3;
constexpr int kOpDeleteEntry = 4;

}  // namespace

CDayprog::CDayprog() {
  SetType(DT_DAYPROG);
  m_times.fill(DeletedEntryTime());
}

void CDayprog::Serialize(CArchive& ar) {
  CBaseDevice::Serialize(ar);
  if (ar.IsStoring()) {
    ar.WriteCount(static_cast<uint32_t>(m_times.size()));
    for (int64_t time : m_times) {
      ar << static_cast<uint32_t>(static_cast<uint64_t>(time) & 0xFFFFFFFFu) << static_cast<int32_t>(time >> 32);
    }
    return;
  }
  const uint32_t count = ar.ReadCount(8);
  m_times.fill(DeletedEntryTime());
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t low = 0;
    int32_t high = 0;
    ar >> low >> high;
    // Entries beyond the table cannot be shown or sent; they are read and dropped.
    if (i < m_times.size()) m_times[i] = static_cast<int64_t>((uint64_t(uint32_t(high)) << 32) | low);
  }
}

int CDayprog::GetMaxEntries() const {
  const CSelvantisDoc* doc = GetDocument();
  return doc != nullptr && doc->IsBigProject() ? kMaxEntriesBig : kMaxEntriesSmall;
}

bool CDayprog::IsFreeTime(int index) const { return m_times[static_cast<size_t>(index)] < FreeLimitTime(); }

bool CDayprog::IsEntryUsed(int index) const {
  if (!IsIndex(index)) return false;
  return !IsFreeTime(index) || GetLinkedInput(*this, index, DT_MACRO) != nullptr;
}

int CDayprog::GetUsedCount() const {
  int count = 0;
  for (int i = 0; i < GetMaxEntries(); ++i) count += IsEntryUsed(i) ? 1 : 0;
  return count;
}

void CDayprog::GetColumnText(QString& out, int code) const {
  const int index = code >> 16;
  const int column = code & 0xFFFF;
  out.clear();
  if (!IsIndex(index)) return;
  switch (column) {
    case kColumnTime:
      if (!IsFreeTime(index)) out = FormatLocaleTime24(m_times[static_cast<size_t>(index)]);
      return;
    case kColumnMacro: out = GetLinkedInputName(*this, index, DT_MACRO); return;
    case kColumnUsed: out = Fmt("%d", GetUsedCount()); return;
    default: return;
  }
}

int64_t CDayprog::GetValue(int code) const {
  const int index = code >> 16;
  const int column = code & 0xFFFF;
  if (!IsIndex(index)) return 0;
  switch (column) {
    case kColumnTime: return m_times[static_cast<size_t>(index)];
    case kColumnMacro: return GetLinkedInputID(*this, index, DT_MACRO);
    case kColumnUsed: return GetUsedCount();
    default: return 0;
  }
}

void CDayprog::ClearEntry(int index) {
  m_times[static_cast<size_t>(index)] = DeletedEntryTime();
  DisconnectInputPin(index);
}

void CDayprog::SetValue(int code, int64_t value) {
  const int number = code >> 16;
  const int column = code & 0xFFFF;
  switch (column) {
    case kColumnTime:
      if (!IsIndex(number - 1)) return;
      m_times[static_cast<size_t>(number - 1)] = value;
      SetModified();
      return;
    case kColumnMacro: {
      if (!IsIndex(number - 1)) return;
      const int id = static_cast<int>(value);
      if (id != 0) FindOrCreatePlaceholder(GetDocument(), DT_MACRO, id);
      SetLinkedInput(*this, number - 1, DT_MACRO, id);
      return;
    }
    case kOpNewEntry:
      for (int i = 0; i < GetMaxEntries(); ++i) {
        if (IsFreeTime(i)) {
          m_times[static_cast<size_t>(i)] = FreeLimitTime();
          SetModified();
          return;
        }
      }
      return;
    case kOpDeleteEntry:
      if (value < 1 || value > GetMaxEntries()) return;
      ClearEntry(static_cast<int>(value) - 1);
      SetModified();
      return;
    default: return;
  }
}

QStringList CDayprog::GetLines(const QString& prefix, bool bQuery) const {
  if (bQuery) return QueryLines(prefix);
  QStringList lines;
  // The unit's table is emptied first, so only the used entries follow.
  lines << Line(prefix, QStringLiteral("CLEAR"), QStringLiteral("ALL"));
  for (int i = 0; i < GetMaxEntries(); ++i) {
    if (!IsEntryUsed(i)) continue;
    lines << Line(prefix, Fmt("TIME%d", i + 1),
                  IsFreeTime(i) ? QStringLiteral("OFF") : FormatUnitTime(m_times[static_cast<size_t>(i)]));
    lines << Line(prefix, Fmt("MACRO%d", i + 1), Fmt("%d", GetLinkedInputID(*this, i, DT_MACRO)));
  }
  return lines;
}

QStringList CDayprog::UnusedLines(const QString& prefix) {
  return {Line(prefix, QStringLiteral("CLEAR"), QStringLiteral("ALL"))};
}

QStringList CDayprog::QueryLines(const QString& prefix) {
  return {Line(prefix, QStringLiteral("ENTRIES"), QStringLiteral("?"))};
}

bool CDayprog::ParseField(const QString& field, const QString& value) {
  if (field == QLatin1String("ENTRIES")) {
    int count = 0;
    if (!ScanInt(value, &count)) return false;
    for (int i = 0; i < kMaxEntriesBig; ++i) ClearEntry(i);
    SetModified();
    return true;
  }
  static const QRegularExpression kEntry(QStringLiteral("^(TIME|MACRO)(\\d+)$"));
  const QRegularExpressionMatch match = kEntry.match(field);
  if (!match.hasMatch()) return false;
  const int number = match.captured(2).toInt();
  if (!IsIndex(number - 1)) return false;
  if (match.captured(1) == QLatin1String("TIME")) {
    if (value.trimmed().compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0) {
      SetValue(number << 16 | kColumnTime, DeletedEntryTime());
      return true;
    }
    int64_t time = 0;
    if (!ParseUnitTime(value, FreeLimitTime(), &time)) return false;
    SetValue(number << 16 | kColumnTime, time);
    return true;
  }
  int id = 0;
  if (!ScanInt(value, &id) || id < 0) return false;
  SetValue(number << 16 | kColumnMacro, id);
  return true;
}
