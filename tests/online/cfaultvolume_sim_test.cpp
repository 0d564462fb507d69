// The fault and volume forms on the real link and the simulated unit: the
// fault poll's synchronous exchanges read the unit's state, the volume
// form's opening query fills its edits, and a confirmed level reaches the
// unit.
#include "link/ccommlink.h"
#include "logic/cfault.h"
#include "logichandlers.h"
#include "modulehandlers.h"
#include "online/cfaultdlgview.h"
#include "online/cstatuslamp.h"
#include "online/cvolumeview.h"
#include "shell/controls/cvalueedit.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"
#include "unit/cmiscaudio.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>

#include <functional>

namespace {

class CFaultVolumeSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim([](UnitSimulator& s) {
      RegisterLogicHandlers(s);
      RegisterModuleHandlers(s);
    });
    doc.OnNewDocument();
    SetActiveDoc(&doc);
  }
  void TearDown() override {
    SetActiveDoc(nullptr);
    SimLinkTest::TearDown();
  }
};

TEST_F(CFaultVolumeSimTest, FaultPollReadsTheUnitsState) {
  ASSERT_TRUE(Connect());
  ASSERT_NE(doc.GetIDManager().FindBaseDevice(1, DT_FAULT), nullptr);
  sim.SetValue("/FAULT/ACTIVE", "AMP,CONS");
  sim.SetValue("/FAULT/STATE", "TRUE");
  sim.SetValue("/FAULT/MANUAL", "ON");
  CFaultDlgView view(&doc, nullptr);
  view.OnInitialUpdate();
  view.ShowSettings();
  EXPECT_TRUE(view.IsPolling());
  ASSERT_TRUE(WaitUntil([&] { return link->OutBufferCount() == 0; }));
  view.OnTimer(CFaultDlgView::IDT_STATUS_POLL);
  EXPECT_FALSE(view.ActiveMarker(3)->isHidden());
  EXPECT_FALSE(view.ActiveMarker(5)->isHidden());
  EXPECT_TRUE(view.ActiveMarker(6)->isHidden());
  EXPECT_EQ(CStatusLamp::IconOf(view.RelayButton()), 251);
  EXPECT_TRUE(view.ManualButton()->isChecked());
}

TEST_F(CFaultVolumeSimTest, VolumeQueryFillsTheEditsAndLevelsReachTheUnit) {
  ASSERT_TRUE(Connect());
  ASSERT_NE(CMiscAudio::Find(&doc), nullptr);
  sim.SetValue("/AUDIO/IN3/VOL", "-12.5");
  sim.SetValue("/AUDIO/CHIME_VOL", "-20.0");
  {
    CVolumeView view(&doc, nullptr);
    view.OnInitialUpdate();
    EXPECT_TRUE(WaitUntil([&] { return view.Edit(CVolumeWindowState::IN3)->text() == "-12.5"; }));
    EXPECT_TRUE(WaitUntil([&] { return view.Edit(CVolumeWindowState::Chime)->text() == "-20.0"; }));
    EXPECT_EQ(CMiscAudio::Find(&doc)->GetParamText(CMiscAudio::CHIME_VOL), "-20.0");

    view.Edit(CVolumeWindowState::IN1)->setText("-7");
    view.Confirm(CVolumeWindowState::IN1);
    EXPECT_TRUE(WaitUntil([&] { return sim.Value("/AUDIO/IN1/VOL") == "-7.0"; }));
  }
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
}

}  // namespace
