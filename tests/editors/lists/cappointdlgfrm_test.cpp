#include "editors/lists/cappointdlgfrm.h"
#include "editors/lists/appointlistmodel.h"
#include "editors/lists/calendarcelltext.h"
#include "editors/lists/calendarlisttestsupport.h"
#include "editors/lists/cappointdlgview.h"
#include "editors/lists/listframetestsupport.h"
#include "link/linkmode.h"
#include "logic/logicstrings.h"
#include "logic/logictime.h"

#include <QAction>
#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// An appointment frame over a project with appointments 1, 2 and 3.
class AppointListTest : public ListFrameTest<CAppointDlgFrm, CAppointDlgView> {
 protected:
  void SetUp() override {
    ListFrameTest::SetUp();
    for (int id = 1; id <= 3; ++id) appoints[id] = AddAppoint(*doc, id);
  }
  void Open() {
    OpenFrame(HostFrameKind::Appointments);
    view = frame->GetAppointView();
  }

  CAppoint* appoints[4] = {};
};

}  // namespace

TEST_F(AppointListTest, RegisteredAsEditorKindEight) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::Appointments));
}

TEST_F(AppointListTest, FillShowsOneRowPerAppointmentWithItsCells) {
  appoints[2]->SetValue(0, MakeLocalTime(2024, 12, 24, 18, 30, 5));
  appoints[2]->SetValue(2, IDS_REP_ANNUAL);
  Open();
  ASSERT_EQ(view->RowCount(), 3);
  const QStringList titles{"Event", "ID", "Function", "Date", "Time", "Macro"};
  for (int column = 0; column < titles.size(); ++column) {
    EXPECT_EQ(view->headerItem()->text(column), titles[column]);
  }
  EXPECT_EQ(view->header()->sectionSize(0), 160);
  EXPECT_EQ(view->header()->sectionSize(1), 30);
  EXPECT_EQ(view->header()->sectionSize(2), 100);
  EXPECT_EQ(view->ColumnAlignment(1), Qt::AlignRight);
  EXPECT_EQ(view->ColumnAlignment(3), Qt::AlignLeft);
  EXPECT_EQ(view->CellText(1, 0), "Event 2");
  EXPECT_EQ(view->CellText(1, 1), "2");
  EXPECT_EQ(view->CellText(1, 2), "annual");
  EXPECT_EQ(view->CellText(1, 3), FormatLocaleDate(MakeLocalTime(2024, 12, 24)));
  EXPECT_EQ(view->CellText(1, 4), "18:30:05");
  EXPECT_EQ(view->CellText(1, 5), "");
  EXPECT_EQ(view->FirstSelectedRow(), 0);
  EXPECT_EQ(view->GetCurrentID(), 1);
}

TEST_F(AppointListTest, EditingTheDateKeepsTheTimeOfDay) {
  appoints[2]->SetValue(0, MakeLocalTime(2024, 12, 24, 18, 30, 5));
  Open();
  view->EditCell(1, AppointListModel::kDate);
  CInPlaceDateTimeCtrl* picker = OpenPickerOf(view->CurrentEditor());
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->date(), QDate(2024, 12, 24));
  // A little taller than the cell.
  EXPECT_EQ(picker->height(), view->CellRect(1, 3).height() + 5);
  picker->setDate(QDate(2025, 1, 6));
  CommitPicker(picker);
  EXPECT_EQ(appoints[2]->GetTime(), MakeLocalTime(2025, 1, 6, 18, 30, 5));
  EXPECT_EQ(view->CellText(1, 4), "18:30:05");
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(AppointListTest, EditingTheTimeKeepsTheDate) {
  appoints[1]->SetValue(1, MakeLocalTime(2030, 7, 14, 8, 0, 0));
  Open();
  view->EditCell(0, AppointListModel::kTime);
  CInPlaceDateTimeCtrl* picker = OpenPickerOf(view->CurrentEditor());
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->time().hour(), 8);
  doc->SetModifiedFlag(false);
  picker->setTime(QTime(23, 59));
  CommitPicker(picker);
  EXPECT_EQ(appoints[1]->GetTime(), MakeLocalTime(2030, 7, 14, 23, 59, 0));
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(AppointListTest, TextThatIsNoDateOrTimeChangesNothing) {
  const int64_t before = MakeLocalTime(2022, 2, 2, 2, 2, 2);
  appoints[1]->SetValue(0, before);
  Open();
  view->OnEndLabelEdit(0, AppointListModel::kDate, "31/31/2022x", false);
  view->OnEndLabelEdit(0, AppointListModel::kTime, "25:99", false);
  view->OnEndLabelEdit(0, AppointListModel::kTime, "", false);
  EXPECT_EQ(appoints[1]->GetTime(), before);
  EXPECT_EQ(view->RowCount(), 3);
}

TEST_F(AppointListTest, EscapeClosesThePickerWithoutAChange) {
  const int64_t before = appoints[3]->GetTime();
  Open();
  view->EditCell(2, AppointListModel::kDate);
  CInPlaceDateTimeCtrl* picker = OpenPickerOf(view->CurrentEditor());
  ASSERT_NE(picker, nullptr);
  picker->setDate(QDate(2001, 1, 1));
  QTest::keyClick(picker, Qt::Key_Escape);
  EXPECT_EQ(appoints[3]->GetTime(), before);
  EXPECT_EQ(view->CurrentEditor(), nullptr);
}

TEST_F(AppointListTest, FunctionAndMacroAreChosenFromTheirSelections) {
  Open();
  uint32_t askedKind = 0;
  QString askedText;
  int answer = IDS_REP_WEEKLY;
  view->SetChooser([&](uint32_t kind, const QString& current) -> std::optional<int> {
    askedKind = kind;
    askedText = current;
    return answer;
  });
  view->EditCell(0, AppointListModel::kFunction);
  EXPECT_EQ(askedKind, static_cast<uint32_t>(IDS_EVENT));
  EXPECT_EQ(askedText, "OFF");
  EXPECT_EQ(appoints[1]->GetRepetition(), IDS_REP_WEEKLY);
  EXPECT_EQ(view->CellText(0, 2), "weekly");
  answer = 6;
  view->EditCell(0, AppointListModel::kMacro);
  EXPECT_EQ(askedKind, 32806u);
  EXPECT_EQ(appoints[1]->GetValue(3), 6);
  EXPECT_EQ(view->CellText(0, 5), doc->GetIDManager().GetBaseDevice(6, DT_MACRO)->GetName());
  // Name and ID have no cell editor.
  askedKind = 0;
  view->EditCell(0, AppointListModel::kName);
  view->EditCell(0, AppointListModel::kId);
  EXPECT_EQ(askedKind, 0u);
  EXPECT_EQ(view->CurrentEditor(), nullptr);
}

TEST_F(AppointListTest, CancelledChoiceChangesNothing) {
  Open();
  view->SetChooser([](uint32_t, const QString&) -> std::optional<int> { return std::nullopt; });
  view->EditCell(1, AppointListModel::kFunction);
  view->EditCell(1, AppointListModel::kMacro);
  EXPECT_EQ(appoints[2]->GetRepetition(), IDS_LOGIC_OFF);
  EXPECT_EQ(appoints[2]->GetValue(3), 0);
}

TEST_F(AppointListTest, RenameMakesTheNameUniqueAndRefusesAnEmptyOne) {
  Open();
  EXPECT_FALSE(view->BeginLabelEdit(0, AppointListModel::kDate));
  ASSERT_TRUE(view->BeginLabelEdit(0, AppointListModel::kName));
  auto* edit = qobject_cast<QLineEdit*>(view->CurrentEditor());
  ASSERT_NE(edit, nullptr);
  edit->setText("Event 3");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(appoints[1]->GetName(), "Event 3_1");
  EXPECT_TRUE(messages.Saw(34213));
  view->OnEndLabelEdit(1, AppointListModel::kName, "", false);
  EXPECT_EQ(appoints[2]->GetName(), "Event 2");
  EXPECT_TRUE(messages.Saw(34212));
}

TEST_F(AppointListTest, NewCreatesANamedAppointmentAndMakesItCurrent) {
  Open();
  frame->OnCommand(33126);
  ASSERT_EQ(view->RowCount(), 4);
  CBaseDevice* created = doc->GetIDManager().FindBaseDevice(4, DT_APPOINT);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->GetName(), "Event 4");
  EXPECT_EQ(created->GetCategory(), CAT_CALENDAR);
  EXPECT_EQ(view->GetCurrentID(), 4);
  EXPECT_EQ(view->FirstSelectedRow(), 3);
}

TEST_F(AppointListTest, TwentyAppointmentsDisableNewUntilOneIsDeleted) {
  for (int id = 4; id <= 20; ++id) ASSERT_NE(AddAppoint(*doc, id), nullptr);
  Open();
  EXPECT_FALSE(frame->Action(33126)->isEnabled());
  frame->OnCommand(33126);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_APPOINT), 20);
  frame->OnCommand(33127);
  EXPECT_TRUE(frame->Action(33126)->isEnabled());
}

TEST_F(AppointListTest, TheProjectSizeFlagAllowsFiftyAppointments) {
  doc->SetUpgradeFlag(1);
  for (int id = 4; id <= 20; ++id) ASSERT_NE(AddAppoint(*doc, id), nullptr);
  Open();
  EXPECT_TRUE(frame->Action(33126)->isEnabled());
  for (int i = 0; i < 40; ++i) frame->OnCommand(33126);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_APPOINT), 50);
  EXPECT_FALSE(frame->Action(33126)->isEnabled());
}

TEST_F(AppointListTest, DeletingTheOnlyAppointmentEmptiesTheListAndDisablesDelete) {
  doc->DeleteObject(appoints[2]);
  doc->DeleteObject(appoints[3]);
  Open();
  ASSERT_EQ(view->RowCount(), 1);
  frame->OnCommand(33127);
  EXPECT_EQ(view->RowCount(), 0);
  EXPECT_FALSE(frame->Action(33127)->isEnabled());
  EXPECT_TRUE(frame->Action(33126)->isEnabled());
}

TEST_F(AppointListTest, DeleteSelectsTheFollowingRowOrThePreviousOne) {
  Open();
  view->SelectRow(1);
  frame->OnCommand(33127);
  EXPECT_EQ(view->ObjectAt(view->FirstSelectedRow())->GetID(), 3);
  frame->OnCommand(33127);
  EXPECT_EQ(view->ObjectAt(view->FirstSelectedRow())->GetID(), 1);
}

TEST_F(AppointListTest, DeleteKeyActsLikeTheToolbarDelete) {
  Open();
  view->SelectRow(2);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_APPOINT), 2);
  EXPECT_EQ(doc->GetIDManager().FindBaseDevice(3, DT_APPOINT), nullptr);
}

TEST_F(AppointListTest, OfflineFrameDisablesTheTransfers) {
  Open();
  EXPECT_FALSE(frame->Action(33128)->isEnabled());
  EXPECT_FALSE(frame->Action(33154)->isEnabled());
  EXPECT_TRUE(frame->Action(33127)->isEnabled());
}

// The appointment frame keeps its transfer buttons up to date with the link
// (most lists fix them when they are made).
TEST_F(AppointListTest, TransferButtonsFollowTheLinkWhileTheFrameIsOpen) {
  Open();
  ASSERT_FALSE(frame->Action(33154)->isEnabled());
  doc->SetConnected(true);
  EXPECT_TRUE(frame->Action(33128)->isEnabled());
  EXPECT_TRUE(frame->Action(33154)->isEnabled());
  doc->SetConnected(false);
  EXPECT_FALSE(frame->Action(33128)->isEnabled());
  EXPECT_FALSE(frame->Action(33154)->isEnabled());
  // New and Delete still follow the entry count only.
  EXPECT_TRUE(frame->Action(33126)->isEnabled());
  EXPECT_TRUE(frame->Action(33127)->isEnabled());
}

TEST_F(AppointListTest, DeviceDownloadSendsOnlyTheSelectedAppointment) {
  doc->SetConnected(true);
  appoints[2]->SetValue(0, MakeLocalTime(2024, 5, 1, 7, 45, 0));
  appoints[2]->SetValue(2, IDS_REP_DAILY);
  Open();
  EXPECT_TRUE(frame->Action(33154)->isEnabled());
  view->SelectRow(1);
  link.Clear();
  view->OnDeviceCommand(33179);
  const QStringList lines = LinesStartingWith("/CALENDAR/");
  EXPECT_EQ(lines, (QStringList{"/CALENDAR/EVENT2/FUNC DAILY", "/CALENDAR/EVENT2/DATE 01.05.2024",
                                "/CALENDAR/EVENT2/TIME 07:45:00", "/CALENDAR/EVENT2/MACRO 0"}));
  EXPECT_TRUE(link.Modes().contains(LINKMODE_DOWNLOAD));
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

// With no row selected the ID is 0: the download sends the calendar block's
// step 2 (its own step, no appointment); the upload sends nothing.
TEST_F(AppointListTest, DeviceDownloadWithoutSelectionSendsTheBlocksStepTwo) {
  doc->SetConnected(true);
  Open();
  view->clearSelection();
  link.Clear();
  view->OnDeviceCommand(33180);
  EXPECT_TRUE(link.Modes().isEmpty());
  EXPECT_TRUE(LinesStartingWith("/CALENDAR/").isEmpty());
  view->OnDeviceCommand(33179);
  EXPECT_TRUE(LinesStartingWith("/CALENDAR/").isEmpty());
  ASSERT_FALSE(link.Modes().isEmpty());
  EXPECT_EQ(link.Modes().first(), LINKMODE_DOWNLOAD);
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

TEST_F(AppointListTest, DeviceUploadQueriesTheAppointmentAndShowsTheAnswer) {
  doc->SetConnected(true);
  Open();
  link.SetResponder(
      [](const QString& line) -> QStringList {
        if (line == "/CALENDAR/EVENT3/FUNC ?") return {"/CALENDAR/EVENT3/FUNC HOURLY"};
        return {};
      },
      doc.get());
  view->SelectRow(2);
  link.Clear();
  view->OnDeviceCommand(33180);
  EXPECT_EQ(LinesStartingWith("/CALENDAR/"), (QStringList{"/CALENDAR/EVENT3/FUNC ?", "/CALENDAR/EVENT3/DATE ?",
                                                          "/CALENDAR/EVENT3/TIME ?", "/CALENDAR/EVENT3/MACRO ?"}));
  EXPECT_TRUE(link.Modes().contains(LINKMODE_UPLOAD));
  EXPECT_EQ(appoints[3]->GetRepetition(), IDS_REP_HOURLY);
  EXPECT_EQ(view->CellText(2, 2), "hourly");
}

TEST_F(AppointListTest, WholeListDownloadSendsAppointmentsOnly) {
  doc->SetConnected(true);
  AddHoliday(*doc, 1);
  AddDayprog(*doc, 1);
  Open();
  link.Clear();
  frame->OnCommand(33154);
  EXPECT_TRUE(link.Lines().contains("/CALENDAR/EVENT1/FUNC OFF"));
  EXPECT_TRUE(link.Lines().contains("/CALENDAR/EVENT3/MACRO 0"));
  EXPECT_TRUE(LinesStartingWith("/CALENDAR/HOLIDAY").isEmpty());
  EXPECT_TRUE(LinesStartingWith("/CALENDAR/DAYPROG").isEmpty());
  EXPECT_EQ(frame->Progress(), nullptr);
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

TEST_F(AppointListTest, RemovedAppointmentLeavesTheListWithoutItsRow) {
  Open();
  doc->DeleteObject(appoints[2]);
  EXPECT_EQ(view->RowCount(), 2);
  EXPECT_EQ(view->ObjectAt(1), appoints[3]);
}
