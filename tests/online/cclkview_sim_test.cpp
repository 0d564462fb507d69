// The clock window on the real link and the simulated unit: a window opened
// off line starts asking the unit once it is connected and the main clock
// has been set, and the unit's answers fill its displays.
#include "logichandlers.h"
#include "online/cclkfrm.h"
#include "online/cclkview.h"
#include "online/cclockwindowstate.h"
#include "shell/controls/cframehostdialog.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"

#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

class CClkViewSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim(RegisterLogicHandlers);
    doc.OnNewDocument();
    SetActiveDoc(&doc);
    // Never the machine's clock.
    m_previousSetter = CClockWindowState::SetClockSetter([](const QDateTime&) { return true; });
  }
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    CClockWindowState::SetClockSetter(m_previousSetter);
    SetActiveDoc(nullptr);
    SimLinkTest::TearDown();
  }

  std::unique_ptr<CFrameHostDialog> m_host;
  CClockWindowState::ClockSetter m_previousSetter;
};

TEST_F(CClkViewSimTest, OpenedOffLineItPollsAfterAConnectAndAMainClockEdit) {
  m_host = std::make_unique<CFrameHostDialog>(&doc, HostFrameKind::Clock);
  m_host->show();
  auto* frame = qobject_cast<CClkFrm*>(m_host->GetFrame());
  ASSERT_NE(frame, nullptr);
  CClkView* view = frame->GetView();
  ASSERT_FALSE(view->IsPolling());

  ASSERT_TRUE(Connect());
  sim.SetValue("/CLOCK/MAIN/TIME", "08:15:00");
  sim.SetValue("/CLOCK/MAIN/DATE", "02.03.2024");
  sim.SetValue("/CLOCK/SLAVE/TIME", "08:14");
  QPushButton* button = view->Button(CClkView::kMainButtonId);
  QTest::mouseClick(button, Qt::LeftButton);
  // The user types the unit's new time and sets it.
  view->Edit(CClkView::kMainTimeId)->setText("09:30:00");
  view->Edit(CClkView::kMainDateId)->setText("04.05.2024");
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(WaitUntil([&] { return sim.Value("/CLOCK/MAIN/DATE") == "04.05.2024"; }));
  EXPECT_TRUE(view->IsPolling());
  // The poll's answers reach the displays.
  EXPECT_TRUE(WaitUntil([&] { return view->Edit(CClkView::kSlaveTimeId)->text() == "08:14"; }));
  EXPECT_TRUE(WaitUntil([&] { return view->Edit(CClkView::kMainDateId)->text() == "04.05.2024"; }));
  EXPECT_FALSE(view->Edit(CClkView::kMainTimeId)->text().isEmpty());
}

}  // namespace
