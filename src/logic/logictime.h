#ifndef SELV_LOGIC_LOGICTIME_H
#define SELV_LOGIC_LOGICTIME_H

#include <QString>

#include <cstdint>

// Calendar times are kept as seconds since 1970 of a local date and time
// (the form the editors pass through SetValue). The unit's texts are
// "dd.mm.yyyy" and "hh:mm:ss"; the lists show the user's locale.

int64_t MakeLocalTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// 1980-03-01 00:00:00: an entry before it is free.
int64_t FreeLimitTime();
// 1980-01-01 00:00:00: the time a deleted entry gets.
int64_t DeletedEntryTime();

QString FormatUnitDate(int64_t time);
QString FormatUnitTime(int64_t time);
// The date part of text "dd.mm.yyyy" combined with the time of day of
// base (and the other way round); false when the text is not a valid date
// or time, leaving *out unchanged.
bool ParseUnitDate(const QString& text, int64_t base, int64_t* out);
bool ParseUnitTime(const QString& text, int64_t base, int64_t* out);

// The user's locale: short date, and time in 24-hour form.
QString FormatLocaleDate(int64_t time);
QString FormatLocaleTime24(int64_t time);

#endif
