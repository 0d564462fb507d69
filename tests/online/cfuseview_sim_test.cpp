// The fuse window on the real link and the simulated unit: the poll's
// command list goes out, the unit's answers come back through the link's
// reply notification, and closing the window returns the link to rest.
#include "link/ccommlink.h"
#include "modulehandlers.h"
#include "online/cfuseview.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"
#include "unit/cfuse.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>

#include <functional>

namespace {

class CFuseViewSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim(RegisterModuleHandlers);
    CFuse::EnsureIn(doc);
    SetActiveDoc(&doc);
  }
  void TearDown() override {
    SetActiveDoc(nullptr);
    SimLinkTest::TearDown();
  }
};

TEST_F(CFuseViewSimTest, PollAndUploadReachTheForm) {
  ASSERT_TRUE(Connect());
  sim.SetValue("/FUSE/SLOT2/B/COOLING", "YES");
  sim.SetValue("/FUSE/AMP485/BLOWN", "YES");
  sim.SetValue("/FUSE/SLOT1/A/VALUE", "1");
  {
    CFuseView view(&doc, nullptr);
    view.OnInitialUpdate();
    EXPECT_TRUE(view.IsPolling());
    // A tick while the line is busy is dropped; wait for it to drain.
    ASSERT_TRUE(WaitUntil([&] { return link->OutBufferCount() == 0; }));
    view.OnTimer(COnlineView::IDT_STATUS_POLL);
    EXPECT_EQ(link->GetLinkMode(), LINKMODE_COMMANDLIST);
    EXPECT_TRUE(WaitUntil([&] { return view.CoolingText(CFuse::SLOT2_B)->isEnabled(); }));
    EXPECT_TRUE(WaitUntil([&] { return view.BlownText(CFuse::AMP485)->isEnabled(); }));
    EXPECT_FALSE(view.BlownText(CFuse::SLOT2_B)->isEnabled());
    // The port meters its writes: the last queries may still be on their way.
    EXPECT_TRUE(WaitUntil([&] { return LinesUnder("/FUSE/").size() >= 10; }));
    EXPECT_EQ(LinesUnder("/FUSE/").size(), 10);

    view.OnFuseTransfer(true);
    EXPECT_TRUE(WaitUntil([&] { return view.RatingBox(CFuse::SLOT1_A)->currentIndex() == 1; }));
    EXPECT_EQ(CFuse::Find(&doc)->GetRating(CFuse::SLOT1_A), 1);
  }
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
}

TEST_F(CFuseViewSimTest, DownloadSetsTheUnit) {
  ASSERT_TRUE(Connect());
  CFuse::Find(&doc)->SetRating(CFuse::AMP485, 2);
  CFuseView view(&doc, nullptr);
  view.OnInitialUpdate();
  view.OnFuseTransfer(false);
  EXPECT_TRUE(WaitUntil([&] { return sim.Value("/FUSE/AMP485/VALUE") == "2"; }));
  EXPECT_TRUE(LinesUnder("/FUSE/").contains("/FUSE/AMP485/VALUE 2"));
}

}  // namespace
