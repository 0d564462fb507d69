// The hardware tree's scans: what each availability answer shows, the slot
// list, and the details asked on expansion.
#include "online/chardwarescan.h"

#include "support/recordinglink.h"

#include <gtest/gtest.h>

namespace {

QStringList Texts(const CHardwareScan& scan) {
  QStringList texts;
  for (const CHardwareScan::Item& item : scan.Items()) texts << item.text;
  return texts;
}

TEST(CHardwareScanTest, AmplifierListWithHexAddressesGivesOneItemEach) {
  RecordingLink link;
  link.SetAnswer("/AMP/AVLBL ?", "/AMP/AVLBL ?\r\n/AMP/AVLBL 0-2,a\r\n");
  CHardwareScan scan(&link);
  scan.ScanAmplifiers();
  EXPECT_EQ(link.Lines(), QStringList{"/AMP/AVLBL ?"});
  EXPECT_EQ(scan.GetScanKind(), CHardwareScan::kAmplifiers);
  EXPECT_TRUE(scan.HasTreeLines());
  EXPECT_EQ(Texts(scan), (QStringList{"Amplifier 00", "Amplifier 01", "Amplifier 02", "Amplifier 0a"}));
  ASSERT_EQ(scan.Items().size(), 4u);
  EXPECT_EQ(scan.Items()[3].data, 10);
  EXPECT_EQ(scan.Items()[3].image, CHardwareScan::kImageAmplifier);
  EXPECT_EQ(scan.Items()[0].children, (QStringList{"Name", "Type", "Release"}));
}

TEST(CHardwareScanTest, CardListGivesSevenChildrenEach) {
  RecordingLink link;
  link.SetAnswer("/KCM/AVLBL ?", "/KCM/AVLBL 3,5");
  CHardwareScan scan(&link);
  scan.ScanCards();
  EXPECT_EQ(Texts(scan), (QStringList{"KCM201-3", "KCM201-5"}));
  for (const CHardwareScan::Item& item : scan.Items()) {
    EXPECT_EQ(item.children, (QStringList{"Name", "Release", "KCM208", "KCM209", "KCM212", "KCM216", "KCM220"}));
    EXPECT_EQ(item.image, CHardwareScan::kImageCard);
  }
}

TEST(CHardwareScanTest, NumbersBeyondTheRangeAreNotShown) {
  RecordingLink link;
  link.SetAnswer("/CONS/CONNECTED ?", "/CONS/CONNECTED 14-20");
  CHardwareScan scan(&link);
  scan.ScanConsoles();
  EXPECT_EQ(Texts(scan), (QStringList{"Console 14", "Console 15"}));
}

TEST(CHardwareScanTest, NoneShowsTheMessageItemWithoutLines) {
  RecordingLink link;
  link.SetAnswer("/CONS/CONNECTED ?", "/CONS/CONNECTED ?\r\n/CONS/CONNECTED NONE\r\n");
  CHardwareScan scan(&link);
  scan.ScanConsoles();
  EXPECT_EQ(Texts(scan), QStringList{"No Consoles present!!"});
  EXPECT_FALSE(scan.HasTreeLines());
  EXPECT_EQ(scan.Items()[0].image, CHardwareScan::kImageMessage);
  link.SetAnswer("/AMP/AVLBL ?", "NONE");
  scan.ScanAmplifiers();
  EXPECT_EQ(Texts(scan), QStringList{"No amplifier present!"});
}

TEST(CHardwareScanTest, OfflineKeepsTheScanKind) {
  RecordingLink link;
  link.SetAnswer("/KCM/AVLBL ?", "1");
  CHardwareScan scan(&link);
  scan.ScanCards();
  scan.ShowOffline();
  EXPECT_EQ(scan.GetScanKind(), CHardwareScan::kCards);
  EXPECT_EQ(Texts(scan), QStringList{"This option is only available when you are in online mode"});
  EXPECT_FALSE(scan.HasTreeLines());
}

TEST(CHardwareScanTest, SlotsShowTheTextAfterTheFirstBlank) {
  RecordingLink link;
  link.SetListReplies(
      {"/SLOT1/MODULE VMX 300 IN", "/SLOT2/MODULE", "/SLOT3/MODULE OUT8", "/SLOT4/MODULE NONE", "/SLOT5/MODULE DIG"});
  CHardwareScan scan(&link);
  scan.ScanSlots();
  EXPECT_EQ(link.Lines(), (QStringList{"/SLOT1/MODULE ?", "/SLOT2/MODULE ?", "/SLOT3/MODULE ?", "/SLOT4/MODULE ?",
                                       "/SLOT5/MODULE ?"}));
  EXPECT_EQ(Texts(scan), (QStringList{"Slot1: VMX 300 IN", "Slot3: OUT8", "Slot4: NONE", "Slot5: DIG"}));
  EXPECT_EQ(scan.Items()[1].data, 2);
  EXPECT_TRUE(scan.Items()[1].children.isEmpty());
  EXPECT_FALSE(scan.ExpandItem(1));
}

// "ERROR path" and an answer for another path name no module: those slots
// are shown as slots without an answer.
TEST(CHardwareScanTest, ErrorsAndAnswersForOtherPathsAreNoModules) {
  RecordingLink link;
  link.SetListReplies(
      {"ERROR /SLOT1/MODULE", "/SLOT3/MODULE OUT8", "/SLOT3/MODULE OUT8", "/SLOT4/MODULE ?", "/SLOT5/MODULE DIG"});
  CHardwareScan scan(&link);
  scan.ScanSlots();
  EXPECT_EQ(Texts(scan), (QStringList{"Slot3: OUT8", "Slot5: DIG"}));
  EXPECT_EQ(scan.Items()[0].data, 2);
}

TEST(CHardwareScanTest, FourSlotAnswersForFiveQueriesLeaveTheTreeEmpty) {
  RecordingLink link;
  link.SetListReplies({"/SLOT1/MODULE A", "/SLOT2/MODULE B", "/SLOT3/MODULE C", "/SLOT4/MODULE D"});
  CHardwareScan scan(&link);
  scan.ScanSlots();
  EXPECT_TRUE(scan.Items().empty());
  link.SetListReplies({"a x", "b x", "c x", "d x", "e x"}, false);
  scan.ScanSlots();
  EXPECT_TRUE(scan.Items().empty());
}

TEST(CHardwareScanTest, ExpandingAnAmplifierAsksItsDetailsInHex) {
  RecordingLink link;
  link.SetAnswer("/AMP/AVLBL ?", "1f");
  CHardwareScan scan(&link);
  scan.ScanAmplifiers();
  ASSERT_EQ(scan.Items().size(), 1u);
  link.Clear();
  link.SetListReplies({"/AMP/ADR1f/NAME Hall amp", "/AMP/ADR1f/TYPE", "/AMP/ADR1f/TYPE A500", "/AMP/ADR1f/VER 2.1"});
  // Four lines for three queries: nothing changes.
  EXPECT_FALSE(scan.ExpandItem(0));
  EXPECT_EQ(scan.Items()[0].children, (QStringList{"Name", "Type", "Release"}));
  EXPECT_EQ(link.Lines(), (QStringList{"/AMP/ADR1f/NAME ?", "/AMP/ADR1f/TYPE ?", "/AMP/ADR1f/VER ?"}));
  // A line without a blank leaves its child for the next line.
  link.SetListReplies({"/AMP/ADR1f/NAME Hall amp", "/AMP/ADR1f/TYPE", "/AMP/ADR1f/VER 2.1"});
  EXPECT_TRUE(scan.ExpandItem(0));
  EXPECT_EQ(scan.Items()[0].children, (QStringList{"Hall amp", "2.1", "Release"}));
  EXPECT_FALSE(scan.ExpandItem(5));
}

TEST(CHardwareScanTest, DetailQueriesOfEachKind) {
  EXPECT_EQ(CHardwareScan::DetailQueries(CHardwareScan::kConsoles, 12),
            (QStringList{"/CONS/ADR12/NAME ?", "/CONS/ADR12/TYPE ?", "/CONS/ADR12/RELEASE ?"}));
  EXPECT_EQ(CHardwareScan::DetailQueries(CHardwareScan::kCards, 3),
            (QStringList{"/KCM/ADR3/NAME ?", "/KCM/ADR3/VER ?", "/KCM/ADR3/208 ?", "/KCM/ADR3/209 ?", "/KCM/ADR3/212 ?",
                         "/KCM/ADR3/216 ?", "/KCM/ADR3/220/VOL ?"}));
  EXPECT_TRUE(CHardwareScan::DetailQueries(CHardwareScan::kSlots, 1).isEmpty());
}

}  // namespace
