#include "editors/lists/cmemoflagfrm.h"
#include "editors/lists/cmemoflaglistview.h"
#include "editors/lists/entrylisttestsupport.h"
#include "editors/lists/logiclisttestsupport.h"
#include "editors/lists/memoflaglistmodel.h"
#include "logic/cmemoflag.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QHeaderView>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

// A memo-flag frame over a project with memo flags 1, 2, 3 and 17.
class MemoFlagListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    for (int id : {1, 2, 3, 17}) flags[id] = AddLogicEntry<CMemoFlag>(*doc, CMemoFlag::kKindMemoFlag, id, "Flag");
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CMemoFlagFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::MemoFlags});
    frame->resize(600, 400);
    frame->show();
    view = frame->GetMemoFlagView();
  }
  QStringList States() const {
    QStringList states;
    for (int row = 0; row < view->RowCount(); ++row) states << view->CellText(row, MemoFlagListModel::kState);
    return states;
  }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  std::unique_ptr<CSelvantisDoc> doc;
  CMemoFlag* flags[18] = {};
  std::unique_ptr<CMemoFlagFrm> frame;
  CMemoFlagListView* view = nullptr;
};

}  // namespace

TEST(MemoFlagListModelTest, ReplyBecomesTheSetOfFlagsThatAreOn) {
  const BitSet on = MemoFlagListModel::ParseStates("/CONDITION/MEMOFLAG/ON ?\r\n/CONDITION/MEMOFLAG/ON 1-3,17\r\n");
  for (int id : {1, 2, 3, 17}) EXPECT_EQ(MemoFlagListModel::StateText(on, id), "ON") << id;
  for (int id : {4, 16, 18, 200}) EXPECT_EQ(MemoFlagListModel::StateText(on, id), "OFF") << id;
  const BitSet none = MemoFlagListModel::ParseStates("/CONDITION/MEMOFLAG/ON NONE");
  for (int id = 1; id <= 200; ++id) ASSERT_EQ(MemoFlagListModel::StateText(none, id), "OFF");
}

TEST(MemoFlagListModelTest, NoReplyOrADamagedListShowsEveryFlagOff) {
  for (const char* reply : {"", "   \r\n", "/CONDITION/MEMOFLAG/ON ?", "/CONDITION/MEMOFLAG/ON 1,x",
                            "/CONDITION/MEMOFLAG/ON 1-201", "/CONDITION/MEMOFLAG/ON 2,-"}) {
    const BitSet bits = MemoFlagListModel::ParseStates(reply);
    for (int id = 1; id <= 200; ++id) ASSERT_EQ(MemoFlagListModel::StateText(bits, id), "OFF") << reply;
  }
}

TEST_F(MemoFlagListTest, RegisteredAsEditorKindEighteenWithNewAndDeleteOnly) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::MemoFlags));
  Open();
  EXPECT_NE(frame->Action(32973), nullptr);
  EXPECT_NE(frame->Action(32972), nullptr);
  auto* bar = frame->findChild<QToolBar*>("listBar");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->actions().size(), 2);
}

TEST_F(MemoFlagListTest, FillShowsNameIdAndAnEmptyState) {
  Open();
  ASSERT_EQ(view->RowCount(), 4);
  EXPECT_EQ(view->headerItem()->text(0), "Memo Flag");
  EXPECT_EQ(view->headerItem()->text(1), "ID");
  EXPECT_EQ(view->headerItem()->text(2), "State");
  EXPECT_EQ(view->CellText(3, 0), "Flag 17");
  EXPECT_EQ(view->CellText(3, 1), "17");
  EXPECT_EQ(view->CellText(3, 2), "");
  EXPECT_EQ(view->header()->sectionSize(0), 260);
}

TEST_F(MemoFlagListTest, PollShowsTheFlagsTheUnitReports) {
  Open();
  link.SetAnswer("/CONDITION/MEMOFLAG/ON ?", "/CONDITION/MEMOFLAG/ON 1-2,17");
  view->PollStatus();
  EXPECT_EQ(States(), (QStringList{"ON", "ON", "OFF", "ON"}));
  EXPECT_TRUE(link.Lines().contains("/CONDITION/MEMOFLAG/ON ?"));
  link.SetAnswer("/CONDITION/MEMOFLAG/ON ?", "/CONDITION/MEMOFLAG/ON NONE");
  view->PollStatus();
  EXPECT_EQ(States(), (QStringList{"OFF", "OFF", "OFF", "OFF"}));
}

TEST_F(MemoFlagListTest, HeaderClickWhileOfflineDoesNothing) {
  Open();
  view->OnColumnClick(2);
  EXPECT_FALSE(view->IsPolling());
  EXPECT_FALSE(view->IsPollTimerActive());
  EXPECT_EQ(view->headerItem()->text(2), "State");
}

TEST_F(MemoFlagListTest, HeaderClickWhileConnectedTogglesThePoll) {
  doc->SetConnected(true);
  Open();
  view->OnColumnClick(1);
  EXPECT_FALSE(view->IsPolling());
  view->OnColumnClick(2);
  EXPECT_TRUE(view->IsPollTimerActive());
  EXPECT_EQ(view->headerItem()->text(2), "State *");
  view->OnColumnClick(2);
  EXPECT_FALSE(view->IsPollTimerActive());
  EXPECT_EQ(view->headerItem()->text(2), "State");
}

TEST_F(MemoFlagListTest, EveryChangeStopsThePoll) {
  doc->SetConnected(true);
  Open();
  view->OnColumnClick(2);
  ASSERT_TRUE(view->IsPolling());
  frame->OnCommand(32973);
  EXPECT_FALSE(view->IsPolling());
  EXPECT_FALSE(view->IsPollTimerActive());
  EXPECT_EQ(view->headerItem()->text(2), "State");
  view->OnColumnClick(2);
  ASSERT_TRUE(view->IsPolling());
  ASSERT_TRUE(view->BeginLabelEdit(0, 0));
  ASSERT_TRUE(TypeInto(view->CurrentEditor(), "Door open"));
  EXPECT_EQ(flags[1]->GetName(), "Door open");
  EXPECT_FALSE(view->IsPolling());
  view->OnColumnClick(2);
  frame->OnCommand(32972);
  EXPECT_FALSE(view->IsPolling());
}

TEST_F(MemoFlagListTest, RenumberingMovesTheFlagAndKeepsItSelected) {
  Open();
  view->SelectRow(1);
  view->EditCell(1, MemoFlagListModel::kId);
  ASSERT_NE(view->CurrentEditor(), nullptr);
  ASSERT_TRUE(TypeInto(view->CurrentEditor(), "40"));
  EXPECT_EQ(flags[2]->GetID(), 40);
  EXPECT_EQ(view->GetCurrentID(), 40);
  EXPECT_EQ(view->ObjectAt(view->FirstSelectedRow()), flags[2]);
  EXPECT_EQ(view->CellText(view->RowCount() - 1, 1), "40");
}

TEST_F(MemoFlagListTest, RenumberingToATakenIdIsRefusedQuietly) {
  Open();
  view->EditCell(0, MemoFlagListModel::kId);
  ASSERT_TRUE(TypeInto(view->CurrentEditor(), "17"));
  EXPECT_EQ(flags[1]->GetID(), 1);
  EXPECT_EQ(flags[17]->GetID(), 17);
  EXPECT_TRUE(messages.Requests().empty());
  view->EditCell(0, MemoFlagListModel::kId);
  ASSERT_TRUE(TypeInto(view->CurrentEditor(), "abc"));
  EXPECT_EQ(flags[1]->GetID(), 1);
  view->EditCell(0, MemoFlagListModel::kId);
  ASSERT_TRUE(TypeInto(view->CurrentEditor(), "999"));
  EXPECT_EQ(flags[1]->GetID(), 1);
  EXPECT_EQ(view->CellText(0, 1), "1");
}

TEST_F(MemoFlagListTest, OnlyTheIdIsEditedInPlaceAndOnlyTheNameAsLabel) {
  Open();
  view->EditCell(0, MemoFlagListModel::kName);
  view->EditCell(0, MemoFlagListModel::kState);
  EXPECT_EQ(view->CurrentEditor(), nullptr);
  EXPECT_FALSE(view->BeginLabelEdit(0, 1));
}

TEST_F(MemoFlagListTest, EmptyNameIsRefusedAndTheOldNameStays) {
  Open();
  ASSERT_TRUE(view->BeginLabelEdit(2, 0));
  ASSERT_TRUE(TypeInto(view->CurrentEditor(), ""));
  EXPECT_TRUE(messages.Saw(34212));
  EXPECT_EQ(flags[3]->GetName(), "Flag 3");
}

TEST_F(MemoFlagListTest, DeletingTheLastFlagDisablesDeleteAndFullPoolDisablesCreate) {
  Open();
  for (int i = 0; i < 4; ++i) frame->OnCommand(32972);
  EXPECT_EQ(view->RowCount(), 0);
  EXPECT_FALSE(frame->Action(32972)->isEnabled());
  EXPECT_TRUE(frame->Action(32973)->isEnabled());
  const int limit = CIDManager::GetCreateLimit(DT_MEMOFLAG, doc->IsBigProject());
  for (int id = 1; id <= limit; ++id)
    ASSERT_NE(AddLogicEntry<CMemoFlag>(*doc, CMemoFlag::kKindMemoFlag, id, "F"), nullptr);
  frame.reset();
  Open();
  EXPECT_FALSE(frame->Action(32973)->isEnabled());
}

TEST_F(MemoFlagListTest, DeletingTheFirstRowSelectsRowZero) {
  Open();
  ASSERT_EQ(view->FirstSelectedRow(), 0);
  frame->OnCommand(32972);
  EXPECT_EQ(view->FirstSelectedRow(), 0);
  EXPECT_EQ(view->GetCurrentID(), 2);
  EXPECT_EQ(view->ObjectAt(0), flags[2]);
}

TEST_F(MemoFlagListTest, CreateSelectsTheNewFlag) {
  Open();
  frame->OnCommand(32973);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_MEMOFLAG), 5);
  EXPECT_EQ(view->GetCurrentID(), 4);
  EXPECT_EQ(view->ObjectAt(view->FirstSelectedRow())->GetID(), 4);
}
