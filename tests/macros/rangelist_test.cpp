// Bit sets and range lists: the texts exchanged with the unit and shown in
// lists, including replies a damaged line or a hostile file could deliver.
#include "macros/rangelist.h"

#include <QString>

#include <gtest/gtest.h>

#include <vector>

namespace {

BitSet Bits(unsigned count, std::vector<unsigned> numbers) {
  BitSet bits = MakeBitSet(count);
  for (unsigned n : numbers) SetBit(bits, n - 1, true);
  return bits;
}

std::vector<unsigned> Numbers(const BitSet& bits, unsigned count) {
  std::vector<unsigned> out;
  for (unsigned i = 0; i < count; ++i)
    if (TestBit(bits, i)) out.push_back(i + 1);
  return out;
}

}  // namespace

TEST(RangeListTest, BitZeroIsTheMostSignificantBitOfTheFirstByte) {
  BitSet bits = MakeBitSet(16);
  ASSERT_EQ(bits.size(), 2u);
  SetBit(bits, 0, true);
  SetBit(bits, 9, true);
  EXPECT_EQ(bits[0], 0x80);
  EXPECT_EQ(bits[1], 0x40);
  SetBit(bits, 0, false);
  EXPECT_EQ(bits[0], 0x00);
  EXPECT_TRUE(TestBit(bits, 9));
  EXPECT_FALSE(TestBit(bits, 8));
}

TEST(RangeListTest, BitAccessOutsideTheSetDoesNothing) {
  BitSet bits = MakeBitSet(8);
  SetBit(bits, 8, true);
  SetBit(bits, 0xFFFFFFFFu, true);
  EXPECT_EQ(bits, BitSet{0});
  EXPECT_FALSE(TestBit(bits, 8));
  EXPECT_FALSE(TestBit(bits, 0xFFFFFFFFu));
  SetBit(nullptr, 0, 0, true);
  EXPECT_FALSE(TestBit(nullptr, 0, 0));
}

TEST(RangeListTest, FormatsRunsOfTwoOrMoreAsRanges) {
  struct Row {
    std::vector<unsigned> numbers;
    const char* text;
  };
  const Row rows[] = {
      {{}, "0"},
      {{1}, "1"},
      {{1, 2}, "1-2"},  // a run of two is already a range
      {{1, 2, 3, 4, 7}, "1-4,7"},
      {{1, 3, 5}, "1,3,5"},
      {{99, 100}, "99-100"},  // a run that ends on the last bit
      {{1, 2, 4, 100}, "1-2,4,100"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(FormatRangeList(Bits(100, row.numbers), 100), QString::fromLatin1(row.text)) << row.text;
}

TEST(RangeListTest, FormatsHexadecimalNumbers) {
  EXPECT_EQ(FormatRangeList(Bits(64, {10, 11, 12, 31}), 64, true), QStringLiteral("a-c,1f"));
}

TEST(RangeListTest, FormatLooksOnlyAtTheFirstCountBits) {
  BitSet bits = Bits(16, {3, 9, 10});
  EXPECT_EQ(FormatRangeList(bits, 9), QStringLiteral("3,9"));
  // A set shorter than count reads as clear beyond its end.
  EXPECT_EQ(FormatRangeList(BitSet{0xFF}, 100), QStringLiteral("1-8"));
}

TEST(RangeListTest, ListForTheUnitIsNeverCut) {
  // Every other bit of 2000 gives far more than 500 characters.
  BitSet bits = MakeBitSet(2000);
  for (unsigned i = 0; i < 2000; i += 2) SetBit(bits, i, true);
  const QString text = FormatRangeList(bits, 2000);
  EXPECT_GT(text.size(), 500);
  EXPECT_FALSE(text.contains(QStringLiteral("...")));
  BitSet back;
  ASSERT_TRUE(ParseRangeList(text, back, 2000));
  EXPECT_EQ(back, bits);
}

TEST(RangeListTest, DisplayTextIsCutOnceItReaches285Characters) {
  BitSet bits = MakeBitSet(2000);
  for (unsigned i = 0; i < 2000; i += 2) SetBit(bits, i, true);
  const QString full = FormatRangeList(bits, 2000);
  const QString shown = FormatRangeListForDisplay(bits, 2000);
  ASSERT_TRUE(shown.endsWith(QStringLiteral(",...")));
  const QString kept = shown.chopped(4);
  EXPECT_TRUE(full.startsWith(kept + QLatin1Char(',')));
  // It stopped at the first item that brought it to 285 or more.
  EXPECT_GE(kept.size(), 285);
  EXPECT_LT(kept.left(kept.lastIndexOf(QLatin1Char(','))).size(), 285);
}

TEST(RangeListTest, ShortDisplayTextIsNotCut) {
  EXPECT_EQ(FormatRangeListForDisplay(Bits(100, {1, 2, 3, 50}), 100), QStringLiteral("1-3,50"));
  EXPECT_EQ(FormatRangeListForDisplay(MakeBitSet(100), 100), QStringLiteral("0"));
}

TEST(RangeListTest, ParsesNumbersAndRanges) {
  struct Row {
    const char* text;
    std::vector<unsigned> numbers;
  };
  const Row rows[] = {
      {"1-4,7", {1, 2, 3, 4, 7}},
      {"7,1-2", {1, 2, 7}},
      {"5-3", {3, 4, 5}},  // written high-low, taken low-high
      {"100", {100}},
      {" 3 , 5 - 6 ", {3, 5, 6}},
      {"2\r\n", {2}},  // the end of a reply line
      {"4,4,3-4", {3, 4}},
  };
  for (const Row& row : rows) {
    BitSet bits;
    ASSERT_TRUE(ParseRangeList(QString::fromLatin1(row.text), bits, 100)) << row.text;
    EXPECT_EQ(Numbers(bits, 100), row.numbers) << row.text;
  }
  BitSet all;
  ASSERT_TRUE(ParseRangeList(QStringLiteral("1-100"), all, 100));
  EXPECT_EQ(Numbers(all, 100).size(), 100u);
}

TEST(RangeListTest, LeadingZeroIsTheEmptyList) {
  BitSet bits = Bits(100, {5, 6});
  EXPECT_TRUE(ParseRangeList(QStringLiteral("0"), bits, 100));
  EXPECT_TRUE(Numbers(bits, 100).empty());
  // Reading ends at the first "0": whatever follows is not looked at.
  EXPECT_TRUE(ParseRangeList(QStringLiteral("0,3,x"), bits, 100));
  EXPECT_TRUE(Numbers(bits, 100).empty());
}

TEST(RangeListTest, RejectsWhatTheUnitCannotMean) {
  const char* rows[] = {
      "",        // no item at all
      "101",     // above the count
      "99-101",  // a range whose high end is above the count
      "101-99",  // the same, written high-low
      "3,0",     // 0 anywhere but first
      "0-5",     // 0 in a range
      "1,,2",    // an empty item
      "1,",      // a trailing comma
      "abc",     // not a number
      "3x",      // trailing rubbish
      "-3",      // a sign
      "1-2-3",   // two hyphens
      "1-",      // half a range
      "NONE",    // the unit's word for empty: callers turn it into "0" first
  };
  for (const char* text : rows) {
    BitSet bits;
    EXPECT_FALSE(ParseRangeList(QString::fromLatin1(text), bits, 100)) << text;
  }
}

TEST(RangeListTest, ParsingClearsTheSetFirst) {
  BitSet bits = Bits(100, {1, 50, 100});
  ASSERT_TRUE(ParseRangeList(QStringLiteral("7"), bits, 100));
  EXPECT_EQ(Numbers(bits, 100), std::vector<unsigned>{7});
  // A failing text still leaves the old contents cleared.
  bits = Bits(100, {1, 50, 100});
  EXPECT_FALSE(ParseRangeList(QStringLiteral("junk"), bits, 100));
  EXPECT_TRUE(Numbers(bits, 100).empty());
}

TEST(RangeListTest, ParsingGrowsASetTooSmallForTheCount) {
  BitSet bits;  // empty: must not be written past its end
  ASSERT_TRUE(ParseRangeList(QStringLiteral("800"), bits, 800));
  EXPECT_EQ(bits.size(), 100u);
  EXPECT_TRUE(TestBit(bits, 799));
}

TEST(RangeListTest, SurvivesHostileText) {
  BitSet bits;
  // Numbers far beyond any integer type.
  EXPECT_FALSE(ParseRangeList(QStringLiteral("99999999999999999999999999"), bits, 100));
  EXPECT_FALSE(ParseRangeList(QStringLiteral("1-18446744073709551617"), bits, 100));
  EXPECT_FALSE(ParseRangeList(QStringLiteral("4294967297"), bits, 0xFFFF));
  // Much longer than the 500 characters a reply used to be copied into.
  QString longText;
  for (int i = 0; i < 20000; ++i) longText += QStringLiteral("1-2000,");
  longText += QStringLiteral("17");
  ASSERT_TRUE(ParseRangeList(longText, bits, 2000));
  EXPECT_EQ(Numbers(bits, 2000).size(), 2000u);
  EXPECT_FALSE(ParseRangeList(QString(100000, QLatin1Char('9')), bits, 2000));
  EXPECT_FALSE(ParseRangeList(QString(100000, QLatin1Char(',')), bits, 2000));
  // A count of zero takes only the empty list.
  EXPECT_TRUE(ParseRangeList(QStringLiteral("0"), bits, 0));
  EXPECT_FALSE(ParseRangeList(QStringLiteral("1"), bits, 0));
}

TEST(RangeListTest, ParsesHexadecimalLists) {
  BitSet bits;
  ASSERT_TRUE(ParseRangeListFmt(QStringLiteral("a-c,1F"), bits, 64, true));
  EXPECT_EQ(Numbers(bits, 64), (std::vector<unsigned>{10, 11, 12, 31}));
  EXPECT_FALSE(ParseRangeListFmt(QStringLiteral("41"), bits, 64, true));  // 0x41 = 65
  EXPECT_FALSE(ParseRangeListFmt(QStringLiteral("g"), bits, 64, true));
}

TEST(RangeListTest, ListsCountedFromZeroTakeZeroAsANumber) {
  // The hardware scan reads amplifier addresses in hex and console
  // addresses in decimal, counted from 0.
  BitSet bits;
  ASSERT_TRUE(ParseRangeListFmt(QStringLiteral("0,3-4"), bits, 100, 0, 'u'));
  EXPECT_TRUE(TestBit(bits, 0));
  EXPECT_TRUE(TestBit(bits, 3));
  EXPECT_TRUE(TestBit(bits, 4));
  EXPECT_FALSE(TestBit(bits, 1));
  ASSERT_TRUE(ParseRangeListFmt(QStringLiteral("0-1,3f"), bits, 64, 0, 'x'));
  EXPECT_TRUE(TestBit(bits, 63));
  EXPECT_FALSE(ParseRangeListFmt(QStringLiteral("40"), bits, 64, 0, 'x'));  // 64 is not below 64
  // Base 1 in this form behaves like ParseRangeList.
  ASSERT_TRUE(ParseRangeListFmt(QStringLiteral("0"), bits, 8, 1, 'u'));
  EXPECT_TRUE(Numbers(bits, 8).empty());
}

TEST(RangeListTest, ValueTexts) {
  EXPECT_EQ(OnOffText(true), QStringLiteral("ON"));
  EXPECT_EQ(OnOffText(false), QStringLiteral("OFF"));
  EXPECT_EQ(YesNoText(true), QStringLiteral("YES"));
  EXPECT_EQ(YesNoText(false), QStringLiteral("NO"));
  EXPECT_EQ(TrueFalseText(true), QStringLiteral("TRUE"));
  EXPECT_EQ(TrueFalseText(false), QStringLiteral("FALSE"));
  EXPECT_EQ(AllNoneText(true), QStringLiteral("ALL"));
  EXPECT_EQ(AllNoneText(false), QStringLiteral("NONE"));
}

TEST(RangeListTest, ReadsValueTextsAndNumbers) {
  struct Row {
    const char* text;
    bool value;
  };
  const Row rows[] = {{"ON", true},  {"off", false},  {"Yes", true}, {"NO", false}, {"TRUE", true},   {"false", false},
                      {"ALL", true}, {"NONE", false}, {"1", true},   {"0", false},  {" 12 dB", true}, {"ON\r", true}};
  for (const Row& row : rows) {
    bool value = !row.value;
    ASSERT_TRUE(ParseBoolText(QString::fromLatin1(row.text), &value)) << row.text;
    EXPECT_EQ(value, row.value) << row.text;
  }
  bool untouched = true;
  EXPECT_FALSE(ParseBoolText(QStringLiteral("maybe"), &untouched));
  EXPECT_FALSE(ParseBoolText(QString(), &untouched));
  EXPECT_TRUE(untouched);
}
