#include "shell/controls/celldatetimeformat.h"
#include "shell/controls/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kUs(QLocale::English, QLocale::UnitedStates);

TEST(CellDateTimeFormatTest, DatesRoundTripWithAFourDigitYear) {
  for (const QLocale& locale : {kGerman, kUs, QLocale::c()}) {
    const CellDateTimeFormat format(CellDateTimeFormat::Kind::Date, locale);
    const QDate date(2031, 2, 28);
    const QString text = format.FormatDate(date);
    EXPECT_TRUE(text.contains("2031")) << text.toStdString();
    EXPECT_EQ(format.ParseDate(text), date) << text.toStdString();
  }
  EXPECT_EQ(CellDateTimeFormat(CellDateTimeFormat::Kind::Date, kGerman).FormatDate(QDate(2024, 3, 1)), "01.03.2024");
}

TEST(CellDateTimeFormatTest, TwoDigitYearsTypedByTheUserMeanThisCentury) {
  const CellDateTimeFormat format(CellDateTimeFormat::Kind::Date, kGerman);
  EXPECT_EQ(format.ParseDate("01.03.25"), QDate(2025, 3, 1));
}

TEST(CellDateTimeFormatTest, TextThatIsNoDateGivesAnInvalidDate) {
  const CellDateTimeFormat format(CellDateTimeFormat::Kind::Date, kGerman);
  EXPECT_FALSE(format.ParseDate("").isValid());
  EXPECT_FALSE(format.ParseDate("tomorrow").isValid());
  EXPECT_FALSE(format.ParseDate("31.02.2024").isValid());
  EXPECT_TRUE(format.FormatDate(QDate()).isEmpty());
}

TEST(CellDateTimeFormatTest, TimesUseA24HourClockInEveryLocale) {
  const CellDateTimeFormat us(CellDateTimeFormat::Kind::Time, kUs);
  EXPECT_FALSE(us.Pattern().contains('a', Qt::CaseInsensitive)) << us.Pattern().toStdString();
  EXPECT_EQ(us.FormatTime(QTime(17, 5)), "17:05");
  EXPECT_EQ(us.ParseTime("17:05"), QTime(17, 5));
  // The locale's own 12-hour text still reads.
  EXPECT_EQ(us.ParseTime("5:05 PM"), QTime(17, 5));

  const CellDateTimeFormat german(CellDateTimeFormat::Kind::Time, kGerman);
  EXPECT_EQ(german.FormatTime(QTime(7, 30)), "07:30");
  EXPECT_EQ(german.ParseTime("07:30"), QTime(7, 30));
  EXPECT_FALSE(german.ParseTime("25:00").isValid());
}

TEST(CellDateTimeFormatTest, PatternRewritingKeepsQuotedLiterals) {
  EXPECT_EQ(CellDateTimeFormat::To24Hour("h:mm AP"), "H:mm");
  EXPECT_EQ(CellDateTimeFormat::To24Hour("AP h:mm"), "H:mm");
  EXPECT_EQ(CellDateTimeFormat::To24Hour("HH:mm"), "HH:mm");
  EXPECT_EQ(CellDateTimeFormat::To24Hour("h 'h' mm"), "H 'h' mm");
  EXPECT_EQ(CellDateTimeFormat::WithFullYear("dd.MM.yy"), "dd.MM.yyyy");
  EXPECT_EQ(CellDateTimeFormat::WithFullYear("M/d/yyyy"), "M/d/yyyy");
  EXPECT_EQ(CellDateTimeFormat::WithFullYear("yy 'yy'"), "yyyy 'yy'");
}

}  // namespace
