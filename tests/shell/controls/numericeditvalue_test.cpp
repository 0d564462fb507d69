#include "shell/controls/numericeditvalue.h"
#include "shell/controls/cnumericedit.h"
#include "shell/controls/qstringprinter.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// A level edit: -80..6 dB in tenths, with -100 shown as "OFF".
NumericEditValue LevelEdit(double value) {
  NumericEditValue v;
  v.Setup(true, "%2.1f", -80.0, 6.0, value, true, -100.0, "OFF");
  return v;
}

TEST(NumericEditValueTest, ValuesAreKeptWithinTheRange) {
  NumericEditValue v = LevelEdit(0.0);
  EXPECT_DOUBLE_EQ(v.SetValue(12.0), 6.0);
  EXPECT_DOUBLE_EQ(v.SetValue(-95.0), -80.0);
  EXPECT_DOUBLE_EQ(v.SetValue(-3.5), -3.5);
  EXPECT_EQ(v.Text(), "-3.5");
  // Setup clamps its starting value too.
  EXPECT_DOUBLE_EQ(LevelEdit(20.0).GetValue(), 6.0);
}

TEST(NumericEditValueTest, SpecialValueIsShownAsItsWordAndMayLieOutsideTheRange) {
  NumericEditValue v = LevelEdit(-100.0);
  EXPECT_DOUBLE_EQ(v.GetValue(), -100.0);
  EXPECT_TRUE(v.IsSpecial());
  EXPECT_EQ(v.Text(), "OFF");
  v.SetValue(-10.0);
  EXPECT_EQ(v.Text(), "-10.0");
  v.SetValue(-100.0);
  EXPECT_EQ(v.Text(), "OFF");
}

TEST(NumericEditValueTest, ReadTextClampsAcceptsTheWordAndKeepsTheValueOnGarbage) {
  struct Row {
    const char* typed;
    double expected;
  };
  const Row rows[] = {
      {"4.5", 4.5},    {"  -12.25 ", -12.25}, {"99", 6.0},   {"-1000", -80.0},
      {"off", -100.0}, {" OFF ", -100.0},     {"3 dB", 3.0},  // a number followed by a unit still reads
      {"", -7.0},                                             // nothing typed: the value stays
      {"abc", -7.0},                                          // no number: the value stays
      {"4,5", 4.0},                                           // a comma is not a decimal point here: "4" is read
  };
  for (const Row& row : rows) {
    NumericEditValue v = LevelEdit(-7.0);
    EXPECT_DOUBLE_EQ(v.ReadText(row.typed), row.expected) << row.typed;
  }
}

TEST(NumericEditValueTest, WholeNumberEditsRound) {
  NumericEditValue v;
  v.Setup(false, "%d", 0, 255, 10);
  EXPECT_DOUBLE_EQ(v.ReadText("17.6"), 18.0);
  EXPECT_EQ(v.Text(), "18");
  EXPECT_DOUBLE_EQ(v.ReadText("300"), 255.0);
  EXPECT_EQ(v.Text(), "255");
}

TEST(NumericEditValueTest, ReversedRangeIsSwapped) {
  NumericEditValue v;
  v.Setup(false, "%d", 100, 0, 50);
  EXPECT_DOUBLE_EQ(v.Minimum(), 0.0);
  EXPECT_DOUBLE_EQ(v.Maximum(), 100.0);
  EXPECT_DOUBLE_EQ(v.SetValue(150), 100.0);
}

TEST(NumericEditValueTest, WithoutSpecialTheWordIsNotAccepted) {
  NumericEditValue v;
  v.Setup(true, "%2.1f", -80.0, 6.0, 1.0);
  EXPECT_DOUBLE_EQ(v.ReadText("OFF"), 1.0);
  EXPECT_DOUBLE_EQ(v.SetValue(-100.0), -80.0);
}

TEST(CNumericEditTest, TypedTextIsClampedShownAgainAndReportedOnce) {
  CNumericEdit edit;
  edit.Setup(true, "%2.1f", -80.0, 6.0, 0.0, true, -100.0, "OFF");
  EXPECT_EQ(edit.text(), "0.0");
  std::vector<double> reported;
  QObject::connect(&edit, &CNumericEdit::valueEdited, [&](double v) { reported.push_back(v); });

  edit.show();
  edit.selectAll();
  QTest::keyClicks(&edit, "12");
  QTest::keyClick(&edit, Qt::Key_Return);
  EXPECT_EQ(edit.text(), "6.0");
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_DOUBLE_EQ(reported[0], 6.0);

  // Values set by the program are shown but never reported back.
  edit.SetValue(-100.0);
  EXPECT_EQ(edit.text(), "OFF");
  emit edit.editingFinished();
  EXPECT_EQ(reported.size(), 1u);
}

}  // namespace
