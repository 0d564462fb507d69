#include "editors/lists/calendarcelltext.h"

#include "shell/controls/celldatetimeformat.h"

#include <QDateTime>
#include <QStringList>

namespace {

QDateTime Local(int64_t time) { return QDateTime::fromSecsSinceEpoch(time, Qt::LocalTime); }

int64_t FromParts(const QDate& date, const QTime& time) {
  return QDateTime(date, time, Qt::LocalTime).toSecsSinceEpoch();
}

}  // namespace

QDate CalendarCellText::ParseDate(const QString& text, const QLocale& locale) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return QDate();
  const QDate date = CellDateTimeFormat(CellDateTimeFormat::Kind::Date, locale).ParseDate(trimmed);
  // A four-digit pattern may take "80" as the year 80; such a text is no date
  // of this calendar (the unit starts at 1980).
  if (date.isValid() && date.year() >= 1900) return date;
  // The unit's own form and the ISO form, whatever the locale.
  for (const char* pattern : {"dd.MM.yyyy", "d.M.yyyy", "yyyy-MM-dd"}) {
    const QDate plain = QDate::fromString(trimmed, QLatin1String(pattern));
    if (plain.isValid()) return plain;
  }
  return QDate();
}

QTime CalendarCellText::ParseTime(const QString& text, const QLocale& locale) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return QTime();
  const QTime time = CellDateTimeFormat(CellDateTimeFormat::Kind::Time, locale).ParseTime(trimmed);
  if (time.isValid()) return time;
  for (const char* pattern : {"H:mm:ss", "H:mm", "H.mm.ss", "H.mm"}) {
    const QTime plain = QTime::fromString(trimmed, QLatin1String(pattern));
    if (plain.isValid()) return plain;
  }
  return QTime();
}

QString CalendarCellText::PickerDate(int64_t time, const QLocale& locale) {
  return CellDateTimeFormat(CellDateTimeFormat::Kind::Date, locale).FormatDate(DateOf(time));
}

QString CalendarCellText::PickerTime(int64_t time, const QLocale& locale) {
  return CellDateTimeFormat(CellDateTimeFormat::Kind::Time, locale).FormatTime(TimeOf(time));
}

QDate CalendarCellText::DateOf(int64_t time) { return Local(time).date(); }

QTime CalendarCellText::TimeOf(int64_t time) { return Local(time).time(); }

int64_t CalendarCellText::WithDate(int64_t time, const QDate& date) { return FromParts(date, TimeOf(time)); }

int64_t CalendarCellText::WithTime(int64_t time, const QTime& timeOfDay) { return FromParts(DateOf(time), timeOfDay); }
