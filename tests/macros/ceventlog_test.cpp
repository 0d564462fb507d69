// Event-log settings: default masks, texts and display texts, the bit
// masks, the project file and the six command lines.
#include "macros/ceventlog.h"
#include "link/linkmode.h"
#include "macrotestobjects.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <gtest/gtest.h>

namespace {

class CEventLogTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    log = CEventLog::Find(&doc);
    ASSERT_NE(log, nullptr);
  }
  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CEventLog* log = nullptr;
};

TEST_F(CEventLogTest, EveryMaskIsNoneInANewProject) {
  EXPECT_EQ(log->GetID(), 1);
  EXPECT_EQ(log->GetPath(), QStringLiteral("/EVENT/LOG"));
  for (int index : {0, 1, 2, 3, 4, 9}) EXPECT_EQ(log->GetParamText(index), QStringLiteral("NONE")) << index;
  for (int index : {5, 6, 7, 8, 10}) EXPECT_EQ(log->GetParamText(index), QStringLiteral("No entry")) << index;
  EXPECT_EQ(log->GetParamText(11), QString());
}

TEST_F(CEventLogTest, BitMasksBecomeKeywordLists) {
  log->SetMaskBits(1, CEventLog::AB_ALARM | CEventLog::AB_PAGE2 | CEventLog::AB_BPROG);
  EXPECT_EQ(log->GetParamText(1), QStringLiteral("ALARM,PAGE2,BPROG"));
  EXPECT_EQ(log->GetParamText(5), QStringLiteral("ALARM,PAGE2,BPROG"));
  EXPECT_EQ(log->GetMaskBits(1), CEventLog::AB_ALARM | CEventLog::AB_PAGE2 | CEventLog::AB_BPROG);
  log->SetMaskBits(2, 0x001 | 0x008 | 0x400 | CEventLog::kFaultLan);
  EXPECT_EQ(log->GetParamText(2), QStringLiteral("LAN,ZONEGNDFLT,AMP,UNKNOWN"));
  EXPECT_EQ(log->GetMaskBits(2), 0x001u | 0x008u | 0x400u | CEventLog::kFaultLan);
  log->SetMaskBits(2, 0);
  EXPECT_EQ(log->GetParamText(2), QStringLiteral("NONE"));
  log->SetMaskBits(3, 0xFF);  // no such mask
  EXPECT_EQ(log->GetParamText(3), QStringLiteral("NONE"));
}

TEST_F(CEventLogTest, SelectionTextsSetTheMacroReadyInputAndControllerMasks) {
  struct Row {
    int index;
    const char* text;
    int mask;
    const char* stored;
    const char* shown;
  };
  const Row rows[] = {{7, "All", 3, "ALL", "All"},    {7, "1-3,7", 3, "1-3,7", "1-3,7"},
                      {7, "3,2,1", 3, "1-3", "1-3"},  {7, "No entry", 3, "NONE", "No entry"},
                      {8, "2,50", 4, "2,50", "2,50"}, {8, "51", 4, "2,50", "2,50"},
                      {10, "40", 9, "40", "40"},      {10, "1-x", 9, "40", "40"},
                      {10, "All", 9, "ALL", "All"}};
  for (const Row& row : rows) {
    log->SetParamText(row.index, QLatin1String(row.text));
    EXPECT_EQ(log->GetParamText(row.mask), QLatin1String(row.stored)) << row.text;
    EXPECT_EQ(log->GetParamText(row.index), QLatin1String(row.shown)) << row.text;
  }
  log->SetParamText(0, QStringLiteral("AUDIO,MACRO\r\n"));
  EXPECT_EQ(log->GetParamText(0), QStringLiteral("AUDIO,MACRO"));
  log->SetParamText(0, QString());
  EXPECT_EQ(log->GetParamText(0), QStringLiteral("NONE"));
  log->SetParamText(11, QStringLiteral("X"));
  log->SetParamText(5, QStringLiteral("X"));
  EXPECT_EQ(log->GetParamText(1), QStringLiteral("NONE"));
}

TEST_F(CEventLogTest, MasksSurviveTheProjectFile) {
  log->SetParamText(0, QStringLiteral("AUDIO,FAULT,POWER"));
  log->SetMaskBits(1, CEventLog::AB_CHIME);
  log->SetMaskBits(2, 0x010);
  log->SetParamText(7, QStringLiteral("4-6"));
  log->SetParamText(8, QStringLiteral("All"));
  log->SetParamText(9, QStringLiteral("1,2"));
  CSelvantisDoc loaded;
  ASSERT_TRUE(LoadProject(loaded, SaveProject(doc)));
  CEventLog* copy = CEventLog::Find(&loaded);
  ASSERT_NE(copy, nullptr);
  for (int index = 0; index <= 10; ++index) EXPECT_EQ(copy->GetParamText(index), log->GetParamText(index)) << index;
}

TEST_F(CEventLogTest, SendsSixMaskLinesAndTakesTheRepliesBack) {
  RecordingLink link;
  log->SetParamText(0, QStringLiteral("AUDIO,MACRO"));
  log->SetMaskBits(1, CEventLog::AB_ALARM);
  log->SetParamText(7, QStringLiteral("1-5"));
  ASSERT_EQ(log->Download(false, -1), 6);
  for (int step = 0; step >= 0 && step < 6;) step = log->Download(false, step);
  const QStringList expected = {"/EVENT/LOG/MASK/ON AUDIO,MACRO",   "/EVENT/LOG/MASK/AUDIO/ON ALARM",
                                "/EVENT/LOG/MASK/MACRO/ON 1-5",     "/EVENT/LOG/MASK/FAULT/ON NONE",
                                "/EVENT/LOG/MASK/READYINP/ON NONE", "/EVENT/LOG/MASK/VIRTCTRL/ON NONE"};
  EXPECT_EQ(link.Lines(), expected);
  link.Clear();
  link.SetOutBufferCount(512);
  EXPECT_EQ(log->Download(true, 3), 3);
  link.SetOutBufferCount(0);
  EXPECT_EQ(log->Download(true, 3), 4);
  EXPECT_EQ(link.Lines(), QStringList({"/EVENT/LOG/MASK/FAULT/ON ?"}));

  QString errorFile;
  EXPECT_TRUE(doc.RouteReplyLine(QStringLiteral("/EVENT/LOG/MASK/FAULT/ON KCM,AMP"), errorFile, LINKMODE_UPLOAD));
  EXPECT_TRUE(doc.RouteReplyLine(QStringLiteral("/EVENT/LOG/MASK/ON NONE"), errorFile, LINKMODE_UPLOAD));
  EXPECT_FALSE(doc.RouteReplyLine(QStringLiteral("/EVENT/LOG/MASK/FAULT/ON X"), errorFile, LINKMODE_NORMAL));
  EXPECT_EQ(log->GetParamText(2), QStringLiteral("KCM,AMP"));
  EXPECT_EQ(log->GetParamText(0), QStringLiteral("NONE"));
}

}  // namespace
