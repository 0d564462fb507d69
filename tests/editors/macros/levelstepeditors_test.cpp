#include "amps/cmonitor.h"
#include "editors/macros/cdigiomacroview.h"
#include "editors/macros/cinselmacroview.h"
#include "editors/macros/cmacrodlgfrm.h"
#include "editors/macros/cmacrodlglistview.h"
#include "editors/macros/cmonitormacroview.h"
#include "editors/macros/cvirtctrlmacroview.h"
#include "editors/macros/cvolumemacroview.h"
#include "editors/macros/levelstepfields.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "shell/controls/cvalueedit.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"
#include "unit/caudioinputslot.h"
#include "unit/ccontrolpad.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QRect>
#include <QSpinBox>
#include <QTest>

#include "editors/macros/macrosteptest.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

class LevelStepTest : public MacroStepTest {
 protected:
  CBaseDevice* AddPad(int kind) {
    auto pad = std::make_unique<CControlPad>();
    if (!pad->Create(kind, 1, 1, QString(), QRect(), CAT_ENTRIES, 0, 3, doc.get())) return nullptr;
    return doc->AddObject(std::move(pad));
  }
};

}  // namespace

TEST_F(LevelStepTest, DigitalOutputOffDisconnectsBothMacrosOfThePair) {
  CBaseDevice* pad = AddPad(34322);
  ASSERT_NE(pad, nullptr);
  CMacro* on = Create(CMacro::kKindDigitalIO);
  ASSERT_NE(on, nullptr);
  CMacro* off = on->GetPartner();
  ASSERT_NE(off, nullptr);
  auto* view = StepView<CDIGIOMacroView>();
  ASSERT_NE(view, nullptr);
  const int index = view->OutputList()->findData(pad->GetID());
  ASSERT_GT(index, 0);
  Choose(view->OutputList(), index);
  EXPECT_EQ(LevelStepFields::ConnectedOutput(*on), pad);
  EXPECT_EQ(LevelStepFields::ConnectedOutput(*off), pad);
  Choose(view->OutputList(), 0);
  EXPECT_EQ(LevelStepFields::ConnectedOutput(*on), nullptr);
  EXPECT_EQ(LevelStepFields::ConnectedOutput(*off), nullptr);
}

TEST_F(LevelStepTest, DigitalOutputTimeTextWithoutNumberSwitchesStatically) {
  CMacro* on = Create(CMacro::kKindDigitalIO);
  ASSERT_NE(on, nullptr);
  auto* view = StepView<CDIGIOMacroView>();
  ASSERT_NE(view, nullptr);
  view->TimeEdit()->setText(QStringLiteral("2.5"));
  emit view->TimeEdit()->textEdited(view->TimeEdit()->text());
  EXPECT_FLOAT_EQ(on->GetParamFloat(CMacro::P_PULSE), 2.5f);
  ASSERT_NE(on->GetPartner(), nullptr);
  EXPECT_FLOAT_EQ(on->GetPartner()->GetParamFloat(CMacro::P_PULSE), 2.5f);
  emit view->TimeEdit()->textEdited(QStringLiteral("abc"));
  EXPECT_FLOAT_EQ(on->GetParamFloat(CMacro::P_PULSE), 0.0f);
}

TEST_F(LevelStepTest, AuxModuleFirstAndMicLineSecondOffersThreeInputs) {
  std::vector<CBaseDevice*> inputSlots;
  doc->GetIDManager().GetBaseDeviceList(inputSlots, DT_AUDIOINPUTSLOT);
  if (inputSlots.empty()) doc->CreateObject(DT_AUDIOINPUTSLOT, 0);
  inputSlots.clear();
  doc->GetIDManager().GetBaseDeviceList(inputSlots, DT_AUDIOINPUTSLOT);
  ASSERT_FALSE(inputSlots.empty());
  for (CBaseDevice* device : inputSlots) {
    auto* slot = dynamic_cast<CAudioInputSlot*>(device);
    ASSERT_NE(slot, nullptr);
    slot->SetModuleKind(0, CAudioInputSlot::MODULE_NONE);
    slot->SetModuleKind(1, CAudioInputSlot::MODULE_NONE);
  }
  auto* slot = dynamic_cast<CAudioInputSlot*>(inputSlots.front());
  slot->SetModuleKind(0, CAudioInputSlot::MODULE_AUX);
  slot->SetModuleKind(1, CAudioInputSlot::MODULE_MIC);
  const int s = slot->GetID();
  const auto choices = LevelStepFields::AuxInputChoices(doc.get());
  ASSERT_EQ(choices.size(), 4u);
  EXPECT_EQ(choices[0].text, "OFF");
  EXPECT_EQ(choices[1].text, QStringLiteral("IN%1 AUX1").arg(2 * s - 1));
  EXPECT_EQ(choices[1].data, (2 * s - 1) * 65536 + 1);
  EXPECT_EQ(choices[2].text, QStringLiteral("IN%1 AUX2").arg(2 * s - 1));
  EXPECT_EQ(choices[2].data, (2 * s - 1) * 65536 + 2);
  EXPECT_EQ(choices[3].text, QStringLiteral("IN%1 MIC/LINE").arg(2 * s));
  EXPECT_EQ(choices[3].data, 2 * s * 65536 + 1);

  CMacro* macro = Create(CMacro::kKindAuxSwitch);
  ASSERT_NE(macro, nullptr);
  auto* view = StepView<CInselMacroView>();
  ASSERT_NE(view, nullptr);
  Choose(view->InputList(), 2);
  EXPECT_EQ(macro->GetParam(CMacro::P_INPUT), 2 * s - 1);
  EXPECT_EQ(macro->GetParam(CMacro::P_ADDSUB), 2);
  Choose(view->InputList(), 0);
  EXPECT_EQ(macro->GetParam(CMacro::P_INPUT), 0);
  EXPECT_EQ(macro->GetParam(CMacro::P_ADDSUB), 1);
}

TEST(LevelStepFieldsTest, VolumeNamesFollowTheMode) {
  EXPECT_EQ(LevelStepFields::VolumeName(QStringLiteral("Vol UP"), false, true), "Vol SET");
  EXPECT_EQ(LevelStepFields::VolumeName(QStringLiteral("Vol DOWN"), false, false), "Vol SET");
  EXPECT_EQ(LevelStepFields::VolumeName(QStringLiteral("Vol SET"), true, true), "Vol UP");
  EXPECT_EQ(LevelStepFields::VolumeName(QStringLiteral("Vol SET"), true, false), "Vol DOWN");
  EXPECT_EQ(LevelStepFields::VolumeRange(true), std::make_pair(0, 6));
  EXPECT_EQ(LevelStepFields::VolumeRange(false), std::make_pair(-150, 6));
  EXPECT_EQ(LevelStepFields::VolumeSources().size(), 13);
}

TEST_F(LevelStepTest, VolumeDirectAndBackSetsStepsAndRange) {
  CMacro* on = Create(CMacro::kKindVolume);
  ASSERT_NE(on, nullptr);
  CMacro* off = on->GetPartner();
  ASSERT_NE(off, nullptr);
  LevelStepFields::SetVolumeMode(*on, false);
  EXPECT_EQ(on->GetParam(CMacro::P_INC), 0);
  EXPECT_EQ(off->GetParam(CMacro::P_INC), 0);
  LevelStepFields::SetVolumeMode(*on, true);
  EXPECT_EQ(on->GetParam(CMacro::P_INC), on->GetParam(CMacro::P_SWITCH) != 0 ? 1 : -1);
  EXPECT_EQ(off->GetParam(CMacro::P_INC), off->GetParam(CMacro::P_SWITCH) != 0 ? 1 : -1);
  frame->RefreshMacroList();
  QCoreApplication::processEvents();
  auto* view = StepView<CVolumeMacroView>();
  ASSERT_NE(view, nullptr);
  view->Spin()->setValue(100);
  EXPECT_EQ(view->Spin()->value(), 6);
  view->Spin()->setValue(-100);
  EXPECT_EQ(view->Spin()->value(), 0);
}

TEST_F(LevelStepTest, VolumePairNamedUpDownBecomesSetAndBack) {
  CMacro* on = Create(CMacro::kKindVolume);
  ASSERT_NE(on, nullptr);
  CMacro* off = on->GetPartner();
  ASSERT_NE(off, nullptr);
  CMacro* up = on->GetParam(CMacro::P_SWITCH) != 0 ? on : off;
  CMacro* down = up == on ? off : on;
  up->SetUniqueName(QStringLiteral("Vol UP"), false);
  down->SetUniqueName(QStringLiteral("Vol DOWN"), false);
  LevelStepFields::SetVolumeMode(*up, false);
  EXPECT_TRUE(up->GetName().startsWith("Vol SET"));
  EXPECT_TRUE(down->GetName().startsWith("Vol SET"));
  LevelStepFields::SetVolumeMode(*up, true);
  EXPECT_EQ(up->GetName(), "Vol UP");
  EXPECT_EQ(down->GetName(), "Vol DOWN");
}

TEST_F(LevelStepTest, MonitorListsUsedEntriesAndTheSelectedUnusedOne) {
  CMonitor* monitor = CMonitor::Find(doc.get());
  ASSERT_NE(monitor, nullptr);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(monitor->SetValue((i << 16) | CMonitor::KC_IN, i + 1));
  auto choices = LevelStepFields::MonitorChoices(doc.get(), 0);
  ASSERT_EQ(choices.size(), 4u);
  EXPECT_EQ(choices[0].text, "OFF");
  EXPECT_TRUE(choices[1].text.startsWith("(1) "));
  EXPECT_TRUE(choices[2].text.startsWith("(2) "));
  EXPECT_TRUE(choices[3].text.startsWith("(3) "));
  EXPECT_EQ(choices[3].data, 3);
  ASSERT_TRUE(monitor->SetValue((1 << 16) | CMonitor::KC_OFF, 0));
  choices = LevelStepFields::MonitorChoices(doc.get(), 2);
  ASSERT_EQ(choices.size(), 4u);
  EXPECT_EQ(choices[2].text, "(2) OFF");
  choices = LevelStepFields::MonitorChoices(doc.get(), 0);
  EXPECT_EQ(choices.size(), 3u);
}

TEST_F(LevelStepTest, MonitorTableGivesThePartnerTheOppositeSign) {
  CMacro* on = Create(CMacro::kKindMonitor);
  ASSERT_NE(on, nullptr);
  CMacro* off = on->GetPartner();
  ASSERT_NE(off, nullptr);
  auto* view = StepView<CMonitorMacroView>();
  ASSERT_NE(view, nullptr);
  view->TableButton()->click();
  EXPECT_FALSE(view->EntryList()->isEnabled());
  const int sign = on->GetParam(CMacro::P_SWITCH) != 0 ? 1 : -1;
  EXPECT_EQ(on->GetParam(CMacro::P_MONI_NEXT), sign);
  EXPECT_EQ(off->GetParam(CMacro::P_MONI_NEXT), -sign);
  view->DirectButton()->click();
  EXPECT_TRUE(view->EntryList()->isEnabled());
  EXPECT_EQ(on->GetParam(CMacro::P_MONI_NEXT), 0);
  EXPECT_EQ(off->GetParam(CMacro::P_MONI_NEXT), 0);
}

TEST_F(LevelStepTest, VirtualControllerStepsShowAsStoredAndReachThePartner) {
  CMacro* first = Create(CMacro::kKindVirtCtrl);
  ASSERT_NE(first, nullptr);
  CMacro* partner = first->GetPartner();
  ASSERT_NE(partner, nullptr);
  auto* view = StepView<CVirtCtrlMacroView>();
  ASSERT_NE(view, nullptr);
  view->StepsEdit()->setText(QStringLiteral("5"));
  view->OnKillfocusSteps();
  const int stored = first->GetParam(CMacro::P_INC);
  EXPECT_EQ(stored, first->GetParam(CMacro::P_SWITCH) != 0 ? 5 : -5);
  EXPECT_EQ(view->StepsEdit()->text(), QString::number(stored));
  view->TextEdit()->setText(QStringLiteral("Hall"));
  view->OnKillfocusText(CMacro::P_TEXT);
  EXPECT_EQ(partner->GetParamText(CMacro::P_TEXT), "Hall");
  view->ValueEdit()->setText(QStringLiteral("1.5"));
  view->OnKillfocusValue();
  EXPECT_FLOAT_EQ(partner->GetParamFloat(CMacro::P_VC_VALUE), 1.5f);
}

TEST_F(LevelStepTest, VirtualControllerTitleAndUnitTakeOneDisplayLineOfTyping) {
  CMacro* first = Create(CMacro::kKindVirtCtrl);
  ASSERT_NE(first, nullptr);
  auto* view = StepView<CVirtCtrlMacroView>();
  ASSERT_NE(view, nullptr);
  const struct {
    CValueEdit* edit;
    int param;
  } rows[] = {{view->TextEdit(), CMacro::P_TEXT}, {view->UnitEdit(), CMacro::P_UNIT}};
  for (const auto& row : rows) {
    row.edit->clear();
    QTest::keyClicks(row.edit, QStringLiteral("0123456789ABCDEFGHIJ"));
    EXPECT_EQ(row.edit->text(), QStringLiteral("0123456789ABCDEF")) << row.param;
    view->OnKillfocusText(row.param);
    EXPECT_EQ(first->GetParamText(row.param), QStringLiteral("0123456789ABCDEF")) << row.param;
    EXPECT_EQ(first->GetPartner()->GetParamText(row.param), QStringLiteral("0123456789ABCDEF")) << row.param;
  }
}
