// The reply lists of the on-line windows on the real link and the simulated
// unit. The link hands a window every line received since its last command
// list at each receive event; a window that has handled them empties the
// list, so an old answer is never taken again. Without that, an answer
// from the opening query would undo a level the user set afterwards as
// soon as anything else arrives.
#include "link/ccommlink.h"
#include "modulehandlers.h"
#include "online/cpilotview.h"
#include "online/cpowerview.h"
#include "online/crecorderview.h"
#include "online/cvolumeview.h"
#include "shell/controls/cvalueedit.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"
#include "unit/caudioinputslot.h"
#include "unit/cinternalmessagerec.h"
#include "unit/cinternalpilottonegen.h"
#include "unit/cinternalpowermanagement.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>

#include <functional>

namespace {

class COnlineRepliesSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim(RegisterModuleHandlers);
    doc.OnNewDocument();
    SetActiveDoc(&doc);
    QObject::connect(link.get(), &CCommLink::commReply, [this] { ++m_notifications; });
  }
  void TearDown() override {
    SetActiveDoc(nullptr);
    SimLinkTest::TearDown();
  }
  // Waits until the answers have stopped coming (no notification for a
  // while).
  bool WaitQuiet() {
    int seen = -1;
    QElapsedTimer quiet;
    return WaitUntil([&] {
      if (seen != m_notifications) {
        seen = m_notifications;
        quiet.start();
      }
      return link->OutBufferCount() == 0 && quiet.elapsed() > 300;
    });
  }
  QString InputLevel(int slotId, int input) {
    const auto* slot =
        dynamic_cast<const CAudioInputSlot*>(doc.GetIDManager().FindBaseDevice(slotId, DT_AUDIOINPUTSLOT));
    QString text;
    if (slot) slot->GetParamText(text, CAudioInputSlot::kParamLevel, input);
    return text;
  }

  int m_notifications = 0;
};

TEST_F(COnlineRepliesSimTest, VolumeLevelSetByTheUserSurvivesLaterReplies) {
  ASSERT_TRUE(Connect());
  sim.SetValue("/AUDIO/IN1/VOL", "-20.0");
  CVolumeView view(&doc, nullptr);
  view.OnInitialUpdate();
  ASSERT_TRUE(WaitUntil([&] { return view.Edit(CVolumeWindowState::IN1)->text() == "-20.0"; }));
  ASSERT_TRUE(WaitQuiet());
  EXPECT_TRUE(link->ReplyList().isEmpty());

  // A unit that does not echo answers the level with nothing at all.
  sim.SetEcho(false);
  view.Edit(CVolumeWindowState::IN1)->setText("-7");
  view.Confirm(CVolumeWindowState::IN1);
  ASSERT_TRUE(WaitUntil([&] { return sim.Value("/AUDIO/IN1/VOL") == "-7.0"; }));
  // Something else arrives: the window is told again, but only of that.
  const int before = m_notifications;
  sim.Inject("/AUDIO/BACK_INP 4\r\n");
  ASSERT_TRUE(WaitUntil([&] { return m_notifications > before; }));
  EXPECT_EQ(view.Edit(CVolumeWindowState::IN1)->text(), "-7.0");
  EXPECT_EQ(InputLevel(1, 0), "-7.0");
}

TEST_F(COnlineRepliesSimTest, PilotPowerAndRecorderWindowsEmptyTheReplyList) {
  ASSERT_TRUE(Connect());
  CInternalPilottoneGen::EnsureIn(doc);
  CInternalPowerManagement::EnsureIn(doc);
  CInternalMessageRec::EnsureIn(doc);
  sim.SetValue("/PILOT/GEN", "ON");
  sim.SetValue("/POWER/STATE", "OFF");
  sim.SetValue("/RECORDER/INPUT", "3");
  {
    CPilotView pilot(&doc, nullptr);
    pilot.OnInitialUpdate();
    ASSERT_TRUE(WaitUntil([&] { return link->OutBufferCount() == 0; }));
    pilot.OnPoll();
    EXPECT_TRUE(WaitUntil([&] { return pilot.OnSwitch()->isChecked(); }));
    ASSERT_TRUE(WaitQuiet());
    EXPECT_TRUE(link->ReplyList().isEmpty());
  }
  {
    CPowerView power(&doc, nullptr);
    power.OnInitialUpdate();
    power.PowerButton()->setChecked(true);
    power.OnPoll();
    EXPECT_TRUE(WaitUntil([&] { return !power.PowerButton()->isChecked(); }));
    ASSERT_TRUE(WaitQuiet());
    EXPECT_TRUE(link->ReplyList().isEmpty());
  }
  {
    CRecorderView recorder(&doc, nullptr);
    recorder.OnInitialUpdate();
    EXPECT_TRUE(WaitUntil([&] { return recorder.SourceList()->currentIndex() == 2; }));
    ASSERT_TRUE(WaitQuiet());
    EXPECT_TRUE(link->ReplyList().isEmpty());
  }
}

}  // namespace
