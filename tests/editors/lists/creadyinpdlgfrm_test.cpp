#include "editors/lists/creadyinpdlgfrm.h"
#include "editors/lists/creadyinpdlgview.h"
#include "editors/lists/creadyinpoptionsview.h"
#include "editors/lists/entrylisttestsupport.h"
#include "editors/lists/logiclisttestsupport.h"
#include "editors/lists/readyinputlistmodel.h"
#include "link/linkmode.h"
#include "logic/cglobalreadyinput.h"
#include "logic/creadyinput.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/cvalueedit.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QApplication>
#include <QSplitter>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// A ready-input frame over a project with ready inputs 1, 2 and 3.
class ReadyInputListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    for (int id = 1; id <= 3; ++id)
      inputs[id] = AddLogicEntry<CReadyInput>(*doc, CReadyInput::kKindReadyInput, id, "Input");
    global = ReadyInputListModel::Global(*doc);
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CReadyInpDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::ReadyInputs});
    frame->resize(900, 400);
    frame->show();
    view = frame->GetReadyInpView();
    options = frame->GetOptionsView();
  }
  QStringList GlobalLines() const {
    QStringList lines;
    for (const QString& line : link.Lines()) {
      if (line.startsWith("/READYINP")) lines << line;
    }
    return lines;
  }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  std::unique_ptr<CSelvantisDoc> doc;
  CReadyInput* inputs[4] = {};
  CGlobalReadyInput* global = nullptr;
  std::unique_ptr<CReadyInpDlgFrm> frame;
  CReadyInpDlgView* view = nullptr;
  CReadyInpOptionsView* options = nullptr;
};

}  // namespace

TEST(ReadyInputListModelTest, StateTextCombinesReadyAndFault) {
  const BitSet ready = ReadyInputListModel::ParseStates("/READYINP/READY 1,3,800");
  const BitSet fault = ReadyInputListModel::ParseStates("/READYINP/FAULT 3-4");
  EXPECT_EQ(ReadyInputListModel::StateText(ready, fault, 1), "READY");
  EXPECT_EQ(ReadyInputListModel::StateText(ready, fault, 2), "");
  EXPECT_EQ(ReadyInputListModel::StateText(ready, fault, 3), "READY+FAULT");
  EXPECT_EQ(ReadyInputListModel::StateText(ready, fault, 4), "FAULT");
  EXPECT_EQ(ReadyInputListModel::StateText(ready, fault, 800), "READY");
  const BitSet none = ReadyInputListModel::ParseStates("/READYINP/READY NONE");
  EXPECT_EQ(ReadyInputListModel::StateText(none, none, 1), "");
}

TEST_F(ReadyInputListTest, RegisteredAsEditorKindSixteenWithListAndSettingsSideBySide) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::ReadyInputs));
  Open();
  ASSERT_EQ(frame->Splitter()->count(), 2);
  EXPECT_EQ(frame->Splitter()->widget(0), view);
  EXPECT_EQ(frame->Splitter()->widget(1), options);
  EXPECT_EQ(frame->GetView(), view);
}

TEST_F(ReadyInputListTest, FillShowsTheCellsOfEveryReadyInput) {
  inputs[2]->SetValue(5, 7);
  inputs[2]->SetValue(6, 42);
  inputs[2]->SetValue(4, 1);
  Open();
  ASSERT_EQ(view->RowCount(), 3);
  const QStringList titles{"READYINP", "ID", "Input", "Level", "Masked", "Text", "Nr", "State"};
  for (int column = 0; column < 8; ++column) EXPECT_EQ(view->headerItem()->text(column), titles.at(column));
  EXPECT_EQ(view->CellText(1, 0), "Input 2");
  EXPECT_EQ(view->CellText(1, 1), "2");
  EXPECT_EQ(view->CellText(1, 2), "");
  EXPECT_EQ(view->CellText(1, 3), "ON");
  EXPECT_EQ(view->CellText(1, 4), "ON");
  EXPECT_EQ(view->CellText(1, 5), global->GetText(6));
  EXPECT_EQ(view->CellText(1, 6), "42");
  EXPECT_EQ(view->CellText(1, 7), "");
  EXPECT_EQ(view->CellText(0, 5), global->GetText(0));
}

TEST_F(ReadyInputListTest, LevelAndMaskedToggleAndSelectionsSetInputAndText) {
  CBaseDevice* pad = AddPad(*doc, CControlPad::kKindDigitalInput);
  ASSERT_NE(pad, nullptr);
  Open();
  view->EditCell(0, ReadyInputListModel::kLevel);
  EXPECT_EQ(inputs[1]->GetValue(3), 0);
  EXPECT_EQ(view->CellText(0, 3), "OFF");
  view->EditCell(0, ReadyInputListModel::kMasked);
  EXPECT_EQ(inputs[1]->GetValue(4), 1);
  uint32_t askedKind = 0;
  int answer = pad->GetID();
  view->SetChooser([&](uint32_t kind, const QString&) -> std::optional<int> {
    askedKind = kind;
    return answer;
  });
  view->EditCell(0, ReadyInputListModel::kInput);
  EXPECT_EQ(askedKind, 34282u);
  EXPECT_EQ(view->CellText(0, 2), pad->GetName());
  answer = 17;  // the last of the eighteen texts
  view->EditCell(0, ReadyInputListModel::kText);
  EXPECT_EQ(askedKind, 32954u);
  EXPECT_EQ(inputs[1]->GetValue(5), 18);
  EXPECT_EQ(view->CellText(0, 5), global->GetText(17));
}

TEST_F(ReadyInputListTest, NumberIsClampedTo255) {
  Open();
  view->EditCell(2, ReadyInputListModel::kNumber);
  ASSERT_TRUE(TypeInto(view->CurrentEditor(), "300"));
  EXPECT_EQ(inputs[3]->GetValue(6), 255);
  EXPECT_EQ(view->CellText(2, 6), "255");
  view->EditCell(2, ReadyInputListModel::kNumber);
  ASSERT_TRUE(TypeInto(view->CurrentEditor(), "x"));
  EXPECT_EQ(inputs[3]->GetValue(6), 255);
  EXPECT_FALSE(view->BeginLabelEdit(2, ReadyInputListModel::kNumber));
}

TEST_F(ReadyInputListTest, DeviceDownloadOfInputThreeSendsSteps19To24) {
  doc->SetConnected(true);
  Open();
  view->SelectRow(2);
  link.Clear();
  view->OnDeviceCommand(33179);
  const QStringList lines = GlobalLines();
  ASSERT_EQ(lines.size(), 6) << link.Lines().join('|').toStdString();
  for (const QString& line : lines) EXPECT_TRUE(line.startsWith("/READYINP/INP3/")) << line.toStdString();
  EXPECT_TRUE(link.Modes().contains(LINKMODE_DOWNLOAD));
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

TEST_F(ReadyInputListTest, DeviceUploadQueriesTheSameSteps) {
  doc->SetConnected(true);
  Open();
  view->SelectRow(2);
  link.Clear();
  view->OnDeviceCommand(33180);
  const QStringList lines = GlobalLines();
  ASSERT_EQ(lines.size(), 6) << link.Lines().join('|').toStdString();
  for (const QString& line : lines) {
    EXPECT_TRUE(line.startsWith("/READYINP/INP3/") && line.endsWith(" ?")) << line.toStdString();
  }
  EXPECT_TRUE(link.Modes().contains(LINKMODE_UPLOAD));
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

TEST_F(ReadyInputListTest, DeviceDownloadWithoutSelectionSendsTheSharedSettings) {
  doc->SetConnected(true);
  Open();
  view->clearSelection();
  link.Clear();
  view->OnDeviceCommand(33179);
  const QStringList lines = GlobalLines();
  ASSERT_EQ(lines.size(), 6) << link.Lines().join('|').toStdString();
  EXPECT_EQ(lines.first(), "/READYINP/MASKTIME 5.0");
  EXPECT_TRUE(lines.last().startsWith("/READYINP/TEXT5 "));
}

TEST_F(ReadyInputListTest, PollShowsReadyFollowedByFault) {
  Open();
  link.SetAnswer("/READYINP/READY ?", "/READYINP/READY 1-2");
  link.SetAnswer("/READYINP/FAULT ?", "/READYINP/FAULT 2,3");
  view->PollStatus();
  EXPECT_EQ(view->CellText(0, 7), "READY");
  EXPECT_EQ(view->CellText(1, 7), "READY+FAULT");
  EXPECT_EQ(view->CellText(2, 7), "FAULT");
}

TEST_F(ReadyInputListTest, HeaderOfTheStateColumnTogglesThePollWhileConnected) {
  Open();
  view->OnColumnClick(7);
  EXPECT_FALSE(view->IsPolling());
  doc->SetConnected(true);
  view->OnColumnClick(7);
  EXPECT_TRUE(view->IsPollTimerActive());
  EXPECT_EQ(view->headerItem()->text(7), "State *");
  view->EditCell(0, ReadyInputListModel::kLevel);
  EXPECT_FALSE(view->IsPollTimerActive());
  EXPECT_EQ(view->headerItem()->text(7), "State");
}

TEST_F(ReadyInputListTest, OptionsShowTheFiveUserTextsAndTheMaskTime) {
  Open();
  ASSERT_EQ(options->List()->topLevelItemCount(), 5);
  EXPECT_EQ(options->List()->headerItem()->text(0), "User def. texts");
  EXPECT_EQ(options->List()->topLevelItem(4)->text(0), global->GetText(4));
  EXPECT_EQ(options->List()->topLevelItem(4)->text(1), "5");
  EXPECT_EQ(options->MaskTimeEdit()->text(), "5.0");
  // Every user text carries the small picture of its kind.
  for (int row = 0; row < 5; ++row) EXPECT_FALSE(options->List()->topLevelItem(row)->icon(0).isNull()) << row;
}

TEST_F(ReadyInputListTest, EditedUserTextReachesTheListAndEscapeLeavesIt) {
  Open();
  ASSERT_TRUE(options->BeginTextEdit(0));
  ASSERT_TRUE(TypeInto(options->CurrentEditor(), "Door contact"));
  EXPECT_EQ(global->GetText(0), "Door contact");
  EXPECT_EQ(view->CellText(0, 5), "Door contact");
  EXPECT_EQ(options->List()->topLevelItem(0)->text(0), "Door contact");
  ASSERT_TRUE(options->BeginTextEdit(0));
  auto* edit = qobject_cast<QLineEdit*>(options->CurrentEditor());
  ASSERT_NE(edit, nullptr);
  edit->setText("Other");
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(global->GetText(0), "Door contact");
}

TEST_F(ReadyInputListTest, ATypedUserTextTakesOneDisplayLine) {
  Open();
  ASSERT_TRUE(options->BeginTextEdit(1));
  auto* edit = qobject_cast<QLineEdit*>(options->CurrentEditor());
  ASSERT_NE(edit, nullptr);
  edit->selectAll();
  QTest::keyClicks(edit, "Emergency exit door open");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(global->GetText(1), "Emergency exit d");
  EXPECT_EQ(options->List()->topLevelItem(1)->text(0), "Emergency exit d");
}

TEST_F(ReadyInputListTest, MaskTimeIsReadOnFocusLossAndShownAsStored) {
  Open();
  options->MaskTimeEdit()->setText("12.34");
  options->OnMaskTimeEdited();
  EXPECT_FLOAT_EQ(global->GetMaskTime(), 12.34f);
  EXPECT_EQ(options->MaskTimeEdit()->text(), "12.3");
  options->MaskTimeEdit()->setText("soon");
  options->OnMaskTimeEdited();
  EXPECT_EQ(options->MaskTimeEdit()->text(), "12.3");
}

TEST_F(ReadyInputListTest, CreateAndDeleteFollowThePool) {
  Open();
  frame->OnCommand(33169);
  EXPECT_EQ(view->RowCount(), 4);
  EXPECT_EQ(view->GetCurrentID(), 4);
  for (int i = 0; i < 4; ++i) frame->OnCommand(33148);
  EXPECT_EQ(view->RowCount(), 0);
  EXPECT_FALSE(frame->Action(33148)->isEnabled());
}

TEST_F(ReadyInputListTest, DeleteKeyInTheListDeletesTheSelectedInput) {
  Open();
  view->SelectRow(1);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(doc->GetIDManager().FindBaseDevice(2, DT_READYINPUT), nullptr);
}

// The ready-input list opens 560 pixels wide in the editor host at its
// opening size, whatever room the host gives the frame, and keeps its width
// when the host grows; the settings beside it take the rest. A width the
// user drags is then kept in the same way.
TEST_F(ReadyInputListTest, ListPaneOpensFiveHundredSixtyPixelsWideInTheHost) {
  CFrameHostDialog host(doc.get(), HostFrameKind::ReadyInputs);
  host.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
  auto* shown = qobject_cast<CReadyInpDlgFrm*>(host.GetFrame());
  ASSERT_NE(shown, nullptr);
  QWidget* list = shown->GetReadyInpView();
  const auto listWidth = [&] {
    QApplication::processEvents();
    return list->width();
  };
  EXPECT_EQ(listWidth(), CReadyInpDlgView::kInitialWidth) << "host " << host.width();
  for (const int width : {CFrameHostDialog::kMinOpeningWidth, 1100, 1400, 1000}) {
    host.resize(width, 500);
    EXPECT_EQ(listWidth(), CReadyInpDlgView::kInitialWidth) << "host " << width;
    EXPECT_GT(shown->GetOptionsView()->width(), 0) << "host " << width;
  }
  QSplitterHandle* handle = shown->Splitter()->handle(1);
  ASSERT_NE(handle, nullptr);
  const QPoint grip = handle->rect().center();
  QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, grip);
  QTest::mouseMove(handle, grip - QPoint(120, 0));
  QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, grip - QPoint(120, 0));
  const int dragged = listWidth();
  EXPECT_LT(dragged, CReadyInpDlgView::kInitialWidth);
  host.resize(1300, 500);
  EXPECT_EQ(listWidth(), dragged);
  host.reject();
}
