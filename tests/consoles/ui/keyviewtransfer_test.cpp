// The key view's console download and upload over the real link on the
// simulated unit: the project's one transfer engine runs them, so the unit
// gets one macro lock and one unlock, everyone sees that a transfer runs,
// and a unit that holds the line ends the transfer with its closing and the
// truth about the lock.
#include "../consoletestsupport.h"
#include "consolehandlers.h"
#include "consoles/ui/ckeyviewlogic.h"
#include "link/ctransfer.h"
#include "link/ctransfernotifier.h"
#include "support/testtimelimit.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"

#include <QTimer>

#include <gtest/gtest.h>

using namespace constest;

namespace {

class KeyViewTransferTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim(RegisterConsoleHandlers);
    SetActiveDoc(&doc);
    console = AddConsole(doc, CConsProp::RCX6010);
    console->SetName("Front desk");
    ASSERT_TRUE(Connect());
  }

  void TearDown() override {
    SimLinkTest::TearDown();
    SetActiveDoc(nullptr);
  }

  // Whether a transfer ran, as the other windows ask while this one pumps
  // events, and what the notifier told them.
  struct Seen {
    bool running = false;
    QList<bool> news;
  };
  bool TransferWatched(bool upload, Seen* seen) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] { seen->running = seen->running || CTransfer::IsRunning(); });
    poll.start(1);
    const QMetaObject::Connection news =
        QObject::connect(&CTransferNotifier::Instance(), &CTransferNotifier::lineUseChanged,
                         [&](LineUse use) { seen->news << (use == LineUse::Transfer); });
    const bool ok = CKeyViewLogic::TransferConsole(*console, upload, *link);
    QObject::disconnect(news);
    return ok;
  }

  CConsole* console = nullptr;
};

}  // namespace

TEST_F(KeyViewTransferTest, ADownloadLocksTheMacrosOnceAndUnlocksThemOnceAfterTheLastLine) {
  const TestTimeLimit limit(std::chrono::seconds(120));
  Seen seen;
  EXPECT_TRUE(TransferWatched(false, &seen));
  ASSERT_TRUE(WaitUntil([&] { return sim.FullLines().contains("/MACRO/LOCK OFF"); }));
  const QStringList lines = sim.FullLines();
  EXPECT_EQ(lines.count("/MACRO/LOCK ON"), 1) << lines.join('\n').toStdString();
  EXPECT_EQ(lines.count("/MACRO/LOCK OFF"), 1) << lines.join('\n').toStdString();
  EXPECT_EQ(lines.first(), "/MACRO/LOCK ON");
  EXPECT_EQ(lines.last(), "/MACRO/LOCK OFF");
  EXPECT_EQ(LinesUnder("/CONS/ADR1/").size(), lines.size() - 2);
  EXPECT_EQ(sim.Value("/CONS/ADR1/NAME"), "Front desk");
  EXPECT_TRUE(seen.running);
  EXPECT_EQ(seen.news, (QList<bool>{true, false}));
  EXPECT_FALSE(CTransfer::IsRunning());
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(KeyViewTransferTest, AnUploadTakesTheUnitsSettingsWithoutALock) {
  const TestTimeLimit limit(std::chrono::seconds(120));
  sim.SetValue("/CONS/ADR1/NAME", "Lobby");
  Seen seen;
  EXPECT_TRUE(TransferWatched(true, &seen));
  EXPECT_EQ(console->GetName(), "Lobby");
  EXPECT_FALSE(sim.FullLines().contains("/MACRO/LOCK ON"));
  EXPECT_TRUE(seen.running);
  EXPECT_EQ(seen.news, (QList<bool>{true, false}));
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
}

// The abort flag of the console: the unit does not see the console, the
// upload stops with the console's one message.
TEST_F(KeyViewTransferTest, AConsoleTheUnitDoesNotSeeStopsTheUploadWithItsOneMessage) {
  const TestTimeLimit limit(std::chrono::seconds(120));
  SetConsoleConnected(sim, 1, false);
  EXPECT_TRUE(CKeyViewLogic::TransferConsole(*console, true, *link));
  EXPECT_TRUE(console->IsTransferAborted());
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests().front().id, 34173u);
  EXPECT_LT(LinesUnder("/CONS/ADR1/").size(), 60);
  EXPECT_FALSE(CTransfer::IsRunning());
}

// The unit holds the line in the middle of the download: the transfer ends
// at its limit, ends the line the unit may hold in part, says that the unit
// may still have its macros locked, and the unlock reaches the unit once it
// takes data again.
TEST_F(KeyViewTransferTest, AUnitThatHoldsTheLineEndsTheDownloadWithItsClosingAndSaysSo) {
  const TestTimeLimit limit(std::chrono::seconds(120));
  QTimer hold;
  QObject::connect(&hold, &QTimer::timeout, [&] {
    if (sim.ReceivedCount() < 10) return;
    hold.stop();
    sim.SetStalled(true);
  });
  hold.start(1);
  EXPECT_FALSE(CKeyViewLogic::TransferConsole(*console, false, *link));
  EXPECT_FALSE(CTransfer::IsRunning());
  ASSERT_EQ(messages.Requests().size(), 1u);
  const QString text = messages.Requests().front().text;
  EXPECT_TRUE(text.contains("may still have its macros locked")) << text.toStdString();
  EXPECT_TRUE(text.contains("only part of the project")) << text.toStdString();
  EXPECT_FALSE(sim.FullLines().contains("/MACRO/LOCK OFF"));
  sim.SetStalled(false);
  EXPECT_TRUE(WaitUntil([&] { return sim.FullLines().contains("/MACRO/LOCK OFF"); }));
  EXPECT_EQ(sim.FullLines().count("/MACRO/LOCK OFF"), 1);
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
}
