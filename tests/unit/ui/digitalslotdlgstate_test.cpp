// What the digital slot dialog shows on opening and what its OK does to the
// pads of the sixteen terminals, driven without widgets.
#include "unit/ui/digitalslotdlgstate.h"

#include "unit/ui/digitalslotdlgfixture.h"

namespace {

class DigitalSlotDlgStateTest : public DigitalSlotDlgFixture {};

TEST_F(DigitalSlotDlgStateTest, ASlotWithoutPadsOpensWithEveryTerminalEmptyAndCleared) {
  DigitalSlotDlgState state(*slot);
  state.Load();
  for (int pin = 0; pin < DigitalSlotDlgState::kTerminals; ++pin) {
    EXPECT_TRUE(state.Input(pin).text.isEmpty()) << pin;
    EXPECT_FALSE(state.Input(pin).checked) << pin;
    EXPECT_TRUE(state.Output(pin).text.isEmpty()) << pin;
    EXPECT_FALSE(state.Output(pin).checked) << pin;
  }
}

TEST_F(DigitalSlotDlgStateTest, PadsShowTheirNamesOnTheirTerminals) {
  CControlPad* in5 = slot->CreatePad(4, -1);
  CControlPad* out8 = slot->CreatePad(-1, 7);
  ASSERT_NE(in5, nullptr);
  ASSERT_NE(out8, nullptr);
  DigitalSlotDlgState state(*slot);
  state.Load();
  EXPECT_EQ(state.Input(4).pad, in5);
  EXPECT_EQ(state.Input(4).text, QStringLiteral("Input5"));
  EXPECT_TRUE(state.Input(4).checked);
  EXPECT_EQ(state.Output(7).pad, out8);
  EXPECT_EQ(state.Output(7).text, QStringLiteral("Output8"));
  EXPECT_FALSE(state.Output(6).checked);
}

TEST_F(DigitalSlotDlgStateTest, TheProposedNamesHaveABlankBeforeTheNumber) {
  EXPECT_EQ(DigitalSlotDlgState::DefaultText(true, 0), QStringLiteral("Slave clock"));
  EXPECT_EQ(DigitalSlotDlgState::DefaultText(false, 2), QStringLiteral("Input 3"));
  EXPECT_EQ(DigitalSlotDlgState::DefaultText(true, 4), QStringLiteral("Output 5"));
  EXPECT_EQ(DigitalSlotDlgState::DefaultText(false, 0), QStringLiteral("Input 1"));
}

TEST_F(DigitalSlotDlgStateTest, TickingAndOkCreatesPadsNamedAsProposed) {
  DigitalSlotDlgState state(*slot);
  state.Load();
  state.Tick(false, 2, true);
  state.Tick(true, 0, true);
  state.Tick(true, 4, true);
  EXPECT_EQ(state.Input(2).text, QStringLiteral("Input 3"));
  state.Apply();
  ASSERT_NE(PadOnInput(2), nullptr);
  EXPECT_EQ(PadOnInput(2)->GetName(), QStringLiteral("Input 3"));
  EXPECT_EQ(PadOnInput(2)->GetKind(), CControlPad::kKindDigitalInput);
  ASSERT_NE(PadOnOutput(0), nullptr);
  EXPECT_EQ(PadOnOutput(0)->GetName(), QStringLiteral("Slave clock"));
  EXPECT_EQ(PadOnOutput(0)->GetKind(), CControlPad::kKindSlaveClock);
  ASSERT_NE(PadOnOutput(4), nullptr);
  EXPECT_EQ(PadOnOutput(4)->GetName(), QStringLiteral("Output 5"));
  EXPECT_EQ(Pads(), 3);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(DigitalSlotDlgStateTest, ATypedNameIsThePadsName) {
  DigitalSlotDlgState state(*slot);
  state.Load();
  state.Tick(false, 7, true);
  state.SetText(false, 7, QStringLiteral("Door contact"));
  state.Apply();
  ASSERT_NE(PadOnInput(7), nullptr);
  EXPECT_EQ(PadOnInput(7)->GetName(), QStringLiteral("Door contact"));
}

TEST_F(DigitalSlotDlgStateTest, ClearingTheBoxOfAPadDeletesThePadAndItsLink) {
  CControlPad* pad = slot->CreatePad(-1, 3);
  ASSERT_NE(pad, nullptr);
  DigitalSlotDlgState state(*slot);
  state.Load();
  state.Tick(true, 3, false);
  state.Apply();
  EXPECT_EQ(slot->FindOutputConnection(3), nullptr);
  EXPECT_EQ(Pads(), 0);
  EXPECT_EQ(state.Output(3).pad, nullptr);
}

TEST_F(DigitalSlotDlgStateTest, RenamingAPadToItsNeighboursNameIsRefusedAndTold) {
  CControlPad* first = slot->CreatePad(0, -1);
  CControlPad* second = slot->CreatePad(1, -1);
  DigitalSlotDlgState state(*slot);
  state.Load();
  // Swapping two names is refused at both ends: each rename meets the
  // other pad's current name, and both pads keep theirs.
  state.SetText(false, 0, QStringLiteral("Input2"));
  state.SetText(false, 1, QStringLiteral("Input1"));
  state.Apply();
  EXPECT_EQ(first->GetName(), QStringLiteral("Input1"));
  EXPECT_EQ(second->GetName(), QStringLiteral("Input2"));
  EXPECT_TRUE(messages.Saw(34267));
  EXPECT_EQ(messages.Requests().size(), 2u);
}

TEST_F(DigitalSlotDlgStateTest, ANewTerminalNamedLikeAnotherObjectKeepsTheSlotsDefaultName) {
  CControlPad* other = slot->CreatePad(-1, 1);
  ASSERT_NE(other, nullptr);
  DigitalSlotDlgState state(*slot);
  state.Load();
  state.Tick(false, 5, true);
  state.SetText(false, 5, other->GetName());
  state.Apply();
  ASSERT_NE(PadOnInput(5), nullptr);
  EXPECT_EQ(PadOnInput(5)->GetName(), QStringLiteral("Input6"));
  EXPECT_TRUE(messages.Saw(34267));
}

TEST_F(DigitalSlotDlgStateTest, UntouchedTerminalsKeepTheirPadsEvenWithoutAName) {
  CControlPad* pad = slot->CreatePad(3, -1);
  pad->SetName(QString());
  DigitalSlotDlgState state(*slot);
  state.Load();
  EXPECT_FALSE(state.Input(3).checked);
  state.Apply();
  EXPECT_EQ(PadOnInput(3), pad);
  EXPECT_EQ(Pads(), 1);
}

TEST_F(DigitalSlotDlgStateTest, ALinkOnAPinTheModuleLacksIsLeftAlone) {
  CControlPad* pad = slot->CreatePad(0, -1);
  ASSERT_TRUE(CBaseDevice::Connect(pad, 0, slot, 12));
  DigitalSlotDlgState state(*slot);
  state.Load();
  EXPECT_EQ(state.Input(0).pad, pad);
  EXPECT_TRUE(state.Input(12).text.isEmpty());
  state.Tick(false, 12, true);
  state.Apply();
  EXPECT_EQ(Pads(), 1);
}

TEST_F(DigitalSlotDlgStateTest, ATerminalWhosePadWentIsCreatedAfresh) {
  CControlPad* pad = slot->CreatePad(2, -1);
  DigitalSlotDlgState state(*slot);
  state.Load();
  state.SetText(false, 2, QStringLiteral("Gate"));
  ASSERT_TRUE(doc.DeleteObject(pad));
  state.Forget(pad);
  state.Apply();
  ASSERT_NE(PadOnInput(2), nullptr);
  EXPECT_NE(PadOnInput(2), pad);
  EXPECT_EQ(PadOnInput(2)->GetName(), QStringLiteral("Gate"));
}

}  // namespace
