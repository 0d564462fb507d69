#include "editors/lists/cdayprogdlgfrm.h"
#include "editors/lists/calendarcelltext.h"
#include "editors/lists/calendarlisttestsupport.h"
#include "editors/lists/cdayprogdlgentryview.h"
#include "editors/lists/cdayprogdlglistview.h"
#include "editors/lists/dayproglistmodel.h"
#include "editors/lists/listmousesupport.h"
#include "link/linkmode.h"
#include "logic/logictime.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"
#include "support/waituntil.h"

#include <QAction>
#include <QApplication>
#include <QSplitter>

#include <gtest/gtest.h>

namespace {

constexpr int kTimeCode = 0;
constexpr int kMacroCode = 1;

// A day-program frame over a project with day programs 1 and 2; day
// program 1 has entry 1 at 06:30 and entry 3 with macro 5 but no time.
class DayprogEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    for (int id = 1; id <= 2; ++id) dayprogs[id] = AddDayprog(*doc, id);
    dayprogs[1]->SetValue(1 << 16 | kTimeCode, MakeLocalTime(1980, 3, 1, 6, 30));
    dayprogs[1]->SetValue(3 << 16 | kMacroCode, 5);
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CDayprogDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::DayPrograms});
    frame->resize(900, 400);
    frame->show();
    left = frame->GetListView();
    right = frame->GetEntryView();
  }
  QAction* EntryAction(uint32_t id) const { return frame->findChild<QAction*>(QStringLiteral("command%1").arg(id)); }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  std::unique_ptr<CSelvantisDoc> doc;
  CDayprog* dayprogs[3] = {};
  std::unique_ptr<CDayprogDlgFrm> frame;
  CDayprogDlgListView* left = nullptr;
  CDayprogDlgEntryView* right = nullptr;
};

}  // namespace

TEST_F(DayprogEditorTest, RegisteredAsEditorKindNine) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::DayPrograms));
}

TEST_F(DayprogEditorTest, TheTwoListsSitSideBySide) {
  Open();
  ASSERT_NE(frame->GetSplitter(), nullptr);
  EXPECT_EQ(frame->centralWidget(), frame->GetSplitter());
  EXPECT_EQ(frame->GetSplitter()->widget(0), left);
  EXPECT_EQ(frame->GetSplitter()->widget(1), right);
  EXPECT_EQ(frame->GetView(), left);
}

TEST_F(DayprogEditorTest, LeftListShowsDayProgramsWithTheirUsedEntries) {
  Open();
  ASSERT_EQ(left->RowCount(), 2);
  EXPECT_EQ(left->headerItem()->text(0), "Daily Program");
  EXPECT_EQ(left->headerItem()->text(2), "Entries");
  EXPECT_EQ(left->ColumnAlignment(2), Qt::AlignRight);
  EXPECT_EQ(left->CellText(0, 0), "Daily Program 1");
  EXPECT_EQ(left->CellText(0, 1), "1");
  EXPECT_EQ(left->CellText(0, 2), "2");
  EXPECT_EQ(left->CellText(1, 2), "0");
}

TEST_F(DayprogEditorTest, RightListShowsTheUsedEntriesOfTheSelectedDayProgram) {
  Open();
  EXPECT_EQ(frame->GetCurrentDayprog(), dayprogs[1]);
  ASSERT_EQ(right->RowCount(), 2);
  EXPECT_EQ(right->headerItem()->text(0), "ID");
  EXPECT_EQ(right->headerItem()->text(1), "Time");
  EXPECT_EQ(right->headerItem()->text(2), "Macro");
  EXPECT_EQ(right->CellText(0, 0), "1");
  EXPECT_EQ(right->CellText(0, 1), "06:30:00");
  EXPECT_EQ(right->CellText(0, 2), "");
  // A macro without a time is still an entry.
  EXPECT_EQ(right->CellText(1, 0), "3");
  EXPECT_EQ(right->CellText(1, 1), "");
  EXPECT_EQ(right->CellText(1, 2), doc->GetIDManager().GetBaseDevice(5, DT_MACRO)->GetName());
  EXPECT_EQ(right->EntryNumberAt(1), 3);
}

TEST_F(DayprogEditorTest, SelectingAnotherDayProgramReplacesTheEntries) {
  Open();
  right->SelectRow(1);
  EXPECT_EQ(right->RememberedRow(), 1);
  left->SelectRow(1);
  EXPECT_EQ(frame->GetCurrentDayprog(), dayprogs[2]);
  EXPECT_EQ(right->RowCount(), 0);
  EXPECT_EQ(right->FirstSelectedRow(), -1);
  // The remembered row stays, also past the end of the shorter list.
  EXPECT_EQ(right->RememberedRow(), 1);
  left->SelectRow(0);
  EXPECT_EQ(right->RowCount(), 2);
  EXPECT_EQ(right->FirstSelectedRow(), 1);
}

TEST_F(DayprogEditorTest, NewEntryShowsMidnightAtOnceAndCounts) {
  Open();
  left->SelectRow(1);
  frame->OnFrameCommand(33117);
  ASSERT_EQ(right->RowCount(), 1);
  EXPECT_EQ(right->CellText(0, 0), "1");
  EXPECT_EQ(right->CellText(0, 1), "00:00:00");
  EXPECT_EQ(left->CellText(1, 2), "1");
  EXPECT_EQ(dayprogs[2]->GetValue(0 << 16 | kTimeCode), MakeLocalTime(1980, 3, 1));
}

TEST_F(DayprogEditorTest, NewEntryFillsTheFirstEntryWithoutATime) {
  Open();
  EntryAction(33117)->trigger();
  // Entry 2 was free; entry 3 has a macro but no time and stays as it is.
  EXPECT_EQ(dayprogs[1]->GetValue(1 << 16 | kTimeCode), MakeLocalTime(1980, 3, 1));
  EXPECT_EQ(right->RowCount(), 3);
}

TEST_F(DayprogEditorTest, WithAllFortyEntriesUsedNewEntryDoesNothing) {
  for (int n = 1; n <= 40; ++n) dayprogs[2]->SetValue(n << 16 | kTimeCode, MakeLocalTime(1980, 3, 1, 1, n % 60));
  Open();
  left->SelectRow(1);
  ASSERT_EQ(right->RowCount(), 40);
  frame->OnFrameCommand(33117);
  EXPECT_EQ(right->RowCount(), 40);
  EXPECT_EQ(dayprogs[2]->GetUsedCount(), 40);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(DayprogEditorTest, DeletingAnEntryWithAMacroRemovesItsRow) {
  Open();
  right->SelectRow(1);
  frame->OnFrameCommand(33118);
  ASSERT_EQ(right->RowCount(), 1);
  EXPECT_EQ(right->CellText(0, 0), "1");
  EXPECT_EQ(dayprogs[1]->GetValue(2 << 16 | kMacroCode), 0);
  EXPECT_EQ(dayprogs[1]->GetValue(2 << 16 | kTimeCode), MakeLocalTime(1980, 1, 1));
  EXPECT_EQ(left->CellText(0, 2), "1");
}

TEST_F(DayprogEditorTest, DeleteEntryWithoutSelectionDoesNothing) {
  Open();
  right->clearSelection();
  frame->OnFrameCommand(33118);
  EXPECT_EQ(dayprogs[1]->GetUsedCount(), 2);
}

TEST_F(DayprogEditorTest, DeleteKeyInTheEntryListDeletesTheEntryNotTheDayProgram) {
  Open();
  right->SelectRow(0);
  QTest::keyClick(right, Qt::Key_Delete);
  EXPECT_EQ(dayprogs[1]->GetUsedCount(), 1);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_DAYPROG), 2);
  left->SelectRow(1);
  QTest::keyClick(left, Qt::Key_Delete);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_DAYPROG), 1);
  EXPECT_EQ(frame->GetCurrentDayprog(), dayprogs[1]);
  EXPECT_EQ(right->RowCount(), 1);
}

TEST_F(DayprogEditorTest, EnteringTheTimeStoresItOnTheFirstOfMarch1980) {
  Open();
  right->EditCell(1, DayprogListModel::kEntryTime);
  CInPlaceDateTimeCtrl* picker = OpenPickerOf(right->CurrentEditor());
  ASSERT_NE(picker, nullptr);
  // A free entry's picker starts at midnight.
  EXPECT_EQ(picker->time(), QTime(0, 0));
  doc->SetModifiedFlag(false);
  picker->setTime(QTime(23, 59));
  CommitPicker(picker);
  EXPECT_EQ(dayprogs[1]->GetValue(2 << 16 | kTimeCode), MakeLocalTime(1980, 3, 1, 23, 59, 0));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(right->CellText(1, 1), "23:59:00");
}

TEST_F(DayprogEditorTest, AnUnparsableTimeChangesNothing) {
  Open();
  right->EditCell(0, DayprogListModel::kEntryTime);
  ASSERT_NE(right->CurrentEditor(), nullptr);
  right->OnEndLabelEdit(0, DayprogListModel::kEntryTime, "half past", false);
  EXPECT_EQ(dayprogs[1]->GetValue(0 << 16 | kTimeCode), MakeLocalTime(1980, 3, 1, 6, 30));
}

TEST_F(DayprogEditorTest, ATimePickerWritesTheEntryItWasOpenedFor) {
  Open();
  right->EditCell(0, DayprogListModel::kEntryTime);
  ASSERT_NE(right->CurrentEditor(), nullptr);
  // The list changes under the open picker: entry 1 is no longer row 0.
  dayprogs[1]->SetValue(4, 1);
  right->FillList();
  right->OnEndLabelEdit(0, DayprogListModel::kEntryTime, CalendarCellText::PickerTime(MakeLocalTime(1980, 3, 1, 9, 15)),
                        false);
  EXPECT_EQ(dayprogs[1]->GetValue(0 << 16 | kTimeCode), MakeLocalTime(1980, 3, 1, 9, 15));
  EXPECT_EQ(dayprogs[1]->GetValue(2 << 16 | kTimeCode), MakeLocalTime(1980, 1, 1));
}

TEST_F(DayprogEditorTest, MacroChoiceConnectsTheEntrysPin) {
  Open();
  uint32_t askedKind = 0;
  QString askedText;
  right->SetChooser([&](uint32_t kind, const QString& current) -> std::optional<int> {
    askedKind = kind;
    askedText = current;
    return 7;
  });
  right->EditCell(0, DayprogListModel::kEntryMacro);
  EXPECT_EQ(askedKind, 32806u);
  EXPECT_EQ(askedText, "");
  EXPECT_EQ(dayprogs[1]->GetValue(0 << 16 | kMacroCode), 7);
  EXPECT_EQ(dayprogs[1]->GetValue(2 << 16 | kMacroCode), 5);
  // The number column has no editor.
  askedKind = 0;
  right->EditCell(0, DayprogListModel::kEntryNumber);
  EXPECT_EQ(askedKind, 0u);
  EXPECT_EQ(right->CurrentEditor(), nullptr);
  EXPECT_FALSE(right->BeginLabelEdit(0, 0));
}

TEST_F(DayprogEditorTest, NewDayProgramIsSelectedAndShowsNoEntries) {
  Open();
  frame->OnCommand(33135);
  ASSERT_EQ(left->RowCount(), 3);
  CBaseDevice* created = doc->GetIDManager().FindBaseDevice(3, DT_DAYPROG);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->GetName(), "Daily Program 3");
  EXPECT_EQ(frame->GetCurrentDayprog(), created);
  EXPECT_EQ(right->RowCount(), 0);
}

TEST_F(DayprogEditorTest, TenDayProgramsKeepNewEnabledAndTheEntryButtonsStayEnabled) {
  for (int id = 3; id <= 10; ++id) ASSERT_NE(AddDayprog(*doc, id), nullptr);
  Open();
  EXPECT_TRUE(frame->Action(33135)->isEnabled());
  EXPECT_TRUE(frame->Action(33136)->isEnabled());
  ASSERT_NE(EntryAction(33117), nullptr);
  ASSERT_NE(EntryAction(33118), nullptr);
  EXPECT_TRUE(EntryAction(33117)->isEnabled());
  EXPECT_TRUE(EntryAction(33118)->isEnabled());
  EXPECT_FALSE(frame->Action(33137)->isEnabled());
  EXPECT_FALSE(frame->Action(33116)->isEnabled());
  frame->OnCommand(33136);
  EXPECT_TRUE(frame->Action(33135)->isEnabled());
}

TEST_F(DayprogEditorTest, NewAtTheLimitSaysSoAndCreatesNothing) {
  for (int id = 3; id <= 10; ++id) ASSERT_NE(AddDayprog(*doc, id), nullptr);
  Open();
  const int before = doc->GetIDManager().GetCount(DT_DAYPROG);
  ASSERT_TRUE(frame->Action(33135)->isEnabled());
  frame->Action(33135)->trigger();
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_DAYPROG), before);
  EXPECT_EQ(left->RowCount(), before);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Saw(34207));
  EXPECT_TRUE(frame->Action(33135)->isEnabled());
}

TEST_F(DayprogEditorTest, TransferButtonsFollowTheLinkWhileTheFrameIsOpen) {
  Open();
  ASSERT_FALSE(frame->Action(33116)->isEnabled());
  doc->SetConnected(true);
  EXPECT_TRUE(frame->Action(33137)->isEnabled());
  EXPECT_TRUE(frame->Action(33116)->isEnabled());
  doc->SetConnected(false);
  EXPECT_FALSE(frame->Action(33137)->isEnabled());
  EXPECT_FALSE(frame->Action(33116)->isEnabled());
}

TEST_F(DayprogEditorTest, RenamingADayProgramKeepsItsEntriesShown) {
  Open();
  ASSERT_TRUE(left->BeginLabelEdit(0, 0));
  left->OnEndLabelEdit(0, 0, "Weekdays", false);
  EXPECT_EQ(dayprogs[1]->GetName(), "Weekdays");
  EXPECT_EQ(left->CellText(0, 0), "Weekdays");
  EXPECT_EQ(right->RowCount(), 2);
}

TEST_F(DayprogEditorTest, DeviceDownloadSendsTheSelectedDayProgram) {
  doc->SetConnected(true);
  Open();
  link.Clear();
  left->OnDeviceCommand(33179);
  QStringList calendar;
  for (const QString& line : link.Lines()) {
    if (line.startsWith("/CALENDAR/")) calendar << line;
  }
  EXPECT_EQ(calendar, (QStringList{"/CALENDAR/DAYPROG1/CLEAR ALL", "/CALENDAR/DAYPROG1/TIME1 06:30:00",
                                   "/CALENDAR/DAYPROG1/MACRO1 0", "/CALENDAR/DAYPROG1/TIME3 OFF",
                                   "/CALENDAR/DAYPROG1/MACRO3 5"}));
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

TEST_F(DayprogEditorTest, WholeListDownloadSendsDayProgramsOnly) {
  doc->SetConnected(true);
  AddAppoint(*doc, 1);
  Open();
  link.Clear();
  frame->OnCommand(33116);
  EXPECT_TRUE(link.Lines().contains("/CALENDAR/DAYPROG2/CLEAR ALL"));
  for (const QString& line : link.Lines()) {
    EXPECT_FALSE(line.startsWith("/CALENDAR/EVENT")) << line.toStdString();
  }
}

namespace {

// A click on the selected entry's time edits the time in place; over the
// entry number and the macro no edit opens.
TEST_F(DayprogEditorTest, ALabelEditOpensOverTheTimeButNotOverTheNumber) {
  Open();
  ListMouse mouse(right);
  ASSERT_TRUE(mouse.Ready());
  right->SelectRow(0);
  for (int column : {DayprogListModel::kEntryNumber, DayprogListModel::kEntryMacro}) {
    mouse.Click(0, column);
    QTest::qWait(QApplication::doubleClickInterval() + 100);
    EXPECT_EQ(mouse.RenameBox(), nullptr) << column;
  }
  QTest::keyClick(right, Qt::Key_F2);
  EXPECT_EQ(mouse.RenameBox(), nullptr);

  mouse.Click(0, DayprogListModel::kEntryTime);
  ASSERT_TRUE(QTest::qWaitFor([&] { return mouse.RenameBox() != nullptr; }, kHangLimitMs));
  CInPlaceEdit* box = mouse.RenameBox();
  EXPECT_EQ(box->text(), right->CellText(0, DayprogListModel::kEntryTime));
  EXPECT_EQ(box->geometry().left(), right->CellRect(0, DayprogListModel::kEntryTime).left());
  box->selectAll();
  QTest::keyClicks(box, "07:45");
  QTest::keyClick(box, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(dayprogs[1]->GetValue(0 << 16 | kTimeCode), MakeLocalTime(1980, 3, 1, 7, 45));
  EXPECT_EQ(right->CellText(0, DayprogListModel::kEntryTime), "07:45:00");
}

}  // namespace
