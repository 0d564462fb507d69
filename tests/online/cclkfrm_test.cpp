// The clock window: its queries, how the unit's clock answers reach the
// form, when the computer's clock is set, and what the buttons send.
#include "online/cclkfrm.h"

#include "logic/cclock.h"
#include "online/cclkview.h"
#include "online/cclockwindowstate.h"
#include "online/clinestatebar.h"
#include "online/cstatuslamp.h"
#include "online/onlinetestsupport.h"
#include "shell/controls/cframehostdialog.h"
#include "support/messagerecorder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

namespace {

class CClkFrmTest : public OnlineTest {
 protected:
  void SetUp() override {
    OnlineTest::SetUp();
    // Never the machine's clock.
    m_previousSetter = CClockWindowState::SetClockSetter([this](const QDateTime& local) {
      m_setTimes.push_back(local);
      return true;
    });
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    CClockWindowState::SetClockSetter(m_previousSetter);
    OnlineTest::TearDown();
  }
  CClkFrm* Open() {
    m_host = std::make_unique<CFrameHostDialog>(&m_doc, HostFrameKind::Clock);
    m_host->show();
    return qobject_cast<CClkFrm*>(m_host->GetFrame());
  }
  void Close() {
    m_host->reject();
    m_host.reset();
  }
  CClock* Clock() { return dynamic_cast<CClock*>(m_doc.GetIDManager().FindBaseDevice(1, DT_CLOCK)); }
  // A reply line as the link hands it to the project.
  void Reply(const QString& line) {
    QString errors;
    m_doc.RouteReplyLine(line, errors, LINKMODE_NORMAL);
  }

  MessageRecorder m_messages;
  std::unique_ptr<CFrameHostDialog> m_host;
  CClockWindowState::ClockSetter m_previousSetter;
  std::vector<QDateTime> m_setTimes;
};

TEST_F(CClkFrmTest, OpenedOnLineQueriesAndPollsEverySecond) {
  ASSERT_NE(Clock(), nullptr);
  Connect();
  m_link.SetLinkMode(LINKMODE_COMMANDLIST);
  CClkFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CClkView* view = frame->GetView();
  EXPECT_EQ(m_link.GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_EQ(m_link.Commands(),
            (QStringList{"/CLOCK/MAIN/DATE ?", "/CLOCK/DCF/DATE ?", "/CLOCK/SLAVE/RUN ?", "/CLOCK/SLAVE/INVERT ?"}));
  for (const RecordingLink::Call& call : m_link.Calls()) {
    EXPECT_TRUE(call.shorten);
    EXPECT_EQ(call.doc, &m_doc);
  }
  EXPECT_TRUE(view->IsPolling());
  EXPECT_EQ(Clock()->GetClockWindow(), view);
  EXPECT_EQ(CStatusLamp::IconOf(view->Icon(CClkView::kReceptionIconId)), 251);
  m_link.Clear();
  view->OnTimer(CClkView::kTimerId);
  EXPECT_EQ(m_link.Commands(),
            (QStringList{"/CLOCK/MAIN/TIME ?", "/CLOCK/MAIN/DATE ?", "/CLOCK/DCF/TIME ?", "/CLOCK/DCF/DATE ?",
                         "/CLOCK/DCF/RECEIVE ?", "/CLOCK/SLAVE/TIME ?", "/CLOCK/SLAVE/OVERLOAD ?"}));
  Close();
  EXPECT_EQ(Clock()->GetClockWindow(), nullptr);
}

TEST_F(CClkFrmTest, OpenedOffLineSendsNothingAndShowsTheProjectSwitches) {
  Clock()->SetSlaveRun(true);
  CClkFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CClkView* view = frame->GetView();
  EXPECT_FALSE(view->IsPolling());
  EXPECT_TRUE(m_link.Lines().isEmpty());
  EXPECT_TRUE(view->Button(CClkView::kStartId)->isChecked());
  EXPECT_FALSE(view->Button(CClkView::kInvertId)->isChecked());
  // The radio-clock fields stay hidden.
  EXPECT_TRUE(view->Edit(CClkView::kDcfTimeId)->isHidden() || !view->Edit(CClkView::kDcfTimeId)->isVisible());
}

TEST_F(CClkFrmTest, AnswersAreShownOnlyWhenTheyChange) {
  Connect();
  CClkFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CClkView* view = frame->GetView();
  Reply("/CLOCK/MAIN/TIME 10:11:12");
  Reply("/CLOCK/MAIN/DATE 01.02.2024");
  Reply("/CLOCK/SLAVE/TIME 10:11");
  Reply("/CLOCK/SLAVE/OVERLOAD ON");
  Reply("/CLOCK/SLAVE/INVERT ON");
  Reply("/CLOCK/MAIN/TIME ?");
  EXPECT_EQ(view->Edit(CClkView::kMainTimeId)->text(), "10:11:12");
  EXPECT_EQ(view->Edit(CClkView::kMainDateId)->text(), "01.02.2024");
  EXPECT_EQ(CStatusLamp::IconOf(view->Icon(CClkView::kOverloadIconId)), 251);
  EXPECT_TRUE(view->Button(CClkView::kInvertId)->isChecked());
  // Typing in the slave field: a repeat keeps it, a new value overwrites it.
  view->Edit(CClkView::kSlaveTimeId)->setText("08:00");
  Reply("/CLOCK/SLAVE/TIME 10:11");
  EXPECT_EQ(view->Edit(CClkView::kSlaveTimeId)->text(), "08:00");
  Reply("/CLOCK/SLAVE/TIME 10:12");
  EXPECT_EQ(view->Edit(CClkView::kSlaveTimeId)->text(), "10:12");
  // Lines without the clock's own path work the same way; unknown keys
  // change nothing.
  CClockWindowState state(&m_doc);
  EXPECT_EQ(state.ParseClockReply("xx/MAIN/TIME 01:02:03"), CClockTexts::MainTime);
  EXPECT_EQ(state.ParseClockReply("/CLOCK/OTHER 1"), -1);
  EXPECT_EQ(state.ParseClockReply("/CLOCK/MAIN/TIME"), -1);
}

TEST_F(CClkFrmTest, GoodReceptionSetsTheComputerClockOnlyWhenTheClocksAgree) {
  Connect();
  CClkFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CClkView* view = frame->GetView();
  Reply("/CLOCK/DCF/TIME 12:00:30");
  Reply("/CLOCK/DCF/DATE 24.12.2023");
  Reply("/CLOCK/MAIN/DATE 24.12.2023");
  Reply("/CLOCK/MAIN/TIME 12:01:02");
  Reply("/CLOCK/DCF/RECEIVE ON");
  EXPECT_TRUE(m_setTimes.empty());  // minutes differ
  EXPECT_TRUE(view->IsAnimationPlaying());
  EXPECT_EQ(CStatusLamp::IconOf(view->Icon(CClkView::kReceptionIconId)), 245);

  Reply("/CLOCK/DCF/RECEIVE OFF");
  EXPECT_FALSE(view->IsAnimationPlaying());
  EXPECT_EQ(CStatusLamp::IconOf(view->Icon(CClkView::kReceptionIconId)), 251);
  Reply("/CLOCK/MAIN/TIME 12:00:59");
  Reply("/CLOCK/DCF/RECEIVE ON");
  ASSERT_EQ(m_setTimes.size(), 1u);
  EXPECT_EQ(m_setTimes[0].date(), QDate(2023, 12, 24));
  EXPECT_EQ(m_setTimes[0].time(), QTime(12, 0, 59, 10));
  // A repeated answer sets nothing again.
  Reply("/CLOCK/DCF/RECEIVE ON");
  EXPECT_EQ(m_setTimes.size(), 1u);
}

TEST_F(CClkFrmTest, GarbledClockTextsNeverSetTheComputerClock) {
  CClockWindowState state(&m_doc);
  state.ParseClockReply("/CLOCK/DCF/TIME 25:00:00");
  state.ParseClockReply("/CLOCK/MAIN/TIME 25:00:00");
  state.ParseClockReply("/CLOCK/DCF/DATE 31.02.2023");
  state.ParseClockReply("/CLOCK/MAIN/DATE 31.02.2023");
  EXPECT_FALSE(state.AgreedLocalTime().isValid());
  state.ParseClockReply("/CLOCK/DCF/RECEIVE ON");
  EXPECT_TRUE(m_setTimes.empty());
}

TEST_F(CClkFrmTest, ClosingEmptiesTheStoredTexts) {
  Connect();
  Open();
  Reply("/CLOCK/MAIN/TIME 10:11:12");
  Close();
  CClkFrm* frame = Open();
  CClkView* view = frame->GetView();
  EXPECT_EQ(view->Edit(CClkView::kMainTimeId)->text(), "");
  Reply("/CLOCK/MAIN/TIME 10:11:12");
  EXPECT_EQ(view->Edit(CClkView::kMainTimeId)->text(), "10:11:12");
}

TEST_F(CClkFrmTest, MainClockButtonEditsThenSendsTheTypedTexts) {
  Connect();
  CClkFrm* frame = Open();
  CClkView* view = frame->GetView();
  Reply("/CLOCK/MAIN/TIME 10:11:12");
  QPushButton* button = view->Button(CClkView::kMainButtonId);
  EXPECT_EQ(button->property("bitmapId").toInt(), 310);
  button->click();
  EXPECT_FALSE(view->IsPolling());
  EXPECT_FALSE(view->Edit(CClkView::kMainTimeId)->isReadOnly());
  EXPECT_EQ(button->property("bitmapId").toInt(), 311);
  view->Edit(CClkView::kMainTimeId)->setText("07:30:00");
  view->Edit(CClkView::kMainDateId)->setText("02.03.2024");
  // A late answer does not overwrite the typing.
  Reply("/CLOCK/MAIN/TIME 10:11:13");
  EXPECT_EQ(view->Edit(CClkView::kMainTimeId)->text(), "07:30:00");
  m_link.Clear();
  view->OnTimer(CClkView::kTimerId);
  EXPECT_TRUE(m_link.Lines().isEmpty());
  button->click();
  EXPECT_EQ(m_link.Commands(), (QStringList{"/CLOCK/MAIN/TIME 07:30:00", "/CLOCK/MAIN/DATE 02.03.2024"}));
  EXPECT_TRUE(view->IsPolling());
  EXPECT_TRUE(view->Edit(CClkView::kMainTimeId)->isReadOnly());
  EXPECT_EQ(button->property("bitmapId").toInt(), 310);
  // The unit's clock shows again, even when it answers what it had before.
  Reply("/CLOCK/MAIN/TIME 10:11:13");
  EXPECT_EQ(view->Edit(CClkView::kMainTimeId)->text(), "10:11:13");
}

TEST_F(CClkFrmTest, SlaveButtonsSendAndStore) {
  CClkFrm* frame = Open();
  CClkView* view = frame->GetView();
  view->Edit(CClkView::kSlaveTimeId)->setText("06:45");
  // Off line the slave clock's time cannot go anywhere, and the window
  // says so; the switches are stored in the project.
  view->Button(CClkView::kSlaveButtonId)->click();
  ASSERT_NE(frame->LineBar(), nullptr);
  EXPECT_TRUE(frame->LineBar()->Text().contains("Not sent"));
  view->Button(CClkView::kStartId)->click();
  view->Button(CClkView::kInvertId)->click();
  view->Button(CClkView::kInvertId)->click();
  EXPECT_EQ(m_link.Commands(),
            (QStringList{"/CLOCK/SLAVE/RUN ON", "/CLOCK/SLAVE/INVERT ON", "/CLOCK/SLAVE/INVERT OFF"}));
  EXPECT_EQ(Clock()->GetSlaveRun(), "ON");
  EXPECT_EQ(Clock()->GetSlaveInvert(), "OFF");
  EXPECT_FALSE(view->IsPolling());
}

}  // namespace
