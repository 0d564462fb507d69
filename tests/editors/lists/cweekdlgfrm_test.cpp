#include "editors/lists/cweekdlgfrm.h"
#include "editors/lists/calendarlisttestsupport.h"
#include "editors/lists/cweekdlgview.h"
#include "editors/lists/weeklistmodel.h"
#include "link/linkmode.h"
#include "logic/cweek.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

class WeekListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = NewListProject();
    SetActiveDoc(doc.get());
    week = WeekListModel::Week(*doc);
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  void Open() {
    frame = std::make_unique<CWeekDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::WeekPrograms});
    frame->resize(600, 400);
    frame->show();
    view = frame->GetWeekView();
  }

  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
  std::unique_ptr<CSelvantisDoc> doc;
  CWeek* week = nullptr;
  std::unique_ptr<CWeekDlgFrm> frame;
  CWeekDlgView* view = nullptr;
};

}  // namespace

TEST_F(WeekListTest, RegisteredAsEditorKindEleven) {
  EXPECT_TRUE(CHostFrameRegistry::Global().Has(HostFrameKind::WeekPrograms));
}

TEST_F(WeekListTest, SevenRowsMondayToSundayAlsoWithoutDayPrograms) {
  ASSERT_NE(week, nullptr);
  Open();
  ASSERT_EQ(view->RowCount(), 7);
  EXPECT_EQ(view->headerItem()->text(0), "Day");
  EXPECT_EQ(view->headerItem()->text(1), "Daily Program");
  EXPECT_EQ(view->header()->sectionSize(1), 260);
  const QStringList days{"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
  for (int day = 0; day < 7; ++day) {
    EXPECT_EQ(view->CellText(day, 0), days[day]);
    EXPECT_EQ(view->CellText(day, 1), "");
  }
  EXPECT_EQ(view->FirstSelectedRow(), 0);
}

TEST_F(WeekListTest, ChoosingADayProgramForSundayChangesOnlyRowSix) {
  AddDayprog(*doc, 2);
  Open();
  uint32_t askedKind = 0;
  view->SetChooser([&](uint32_t kind, const QString&) -> std::optional<int> {
    askedKind = kind;
    return 2;
  });
  view->EditCell(6, WeekListModel::kDay);
  EXPECT_EQ(askedKind, 0u);
  view->EditCell(6, WeekListModel::kDayprog);
  EXPECT_EQ(askedKind, 34119u);
  EXPECT_EQ(week->GetValue(6), 2);
  for (int day = 0; day < 6; ++day) {
    EXPECT_EQ(week->GetValue(day), 0);
    EXPECT_EQ(view->CellText(day, 1), "");
  }
  EXPECT_EQ(view->CellText(6, 1), "Daily Program 2");
}

TEST_F(WeekListTest, TheSelectedRowIsKeptOverRefills) {
  Open();
  view->SelectRow(4);
  view->FillList();
  EXPECT_EQ(view->FirstSelectedRow(), 4);
  EXPECT_EQ(view->RememberedRow(), 4);
}

TEST_F(WeekListTest, WeekdayNamesCannotBeEdited) {
  Open();
  EXPECT_FALSE(view->BeginLabelEdit(0, 0));
  view->OnEndLabelEdit(0, 0, "Funday", false);
  EXPECT_EQ(view->CellText(0, 0), "Monday");
}

TEST_F(WeekListTest, ToolbarHasOnlyTheTransfersEnabledWhileConnected) {
  Open();
  auto* bar = frame->findChild<QToolBar*>(QStringLiteral("listBar"));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->actions().size(), 2);
  EXPECT_EQ(bar->actions()[0], frame->Action(33151));
  EXPECT_EQ(bar->actions()[1], frame->Action(33152));
  EXPECT_FALSE(frame->Action(33151)->isEnabled());
  frame.reset();
  doc->SetConnected(true);
  Open();
  EXPECT_TRUE(frame->Action(33151)->isEnabled());
  EXPECT_TRUE(frame->Action(33152)->isEnabled());
}

TEST_F(WeekListTest, DownloadSendsTheSevenDays) {
  AddDayprog(*doc, 3);
  week->SetValue(2, 3);
  doc->SetConnected(true);
  Open();
  link.Clear();
  frame->OnCommand(33152);
  QStringList lines;
  for (const QString& line : link.Lines()) {
    if (line.startsWith("/CALENDAR/WEEK")) lines << line;
  }
  EXPECT_EQ(lines, (QStringList{"/CALENDAR/WEEK/DAY1 0", "/CALENDAR/WEEK/DAY2 0", "/CALENDAR/WEEK/DAY3 3",
                                "/CALENDAR/WEEK/DAY4 0", "/CALENDAR/WEEK/DAY5 0", "/CALENDAR/WEEK/DAY6 0",
                                "/CALENDAR/WEEK/DAY7 0"}));
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
}

TEST_F(WeekListTest, UploadTakesTheUnitsDayProgramsAndRefills) {
  AddDayprog(*doc, 1);
  doc->SetConnected(true);
  Open();
  link.SetResponder(
      [](const QString& line) -> QStringList {
        if (line == "/CALENDAR/WEEK/DAY7 ?") return {"/CALENDAR/WEEK/DAY7 1"};
        return {};
      },
      doc.get());
  frame->OnCommand(33151);
  EXPECT_TRUE(link.Modes().contains(LINKMODE_UPLOAD));
  EXPECT_EQ(week->GetValue(6), 1);
  EXPECT_EQ(view->CellText(6, 1), "Daily Program 1");
}

TEST_F(WeekListTest, TheWeekListHasNoDeviceMenu) {
  doc->SetConnected(true);
  Open();
  link.Clear();
  view->OnDeviceCommand(33179);
  EXPECT_TRUE(link.Lines().isEmpty());
}
