#include "editors/lists/cconditiondlgfrm.h"
#include "editors/lists/cconditiondlgview.h"
#include "editors/lists/conditionlistmodel.h"
#include "editors/lists/conditionliststestsupport.h"
#include "editors/lists/entrylisttestsupport.h"
#include "editors/lists/listmousesupport.h"
#include "logic/canalogcondition.h"
#include "logic/ccondition.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A condition frame over a project with conditions 1, 2 and 5 (5 an
// analog-type condition watching range check 1).
class ConditionListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    doc->SetConnected(true);
    conditions[1] = AddListEntry<CCondition>(*doc, CCondition::kKindFault, 1, "Fault");
    conditions[2] = AddListEntry<CCondition>(*doc, CCondition::kKindFault, 2, "Second");
    conditions[5] = AddListEntry<CCondition>(*doc, CCondition::kKindAnalog, 5, "Analog");
    range = AddListEntry<CAnalogCondition>(*doc, CAnalogCondition::kKindAnalog, 1, "Range A");
    conditions[5]->SetValue(4, range->GetID());
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CConditionDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::Conditions});
    frame->resize(900, 400);
    frame->show();
    view = frame->GetConditionView();
    view->SetChooser(chooser.Chooser());
  }
  QString StateTitle() const { return view->headerItem()->text(ConditionListModel::kState); }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  ScriptedChooser chooser;
  std::unique_ptr<CSelvantisDoc> doc;
  CCondition* conditions[6] = {};
  CAnalogCondition* range = nullptr;
  std::unique_ptr<CConditionDlgFrm> frame;
  CConditionDlgView* view = nullptr;
};

}  // namespace

TEST_F(ConditionListTest, RegisteredAsEditorKindTwelveWithItsToolbar) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::Conditions));
  Open();
  ASSERT_NE(frame->Action(33141), nullptr);
  EXPECT_EQ(frame->Action(33141)->text(), "Create new condition");
  EXPECT_EQ(frame->Action(32938)->text(), "Download Condition");
}

TEST_F(ConditionListTest, FillShowsOneRowPerConditionInIdOrder) {
  conditions[2]->SetValue(2, 0);
  Open();
  ASSERT_EQ(view->RowCount(), 3);
  EXPECT_EQ(view->headerItem()->text(0), "Condition");
  EXPECT_EQ(view->headerItem()->text(2), "Selection");
  EXPECT_EQ(StateTitle(), "State");
  EXPECT_EQ(view->CellText(1, 0), "Second");
  EXPECT_EQ(view->CellText(1, 1), "2");
  EXPECT_EQ(view->CellText(1, 3), "OFF");
  EXPECT_EQ(view->CellText(0, 3), "ON");
  EXPECT_EQ(view->CellText(2, 1), "5");
  EXPECT_EQ(view->CellText(2, 2), "Range A");
  EXPECT_EQ(view->CellText(2, 4), "");
  EXPECT_EQ(view->ObjectAt(2), conditions[5]);
  EXPECT_EQ(view->columnWidth(0), 190);
}

TEST_F(ConditionListTest, MissingSourceShowsItsNumberWithAStar) {
  conditions[5]->SetValue(4, 7);
  Open();
  EXPECT_EQ(view->CellText(2, 2), "7 *");
}

TEST_F(ConditionListTest, ClickOnStateStartsAndStopsThePoll) {
  Open();
  view->OnHeaderClick(ConditionListModel::kLevel);
  EXPECT_FALSE(view->IsPolling());
  view->OnHeaderClick(ConditionListModel::kState);
  EXPECT_TRUE(view->IsPolling());
  EXPECT_TRUE(view->PollTimer().isActive());
  EXPECT_EQ(view->PollTimer().interval(), 1500);
  EXPECT_EQ(StateTitle(), "State *");
  view->OnHeaderClick(ConditionListModel::kState);
  EXPECT_FALSE(view->IsPolling());
  EXPECT_FALSE(view->PollTimer().isActive());
  EXPECT_EQ(StateTitle(), "State");
}

TEST_F(ConditionListTest, HeaderSignalReachesThePoll) {
  Open();
  emit view->header()->sectionClicked(ConditionListModel::kState);
  EXPECT_TRUE(view->IsPolling());
}

TEST_F(ConditionListTest, StateClickIgnoredWhileNotConnected) {
  doc->SetConnected(false);
  Open();
  view->OnHeaderClick(ConditionListModel::kState);
  EXPECT_FALSE(view->IsPolling());
  EXPECT_EQ(StateTitle(), "State");
}

TEST_F(ConditionListTest, PollMarksTheTrueConditions) {
  Open();
  link.SetAnswer("/CONDITION/TRUE ?", "/CONDITION/TRUE 1,4-5\r\n");
  view->PollStatus();
  EXPECT_EQ(link.Lines(), QStringList{"/CONDITION/TRUE ?"});
  EXPECT_EQ(view->CellText(0, 4), "TRUE");
  EXPECT_EQ(view->CellText(1, 4), "FALSE");
  EXPECT_EQ(view->CellText(2, 4), "TRUE");
}

TEST_F(ConditionListTest, EmptyZeroOrMalformedReplyMarksAllFalse) {
  Open();
  for (const QString& answer : {QString(), QString("/CONDITION/TRUE 0"), QString("/CONDITION/TRUE ?"),
                                QString("/CONDITION/TRUE 1,x"), QString("/CONDITION/TRUE 1,999")}) {
    link.SetAnswer("/CONDITION/TRUE ?", answer);
    view->PollStatus();
    for (int row = 0; row < 3; ++row) EXPECT_EQ(view->CellText(row, 4), "FALSE") << answer.toStdString();
  }
}

TEST_F(ConditionListTest, AnEditStopsThePoll) {
  Open();
  view->OnHeaderClick(ConditionListModel::kState);
  view->EditCell(0, ConditionListModel::kLevel);
  EXPECT_FALSE(view->IsPolling());
  EXPECT_EQ(StateTitle(), "State");
  EXPECT_EQ(conditions[1]->GetValue(2), 0);
  EXPECT_EQ(view->CellText(0, 3), "OFF");
  view->OnHeaderClick(ConditionListModel::kState);
  EXPECT_TRUE(view->IsPolling());
}

TEST_F(ConditionListTest, DoubleClickOnNameChoosesTheType) {
  Open();
  chooser.answer = ListChoice{CCondition::kKindMemoFlag, QString()};
  view->EditCell(1, ConditionListModel::kName);
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].kind, 34325u);
  EXPECT_EQ(chooser.requests[0].current, CCondition::kKindFault);
  EXPECT_EQ(conditions[2]->GetKind(), CCondition::kKindMemoFlag);
}

// The user's double click on the selected row's name: the first click must
// not open a rename box that takes the second.
TEST_F(ConditionListTest, DoubleClickOnTheSelectedNameOpensTheTypeChooser) {
  Open();
  ListMouse mouse(view);
  ASSERT_TRUE(mouse.Ready());
  view->SelectRow(1);
  chooser.answer = ListChoice{CCondition::kKindMemoFlag, QString()};
  mouse.DoubleClick(1, ConditionListModel::kName);
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].kind, 34325u);
  EXPECT_EQ(conditions[2]->GetKind(), CCondition::kKindMemoFlag);
  // No rename box comes after it either.
  QTest::qWait(QApplication::doubleClickInterval() + 100);
  EXPECT_EQ(mouse.RenameBox(), nullptr);
  EXPECT_EQ(conditions[2]->GetName(), "Second");
}

// A single click on the selected name still renames, once the double-click
// time has passed.
TEST_F(ConditionListTest, ClickOnTheSelectedNameRenames) {
  Open();
  ListMouse mouse(view);
  ASSERT_TRUE(mouse.Ready());
  view->SelectRow(1);
  mouse.Click(1, ConditionListModel::kName);
  EXPECT_TRUE(QTest::qWaitFor([&] { return mouse.RenameBox() != nullptr; }, 20000));
  EXPECT_TRUE(chooser.requests.empty());
}

TEST_F(ConditionListTest, SourceChosenOnlyForTypesWithSources) {
  Open();
  view->EditCell(0, ConditionListModel::kSelection);
  EXPECT_TRUE(chooser.requests.empty());
  auto* other = AddListEntry<CAnalogCondition>(*doc, CAnalogCondition::kKindAnalog, 2, "Range B");
  chooser.answer = ListChoice{other->GetID(), QString()};
  view->EditCell(2, ConditionListModel::kSelection);
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].kind, static_cast<uint32_t>(conditions[5]->GetSourceObjectKind()));
  EXPECT_EQ(chooser.requests[0].selection, "Range A");
  EXPECT_EQ(conditions[5]->GetValue(4), 2);
  EXPECT_EQ(view->CellText(2, 2), "Range B");
}

TEST_F(ConditionListTest, CancelledChoiceChangesNothing) {
  Open();
  view->EditCell(2, ConditionListModel::kSelection);
  view->EditCell(2, ConditionListModel::kName);
  EXPECT_EQ(conditions[5]->GetValue(4), 1);
  EXPECT_EQ(conditions[5]->GetKind(), CCondition::kKindAnalog);
}

TEST_F(ConditionListTest, RenameOnlyOverTheNameColumn) {
  Open();
  EXPECT_FALSE(view->BeginLabelEdit(0, ConditionListModel::kLevel));
  ASSERT_TRUE(view->BeginLabelEdit(0, ConditionListModel::kName));
  auto* edit = qobject_cast<QLineEdit*>(view->CurrentEditor());
  ASSERT_NE(edit, nullptr);
  edit->setText("Door open");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(conditions[1]->GetName(), "Door open");
  EXPECT_EQ(view->CellText(0, 0), "Door open");
}

TEST_F(ConditionListTest, NewAsksForTheTypeFirst) {
  Open();
  frame->OnCommand(33141);
  EXPECT_EQ(view->RowCount(), 3);
  chooser.answer = ListChoice{CCondition::kKindAmplifierError, QString()};
  frame->OnCommand(33141);
  ASSERT_EQ(view->RowCount(), 4);
  auto* created = dynamic_cast<CCondition*>(view->ObjectAt(view->FirstSelectedRow()));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->GetKind(), CCondition::kKindAmplifierError);
  EXPECT_EQ(created->GetValue(4), 255);
  EXPECT_EQ(view->GetCurrentID(), created->GetID());
}

TEST_F(ConditionListTest, NewOfAnotherTypeStartsWithoutSource) {
  Open();
  chooser.answer = ListChoice{CCondition::kKindMemoFlag, QString()};
  frame->OnCommand(33141);
  auto* created = dynamic_cast<CCondition*>(view->ObjectAt(view->FirstSelectedRow()));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->GetValue(4), 0);
}

TEST_F(ConditionListTest, DeleteRemovesTheSelectedCondition) {
  Open();
  view->SelectRow(1);
  frame->OnCommand(33142);
  ASSERT_EQ(view->RowCount(), 2);
  EXPECT_EQ(view->CellText(view->FirstSelectedRow(), 1), "5");
}
