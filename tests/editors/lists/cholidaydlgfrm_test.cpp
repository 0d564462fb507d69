#include "editors/lists/cholidaydlgfrm.h"
#include "editors/lists/calendarcelltext.h"
#include "editors/lists/calendarlisttestsupport.h"
#include "editors/lists/cholidaydlgview.h"
#include "editors/lists/holidaylistmodel.h"
#include "logic/logicstrings.h"
#include "logic/logictime.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QHeaderView>

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Local time of a zone with daylight-saving time while it lives.
class ScopedTimeZone final {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* previous = std::getenv("TZ")) m_previous = previous, m_hadPrevious = true;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (m_hadPrevious) {
      setenv("TZ", m_previous.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  std::string m_previous;
  bool m_hadPrevious = false;
};

// A holiday frame over a project with holidays 1 and 2; holiday 1 starts on
// 2024-12-24.
class HolidayListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    for (int id = 1; id <= 2; ++id) holidays[id] = AddHoliday(*doc, id);
    holidays[1]->SetValue(0, MakeLocalTime(2024, 12, 24));
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CHolidayDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::Holidays});
    frame->resize(900, 400);
    frame->show();
    view = frame->GetHolidayView();
  }
  // The picker text of a date.
  static QString DateText(int year, int month, int day) {
    return CalendarCellText::PickerDate(MakeLocalTime(year, month, day));
  }
  void EndUntil(const QString& text) { view->OnEndLabelEdit(0, HolidayListModel::kUntil, text, false); }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  std::unique_ptr<CSelvantisDoc> doc;
  CHoliday* holidays[3] = {};
  std::unique_ptr<CHolidayDlgFrm> frame;
  CHolidayDlgView* view = nullptr;
};

}  // namespace

TEST_F(HolidayListTest, RegisteredAsEditorKindTen) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::Holidays));
}

TEST_F(HolidayListTest, FillShowsTheHolidaysAndTheEndOfATimeRangeOnly) {
  holidays[1]->SetValue(1, IDS_TIME_RANGE);
  holidays[1]->SetValue(2, 10);
  holidays[2]->SetValue(2, 10);
  Open();
  ASSERT_EQ(view->RowCount(), 2);
  const QStringList titles{"Holiday program", "ID", "Function", "Date", "until", "Daily Program"};
  for (int column = 0; column < titles.size(); ++column) {
    EXPECT_EQ(view->headerItem()->text(column), titles[column]);
  }
  // The model's widths, or the title's where it needs more.
  EXPECT_EQ(view->header()->sectionSize(2), std::max(60, view->header()->sectionSizeHint(2)));
  EXPECT_EQ(view->header()->sectionSize(4), std::max(120, view->header()->sectionSizeHint(4)));
  EXPECT_EQ(view->CellText(0, 0), "Holiday program 1");
  EXPECT_EQ(view->CellText(0, 2), "Time Range");
  EXPECT_EQ(view->CellText(0, 3), FormatLocaleDate(MakeLocalTime(2024, 12, 24)));
  EXPECT_EQ(view->CellText(0, 4), FormatLocaleDate(MakeLocalTime(2025, 1, 3)));
  EXPECT_EQ(view->CellText(1, 2), "OFF");
  EXPECT_EQ(view->CellText(1, 4), "");
}

TEST_F(HolidayListTest, UntilOneDayAfterTheDateIsAcceptedTheSameDateRefused) {
  Open();
  EndUntil(DateText(2024, 12, 25));
  EXPECT_EQ(holidays[1]->GetValue(2), 1);
  EXPECT_FALSE(messages.Saw(34300));
  holidays[1]->SetValue(2, 5);
  EndUntil(DateText(2024, 12, 24));
  EXPECT_TRUE(messages.Saw(34300));
  EXPECT_EQ(holidays[1]->GetValue(2), 5);
}

TEST_F(HolidayListTest, UntilAcceptsTwoHundredFiftyTwoDaysAndRefusesMoreOrEarlier) {
  Open();
  const QDate first(2024, 12, 24);
  const QDate last = first.addDays(252);
  EndUntil(DateText(last.year(), last.month(), last.day()));
  EXPECT_EQ(holidays[1]->GetValue(2), 252);
  const QDate tooLate = first.addDays(253);
  EndUntil(DateText(tooLate.year(), tooLate.month(), tooLate.day()));
  EXPECT_EQ(holidays[1]->GetValue(2), 252);
  EXPECT_EQ(messages.Requests().size(), 1u);
  EndUntil(DateText(2024, 12, 1));
  EXPECT_EQ(holidays[1]->GetValue(2), 252);
  EXPECT_EQ(messages.Requests().size(), 2u);
}

TEST_F(HolidayListTest, UntilAcrossADaylightSavingChangeCountsWholeDays) {
  const ScopedTimeZone zone("Europe/Berlin");
  // The range holds the night the clocks go forward: 21 days less an hour.
  ASSERT_EQ(MakeLocalTime(2024, 4, 10) - MakeLocalTime(2024, 3, 20), 21 * 86400 - 3600);
  holidays[1]->SetValue(0, MakeLocalTime(2024, 3, 20));
  Open();
  EndUntil(DateText(2024, 4, 10));
  EXPECT_EQ(holidays[1]->GetValue(2), 21);
}

TEST_F(HolidayListTest, UntilStoredWithoutTimeRangeShowsOnceTheFunctionIsARange) {
  Open();
  EndUntil(DateText(2024, 12, 31));
  EXPECT_EQ(holidays[1]->GetValue(2), 7);
  EXPECT_EQ(view->CellText(0, 4), "");
  view->SetChooser([](uint32_t, const QString&) -> std::optional<int> { return IDS_TIME_RANGE; });
  view->EditCell(0, HolidayListModel::kFunction);
  EXPECT_EQ(view->CellText(0, 4), FormatLocaleDate(MakeLocalTime(2024, 12, 31)));
}

TEST_F(HolidayListTest, ChangingTheDateMovesUntilWithIt) {
  holidays[1]->SetValue(1, IDS_TIME_RANGE);
  holidays[1]->SetValue(2, 3);
  Open();
  view->EditCell(0, HolidayListModel::kDate);
  CInPlaceDateTimeCtrl* picker = OpenPickerOf(view->CurrentEditor());
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->date(), QDate(2024, 12, 24));
  picker->setDate(QDate(2025, 2, 26));
  CommitPicker(picker);
  EXPECT_EQ(holidays[1]->GetValue(0), MakeLocalTime(2025, 2, 26));
  EXPECT_EQ(holidays[1]->GetValue(2), 3);
  EXPECT_EQ(view->CellText(0, 4), FormatLocaleDate(MakeLocalTime(2025, 3, 1)));
}

TEST_F(HolidayListTest, TheUntilPickerOpensAtTheEndOfTheRange) {
  holidays[1]->SetValue(2, 8);
  Open();
  view->EditCell(0, HolidayListModel::kUntil);
  CInPlaceDateTimeCtrl* picker = OpenPickerOf(view->CurrentEditor());
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->date(), QDate(2025, 1, 1));
  picker->setDate(QDate(2024, 12, 28));
  CommitPicker(picker);
  EXPECT_EQ(holidays[1]->GetValue(2), 4);
}

TEST_F(HolidayListTest, UnparsableDatesChangeNothing) {
  Open();
  view->OnEndLabelEdit(0, HolidayListModel::kDate, "no date", false);
  EndUntil("99/99/99999");
  EXPECT_EQ(holidays[1]->GetValue(0), MakeLocalTime(2024, 12, 24));
  EXPECT_EQ(holidays[1]->GetValue(2), 1);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(HolidayListTest, FunctionAndDayProgramAreChosenFromTheirSelections) {
  AddDayprog(*doc, 4);
  Open();
  uint32_t askedKind = 0;
  int answer = IDS_REP_MONTHLY;
  view->SetChooser([&](uint32_t kind, const QString&) -> std::optional<int> {
    askedKind = kind;
    return answer;
  });
  view->EditCell(1, HolidayListModel::kFunction);
  EXPECT_EQ(askedKind, static_cast<uint32_t>(IDS_HOLIDAY_PROGRAM));
  EXPECT_EQ(view->CellText(1, 2), "monthly");
  answer = 4;
  view->EditCell(1, HolidayListModel::kDayprog);
  EXPECT_EQ(askedKind, 34119u);
  EXPECT_EQ(holidays[2]->GetValue(3), 4);
  EXPECT_EQ(view->CellText(1, 5), "Daily Program 4");
}

TEST_F(HolidayListTest, NewHolidayIsNamedAfterTheKindAndLimitedToTwenty) {
  Open();
  frame->OnCommand(33138);
  CBaseDevice* created = doc->GetIDManager().FindBaseDevice(3, DT_HOLIDAY);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->GetName(), "Holiday program 3");
  EXPECT_EQ(view->GetCurrentID(), 3);
  for (int i = 0; i < 30; ++i) frame->OnCommand(33138);
  EXPECT_EQ(doc->GetIDManager().GetCount(DT_HOLIDAY), 20);
  EXPECT_FALSE(frame->Action(33138)->isEnabled());
}

TEST_F(HolidayListTest, DeviceDownloadSendsTheSelectedHolidayThroughTheCalendarBlock) {
  doc->SetConnected(true);
  holidays[2]->SetValue(0, MakeLocalTime(2025, 8, 15));
  holidays[2]->SetValue(1, IDS_REP_ANNUAL);
  Open();
  view->SelectRow(1);
  link.Clear();
  view->OnDeviceCommand(33179);
  QStringList calendar;
  for (const QString& line : link.Lines()) {
    if (line.startsWith("/CALENDAR/")) calendar << line;
  }
  EXPECT_EQ(calendar, (QStringList{"/CALENDAR/HOLIDAY2/FUNC ANNUAL", "/CALENDAR/HOLIDAY2/DATE 15.08.2025",
                                   "/CALENDAR/HOLIDAY2/DAYS 1", "/CALENDAR/HOLIDAY2/DAYPROG 0"}));
}

// Unlike the appointment and day-program frames, the holiday frame keeps the
// link state of the moment it was made.
TEST_F(HolidayListTest, TransferButtonsKeepTheLinkStateOfTheirCreation) {
  Open();
  doc->SetConnected(true);
  EXPECT_FALSE(frame->Action(33140)->isEnabled());
  EXPECT_FALSE(frame->Action(33115)->isEnabled());
}

TEST_F(HolidayListTest, DeleteKeyDeletesTheSelectedHoliday) {
  Open();
  view->SelectRow(1);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(doc->GetIDManager().FindBaseDevice(2, DT_HOLIDAY), nullptr);
  EXPECT_EQ(view->RowCount(), 1);
}
