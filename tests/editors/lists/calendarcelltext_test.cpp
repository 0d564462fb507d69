#include "editors/lists/calendarcelltext.h"
#include "logic/logictime.h"

#include <gtest/gtest.h>

TEST(CalendarCellText, PickerTextsReadBackInSeveralLocales) {
  for (const QLocale& locale :
       {QLocale::c(), QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English, QLocale::UnitedStates)}) {
    const int64_t time = MakeLocalTime(2031, 11, 9, 21, 5);
    EXPECT_EQ(CalendarCellText::ParseDate(CalendarCellText::PickerDate(time, locale), locale), QDate(2031, 11, 9))
        << locale.name().toStdString();
    EXPECT_EQ(CalendarCellText::ParseTime(CalendarCellText::PickerTime(time, locale), locale), QTime(21, 5))
        << locale.name().toStdString();
  }
}

TEST(CalendarCellText, PickerDatesCarryFourDigitYears) {
  const int64_t time = MakeLocalTime(1980, 3, 1);
  EXPECT_EQ(CalendarCellText::PickerDate(time, QLocale(QLocale::German, QLocale::Germany)), "01.03.1980");
  EXPECT_EQ(CalendarCellText::ParseDate(CalendarCellText::PickerDate(time, QLocale::c()), QLocale::c()),
            QDate(1980, 3, 1));
}

TEST(CalendarCellText, UnitAndIsoFormsAreReadInAnyLocale) {
  EXPECT_EQ(CalendarCellText::ParseDate("24.12.2024", QLocale::c()), QDate(2024, 12, 24));
  EXPECT_EQ(CalendarCellText::ParseDate("2024-12-24", QLocale(QLocale::German)), QDate(2024, 12, 24));
  EXPECT_EQ(CalendarCellText::ParseTime("07:45:30", QLocale(QLocale::English, QLocale::UnitedStates)),
            QTime(7, 45, 30));
  EXPECT_EQ(CalendarCellText::ParseTime("7.45", QLocale::c()), QTime(7, 45));
}

TEST(CalendarCellText, TextsThatAreNoDateOrTimeAreInvalid) {
  for (const char* text : {"", "   ", "abc", "31.02.2024", "32.01.2024", "1.1.80"}) {
    EXPECT_FALSE(CalendarCellText::ParseDate(text, QLocale(QLocale::German)).isValid()) << text;
  }
  for (const char* text : {"", "25:00", "12:60", "noon", "12"}) {
    EXPECT_FALSE(CalendarCellText::ParseTime(text, QLocale::c()).isValid()) << text;
  }
}

TEST(CalendarCellText, ReplacingTheDateKeepsTheTimeOfDayAndTheOtherWayRound) {
  const int64_t time = MakeLocalTime(2024, 3, 31, 2, 30, 15);
  EXPECT_EQ(CalendarCellText::WithDate(MakeLocalTime(2020, 1, 1, 13, 14, 15), QDate(2024, 6, 1)),
            MakeLocalTime(2024, 6, 1, 13, 14, 15));
  EXPECT_EQ(CalendarCellText::WithTime(MakeLocalTime(2020, 1, 1, 13, 14, 15), QTime(8, 0)),
            MakeLocalTime(2020, 1, 1, 8, 0, 0));
  EXPECT_EQ(CalendarCellText::DateOf(time), QDate(2024, 3, 31));
}
