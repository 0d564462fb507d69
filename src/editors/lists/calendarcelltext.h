#ifndef SELV_EDITORS_LISTS_CALENDARCELLTEXT_H
#define SELV_EDITORS_LISTS_CALENDARCELLTEXT_H

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include <cstdint>

// Date and time texts of the calendar lists' in-place pickers. The picker
// writes the user's locale (short date with a four-digit year, 24-hour
// time); reading accepts that and a few plain forms typed by hand. Times of
// the calendar objects are local seconds since 1970.
class CalendarCellText final {
 public:
  // Invalid when the text is no date / time.
  static QDate ParseDate(const QString& text, const QLocale& locale = QLocale());
  static QTime ParseTime(const QString& text, const QLocale& locale = QLocale());

  // The text a picker opens with for a stored time.
  static QString PickerDate(int64_t time, const QLocale& locale = QLocale());
  static QString PickerTime(int64_t time, const QLocale& locale = QLocale());

  static QDate DateOf(int64_t time);
  static QTime TimeOf(int64_t time);
  // time with its date (or its time of day) replaced.
  static int64_t WithDate(int64_t time, const QDate& date);
  static int64_t WithTime(int64_t time, const QTime& timeOfDay);
};

#endif
