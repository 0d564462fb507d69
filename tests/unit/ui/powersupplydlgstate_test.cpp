// What the power-supply dialog lists, loads and writes back.
#include "unit/ui/powersupplydlgstate.h"

#include "unit/ui/powersupplydlgfixture.h"

#include <QStringList>

namespace {

using Mode = PowerSupplyDlgState::Mode;

class PowerSupplyDlgStateTest : public PowerSupplyDlgFixture {};

QStringList Texts(const std::vector<PowerSupplyDlgState::Item>& items) {
  QStringList texts;
  for (const auto& item : items) texts << item.text;
  return texts;
}

TEST_F(PowerSupplyDlgStateTest, ListsPadsByKindInKindOrderThenIdOrder) {
  AddPad(CControlPad::kKindInterfaceInput, "If1");
  AddPad(CControlPad::kKindDigitalInput, "In1");
  AddPad(CControlPad::kKindKCM212, "K212");
  AddPad(CControlPad::kKindDigitalInput, "In2");
  AddPad(CControlPad::kKindKCM209, "K209");
  AddPad(CControlPad::kKindDigitalOutput, "Out1");
  AddPad(CControlPad::kKindKCM208, "K208");
  AddPad(CControlPad::kKindReady, "Ready");
  ASSERT_NE(AddConsole("Desk A"), nullptr);
  ASSERT_NE(AddConsole("Desk B"), nullptr);

  PowerSupplyDlgState state(*ps);
  state.Load();
  EXPECT_EQ(Texts(state.Inputs()), (QStringList{"OFF", "In1", "In2", "K212", "If1"}));
  EXPECT_EQ(Texts(state.Outputs()), (QStringList{"OFF", "Out1", "K208", "K209"}));
  EXPECT_EQ(Texts(state.Consoles()), (QStringList{"OFF", "All Consoles", "Desk A", "Desk B"}));
  EXPECT_EQ(state.Inputs()[0].id, 0);
  EXPECT_EQ(state.Consoles()[1].id, 0);
}

TEST_F(PowerSupplyDlgStateTest, NewPowerSupplyShowsOffDefaultsAndDefaultPriorities) {
  AddPad(CControlPad::kKindDigitalInput, "In1");
  AddPad(CControlPad::kKindDigitalOutput, "Out1");
  PowerSupplyDlgState state(*ps);
  state.Load();
  EXPECT_EQ(state.FailInput(), 0);
  EXPECT_EQ(state.ExtInput(), 0);
  EXPECT_EQ(state.OnOffOutput(), 0);
  EXPECT_EQ(state.TabTexts(), (QStringList{"Power Line", "Standby"}));
  EXPECT_EQ(state.CurrentTab(), 0);
  EXPECT_EQ(state.Shown().console, 0);
  EXPECT_EQ(state.Shown().text, QStringLiteral("<Mains mode>"));
  EXPECT_EQ(state.Record(PowerSupplyDlgState::kBattery).text, QStringLiteral("<Battery mode>"));
  EXPECT_EQ(state.Record(PowerSupplyDlgState::kStandby).text, QStringLiteral("<System Standby>"));
  EXPECT_FALSE(state.Battery());
  EXPECT_FALSE(state.BehaviourEnabled());
  EXPECT_EQ(state.MainsStep(), 3);
  EXPECT_EQ(state.BatteryStep(), 7);
}

TEST_F(PowerSupplyDlgStateTest, LoadsStoredPadsTextsAndConsoles) {
  const int in1 = AddPad(CControlPad::kKindDigitalInput, "In1");
  const int in2 = AddPad(CControlPad::kKindInterfaceInput, "If1");
  const int out = AddPad(CControlPad::kKindKCM208, "K208");
  AddConsole("Desk A");
  CConsole* deskB = AddConsole("Desk B");
  ASSERT_NE(deskB, nullptr);
  ps->SetPowerSupplyParam(0, in2, 0);
  ps->SetPowerSupplyParam(1, out, 0);
  ps->SetPowerSupplyParam(2, in1, 0);
  ps->SetPowerSupplyParam(3, 3, 0);  // mains on Desk B
  ps->SetPowerSupplyParam(9, deskB->GetID(), 0);
  ps->SetPowerSupplyText(6, QStringLiteral("Mains on"), 0);
  ps->SetPowerSupplyParam(5, 1, 0);  // standby on all consoles
  ps->SetPowerSupplyParam(11, 0, 0);
  ps->SetPowerSupplyText(8, QStringLiteral("Sleeping"), 0);
  ps->SetPowerSupplyText(7, QStringLiteral("Unused"), 0);  // battery stays off
  pm->SetParam(CInternalPowerManagement::P_BATT_AVLBL, 1);
  pm->SetParam(CInternalPowerManagement::P_DROP_SHUT, 1);
  pm->SetParam(CInternalPowerManagement::P_MAINS_PRIO, 75);
  pm->SetParam(CInternalPowerManagement::P_BATT_PRIO, 255);

  PowerSupplyDlgState state(*ps);
  state.Load();
  EXPECT_EQ(state.Inputs()[state.FailInput()].text, QStringLiteral("If1"));
  EXPECT_EQ(state.Inputs()[state.ExtInput()].text, QStringLiteral("In1"));
  EXPECT_EQ(state.Outputs()[state.OnOffOutput()].text, QStringLiteral("K208"));
  EXPECT_EQ(state.Record(PowerSupplyDlgState::kMains).console, 3);
  EXPECT_EQ(state.Record(PowerSupplyDlgState::kMains).text, QStringLiteral("Mains on"));
  EXPECT_EQ(state.Record(PowerSupplyDlgState::kStandby).console, 1);
  EXPECT_EQ(state.Record(PowerSupplyDlgState::kStandby).text, QStringLiteral("Sleeping"));
  EXPECT_EQ(state.Record(PowerSupplyDlgState::kBattery).console, 0);
  EXPECT_EQ(state.Record(PowerSupplyDlgState::kBattery).text, QStringLiteral("<Battery mode>"));
  EXPECT_TRUE(state.Battery());
  EXPECT_TRUE(state.DropToStandby());
  EXPECT_EQ(state.TabTexts(), (QStringList{"Power Line", "Standby", "Battery"}));
  EXPECT_EQ(state.MainsStep(), 7);
  // 255 is beyond the slider: it shows the top position.
  EXPECT_EQ(state.BatteryStep(), 10);
}

TEST_F(PowerSupplyDlgStateTest, ReferenceToAGoneObjectLoadsAsOffAndIsStoredAsZero) {
  const int pad = AddPad(CControlPad::kKindDigitalInput, "In1");
  CConsole* desk = AddConsole("Desk");
  ASSERT_NE(desk, nullptr);
  ps->SetPowerSupplyParam(0, pad, 0);
  ps->SetPowerSupplyParam(3, 2, 0);
  ps->SetPowerSupplyParam(9, desk->GetID() + 5, 0);  // no such console
  doc.DeleteObject(doc.GetIDManager().FindBaseDevice(pad, DT_CONTROLPAD));

  PowerSupplyDlgState state(*ps);
  state.Load();
  EXPECT_EQ(state.FailInput(), 0);
  EXPECT_EQ(state.Record(PowerSupplyDlgState::kMains).console, 0);
  state.Apply();
  EXPECT_EQ(ps->GetPowerSupplyParam(0), 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(3), 0);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(PowerSupplyDlgStateTest, ApplyWritesPadsTextsAndPowerManagement) {
  const int fail = AddPad(CControlPad::kKindKCM212, "K212");
  const int ext = AddPad(CControlPad::kKindDigitalInput, "In1");
  const int out = AddPad(CControlPad::kKindKCM209, "K209");
  AddConsole("Desk A");
  CConsole* deskB = AddConsole("Desk B");
  ASSERT_NE(deskB, nullptr);

  PowerSupplyDlgState state(*ps);
  state.Load();
  state.SetFailInput(2);  // OFF, In1, K212
  state.SetExtInput(1);
  state.SetOnOffOutput(1);
  state.ChooseConsole(3, QStringLiteral("Mains!"));
  state.SelectTab(1);
  state.ChooseConsole(1, QStringLiteral("Standby!"));
  state.SetBattery(true);
  state.SelectTab(2);
  EXPECT_EQ(state.CurrentMode(), PowerSupplyDlgState::kBattery);
  state.ChooseConsole(2, state.Shown().text);
  state.EditText(QStringLiteral("On battery"));
  state.SetDropToStandby(true);
  state.SetMainsStep(4);
  state.SetBatteryStep(9);
  state.Apply();

  EXPECT_EQ(ps->GetPowerSupplyParam(0), fail);
  EXPECT_EQ(ps->GetPowerSupplyParam(1), out);
  EXPECT_EQ(ps->GetPowerSupplyParam(2), ext);
  EXPECT_EQ(ps->GetPowerSupplyParam(3), 3);
  EXPECT_EQ(ps->GetPowerSupplyParam(9), deskB->GetID());
  EXPECT_EQ(Text(6), QStringLiteral("Mains!"));
  EXPECT_EQ(ps->GetPowerSupplyParam(5), 1);
  EXPECT_EQ(ps->GetPowerSupplyParam(11), 0);  // "All Consoles"
  EXPECT_EQ(Text(8), QStringLiteral("Standby!"));
  EXPECT_EQ(ps->GetPowerSupplyParam(4), 2);
  EXPECT_EQ(ps->GetPowerSupplyParam(10), state.Consoles()[2].id);
  EXPECT_EQ(Text(7), QStringLiteral("On battery"));
  EXPECT_EQ(ps->GetPowerSupplyParam(12), 1);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_BATT_AVLBL), 1);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_DROP_SHUT), 1);
  ASSERT_NE(ps->GetPowerSupplyParam(13), 0);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_MAINS_COND), ps->GetPowerSupplyParam(13));
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_MAINS_PRIO), 40);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_BATT_PRIO), 90);
}

TEST_F(PowerSupplyDlgStateTest, PriorityIsStoredBackInStepsOfTen) {
  pm->SetParam(CInternalPowerManagement::P_MAINS_PRIO, 75);
  pm->SetParam(CInternalPowerManagement::P_BATT_PRIO, 9);
  PowerSupplyDlgState state(*ps);
  state.Load();
  EXPECT_EQ(state.MainsStep(), 7);
  EXPECT_EQ(state.BatteryStep(), 0);
  state.Apply();
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_MAINS_PRIO), 70);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_BATT_PRIO), 0);
}

TEST_F(PowerSupplyDlgStateTest, ModeLeftOffKeepsItsStoredConsoleAndText) {
  CConsole* desk = AddConsole("Desk");
  ASSERT_NE(desk, nullptr);
  ps->SetPowerSupplyParam(9, desk->GetID(), 0);
  ps->SetPowerSupplyText(6, QStringLiteral("Kept"), 0);
  PowerSupplyDlgState state(*ps);
  state.Load();
  EXPECT_EQ(state.Shown().console, 0);
  state.EditText(QStringLiteral("Typed but off"));
  state.Apply();
  EXPECT_EQ(ps->GetPowerSupplyParam(3), 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(9), desk->GetID());
  EXPECT_EQ(Text(6), QStringLiteral("Kept"));
}

TEST_F(PowerSupplyDlgStateTest, ClearingBatteryOnItsTabShowsStandbyAndSwitchesBatteryTextOff) {
  pm->SetParam(CInternalPowerManagement::P_BATT_AVLBL, 1);
  PowerSupplyDlgState state(*ps);
  state.Load();
  state.SelectTab(2);
  state.ChooseConsole(1, QStringLiteral("Battery!"));
  state.SetBattery(false);
  EXPECT_EQ(state.TabTexts(), (QStringList{"Power Line", "Standby"}));
  EXPECT_EQ(state.CurrentTab(), 1);
  EXPECT_EQ(state.CurrentMode(), PowerSupplyDlgState::kStandby);
  EXPECT_EQ(state.Record(PowerSupplyDlgState::kBattery).console, 0);
  EXPECT_FALSE(state.BehaviourEnabled());
  state.Apply();
  EXPECT_EQ(ps->GetPowerSupplyParam(4), 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(12), 0);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_BATT_AVLBL), 0);
}

TEST_F(PowerSupplyDlgStateTest, TextIsCutToTheConsoleLine) {
  PowerSupplyDlgState state(*ps);
  state.Load();
  state.ChooseConsole(1, QStringLiteral("0123456789abcdefXYZ"));
  EXPECT_EQ(state.Shown().text, QStringLiteral("0123456789abcdef"));
  state.EditText(QStringLiteral("ABCDEFGHIJKLMNOPQ"));
  EXPECT_EQ(state.Shown().text, QStringLiteral("ABCDEFGHIJKLMNOP"));
  state.Apply();
  EXPECT_EQ(Text(6), QStringLiteral("ABCDEFGHIJKLMNOP"));
}

TEST_F(PowerSupplyDlgStateTest, OnlyEightBitTextIsDisplayable) {
  EXPECT_TRUE(PowerSupplyDlgState::IsDisplayable(QString::fromUtf8("Gr\u00fc\u00dfe")));
  EXPECT_FALSE(PowerSupplyDlgState::IsDisplayable(QString::fromUtf8("5 \u20ac")));
}

TEST_F(PowerSupplyDlgStateTest, OutOfRangeChoicesFallBackToOff) {
  AddPad(CControlPad::kKindDigitalInput, "In1");
  PowerSupplyDlgState state(*ps);
  state.Load();
  state.SetFailInput(7);
  state.SetExtInput(-1);
  state.SetOnOffOutput(3);
  state.ChooseConsole(9, QStringLiteral("x"));
  state.SelectTab(5);
  state.SetMainsStep(11);
  state.SetBatteryStep(-2);
  EXPECT_EQ(state.FailInput(), 0);
  EXPECT_EQ(state.ExtInput(), 0);
  EXPECT_EQ(state.OnOffOutput(), 0);
  EXPECT_EQ(state.Shown().console, 0);
  EXPECT_EQ(state.CurrentTab(), 0);
  EXPECT_EQ(state.MainsStep(), 10);
  EXPECT_EQ(state.BatteryStep(), 0);
  EXPECT_EQ(PowerSupplyDlgState::StepText(7), QStringLiteral("7"));
}

TEST_F(PowerSupplyDlgStateTest, PowerSupplyOutsideAProjectLoadsAndAppliesNothing) {
  CAudioInputDevice loose;
  PowerSupplyDlgState state(loose);
  state.Load();
  EXPECT_EQ(Texts(state.Inputs()), QStringList{"OFF"});
  EXPECT_EQ(Texts(state.Consoles()), (QStringList{"OFF", "All Consoles"}));
  EXPECT_EQ(state.MainsStep(), 3);
  state.Apply();  // must not crash
}

}  // namespace
