#include "editors/lists/canalogdlgfrm.h"
#include "editors/lists/analoglistmodel.h"
#include "editors/lists/canalogdlgview.h"
#include "editors/lists/conditionliststestsupport.h"
#include "editors/lists/entrylisttestsupport.h"
#include "logic/canalogcondition.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// An analog condition frame over a project with range checks 1 and 2.
class AnalogListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    ranges[1] = AddListEntry<CAnalogCondition>(*doc, CAnalogCondition::kKindAnalog, 1, "Level low");
    ranges[2] = AddListEntry<CAnalogCondition>(*doc, CAnalogCondition::kKindAnalog, 2, "Level high");
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CAnalogDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::AnalogConditions});
    frame->resize(900, 400);
    frame->show();
    view = frame->GetAnalogView();
    view->SetChooser(chooser.Chooser());
  }
  void TypeInto(int row, int column, const QString& text) {
    view->EditCell(row, column);
    auto* edit = qobject_cast<QLineEdit*>(view->CurrentEditor());
    ASSERT_NE(edit, nullptr);
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  ScriptedChooser chooser;
  std::unique_ptr<CSelvantisDoc> doc;
  CAnalogCondition* ranges[3] = {};
  std::unique_ptr<CAnalogDlgFrm> frame;
  CAnalogDlgView* view = nullptr;
};

}  // namespace

TEST_F(AnalogListTest, RegisteredAsEditorKindThirteen) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::AnalogConditions));
  Open();
  ASSERT_NE(frame->Action(33153), nullptr);
  EXPECT_EQ(frame->Action(33153)->text(), "Download ANALOG conditions");
}

TEST_F(AnalogListTest, FillShowsRangeChecks) {
  Open();
  ASSERT_EQ(view->RowCount(), 2);
  EXPECT_EQ(view->headerItem()->text(0), "Range check");
  EXPECT_EQ(view->headerItem()->text(2), "KCM216 Input");
  EXPECT_EQ(view->CellText(1, 0), "Level high");
  EXPECT_EQ(view->CellText(1, 1), "2");
  EXPECT_EQ(view->CellText(1, 2), "");
  EXPECT_EQ(view->CellText(1, 3), "0.0");
  EXPECT_EQ(view->CellText(1, 4), "10.0");
}

TEST_F(AnalogListTest, MinimumIsClampedToTheRange) {
  Open();
  TypeInto(0, AnalogListModel::kMinimum, "12.5");
  EXPECT_FLOAT_EQ(ranges[1]->GetMinimum(), 10.0f);
  EXPECT_EQ(view->CellText(0, 3), "10.0");
  TypeInto(0, AnalogListModel::kMinimum, "-3");
  EXPECT_FLOAT_EQ(ranges[1]->GetMinimum(), 0.0f);
  EXPECT_EQ(view->CellText(0, 3), "0.0");
}

TEST_F(AnalogListTest, MinimumAboveMaximumIsKept) {
  Open();
  TypeInto(0, AnalogListModel::kMaximum, "2.5");
  TypeInto(0, AnalogListModel::kMinimum, "7.5");
  EXPECT_FLOAT_EQ(ranges[1]->GetMinimum(), 7.5f);
  EXPECT_FLOAT_EQ(ranges[1]->GetMaximum(), 2.5f);
  EXPECT_EQ(view->CellText(0, 4), "2.5");
}

TEST_F(AnalogListTest, TextWithoutNumberLeavesTheValue) {
  Open();
  TypeInto(1, AnalogListModel::kMaximum, "4.5");
  TypeInto(1, AnalogListModel::kMaximum, "high");
  EXPECT_FLOAT_EQ(ranges[2]->GetMaximum(), 4.5f);
}

TEST_F(AnalogListTest, InputChosenFromSelection) {
  Open();
  view->EditCell(0, AnalogListModel::kInput);
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].kind, 32848u);
  EXPECT_EQ(ranges[1]->GetValue(0), 0);
}

TEST_F(AnalogListTest, OtherColumnsOpenNothing) {
  Open();
  view->EditCell(0, AnalogListModel::kId);
  view->EditCell(0, AnalogListModel::kName);
  EXPECT_EQ(view->CurrentEditor(), nullptr);
  EXPECT_TRUE(chooser.requests.empty());
  EXPECT_FALSE(view->BeginLabelEdit(0, AnalogListModel::kMinimum));
}

TEST_F(AnalogListTest, NewCreatesARangeCheckAndMakesItCurrent) {
  Open();
  frame->OnCommand(33123);
  ASSERT_EQ(view->RowCount(), 3);
  auto* created = dynamic_cast<CAnalogCondition*>(view->ObjectAt(view->FirstSelectedRow()));
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->GetKind(), CAnalogCondition::kKindAnalog);
  EXPECT_EQ(view->GetCurrentID(), created->GetID());
}

TEST_F(AnalogListTest, RenameKeepsNamesUnique) {
  Open();
  ASSERT_TRUE(view->BeginLabelEdit(0, AnalogListModel::kName));
  auto* edit = qobject_cast<QLineEdit*>(view->CurrentEditor());
  ASSERT_NE(edit, nullptr);
  edit->setText("Level high");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_NE(ranges[1]->GetName(), ranges[2]->GetName());
}
