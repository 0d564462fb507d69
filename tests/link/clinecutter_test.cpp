// How the unit's output is cut into lines: pieces joined, CR LF handled,
// garbage bounded.
#include "link/clinecutter.h"

#include <gtest/gtest.h>

TEST(CLineCutterTest, JoinsALineSplitAcrossReceiveEvents) {
  CLineCutter cutter;
  EXPECT_TRUE(cutter.Feed("/FUSE/SLOT1/A/BL").isEmpty());
  EXPECT_TRUE(cutter.Feed("OWN Y").isEmpty());
  EXPECT_EQ(cutter.Feed("ES\r\n/FUSE/SLOT1/B/BLOWN NO\r"),
            (QStringList{"/FUSE/SLOT1/A/BLOWN YES", "/FUSE/SLOT1/B/BLOWN NO"}));
  // The LF of the last CR LF starts the next line and is dropped there.
  EXPECT_EQ(cutter.Feed("\n/X 1\r\n"), QStringList{"/X 1"});
}

TEST(CLineCutterTest, DropsEmptyLinesAndLeadingLineFeeds) {
  CLineCutter cutter;
  EXPECT_EQ(cutter.Feed("\r\n\r\n\n\n/A 1\r\r"), QStringList{"/A 1"});
}

TEST(CLineCutterTest, KeepsOnlyTheStartOfAnOverLongLine) {
  CLineCutter cutter(16);
  QByteArray garbage(100000, 'x');
  EXPECT_TRUE(cutter.Feed(garbage).isEmpty());
  EXPECT_EQ(cutter.Partial().size(), 16);
  const QStringList lines = cutter.Feed("yyy\r/OK 1\r");
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], QString(16, 'x'));
  EXPECT_EQ(lines[1], "/OK 1");
  EXPECT_EQ(cutter.TruncatedChars(), 100000 - 16 + 3);
}

TEST(CLineCutterTest, SkipsTheRestOfALineWhoseStartWasTaken) {
  CLineCutter cutter;
  cutter.Feed("/PARTIAL 1");
  EXPECT_EQ(cutter.TakePartial(), QByteArray("/PARTIAL 1"));
  cutter.SkipToLineEnd();
  EXPECT_EQ(cutter.Feed("23\r\n/NEXT 4\r"), QStringList{"/NEXT 4"});
}

TEST(CLineCutterTest, KeepsLatinOneBytes) {
  CLineCutter cutter;
  const QStringList lines = cutter.Feed(
      "/NAME Gr\xfc\xdf"
      "e\r");
  ASSERT_EQ(lines.size(), 1);
  EXPECT_EQ(lines[0], QString::fromLatin1("/NAME Gr\xfc\xdf"
                                          "e"));
}
