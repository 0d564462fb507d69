// The volume window: slider scales and limits, what a slider, an edit or a
// reply changes in the form and the project, and what goes to the unit.
#include "online/cvolumefrm.h"

#include "model/cprofile.h"
#include "online/cvolumeview.h"
#include "online/cvolumewindowstate.h"
#include "online/onlinetestsupport.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/ctickslider.h"
#include "shell/controls/cvalueedit.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unit/cmiscaudio.h"

#include <QKeyEvent>
#include <QSlider>
#include <QTest>

namespace {

using VolumeS = CVolumeWindowState;

class CVolumeFrmTest : public OnlineTest {
 protected:
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    OnlineTest::TearDown();
  }
  CVolumeView* Open() {
    m_host = std::make_unique<CFrameHostDialog>(&m_doc, HostFrameKind::Volumes);
    m_host->show();
    auto* frame = qobject_cast<CVolumeFrm*>(m_host->GetFrame());
    return frame ? frame->GetView() : nullptr;
  }
  // Drags a slider to a position and lets go.
  void Drag(QSlider* slider, int position) {
    slider->setSliderDown(true);
    slider->setSliderPosition(position);
    slider->setSliderDown(false);
  }
  void Type(CVolumeView* view, int channel, const QString& text) {
    view->Edit(channel)->setText(text);
    emit view->Edit(channel)->killFocus();
  }

  TempProfile m_profile;
  MessageRecorder m_messages;
  std::unique_ptr<CFrameHostDialog> m_host;
};

TEST_F(CVolumeFrmTest, ScalesOfTheSliders) {
  EXPECT_EQ(VolumeS::ValueFromPosition(VolumeS::IN1, -150), 0.0);
  EXPECT_EQ(VolumeS::ValueFromPosition(VolumeS::IN1, 0), -150.0);
  EXPECT_EQ(VolumeS::ValueFromPosition(VolumeS::Chime, -150), 6.0);
  EXPECT_EQ(VolumeS::PositionFor(VolumeS::IN4, -12.5), -138);
  EXPECT_EQ(VolumeS::PositionFor(VolumeS::Chime, -40.0), -104);
  EXPECT_EQ(VolumeS::PositionFor(VolumeS::IN1, 6.0), -150);  // kept on the slider
  EXPECT_EQ(VolumeS::PositionFor(VolumeS::IN1, -1e9), 0);
  const std::vector<int> ticks = VolumeS::TickPositions(VolumeS::Messages);
  ASSERT_EQ(ticks.size(), 15u);
  EXPECT_EQ(ticks.front(), -144);
  EXPECT_EQ(ticks.back(), -4);
  EXPECT_EQ(VolumeS::TickPositions(VolumeS::IN2).back(), -10);
  EXPECT_EQ(VolumeS::ChannelOfSlider(1058), VolumeS::Messages);
  EXPECT_EQ(VolumeS::ChannelOfEdit(1674), VolumeS::IN1);
  EXPECT_EQ(VolumeS::ChannelOfEdit(1), -1);
}

// Every slider shows its marks at 0, -10, ..., -140 dB, the chime and
// message sliders too (their top is +6 dB).
TEST_F(CVolumeFrmTest, SliderMarksStandAtTensOfDecibels) {
  CVolumeView* view = Open();
  ASSERT_NE(view, nullptr);
  for (int channel = 0; channel < VolumeS::kChannelCount; ++channel) {
    auto* slider = qobject_cast<CTickSlider*>(view->Slider(channel));
    ASSERT_NE(slider, nullptr) << channel;
    std::vector<double> levels;
    for (int position : slider->TickPositions()) {
      EXPECT_GE(position, slider->minimum());
      EXPECT_LE(position, slider->maximum());
      levels.push_back(VolumeS::ValueFromPosition(channel, position));
    }
    ASSERT_EQ(levels.size(), 15u) << channel;
    for (size_t i = 0; i < levels.size(); ++i) EXPECT_EQ(levels[i], -10.0 * static_cast<double>(i)) << channel;
  }
}

TEST_F(CVolumeFrmTest, LowerLimitsComeFromTheProfileWhenSensible) {
  EXPECT_EQ(VolumeS::LowerLimit(VolumeS::Chime), -40.0);
  EXPECT_EQ(VolumeS::LowerLimit(VolumeS::IN1), -150.0);
  CProfile::WriteString("Settings", "MinMessageVol", "-200");
  EXPECT_EQ(VolumeS::LowerLimit(VolumeS::Messages), -40.0);
  CProfile::WriteString("Settings", "MinMessageVol", "loud");
  EXPECT_EQ(VolumeS::LowerLimit(VolumeS::Messages), -40.0);
  CProfile::WriteString("Settings", "MinMessageVol", "-60.5");
  EXPECT_EQ(VolumeS::LowerLimit(VolumeS::Messages), -60.5);
  EXPECT_EQ(VolumeS::SliderLevel(VolumeS::Messages, 6), -60.5);
}

TEST_F(CVolumeFrmTest, OpeningOnLineShowsTheProjectAndQueriesTheUnit) {
  InputSlot(1)->SetLevel(0, -20.0f);
  InputSlot(2)->SetLevel(1, -5.5f);
  ASSERT_NE(CMiscAudio::Find(&m_doc), nullptr);
  CMiscAudio::Find(&m_doc)->SetParamText(CMiscAudio::CHIME_VOL, "-12");
  Connect();
  m_doc.SetModifiedFlag(false);
  CVolumeView* view = Open();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Edit(VolumeS::IN1)->text(), "-20.0");
  EXPECT_EQ(view->Slider(VolumeS::IN1)->value(), -130);
  EXPECT_EQ(view->Edit(VolumeS::IN4)->text(), "-5.5");
  EXPECT_EQ(view->Edit(VolumeS::Chime)->text(), "-12.0");
  EXPECT_EQ(view->Slider(VolumeS::Chime)->value(), -132);
  EXPECT_TRUE(m_doc.IsModified());
  EXPECT_EQ(m_link.Lines(), (QStringList{"/AUDIO/CHIME_VOL ?", "/AUDIO/MESSAGE_VOL ?", "/AUDIO/IN1/VOL ?",
                                         "/AUDIO/IN2/VOL ?", "/AUDIO/IN3/VOL ?", "/AUDIO/IN4/VOL ?"}));
  EXPECT_EQ(m_link.ReplyTarget(), view);
}

TEST_F(CVolumeFrmTest, OffLineChangesOnlyTheProject) {
  CVolumeView* view = Open();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(m_link.Lines().isEmpty());
  Type(view, VolumeS::IN3, "-33");
  EXPECT_EQ(view->Edit(VolumeS::IN3)->text(), "-33.0");
  EXPECT_EQ(InputSlot(2)->GetLevel(0), -33.0f);
  EXPECT_TRUE(m_link.Lines().isEmpty());
  EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(CVolumeFrmTest, ReleasingADraggedSliderSendsItsChannel) {
  Connect();
  CVolumeView* view = Open();
  ASSERT_NE(view, nullptr);
  m_link.Clear();
  QSlider* in3 = view->Slider(VolumeS::IN3);
  in3->setSliderDown(true);
  in3->setSliderPosition(-120);
  EXPECT_EQ(view->Edit(VolumeS::IN3)->text(), "-30.0");
  EXPECT_TRUE(m_link.Lines().isEmpty());  // the edit follows, nothing sent yet
  in3->setSliderDown(false);
  Drag(view->Slider(VolumeS::IN4), -100);
  EXPECT_EQ(m_link.Lines(), (QStringList{"/AUDIO/IN3/VOL -30.0", "/AUDIO/IN4/VOL -50.0"}));
  EXPECT_EQ(InputSlot(2)->GetLevel(0), -30.0f);
  EXPECT_EQ(InputSlot(2)->GetLevel(1), -50.0f);
}

TEST_F(CVolumeFrmTest, ArrowKeyMovesOneStepAndSendsAtOnce) {
  InputSlot(1)->SetLevel(0, -20.0f);
  Connect();
  CVolumeView* view = Open();
  ASSERT_NE(view, nullptr);
  m_link.Clear();
  QSlider* in1 = view->Slider(VolumeS::IN1);
  ASSERT_EQ(in1->value(), -130);
  QTest::keyClick(in1, Qt::Key_Down);
  EXPECT_EQ(in1->value(), -129);
  EXPECT_EQ(view->Edit(VolumeS::IN1)->text(), "-21.0");
  EXPECT_EQ(m_link.Lines(), QStringList{"/AUDIO/IN1/VOL -21.0"});
}

TEST_F(CVolumeFrmTest, ChimeDraggedToTheBottomStopsAtItsLimit) {
  Connect();
  CVolumeView* view = Open();
  ASSERT_NE(view, nullptr);
  m_link.Clear();
  QSlider* chime = view->Slider(VolumeS::Chime);
  chime->setSliderDown(true);
  chime->setSliderPosition(6);
  EXPECT_EQ(view->Edit(VolumeS::Chime)->text(), "-40.0");
  chime->setSliderDown(false);
  EXPECT_EQ(m_link.Lines(), QStringList{"/AUDIO/CHIME_VOL -40.0"});
  EXPECT_EQ(chime->value(), -104);

  // A message limit out of range is ignored.
  CProfile::WriteString("Settings", "MinMessageVol", "-200");
  m_link.Clear();
  Drag(view->Slider(VolumeS::Messages), 6);
  EXPECT_EQ(m_link.Lines(), QStringList{"/AUDIO/MESSAGE_VOL -40.0"});
  EXPECT_EQ(CMiscAudio::Find(&m_doc)->GetParamText(CMiscAudio::MESSAGE_VOL), "-40.0");

  // The top of the chime slider is +6 dB, and it stays so.
  m_link.Clear();
  Drag(chime, -150);
  EXPECT_EQ(m_link.Lines(), QStringList{"/AUDIO/CHIME_VOL 6.0"});
}

TEST_F(CVolumeFrmTest, TypedLevelsAreKeptInRange) {
  Connect();
  CVolumeView* view = Open();
  ASSERT_NE(view, nullptr);
  m_link.Clear();
  Type(view, VolumeS::IN2, "-200");
  EXPECT_EQ(view->Edit(VolumeS::IN2)->text(), "-150.0");
  EXPECT_EQ(view->Slider(VolumeS::IN2)->value(), 0);
  EXPECT_EQ(InputSlot(1)->GetLevel(1), -80.0f);
  // Text that is no number keeps the number before.
  Type(view, VolumeS::IN2, "abc");
  EXPECT_EQ(view->Edit(VolumeS::IN2)->text(), "-150.0");
  EXPECT_EQ(m_link.Lines(), (QStringList{"/AUDIO/IN2/VOL -150.0", "/AUDIO/IN2/VOL -150.0"}));
}

TEST_F(CVolumeFrmTest, RepliesFillTheEditsAndTheProject) {
  Connect();
  CVolumeView* view = Open();
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(m_link.DeliverReply({"/AUDIO/IN4/VOL ?", "/AUDIO/IN4/VOL -12.5", "/AUDIO/CHIME_VOL -3.0",
                                   "/AUDIO/OTHER 5", "garbage", "/AUDIO/IN1/VOL x"}));
  EXPECT_EQ(view->Edit(VolumeS::IN4)->text(), "-12.5");
  EXPECT_EQ(view->Slider(VolumeS::IN4)->value(), -138);
  EXPECT_EQ(InputSlot(2)->GetLevel(1), -12.5f);
  EXPECT_EQ(view->Edit(VolumeS::Chime)->text(), "-3.0");
  EXPECT_EQ(view->Slider(VolumeS::Chime)->value(), -141);
  // Shown as received, even when it is no number.
  EXPECT_EQ(view->Edit(VolumeS::IN1)->text(), "x");
  EXPECT_EQ(view->Slider(VolumeS::IN1)->value(), -150);
}

TEST_F(CVolumeFrmTest, ClosingAfterTheQueryPutsTheLinkBack) {
  Connect();
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(m_link.GetLinkMode(), LINKMODE_COMMANDLIST);
  m_host->reject();
  m_host.reset();
  EXPECT_EQ(m_link.GetLinkMode(), LINKMODE_NORMAL);
}

}  // namespace
