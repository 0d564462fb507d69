// The power supply's settings: each parameter read back as set, the
// auxiliary objects it creates, rewires and removes, the project file, and
// the dialog hook.
#include "unit/powersupplylogic.h"
#include "logic/ccondition.h"
#include "logic/clogicout.h"
#include "logic/ctrigger.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"
#include "support/tempprofile.h"
#include "unit/caudioinputdevice.h"
#include "unit/ccontrolpad.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace PowerSupplyLogic;

class PowerSupplyLogicTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    ps = AddDevice(CAudioInputDevice::kKindRTP3004);
    ASSERT_NE(ps, nullptr);
  }

  CAudioInputDevice* AddDevice(int kind) {
    auto device = std::make_unique<CAudioInputDevice>();
    if (!device->Create(kind, 10, 10, QStringLiteral("Power Supply"), QRect(0, 0, 40, 40), 13, 0, 16, &doc))
      return nullptr;
    return doc.Adopt(std::move(device));
  }
  int AddPad(int kind) {
    auto pad = std::make_unique<CControlPad>();
    EXPECT_TRUE(pad->Create(kind, 1, 1, QString(), QRect(), CAT_ENTRIES, 0, 3, &doc));
    return doc.AddObject(std::move(pad))->GetID();
  }
  template <class T>
  T* Linked(int pin, int type) {
    for (const ConnectionRecord& r : ps->GetInputConnections())
      if (r.nOwnPin == pin && r.pPeer && r.pPeer->GetType() == type) return dynamic_cast<T*>(r.pPeer);
    return nullptr;
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CAudioInputDevice* ps = nullptr;
};

TEST_F(PowerSupplyLogicTest, NewPowerSupplyHasNothingSet) {
  for (int index = 0; index <= 14; ++index) EXPECT_EQ(ps->GetPowerSupplyParam(index), 0) << index;
  QString text = QStringLiteral("x");
  ps->GetPowerSupplyText(text, 6);
  EXPECT_EQ(text, QString());
}

TEST_F(PowerSupplyLogicTest, PowerFailureConditionExistsOnceParameterZeroWasSet) {
  const int pad = AddPad(CControlPad::kKindDigitalInput);
  ps->SetPowerSupplyParam(0, pad, 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(0), pad);
  const int conditionId = ps->GetPowerSupplyParam(13);
  ASSERT_GT(conditionId, 0);
  auto* condition = dynamic_cast<CCondition*>(doc.GetIDManager().FindBaseDevice(conditionId, DT_CONDITION));
  ASSERT_NE(condition, nullptr);
  EXPECT_EQ(condition->GetKind(), CCondition::kKindInput);
  EXPECT_EQ(condition->GetName(), QStringLiteral("PS Power failure"));
  ps->SetPowerSupplyParam(0, 0, 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(0), 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(13), conditionId);
  // Setting it again uses the same condition.
  ps->SetPowerSupplyParam(0, pad, 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(13), conditionId);
}

TEST_F(PowerSupplyLogicTest, OnOffOutputIsALogicOutputOnThePad) {
  const int pad = AddPad(CControlPad::kKindDigitalOutput);
  const int other = AddPad(CControlPad::kKindDigitalOutput);
  ps->SetPowerSupplyParam(1, pad, 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(1), pad);
  auto* out = Linked<CLogicOut>(kPinOnOffOutput, DT_LOGICOUT);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(out->GetValue(4), pad);
  ps->SetPowerSupplyParam(1, other, 0);
  EXPECT_EQ(Linked<CLogicOut>(kPinOnOffOutput, DT_LOGICOUT), out);
  EXPECT_EQ(ps->GetPowerSupplyParam(1), other);
  const int outId = out->GetID();
  ps->SetPowerSupplyParam(1, 0, 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(1), 0);
  EXPECT_EQ(doc.GetIDManager().FindBaseDevice(outId, DT_LOGICOUT), nullptr);
}

TEST_F(PowerSupplyLogicTest, ExternalSignalSwitchesTheSystemThroughATrigger) {
  const int input = AddPad(CControlPad::kKindInterfaceInput);
  const int output = AddPad(CControlPad::kKindDigitalOutput);
  ps->SetPowerSupplyParam(1, output, 0);
  ps->SetPowerSupplyParam(2, input, 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(2), input);
  auto* condition = Linked<CCondition>(kPinExtCondition, DT_CONDITION);
  auto* trigger = Linked<CTrigger>(kPinExtTrigger, DT_TRIGGER);
  ASSERT_TRUE(condition && trigger);
  EXPECT_EQ(trigger->GetParam(0), condition->GetID());
  auto* on = dynamic_cast<CMacro*>(doc.GetIDManager().FindBaseDevice(trigger->GetParam(2), DT_MACRO));
  auto* off = dynamic_cast<CMacro*>(doc.GetIDManager().FindBaseDevice(trigger->GetParam(3), DT_MACRO));
  ASSERT_TRUE(on && off);
  EXPECT_EQ(on->GetKind(), CMacro::kKindPower);
  EXPECT_EQ(on->GetParam(CMacro::P_SWITCH), 1);
  EXPECT_EQ(off->GetParam(CMacro::P_SWITCH), 0);
  EXPECT_EQ(on->GetPartner(), off);
  // The ON/OFF output passes the external switch on.
  EXPECT_EQ(Linked<CLogicOut>(kPinOnOffOutput, DT_LOGICOUT)->GetValue(2), condition->GetID());
  // Switching the input off removes the condition and the trigger, not the
  // project's operating-voltage macros.
  ps->SetPowerSupplyParam(2, 0, 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(2), 0);
  EXPECT_EQ(Linked<CTrigger>(kPinExtTrigger, DT_TRIGGER), nullptr);
  EXPECT_NE(CMacro::Find(&doc, on->GetID()), nullptr);
  EXPECT_EQ(Linked<CLogicOut>(kPinOnOffOutput, DT_LOGICOUT)->GetValue(2), 0);
}

TEST_F(PowerSupplyLogicTest, ExistingOperatingVoltagePairIsUsed) {
  CMacro* on = CMacro::CreateMacro(CMacro::kKindPower, doc);
  CMacro* off = CMacro::CreateMacro(CMacro::kKindPower, doc);
  on->SetParam(CMacro::P_SWITCH, 1);
  CMacro::MakePair(*on, *off);
  ps->SetPowerSupplyParam(2, AddPad(CControlPad::kKindDigitalInput), 0);
  auto* trigger = Linked<CTrigger>(kPinExtTrigger, DT_TRIGGER);
  ASSERT_NE(trigger, nullptr);
  EXPECT_EQ(trigger->GetParam(2), on->GetID());
  EXPECT_EQ(trigger->GetParam(3), off->GetID());
  std::vector<CBaseDevice*> power;
  doc.GetIDManager().GetBaseDeviceListByKind(power, DT_MACRO, CMacro::kKindPower);
  EXPECT_EQ(power.size(), 2u);
}

TEST_F(PowerSupplyLogicTest, DisplayTextsAreLcdMacrosFiredByThePowerModeTrigger) {
  ps->SetPowerSupplyParam(0, AddPad(CControlPad::kKindDigitalInput), 0);
  ps->SetPowerSupplyParam(3, 1, 0);
  ps->SetPowerSupplyParam(9, 0, 0);
  ps->SetPowerSupplyText(6, QStringLiteral("Mains OK"), 0);
  ps->SetPowerSupplyParam(5, 3, 0);
  ps->SetPowerSupplyParam(11, 4, 0);
  ps->SetPowerSupplyText(8, QStringLiteral("Standby, please wait"), 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(3), 1);
  EXPECT_EQ(ps->GetPowerSupplyParam(4), 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(5), 3);
  EXPECT_EQ(ps->GetPowerSupplyParam(9), 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(11), 4);
  QString text;
  ps->GetPowerSupplyText(text, 6);
  EXPECT_EQ(text, QStringLiteral("Mains OK"));
  ps->GetPowerSupplyText(text, 8);
  EXPECT_EQ(text, QStringLiteral("Standby, please "));  // cut to the display's 16 characters
  ps->GetPowerSupplyText(text, 7);
  EXPECT_EQ(text, QString());

  auto* mains = Linked<CMacro>(kPinMainsText, DT_MACRO);
  auto* standby = Linked<CMacro>(kPinStandbyText, DT_MACRO);
  auto* trigger = Linked<CTrigger>(kPinModeTrigger, DT_TRIGGER);
  ASSERT_TRUE(mains && standby && trigger);
  EXPECT_EQ(mains->GetKind(), CMacro::kKindLCDText);
  EXPECT_EQ(trigger->GetParam(0), ps->GetPowerSupplyParam(13));
  EXPECT_EQ(trigger->GetParam(3), mains->GetID());
  EXPECT_EQ(trigger->GetParam(2), standby->GetID());

  // With a charger a power failure shows the battery text.
  ps->SetPowerSupplyParam(12, 1, 0);
  EXPECT_EQ(trigger->GetParam(2), 0);
  ps->SetPowerSupplyParam(4, 2, 0);
  ps->SetPowerSupplyText(7, QStringLiteral("On battery"), 0);
  auto* battery = Linked<CMacro>(kPinBatteryText, DT_MACRO);
  ASSERT_NE(battery, nullptr);
  EXPECT_EQ(trigger->GetParam(2), battery->GetID());
  EXPECT_EQ(battery->GetParamText(CMacro::P_TEXT), QStringLiteral("On battery"));

  // A mode set to "OFF" keeps its console and text but is no longer shown.
  ps->SetPowerSupplyParam(3, 0, 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(3), 0);
  EXPECT_EQ(trigger->GetParam(3), 0);
  ps->GetPowerSupplyText(text, 6);
  EXPECT_EQ(text, QStringLiteral("Mains OK"));
  // No text shown at all: the trigger goes.
  ps->SetPowerSupplyParam(4, 0, 0);
  ps->SetPowerSupplyParam(5, 0, 0);
  EXPECT_EQ(Linked<CTrigger>(kPinModeTrigger, DT_TRIGGER), nullptr);
}

TEST_F(PowerSupplyLogicTest, NewTextMacroStartsWithTheModesDefaultText) {
  ps->SetPowerSupplyParam(4, 1, 0);
  QString text;
  ps->GetPowerSupplyText(text, 7);
  EXPECT_EQ(text, QStringLiteral("<Battery mode>"));
}

TEST_F(PowerSupplyLogicTest, OtherDevicesAndIndexesAreLeftAlone) {
  CAudioInputDevice* pc = AddDevice(CAudioInputDevice::kKindPC);
  ASSERT_NE(pc, nullptr);
  const int objects = doc.GetTotalObjectCount();
  pc->SetPowerSupplyParam(0, 1, 0);
  pc->SetPowerSupplyParam(3, 1, 0);
  pc->SetPowerSupplyText(6, QStringLiteral("x"), 0);
  ps->SetPowerSupplyParam(14, 1, 0);
  ps->SetPowerSupplyParam(-1, 1, 0);
  ps->SetPowerSupplyText(5, QStringLiteral("x"), 0);
  EXPECT_EQ(doc.GetTotalObjectCount(), objects);
  EXPECT_EQ(pc->GetPowerSupplyParam(0), 0);
  bool called = false;
  DialogHook previous = SetDialogHook([&](CAudioInputDevice&) { called = true; });
  pc->ShowPowerSupplyDialog();
  EXPECT_FALSE(called);
  ps->ShowPowerSupplyDialog();
  EXPECT_TRUE(called);
  SetDialogHook(previous);
}

TEST_F(PowerSupplyLogicTest, SettingsSurviveTheProjectFile) {
  const int input = AddPad(CControlPad::kKindDigitalInput);
  const int output = AddPad(CControlPad::kKindDigitalOutput);
  const int external = AddPad(CControlPad::kKindInterfaceInput);
  ps->SetPowerSupplyParam(0, input, 0);
  ps->SetPowerSupplyParam(1, output, 0);
  ps->SetPowerSupplyParam(2, external, 0);
  ps->SetPowerSupplyParam(3, 1, 0);
  ps->SetPowerSupplyParam(10, 0, 0);
  ps->SetPowerSupplyParam(4, 2, 0);
  ps->SetPowerSupplyParam(12, 1, 0);
  ps->SetPowerSupplyText(7, QStringLiteral("Battery!"), 0);
  CSelvantisDoc loaded;
  ASSERT_TRUE(LoadProject(loaded, SaveProject(doc)));
  auto* copy = dynamic_cast<CAudioInputDevice*>(loaded.GetIDManager().FindBaseDevice(ps->GetID(), DT_AUDIOINPUTDEVICE));
  ASSERT_NE(copy, nullptr);
  for (int index = 0; index <= 13; ++index)
    EXPECT_EQ(copy->GetPowerSupplyParam(index), ps->GetPowerSupplyParam(index)) << index;
  QString text;
  copy->GetPowerSupplyText(text, 7);
  EXPECT_EQ(text, QStringLiteral("Battery!"));
}

}  // namespace
