// Reply lines of an on-line window's command list: echoes, lines without a
// value, other paths and the root itself.
#include "online/conlinereplyparser.h"

#include <gtest/gtest.h>

namespace {

TEST(COnlineReplyParserTest, CutsAtTheFirstBlankAndDropsTheRoot) {
  const auto items = COnlineReplyParser::Parse(
      {"/FUSE/SLOT1/A/BLOWN ?", "/FUSE/SLOT1/A/BLOWN YES", "/FUSE/AMP485/VALUE 2 extra"}, "/FUSE/");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].key, "SLOT1/A/BLOWN");
  EXPECT_EQ(items[0].value, "YES");
  EXPECT_EQ(items[1].key, "AMP485/VALUE");
  EXPECT_EQ(items[1].value, "2 extra");
}

TEST(COnlineReplyParserTest, SkipsMalformedAndForeignLines) {
  const auto items = COnlineReplyParser::Parse({"", "/FUSE/SLOT1/A/BLOWN", "garbage", "/POWER/SLOT1/A/BLOWN YES",
                                                "X/FUSE/SLOT1/A/BLOWN YES", "/FUSE/ YES", "/FUSE/SLOT1/A/VALUE ??"},
                                               "/FUSE/");
  // Only the last one is a line of the window; "??" is a value, not an echo.
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].key, "SLOT1/A/VALUE");
  EXPECT_EQ(items[0].value, "??");
}

TEST(COnlineReplyParserTest, EmptyValueIsKept) {
  COnlineReplyParser::Item item;
  ASSERT_TRUE(COnlineReplyParser::ParseLine("/FUSE/SLOT2/B/COOLING ", "/FUSE/", &item));
  EXPECT_EQ(item.key, "SLOT2/B/COOLING");
  EXPECT_EQ(item.value, "");
}

}  // namespace
