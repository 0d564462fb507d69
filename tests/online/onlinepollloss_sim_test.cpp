// The poll of an on-line window stops at once when the line is lost, and
// ticks again by itself once the unit is connected again: a window never
// asks a unit that is not there, on the real link and the simulated unit.
#include "model/cselvantisdoc.h"
#include "online/conlinepoll.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"

#include <gtest/gtest.h>

namespace {

class OnlinePollLossTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim([](UnitSimulator&) {});
    SetActiveDoc(&doc);
  }
  void TearDown() override {
    SetActiveDoc(nullptr);
    SimLinkTest::TearDown();
  }
};

}  // namespace

TEST_F(OnlinePollLossTest, ALostLineStopsThePollAtOnceAndTheLineBackStartsIt) {
  ASSERT_TRUE(Connect());
  int ticks = 0;
  COnlinePoll poll(&doc, [&] { ++ticks; });
  // What the poll was doing as the window learned of the loss.
  bool activeAtLoss = true;
  QObject::connect(&poll, &COnlinePoll::lineChanged, [&](bool online) {
    if (!online) activeAtLoss = poll.IsActive();
  });
  ASSERT_TRUE(poll.Start(20));
  ASSERT_TRUE(WaitUntil([&] { return ticks >= 2; }));

  sim.HangUp();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
  EXPECT_FALSE(activeAtLoss);
  EXPECT_FALSE(poll.IsActive());
  EXPECT_FALSE(poll.IsLineUp());
  // The window still wants its poll.
  EXPECT_TRUE(poll.IsWanted());

  UnitSimulator back;
  ASSERT_TRUE(back.Start());
  ASSERT_TRUE(link->ConnectPort(back.PtyPath(), &doc));
  EXPECT_TRUE(poll.IsActive());
  const int atReturn = ticks;
  EXPECT_TRUE(WaitUntil([&] { return ticks > atReturn; }));
  link->Disconnect();
  EXPECT_FALSE(poll.IsActive());
}
