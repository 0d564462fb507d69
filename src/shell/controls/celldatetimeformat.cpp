#include "shell/controls/celldatetimeformat.h"

CellDateTimeFormat::CellDateTimeFormat(Kind kind, const QLocale& locale) : m_kind(kind), m_locale(locale) {
  if (kind == Kind::Date) {
    m_localePattern = locale.dateFormat(QLocale::ShortFormat);
    m_pattern = WithFullYear(m_localePattern);
  } else {
    m_localePattern = locale.timeFormat(QLocale::ShortFormat);
    m_pattern = To24Hour(m_localePattern);
  }
}

QString CellDateTimeFormat::FormatDate(const QDate& date) const {
  return date.isValid() ? m_locale.toString(date, m_pattern) : QString();
}

QString CellDateTimeFormat::FormatTime(const QTime& time) const {
  return time.isValid() ? m_locale.toString(time, m_pattern) : QString();
}

QDate CellDateTimeFormat::ParseDate(const QString& text) const {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) {
    return QDate();
  }
  QDate date = m_locale.toDate(trimmed, m_pattern);
  if (!date.isValid() && m_localePattern != m_pattern) {
    date = m_locale.toDate(trimmed, m_localePattern);
    if (date.isValid() && date.year() < 2000) {
      date = date.addYears(100);
    }
  }
  return date;
}

QTime CellDateTimeFormat::ParseTime(const QString& text) const {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) {
    return QTime();
  }
  QTime time = m_locale.toTime(trimmed, m_pattern);
  if (!time.isValid()) {
    time = m_locale.toTime(trimmed, m_localePattern);
  }
  return time;
}

QString CellDateTimeFormat::To24Hour(const QString& pattern) {
  QString out;
  bool quoted = false;
  for (int i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern.at(i);
    if (c == QLatin1Char('\'')) {
      quoted = !quoted;
      out += c;
      continue;
    }
    if (quoted) {
      out += c;
      continue;
    }
    if (c == QLatin1Char('h')) {
      out += QLatin1Char('H');
    } else if (c == QLatin1Char('a') || c == QLatin1Char('A')) {
      if (i + 1 < pattern.size() && (pattern.at(i + 1) == QLatin1Char('p') || pattern.at(i + 1) == QLatin1Char('P'))) {
        ++i;
      }
      // The blank that separated the marker from the time goes with it.
      while (!out.isEmpty() && out.back().isSpace()) {
        out.chop(1);
      }
    } else {
      out += c;
    }
  }
  // A marker in front of the time leaves a leading blank.
  return out.trimmed();
}

QString CellDateTimeFormat::WithFullYear(const QString& pattern) {
  QString out;
  bool quoted = false;
  for (int i = 0; i < pattern.size();) {
    const QChar c = pattern.at(i);
    if (c == QLatin1Char('\'')) {
      quoted = !quoted;
      out += c;
      ++i;
      continue;
    }
    if (quoted || c != QLatin1Char('y')) {
      out += c;
      ++i;
      continue;
    }
    int run = 0;
    while (i < pattern.size() && pattern.at(i) == QLatin1Char('y')) {
      ++run;
      ++i;
    }
    out += QString(run == 2 ? 4 : run, QLatin1Char('y'));
  }
  return out;
}
