// The remote amplifier dialog on a recording link: what it sends on opening,
// on its timers and on user actions, what replies show, and how it ends.
#include "online/cremoteampdlg.h"

#include "amps/camplifier.h"
#include "amps/ui/camplifierpropdlg.h"
#include "model/devicetype.h"
#include "online/cremoteampstate.h"
#include "online/onlinetestsupport.h"
#include "shell/controls/cellipsisstatic.h"
#include "shell/controls/cvalueedit.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>

#include <memory>

namespace {

using S = CRemoteAmpState;

class CRemoteAmpDlgTest : public OnlineTest {
 protected:
  void SetUp() override {
    OnlineTest::SetUp();
    S::PollStep() = 0;
    m_amp = dynamic_cast<CAmplifier*>(m_doc.CreateObject(DT_AMPLIFIER, 33078));
    ASSERT_NE(m_amp, nullptr);
    m_amp->SetAddress(0, 10);
  }
  void TearDown() override {
    m_dlg.reset();
    S::PollStep() = 0;
    OnlineTest::TearDown();
  }
  CRemoteAmpDlg* Open() {
    m_dlg = std::make_unique<CRemoteAmpDlg>(m_amp);
    m_dlg->show();  // runs OnInitDialog
    return m_dlg.get();
  }
  CAmplifier* m_amp = nullptr;
  std::unique_ptr<CRemoteAmpDlg> m_dlg;
  MessageRecorder m_messages;
};

TEST_F(CRemoteAmpDlgTest, OfflineShowsInitialStateAndSendsNothing) {
  CRemoteAmpDlg* dlg = Open();
  EXPECT_FALSE(dlg->IsPolling());
  EXPECT_EQ(dlg->Text(1614)->GetWindowText(), QStringLiteral("-78 dB"));
  EXPECT_EQ(dlg->Text(1615)->GetWindowText(), QStringLiteral("-128 dB"));
  EXPECT_EQ(dlg->InMeter()->value(), 0);
  EXPECT_EQ(dlg->OutMeter()->value(), 0);
  EXPECT_EQ(dlg->ChannelTabs()->count(), 0);
  dlg->VolumeSlider()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  dlg->MuteButton()->click();
  dlg->ResetButton()->click();
  dlg->OnTimer(3000);
  dlg->OnTimer(1000);
  EXPECT_TRUE(m_link.Lines().isEmpty());
  EXPECT_EQ(dlg->Text(1614)->GetWindowText(), QStringLiteral("-78 dB"));
}

TEST_F(CRemoteAmpDlgTest, OnlineOpeningAsksIdentityThenPolls) {
  Connect();
  CRemoteAmpDlg* dlg = Open();
  EXPECT_TRUE(dlg->IsPolling());
  EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Addressa"));
  EXPECT_EQ(m_link.TakeLines().size(), 7);
  EXPECT_EQ(m_link.ReplyTarget(), dlg);
  dlg->OnTimer(3000);
  const QStringList poll = m_link.TakeLines();
  ASSERT_EQ(poll.size(), 13);
  EXPECT_EQ(poll.front(), QStringLiteral("/AMP/ADRa/ERR ?"));
  dlg->OnTimer(1000);
  EXPECT_EQ(m_link.TakeLines(), (QStringList{"/AMP/ADRa/CHAN1/VUINP ?", "/AMP/ADRa/CHAN1/VUOUT ?"}));
  m_link.SetOutBufferCount(20);
  dlg->OnTimer(3000);
  dlg->OnTimer(1000);
  EXPECT_TRUE(m_link.Lines().isEmpty());
}

TEST_F(CRemoteAmpDlgTest, RepliesFillControlsAndTabsSelectChannel) {
  Connect();
  CRemoteAmpDlg* dlg = Open();
  m_link.Clear();
  ASSERT_TRUE(
      m_link.DeliverReply({"/AMP/ADRA/TYPE ?", "/AMP/ADRA/TYPE PA240", "/AMP/ADRA/NAME Hall", "/AMP/ADRA/CHANMAP 2",
                           "/AMP/ADRA/POWER MAINS", "/AMP/ADRA/CHAN1/VOL -20", "/AMP/ADRA/CHAN1/MUTE ON",
                           "/AMP/ADRA/CHAN2/VOL -5", "/AMP/ADRA/CHAN1/VUINP 10", "/AMP/ADRA/RETROFIT/PILOT YES"}));
  EXPECT_EQ(dlg->Text(1592)->GetWindowText(), QStringLiteral("PA240"));
  EXPECT_EQ(dlg->NameEdit()->text(), QStringLiteral("Hall"));
  EXPECT_EQ(dlg->ChannelTabs()->count(), 2);
  EXPECT_EQ(dlg->ChannelTabs()->tabText(1), QStringLiteral("Channel 2"));
  EXPECT_TRUE(dlg->MainPowerButton()->isChecked());
  EXPECT_FALSE(dlg->BatteryButton()->isChecked());
  EXPECT_EQ(dlg->VolumeSlider()->value(), -58);
  EXPECT_EQ(dlg->Text(1614)->GetWindowText(), QStringLiteral("-20 dB"));
  EXPECT_TRUE(dlg->MuteButton()->isChecked());
  EXPECT_EQ(dlg->InMeter()->value(), 40);
  EXPECT_TRUE(dlg->Text(1598)->isEnabled());
  // Filling the controls sends nothing back.
  EXPECT_TRUE(m_link.Lines().isEmpty());

  dlg->ChannelTabs()->setCurrentIndex(1);
  dlg->OnTimer(1000);
  EXPECT_EQ(m_link.TakeLines().front(), QStringLiteral("/AMP/ADRa/CHAN2/VUINP ?"));
  m_link.DeliverReply({"/AMP/ADRA/CHAN2/VUINP -20"});
  dlg->OnTimer(500);
  EXPECT_EQ(dlg->InMeter()->value(), 30);
}

TEST_F(CRemoteAmpDlgTest, UserActionsSendCommands) {
  Connect();
  CRemoteAmpDlg* dlg = Open();
  m_link.Clear();
  dlg->MuteButton()->click();
  dlg->BatteryButton()->click();
  dlg->PilotGeneratorButton()->click();
  dlg->ResetButton()->click();
  dlg->NameEdit()->setText("Stage");
  emit dlg->NameEdit()->killFocus();
  EXPECT_EQ(m_link.TakeLines(), (QStringList{"/AMP/ADRa/CHAN1/MUTE ON", "/AMP/ADRa/POWER BATT", "/AMP/ADRa/PLTGEN ON",
                                             "/AMP/ADRa/FLTRES ON", "/AMP/ADRa/NAME Stage"}));
  QSlider* volume = dlg->VolumeSlider();
  volume->setSliderDown(true);
  volume->setSliderPosition(-60);
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/AMP/ADRa/CHAN1/VOL -18"});
  EXPECT_EQ(dlg->Text(1614)->GetWindowText(), QStringLiteral("-18 dB"));
  // While held, the unit's value does not move the slider.
  m_link.DeliverReply({"/AMP/ADRA/CHAN1/VOL -40"});
  EXPECT_EQ(volume->sliderPosition(), -60);
  volume->setSliderDown(false);
  m_link.DeliverReply({"/AMP/ADRA/CHAN1/VOL -40"});
  EXPECT_EQ(volume->value(), -38);
  QSlider* offset = dlg->OffsetSlider();
  offset->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/AMP/ADRa/CHAN1/VCOFS -127"});
}

TEST_F(CRemoteAmpDlgTest, MissingAmplifierStopsAndCloses) {
  Connect();
  CRemoteAmpDlg* dlg = Open();
  m_link.Clear();
  m_link.DeliverReply({"/AMP/ADRA/TYPE amp not available"});
  EXPECT_TRUE(m_messages.Saw(34561));
  EXPECT_TRUE(m_messages.SawText("0a"));
  EXPECT_FALSE(dlg->IsPolling());
  EXPECT_EQ(m_link.Modes().back(), LINKMODE_NORMAL);
  m_link.DeliverReply({"/AMP/ADRA/TYPE amp not available"});
  EXPECT_EQ(m_messages.Requests().size(), 1u);
  dlg->OnTimer(3000);
  EXPECT_TRUE(m_link.Lines().isEmpty());
  QCoreApplication::processEvents();
  EXPECT_FALSE(dlg->isVisible());
}

TEST_F(CRemoteAmpDlgTest, ClosingSetsLinkBackToNormal) {
  Connect();
  CRemoteAmpDlg* dlg = Open();
  dlg->reject();
  ASSERT_FALSE(m_link.Modes().isEmpty());
  EXPECT_EQ(m_link.Modes().back(), LINKMODE_NORMAL);
  dlg->OnTimer(3000);
  EXPECT_EQ(m_link.Lines().size(), 7);
}

TEST_F(CRemoteAmpDlgTest, AdvancedOfAmplifierPropertiesOpensIt) {
  Connect();
  CAmplifierPropDlg props(m_amp);
  props.show();
  auto* advanced = props.findChild<QPushButton*>("advanced");
  ASSERT_NE(advanced, nullptr);
  ASSERT_TRUE(advanced->isEnabled());
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    auto* dlg = qobject_cast<CRemoteAmpDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Addressa"));
    dlg->reject();
    ran = true;
  });
  advanced->click();
  EXPECT_TRUE(ran);
  EXPECT_EQ(m_link.Lines().size(), 7);
  EXPECT_EQ(m_link.Modes().back(), LINKMODE_NORMAL);
  props.reject();
}

}  // namespace
