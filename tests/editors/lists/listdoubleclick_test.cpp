#include "amps/cspareamp.h"
#include "editors/lists/calendarlisttestsupport.h"
#include "editors/lists/cappointdlgfrm.h"
#include "editors/lists/cappointdlgview.h"
#include "editors/lists/cconditiondlgfrm.h"
#include "editors/lists/cconditiondlgview.h"
#include "editors/lists/cdayprogdlgentryview.h"
#include "editors/lists/cdayprogdlgfrm.h"
#include "editors/lists/cdayprogdlglistview.h"
#include "editors/lists/cholidaydlgfrm.h"
#include "editors/lists/cholidaydlgview.h"
#include "editors/lists/clogicoutdlgfrm.h"
#include "editors/lists/clogicoutdlgview.h"
#include "editors/lists/cmemoflagfrm.h"
#include "editors/lists/cmemoflaglistview.h"
#include "editors/lists/conditionlistmodel.h"
#include "editors/lists/conditionliststestsupport.h"
#include "editors/lists/creadyinpdlgfrm.h"
#include "editors/lists/creadyinpdlgview.h"
#include "editors/lists/cspareampfrm.h"
#include "editors/lists/cspareampview.h"
#include "editors/lists/cweekdlgfrm.h"
#include "editors/lists/cweekdlgview.h"
#include "editors/lists/entrylisttestsupport.h"
#include "editors/lists/listframetestsupport.h"
#include "editors/lists/listmousesupport.h"
#include "editors/lists/logiclisttestsupport.h"
#include "editors/lists/spareamplistmodel.h"
#include "logic/ccondition.h"
#include "logic/clogicout.h"
#include "logic/cmemoflag.h"
#include "logic/creadyinput.h"
#include "logic/logictime.h"
#include "shell/controls/chostframeregistry.h"

#include <QMainWindow>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

// The double click on the name of the selected row, with the user's mouse,
// in every entry list whose names are edited as the row's label: the click
// that begins it asks for a rename, the double click must take that back.
// Each list's own cell edit for column 0 still happens.

namespace {

class ListDoubleClickTest : public ListFrameTest<QMainWindow, CEBListView> {
 protected:
  template <class Frame>
  Frame* Open(HostFrameKind kind) {
    auto* opened = new Frame(HostFrameContext{doc.get(), nullptr, kind});
    frame.reset(opened);
    frame->resize(900, 400);
    frame->show();
    return opened;
  }
  // A click on the selected row's name asks for a rename (the instrument
  // works); then the double click on it: afterwards no rename box is open
  // and none is waiting for the double-click time to pass.
  void DoubleClickSelectedName(CEBListView* list, int row) {
    ListMouse mouse(list);
    ASSERT_TRUE(mouse.Ready());
    list->SelectRow(row);
    mouse.Click(row, 0);
    ASSERT_TRUE(list->IsRenamePending());
    mouse.DoubleClick(row, 0);
    EXPECT_FALSE(list->IsRenamePending());
    EXPECT_EQ(mouse.RenameBox(), nullptr);
    EXPECT_EQ(list->FirstSelectedRow(), row);
  }
  // The double click on the name of a calendar or logic list does nothing
  // at all: no editor, no choice, the name as it was.
  template <class View>
  void ExpectNothingOnTheName(View* list, int row, const QString& name) {
    list->SetChooser([this](uint32_t, const QString&) -> std::optional<int> {
      ++choices;
      return std::nullopt;
    });
    DoubleClickSelectedName(list, row);
    EXPECT_EQ(list->CurrentEditor(), nullptr);
    EXPECT_EQ(choices, 0);
    EXPECT_EQ(list->CellText(row, 0), name);
  }

  int choices = 0;
};

}  // namespace

TEST_F(ListDoubleClickTest, AppointmentNameIsNotRenamed) {
  for (int id = 1; id <= 3; ++id) AddAppoint(*doc, id);
  CAppointDlgView* view = Open<CAppointDlgFrm>(HostFrameKind::Appointments)->GetAppointView();
  ExpectNothingOnTheName(view, 1, "Event 2");
}

TEST_F(ListDoubleClickTest, DayProgramNameIsNotRenamed) {
  for (int id = 1; id <= 2; ++id) AddDayprog(*doc, id);
  CDayprogDlgFrm* opened = Open<CDayprogDlgFrm>(HostFrameKind::DayPrograms);
  CDayprogDlgListView* view = opened->GetListView();
  ExpectNothingOnTheName(view, 1, "Daily Program 2");
}

TEST_F(ListDoubleClickTest, DayProgramEntryFirstColumnDoesNothing) {
  CDayprog* dayprog = AddDayprog(*doc, 1);
  // Entries 1 and 2 in use (the time field of each).
  for (int entry : {1, 2}) dayprog->SetValue(entry << 16, MakeLocalTime(1980, 3, 1, 6, entry));
  CDayprogDlgEntryView* view = Open<CDayprogDlgFrm>(HostFrameKind::DayPrograms)->GetEntryView();
  ASSERT_GT(view->RowCount(), 1);
  ExpectNothingOnTheName(view, 1, "2");
}

TEST_F(ListDoubleClickTest, HolidayNameIsNotRenamed) {
  for (int id = 1; id <= 2; ++id) AddHoliday(*doc, id);
  CHolidayDlgView* view = Open<CHolidayDlgFrm>(HostFrameKind::Holidays)->GetHolidayView();
  ExpectNothingOnTheName(view, 0, "Holiday program 1");
}

TEST_F(ListDoubleClickTest, WeekdayIsNotRenamed) {
  CWeekDlgView* view = Open<CWeekDlgFrm>(HostFrameKind::WeekPrograms)->GetWeekView();
  ExpectNothingOnTheName(view, 2, "Wednesday");
}

TEST_F(ListDoubleClickTest, LogicOutputNameIsNotRenamed) {
  for (int id : {1, 2}) AddLogicEntry<CLogicOut>(*doc, CLogicOut::kKindLogicOut, id, "Logic out");
  CLogicOutDlgView* view = Open<CLogicOutDlgFrm>(HostFrameKind::LogicOutputs)->GetLogicOutView();
  ExpectNothingOnTheName(view, 1, "Logic out 2");
}

TEST_F(ListDoubleClickTest, MemoFlagNameIsNotRenamed) {
  for (int id : {1, 2}) AddLogicEntry<CMemoFlag>(*doc, CMemoFlag::kKindMemoFlag, id, "Flag");
  CMemoFlagListView* view = Open<CMemoFlagFrm>(HostFrameKind::MemoFlags)->GetMemoFlagView();
  ExpectNothingOnTheName(view, 0, "Flag 1");
}

TEST_F(ListDoubleClickTest, ReadyInputNameIsNotRenamed) {
  for (int id = 1; id <= 2; ++id) AddLogicEntry<CReadyInput>(*doc, CReadyInput::kKindReadyInput, id, "Input");
  CReadyInpDlgView* view = Open<CReadyInpDlgFrm>(HostFrameKind::ReadyInputs)->GetReadyInpView();
  ExpectNothingOnTheName(view, 1, "Input 2");
}

// Here column 0 chooses the condition's type.
TEST_F(ListDoubleClickTest, ConditionNameChoosesTheType) {
  AddListEntry<CCondition>(*doc, CCondition::kKindFault, 1, "Fault");
  AddListEntry<CCondition>(*doc, CCondition::kKindFault, 2, "Second");
  CConditionDlgView* view = Open<CConditionDlgFrm>(HostFrameKind::Conditions)->GetConditionView();
  ScriptedChooser chooser;
  view->SetChooser(chooser.Chooser());
  DoubleClickSelectedName(view, 1);
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].kind, 34325u);
  EXPECT_EQ(view->CellText(1, 0), "Second");
}

// Here every column chooses the backup amplifier's target.
TEST_F(ListDoubleClickTest, BackupAmplifierNameChoosesTheTarget) {
  CSpareAmp* spare = CSpareAmp::EnsureIn(*doc);
  ASSERT_NE(spare, nullptr);
  for (int n : {0, 1}) {
    ASSERT_TRUE(spare->SetEntry(n, QStringLiteral("Spare %1").arg(n + 1), true, CSpareAmp::kTypeReadyInput, 5, 0));
  }
  CSpareAmpView* view = Open<CSpareAmpFrm>(HostFrameKind::BackupAmplifiers)->GetEntryView();
  std::vector<uint32_t> asked;
  view->SetChooser([&](uint32_t kind) -> std::optional<SpareAmpListModel::Target> {
    asked.push_back(kind);
    return std::nullopt;
  });
  DoubleClickSelectedName(view, 1);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], SpareAmpListModel::kSelectEntry);
  EXPECT_EQ(view->CellText(1, 0), "Spare 2");
}
