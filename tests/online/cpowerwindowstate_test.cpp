// The power-management window: priorities, battery flags, reference
// choices, replies and the transfer lists.
#include "online/cpowerwindowstate.h"
#include "online/cpowerfrm.h"
#include "online/cpowerview.h"

#include "model/ctext.h"
#include "online/onlinetestsupport.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/cvalueedit.h"
#include "support/messagerecorder.h"
#include "unit/cinternalpowermanagement.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

using PM = CInternalPowerManagement;

class PowerTest : public OnlineTest {
 protected:
  void SetUp() override {
    OnlineTest::SetUp();
    m_pm = PM::EnsureIn(m_doc);
  }
  PM* m_pm = nullptr;
};

TEST_F(PowerTest, PrioritiesAreClampedAndLettersKeepTheValue) {
  CPowerWindowState state(&m_doc);
  EXPECT_TRUE(state.SetPriorityFromText(PM::P_MAINS_PRIO, "300"));
  EXPECT_EQ(state.Text(PM::P_MAINS_PRIO), "255");
  EXPECT_FALSE(state.SetPriorityFromText(PM::P_MAINS_PRIO, "abc"));
  EXPECT_EQ(m_pm->GetParam(PM::P_MAINS_PRIO), 255);
  EXPECT_FALSE(state.SetPriorityFromText(PM::P_MAINS_COND, "3"));
}

TEST_F(PowerTest, UncheckingTheBatteryClearsTheDirectPowerDown) {
  CPowerWindowState state(&m_doc);
  state.SetBatteryAvailable(true);
  state.SetDropShut(true);
  EXPECT_TRUE(state.IsDropShut());
  state.SetBatteryAvailable(false);
  EXPECT_FALSE(state.IsDropShut());
  EXPECT_FALSE(state.CanDropShut());
  const QStringList download = state.TransferCommands(false);
  ASSERT_EQ(download.size(), 8);
  EXPECT_EQ(download[5], "/POWER/DROP_SHUT NO");
  EXPECT_EQ(download[6], "/POWER/BATT_AVLBL NO");
  EXPECT_EQ(download[0], "/POWER/MAINS_COND 0");
  EXPECT_EQ(download[1], Fmt("/POWER/MAINS_PRIO %d", PM::kDefaultMainsPrio));
  EXPECT_EQ(state.TransferCommands(true),
            (QStringList{"/POWER/BATT_PRIO ?", "/POWER/MAINS_PRIO ?", "/POWER/MAINS_COND ?", "/POWER/BOOT_MAC ?",
                         "/POWER/SHUT_MAC ?", "/POWER/DROP_SHUT ?", "/POWER/BATT_AVLBL ?", "/POWER/SHUT_PRIO ?"}));
}

TEST_F(PowerTest, Replies) {
  CPowerWindowState state(&m_doc);
  state.ApplyReply({"/POWER/MAINS_COND 4", "/POWER/BATT_PRIO 12", "/POWER/SHUT_PRIO x", "/POWER/BATT_AVLBL YES",
                    "/POWER/DROP_SHUT YES", "/POWER/STATE BOOT"});
  EXPECT_EQ(m_pm->GetParam(PM::P_MAINS_COND), 4);
  EXPECT_FALSE(state.Text(PM::P_MAINS_COND).isEmpty());
  EXPECT_EQ(m_pm->GetParam(PM::P_BATT_PRIO), 12);
  EXPECT_EQ(m_pm->GetParam(PM::P_SHUT_PRIO), 0);
  EXPECT_TRUE(state.IsDropShut());
  EXPECT_EQ(state.GetPowerState(), CPowerWindowState::PowerState::On);
  state.ApplyReply({"/POWER/MAINS_COND OFF", "/POWER/STATE SHUT"});
  EXPECT_EQ(m_pm->GetParam(PM::P_MAINS_COND), 0);
  EXPECT_EQ(state.GetPowerState(), CPowerWindowState::PowerState::Off);
  state.ApplyReply({"/POWER/STATE WHAT", "/POWER/STATE ?"});
  EXPECT_EQ(state.GetPowerState(), CPowerWindowState::PowerState::Off);
}

class PowerFrameTest : public PowerTest {
 protected:
  CPowerFrm* Open() {
    m_host = std::make_unique<CFrameHostDialog>(&m_doc, HostFrameKind::PowerManagement);
    m_host->show();
    return qobject_cast<CPowerFrm*>(m_host->GetFrame());
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    PowerTest::TearDown();
  }
  MessageRecorder m_messages;
  std::unique_ptr<CFrameHostDialog> m_host;
};

TEST_F(PowerFrameTest, OffLineThePowerButtonIsDisabledAndNothingPolls) {
  m_pm->SetParam(PM::P_DROP_SHUT, 1);
  CPowerFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CPowerView* view = frame->GetPowerView();
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(view->IsPolling());
  EXPECT_FALSE(view->PowerButton()->isEnabled());
  // No battery at opening: the direct power-down is cleared and disabled.
  EXPECT_FALSE(view->DropShutBox()->isEnabled());
  EXPECT_EQ(m_pm->GetParam(PM::P_DROP_SHUT), 0);
  view->PriorityEdit(PM::P_BATT_PRIO)->setText("300");
  view->OnPriorityEdited(PM::P_BATT_PRIO);
  EXPECT_EQ(view->PriorityEdit(PM::P_BATT_PRIO)->text(), "255");
  view->PriorityEdit(PM::P_BATT_PRIO)->setText("abc");
  view->OnPriorityEdited(PM::P_BATT_PRIO);
  EXPECT_EQ(view->PriorityEdit(PM::P_BATT_PRIO)->text(), "255");
  EXPECT_TRUE(m_link.Lines().isEmpty());
}

TEST_F(PowerFrameTest, OnLineTheStateIsPolledAndSwitched) {
  Connect();
  CPowerFrm* frame = Open();
  ASSERT_NE(frame, nullptr);
  CPowerView* view = frame->GetPowerView();
  EXPECT_TRUE(view->IsPolling());
  EXPECT_TRUE(view->PowerButton()->isEnabled());
  m_link.Clear();
  view->OnPoll();
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/POWER/STATE ?"});
  ASSERT_TRUE(m_link.DeliverReply({"/POWER/STATE BOOT", "/POWER/BATT_AVLBL YES"}));
  EXPECT_TRUE(view->PowerButton()->isChecked());
  EXPECT_TRUE(view->DropShutBox()->isEnabled());
  view->PowerButton()->click();
  EXPECT_EQ(m_link.TakeLines(), QStringList{"/POWER/STATE OFF"});
  frame->OnCommand(CPowerFrm::kDownloadPowerData);
  EXPECT_EQ(m_link.TakeLines().size(), 8);
}

}  // namespace
