// The calendar: appointments, day programs (index and number addressing,
// free and deleted entries), holidays, the week program, the calendar
// block's steps and an upload of every part from the simulated unit.
#include "link/linkmode.h"
#include "logic/cappoint.h"
#include "logic/ccalobject.h"
#include "logic/cdayprog.h"
#include "logic/choliday.h"
#include "logic/cweek.h"
#include "logic/logictime.h"
#include "logichandlers.h"
#include "logictestsupport.h"
#include "macros/cmacro.h"
#include "support/recordinglink.h"
#include "support/simunitlink.h"
#include "support/tempprofile.h"
#include "unitsimulator.h"

#include <gtest/gtest.h>

namespace {

CCalObject* Block(const CSelvantisDoc& doc) { return Find<CCalObject>(doc, DT_CALOBJECT, 1); }
CWeek* Week(const CSelvantisDoc& doc) { return Find<CWeek>(doc, DT_WEEK, 1); }

QString Text(const CDayprog& program, int index, int column) {
  QString text;
  program.GetColumnText(text, index << 16 | column);
  return text;
}

TEST(CAppointTest, RepetitionsAndTheOneTime) {
  auto doc = NewProject();
  auto* appoint = MakeObject<CAppoint>(*doc, CAppoint::kKindEvent, CAT_CALENDAR);
  ASSERT_NE(appoint, nullptr);
  std::vector<int> choices;
  EXPECT_EQ(CAppoint::ListChoices(2, choices), 8);
  EXPECT_EQ(choices.front(), 34235);
  QString text;
  appoint->GetColumnText(text, 2);
  EXPECT_EQ(text, "OFF");
  appoint->SetValue(2, IDS_REP_WEEKLY);
  appoint->GetColumnText(text, 2);
  EXPECT_EQ(text, "weekly");
  appoint->SetValue(2, 4711);
  EXPECT_EQ(appoint->GetValue(2), static_cast<int>(IDS_REP_WEEKLY));

  const int64_t time = MakeLocalTime(2024, 5, 17, 6, 30, 0);
  appoint->SetValue(1, time);
  EXPECT_EQ(appoint->GetValue(0), time);
  appoint->SetValue(3, 44);  // a macro the project lacks
  appoint->GetColumnText(text, 3);
  EXPECT_EQ(text, "44 *");
}

TEST(CAppointTest, LinesAndProjectFile) {
  TempProfile profile;
  auto doc = NewProject();
  auto* appoint = MakeObjectWithID<CAppoint>(*doc, CAppoint::kKindEvent, 4, CAT_CALENDAR, QStringLiteral("Lunch"));
  appoint->SetValue(0, MakeLocalTime(2024, 12, 24, 23, 59, 30));
  appoint->SetValue(2, IDS_REP_ANNUAL);
  appoint->SetValue(3, 7);
  RecordingLink link;
  CCalObject* block = Block(*doc);
  EXPECT_EQ(block->Download(false, -2), 123);
  EXPECT_EQ(block->Download(false, 6), 7);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/CALENDAR/EVENT4/FUNC ANNUAL", "/CALENDAR/EVENT4/DATE 24.12.2024",
                                           "/CALENDAR/EVENT4/TIME 23:59:30", "/CALENDAR/EVENT4/MACRO 7"}));
  auto loaded = RoundTrip(*doc);
  auto* copy = Find<CAppoint>(*loaded, DT_APPOINT, 4);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetValue(0), appoint->GetValue(0));
  EXPECT_EQ(copy->GetValue(2), static_cast<int>(IDS_REP_ANNUAL));
  EXPECT_EQ(copy->GetValue(3), 7);
}

TEST(CDayprogTest, GettersTakeTheIndexAndSetValueTheNumber) {
  auto doc = NewProject();
  auto* program = MakeObject<CDayprog>(*doc, CDayprog::kKindDayprog, CAT_CALENDAR);
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(program->GetMaxEntries(), 40);
  EXPECT_EQ(Text(*program, 0, 2), "0");

  program->SetValue(3 << 16 | 0, MakeLocalTime(1980, 3, 1, 23, 59, 0));
  EXPECT_EQ(Text(*program, 2, 0), FormatLocaleTime24(MakeLocalTime(1980, 3, 1, 23, 59, 0)));
  EXPECT_EQ(Text(*program, 3, 0), "");
  program->SetValue(5 << 16 | 1, 9);  // placeholder macro 9 on pin 4
  EXPECT_EQ(Text(*program, 4, 1), "9 *");
  EXPECT_EQ(program->GetValue(4 << 16 | 1), 9);
  // An entry with a macro but a free time counts as used.
  EXPECT_EQ(Text(*program, 0, 2), "2");
  EXPECT_EQ(program->GetUsedCount(), 2);

  // Numbers outside 1 .. max address nothing.
  program->SetValue(0 << 16 | 0, FreeLimitTime());
  program->SetValue(41 << 16 | 0, FreeLimitTime());
  program->SetValue(41 << 16 | 1, 9);
  EXPECT_EQ(program->GetUsedCount(), 2);
  EXPECT_EQ(Text(*program, 40, 0), "");
  EXPECT_EQ(Text(*program, 40, 2), "");
}

TEST(CDayprogTest, NewEntryTakesTheFirstFreeOneAndDeleteFreesIt) {
  auto doc = NewProject();
  auto* program = MakeObject<CDayprog>(*doc, CDayprog::kKindDayprog, CAT_CALENDAR);
  program->SetValue(1 << 16 | 0, MakeLocalTime(1980, 3, 1, 8, 0, 0));
  program->SetValue(3, 0);
  EXPECT_EQ(program->GetValue(1 << 16 | 0), FreeLimitTime());
  EXPECT_EQ(Text(*program, 1, 0), FormatLocaleTime24(FreeLimitTime()));

  program->SetValue(2 << 16 | 1, 5);
  program->SetValue(4, 2);
  EXPECT_EQ(program->GetValue(1 << 16 | 0), DeletedEntryTime());
  EXPECT_EQ(program->GetValue(1 << 16 | 1), 0);
  EXPECT_EQ(program->GetUsedCount(), 1);
  program->SetValue(4, 0);
  program->SetValue(4, 41);
  EXPECT_EQ(program->GetUsedCount(), 1);

  // With every entry used, a new entry changes nothing.
  for (int n = 1; n <= 40; ++n) program->SetValue(n << 16 | 0, MakeLocalTime(1980, 3, 1, 1, n, 0));
  program->SetValue(3, 0);
  EXPECT_EQ(program->GetUsedCount(), 40);
}

TEST(CDayprogTest, BigProjectsHaveOneHundredEntries) {
  auto doc = NewProject();
  doc->SetUpgradeFlag(1);
  auto* program = MakeObject<CDayprog>(*doc, CDayprog::kKindDayprog, CAT_CALENDAR);
  EXPECT_EQ(program->GetMaxEntries(), 100);
  program->SetValue(100 << 16 | 1, 3);
  EXPECT_EQ(program->GetValue(99 << 16 | 1), 3);
  EXPECT_NE(program->FindInputConnection(99), nullptr);
}

TEST(CDayprogTest, DayProgramTwoIsCalendarStepFiftyFour) {
  TempProfile profile;
  auto doc = NewProject();
  auto* program = MakeObjectWithID<CDayprog>(*doc, CDayprog::kKindDayprog, 2, CAT_CALENDAR);
  program->SetValue(3 << 16 | 0, MakeLocalTime(1980, 3, 1, 7, 15, 0));
  program->SetValue(3 << 16 | 1, 12);
  RecordingLink link;
  CCalObject* block = Block(*doc);
  block->Download(false, -3);
  EXPECT_EQ(block->Download(false, 54), 55);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/CALENDAR/DAYPROG2/CLEAR ALL", "/CALENDAR/DAYPROG2/TIME3 07:15:00",
                                           "/CALENDAR/DAYPROG2/MACRO3 12"}));
  block->Download(true, 54);
  EXPECT_EQ(link.TakeLines(), QStringList{"/CALENDAR/DAYPROG2/ENTRIES ?"});
  // Only day programs were selected.
  block->Download(false, 3);
  block->Download(false, 73);
  EXPECT_TRUE(link.TakeLines().isEmpty());
}

TEST(CDayprogTest, ManyEntriesGoOutAsTheBufferAllows) {
  TempProfile profile;
  auto doc = NewProject();
  auto* program = MakeObjectWithID<CDayprog>(*doc, CDayprog::kKindDayprog, 1, CAT_CALENDAR);
  for (int n = 1; n <= 40; ++n) program->SetValue(n << 16 | 0, MakeLocalTime(1980, 3, 1, 0, n, 0));
  RecordingLink link;
  CCalObject* block = Block(*doc);
  block->Download(false, -1);
  link.SetOutBufferCount(512);
  EXPECT_EQ(block->Download(false, 53), 53);
  EXPECT_TRUE(link.Lines().isEmpty());
  link.SetOutBufferCount(0);
  EXPECT_EQ(block->Download(false, 53), 54);
  EXPECT_EQ(link.Lines().size(), 81);
}

TEST(CDayprogTest, ProjectFileKeepsEveryEntry) {
  auto doc = NewProject();
  doc->SetUpgradeFlag(1);
  auto* program = MakeObjectWithID<CDayprog>(*doc, CDayprog::kKindDayprog, 5, CAT_CALENDAR, QStringLiteral("Weekday"));
  program->SetValue(1 << 16 | 0, MakeLocalTime(1980, 3, 1, 6, 0, 0));
  program->SetValue(100 << 16 | 0, MakeLocalTime(1980, 3, 1, 22, 0, 0));
  program->SetValue(100 << 16 | 1, 8);
  auto loaded = RoundTrip(*doc);
  auto* copy = Find<CDayprog>(*loaded, DT_DAYPROG, 5);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetValue(0 << 16 | 0), MakeLocalTime(1980, 3, 1, 6, 0, 0));
  EXPECT_EQ(copy->GetValue(99 << 16 | 0), MakeLocalTime(1980, 3, 1, 22, 0, 0));
  EXPECT_EQ(copy->GetValue(99 << 16 | 1), 8);
  EXPECT_EQ(copy->GetValue(50 << 16 | 0), DeletedEntryTime());
  EXPECT_EQ(copy->GetUsedCount(), 2);
}

TEST(CHolidayTest, FunctionsDaysAndDayProgram) {
  auto doc = NewProject();
  auto* holiday = MakeObject<CHoliday>(*doc, CHoliday::kKindHoliday, CAT_CALENDAR);
  auto* program = MakeObjectWithID<CDayprog>(*doc, CDayprog::kKindDayprog, 3, CAT_CALENDAR, QStringLiteral("Sunday"));
  ASSERT_NE(holiday, nullptr);
  ASSERT_NE(program, nullptr);
  EXPECT_EQ(holiday->GetValue(0), FreeLimitTime());
  EXPECT_EQ(holiday->GetValue(2), 1);
  std::vector<int> choices;
  EXPECT_EQ(CHoliday::ListChoices(1, choices), 5);
  EXPECT_EQ(choices.back(), 34298);
  holiday->SetValue(1, 34298);
  EXPECT_EQ(holiday->GetValue(1), 34298);
  holiday->SetValue(1, IDS_REP_WEEKLY);  // not a holiday function
  EXPECT_EQ(holiday->GetValue(1), 34298);
  for (const auto& [in, out] : {std::pair{0, 1}, std::pair{253, 252}, std::pair{14, 14}}) {
    holiday->SetValue(2, in);
    EXPECT_EQ(holiday->GetValue(2), out) << in;
  }
  holiday->SetValue(3, 3);
  QString text;
  holiday->GetColumnText(text, 3);
  EXPECT_EQ(text, "Sunday");
  holiday->GetColumnText(text, 2);
  EXPECT_EQ(text, "14");
}

TEST(CWeekTest, SevenDaysSevenSteps) {
  auto doc = NewProject();
  CWeek* week = Week(*doc);
  ASSERT_NE(week, nullptr);
  EXPECT_EQ(week->GetPath(), "/CALENDAR/WEEK");
  MakeObjectWithID<CDayprog>(*doc, CDayprog::kKindDayprog, 2, CAT_CALENDAR, QStringLiteral("Weekend"));
  week->SetValue(6, 2);
  week->SetValue(7, 2);
  QString text;
  week->GetColumnText(text, 6);
  EXPECT_EQ(text, "Weekend");
  week->GetColumnText(text, 5);
  EXPECT_EQ(text, "");
  RecordingLink link;
  EXPECT_EQ(week->Download(false, -1), 7);
  for (int day = 0; day < 7; ++day) EXPECT_EQ(week->Download(false, day), day + 1);
  EXPECT_EQ(week->Download(false, 7), -1);
  EXPECT_EQ(link.Lines().size(), 7);
  EXPECT_EQ(link.Lines().at(6), "/CALENDAR/WEEK/DAY7 2");
  EXPECT_EQ(link.Lines().at(0), "/CALENDAR/WEEK/DAY1 0");
}

TEST(CCalObjectTest, SelectorsAndOwnSteps) {
  TempProfile profile;
  auto doc = NewProject();
  CCalObject* block = Block(*doc);
  ASSERT_NE(block, nullptr);
  RecordingLink link;
  for (int selector : {-1, -2, -3, -4}) EXPECT_EQ(block->Download(false, selector), 123);
  EXPECT_EQ(block->Download(false, 123), -1);
  block->Download(false, -1);
  for (int step = 0; step <= 2; ++step) EXPECT_EQ(block->Download(false, step), step + 1);
  EXPECT_TRUE(link.TakeLines().isEmpty());
  // Entries the project lacks are switched off.
  block->Download(false, 3);
  block->Download(false, 73);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/CALENDAR/EVENT1/FUNC OFF", "/CALENDAR/HOLIDAY1/FUNC OFF"}));
}

TEST(CCalObjectTest, UploadFromTheSimulatedUnitRestoresTheCalendar) {
  TempProfile profile;
  auto source = NewProject();
  auto* appoint = MakeObjectWithID<CAppoint>(*source, CAppoint::kKindEvent, 2, CAT_CALENDAR);
  appoint->SetValue(0, MakeLocalTime(2025, 1, 31, 12, 45, 0));
  appoint->SetValue(2, IDS_REP_DAILY);
  appoint->SetValue(3, 5);
  auto* program = MakeObjectWithID<CDayprog>(*source, CDayprog::kKindDayprog, 3, CAT_CALENDAR);
  program->SetValue(1 << 16 | 0, MakeLocalTime(1980, 3, 1, 6, 0, 0));
  program->SetValue(1 << 16 | 1, 5);
  program->SetValue(7 << 16 | 0, MakeLocalTime(1980, 3, 1, 18, 30, 0));
  auto* holiday = MakeObjectWithID<CHoliday>(*source, CHoliday::kKindHoliday, 4, CAT_CALENDAR);
  holiday->SetValue(0, MakeLocalTime(2025, 8, 1));
  holiday->SetValue(1, 34298);
  holiday->SetValue(2, 12);
  holiday->SetValue(3, 3);
  Week(*source)->SetValue(0, 3);

  SimUnitLink link(source.get(), RegisterLogicHandlers);
  ASSERT_TRUE(link.IsOpen());
  link.Sim().SetValue(QStringLiteral("/CALENDAR/DAYPROG3/TIME2"), QStringLiteral("05:00:00"));
  link.SetLinkMode(LINKMODE_DOWNLOAD);
  CCalObject* block = Block(*source);
  for (int step = block->Download(false, -1) * 0; step < 123; step = block->Download(false, step)) {
  }
  for (int day = 0; day < 7; ++day) Week(*source)->Download(false, day);
  // An old entry on the unit that the download must have cleared.
  EXPECT_FALSE(link.Sim().HasValue(QStringLiteral("/CALENDAR/DAYPROG3/TIME2")));

  auto target = NewProject();
  link.SetDocument(target.get());
  link.SetLinkMode(LINKMODE_UPLOAD);
  CCalObject* targetBlock = Block(*target);
  for (int step = targetBlock->Download(true, -1) * 0; step < 123; step = targetBlock->Download(true, step)) {
  }
  for (int day = 0; day < 7; ++day) Week(*target)->Download(true, day);
  EXPECT_TRUE(link.Errors().isEmpty()) << link.Errors().join('\n').toStdString();

  auto* a = Find<CAppoint>(*target, DT_APPOINT, 2);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->GetValue(0), MakeLocalTime(2025, 1, 31, 12, 45, 0));
  EXPECT_EQ(a->GetValue(2), static_cast<int>(IDS_REP_DAILY));
  EXPECT_EQ(a->GetValue(3), 5);
  auto* p = Find<CDayprog>(*target, DT_DAYPROG, 3);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->GetValue(0 << 16 | 0), MakeLocalTime(1980, 3, 1, 6, 0, 0));
  EXPECT_EQ(p->GetValue(0 << 16 | 1), 5);
  EXPECT_EQ(p->GetValue(6 << 16 | 0), MakeLocalTime(1980, 3, 1, 18, 30, 0));
  EXPECT_EQ(p->GetUsedCount(), 2);
  auto* h = Find<CHoliday>(*target, DT_HOLIDAY, 4);
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->GetValue(1), 34298);
  EXPECT_EQ(h->GetValue(2), 12);
  EXPECT_EQ(h->GetValue(3), 3);
  EXPECT_EQ(h->GetValue(0), MakeLocalTime(2025, 8, 1));
  EXPECT_EQ(Week(*target)->GetValue(0), 3);
  EXPECT_EQ(target->GetIDManager().GetCount(DT_APPOINT), 1);
  EXPECT_EQ(target->GetIDManager().GetCount(DT_DAYPROG), 1);
  EXPECT_EQ(target->GetIDManager().GetCount(DT_HOLIDAY), 1);
}

}  // namespace

namespace {

TEST(CHolidayTest, ProjectFileKeepsDateFunctionLengthAndDayProgram) {
  auto doc = NewProject();
  MakeObjectWithID<CDayprog>(*doc, CDayprog::kKindDayprog, 4, CAT_CALENDAR, QStringLiteral("Quiet"));
  auto* holiday = MakeObjectWithID<CHoliday>(*doc, CHoliday::kKindHoliday, 9, CAT_CALENDAR);
  holiday->SetValue(0, MakeLocalTime(2026, 12, 24));
  holiday->SetValue(1, 34298);
  holiday->SetValue(2, 3);
  holiday->SetValue(3, 4);
  auto loaded = RoundTrip(*doc);
  ASSERT_NE(loaded, nullptr);
  auto* copy = Find<CHoliday>(*loaded, DT_HOLIDAY, 9);
  ASSERT_NE(copy, nullptr);
  for (int column = 0; column <= 3; ++column) {
    EXPECT_EQ(copy->GetValue(column), holiday->GetValue(column)) << column;
    EXPECT_EQ(Column(*copy, column), Column(*holiday, column)) << column;
  }
}

TEST(CWeekTest, ProjectFileKeepsTheDayPrograms) {
  auto doc = NewProject();
  MakeObjectWithID<CDayprog>(*doc, CDayprog::kKindDayprog, 1, CAT_CALENDAR, QStringLiteral("Workday"));
  MakeObjectWithID<CDayprog>(*doc, CDayprog::kKindDayprog, 2, CAT_CALENDAR, QStringLiteral("Weekend"));
  for (int day = 0; day < 5; ++day) Week(*doc)->SetValue(day, 1);
  Week(*doc)->SetValue(6, 2);
  auto loaded = RoundTrip(*doc);
  ASSERT_NE(loaded, nullptr);
  CWeek* copy = Week(*loaded);
  ASSERT_NE(copy, nullptr);
  const char* const names[] = {"Workday", "Workday", "Workday", "Workday", "Workday", "", "Weekend"};
  for (int day = 0; day < 7; ++day) EXPECT_EQ(Column(*copy, day), QLatin1String(names[day])) << day;
  // A deleted day program leaves its days empty.
  ASSERT_TRUE(loaded->DeleteObject(loaded->GetIDManager().FindBaseDevice(2, DT_DAYPROG)));
  EXPECT_EQ(Column(*copy, 6), "");
  EXPECT_EQ(copy->GetValue(6), 0);
}

}  // namespace
