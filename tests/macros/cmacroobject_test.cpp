// The macro block: step numbering, the clear step, one line per call for a
// macro of several lines, a full output buffer, and single-macro transfers.
#include "macros/cmacroobject.h"
#include "macros/cmacro.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <gtest/gtest.h>

namespace {

class CMacroObjectTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    block = CMacroObject::Find(&doc);
    ASSERT_NE(block, nullptr);
  }

  // Steps the block from 0 as the transfers do; returns the calls made.
  int Walk(bool bQuery) {
    const int count = block->Download(bQuery, -1);
    int step = 0;
    int calls = 0;
    while (step != -1 && step < count && calls < 10000) {
      step = block->Download(bQuery, step);
      ++calls;
    }
    return calls;
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  RecordingLink link;
  CMacroObject* block = nullptr;
};

TEST_F(CMacroObjectTest, IsAFixedObjectOfEveryProject) {
  EXPECT_EQ(block->GetID(), 1);
  EXPECT_EQ(block->GetPath(), QStringLiteral("/MACRO"));
  EXPECT_EQ(block->Download(false, -1), 253);
}

TEST_F(CMacroObjectTest, ClearIsSentOnlyToAUnitThatKnowsIt) {
  block->Download(false, -1);
  EXPECT_EQ(block->Download(false, 0), 1);
  EXPECT_TRUE(link.Lines().isEmpty());
  CProfile::WriteInt(QStringLiteral("VMX7000"), QStringLiteral("MACRO_CLR"), 1);
  link.SetOutBufferCount(600);
  EXPECT_EQ(block->Download(false, 0), 0);
  EXPECT_TRUE(link.Lines().isEmpty());
  link.SetOutBufferCount(0);
  EXPECT_EQ(block->Download(false, 0), 1);
  EXPECT_EQ(link.Lines(), QStringList({"/MACRO/CLEAR MACRO_CLR"}));
  EXPECT_EQ(block->Download(true, 0), 1);
  EXPECT_EQ(link.Lines().size(), 1);
}

TEST_F(CMacroObjectTest, MacroLinesGoOutOneByOneAndWaitForAFullBuffer) {
  CMacro::FindOrCreatePlaceholder(doc, 3);
  CMacro* stop = CMacro::CreateMacro(CMacro::kKindStop, doc);  // identifier 1
  ASSERT_EQ(stop->GetID(), 1);
  stop->SetParam(CMacro::P_SWITCH, 1);
  stop->SetParam(CMacro::P_PRIO, 30);
  EXPECT_EQ(block->Download(false, -1), 253);
  EXPECT_EQ(block->Download(false, 1), 1);
  EXPECT_EQ(link.Lines(), QStringList({"/MACRO/ENTRY1/TYPE STOP"}));
  link.SetOutBufferCount(512);
  EXPECT_EQ(block->Download(false, 1), 1);
  EXPECT_EQ(link.Lines().size(), 1);
  link.SetOutBufferCount(511);
  EXPECT_EQ(block->Download(false, 1), 2);
  EXPECT_EQ(link.Lines(), QStringList({"/MACRO/ENTRY1/TYPE STOP", "/MACRO/ENTRY1/PARAM/PRIO 30"}));
  // Identifier 2 has no macro: skipped without a line.
  EXPECT_EQ(block->Download(false, 2), 3);
  EXPECT_EQ(link.Lines().size(), 2);
  EXPECT_EQ(block->Download(false, 3), 4);
  EXPECT_EQ(link.Lines().last(), QStringLiteral("/MACRO/ENTRY3/TYPE NONE"));
  EXPECT_EQ(block->Download(false, 250), 251);
  EXPECT_EQ(block->Download(false, 251), 252);
  EXPECT_EQ(block->Download(false, 252), -1);
}

TEST_F(CMacroObjectTest, WholeTransferSendsEveryMacroInIdentifierOrder) {
  CMacro* a = CMacro::CreateMacro(CMacro::kKindErase, doc);
  CMacro* b = CMacro::CreateMacro(CMacro::kKindStop, doc);
  ASSERT_EQ(b->ChangeID(200), 200);
  a->SetParam(CMacro::P_FILE, 4);
  b->SetParam(CMacro::P_SWITCH, 1);
  b->SetParam(CMacro::P_PRIO, 20);
  CProfile::WriteInt(QStringLiteral("VMX7000"), QStringLiteral("MACRO_CLR"), 1);
  Walk(false);
  const QStringList expected = {"/MACRO/CLEAR MACRO_CLR", "/MACRO/ENTRY1/TYPE ERASE", "/MACRO/ENTRY1/PARAM/FILE 4",
                                "/MACRO/ENTRY200/TYPE STOP", "/MACRO/ENTRY200/PARAM/PRIO 20"};
  EXPECT_EQ(link.Lines(), expected);
  link.Clear();
  Walk(true);
  const QStringList queries = {"/MACRO/ENTRY1/TYPE ?", "/MACRO/ENTRY1/PARAM/FILE ?", "/MACRO/ENTRY200/TYPE ?",
                               "/MACRO/ENTRY200/PARAM/PRIO ?"};
  EXPECT_EQ(link.Lines(), queries);
}

TEST_F(CMacroObjectTest, SingleMacroTransferRepeatsItsStepUntilAllLinesAreOut) {
  CMacro::CreateMacro(CMacro::kKindStop, doc);
  CMacro* memo = CMacro::CreateMacro(CMacro::kKindMemoFlag, doc);
  block->Download(false, -1);
  int step = memo->GetID();
  int calls = 0;
  while (step == memo->GetID() && calls < 100) {
    step = block->Download(false, memo->GetID());
    ++calls;
  }
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(link.Lines(), memo->GetDownloadLines(false));
}

TEST_F(CMacroObjectTest, AMacroDeletedMidwayEndsItsStep) {
  CMacro* memo = CMacro::CreateMacro(CMacro::kKindMemoFlag, doc);
  block->Download(false, -1);
  EXPECT_EQ(block->Download(false, 1), 1);
  ASSERT_TRUE(doc.DeleteObject(memo));
  doc.PurgeDeleted();
  // The lines already taken are finished; nothing refers to the freed macro.
  int step = 1;
  int calls = 0;
  while (step == 1 && calls < 10) {
    step = block->Download(false, 1);
    ++calls;
  }
  EXPECT_EQ(step, 2);
}

}  // namespace
