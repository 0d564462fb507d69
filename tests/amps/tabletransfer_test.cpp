// Reply lines of the fixed tables: how a line splits into key and value,
// which lines are no replies, the numbers inside keys, and clear lists
// that cannot be read.

#include "amps/tabletransfer.h"
#include "amps/cmonitor.h"
#include "support/tempprofile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using TableTransfer::NumberAfter;
using TableReply = TableTransfer::Reply;
using TableTransfer::SplitReply;

TEST(TableReplyTest, KeyRunsFromTheFirstSlashAndValueFollowsTheLastBlank) {
  TableReply reply;
  ASSERT_TRUE(SplitReply("  MONI/TABLE3/SEL AMP_IN\r\n", &reply));
  EXPECT_EQ(reply.key, "/TABLE3/SEL");
  EXPECT_EQ(reply.value, "AMP_IN");
  ASSERT_TRUE(SplitReply("SPAREAMP/CLEAR 1 , 3-8", &reply));
  EXPECT_EQ(reply.key, "/CLEAR");
  EXPECT_EQ(reply.value, "3-8");
}

TEST(TableReplyTest, LinesWithoutKeyOrValueAndEchoedQuestionsAreNoReplies) {
  TableReply reply{"kept", "kept"};
  EXPECT_FALSE(SplitReply("", &reply));
  EXPECT_FALSE(SplitReply("MONI/TABLE3/SEL", &reply));
  EXPECT_FALSE(SplitReply("OK 12", &reply));
  EXPECT_FALSE(SplitReply("VALUE x/y", &reply));
  EXPECT_FALSE(SplitReply("MONI/TABLE3/SEL ?", &reply));
  EXPECT_EQ(reply.key, "kept");
  EXPECT_EQ(reply.value, "kept");
}

TEST(TableReplyTest, NumberAfterPrefixAndTheRest) {
  QString rest = "unset";
  EXPECT_EQ(NumberAfter("/TABLE250/AMPCHAN", "/TABLE", &rest), 250);
  EXPECT_EQ(rest, "/AMPCHAN");
  EXPECT_EQ(NumberAfter("/RELAY7", "/RELAY", &rest), 7);
  EXPECT_EQ(rest, "");
  EXPECT_EQ(NumberAfter("/RELAY/7", "/RELAY", &rest), -1);
  EXPECT_EQ(NumberAfter("/TABLE3", "/RELAY", nullptr), -1);
  // A number far past any table neither wraps nor lands inside one.
  const int huge = NumberAfter("/TABLE99999999999999999999/SEL", "/TABLE", &rest);
  EXPECT_GT(huge, 250);
  EXPECT_NE(rest, "/SEL");
}

TEST(TableReplyTest, UnreadableClearListClearsNothingAndIsNoted) {
  TempProfile profile;
  QTemporaryDir dir;
  const QString errorPath = dir.filePath("site.err");
  CMonitor monitor;
  monitor.SetName("Monitor");
  BitSet cleared;
  ASSERT_TRUE(TableTransfer::ReadClearList(monitor, "/CLEAR/TABLE", "1,3-4", 8, &cleared, errorPath, "entry"));
  EXPECT_TRUE(TestBit(cleared, 0));
  EXPECT_FALSE(TestBit(cleared, 1));
  EXPECT_TRUE(TestBit(cleared, 3));
  EXPECT_FALSE(QFile::exists(errorPath));

  EXPECT_FALSE(TableTransfer::ReadClearList(monitor, "/CLEAR/RELAY", "1,x", 8, &cleared, errorPath, "relay"));
  for (unsigned i = 0; i < 8; ++i) EXPECT_FALSE(TestBit(cleared, i)) << i;
  QFile file(errorPath);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "Monitor " + QByteArray::number(monitor.GetID()) +
                                " : /CLEAR/RELAY 1,x cannot be read; every relay is queried\r\n");
}
