#include "logic/logictime.h"

#include "model/ctext.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

namespace {

QDateTime ToDateTime(int64_t time) { return QDateTime::fromSecsSinceEpoch(time, Qt::LocalTime); }

int64_t FromParts(const QDate& date, const QTime& time) {
  return QDateTime(date, time, Qt::LocalTime).toSecsSinceEpoch();
}

// "a.b.c" or "a:b:c" with decimal fields; false for anything else.
bool SplitThree(const QString& text, QChar separator, int* a, int* b, int* c) {
  const QStringList parts = text.trimmed().split(separator);
  if (parts.size() != 3) return false;
  int values[3];
  for (int i = 0; i < 3; ++i) {
    bool ok = false;
    values[i] = parts.at(i).trimmed().toInt(&ok);
    if (!ok) return false;
  }
  *a = values[0];
  *b = values[1];
  *c = values[2];
  return true;
}

}  // namespace

int64_t MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
  return FromParts(QDate(year, month, day), QTime(hour, minute, second));
}

int64_t FreeLimitTime() { return MakeLocalTime(1980, 3, 1); }
int64_t DeletedEntryTime() { return MakeLocalTime(1980, 1, 1); }

QString FormatUnitDate(int64_t time) {
  const QDate date = ToDateTime(time).date();
  return Fmt("%02d.%02d.%04d", date.day(), date.month(), date.year());
}

QString FormatUnitTime(int64_t time) {
  const QTime t = ToDateTime(time).time();
  return Fmt("%02d:%02d:%02d", t.hour(), t.minute(), t.second());
}

bool ParseUnitDate(const QString& text, int64_t base, int64_t* out) {
  int day = 0, month = 0, year = 0;
  if (!SplitThree(text, QLatin1Char('.'), &day, &month, &year)) return false;
  const QDate date(year, month, day);
  if (!date.isValid()) return false;
  *out = FromParts(date, ToDateTime(base).time());
  return true;
}

bool ParseUnitTime(const QString& text, int64_t base, int64_t* out) {
  int hour = 0, minute = 0, second = 0;
  if (!SplitThree(text, QLatin1Char(':'), &hour, &minute, &second)) return false;
  const QTime time(hour, minute, second);
  if (!time.isValid()) return false;
  *out = FromParts(ToDateTime(base).date(), time);
  return true;
}

QString FormatLocaleDate(int64_t time) {
  return QLocale::system().toString(ToDateTime(time).date(), QLocale::ShortFormat);
}

QString FormatLocaleTime24(int64_t time) {
  // The locale's separator, but always 24 hours with seconds.
  const QString separator = QLocale::system().timeFormat(QLocale::ShortFormat).contains(QLatin1Char('.'))
                                ? QStringLiteral(".")
                                : QStringLiteral(":");
  return ToDateTime(time).time().toString(QStringLiteral("HH") + separator + QStringLiteral("mm") + separator +
                                          QStringLiteral("ss"));
}
