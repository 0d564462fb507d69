// What the interface slot dialog shows on opening and what its OK does to
// the attached objects and the power supply, driven without widgets.
#include "unit/ui/interfaceslotdlgstate.h"

#include "model/commandids.h"
#include "unit/caudioinputdevice.h"
#include "unit/ccontrolpad.h"
#include "unit/ui/interfaceslotdlgfixture.h"

namespace {

using Row = InterfaceSlotDlgState::Row;

class InterfaceSlotDlgStateTest : public InterfaceSlotDlgFixture {};

TEST_F(InterfaceSlotDlgStateTest, NothingAttachedOpensEveryRowEmptyAndCleared) {
  InterfaceSlotDlgState state(*slot);
  state.Load();
  for (int row = 0; row < InterfaceSlotDlgState::kRows; ++row) {
    EXPECT_TRUE(state.Input(row).text.isEmpty()) << row;
    EXPECT_FALSE(state.Input(row).checked) << row;
    EXPECT_EQ(state.Input(row).object, nullptr) << row;
    EXPECT_TRUE(state.Output(row).text.isEmpty()) << row;
    EXPECT_FALSE(state.Output(row).checked) << row;
  }
  EXPECT_EQ(state.PowerChoice(), InterfaceSlotDlgState::kNoPower);
  EXPECT_EQ(state.PowerSupply(), nullptr);
}

TEST_F(InterfaceSlotDlgStateTest, AttachedObjectsShowTheirNamesOnTheirRows) {
  CBaseDevice* inp2 = AttachInput(CInterfaceSlot::ID_INP2, CInterfaceSlot::IN_INP2);
  CBaseDevice* monitor = AttachOutput(CInterfaceSlot::ID_MONITOR, CInterfaceSlot::OUT_MONITOR);
  ASSERT_NE(inp2, nullptr);
  ASSERT_NE(monitor, nullptr);
  inp2->SetName(QStringLiteral("Fire alarm"));
  InterfaceSlotDlgState state(*slot);
  state.Load();
  EXPECT_EQ(state.Input(3).object, inp2);
  EXPECT_EQ(state.Input(3).text, QStringLiteral("Fire alarm"));
  EXPECT_TRUE(state.Input(3).checked);
  EXPECT_EQ(state.Output(1).object, monitor);
  EXPECT_EQ(state.Output(1).text, QStringLiteral("Monitor"));
  EXPECT_FALSE(state.Input(2).checked);
}

TEST_F(InterfaceSlotDlgStateTest, TickedRowsProposeTheirDefaultTexts) {
  InterfaceSlotDlgState state(*slot);
  state.Load();
  const QString inputs[] = {QStringLiteral("PC"), QStringLiteral("DCF77 receiver"), QStringLiteral("INP1"),
                            QStringLiteral("INP2")};
  const QString outputs[] = {QStringLiteral("READY"), QStringLiteral("Monitor"), QStringLiteral("REMOTE"), QString()};
  for (int row = 0; row < InterfaceSlotDlgState::kRows; ++row) {
    state.Tick(false, row, true);
    EXPECT_EQ(state.Input(row).text, inputs[row]) << row;
    state.Tick(true, row, true);
    EXPECT_EQ(state.Output(row).text, outputs[row]) << row;
    state.Tick(true, row, false);
    EXPECT_TRUE(state.Output(row).text.isEmpty()) << row;
  }
}

TEST_F(InterfaceSlotDlgStateTest, TickingInp1AndOkAttachesANamedInterfaceInputPad) {
  InterfaceSlotDlgState state(*slot);
  state.Load();
  state.Tick(false, CInterfaceSlot::IN_INP1, true);
  EXPECT_EQ(state.Apply(), 0);
  auto* pad = dynamic_cast<CControlPad*>(AtInput(CInterfaceSlot::IN_INP1));
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(pad->GetKind(), CControlPad::kKindInterfaceInput);
  EXPECT_EQ(pad->GetName(), QStringLiteral("INP1"));
  EXPECT_EQ(state.Input(CInterfaceSlot::IN_INP1).object, pad);
  EXPECT_EQ(Count(DT_CONTROLPAD), 1);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(InterfaceSlotDlgStateTest, ATypedNameIsTheNewObjectsName) {
  InterfaceSlotDlgState state(*slot);
  state.Load();
  state.Tick(true, CInterfaceSlot::OUT_READY, true);
  state.SetText(true, CInterfaceSlot::OUT_READY, QStringLiteral("System ready"));
  state.Tick(false, CInterfaceSlot::IN_RS232, true);
  state.Apply();
  ASSERT_NE(AtOutput(CInterfaceSlot::OUT_READY), nullptr);
  EXPECT_EQ(AtOutput(CInterfaceSlot::OUT_READY)->GetName(), QStringLiteral("System ready"));
  EXPECT_EQ(AtOutput(CInterfaceSlot::OUT_READY)->GetKind(), CControlPad::kKindReady);
  ASSERT_NE(AtInput(CInterfaceSlot::IN_RS232), nullptr);
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_RS232)->GetKind(), CAudioInputDevice::kKindPC);
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_RS232)->GetName(), QStringLiteral("PC"));
}

TEST_F(InterfaceSlotDlgStateTest, EmptyingTheNameOfTheReadyPadDeletesIt) {
  ASSERT_NE(AttachOutput(CInterfaceSlot::ID_READY, CInterfaceSlot::OUT_READY), nullptr);
  ASSERT_EQ(Count(DT_CONTROLPAD), 1);
  InterfaceSlotDlgState state(*slot);
  state.Load();
  state.SetText(true, CInterfaceSlot::OUT_READY, QString());
  state.Apply();
  EXPECT_EQ(AtOutput(CInterfaceSlot::OUT_READY), nullptr);
  EXPECT_EQ(Count(DT_CONTROLPAD), 0);
  EXPECT_EQ(state.Output(CInterfaceSlot::OUT_READY).object, nullptr);
}

TEST_F(InterfaceSlotDlgStateTest, ClearingTheBoxDeletesTheMonitorDevice) {
  ASSERT_NE(AttachOutput(CInterfaceSlot::ID_MONITOR, CInterfaceSlot::OUT_MONITOR), nullptr);
  InterfaceSlotDlgState state(*slot);
  state.Load();
  state.Tick(true, CInterfaceSlot::OUT_MONITOR, false);
  state.Apply();
  EXPECT_EQ(AtOutput(CInterfaceSlot::OUT_MONITOR), nullptr);
  EXPECT_EQ(Count(DT_AUDIOINPUTDEVICE), 0);
}

TEST_F(InterfaceSlotDlgStateTest, ARenameToAUsedNameIsMadeUniqueAndTold) {
  AttachInput(CInterfaceSlot::ID_INP1, CInterfaceSlot::IN_INP1);
  CBaseDevice* ready = AttachOutput(CInterfaceSlot::ID_READY, CInterfaceSlot::OUT_READY);
  InterfaceSlotDlgState state(*slot);
  state.Load();
  state.SetText(true, CInterfaceSlot::OUT_READY, QStringLiteral("INP1"));
  state.Apply();
  EXPECT_EQ(ready->GetName(), QStringLiteral("INP1_1"));
  EXPECT_TRUE(messages.Saw(34213));
}

TEST_F(InterfaceSlotDlgStateTest, UntouchedRowsKeepTheirObjectsEvenWithoutAName) {
  // A pad whose name got lost in a file shows as an empty row; OK without
  // touching the row must not take that for "delete".
  CBaseDevice* pad = AttachInput(CInterfaceSlot::ID_INP2, CInterfaceSlot::IN_INP2);
  pad->SetName(QString());
  InterfaceSlotDlgState state(*slot);
  state.Load();
  EXPECT_FALSE(state.Input(CInterfaceSlot::IN_INP2).checked);
  state.Apply();
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_INP2), pad);
  EXPECT_EQ(Count(DT_CONTROLPAD), 1);
}

TEST_F(InterfaceSlotDlgStateTest, ARowTheSlotCannotAttachRenamesNoOtherObject) {
  // The remote output attaches nothing; the pad last wired to the slot must
  // not take the remote row's name instead.
  CBaseDevice* ready = AttachOutput(CInterfaceSlot::ID_READY, CInterfaceSlot::OUT_READY);
  InterfaceSlotDlgState state(*slot);
  state.Load();
  state.Tick(true, CInterfaceSlot::OUT_REMOTE, true);
  state.Apply();
  EXPECT_EQ(AtOutput(CInterfaceSlot::OUT_REMOTE), nullptr);
  EXPECT_EQ(ready->GetName(), QStringLiteral("READY"));
  EXPECT_EQ(Count(DT_CONTROLPAD), 1);
}

TEST_F(InterfaceSlotDlgStateTest, RowsOutsideTheDialogAreIgnored) {
  InterfaceSlotDlgState state(*slot);
  state.Load();
  state.Tick(false, 4, true);
  state.Tick(true, -1, true);
  state.SetText(false, 99, QStringLiteral("x"));
  EXPECT_TRUE(state.Input(4).text.isEmpty());
  EXPECT_TRUE(state.Output(-1).text.isEmpty());
  EXPECT_EQ(state.Apply(), 0);
  EXPECT_EQ(Count(DT_CONTROLPAD), 0);
  EXPECT_EQ(InterfaceSlotDlgState::RowCommand(true, 3), 0);
}

TEST_F(InterfaceSlotDlgStateTest, TheSecondModelChangesTheAttachedSupplyInsteadOfAddingOne) {
  CBaseDevice* supply = AttachInput(CInterfaceSlot::ID_RTP3004, CInterfaceSlot::IN_POWER);
  ASSERT_NE(supply, nullptr);
  InterfaceSlotDlgState state(*slot);
  state.Load();
  EXPECT_EQ(state.PowerChoice(), 0);
  EXPECT_EQ(state.PowerSupply(), supply);
  doc.SetModifiedFlag(false);
  state.ChoosePower(1);
  EXPECT_EQ(state.Apply(), 0);
  EXPECT_EQ(supply->GetKind(), CAudioInputDevice::kKindRTP3012);
  EXPECT_EQ(Count(DT_AUDIOINPUTDEVICE), 1);
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(InterfaceSlotDlgStateTest, AChosenModelWithoutSupplyIsLeftForTheSlot) {
  InterfaceSlotDlgState state(*slot);
  state.Load();
  state.ChoosePower(1);
  EXPECT_EQ(state.Apply(), CInterfaceSlot::ID_RTP3012);
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_POWER), nullptr);
  state.ChoosePower(7);
  EXPECT_EQ(state.PowerChoice(), 1);
}

TEST_F(InterfaceSlotDlgStateTest, AForgottenObjectIsNotTouched) {
  CBaseDevice* pad = AttachInput(CInterfaceSlot::ID_INP1, CInterfaceSlot::IN_INP1);
  InterfaceSlotDlgState state(*slot);
  state.Load();
  state.Forget(pad);
  EXPECT_EQ(state.Input(CInterfaceSlot::IN_INP1).object, nullptr);
}

}  // namespace
