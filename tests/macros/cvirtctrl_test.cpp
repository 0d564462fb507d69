// The virtual-controller block and its items: checked link access, row
// texts, removal and renumbering of items, the project file and the six
// lines of each item.
#include "macros/cvirtctrl.h"
#include "link/linkmode.h"
#include "macros/cvirtctrlitem.h"
#include "macrotestobjects.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <gtest/gtest.h>

namespace {

class CVirtCtrlTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    block = CVirtCtrl::Find(&doc);
    ASSERT_NE(block, nullptr);
  }
  CVirtCtrlItem* Item() {
    CVirtCtrlItem* item = CVirtCtrlItem::CreateItem(doc);
    EXPECT_NE(item, nullptr);
    return item;
  }
  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CVirtCtrl* block = nullptr;
};

TEST_F(CVirtCtrlTest, LinksAreCheckedByGroupIndexAndItem) {
  EXPECT_TRUE(block->SetLink(CVirtCtrl::G_AMPCHAN, 255, 40));
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_AMPCHAN, 255), 40);
  EXPECT_FALSE(block->SetLink(CVirtCtrl::G_AMPCHAN, 256, 1));
  EXPECT_FALSE(block->SetLink(CVirtCtrl::G_IN, -1, 1));
  EXPECT_FALSE(block->SetLink(CVirtCtrl::G_ALARM, 0, 41));
  EXPECT_FALSE(block->SetLink(3, 0, 1));
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_IN, 4), 0);
  EXPECT_EQ(block->GetLink(16, 0), 0);
  const std::pair<int, int> sizes[] = {{4, 40}, {5, 16}, {6, 16}, {7, 16},   {8, 4},  {9, 4}, {10, 1},
                                       {11, 1}, {12, 1}, {13, 1}, {14, 256}, {15, 4}, {16, 0}};
  for (const auto& [group, size] : sizes) EXPECT_EQ(CVirtCtrl::GroupSize(group), size) << group;
}

TEST_F(CVirtCtrlTest, RowTextsGiveLabelWiredItemAndExistence) {
  CVirtCtrlItem* gain = Item();
  gain->Rename(QStringLiteral("Gain"), false);
  block->SetLink(CVirtCtrl::G_ALARM, 0, gain->GetID());
  QString label, name;
  EXPECT_TRUE(block->GetAlarmRowText(label, name));
  EXPECT_EQ(label, QStringLiteral("Alarm"));
  EXPECT_EQ(name, QStringLiteral("Gain"));
  EXPECT_TRUE(block->GetMessageRowText(label, name));
  EXPECT_EQ(label, QStringLiteral("Prerecorded Text Message"));
  EXPECT_EQ(name, QString());
  EXPECT_TRUE(block->GetInRowText(2, label, name));
  EXPECT_EQ(label, QStringLiteral("IN3"));
  EXPECT_TRUE(block->GetDelayRowText(3, label, name));
  EXPECT_EQ(label, QStringLiteral("DELAY4"));
  EXPECT_TRUE(block->GetEncoderRowText(0, label, name));
  EXPECT_TRUE(label.contains(QLatin1Char('1')));
  // No analog card, no amplifier: the rows do not exist.
  EXPECT_FALSE(block->GetADRowText(0, label, name));
  EXPECT_EQ(label, QStringLiteral("AD1"));
  EXPECT_FALSE(block->GetDARowText(15, label, name));
  EXPECT_EQ(label, QStringLiteral("DA16"));
  EXPECT_FALSE(block->GetAmpChanRowText(9, label, name));
  EXPECT_EQ(label, QStringLiteral("10 *"));
  EXPECT_TRUE(block->GetVCRowText(gain->GetID() - 1, label, name));
  EXPECT_EQ(label, QStringLiteral("Gain"));
  EXPECT_FALSE(block->GetVCRowText(39, label, name));
  EXPECT_FALSE(block->GetInRowText(4, label, name));
}

TEST_F(CVirtCtrlTest, DeletingAnItemClearsEveryRowWiredToIt) {
  CVirtCtrlItem* a = Item();
  CVirtCtrlItem* b = Item();
  block->SetLink(CVirtCtrl::G_ENCODER, 3, a->GetID());
  block->SetLink(CVirtCtrl::G_AMPCHAN, 100, a->GetID());
  block->SetLink(CVirtCtrl::G_ITEM, b->GetID() - 1, a->GetID());  // b drives a
  block->SetLink(CVirtCtrl::G_ITEM, a->GetID() - 1, b->GetID());  // a drives b
  block->SetLink(CVirtCtrl::G_OUT, 0, b->GetID());
  ASSERT_TRUE(doc.DeleteObject(a));
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ENCODER, 3), 0);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_AMPCHAN, 100), 0);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ITEM, b->GetID() - 1), 0);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ITEM, 0), 0);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_OUT, 0), b->GetID());
}

TEST_F(CVirtCtrlTest, RowsFollowAnItemToANewIdentifier) {
  CVirtCtrlItem* a = Item();
  block->SetLink(CVirtCtrl::G_DELAY, 1, 1);
  block->SetLink(CVirtCtrl::G_ITEM, 0, 1);
  ASSERT_EQ(a->ChangeID(7), 7);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_DELAY, 1), 7);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ITEM, 6), 7);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ITEM, 0), 0);
}

TEST_F(CVirtCtrlTest, ItemsAreLimitedToFortyAndShowTheirWiring) {
  for (int i = 0; i < 40; ++i) ASSERT_NE(CVirtCtrlItem::CreateItem(doc), nullptr);
  EXPECT_EQ(CVirtCtrlItem::CreateItem(doc), nullptr);
  EXPECT_EQ(GetMaxDevices(DT_VIRTCTRLITEM), 40);
  CBaseDevice* first = doc.GetIDManager().FindBaseDevice(1, DT_VIRTCTRLITEM);
  EXPECT_EQ(first->GetName(), QStringLiteral("Virtual controller 1"));
  block->SetLink(CVirtCtrl::G_ENCODER, 0, 1);
  block->SetLink(CVirtCtrl::G_CHIME, 0, 1);
  const QString tip = first->GetToolTipText();
  EXPECT_TRUE(tip.startsWith(QStringLiteral("Virtual controller 1\nID 1")));
  EXPECT_TRUE(tip.contains(QStringLiteral("ENC1")));
  EXPECT_TRUE(tip.contains(QStringLiteral("CHIME")));
  EXPECT_EQ(CVirtCtrlItem::ValueCommand(3, 2.5), QStringLiteral("/VIRTCTRL/ENTRY3/VALUE 2.500000"));
}

TEST_F(CVirtCtrlTest, TablesSurviveTheProjectFile) {
  CVirtCtrlItem* a = Item();
  CVirtCtrlItem* b = Item();
  block->SetLink(CVirtCtrl::G_AD, 15, a->GetID());
  block->SetLink(CVirtCtrl::G_MONITOR, 0, b->GetID());
  block->SetLink(CVirtCtrl::G_AMPCHAN, 0, b->GetID());
  block->SetLink(CVirtCtrl::G_ITEM, 0, b->GetID());
  CSelvantisDoc loaded;
  ASSERT_TRUE(LoadProject(loaded, SaveProject(doc)));
  CVirtCtrl* copy = CVirtCtrl::Find(&loaded);
  ASSERT_NE(copy, nullptr);
  for (int group = CVirtCtrl::G_FIRST; group <= CVirtCtrl::G_LAST; ++group)
    for (int row = 0; row < CVirtCtrl::GroupSize(group); ++row)
      EXPECT_EQ(copy->GetLink(group, row), block->GetLink(group, row)) << group << "/" << row;
}

TEST_F(CVirtCtrlTest, ItemKOwnsStepsSixKMinusFiveToSixK) {
  RecordingLink link;
  CVirtCtrlItem* one = Item();
  CVirtCtrlItem* two = Item();
  block->SetLink(CVirtCtrl::G_ITEM, one->GetID() - 1, two->GetID());
  block->SetLink(CVirtCtrl::G_ENCODER, 0, two->GetID());
  block->SetLink(CVirtCtrl::G_ENCODER, 1, two->GetID());
  block->SetLink(CVirtCtrl::G_AD, 4, two->GetID());
  block->SetLink(CVirtCtrl::G_DA, 2, two->GetID());
  block->SetLink(CVirtCtrl::G_AMPCHAN, 9, two->GetID());
  block->SetLink(CVirtCtrl::G_AMPCHAN, 10, two->GetID());
  block->SetLink(CVirtCtrl::G_IN, 3, two->GetID());
  block->SetLink(CVirtCtrl::G_MESSAGE, 0, two->GetID());
  block->SetLink(CVirtCtrl::G_DELAY, 0, two->GetID());
  EXPECT_EQ(block->Download(false, -1), 241);
  EXPECT_EQ(block->Download(false, 0), 1);
  EXPECT_TRUE(link.Lines().isEmpty());
  for (int step = 7; step <= 12; ++step) EXPECT_EQ(block->Download(false, step), step + 1);
  const QStringList expected = {"/VIRTCTRL/ENTRY2/LINK 0",
                                "/VIRTCTRL/ENTRY2/SOURCE/ENC 1-2",
                                "/VIRTCTRL/ENTRY2/SOURCE/AD 5",
                                "/VIRTCTRL/ENTRY2/DEST/DA 3",
                                "/VIRTCTRL/ENTRY2/DEST/AMPCHAN 10-11",
                                "/VIRTCTRL/ENTRY2/DEST/OTHER IN4,MESSAGE,DELAY1"};
  EXPECT_EQ(link.Lines(), expected);
  EXPECT_EQ(block->StepLine(1, false), QStringLiteral("/VIRTCTRL/ENTRY1/LINK 2"));
  EXPECT_EQ(block->StepLine(240, false), QStringLiteral("/VIRTCTRL/ENTRY40/DEST/OTHER NONE"));
  EXPECT_EQ(block->Download(false, 240), -1);
  link.Clear();
  link.SetOutBufferCount(700);
  EXPECT_EQ(block->Download(false, 8), 8);
  EXPECT_TRUE(link.Lines().isEmpty());
  link.SetOutBufferCount(0);
  // Nothing is asked about an item the project does not hold.
  EXPECT_EQ(block->Download(true, 13), 14);
  EXPECT_TRUE(link.Lines().isEmpty());
  EXPECT_EQ(block->Download(true, 8), 9);
  EXPECT_EQ(link.Lines(), QStringList({"/VIRTCTRL/ENTRY2/SOURCE/ENC ?"}));
}

TEST_F(CVirtCtrlTest, UploadedLinesRewireTheItem) {
  CVirtCtrlItem* one = Item();
  Item();
  block->SetLink(CVirtCtrl::G_ENCODER, 5, one->GetID());
  block->SetLink(CVirtCtrl::G_OUT, 0, one->GetID());
  QString errorFile;
  const char* lines[] = {"/VIRTCTRL/ENTRY1/LINK 2", "/VIRTCTRL/ENTRY1/SOURCE/ENC 1,3",
                         "/VIRTCTRL/ENTRY1/DEST/AMPCHAN 200-202", "/VIRTCTRL/ENTRY1/DEST/OTHER ALARM,OUT2"};
  for (const char* line : lines) EXPECT_TRUE(doc.RouteReplyLine(QLatin1String(line), errorFile, LINKMODE_UPLOAD));
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ITEM, 0), 2);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ENCODER, 0), 1);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ENCODER, 2), 1);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ENCODER, 5), 0);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_AMPCHAN, 199), 1);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_AMPCHAN, 201), 1);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ALARM, 0), 1);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_OUT, 1), 1);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_OUT, 0), 0);
  // Malformed values change nothing.
  EXPECT_FALSE(doc.RouteReplyLine(QStringLiteral("/VIRTCTRL/ENTRY1/LINK 99"), errorFile, LINKMODE_UPLOAD));
  EXPECT_FALSE(doc.RouteReplyLine(QStringLiteral("/VIRTCTRL/ENTRY41/LINK 1"), errorFile, LINKMODE_UPLOAD));
  EXPECT_FALSE(doc.RouteReplyLine(QStringLiteral("/VIRTCTRL/ENTRY1/SOURCE/ENC 1-99"), errorFile, LINKMODE_UPLOAD));
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ITEM, 0), 2);
  EXPECT_EQ(block->GetLink(CVirtCtrl::G_ENCODER, 0), 1);
}

}  // namespace
