#include "amps/czone.h"
#include "editors/macros/calarmmacroview.h"
#include "editors/macros/cbackgroundmacroview.h"
#include "editors/macros/cchimemacroview.h"
#include "editors/macros/cmacrodlgfrm.h"
#include "editors/macros/cmacrodlglistview.h"
#include "editors/macros/cmessagemacroview.h"
#include "editors/macros/cpagemacroview.h"
#include "editors/macros/zonestepfields.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "shell/controls/cellipsisstatic.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ZoneStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = std::make_unique<CSelvantisDoc>();
    doc->OnNewDocument();
    SetActiveDoc(doc.get());
  }
  void TearDown() override {
    frame.reset();
    SetActiveDoc(nullptr);
  }
  // A new macro of the kind (a pair where the kind has one), its editor shown.
  template <class View>
  View* Create(int kind) {
    if (!frame) {
      frame = std::make_unique<CMacroDlgFrm>(HostFrameContext{doc.get(), nullptr, HostFrameKind::Macros});
      frame->resize(900, 400);
      frame->show();
      frame->GetListView()->SetChooser([kind](uint32_t, const QString&) { return std::optional<int>(kind); });
    }
    frame->OnCommand(CMacroDlgFrm::kNewMacro);
    return qobject_cast<View*>(frame->GetStepView());
  }
  template <class View>
  View* Current() {
    QApplication::processEvents();
    return qobject_cast<View*>(frame->GetStepView());
  }
  static void Choose(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  CMacro* Macro(int id) const { return CMacro::Find(doc.get(), id); }

  TempProfile profile;
  MessageRecorder messages;
  std::unique_ptr<CSelvantisDoc> doc;
  std::unique_ptr<CMacroDlgFrm> frame;
};

}  // namespace

TEST(ZoneStepFieldsTest, ModeNamesReplaceEveryOccurrence) {
  EXPECT_EQ(ZoneStepFields::ModeName("Alarm 1 ON", true, true), "Alarm 1 ADD");
  EXPECT_EQ(ZoneStepFields::ModeName("Alarm 1 OFF", true, false), "Alarm 1 SUB");
  EXPECT_EQ(ZoneStepFields::ModeName("Alarm 1 ADD", false, true), "Alarm 1 ON");
  EXPECT_EQ(ZoneStepFields::ModeName("Alarm 1 SUB", false, false), "Alarm 1 OFF");
  // Inside a word too, and "OFF" in an ON macro name is left alone.
  EXPECT_EQ(ZoneStepFields::ModeName("MONITOR ON", true, true), "MADDITOR ADD");
  EXPECT_EQ(ZoneStepFields::ModeName("MADDITOR ADD", false, true), "MONITOR ON");
  EXPECT_EQ(ZoneStepFields::ModeName("CONFIG OFF", true, false), "CONFIG SUB");
}

TEST(ZoneStepFieldsTest, InputChoicesAndOutOfRangeInput) {
  const MacroStepFields::Choices inputs = ZoneStepFields::InputChoices();
  ASSERT_EQ(inputs.size(), 5u);
  EXPECT_EQ(inputs[0].text, "OFF");
  EXPECT_EQ(inputs[3].text, "IN3");
  EXPECT_EQ(inputs[3].data, 3);
  EXPECT_EQ(ZoneStepFields::InputIndex(4), 4);
  EXPECT_EQ(ZoneStepFields::InputIndex(9), 0);
  EXPECT_EQ(ZoneStepFields::InputIndex(-1), 0);
}

TEST_F(ZoneStepTest, AlarmPairSwitchesToAddSubAndBack) {
  auto* view = Create<CAlarmMacroView>(CMacro::kKindAlarm);
  ASSERT_NE(view, nullptr);
  CMacro* on = Macro(1);
  CMacro* off = Macro(2);
  ASSERT_TRUE(on && off);
  on->SetUniqueName("Alarm 1 ON", false);
  off->SetUniqueName("Alarm 1 OFF", false);
  EXPECT_TRUE(view->OnOffRadio()->isChecked());

  view->AddSubRadio()->click();
  EXPECT_EQ(on->GetName(), "Alarm 1 ADD");
  EXPECT_EQ(off->GetName(), "Alarm 1 SUB");
  EXPECT_EQ(on->GetParam(CMacro::P_ADDSUB), 1);
  EXPECT_EQ(off->GetParam(CMacro::P_ADDSUB), 1);
  EXPECT_EQ(on->GetParamText(CMacro::P_SWITCH), "ADD");
  EXPECT_EQ(off->GetParamText(CMacro::P_SWITCH), "SUB");

  view = Current<CAlarmMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->AddSubRadio()->isChecked());
  view->OnOffRadio()->click();
  EXPECT_EQ(on->GetName(), "Alarm 1 ON");
  EXPECT_EQ(off->GetName(), "Alarm 1 OFF");
  EXPECT_EQ(on->GetParam(CMacro::P_ADDSUB), 0);
  EXPECT_EQ(off->GetParamText(CMacro::P_SWITCH), "OFF");
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(ZoneStepTest, AlarmSignalAndPriorityMirroredOffStoresZero) {
  CBaseDevice* signal = doc->CreateObject(DT_ALARMSIGNAL, 0);
  ASSERT_NE(signal, nullptr);
  auto* view = Create<CAlarmMacroView>(CMacro::kKindAlarm);
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(view->SignalList()->count(), 2);
  EXPECT_EQ(view->SignalList()->itemText(0), "OFF");
  Choose(view->SignalList(), 1);
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_ALARM_SIGNAL), signal->GetID());
  EXPECT_EQ(Macro(2)->GetParam(CMacro::P_ALARM_SIGNAL), signal->GetID());
  Choose(view->SignalList(), 0);
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_ALARM_SIGNAL), 0);
  EXPECT_EQ(Macro(2)->GetParam(CMacro::P_ALARM_SIGNAL), 0);
  Choose(view->PriorityList(), 4);
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_PRIO), 40);
  EXPECT_EQ(Macro(2)->GetParam(CMacro::P_PRIO), 41);
}

TEST_F(ZoneStepTest, PriorityListOffersOffAndShowsTheTensOfTheStoredValue) {
  auto* view = Create<CAlarmMacroView>(CMacro::kKindAlarm);
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(view->PriorityList()->count(), 11);
  EXPECT_EQ(view->PriorityList()->itemText(0), "OFF");
  EXPECT_EQ(view->PriorityList()->itemText(10), "10");
  // A new alarm pair holds 90 and 91: both editors show "9".
  EXPECT_EQ(view->PriorityList()->currentText(), "9");
  Macro(1)->SetParam(CMacro::P_PRIO, 45);
  frame->ShowMacroEditor();
  view = Current<CAlarmMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->PriorityList()->currentText(), "4");
  Choose(view->PriorityList(), 0);
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_PRIO), 0);
  EXPECT_EQ(Macro(2)->GetParam(CMacro::P_PRIO), 1);
  // The OFF macro's 1 shows "OFF" too.
  frame->GetListView()->SelectRow(1);
  view = Current<CAlarmMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(frame->GetCurrentMacro(), Macro(2));
  EXPECT_EQ(view->PriorityList()->currentText(), "OFF");
}

TEST_F(ZoneStepTest, ZonesAppliedToBothAndCancelKeepsThem) {
  std::vector<CBaseDevice*> zones;
  for (int i = 0; i < 7; ++i) {
    auto object = std::make_unique<CZone>();
    ASSERT_TRUE(object->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, doc.get()));
    zones.push_back(doc->Adopt(std::move(object)));
  }
  auto* view = Create<CAlarmMacroView>(CMacro::kKindAlarm);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->ZoneText()->GetWindowText(), "No entry");

  std::vector<CBaseDevice*> offered;
  view->SetZoneChooser([&](std::vector<CBaseDevice*>& list) {
    offered = list;
    list = {zones[0], zones[1], zones[2], zones[3], zones[6]};
    return true;
  });
  view->ZoneButton()->click();
  EXPECT_TRUE(offered.empty());
  const QString expected = Macro(1)->GetParamText(CMacro::P_ZONES);
  EXPECT_EQ(expected, QString("%1-%2,%3").arg(zones[0]->GetID()).arg(zones[3]->GetID()).arg(zones[6]->GetID()));
  EXPECT_EQ(view->ZoneText()->GetWindowText(), expected);
  EXPECT_EQ(Macro(2)->GetParamText(CMacro::P_ZONES), expected);

  view->SetZoneChooser([&](std::vector<CBaseDevice*>& list) {
    offered = list;
    list.clear();
    return false;
  });
  view->ZoneButton()->click();
  EXPECT_EQ(offered.size(), 5u);
  EXPECT_EQ(Macro(1)->GetParamText(CMacro::P_ZONES), expected);
  EXPECT_EQ(Macro(2)->GetParamText(CMacro::P_ZONES), expected);
  EXPECT_EQ(view->ZoneText()->GetWindowText(), expected);
}

TEST_F(ZoneStepTest, PageInputStoresIndexAndPreChimeMirrored) {
  CBaseDevice* chime = doc->CreateObject(DT_CHIMESIGNAL, 0);
  ASSERT_NE(chime, nullptr);
  auto* view = Create<CPageMacroView>(CMacro::kKindPage);
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(view->InputList()->count(), 5);
  Choose(view->InputList(), 3);
  EXPECT_EQ(view->InputList()->currentText(), "IN3");
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_INPUT), 3);
  EXPECT_EQ(Macro(2)->GetParam(CMacro::P_INPUT), 3);
  Choose(view->SignalList(), 1);
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_PRECHIME), chime->GetID());
  EXPECT_EQ(Macro(2)->GetParam(CMacro::P_PRECHIME), chime->GetID());
  EXPECT_NE(view->AddSubRadio(), nullptr);

  // A fresh editor shows what the macro keeps.
  frame->ShowMacroEditor();
  view = Current<CPageMacroView>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->InputList()->currentIndex(), 3);
  EXPECT_EQ(view->SignalList()->currentIndex(), 1);
}

TEST_F(ZoneStepTest, ChimeHasNoModesAndHidesOffRow) {
  auto* view = Create<CChimeMacroView>(CMacro::kKindChime);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->OnOffRadio(), nullptr);
  EXPECT_EQ(view->AddSubRadio(), nullptr);
  auto* offRow = view->findChild<QLabel*>("offRow");
  ASSERT_NE(offRow, nullptr);
  EXPECT_TRUE(offRow->isHidden());
  EXPECT_FALSE(view->findChild<QLabel*>("onRow")->isHidden());
  EXPECT_EQ(view->PriorityList()->itemText(0), "OFF");
  Choose(view->PriorityList(), 2);
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_PRIO), 20);
}

TEST_F(ZoneStepTest, MessageWritesItsOwnParameter) {
  CBaseDevice* message = doc->CreateObject(DT_MESSAGESIGNAL, 0);
  ASSERT_NE(message, nullptr);
  auto* view = Create<CMessageMacroView>(CMacro::kKindMessage);
  ASSERT_NE(view, nullptr);
  Choose(view->SignalList(), 1);
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_MESSAGE_SIGNAL), message->GetID());
  EXPECT_EQ(Macro(2)->GetParam(CMacro::P_MESSAGE_SIGNAL), message->GetID());
  EXPECT_EQ(Macro(1)->GetParam(CMacro::P_ALARM_SIGNAL), 0);
}

TEST_F(ZoneStepTest, BackgroundOffersOnlyZones) {
  auto* view = Create<CBackgroundMacroView>(CMacro::kKindBackground);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->SignalList(), nullptr);
  EXPECT_EQ(view->PriorityList(), nullptr);
  EXPECT_EQ(view->InputList(), nullptr);
  EXPECT_EQ(view->OnOffRadio(), nullptr);
  EXPECT_NE(view->ZoneButton(), nullptr);
}

TEST_F(ZoneStepTest, ModeSwitchNameClashIsMadeUniqueAndReported) {
  auto* view = Create<CAlarmMacroView>(CMacro::kKindAlarm);
  ASSERT_NE(view, nullptr);
  CMacro* other = CMacro::CreateMacro(CMacro::kKindStop, *doc);
  ASSERT_NE(other, nullptr);
  other->SetUniqueName("Hall ADD", false);
  Macro(1)->SetUniqueName("Hall ON", false);
  Macro(2)->SetUniqueName("Hall OFF", false);
  view->AddSubRadio()->click();
  EXPECT_EQ(other->GetName(), "Hall ADD");
  EXPECT_NE(Macro(1)->GetName(), "Hall ADD");
  EXPECT_TRUE(Macro(1)->GetName().startsWith("Hall ADD"));
  EXPECT_EQ(Macro(2)->GetName(), "Hall SUB");
  EXPECT_EQ(messages.Requests().size(), 1u);
}
