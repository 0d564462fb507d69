// Live values and transfers of the designer: one command per burst of
// values, nothing while offline, the lock lines around a download and the
// six steps of one item.
#include "editors/designer/designertransfer.h"
#include "editors/designer/virtctrlvaluequeue.h"
#include "link/linkmode.h"
#include "macros/cvirtctrl.h"
#include "macros/cvirtctrlitem.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <gtest/gtest.h>

namespace {

class DesignerLinkTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }
  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  RecordingLink link;
};

TEST_F(DesignerLinkTest, TenValuesSendOneCommandWithTheLast) {
  VirtCtrlValueQueue queue(&doc, &link);
  for (int i = 0; i < 10; ++i) queue.QueueVirtCtrlValue(2, 0.5 * i);
  EXPECT_TRUE(queue.IsArmed());
  EXPECT_TRUE(link.Commands().isEmpty());
  EXPECT_TRUE(queue.OnTimer());
  EXPECT_EQ(link.Commands(), QStringList{QStringLiteral("/VIRTCTRL/ENTRY2/VALUE 4.500000")});
  EXPECT_FALSE(queue.IsArmed());
  EXPECT_FALSE(queue.OnTimer());  // nothing pending any more
  EXPECT_EQ(link.Commands().size(), 1);
}

TEST_F(DesignerLinkTest, ValueIsDroppedWhenOffline) {
  VirtCtrlValueQueue queue(&doc, &link);
  queue.QueueVirtCtrlValue(1, 3.0);
  link.SetConnected(false);
  EXPECT_FALSE(queue.OnTimer());
  EXPECT_TRUE(link.Commands().isEmpty());
  EXPECT_TRUE(queue.Pending().isEmpty());
}

TEST_F(DesignerLinkTest, DownloadOfAllIsLockedAndUnlocked) {
  CVirtCtrlItem* item = CVirtCtrlItem::CreateItem(doc);
  ASSERT_NE(item, nullptr);
  DesignerTransfer transfer(doc, &link);
  EXPECT_EQ(transfer.TransferAll(false), CTransfer::Result::Done);
  const QStringList commands = link.Commands();
  ASSERT_GE(commands.size(), 4);
  EXPECT_EQ(commands[0], QStringLiteral("/VIRTCTRL/SOURCE/LOCK ON"));
  EXPECT_EQ(commands[1], QStringLiteral("/VIRTCTRL/DEST/LOCK ON"));
  EXPECT_EQ(commands[commands.size() - 2], QStringLiteral("/VIRTCTRL/SOURCE/LOCK OFF"));
  EXPECT_EQ(commands.back(), QStringLiteral("/VIRTCTRL/DEST/LOCK OFF"));
  EXPECT_TRUE(link.Modes().contains(LINKMODE_DOWNLOAD));
  EXPECT_EQ(link.Modes().back(), LINKMODE_NORMAL);
}

TEST_F(DesignerLinkTest, ItemTransferSendsItsSixLinesOnly) {
  CVirtCtrlItem::CreateItem(doc);
  CVirtCtrlItem* second = CVirtCtrlItem::CreateItem(doc);
  ASSERT_NE(second, nullptr);
  CVirtCtrl* block = CVirtCtrl::Find(&doc);
  QStringList expected;
  for (int s = 7; s <= 12; ++s) expected << block->StepLine(s, false);
  DesignerTransfer transfer(doc, &link);
  EXPECT_EQ(transfer.TransferItem(false, second->GetID()), CTransfer::Result::Done);
  QStringList sent = link.Lines();
  sent.removeAll(QStringLiteral("/MACRO/LOCK ON"));
  sent.removeAll(QStringLiteral("/MACRO/LOCK OFF"));
  EXPECT_EQ(sent, expected);
  EXPECT_FALSE(link.Commands().contains(QStringLiteral("/VIRTCTRL/SOURCE/LOCK ON")));
}

TEST_F(DesignerLinkTest, ItemTransferOfNoItemSendsNothing) {
  DesignerTransfer transfer(doc, &link);
  EXPECT_EQ(transfer.TransferItem(false, 5), CTransfer::Result::Failed);
  EXPECT_EQ(transfer.TransferItem(true, 0), CTransfer::Result::Failed);
  EXPECT_TRUE(link.Lines().isEmpty());
}

}  // namespace
