// The remote amplifier dialog's decisions: command texts, the status poll
// steps, reply parsing, slider scales and the meters.
#include "online/cremoteampstate.h"

#include <gtest/gtest.h>

namespace {

using StateS = CRemoteAmpState;

TEST(CRemoteAmpStateTest, IdentityQueriesUseLowerCaseHexAddress) {
  StateS state(10);
  EXPECT_EQ(state.Caption(), QStringLiteral("Addressa"));
  EXPECT_EQ(state.IdentityQueries(),
            (QStringList{"/AMP/ADRa/TYPE ?", "/AMP/ADRa/NAME ?", "/AMP/ADRa/VER ?", "/AMP/ADRa/CHANMAP ?",
                         "/AMP/ADRa/RETROFIT/PILOT ?", "/AMP/ADRa/RETROFIT/GNDFLT ?", "/AMP/ADRa/208 ?"}));
  EXPECT_EQ(state.MeterQueries(), (QStringList{"/AMP/ADRa/CHAN1/VUINP ?", "/AMP/ADRa/CHAN1/VUOUT ?"}));
}

TEST(CRemoteAmpStateTest, StatusPollListsFromStep) {
  StateS state(0x1f);
  const QStringList all = state.StatusPollList(0);
  ASSERT_EQ(all.size(), 13);
  EXPECT_EQ(all.front(), QStringLiteral("/AMP/ADR1f/ERR ?"));
  EXPECT_EQ(all[3], QStringLiteral("/AMP/ADR1f/OVT ?"));
  EXPECT_EQ(all[4], QStringLiteral("/AMP/ADR1f/READY ?"));
  EXPECT_EQ(all[5], QStringLiteral("/AMP/ADR1f/CHAN1/VOL ?"));
  EXPECT_EQ(all[10], QStringLiteral("/AMP/ADR1f/CHAN1/OVT ?"));
  EXPECT_EQ(all.back(), QStringLiteral("/AMP/ADR1f/CHAN1/MEAS ?"));
  EXPECT_EQ(state.StatusPollList(1).front(), QStringLiteral("/AMP/ADR1f/POWER ?"));
  EXPECT_EQ(state.StatusPollList(12), QStringList{"/AMP/ADR1f/CHAN1/MEAS ?"});
  EXPECT_TRUE(state.StatusPollList(13).isEmpty());
}

TEST(CRemoteAmpStateTest, PollStepsCycleAndAskErrorEachCycle) {
  StateS::PollStep() = 0;
  StateS first(1);
  EXPECT_EQ(first.NextStatusPoll().size(), 13);
  EXPECT_EQ(first.NextStatusPoll().size(), 12);
  // Another opening goes on where the last one stopped.
  StateS second(1);
  EXPECT_EQ(second.NextStatusPoll().size(), 11);
  for (int i = 3; i < 13; ++i) EXPECT_EQ(second.NextStatusPoll().size(), 13 - i);
  const QStringList again = second.NextStatusPoll();
  ASSERT_EQ(again.size(), 13);
  EXPECT_EQ(again.front(), QStringLiteral("/AMP/ADR1/ERR ?"));
  StateS::PollStep() = 0;
}

TEST(CRemoteAmpStateTest, SetCommands) {
  StateS state(0x2b);
  EXPECT_EQ(state.NameCommand("Hall 1"), QStringLiteral("/AMP/ADR2b/NAME Hall 1"));
  EXPECT_EQ(state.ResetGroundFaultCommand(), QStringLiteral("/AMP/ADR2b/FLTRES ON"));
  EXPECT_EQ(state.PilotGeneratorCommand(true), QStringLiteral("/AMP/ADR2b/PLTGEN ON"));
  EXPECT_EQ(state.PilotGeneratorCommand(false), QStringLiteral("/AMP/ADR2b/PLTGEN OFF"));
  EXPECT_EQ(state.PowerSourceCommand(true, true), QStringLiteral("/AMP/ADR2b/POWER BOTH"));
  EXPECT_EQ(state.PowerSourceCommand(false, true), QStringLiteral("/AMP/ADR2b/POWER BATT"));
  EXPECT_EQ(state.PowerSourceCommand(true, false), QStringLiteral("/AMP/ADR2b/POWER MAINS"));
  EXPECT_EQ(state.PowerSourceCommand(false, false), QStringLiteral("/AMP/ADR2b/POWER OFF"));
  EXPECT_EQ(state.MuteCommand(true), QStringLiteral("/AMP/ADR2b/CHAN1/MUTE ON"));
}

TEST(CRemoteAmpStateTest, InitialView) {
  StateS state(1);
  EXPECT_EQ(state.GetView().volumeText, QStringLiteral("-78 dB"));
  EXPECT_EQ(state.GetView().offsetText, QStringLiteral("-128 dB"));
  EXPECT_EQ(state.GetView().volumePos, 0);
  EXPECT_EQ(state.GetView().offsetPos, 127);
  EXPECT_EQ(state.VuIn(), -128);
  EXPECT_EQ(state.VuOut(), -128);
  EXPECT_FALSE(state.GetView().tabsVisible);
}

TEST(CRemoteAmpStateTest, AmplifierRepliesUseUpperCaseHex) {
  StateS state(10);
  EXPECT_TRUE(state.ApplyReply({"/AMP/ADRA/TYPE ?", "/AMP/ADRA/TYPE PA 2x240", "/AMP/ADRA/NAME Foyer left",
                                "/AMP/ADRA/VER V1.2", "/AMP/ADRA/208 1-2", "/AMP/ADRA/ERR E 17",
                                "/AMP/ADRa/VER wrong case", "/AMP/ADRB/TYPE other amp", "garbage"}));
  const StateS::View& v = state.GetView();
  EXPECT_EQ(v.type, QStringLiteral("PA 2x240"));
  EXPECT_EQ(v.name, QStringLiteral("Foyer left"));
  EXPECT_EQ(v.nameRevision, 1);
  EXPECT_EQ(v.firmware, QStringLiteral("V1.2"));
  EXPECT_EQ(v.relayMapping, QStringLiteral("1-2"));
  EXPECT_EQ(v.lastError, QStringLiteral("E 17"));
}

TEST(CRemoteAmpStateTest, ChannelMapAddsTabsOnce) {
  StateS state(10);
  state.ApplyReply({"/AMP/ADRA/CHANMAP 2"});
  EXPECT_EQ(state.GetView().tabCount, 2);
  EXPECT_TRUE(state.GetView().tabsVisible);
  EXPECT_EQ(state.GetView().channelMapping, QStringLiteral("2"));
  EXPECT_EQ(state.TabTitle(1), QStringLiteral("Channel 2"));
  state.ApplyReply({"/AMP/ADRA/CHANMAP 2"});
  EXPECT_EQ(state.GetView().tabCount, 2);
  state.SelectTab(1);
  EXPECT_EQ(state.Channel(), 2);
  EXPECT_EQ(state.MeterQueries().front(), QStringLiteral("/AMP/ADRa/CHAN2/VUINP ?"));
}

TEST(CRemoteAmpStateTest, ChannelMapOutOfRangeShowsEmptyTabsAndKeepsChannel) {
  for (const char* value : {"0", "5", "x"}) {
    StateS state(3);
    state.ApplyReply({QStringLiteral("/AMP/ADR3/CHANMAP ") + value});
    EXPECT_EQ(state.GetView().tabCount, 0);
    EXPECT_TRUE(state.GetView().tabsVisible);
    EXPECT_EQ(state.GetView().channelMapping, QString::fromLatin1(value));
    state.SelectTab(-1);
    EXPECT_EQ(state.Channel(), 1);
  }
}

TEST(CRemoteAmpStateTest, FlagsAndStates) {
  StateS state(1);
  state.ApplyReply({"/AMP/ADR1/RETROFIT/PILOT YES", "/AMP/ADR1/RETROFIT/GNDFLT NO", "/AMP/ADR1/POWER BATT",
                    "/AMP/ADR1/PLTGEN ON", "/AMP/ADR1/FLTRES ON", "/AMP/ADR1/OVT ON", "/AMP/ADR1/READY OFF"});
  StateS::View v = state.GetView();
  EXPECT_TRUE(v.pilotDetection);
  EXPECT_FALSE(v.groundDetection);
  EXPECT_FALSE(v.mainPower);
  EXPECT_TRUE(v.battery);
  EXPECT_TRUE(v.pilotGenerator);
  EXPECT_TRUE(v.faultReset);
  EXPECT_EQ(v.overtemperature, QStringLiteral("on"));
  EXPECT_EQ(v.ready, QStringLiteral("off"));
  state.ApplyReply({"/AMP/ADR1/POWER BOTH"});
  EXPECT_TRUE(state.GetView().mainPower && state.GetView().battery);
  state.ApplyReply({"/AMP/ADR1/POWER WHATEVER"});
  EXPECT_TRUE(state.GetView().mainPower && state.GetView().battery);
  state.ApplyReply({"/AMP/ADR1/POWER OFF"});
  EXPECT_FALSE(state.GetView().mainPower || state.GetView().battery);
}

TEST(CRemoteAmpStateTest, ChannelKeysOfOtherChannelIgnored) {
  StateS state(1);
  state.ApplyReply({"/AMP/ADR1/CHAN2/MUTE ON", "/AMP/ADR1/CHAN2/OUTCFG 100V"});
  EXPECT_FALSE(state.GetView().mute);
  EXPECT_TRUE(state.GetView().outputConfig.isEmpty());
  state.ApplyReply({"/AMP/ADR1/CHAN1/MUTE ON", "/AMP/ADR1/CHAN1/OUTCFG 100V", "/AMP/ADR1/CHAN1/MEAS 12V 1A",
                    "/AMP/ADR1/CHAN1/PLTDET YES", "/AMP/ADR1/CHAN1/FLTDET YES", "/AMP/ADR1/CHAN1/OVT YES"});
  const StateS::View& v = state.GetView();
  EXPECT_TRUE(v.mute);
  EXPECT_EQ(v.outputConfig, QStringLiteral("100V"));
  EXPECT_EQ(v.measurement, QStringLiteral("12V 1A"));
  EXPECT_TRUE(v.channelPilot && v.channelGround && v.channelOvertemp);
  // The amplifier's OVT is a different key.
  EXPECT_TRUE(v.overtemperature.isEmpty());
}

TEST(CRemoteAmpStateTest, VolumeReplyMovesSliderUnlessHeld) {
  StateS state(1);
  state.ApplyReply({"/AMP/ADR1/CHAN1/VOL -20"});
  EXPECT_EQ(state.GetView().volumePos, -58);
  EXPECT_EQ(state.GetView().volumeText, QStringLiteral("-20 dB"));
  EXPECT_EQ(state.VolumeScrolled(-70, true), QStringLiteral("/AMP/ADR1/CHAN1/VOL -8"));
  state.ApplyReply({"/AMP/ADR1/CHAN1/VOL -30"});
  EXPECT_EQ(state.GetView().volumePos, -70);
  EXPECT_EQ(state.GetView().volumeText, QStringLiteral("-8 dB"));
  state.VolumeReleased();
  state.ApplyReply({"/AMP/ADR1/CHAN1/VOL -30", "/AMP/ADR1/CHAN1/VOL loud"});
  EXPECT_EQ(state.GetView().volumePos, -48);
  EXPECT_EQ(state.GetView().volumeText, QStringLiteral("-30 dB"));
}

TEST(CRemoteAmpStateTest, KeyStepDoesNotHoldSlider) {
  StateS state(1);
  state.OffsetScrolled(100, false);
  EXPECT_FALSE(state.IsOffsetDragging());
  state.ApplyReply({"/AMP/ADR1/CHAN1/VCOFS 5"});
  EXPECT_EQ(state.GetView().offsetPos, -6);
  EXPECT_EQ(state.OffsetScrolled(-128, true), QStringLiteral("/AMP/ADR1/CHAN1/VCOFS 127"));
  EXPECT_TRUE(state.IsOffsetDragging());
}

TEST(CRemoteAmpStateTest, OutOfRangeLevelKeepsSliderInRange) {
  StateS state(1);
  state.ApplyReply({"/AMP/ADR1/CHAN1/VOL 12", "/AMP/ADR1/CHAN1/VCOFS -500"});
  EXPECT_EQ(state.GetView().volumePos, StateS::kVolumeMinPos);
  EXPECT_EQ(state.GetView().offsetPos, StateS::kOffsetMaxPos);
}

TEST(CRemoteAmpStateTest, MetersJumpUpAndDecayByTen) {
  StateS state(1);
  state.ApplyReply({"/AMP/ADR1/CHAN1/VUINP 15", "/AMP/ADR1/CHAN1/VUOUT 10"});
  EXPECT_EQ(state.GetView().inMeter, 45);
  EXPECT_EQ(state.GetView().outMeter, 50);
  state.ApplyReply({"/AMP/ADR1/CHAN1/VUINP -12", "/AMP/ADR1/CHAN1/VUOUT -25"});
  EXPECT_EQ(state.GetView().inMeter, 45);
  state.DecayMeters();
  EXPECT_EQ(state.GetView().inMeter, 35);
  EXPECT_EQ(state.GetView().outMeter, 40);
  state.DecayMeters();
  EXPECT_EQ(state.GetView().inMeter, 25);
  EXPECT_EQ(state.GetView().outMeter, 30);
  state.DecayMeters();
  EXPECT_EQ(state.GetView().inMeter, 18);
  EXPECT_EQ(state.GetView().outMeter, 20);
  state.DecayMeters();
  EXPECT_EQ(state.GetView().inMeter, 18);
  EXPECT_EQ(state.GetView().outMeter, 15);
  // Unreadable readings change nothing; a reading above the scale stops at its end.
  state.ApplyReply({"/AMP/ADR1/CHAN1/VUINP ??", "/AMP/ADR1/CHAN1/VUOUT 99"});
  EXPECT_EQ(state.VuIn(), -12);
  EXPECT_EQ(state.GetView().outMeter, StateS::kOutMeterMax);
}

TEST(CRemoteAmpStateTest, DecayRule) {
  EXPECT_EQ(StateS::Decayed(50, 10), 40);
  EXPECT_EQ(StateS::Decayed(20, 10), 10);
  EXPECT_EQ(StateS::Decayed(15, 10), 10);
  EXPECT_EQ(StateS::Decayed(5, 10), 5);
}

TEST(CRemoteAmpStateTest, MissingAmplifierStopsParsing) {
  StateS state(1);
  EXPECT_FALSE(state.ApplyReply({"/AMP/ADR1/TYPE amp not available", "/AMP/ADR1/VER V9"}));
  EXPECT_TRUE(state.IsAmplifierMissing());
  EXPECT_TRUE(state.GetView().firmware.isEmpty());
  EXPECT_FALSE(state.ApplyReply({"/AMP/ADR1/VER V9"}));
  EXPECT_TRUE(state.GetView().firmware.isEmpty());
}

}  // namespace
