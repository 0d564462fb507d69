#include "editors/lists/ccombinedlgfrm.h"
#include "editors/lists/ccombinedlgview.h"
#include "editors/lists/combinelistmodel.h"
#include "editors/lists/conditionliststestsupport.h"
#include "editors/lists/entrylisttestsupport.h"
#include "logic/ccombinecondition.h"
#include "logic/ccondition.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A combination frame over a project with combinations 1, 2 and 3 and
// conditions 1 and 2.
class CombineListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    for (int id = 1; id <= 3; ++id) {
      combos[id] = AddListEntry<CCombineCondition>(*doc, CCombineCondition::kKindCombine, id,
                                                   QStringLiteral("Combination %1").arg(id));
    }
    for (int id = 1; id <= 2; ++id) {
      AddListEntry<CCondition>(*doc, CCondition::kKindFault, id, QStringLiteral("Cond %1").arg(id));
    }
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CCombineDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::CombineConditions});
    frame->resize(900, 400);
    frame->show();
    view = frame->GetCombineView();
    view->SetChooser(chooser.Chooser());
  }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  ScriptedChooser chooser;
  std::unique_ptr<CSelvantisDoc> doc;
  CCombineCondition* combos[4] = {};
  std::unique_ptr<CCombineDlgFrm> frame;
  CCombineDlgView* view = nullptr;
};

}  // namespace

TEST_F(CombineListTest, RegisteredAsEditorKindFourteen) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::CombineConditions));
  Open();
  ASSERT_NE(frame->Action(33155), nullptr);
  EXPECT_EQ(frame->Action(33133)->text(), "Delete COMBINE condition");
}

TEST_F(CombineListTest, FourRowsPerCombination) {
  combos[2]->SetValue(6, 1);
  combos[2]->SetValue(7, 2);
  Open();
  ASSERT_EQ(view->RowCount(), 12);
  EXPECT_EQ(view->headerItem()->text(3), "Inv.");
  EXPECT_EQ(view->CellText(4, 0), "Combination 2");
  EXPECT_EQ(view->CellText(4, 1), "2");
  QString logic;
  combos[2]->GetColumnText(logic, 0);
  EXPECT_EQ(view->CellText(4, 2), logic);
  EXPECT_EQ(view->CellText(5, 0), "");
  EXPECT_EQ(view->CellText(5, 1), "");
  EXPECT_EQ(view->CellText(5, 2), "");
  EXPECT_EQ(view->CellText(6, 3), "NOT");
  EXPECT_EQ(view->CellText(6, 4), "Cond 2");
  EXPECT_EQ(view->CellText(7, 3), "");
  for (int row = 4; row < 8; ++row) EXPECT_EQ(view->ObjectAt(row), combos[2]);
  // Without a current ID the first row; then the last row of the current
  // block.
  EXPECT_EQ(view->FirstSelectedRow(), 0);
  view->SetCurrentID(2);
  view->FillList();
  EXPECT_EQ(view->FirstSelectedRow(), 7);
}

TEST_F(CombineListTest, InvertOnTheThirdRowTogglesInputThreeOnly) {
  Open();
  view->EditCell(2, CombineListModel::kInvert);
  EXPECT_EQ(combos[1]->GetValue(6), 1);
  for (int field : {2, 4, 8}) EXPECT_EQ(combos[1]->GetValue(field), 0) << field;
  EXPECT_EQ(view->CellText(2, 3), "NOT");
  EXPECT_TRUE(chooser.requests.empty());
}

TEST_F(CombineListTest, ConditionOfARowChosenForItsInput) {
  Open();
  chooser.answer = ListChoice{2, QString()};
  view->EditCell(9, CombineListModel::kCondition);
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].kind, 34129u);
  EXPECT_EQ(combos[3]->GetValue(5), 2);
  EXPECT_EQ(combos[3]->GetValue(3), 0);
}

TEST_F(CombineListTest, LogicChosenOnAnyRow) {
  Open();
  const int xorFunction = CCombineCondition::Functions().back();
  chooser.answer = ListChoice{xorFunction, QString()};
  view->EditCell(6, CombineListModel::kLogic);
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].kind, 34455u);
  EXPECT_EQ(combos[2]->GetValue(0), xorFunction);
}

TEST_F(CombineListTest, CancelledChoiceChangesNothing) {
  Open();
  const int before = combos[1]->GetValue(0);
  view->EditCell(0, CombineListModel::kLogic);
  EXPECT_EQ(combos[1]->GetValue(0), before);
}

TEST_F(CombineListTest, RenameOnAContinuationRowRenamesTheCombination) {
  Open();
  ASSERT_TRUE(view->BeginLabelEdit(6, CombineListModel::kName));
  auto* edit = qobject_cast<QLineEdit*>(view->CurrentEditor());
  ASSERT_NE(edit, nullptr);
  edit->setText("Both doors");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(combos[2]->GetName(), "Both doors");
  EXPECT_EQ(view->CellText(4, 0), "Both doors");
}

TEST_F(CombineListTest, DeletingTheFirstSelectsTheSecond) {
  Open();
  ASSERT_EQ(view->FirstSelectedRow(), 0);
  frame->OnCommand(33133);
  ASSERT_EQ(view->RowCount(), 8);
  EXPECT_EQ(view->GetCurrentID(), 2);
  EXPECT_EQ(view->FirstSelectedRow(), 3);
  EXPECT_EQ(view->ObjectAt(3), combos[2]);
}

TEST_F(CombineListTest, DeletingFromAnyRowOfTheBlockSelectsTheNext) {
  Open();
  view->SelectRow(4);
  frame->OnCommand(33133);
  ASSERT_EQ(view->RowCount(), 8);
  EXPECT_EQ(view->GetCurrentID(), 3);
}

TEST_F(CombineListTest, DeletingTheLastSelectsTheOneBefore) {
  Open();
  view->SelectRow(11);
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QCoreApplication::sendEvent(view, &press);
  ASSERT_EQ(view->RowCount(), 8);
  EXPECT_EQ(view->GetCurrentID(), 2);
  EXPECT_EQ(view->FirstSelectedRow(), 7);
}

TEST_F(CombineListTest, NewAddsFourRows) {
  Open();
  frame->OnCommand(33132);
  ASSERT_EQ(view->RowCount(), 16);
  EXPECT_EQ(view->FirstSelectedRow(), 15);
  auto* created = dynamic_cast<CCombineCondition*>(view->ObjectAt(15));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->GetKind(), CCombineCondition::kKindCombine);
}

TEST(CombineListModelTest, FieldsOfTheCells) {
  EXPECT_EQ(CombineListModel::FieldOf(0, CombineListModel::kLogic), 0);
  EXPECT_EQ(CombineListModel::FieldOf(7, CombineListModel::kLogic), 0);
  EXPECT_EQ(CombineListModel::FieldOf(5, CombineListModel::kInvert), 4);
  EXPECT_EQ(CombineListModel::FieldOf(11, CombineListModel::kCondition), 9);
  EXPECT_EQ(CombineListModel::FieldOf(8, CombineListModel::kCondition), 3);
  EXPECT_EQ(CombineListModel::FieldOf(2, CombineListModel::kId), -1);
  EXPECT_EQ(CombineListModel::FieldOf(-1, CombineListModel::kLogic), -1);
}

TEST(CombineListModelTest, CurrentAfterDeleteGoesByBlock) {
  const std::vector<int> ids{1, 1, 1, 1, 4, 4, 4, 4, 9, 9, 9, 9};
  EXPECT_EQ(CombineListModel::CurrentAfterDelete(ids, 3, 1), 4);
  EXPECT_EQ(CombineListModel::CurrentAfterDelete(ids, 0, 1), 4);
  EXPECT_EQ(CombineListModel::CurrentAfterDelete(ids, 6, 4), 9);
  EXPECT_EQ(CombineListModel::CurrentAfterDelete(ids, 11, 9), 4);
  EXPECT_EQ(CombineListModel::CurrentAfterDelete({5, 5, 5, 5}, 2, 5), 5);
  EXPECT_EQ(CombineListModel::CurrentAfterDelete(ids, 12, 1), 1);
}

TEST(CombineListModelTest, RowToSelectIsTheLastRowOfTheBlock) {
  const std::vector<int> ids{1, 1, 1, 1, 4, 4, 4, 4};
  EXPECT_EQ(CombineListModel::RowToSelect(ids, 4), 7);
  EXPECT_EQ(CombineListModel::RowToSelect(ids, 1), 3);
  EXPECT_EQ(CombineListModel::RowToSelect(ids, 2), 0);
  EXPECT_EQ(CombineListModel::RowToSelect({}, 2), -1);
}
