// The fuse window's decisions: rating boxes by slot inputs, the exact
// command lists, replies (echoes, repeats, malformed values).
#include "online/cfusewindowstate.h"

#include "online/onlinetestsupport.h"

#include <QObject>

namespace {

class CFuseWindowStateTest : public OnlineTest {};

TEST_F(CFuseWindowStateTest, SlotInputsDecideWhichFusesCanBeSet) {
  InputSlot(1)->SetModuleKind(0, CAudioInputSlot::MODULE_CONSOLE);
  InputSlot(1)->SetModuleKind(1, CAudioInputSlot::MODULE_MIC);
  InputSlot(2)->SetModuleKind(0, CAudioInputSlot::MODULE_CONSOLE);
  InputSlot(2)->SetModuleKind(1, CAudioInputSlot::MODULE_CONSOLE);
  CFuseWindowState state(&m_doc);
  state.Load();
  EXPECT_TRUE(state.IsEnabled(0));
  EXPECT_FALSE(state.IsEnabled(1));
  EXPECT_TRUE(state.IsEnabled(2));
  EXPECT_TRUE(state.IsEnabled(3));
  EXPECT_TRUE(state.IsEnabled(4));  // the remote fuse always

  InputSlot(1)->SetModuleKind(0, CAudioInputSlot::MODULE_NONE);
  state.Load();
  EXPECT_FALSE(state.IsEnabled(0));
  EXPECT_FALSE(state.IsEnabled(1));
}

TEST_F(CFuseWindowStateTest, MissingSlotLeavesItsFusesEnabled) {
  ASSERT_TRUE(m_doc.DeleteObject(InputSlot(2)));
  CFuseWindowState state(&m_doc);
  state.Load();
  EXPECT_FALSE(state.IsEnabled(0));  // slot 1 without console inputs
  EXPECT_FALSE(state.IsEnabled(1));
  EXPECT_TRUE(state.IsEnabled(2));
  EXPECT_TRUE(state.IsEnabled(3));
}

TEST_F(CFuseWindowStateTest, PollQueriesInOrder) {
  EXPECT_EQ(CFuseWindowState::PollQueries(),
            (QStringList{"/FUSE/SLOT1/A/BLOWN ?", "/FUSE/SLOT1/A/COOLING ?", "/FUSE/SLOT1/B/BLOWN ?",
                         "/FUSE/SLOT1/B/COOLING ?", "/FUSE/SLOT2/A/BLOWN ?", "/FUSE/SLOT2/A/COOLING ?",
                         "/FUSE/SLOT2/B/BLOWN ?", "/FUSE/SLOT2/B/COOLING ?", "/FUSE/AMP485/BLOWN ?",
                         "/FUSE/AMP485/COOLING ?"}));
}

TEST_F(CFuseWindowStateTest, BusyLineSkipsTheTick) {
  QObject target;
  CFuseWindowState state(&m_doc);
  m_link.SetOutBufferCount(3);
  EXPECT_FALSE(state.Poll(m_link, &target));
  EXPECT_TRUE(m_link.Lines().isEmpty());
  m_link.SetOutBufferCount(0);
  EXPECT_TRUE(state.Poll(m_link, &target));
  EXPECT_EQ(m_link.Lines(), CFuseWindowState::PollQueries());
  EXPECT_EQ(m_link.ReplyTarget(), &target);
  EXPECT_EQ(m_link.ReplyTag(), 0);
}

TEST_F(CFuseWindowStateTest, TransfersIgnoreTheOutputBuffer) {
  QObject target;
  CFuseWindowState state(&m_doc);
  ASSERT_TRUE(state.Choose(CFuse::AMP485, 2));
  ASSERT_TRUE(state.Choose(CFuse::SLOT1_A, 0));
  m_link.SetOutBufferCount(100);
  EXPECT_TRUE(state.Transfer(m_link, &target, false));
  EXPECT_EQ(m_link.TakeLines(), (QStringList{"/FUSE/SLOT1/A/VALUE 0", "/FUSE/SLOT1/B/VALUE 3", "/FUSE/SLOT2/A/VALUE 3",
                                             "/FUSE/SLOT2/B/VALUE 3", "/FUSE/AMP485/VALUE 2"}));
  EXPECT_TRUE(state.Transfer(m_link, &target, true));
  EXPECT_EQ(m_link.TakeLines(), (QStringList{"/FUSE/SLOT1/A/VALUE ?", "/FUSE/SLOT1/B/VALUE ?", "/FUSE/SLOT2/A/VALUE ?",
                                             "/FUSE/SLOT2/B/VALUE ?", "/FUSE/AMP485/VALUE ?"}));
}

TEST_F(CFuseWindowStateTest, ChoiceIsStoredAndMarksTheProjectChanged) {
  m_doc.SetModifiedFlag(false);
  CFuseWindowState state(&m_doc);
  EXPECT_TRUE(state.Choose(CFuse::SLOT2_B, 1));
  EXPECT_EQ(Fuse()->GetRating(CFuse::SLOT2_B), 1);
  EXPECT_TRUE(m_doc.IsModified());
  EXPECT_FALSE(state.Choose(CFuse::SLOT2_B, 4));
  EXPECT_FALSE(state.Choose(5, 1));
  EXPECT_EQ(Fuse()->GetRating(CFuse::SLOT2_B), 1);
}

TEST_F(CFuseWindowStateTest, IndicatorsFollowExactYes) {
  CFuseWindowState state(&m_doc);
  state.Load();
  EXPECT_FALSE(state.IsCooling(CFuse::SLOT2_B));
  EXPECT_TRUE(state.ApplyReply({"/FUSE/SLOT2/B/COOLING YES"}));
  EXPECT_TRUE(state.IsCooling(CFuse::SLOT2_B));
  EXPECT_FALSE(state.IsBlown(CFuse::SLOT2_B));
  EXPECT_TRUE(state.ApplyReply({"/FUSE/SLOT2/B/COOLING NO"}));
  EXPECT_FALSE(state.IsCooling(CFuse::SLOT2_B));
  state.ApplyReply({"/FUSE/SLOT2/B/COOLING YES"});
  state.ApplyReply({"/FUSE/SLOT2/B/COOLING yes"});
  EXPECT_FALSE(state.IsCooling(CFuse::SLOT2_B));
}

TEST_F(CFuseWindowStateTest, EchoIsSkippedAndRepeatsChangeNothing) {
  CFuseWindowState state(&m_doc);
  state.Load();
  const QStringList lines{"/FUSE/SLOT1/A/BLOWN ?", "/FUSE/SLOT1/A/BLOWN YES"};
  EXPECT_TRUE(state.ApplyReply(lines));
  EXPECT_TRUE(state.IsBlown(CFuse::SLOT1_A));
  EXPECT_FALSE(state.ApplyReply(lines));
  EXPECT_TRUE(state.IsBlown(CFuse::SLOT1_A));
  // The echo alone does not grey it.
  EXPECT_FALSE(state.ApplyReply({"/FUSE/SLOT1/A/BLOWN ?"}));
  EXPECT_TRUE(state.IsBlown(CFuse::SLOT1_A));
  // A new opening starts greyed.
  state.Load();
  EXPECT_FALSE(state.IsBlown(CFuse::SLOT1_A));
}

TEST_F(CFuseWindowStateTest, UploadedValuesAreStored) {
  CFuseWindowState state(&m_doc);
  EXPECT_TRUE(state.ApplyReply({"/FUSE/SLOT1/A/VALUE ?", "/FUSE/SLOT1/A/VALUE 1"}));
  EXPECT_EQ(Fuse()->GetRating(CFuse::SLOT1_A), 1);
  EXPECT_EQ(state.Selection(CFuse::SLOT1_A), 1);
  // Outside the list: kept in the project, no entry shown.
  state.ApplyReply({"/FUSE/AMP485/VALUE 7"});
  EXPECT_EQ(Fuse()->GetRating(CFuse::AMP485), 7);
  EXPECT_EQ(state.Selection(CFuse::AMP485), -1);
}

TEST_F(CFuseWindowStateTest, MalformedRepliesChangeNothing) {
  CFuseWindowState state(&m_doc);
  state.Load();
  m_doc.SetModifiedFlag(false);
  EXPECT_FALSE(state.ApplyReply({"/FUSE/SLOT1/A/VALUE abc", "/FUSE/SLOT1/A/VALUE", "/FUSE/SLOT3/A/VALUE 1",
                                 "/FUSE/SLOT1/A/TEMP 1", "/FUSE/SLOT1/BLOWN YES", "/FUSE/AMP485 YES",
                                 "/FUSE/SLOT1/A/VALUE/X 1", "SLOT1/A/BLOWN YES", ""}));
  for (int fuse = 0; fuse < CFuseWindowState::kFuseCount; ++fuse) {
    EXPECT_EQ(Fuse()->GetRating(fuse), CFuse::kDefaultRating);
    EXPECT_FALSE(state.IsBlown(fuse));
    EXPECT_FALSE(state.IsCooling(fuse));
  }
  EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(CFuseWindowStateTest, ProjectWithoutFuseObject) {
  ASSERT_TRUE(m_doc.DeleteObject(Fuse()));
  QObject target;
  CFuseWindowState state(&m_doc);
  state.Load();
  EXPECT_EQ(state.Selection(0), -1);
  EXPECT_FALSE(state.Choose(0, 1));
  EXPECT_FALSE(state.ApplyReply({"/FUSE/SLOT1/A/VALUE 1"}));
  EXPECT_FALSE(state.Transfer(m_link, &target, false));
  EXPECT_TRUE(m_link.Lines().isEmpty());
  // Queries need nothing of the project.
  EXPECT_TRUE(state.Transfer(m_link, &target, true));
  EXPECT_EQ(m_link.Lines().size(), 5);
}

TEST_F(CFuseWindowStateTest, RatingTexts) {
  EXPECT_EQ(CFuseWindowState::RatingTexts(), (QStringList{"0", "330", "660", "990"}));
}

}  // namespace
