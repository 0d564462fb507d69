#include "amps/czone.h"
#include "editors/macros/cmacrodlgfrm.h"
#include "editors/macros/cmacrodlglistview.h"
#include "editors/macros/cmemoflagmacroview.h"
#include "editors/macros/crepeatmacroview.h"
#include "editors/macros/csequencemacroview.h"
#include "editors/macros/cslaveclockmacroview.h"
#include "editors/macros/czonetestmacroview.h"
#include "editors/macros/flowstepfields.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cellipsisstatic.h"
#include "shell/controls/cinplaceedit.h"
#include "shell/controls/cvalueedit.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QComboBox>
#include <QDateTime>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTime>
#include <QTimeEdit>
#include <QToolButton>

#include "editors/macros/macrosteptest.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <optional>

namespace {

class FlowStepTest : public MacroStepTest {
 protected:
};

}  // namespace

TEST(FlowStepFieldsTest, RepeatLimits) {
  EXPECT_EQ(FlowStepFields::ClampRepeatCount(70000), 65535);
  EXPECT_EQ(FlowStepFields::ClampRepeatCount(-3), 0);
  EXPECT_EQ(FlowStepFields::ClampRepeatTime(301), 300);
  EXPECT_EQ(FlowStepFields::ClampRepeatTime(-1), 0);
  EXPECT_EQ(FlowStepFields::ClampRepeatTime(45), 45);
}

TEST_F(FlowStepTest, RepeatCountIsLimitedAndTheEditShowsTheLimit) {
  CMacro* macro = Create(CMacro::kKindRepeat);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CRepeatMacroView>();
  ASSERT_NE(view, nullptr);
  view->CountEdit()->setText(QStringLiteral("70000"));
  view->OnKillfocusCount();
  EXPECT_EQ(macro->GetParam(CMacro::P_REPEAT_COUNT), 65535);
  EXPECT_EQ(view->CountEdit()->text(), "65535");
  view->CountEdit()->setText(QStringLiteral("-3"));
  view->OnKillfocusCount();
  EXPECT_EQ(macro->GetParam(CMacro::P_REPEAT_COUNT), 0);
  EXPECT_EQ(view->CountEdit()->text(), "0");
  view->TimeEdit()->setText(QStringLiteral("400"));
  view->OnKillfocusTime();
  EXPECT_EQ(macro->GetParam(CMacro::P_TIME), 300);
  EXPECT_EQ(view->TimeEdit()->text(), "300");
}

TEST_F(FlowStepTest, RepeatMacroListOffersOffAndTheMacros) {
  CMacro* macro = Create(CMacro::kKindRepeat);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CRepeatMacroView>();
  ASSERT_NE(view, nullptr);
  ASSERT_GE(view->MacroList()->count(), 2);
  EXPECT_EQ(view->MacroList()->itemText(0), "OFF");
  const int index = view->MacroList()->findData(macro->GetID());
  ASSERT_GE(index, 0);
  emit view->MacroList()->activated(index);
  EXPECT_EQ(macro->GetParam(CMacro::P_REPEAT_MACRO), macro->GetID());
}

TEST_F(FlowStepTest, SequenceDoubleClickOnStepNumberOpensNothing) {
  CMacro* macro = Create(CMacro::kKindSequence);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CSequenceMacroView>();
  ASSERT_NE(view, nullptr);
  int asked = 0;
  view->SetChooser([&asked](uint32_t, const QString&) {
    ++asked;
    return std::optional<int>();
  });
  view->OnDblclkCell(0, 0);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(view->CellEditor(), nullptr);
  EXPECT_EQ(view->List()->item(4, 0)->text(), "5");
}

TEST_F(FlowStepTest, SequenceMacroColumnAsksForAMacroAndStoresIt) {
  CMacro* macro = Create(CMacro::kKindSequence);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CSequenceMacroView>();
  ASSERT_NE(view, nullptr);
  std::vector<uint32_t> kinds;
  const int id = macro->GetID();
  view->SetChooser([&kinds, id](uint32_t kind, const QString&) {
    kinds.push_back(kind);
    return std::optional<int>(id);
  });
  view->OnDblclkCell(2, 1);
  ASSERT_EQ(kinds, std::vector<uint32_t>{32806u});
  EXPECT_EQ(macro->GetParam(CMacro::P_STEP_MACRO + 2), id);
  EXPECT_EQ(view->List()->item(2, 1)->text(), macro->GetName());
  view->OnDblclkCell(1, 3);
  ASSERT_EQ(kinds.size(), 2u);
  EXPECT_EQ(kinds[1], 34129u);
}

TEST_F(FlowStepTest, SequenceDelayEditCommitsOnEnterAndEscapeChangesNothing) {
  CMacro* macro = Create(CMacro::kKindSequence);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CSequenceMacroView>();
  ASSERT_NE(view, nullptr);
  const float before = macro->GetParamFloat(CMacro::P_STEP_DELAY + 1);
  view->OnDblclkCell(1, 2);
  ASSERT_NE(view->CellEditor(), nullptr);
  view->CellEditor()->setText(QStringLiteral("12.5"));
  QTest::keyClick(view->CellEditor(), Qt::Key_Escape);
  QCoreApplication::processEvents();
  EXPECT_FLOAT_EQ(macro->GetParamFloat(CMacro::P_STEP_DELAY + 1), before);

  view->OnDblclkCell(1, 2);
  ASSERT_NE(view->CellEditor(), nullptr);
  view->CellEditor()->setText(QStringLiteral("12.5"));
  QTest::keyClick(view->CellEditor(), Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_FLOAT_EQ(macro->GetParamFloat(CMacro::P_STEP_DELAY + 1), 12.5f);
  EXPECT_EQ(view->List()->item(1, 2)->text(), "12.5");

  // The macro keeps the delay within 0..300 s.
  EXPECT_TRUE(FlowStepFields::SetSequenceDelay(*macro, 0, QStringLiteral("999")));
  EXPECT_FLOAT_EQ(macro->GetParamFloat(CMacro::P_STEP_DELAY), 300.0f);
  EXPECT_FALSE(FlowStepFields::SetSequenceDelay(*macro, 5, QStringLiteral("1")));
  EXPECT_FALSE(FlowStepFields::SetSequenceDelay(*macro, 0, QString()));
}

TEST_F(FlowStepTest, MemoFlagRadioButtonsWriteOneAndZero) {
  CMacro* macro = Create(CMacro::kKindMemoFlag);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CMemoFlagMacroView>();
  ASSERT_NE(view, nullptr);
  view->TrueButton()->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_MEMO_VALUE), 1);
  view->FalseButton()->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_MEMO_VALUE), 0);
  EXPECT_EQ(view->FlagList()->itemText(0), "OFF");
}

TEST_F(FlowStepTest, SetSlaveClockClearsTheRunCommand) {
  CMacro* macro = Create(CMacro::kKindSlaveClock);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CSlaveClockMacroView>();
  ASSERT_NE(view, nullptr);
  view->Button(FlowStepFields::kClockStart)->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_SET_RUN), 1);
  EXPECT_EQ(macro->GetParam(CMacro::P_SWITCH), 1);
  EXPECT_EQ(macro->GetParam(CMacro::P_SET_TIME), 0);
  view->Button(FlowStepFields::kClockStop)->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_SET_RUN), 1);
  EXPECT_EQ(macro->GetParam(CMacro::P_SWITCH), 0);
  view->Button(FlowStepFields::kClockSet)->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_SET_RUN), 0);
  EXPECT_EQ(macro->GetParam(CMacro::P_SWITCH), 0);
  EXPECT_EQ(macro->GetParam(CMacro::P_SET_TIME), 1);
  EXPECT_EQ(FlowStepFields::SlaveClockChoice(*macro), FlowStepFields::kClockSet);
}

TEST_F(FlowStepTest, SlaveClockTimeKeepsTheDateAndShowsHoursAndMinutes) {
  CMacro* macro = Create(CMacro::kKindSlaveClock);
  ASSERT_NE(macro, nullptr);
  const QDate day(1970, 1, 4);
  macro->SetParamTime(QDateTime(day, QTime(5, 7, 30)).toSecsSinceEpoch());
  EXPECT_EQ(FlowStepFields::SlaveClockMinutes(*macro), 5 * 60 + 7);
  FlowStepFields::SetSlaveClockMinutes(*macro, 23 * 60 + 59);
  EXPECT_EQ(macro->GetParamTime(), QDateTime(day, QTime(23, 59)).toSecsSinceEpoch());
  FlowStepFields::SetSlaveClockMinutes(*macro, 99999);
  EXPECT_EQ(macro->GetParamTime(), QDateTime(day, QTime(23, 59)).toSecsSinceEpoch());
  frame->RefreshMacroList();
  QCoreApplication::processEvents();
  auto* view = StepView<CSlaveClockMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->TimePicker()->displayFormat(), "H:mm");
  EXPECT_EQ(view->TimePicker()->time(), QTime(23, 59));
  // A picked time is stored at once, without leaving the picker.
  view->TimePicker()->setTime(QTime(6, 30));
  EXPECT_EQ(macro->GetParamTime(), QDateTime(day, QTime(6, 30)).toSecsSinceEpoch());
}

namespace {

// Runs a test in another time zone and puts the old one back.
class TimeZoneScope {
 public:
  explicit TimeZoneScope(const char* zone) : m_had(qEnvironmentVariableIsSet("TZ")), m_old(qgetenv("TZ")) {
    qputenv("TZ", zone);
    tzset();
  }
  ~TimeZoneScope() {
    if (m_had)
      qputenv("TZ", m_old);
    else
      qunsetenv("TZ");
    tzset();
  }
  TimeZoneScope(const TimeZoneScope&) = delete;
  TimeZoneScope& operator=(const TimeZoneScope&) = delete;

 private:
  bool m_had;
  QByteArray m_old;
};

}  // namespace

// The unit gets local time: away from UTC the time picked is the time sent,
// and the time the unit reports is the time shown.
TEST_F(FlowStepTest, SlaveClockTimeIsTheUnitsTimeInEveryTimeZone) {
  TimeZoneScope berlin("Europe/Berlin");
  CMacro* macro = Create(CMacro::kKindSlaveClock);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CSlaveClockMacroView>();
  ASSERT_NE(view, nullptr);
  for (const QDate& day : {QDate(2024, 1, 15), QDate(2024, 7, 15)}) {
    macro->SetParamTime(QDateTime(day, QTime(12, 0)).toSecsSinceEpoch());
    view->TimePicker()->setTime(QTime(0, 0));
    view->TimePicker()->setTime(QTime(6, 30));
    const QStringList lines = macro->GetDownloadLines(false);
    EXPECT_TRUE(HasLineEnding(lines, "/PARAM/TIME 06:30")) << lines.join('\n').toStdString();
    EXPECT_EQ(FlowStepFields::SlaveClockMinutes(*macro), 6 * 60 + 30);
    // The date stays.
    EXPECT_EQ(QDateTime::fromSecsSinceEpoch(macro->GetParamTime()).date(), day);
  }

  macro->SetParamText(CMacro::P_CLOCK_TIME, "07:15");
  EXPECT_EQ(FlowStepFields::SlaveClockMinutes(*macro), 7 * 60 + 15);
  frame->RefreshMacroList();
  QCoreApplication::processEvents();
  view = StepView<CSlaveClockMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->TimePicker()->time(), QTime(7, 15));
}

TEST_F(FlowStepTest, StopMeasurementsKeepsTheMode) {
  CMacro* macro = Create(CMacro::kKindLineTest);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CZonetestMacroView>();
  ASSERT_NE(view, nullptr);
  view->Button(FlowStepFields::kTestLine)->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_SWITCH), 1);
  EXPECT_EQ(macro->GetParam(CMacro::P_TEST_MODE), 1);
  view->Button(FlowStepFields::kTestStop)->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_SWITCH), 0);
  EXPECT_EQ(macro->GetParam(CMacro::P_TEST_MODE), 1);
  view->Button(FlowStepFields::kTestImpedance)->click();
  EXPECT_EQ(macro->GetParam(CMacro::P_SWITCH), 1);
  EXPECT_EQ(macro->GetParam(CMacro::P_TEST_MODE), 0);
  EXPECT_EQ(FlowStepFields::LineTestChoice(*macro), FlowStepFields::kTestImpedance);
}

TEST_F(FlowStepTest, LineTestZonesGoToTheMacroAndACancelChangesNothing) {
  CMacro* macro = Create(CMacro::kKindLineTest);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CZonetestMacroView>();
  ASSERT_NE(view, nullptr);
  std::vector<CBaseDevice*> groups;
  doc->GetIDManager().GetBaseDeviceList(groups, 12);
  ASSERT_FALSE(groups.empty());
  const QString before = macro->GetParamText(CMacro::P_ZONES);
  view->SetZoneChooser([&groups](std::vector<CBaseDevice*>& list) {
    list = {groups.front()};
    return false;
  });
  view->OnZones();
  EXPECT_EQ(macro->GetParamText(CMacro::P_ZONES), before);
  view->SetZoneChooser([&groups](std::vector<CBaseDevice*>& list) {
    list = {groups.front()};
    return true;
  });
  view->OnZones();
  EXPECT_EQ(macro->GetParam(CMacro::P_ZONES), 1);
  EXPECT_EQ(view->ZoneText()->GetWindowText(), macro->GetParamText(CMacro::P_ZONES));
}

namespace {

// Dark pixels along the inside of a cell's top edge: the dotted hover
// rectangle draws some, the cell's background none.
int DarkPixelsOnTopEdge(QTableWidget* list, int row, int column) {
  const QRect cell = list->visualRect(list->model()->index(row, column));
  const QImage image = list->viewport()->grab().toImage();
  int dark = 0;
  for (int x = cell.left() + 2; x < cell.right() - 2; ++x) dark += qGray(image.pixel(x, cell.top())) < 128 ? 1 : 0;
  return dark;
}

}  // namespace

TEST_F(FlowStepTest, SequenceListDrawsTheHoverRectangleOverCellsButNotTheStepNumber) {
  ASSERT_NE(Create(CMacro::kKindSequence), nullptr);
  auto* view = StepView<CSequenceMacroView>();
  ASSERT_NE(view, nullptr);
  QTableWidget* list = view->List();
  QWidget* viewport = list->viewport();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
  auto centre = [list](int row, int column) { return list->visualRect(list->model()->index(row, column)).center(); };

  EXPECT_EQ(DarkPixelsOnTopEdge(list, 2, 1), 0);
  QTest::mouseMove(viewport, centre(2, 1));
  EXPECT_GT(DarkPixelsOnTopEdge(list, 2, 1), 0);
  // Another cell takes the rectangle; column 0 never carries it.
  QTest::mouseMove(viewport, centre(3, 2));
  EXPECT_EQ(DarkPixelsOnTopEdge(list, 2, 1), 0);
  EXPECT_GT(DarkPixelsOnTopEdge(list, 3, 2), 0);
  QTest::mouseMove(viewport, centre(3, 0));
  EXPECT_EQ(DarkPixelsOnTopEdge(list, 3, 2), 0);
  EXPECT_EQ(DarkPixelsOnTopEdge(list, 3, 0), 0);
  // Leaving the list takes it away.
  QTest::mouseMove(viewport, centre(1, 3));
  EXPECT_GT(DarkPixelsOnTopEdge(list, 1, 3), 0);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(viewport, &leave);
  EXPECT_EQ(DarkPixelsOnTopEdge(list, 1, 3), 0);
}

TEST_F(FlowStepTest, LineTestZoneTextIsShortenedWithDotsAndShowsAllAsItsTip) {
  std::vector<CBaseDevice*> zones;
  for (int i = 0; i < 100; ++i) {
    auto object = std::make_unique<CZone>();
    ASSERT_TRUE(object->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, doc.get()));
    CBaseDevice* zone = doc->Adopt(std::move(object));
    // Every other zone: a range list that cannot be written shorter.
    if (i % 2 == 0) zones.push_back(zone);
  }
  CMacro* macro = Create(CMacro::kKindLineTest);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CZonetestMacroView>();
  ASSERT_NE(view, nullptr);
  view->SetZoneChooser([&zones](std::vector<CBaseDevice*>& list) {
    list = zones;
    return true;
  });
  QTest::mouseClick(view->ZoneButton(), Qt::LeftButton);
  const QString whole = macro->GetParamText(CMacro::P_ZONES);
  ASSERT_GT(whole.size(), 120);
  CEllipsisStatic* text = view->ZoneText();
  EXPECT_EQ(text->GetWindowText(), whole);
  EXPECT_EQ(text->toolTip(), whole);
  EXPECT_TRUE(text->text().endsWith("...")) << text->text().toStdString();
  EXPECT_LE(text->fontMetrics().horizontalAdvance(text->text()), text->contentsRect().width());
  EXPECT_TRUE(whole.startsWith(text->text().chopped(3)));
}
