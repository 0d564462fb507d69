// Against the simulated unit: a project's macros, event-log masks,
// virtual-controller wiring, zone-test settings and signals are downloaded
// and uploaded back into a second copy of the project, which then equals
// the first.
#include "link/linkmode.h"
#include "macrohandlers.h"
#include "macros/caudiosignal.h"
#include "macros/ceventlog.h"
#include "macros/cmacro.h"
#include "macros/cmacroobject.h"
#include "macros/cvirtctrl.h"
#include "macros/cvirtctrlitem.h"
#include "macros/czonetestobject.h"
#include "macrotestobjects.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/simunitlink.h"
#include "support/tempprofile.h"
#include "unitsimulator.h"

#include <gtest/gtest.h>

namespace {

void Step(CBaseDevice& object, bool bQuery) {
  const int count = object.Download(bQuery, -1);
  int step = 0;
  int calls = 0;
  while (step != -1 && step < count && calls < 5000) {
    step = object.Download(bQuery, step);
    ++calls;
  }
}

class MacroSimTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    CProfile::WriteInt(QStringLiteral("VMX7000"), QStringLiteral("MACRO_CLR"), 1);
  }

  // A copy of the project whose objects of the type are blanked: macros
  // become placeholders, the fixed objects are made anew.
  void Upload(CSelvantisDoc& copy, SimUnitLink& link, CBaseDevice& object) {
    link.SetDocument(&copy);
    link.SetLinkMode(LINKMODE_UPLOAD);
    Step(object, true);
    link.SetLinkMode(LINKMODE_NORMAL);
    EXPECT_TRUE(link.Errors().isEmpty()) << link.Errors().join(QLatin1Char('\n')).toStdString();
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
};

TEST_F(MacroSimTest, EveryMacroKindComesBackFromTheUnitAsItWasSent) {
  SimUnitLink link(&doc, RegisterMacroHandlers);
  ASSERT_TRUE(link.IsOpen()) << link.Errors().join(QLatin1Char(' ')).toStdString();
  CAudioSignal* alarm = CAudioSignal::CreateSignal(CAudioSignal::kKindAlarm, doc);
  CAudioSignal* chime = CAudioSignal::CreateSignal(CAudioSignal::kKindChime, doc);
  CVirtCtrlItem* item = CVirtCtrlItem::CreateItem(doc);
  std::vector<CBaseDevice*> zones = {AddTestObject(doc, DT_ZONE, 4), AddTestObject(doc, DT_ZONE, 5),
                                     AddTestObject(doc, DT_GROUP, 2)};
  int n = 0;
  for (int kind : CMacro::UserKinds()) {
    CMacro* m = CMacro::CreateMacro(kind, doc);
    ASSERT_NE(m, nullptr);
    ++n;
    m->SetParam(CMacro::P_SWITCH, n % 2);
    m->SetParam(CMacro::P_PRIO, 10 * (n % 10));
    m->SetParam(CMacro::P_INPUT, n % 5);
    m->SetParam(CMacro::P_ALARM_SIGNAL, alarm->GetID());
    m->SetParam(CMacro::P_CHIME_SIGNAL, chime->GetID());
    m->SetParam(CMacro::P_PRECHIME, chime->GetID());
    m->SetParam(CMacro::P_VC_ITEM, item->GetID());
    m->SetParam(CMacro::P_STEP_MACRO + 1, 1);
    m->SetParamFloat(CMacro::P_STEP_DELAY + 1, 0.5f * static_cast<float>(n));
    m->SetParam(CMacro::P_REPEAT_COUNT, 1000 + n);
    m->SetParamText(CMacro::P_TEXT, QStringLiteral("Text %1").arg(n));
    m->SetParamText(CMacro::P_AMPS, QStringLiteral("1-3"));
    m->SetParam(CMacro::P_AMP_ON, 3);
    m->SetParamFloat(CMacro::P_PULSE, 2.5f);
    m->SetParamFloat(CMacro::P_VC_VALUE, 0.75f);
    m->SetParam(CMacro::P_MONI_NEXT, -1);
    m->SetParam(CMacro::P_TEST_MODE, n % 2);
    m->SetParamText(CMacro::P_CLOCK_TIME, QStringLiteral("18:20"));
    m->SetZones(zones);
  }
  CMacroObject* block = CMacroObject::Find(&doc);
  link.SetLinkMode(LINKMODE_DOWNLOAD);
  Step(*block, false);
  link.SetLinkMode(LINKMODE_NORMAL);
  EXPECT_EQ(link.Sim().Value(QStringLiteral("/MACRO/ENTRY1/TYPE")), QStringLiteral("ALARM"));

  // The copy starts with blank macros under the same identifiers.
  CSelvantisDoc copy;
  ASSERT_TRUE(LoadProject(copy, SaveProject(doc)));
  for (CBaseDevice* m : copy.GetObjectList(CAT_MACROS)) {
    auto* macro = dynamic_cast<CMacro*>(m);
    if (macro) macro->SetParam(CMacro::P_KIND, CMacro::kKindNoEntry);
  }
  Upload(copy, link, *CMacroObject::Find(&copy));
  for (CBaseDevice* m : doc.GetObjectList(CAT_MACROS)) {
    const auto* original = dynamic_cast<CMacro*>(m);
    const CMacro* uploaded = CMacro::Find(&copy, original->GetID());
    ASSERT_NE(uploaded, nullptr);
    EXPECT_EQ(uploaded->GetKind(), original->GetKind());
    EXPECT_EQ(uploaded->GetDownloadLines(false).join(QLatin1Char('\n')).toStdString(),
              original->GetDownloadLines(false).join(QLatin1Char('\n')).toStdString());
  }

  // The unit's clear empties every macro.
  link.SetDocument(&doc);
  block->Download(false, -1);
  block->Download(false, 0);
  EXPECT_FALSE(link.Sim().HasValue(QStringLiteral("/MACRO/ENTRY1/TYPE")));
  CSelvantisDoc cleared;
  ASSERT_TRUE(LoadProject(cleared, SaveProject(doc)));
  Upload(cleared, link, *CMacroObject::Find(&cleared));
  EXPECT_EQ(CMacro::Find(&cleared, 1)->GetKind(), CMacro::kKindNoEntry);
}

TEST_F(MacroSimTest, SettingsObjectsComeBackFromTheUnit) {
  SimUnitLink link(&doc, RegisterMacroHandlers);
  ASSERT_TRUE(link.IsOpen());
  CEventLog* log = CEventLog::Find(&doc);
  log->SetParamText(0, QStringLiteral("AUDIO,MACRO,VIRTCTRL"));
  log->SetMaskBits(1, CEventLog::AB_ALARM | CEventLog::AB_CHIME);
  log->SetMaskBits(2, 0x00F);
  log->SetParamText(7, QStringLiteral("1-9"));
  log->SetParamText(10, QStringLiteral("All"));
  CVirtCtrl* vc = CVirtCtrl::Find(&doc);
  CVirtCtrlItem::CreateItem(doc);
  CVirtCtrlItem::CreateItem(doc);
  vc->SetLink(CVirtCtrl::G_ITEM, 0, 2);
  vc->SetLink(CVirtCtrl::G_ENCODER, 7, 1);
  vc->SetLink(CVirtCtrl::G_AD, 0, 2);
  vc->SetLink(CVirtCtrl::G_AMPCHAN, 63, 1);
  vc->SetLink(CVirtCtrl::G_MONITOR, 0, 2);
  vc->SetLink(CVirtCtrl::G_DELAY, 3, 1);
  CZonetestObject* zt = CZonetestObject::Find(&doc);
  zt->SetParam(CZonetestObject::P_LINETEST, 1);
  zt->SetParam(CZonetestObject::P_TIME, 5 * 3600);
  zt->SetParam(CZonetestObject::P_LINE_CONS, -1);
  zt->SetParam(CZonetestObject::P_IMPTEST, 1);
  CAudioSignal* signal = CAudioSignal::CreateSignal(CAudioSignal::kKindMessage, doc);
  signal->SetValueText(1, QStringLiteral("3"));
  signal->SetValueText(2, QStringLiteral("11"));

  link.SetLinkMode(LINKMODE_DOWNLOAD);
  for (CBaseDevice* object : std::vector<CBaseDevice*>{log, vc, zt, signal}) Step(*object, false);
  link.SetLinkMode(LINKMODE_NORMAL);

  // A copy made before the settings: everything comes from the unit.
  CSelvantisDoc copy;
  ASSERT_TRUE(copy.OnNewDocument());
  CVirtCtrlItem::CreateItem(copy);
  CVirtCtrlItem::CreateItem(copy);
  CAudioSignal* copySignal = CAudioSignal::CreateSignal(CAudioSignal::kKindMessage, copy);
  Upload(copy, link, *CEventLog::Find(&copy));
  Upload(copy, link, *CVirtCtrl::Find(&copy));
  Upload(copy, link, *CZonetestObject::Find(&copy));
  Upload(copy, link, *copySignal);
  for (int index = 0; index <= 10; ++index)
    EXPECT_EQ(CEventLog::Find(&copy)->GetParamText(index), log->GetParamText(index)) << index;
  for (int group = CVirtCtrl::G_FIRST; group <= CVirtCtrl::G_LAST; ++group)
    for (int row = 0; row < CVirtCtrl::GroupSize(group); ++row)
      EXPECT_EQ(CVirtCtrl::Find(&copy)->GetLink(group, row), vc->GetLink(group, row)) << group << "/" << row;
  for (int index : {1, 2, 3, 7, 8})
    EXPECT_EQ(CZonetestObject::Find(&copy)->GetParam(index), zt->GetParam(index)) << index;
  EXPECT_EQ(copySignal->GetValueText(1), QStringLiteral("3"));
  EXPECT_EQ(copySignal->GetValueText(2), QStringLiteral("11"));
}

}  // namespace
