#include "editors/lists/clogicoutdlgfrm.h"
#include "editors/lists/centrylisttransfer.h"
#include "editors/lists/clogicoutdlgview.h"
#include "editors/lists/entrylisttestsupport.h"
#include "editors/lists/logiclisttestsupport.h"
#include "editors/lists/logicoutlistmodel.h"
#include "link/linkmode.h"
#include "logic/ccondition.h"
#include "logic/clogicout.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A logic-output frame over a project with logic outputs 1, 2 and 5.
class LogicOutListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    for (int id : {1, 2, 5}) outs[id] = AddLogicEntry<CLogicOut>(*doc, CLogicOut::kKindLogicOut, id, "Logic out");
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CLogicOutDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::LogicOutputs});
    frame->resize(900, 400);
    frame->show();
    view = frame->GetLogicOutView();
  }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  std::unique_ptr<CSelvantisDoc> doc;
  CLogicOut* outs[6] = {};
  std::unique_ptr<CLogicOutDlgFrm> frame;
  CLogicOutDlgView* view = nullptr;
};

}  // namespace

TEST_F(LogicOutListTest, RegisteredAsEditorKindSeventeen) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::LogicOutputs));
}

TEST_F(LogicOutListTest, FillShowsTheColumnsOfEveryLogicOutput) {
  Open();
  ASSERT_EQ(view->RowCount(), 3);
  const QStringList titles{"Logic state", "ID", "Output", "Condition", "Inv."};
  for (int column = 0; column < 5; ++column) EXPECT_EQ(view->headerItem()->text(column), titles.at(column));
  EXPECT_EQ(view->CellText(2, 0), "Logic out 5");
  EXPECT_EQ(view->CellText(2, 1), "5");
  EXPECT_EQ(view->CellText(2, 2), "");
  EXPECT_EQ(view->CellText(2, 4), "OFF");
  EXPECT_EQ(view->ColumnAlignment(1), Qt::AlignRight);
  EXPECT_EQ(view->ColumnAlignment(4), Qt::AlignLeft);
  EXPECT_EQ(view->header()->sectionSize(1), 30);
}

TEST_F(LogicOutListTest, DoubleClickOnInvFlipsWithoutADialog) {
  Open();
  int asked = 0;
  view->SetChooser([&](uint32_t, const QString&) -> std::optional<int> {
    ++asked;
    return 0;
  });
  view->EditCell(1, LogicOutListModel::kInvert);
  EXPECT_TRUE(outs[2]->GetInvert());
  EXPECT_EQ(view->CellText(1, 4), "ON");
  view->EditCell(1, LogicOutListModel::kInvert);
  EXPECT_FALSE(outs[2]->GetInvert());
  EXPECT_EQ(view->CellText(1, 4), "OFF");
  view->EditCell(1, LogicOutListModel::kId);
  view->EditCell(1, LogicOutListModel::kName);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(view->CurrentEditor(), nullptr);
}

TEST_F(LogicOutListTest, OutputAndConditionComeFromTheirSelections) {
  CBaseDevice* pad = AddPad(*doc);
  ASSERT_NE(pad, nullptr);
  auto* condition = dynamic_cast<CCondition*>(doc->CreateObject(DT_CONDITION, CCondition::kKindAmplifierError));
  ASSERT_NE(condition, nullptr);
  Open();
  uint32_t askedKind = 0;
  QString askedText;
  int answer = pad->GetID();
  view->SetChooser([&](uint32_t kind, const QString& current) -> std::optional<int> {
    askedKind = kind;
    askedText = current;
    return answer;
  });
  view->EditCell(0, LogicOutListModel::kOutput);
  EXPECT_EQ(askedKind, 34460u);
  EXPECT_EQ(outs[1]->GetValue(4), pad->GetID());
  EXPECT_EQ(view->CellText(0, 2), pad->GetName());
  answer = condition->GetID();
  view->EditCell(0, LogicOutListModel::kCondition);
  EXPECT_EQ(askedKind, 34129u);
  EXPECT_EQ(outs[1]->GetValue(2), condition->GetID());
  EXPECT_EQ(view->CellText(0, 3), condition->GetName());
  // "No entry" unlinks the output; the dialog was preset with the pad's name.
  answer = 0;
  view->EditCell(0, LogicOutListModel::kOutput);
  EXPECT_EQ(askedText, pad->GetName());
  EXPECT_EQ(outs[1]->GetValue(4), 0);
  EXPECT_EQ(view->CellText(0, 2), "");
}

TEST_F(LogicOutListTest, CancelledChoiceChangesNothing) {
  Open();
  outs[1]->SetValue(3, 1);
  view->SetChooser([](uint32_t, const QString&) -> std::optional<int> { return std::nullopt; });
  view->EditCell(0, LogicOutListModel::kCondition);
  EXPECT_EQ(outs[1]->GetValue(2), 0);
  EXPECT_TRUE(outs[1]->GetInvert());
}

TEST_F(LogicOutListTest, ThirtyLogicOutputsDisableCreate) {
  for (int id = 3; id <= 30; ++id) {
    if (id != 5) AddLogicEntry<CLogicOut>(*doc, CLogicOut::kKindLogicOut, id, "Logic out");
  }
  ASSERT_FALSE(doc->IsBigProject());
  ASSERT_EQ(doc->GetIDManager().GetCount(DT_LOGICOUT), 30);
  Open();
  EXPECT_FALSE(frame->Action(33120)->isEnabled());
  EXPECT_TRUE(frame->Action(33121)->isEnabled());
  frame->OnCommand(33120);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_LOGICOUT), 30);
  frame->OnCommand(33121);
  EXPECT_TRUE(frame->Action(33120)->isEnabled());
}

TEST_F(LogicOutListTest, CreateAddsALogicOutputUnderItsDefaultNameAndSelectsIt) {
  Open();
  frame->OnCommand(33120);
  ASSERT_EQ(view->RowCount(), 4);
  EXPECT_EQ(view->GetCurrentID(), 3);
  EXPECT_EQ(view->ObjectAt(view->FirstSelectedRow())->GetID(), 3);
  EXPECT_FALSE(view->CellText(view->FirstSelectedRow(), 0).isEmpty());
}

TEST_F(LogicOutListTest, DeletingTheLastDisablesDelete) {
  Open();
  for (int i = 0; i < 3; ++i) frame->OnCommand(33121);
  EXPECT_EQ(view->RowCount(), 0);
  EXPECT_FALSE(frame->Action(33121)->isEnabled());
}

TEST_F(LogicOutListTest, EmptyNameIsRefusedAndTheOldNameStays) {
  Open();
  ASSERT_TRUE(view->BeginLabelEdit(0, 0));
  EXPECT_FALSE(view->BeginLabelEdit(0, 3));
  ASSERT_TRUE(TypeInto(view->CurrentEditor(), ""));
  EXPECT_TRUE(messages.Saw(34212));
  EXPECT_EQ(outs[1]->GetName(), "Logic out 1");
}

TEST_F(LogicOutListTest, DeviceDownloadOfOutputFiveSendsSteps17To20) {
  doc->SetConnected(true);
  outs[5]->SetValue(3, 1);
  Open();
  view->SelectRow(2);
  link.Clear();
  view->OnDeviceCommand(33179);
  QStringList outLines;
  for (const QString& line : link.Lines()) {
    if (line.startsWith("/LOGICOUT")) outLines << line;
  }
  ASSERT_EQ(outLines.size(), 4) << link.Lines().join('|').toStdString();
  for (const QString& line : outLines) EXPECT_TRUE(line.startsWith("/LOGICOUT/OUT5/")) << line.toStdString();
  EXPECT_TRUE(outLines.contains("/LOGICOUT/OUT5/INVERT ON"));
  EXPECT_TRUE(link.Modes().contains(LINKMODE_DOWNLOAD));
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

TEST_F(LogicOutListTest, DeviceUploadQueriesTheSameSteps) {
  doc->SetConnected(true);
  Open();
  view->SelectRow(1);
  link.Clear();
  view->OnDeviceCommand(33180);
  QStringList outLines;
  for (const QString& line : link.Lines()) {
    if (line.startsWith("/LOGICOUT")) outLines << line;
  }
  ASSERT_EQ(outLines.size(), 4) << link.Lines().join('|').toStdString();
  for (const QString& line : outLines) {
    EXPECT_TRUE(line.startsWith("/LOGICOUT/OUT2/") && line.endsWith(" ?")) << line.toStdString();
  }
  EXPECT_TRUE(link.Modes().contains(LINKMODE_UPLOAD));
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

TEST_F(LogicOutListTest, DeviceCommandsWithoutSelectionSendNothing) {
  doc->SetConnected(true);
  Open();
  view->clearSelection();
  link.Clear();
  view->OnDeviceCommand(33179);
  view->OnDeviceCommand(33180);
  EXPECT_TRUE(link.Lines().isEmpty());
  EXPECT_TRUE(link.Modes().isEmpty());
  // What the steps of "ID 0" would send: the macro lock on and off around
  // no line of any logic output.
  CEntryListTransfer transfer(*doc, LogicOutListModel::kKind, &link);
  transfer.TransferSteps(false, 0);
  EXPECT_EQ(link.Lines(), (QStringList{"/MACRO/LOCK ON", "/MACRO/LOCK OFF"}));
  link.Clear();
  transfer.TransferSteps(true, 0);
  for (const QString& line : link.Lines()) EXPECT_FALSE(line.startsWith("/LOGICOUT")) << line.toStdString();
}

TEST_F(LogicOutListTest, WholeListDownloadGoesThroughTheBlock) {
  doc->SetConnected(true);
  Open();
  EXPECT_TRUE(frame->Action(33119)->isEnabled());
  link.Clear();
  frame->OnCommand(33119);
  EXPECT_TRUE(link.Lines().contains("/LOGICOUT/OUT2/INVERT OFF")) << link.Lines().join('|').toStdString();
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

TEST_F(LogicOutListTest, DeleteKeyDeletesTheSelectedLogicOutput) {
  Open();
  view->SelectRow(1);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(doc->GetIDManager().FindBaseDevice(2, DT_LOGICOUT), nullptr);
  EXPECT_EQ(view->RowCount(), 2);
}
