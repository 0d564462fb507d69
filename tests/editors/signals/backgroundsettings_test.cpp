// The common audio settings: load, immediate storing and sending of volumes
// and attenuation, and Apply.
#include "editors/signals/backgroundsettings.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unit/cmiscaudio.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class BackgroundSettingsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    audio = CMiscAudio::EnsureIn(doc);
    ASSERT_NE(audio, nullptr);
  }
  BackgroundSettings Make() {
    return BackgroundSettings(
        audio, [this] { return online; }, [this](int code) { sent.push_back(code); });
  }
  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CMiscAudio* audio = nullptr;
  bool online = false;
  std::vector<int> sent;
};

TEST_F(BackgroundSettingsTest, OfflineChangesTheObjectButSendsNothing) {
  BackgroundSettings settings = Make();
  EXPECT_DOUBLE_EQ(settings.ChangeVolume(CMiscAudio::CHIME_VOL, -20.0), -20.0);
  EXPECT_EQ(audio->GetParamText(CMiscAudio::CHIME_VOL), "-20.0");
  EXPECT_TRUE(sent.empty());
}

TEST_F(BackgroundSettingsTest, OnlineSendsEachChangeAtOnce) {
  online = true;
  BackgroundSettings settings = Make();
  settings.ChangeVolume(CMiscAudio::PANIC_VOL, 6.0);
  settings.ChangeAttenuation(-12);
  EXPECT_EQ(sent, (std::vector<int>{CMiscAudio::PANIC_VOL, CMiscAudio::BACK_ATT}));
  EXPECT_EQ(audio->GetParamText(CMiscAudio::PANIC_VOL), "6.0");
  EXPECT_EQ(audio->GetParamText(CMiscAudio::BACK_ATT), "-12");
}

TEST_F(BackgroundSettingsTest, LimitsOfEachControlAreKept) {
  BackgroundSettings settings = Make();
  EXPECT_DOUBLE_EQ(settings.ChangeVolume(CMiscAudio::ALARM_VOL, 6.0), 0.0);  // only panic above 0 dB
  EXPECT_DOUBLE_EQ(settings.ChangeVolume(CMiscAudio::PANIC_VOL, 9.0), 6.0);
  EXPECT_DOUBLE_EQ(settings.ChangeVolume(CMiscAudio::MESSAGE_VOL, -200.0), -80.0);
  EXPECT_EQ(settings.ChangeAttenuation(-99), -41);
  EXPECT_EQ(settings.ChangeAttenuation(5), 0);
  EXPECT_EQ(audio->GetParamText(CMiscAudio::BACK_ATT), "0");
}

TEST_F(BackgroundSettingsTest, ApplyStoresEverythingAndSendsNothing) {
  online = true;
  BackgroundSettings settings = Make();
  BackgroundSettings::State state;
  state.volume[0] = -3.5;
  state.volume[1] = -80.0;
  state.volume[2] = -20.0;
  state.volume[3] = 4.0;
  state.attenuation = -30;
  state.extAlarmInput = 1;
  state.extTextInput = 2;
  state.programInput = 3;
  settings.Save(state);
  EXPECT_TRUE(sent.empty());
  const BackgroundSettings::State back = settings.Load();
  EXPECT_DOUBLE_EQ(back.volume[0], -3.5);
  EXPECT_DOUBLE_EQ(back.volume[1], -80.0);
  EXPECT_DOUBLE_EQ(back.volume[2], -20.0);
  EXPECT_DOUBLE_EQ(back.volume[3], 4.0);
  EXPECT_EQ(back.attenuation, -30);
  EXPECT_EQ(back.extAlarmInput, 1);
  EXPECT_EQ(back.extTextInput, 2);
  EXPECT_EQ(back.programInput, 3);
}

TEST_F(BackgroundSettingsTest, WithoutTheAudioObjectNothingBreaks) {
  BackgroundSettings settings(
      nullptr, [] { return true; }, [this](int code) { sent.push_back(code); });
  settings.ChangeVolume(0, -10.0);
  settings.Save(BackgroundSettings::State{});
  EXPECT_TRUE(sent.empty());
  EXPECT_EQ(settings.Load().attenuation, 0);
}

}  // namespace
