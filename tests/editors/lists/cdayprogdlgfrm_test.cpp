#include "editors/lists/cdayprogdlgfrm.h"
#include "editors/lists/calendarcelltext.h"
#include "editors/lists/ccalendarwindowreference.h"
#include "editors/lists/calendarlisttestsupport.h"
#include "editors/lists/cdayprogdlgentryview.h"
#include "editors/lists/cdayprogdlglistview.h"
#include "editors/lists/dayproglistmodel.h"
#include "editors/lists/listmousesupport.h"
#include "link/linkmode.h"
#include "logic/logictime.h"
#include "model/commandids.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"
#include "support/waituntil.h"
#include "unit/cinternalslot.h"

#include <QAction>
#include <QApplication>
#include <QSplitter>
#include <QToolBar>

#include <string>
#include <vector>

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

// "Delete day program" stays enabled when no day program is left: its
// button then deletes nothing and says nothing, and New still works.
TEST_F(DayprogEditorTest, DeleteStaysEnabledWithNoDayProgramAndThenDoesNothing) {
  Open();
  QAction* erase = frame->Action(33136);
  ASSERT_NE(erase, nullptr);
  auto* bar = frame->findChild<QToolBar*>(QStringLiteral("listBar"));
  ASSERT_NE(bar, nullptr);
  QWidget* button = bar->widgetForAction(erase);
  ASSERT_NE(button, nullptr);
  // Rows left before each click: two, one, none, none.
  for (const int before : {2, 1, 0, 0}) {
    SCOPED_TRACE(before);
    ASSERT_EQ(left->RowCount(), before);
    EXPECT_TRUE(erase->isEnabled());
    EXPECT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(doc->GetIDManager().GetCount(DT_DAYPROG), before > 0 ? before - 1 : 0);
  }
  EXPECT_EQ(frame->GetCurrentDayprog(), nullptr);
  EXPECT_EQ(right->RowCount(), 0);
  EXPECT_TRUE(erase->isEnabled());
  EXPECT_TRUE(messages.Requests().empty());
  // The Delete key on the empty list and the entry commands do nothing either.
  QTest::keyClick(left, Qt::Key_Delete);
  frame->OnFrameCommand(33117);
  frame->OnFrameCommand(33118);
  EXPECT_EQ(right->RowCount(), 0);
  QTest::mouseClick(bar->widgetForAction(frame->Action(33135)), Qt::LeftButton);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_DAYPROG), 1);
  EXPECT_EQ(left->RowCount(), 1);
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

// A click on the selected entry opens the label edit over its time and over
// its macro, never over its number. A time typed over the time is stored; a
// text typed over the macro changes nothing (the macro is chosen with a
// double click), and the cell shows the entry's macro again.
TEST_F(DayprogEditorTest, ALabelEditOpensOverTimeAndMacroButNotOverTheNumber) {
  Open();
  ListMouse mouse(right);
  ASSERT_TRUE(mouse.Ready());
  const QString macro = doc->GetIDManager().GetBaseDevice(5, DT_MACRO)->GetName();
  const struct {
    int row;
    int column;
    bool opens;
    const char* typed;
    int timeOfEntry1;   // minutes after midnight of entry 1 afterwards
    int macroOfEntry3;  // the macro of entry 3 afterwards
  } cases[] = {
      {0, DayprogListModel::kEntryNumber, false, "", 6 * 60 + 30, 5},
      {1, DayprogListModel::kEntryNumber, false, "", 6 * 60 + 30, 5},
      {1, DayprogListModel::kEntryMacro, true, "Fire", 6 * 60 + 30, 5},
      {1, DayprogListModel::kEntryMacro, true, "07:45", 6 * 60 + 30, 5},
      {0, DayprogListModel::kEntryTime, true, "07:45", 7 * 60 + 45, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << " column " << c.column << " typed " << c.typed);
    right->SelectRow(c.row);
    const QString shown = right->CellText(c.row, c.column);
    mouse.Click(c.row, c.column);
    if (!c.opens) {
      QTest::qWait(QApplication::doubleClickInterval() + 100);
      EXPECT_EQ(mouse.RenameBox(), nullptr);
      continue;
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return mouse.RenameBox() != nullptr; }, kHangLimitMs));
    CInPlaceEdit* box = mouse.RenameBox();
    EXPECT_EQ(box->text(), shown);
    EXPECT_EQ(box->geometry().left(), right->CellRect(c.row, c.column).left());
    box->selectAll();
    QTest::keyClicks(box, QString::fromLatin1(c.typed));
    QTest::keyClick(box, Qt::Key_Return);
    // The box goes once the event loop deletes it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return mouse.RenameBox() == nullptr; }, kHangLimitMs));
    const int hours = c.timeOfEntry1 / 60;
    const int minutes = c.timeOfEntry1 % 60;
    EXPECT_EQ(dayprogs[1]->GetValue(0 << 16 | kTimeCode), MakeLocalTime(1980, 3, 1, hours, minutes));
    EXPECT_EQ(dayprogs[1]->GetValue(2 << 16 | kMacroCode), c.macroOfEntry3);
    // Entry 3 has no time: what was typed over its macro set none.
    EXPECT_EQ(right->CellText(1, DayprogListModel::kEntryTime), "");
    EXPECT_EQ(right->CellText(1, DayprogListModel::kEntryMacro), macro);
  }
  EXPECT_EQ(right->CellText(0, DayprogListModel::kEntryTime), "07:45:00");
  // F2 asks for the number's label edit, which is refused.
  right->SelectRow(0);
  QTest::keyClick(right, Qt::Key_F2);
  EXPECT_EQ(mouse.RenameBox(), nullptr);
}

}  // namespace

namespace {

// The switch button of a command in the host's column.
QWidget* SwitchButton(CFrameHostDialog* host, uint32_t command) {
  QToolBar* column = host->GetSwitchColumn();
  if (!column) return nullptr;
  for (QAction* action : column->actions())
    if (action->objectName() == QStringLiteral("command%1").arg(command)) return column->widgetForAction(action);
  return nullptr;
}

// Clicks a switch button and waits until the host shows that kind.
bool SwitchTo(CFrameHostDialog* host, HostFrameKind kind) {
  QWidget* button = SwitchButton(host, FindHostFrameSwitchByKind(kind)->command);
  if (!button) return false;
  QTest::mouseClick(button, Qt::LeftButton);
  return WaitUntil([&] { return host->GetKind() == kind && host->GetFrame() != nullptr; });
}

// While the calendar window is open the Calendar block keeps a reference to
// it: opened from the block, through the calendar's lists, until the window
// closes or shows a list outside the calendar. The clock window switched to
// the calendar sets it too, and leaves none behind when it closes.
TEST_F(DayprogEditorTest, TheCalendarBlockKeepsItsOpenWindow) {
  CInternalSlot* calendar = CInternalSlot::FindByKind(doc.get(), CInternalSlot::KIND_CALENDAR);
  CInternalSlot* clock = CInternalSlot::FindByKind(doc.get(), CInternalSlot::KIND_CLOCK);
  ASSERT_NE(calendar, nullptr);
  ASSERT_NE(clock, nullptr);
  ASSERT_EQ(calendar->GetServiceWindow(), nullptr);
  const auto windowOf = [&]() -> QWidget* {
    auto* reference = dynamic_cast<CCalendarWindowReference*>(calendar->GetServiceWindow());
    return reference ? reference->Window() : nullptr;
  };

  std::vector<std::string> seen;
  ASSERT_TRUE(DriveNextModal([&](QWidget* w) {
    auto* host = qobject_cast<CFrameHostDialog*>(w);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->GetKind(), HostFrameKind::DayPrograms);
    EXPECT_EQ(windowOf(), host);
    for (const HostFrameKind kind : {HostFrameKind::WeekPrograms, HostFrameKind::Appointments, HostFrameKind::Triggers,
                                     HostFrameKind::DayPrograms}) {
      ASSERT_TRUE(SwitchTo(host, kind));
      seen.push_back(windowOf() == host ? "set" : windowOf() ? "other" : "none");
    }
    host->reject();
  }));
  EXPECT_TRUE(calendar->OnCommand(ID_SHOW_PROPERTIES));
  EXPECT_EQ(seen, (std::vector<std::string>{"set", "set", "none", "set"}));
  EXPECT_EQ(calendar->GetServiceWindow(), nullptr);

  seen.clear();
  ASSERT_TRUE(DriveNextModal([&](QWidget* w) {
    auto* host = qobject_cast<CFrameHostDialog*>(w);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->GetKind(), HostFrameKind::Clock);
    seen.push_back(windowOf() ? "set" : "none");
    ASSERT_TRUE(SwitchTo(host, HostFrameKind::DayPrograms));
    seen.push_back(windowOf() == host ? "set" : "none");
    host->reject();
  }));
  EXPECT_TRUE(clock->OnCommand(ID_SHOW_PROPERTIES));
  EXPECT_EQ(seen, (std::vector<std::string>{"none", "set"}));
  EXPECT_EQ(calendar->GetServiceWindow(), nullptr);
}

}  // namespace
