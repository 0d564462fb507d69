// Numbers on the wire and in files: C-locale formatting and C-library
// scanning, whatever the user's locale, and Latin-1 unit text.
#include "model/ctext.h"
#include "support/commalocale.h"

#include <QString>
#include <QVariant>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(TextTest, FmtWritesTheCLocaleWhateverTheUserLocale) {
  CommaLocale comma;
  if (!comma.Ok()) GTEST_SKIP() << "no locale with a decimal comma is installed";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%2.1f", 12.5);
  ASSERT_STREQ(probe, "12,5");  // the process really writes commas now
  EXPECT_EQ(Fmt("%2.1f", 12.5), QStringLiteral("12.5"));
  EXPECT_EQ(FormatText(QStringLiteral("%2.1f dB"), {-3.25}), QStringLiteral("-3.2 dB"));
  double d = 0;
  ASSERT_TRUE(ScanDouble(QStringLiteral("12.5"), &d));
  EXPECT_DOUBLE_EQ(d, 12.5);
}

TEST(TextTest, FmtFormatsLikePrintf) {
  EXPECT_EQ(Fmt("/AMP/ADR%x/CHAN%d/VOL %d", 0x1f, 2, -12), QStringLiteral("/AMP/ADR1f/CHAN2/VOL -12"));
  EXPECT_EQ(Fmt("%2.1f", 0.05), QStringLiteral("0.1"));
  EXPECT_EQ(Fmt("%02x", 5), QStringLiteral("05"));
  EXPECT_EQ(Fmt("%s_%d", "Zone", 3), QStringLiteral("Zone_3"));
}

TEST(TextTest, FmtHandlesTextLongerThanItsFirstBuffer) {
  const std::string big(5000, 'x');
  const QString text = Fmt("[%s]", big.c_str());
  EXPECT_EQ(text.size(), 5002);
  EXPECT_TRUE(text.endsWith(QStringLiteral("x]")));
}

TEST(TextTest, UnitTextIsLatin1) {
  // The recording format "10KHZ µ-LAW" travels as one byte 0xB5.
  const QString format = Fmt("%s", "10KHZ \xb5-LAW");
  EXPECT_EQ(format, QStringLiteral("10KHZ \u00b5-LAW"));
  const QByteArray bytes = ToUnitText(format);
  ASSERT_EQ(bytes.size(), 11);
  EXPECT_EQ(static_cast<unsigned char>(bytes.at(6)), 0xB5);
  EXPECT_EQ(FromUnitText(bytes), format);
}

TEST(TextTest, FormatTextTakesTypedArguments) {
  struct Row {
    const char* format;
    QVariantList args;
    const char* expected;
  };
  const Row rows[] = {
      {"%s %d", {QStringLiteral("Amplifier"), 3}, "Amplifier 3"},
      {"OUT%d is connected to %d amplifier inputs", {2, 21}, "OUT2 is connected to 21 amplifier inputs"},
      {"%5.1f|%-6s|%6s|", {2.25, QStringLiteral("ab"), QStringLiteral("cd")}, "  2.2|ab    |    cd|"},
      {"%05d", {-42}, "-0042"},
      {"%x %X %u", {-1, 255, 7u}, "ffffffff FF 7"},
      {"%02x", {10}, "0a"},
      {"100%%", {}, "100%"},
      {"%.2s", {QStringLiteral("abcdef")}, "ab"},
      {"%c%c", {65, QStringLiteral("Bee")}, "AB"},
      {"%*d|%-*d|", {4, 7, 3, 8}, "   7|8  |"},
      {"%ld %lu %hd", {5, 6, 7}, "5 6 7"},      // length letters are ignored
      {"%d", {QStringLiteral("12 dB")}, "12"},  // a text where a number is expected
      {"%d", {2.9}, "2"},
      {"%.1f", {QStringLiteral("3.25")}, "3.2"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(FormatText(QString::fromLatin1(row.format), row.args), QString::fromLatin1(row.expected)) << row.format;
}

TEST(TextTest, FormatTextMissingArgumentsFormatAsZeroOrEmpty) {
  EXPECT_EQ(FormatText(QStringLiteral("Zone %s (%d) %2.1f"), {}), QStringLiteral("Zone  (0) 0.0"));
  EXPECT_EQ(FormatText(QStringLiteral("%s and %s"), {QStringLiteral("one")}), QStringLiteral("one and "));
}

TEST(TextTest, FormatTextKeepsWhatItDoesNotUnderstand) {
  // A broken table text must not read memory or write through %n.
  EXPECT_EQ(FormatText(QStringLiteral("%n %p %y"), {1, 2, 3}), QStringLiteral("%n %p %y"));
  EXPECT_EQ(FormatText(QStringLiteral("end %"), {}), QStringLiteral("end %"));
  EXPECT_EQ(FormatText(QStringLiteral("end %-5"), {}), QStringLiteral("end %-5"));
}

TEST(TextTest, FormatTextCapsHugeFieldWidths) {
  const QString text = FormatText(QStringLiteral("%999999999d|%.999999999f"), {1, 1.0});
  EXPECT_LE(text.size(), 3000);
  EXPECT_LE(FormatText(QStringLiteral("%*s"), {-2147483647 - 1, QStringLiteral("x")}).size(), 1024);
}

TEST(TextTest, FormatTextKeepsTextBeyondLatin1) {
  EXPECT_EQ(FormatText(QStringLiteral("%s!"), {QStringLiteral("Zone \u20ac")}), QStringLiteral("Zone \u20ac!"));
}

TEST(TextTest, ScanIntTakesTheNumericPrefix) {
  struct Row {
    const char* text;
    int value;
  };
  const Row rows[] = {{"12 dB", 12},    {"  -7", -7}, {"+3", 3},
                      {"\t42\r\n", 42}, {"0x10", 0},  {"2147483647", 2147483647}};
  for (const Row& row : rows) {
    int v = 99;
    ASSERT_TRUE(ScanInt(QString::fromLatin1(row.text), &v)) << row.text;
    EXPECT_EQ(v, row.value) << row.text;
  }
}

TEST(TextTest, ScanWithoutANumberChangesNothing) {
  const char* rows[] = {"", "   ", "dB", "- 5", "?", "NONE"};
  for (const char* text : rows) {
    int i = 99;
    unsigned u = 99;
    double d = 99.0;
    float f = 99.0f;
    EXPECT_FALSE(ScanInt(QString::fromLatin1(text), &i)) << text;
    EXPECT_FALSE(ScanUInt(QString::fromLatin1(text), &u)) << text;
    EXPECT_FALSE(ScanDouble(QString::fromLatin1(text), &d)) << text;
    EXPECT_FALSE(ScanFloat(QString::fromLatin1(text), &f)) << text;
    EXPECT_EQ(i, 99);
    EXPECT_EQ(u, 99u);
    EXPECT_EQ(d, 99.0);
    EXPECT_EQ(f, 99.0f);
  }
}

TEST(TextTest, ScanRefusesValuesThatDoNotFit) {
  int i = 5;
  unsigned u = 5;
  EXPECT_FALSE(ScanInt(QStringLiteral("2147483648"), &i));
  EXPECT_FALSE(ScanInt(QStringLiteral("-99999999999999999999999"), &i));
  EXPECT_FALSE(ScanUInt(QStringLiteral("4294967296"), &u));
  EXPECT_FALSE(ScanUInt(QStringLiteral("-1"), &u));  // would wrap to 4294967295
  EXPECT_EQ(i, 5);
  EXPECT_EQ(u, 5u);
  ASSERT_TRUE(ScanUInt(QStringLiteral("4294967295"), &u));
  EXPECT_EQ(u, 4294967295u);
}

TEST(TextTest, ScanHexAcceptsThePrefix) {
  unsigned u = 0;
  ASSERT_TRUE(ScanHex(QStringLiteral("1F"), &u));
  EXPECT_EQ(u, 0x1Fu);
  ASSERT_TRUE(ScanHex(QStringLiteral(" 0x2a,"), &u));
  EXPECT_EQ(u, 0x2Au);
  EXPECT_FALSE(ScanHex(QStringLiteral("xyz"), &u));
}

TEST(TextTest, ScanDoubleReadsTheCLocale) {
  struct Row {
    const char* text;
    double value;
  };
  const Row rows[] = {{"12.5", 12.5}, {"12,5", 12.0}, {" -3.25dB", -3.25}, {"1e2x", 100.0}, {"1e-400", 0.0}};
  for (const Row& row : rows) {
    double d = 99.0;
    ASSERT_TRUE(ScanDouble(QString::fromLatin1(row.text), &d)) << row.text;
    EXPECT_DOUBLE_EQ(d, row.value) << row.text;
  }
}

TEST(TextTest, ScanDoubleRefusesNonNumbers) {
  const char* rows[] = {"nan", "inf", "-infinity", "1e999"};
  for (const char* text : rows) {
    double d = 1.0;
    float f = 1.0f;
    EXPECT_FALSE(ScanDouble(QString::fromLatin1(text), &d)) << text;
    EXPECT_FALSE(ScanFloat(QString::fromLatin1(text), &f)) << text;
    EXPECT_EQ(d, 1.0);
  }
  float f = 1.0f;
  EXPECT_FALSE(ScanFloat(QStringLiteral("1e39"), &f));  // a double, but no float
  ASSERT_TRUE(ScanFloat(QStringLiteral("25.0"), &f));
  EXPECT_EQ(f, 25.0f);
}
