#ifndef SELV_SHELL_CONTROLS_CELLDATETIMEFORMAT_H
#define SELV_SHELL_CONTROLS_CELLDATETIMEFORMAT_H

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// Date and time texts of list cells in the user's locale, read back with the
// same format they were written in. Dates use the locale's short order with a
// four-digit year (a two-digit year would read back as 19xx); times use the
// locale's short form on a 24-hour clock.
class CellDateTimeFormat final {
 public:
  enum class Kind { Date, Time };

  explicit CellDateTimeFormat(Kind kind, const QLocale& locale = QLocale());

  Kind GetKind() const noexcept { return m_kind; }
  // The Qt format string in use ("dd.MM.yyyy", "HH:mm").
  const QString& Pattern() const noexcept { return m_pattern; }

  QString FormatDate(const QDate& date) const;
  QString FormatTime(const QTime& time) const;
  // Invalid when the text is not a date / time of this format. A date typed
  // with the locale's own two-digit year is taken as 20yy.
  QDate ParseDate(const QString& text) const;
  QTime ParseTime(const QString& text) const;

  // The locale's short time format turned into a 24-hour format without
  // AM/PM markers; quoted literals are kept.
  static QString To24Hour(const QString& pattern);
  // "yy" widened to "yyyy" where the pattern has only a two-digit year.
  static QString WithFullYear(const QString& pattern);

 private:
  Kind m_kind;
  QLocale m_locale;
  QString m_pattern;
  QString m_localePattern;
};

#endif
