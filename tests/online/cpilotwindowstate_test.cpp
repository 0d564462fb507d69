// The pilot-tone window: what its controls store and send, how replies and
// held sliders interact, and the transfer lists.
#include "online/cpilotwindowstate.h"
#include "online/cpilotfrm.h"
#include "online/cpilotview.h"

#include "online/onlinetestsupport.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/cvalueedit.h"
#include "support/messagerecorder.h"
#include "unit/cinternalpilottonegen.h"

#include <cstdlib>

#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QTest>

namespace {

using Gen = CInternalPilottoneGen;

class PilotTest : public OnlineTest {
 protected:
  void SetUp() override {
    OnlineTest::SetUp();
    m_gen = Gen::EnsureIn(m_doc);
  }
  Gen* m_gen = nullptr;
};

TEST_F(PilotTest, FrequencySliderAndEditAreClampedByTheObject) {
  CPilotWindowState state(&m_doc);
  EXPECT_EQ(state.FrequencyFromSlider(19000, true, true), QStringList{"/PILOT/FREQU 19000.0"});
  EXPECT_TRUE(state.IsFrequencyDragged());
  EXPECT_EQ(state.FrequencyFromText("20000", true), QStringList{"/PILOT/FREQU 20000.0"});
  EXPECT_EQ(state.FrequencySliderPos(), 19000);
  EXPECT_EQ(state.FrequencyFromText("30000", true), QStringList{"/PILOT/FREQU 23000.0"});
  EXPECT_FLOAT_EQ(m_gen->GetParamFloat(Gen::P_FREQUENCY), 23000.0f);
  // Letters keep the stored value.
  EXPECT_EQ(state.FrequencyFromText("abc", true), QStringList{"/PILOT/FREQU 23000.0"});
  // Off line only the project changes.
  EXPECT_TRUE(state.FrequencyFromText("1000", false).isEmpty());
  EXPECT_FLOAT_EQ(m_gen->GetParamFloat(Gen::P_FREQUENCY), 1000.0f);
}

TEST_F(PilotTest, LevelSliderWorksOnTheSelectedOutputOnly) {
  CPilotWindowState state(&m_doc);
  EXPECT_TRUE(state.LevelFromSlider(-150, true, true).isEmpty());
  EXPECT_FALSE(state.IsLevelDragged());
  ASSERT_TRUE(state.SelectOutput(1));
  EXPECT_EQ(state.LevelFromSlider(-150, true, true), QStringList{"/PILOT/VOL2 0.0"});
  EXPECT_EQ(state.LevelText(1), "0.0");
  EXPECT_EQ(state.LevelBarPos(1), 150);
  EXPECT_EQ(state.LevelFromSlider(0, false, true), QStringList{"/PILOT/VOL2 -150.0"});
  EXPECT_EQ(state.LevelBarPos(1), 0);
  EXPECT_EQ(CPilotWindowState::LevelSliderPosOf(-20.0f), -130);
}

TEST_F(PilotTest, AReadOnlyLevelEditWritesNothing) {
  CPilotWindowState state(&m_doc);
  m_gen->SetParamFloat(Gen::VolumeCode(0), -10.0f);
  m_gen->SetParamFloat(Gen::VolumeCode(2), -30.0f);
  ASSERT_TRUE(state.SelectOutput(2));
  EXPECT_TRUE(state.LevelFromText(0, "-99", true).isEmpty());
  EXPECT_FLOAT_EQ(state.Level(0), -10.0f);
  EXPECT_FLOAT_EQ(state.Level(2), -30.0f);
  EXPECT_EQ(state.LevelFromText(2, "-300", true), QStringList{"/PILOT/VOL3 -150.0"});
}

TEST_F(PilotTest, RepliesRespectHeldSlidersAndEchoes) {
  CPilotWindowState state(&m_doc);
  m_gen->SetParamFloat(Gen::P_FREQUENCY, 500.0f);
  auto changes = state.ApplyReply(
      {"/PILOT/GEN ON", "/PILOT/FREQU ?", "/PILOT/VOL4 -12.5", "nonsense", "/PILOT/VOL1 loud", "/PILOT/OTHER 3"});
  EXPECT_TRUE(state.IsOn());
  EXPECT_FALSE(changes.frequency);
  EXPECT_TRUE(changes.levels[3]);
  EXPECT_FALSE(changes.levels[0]);
  EXPECT_FLOAT_EQ(state.Level(3), -12.5f);
  state.FrequencyFromSlider(700, true, false);
  changes = state.ApplyReply({"/PILOT/FREQU 1000", "/PILOT/GEN OFF"});
  EXPECT_FALSE(changes.frequency);
  EXPECT_FLOAT_EQ(state.Frequency(), 700.0f);
  EXPECT_FALSE(state.IsOn());
  state.ReleaseFrequencySlider();
  state.ApplyReply({"/PILOT/FREQU 1000"});
  EXPECT_FLOAT_EQ(state.Frequency(), 1000.0f);
}

TEST_F(PilotTest, TransferLists) {
  CPilotWindowState state(&m_doc);
  m_gen->SetParamFloat(Gen::P_FREQUENCY, 1000.0f);
  m_gen->SetParamFloat(Gen::VolumeCode(1), -6.0f);
  EXPECT_EQ(state.TransferCommands(false),
            (QStringList{"/PILOT/FREQU 1000.000000", "/PILOT/VOL1 -150.000000", "/PILOT/VOL2 -6.000000",
                         "/PILOT/VOL3 -150.000000", "/PILOT/VOL4 -150.000000"}));
  EXPECT_EQ(state.TransferCommands(true),
            (QStringList{"/PILOT/FREQU ?", "/PILOT/VOL1 ?", "/PILOT/VOL2 ?", "/PILOT/VOL3 ?", "/PILOT/VOL4 ?"}));
  EXPECT_EQ(CPilotWindowState::PollCommands(), QStringList{"/PILOT/GEN ?"});
}

class PilotFrameTest : public PilotTest {
 protected:
  CPilotFrm* Open() {
    m_host = std::make_unique<CFrameHostDialog>(&m_doc, HostFrameKind::PilotTone);
    m_host->show();
    return qobject_cast<CPilotFrm*>(m_host->GetFrame());
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    PilotTest::TearDown();
  }
  MessageRecorder m_messages;
  std::unique_ptr<CFrameHostDialog> m_host;
};

TEST_F(PilotFrameTest, OnLineTheControlsSendAndRepliesShow) {
  Connect();
  m_gen->SetParamFloat(Gen::P_FREQUENCY, 440.0f);
  CPilotFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CPilotView* view = frame->GetPilotView();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->IsPolling());
  EXPECT_EQ(view->PollTimerId(), COnlineView::IDT_STATUS_POLL);
  EXPECT_EQ(view->FrequencyEdit()->text(), "440.0");
  EXPECT_EQ(view->FrequencySlider()->value(), 440);
  EXPECT_TRUE(frame->Action(CPilotFrm::kDownloadPilotData)->isEnabled());
  m_link.Clear();
  view->OnPoll();
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/PILOT/GEN ?"});

  view->OnSelectOutput(1);
  EXPECT_FALSE(view->LevelEdit(1)->isReadOnly());
  EXPECT_TRUE(view->LevelEdit(0)->isReadOnly());
  view->OnLevelSlider(-150, false);
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/PILOT/VOL2 0.0"});
  EXPECT_EQ(view->LevelEdit(1)->text(), "0.0");
  EXPECT_EQ(view->LevelBar(1)->value(), 150);

  view->OnSwitchClicked();  // unchecked: OFF
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/PILOT/GEN OFF"});

  ASSERT_TRUE(m_link.DeliverReply({"/PILOT/GEN ON", "/PILOT/FREQU 1234.5"}));
  EXPECT_TRUE(view->OnSwitch()->isChecked());
  EXPECT_EQ(view->FrequencyEdit()->text(), "1234.5");
  EXPECT_EQ(view->FrequencySlider()->value(), 1234);
  // Replies never echo back to the unit.
  EXPECT_TRUE(m_link.Lines().isEmpty());

  frame->OnCommand(CPilotFrm::kUploadPilotData);
  EXPECT_EQ(m_link.TakeLines().size(), 5);
}

TEST_F(PilotFrameTest, OffLineNoPollAndDisabledTransfers) {
  CPilotFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CPilotView* view = frame->GetPilotView();
  EXPECT_FALSE(view->IsPolling());
  EXPECT_FALSE(frame->Action(CPilotFrm::kUploadPilotData)->isEnabled());
  view->FrequencyEdit()->setText("30000");
  view->OnFrequencyEdited();
  EXPECT_EQ(view->FrequencyEdit()->text(), "23000.0");
  EXPECT_EQ(view->FrequencySlider()->value(), 19000);
  EXPECT_TRUE(m_link.Lines().isEmpty());
}

}  // namespace

namespace {

class PilotLayoutTest : public PilotFrameTest {};

// Each output's level bar stands right above its radio button, centred on
// it, as in the other three columns.
TEST_F(PilotLayoutTest, EachLevelBarStandsAboveItsOutputButton) {
  CPilotFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CPilotView* view = frame->GetPilotView();
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(m_host.get()));
  for (int n = 0; n < CPilotWindowState::kOutputCount; ++n) {
    const QRect bar(view->LevelBar(n)->mapTo(view, QPoint(0, 0)), view->LevelBar(n)->size());
    const QRect radio(view->OutputButton(n)->mapTo(view, QPoint(0, 0)), view->OutputButton(n)->size());
    // The indicator's centre, not the whole button with its text.
    const int indicator =
        radio.left() + view->OutputButton(n)->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) / 2;
    EXPECT_LE(std::abs(bar.center().x() - indicator), bar.width() / 2 + 2)
        << "output " << n + 1 << ": bar at " << bar.center().x() << ", button at " << indicator;
    EXPECT_GE(radio.top(), bar.bottom()) << "output " << n + 1;
    EXPECT_LE(radio.top() - bar.bottom(), 12) << "output " << n + 1;
  }
}

}  // namespace
