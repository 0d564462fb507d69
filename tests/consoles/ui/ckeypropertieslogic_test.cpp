// The key properties dialog's decisions: function list, controls, defaults
// and clamped edits.
#include "consoles/ui/ckeypropertieslogic.h"

#include "../consoletestsupport.h"
#include "consoles/cconsprop.h"
#include "support/messagerecorder.h"

#include <gtest/gtest.h>

namespace {

using Logic = CKeyPropertiesLogic;

TEST(CKeyPropertiesLogicTest, FunctionListFollowsMask) {
  EXPECT_TRUE(Logic::FunctionList(0x001, false).empty());
  const auto list = Logic::FunctionList(0x005, false);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].function, CConsKey::DISABLED);
  EXPECT_EQ(list[0].icon, 4);
  EXPECT_EQ(list[1].function, CConsKey::SEL);
  EXPECT_EQ(list[2].function, CConsKey::ALARM);
  EXPECT_EQ(list[2].icon, 11);
  EXPECT_EQ(Logic::FunctionList(0, true).size(), 13u);
}

TEST(CKeyPropertiesLogicTest, ControlsOfFunctions) {
  EXPECT_EQ(Logic::ControlFlags(CConsKey::CHIME), 0x0B3);
  EXPECT_EQ(Logic::ControlFlags(CConsKey::MACSWT), 0xC20);
  EXPECT_EQ(Logic::ControlFlags(99), 0);
  EXPECT_EQ(Logic::SignalListKind(CConsKey::ALARM, false), 1);
  EXPECT_EQ(Logic::SignalListKind(CConsKey::TEXT, false), 4);
  EXPECT_EQ(Logic::SignalListKind(CConsKey::TALK, false), 0);
  EXPECT_EQ(Logic::SignalListKind(CConsKey::TALK, true), 2);
  EXPECT_EQ(Logic::SignalListKind(CConsKey::MACRO, false), 8);
  EXPECT_EQ(Logic::ListFunctionOf(CConsKey::MACRAD), CConsKey::MACRO);
}

TEST(CKeyPropertiesLogicTest, DelayIsClampedAndShownInSeconds) {
  EXPECT_EQ(Logic::DelayText(28), QStringLiteral("1.00"));
  EXPECT_EQ(Logic::ClampDelay(-3), 0);
  EXPECT_EQ(Logic::ClampDelay(300), 255);
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ON, QStringLiteral("28"), true));
  EXPECT_EQ(Logic::SetDelay(*key, 400), 255);
  EXPECT_EQ(key->GetFunction().p1, 255);
  EXPECT_EQ(Logic::SetDelay(*key, -1), 0);
  EXPECT_EQ(key->GetFunction().p1, 0);
}

TEST(CKeyPropertiesLogicTest, TypedSecondsBecomeTheNearestSteps) {
  EXPECT_EQ(Logic::DelayStepsOf("1"), 28);
  EXPECT_EQ(Logic::DelayStepsOf(" 3 "), 84);
  EXPECT_EQ(Logic::DelayStepsOf("1,5"), 42);
  EXPECT_EQ(Logic::DelayStepsOf(".5"), 14);
  EXPECT_EQ(Logic::DelayStepsOf("2."), 56);
  EXPECT_EQ(Logic::DelayStepsOf("9.1"), 255);
  EXPECT_EQ(Logic::DelayStepsOf(QString(400, QLatin1Char('9'))), 255);
  for (const char* text : {"", " ", ".", "-1", "1e3", "1.2.3", "x", "1,2,3"}) {
    EXPECT_FALSE(Logic::DelayStepsOf(QString::fromLatin1(text)).has_value()) << text;
  }
  EXPECT_TRUE(Logic::IsDelayInput(""));
  EXPECT_TRUE(Logic::IsDelayInput("2,"));
  EXPECT_FALSE(Logic::IsDelayInput("2,,"));
  EXPECT_FALSE(Logic::IsDelayInput("-"));
}

TEST(CKeyPropertiesLogicTest, SameFunctionDoesNothing) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ON, QStringLiteral("40"), true));
  EXPECT_FALSE(Logic::SetKeyFunction(*key, CConsKey::ON));
  EXPECT_EQ(key->GetFunction().p1, 40);
  EXPECT_TRUE(Logic::SetKeyFunction(*key, CConsKey::STOP));
  EXPECT_EQ(key->GetKeyType(), CConsKey::STOP);
  EXPECT_EQ(key->GetFunction().p1, 2);
  EXPECT_EQ(key->GetFunction().p3, 90);
}

TEST(CKeyPropertiesLogicTest, ExtensionTakesTheConnector) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  ASSERT_TRUE(console->GetProp().SetParamText(CConsProp::P_EXT, QStringLiteral("2")));
  MessageRecorder messages;
  EXPECT_FALSE(Logic::SetKeyFunction(*console->FindKey(1), CConsKey::AUX));
  EXPECT_TRUE(messages.SawText(QStringLiteral("in use by  RCX6350")));
}

TEST(CKeyPropertiesLogicTest, PriorityIsClamped) {
  CSelvantisDoc doc;
  CConsole* console = constest::AddConsole(doc);
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::STOP, QStringLiteral("2,0,90"), true));
  EXPECT_EQ(Logic::SetPriority(*key, 14), 10);
  EXPECT_EQ(key->GetFunction().p3, 100);
  EXPECT_EQ(Logic::SetPriority(*key, 0), 1);
  EXPECT_EQ(key->GetFunction().p3, 10);
  Logic::SetActiveInProtectedMode(*key, true);
  EXPECT_FALSE(key->GetFunction().bProtected);
}

TEST(CKeyPropertiesLogicTest, ChosenSignalBringsItsPriorityToSignalKeys) {
  CSelvantisDoc doc;
  std::vector<CZone*> zones = constest::AddZones(doc, 2);
  CAudioSignal* alarm1 = constest::AddSignal(doc, CAudioSignal::kKindAlarm);
  CAudioSignal* alarm2 = constest::AddSignal(doc, CAudioSignal::kKindAlarm);
  CAudioSignal* chime = constest::AddSignal(doc, CAudioSignal::kKindChime);
  alarm2->SetValueText(1, QStringLiteral("7"));
  chime->SetValueText(1, QStringLiteral("4"));
  CConsole* console = constest::AddConsole(doc);
  CConsKey* key = console->FindKey(1);
  ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ALARM, QStringLiteral("1,1,90"), true));
  ASSERT_NE(alarm1, nullptr);

  EXPECT_EQ(Logic::ChooseSignal(*key, KeyTarget::Of(zones[1]), alarm2, 0), 7);
  EXPECT_EQ(key->GetFunction().p1, 2);
  EXPECT_EQ(key->GetFunction().p2, alarm2->GetID());
  EXPECT_EQ(key->GetFunction().p3, 70);
  EXPECT_EQ(key->GetEditFunction(), key->GetFunction());
  EXPECT_EQ(key->GetSecondTarget().object, alarm2);

  // A talk key keeps its own priority; no destination keeps the key's own.
  CConsKey* talk = console->FindKey(2);
  ASSERT_TRUE(talk->SetFunctionFromText(CConsKey::TALK, QStringLiteral("1,0,50"), true));
  EXPECT_EQ(Logic::ChooseSignal(*talk, KeyTarget::None(), chime, 0), 0);
  EXPECT_EQ(talk->GetFunction().p2, chime->GetID());
  EXPECT_EQ(talk->GetFunction().p3, 50);
  EXPECT_EQ(talk->GetFunction().p1, 1);
  EXPECT_EQ(Logic::ChooseSignal(*talk, KeyTarget::None(), nullptr, 0), 0);
}

TEST(CKeyPropertiesLogicTest, PreChimeWithoutChimePicksSix) {
  CSelvantisDoc doc;
  for (int i = 0; i < 6; ++i) constest::AddSignal(doc, CAudioSignal::kKindChime);
  CConsole* console = constest::AddConsole(doc);
  CConsKey* talk = console->FindKey(CConsKey::kTalkKey);
  ASSERT_NE(talk, nullptr);
  MessageRecorder messages;
  talk->SetSecondTarget(KeyTarget::None());
  ASSERT_TRUE(talk->SetFunctionFromText(CConsKey::TALK, QStringLiteral("-1,0,50"), true));
  Logic::SetPreChime(*talk, true);
  EXPECT_EQ(talk->GetFunction().p2, 6);
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_PRECHIME), QStringLiteral("1"));
  Logic::SetPreChime(*talk, false);
  EXPECT_EQ(talk->GetFunction().p2, 0);
  EXPECT_FALSE(talk->GetSecondTarget().IsSet());
  EXPECT_EQ(console->GetProp().GetParamText(CConsProp::P_PRECHIME), QStringLiteral("0"));
}

}  // namespace
