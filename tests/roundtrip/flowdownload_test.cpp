// Whole downloads of the every-family project to the unit at its own speed:
// the unit's XOFF really holds the program, what is on its way stays within
// the port's slice of the line, the progress bar follows what the unit has
// taken, and a download is done only when the unit has confirmed every
// line. The paced ones take the line's time (about 35 s for the project).
#include "everyfamilytest.h"

namespace {

QString PathOfLine(const QString& line) { return line.left(line.indexOf(QLatin1Char(' '))); }

}  // namespace

using FlowDownloadTest = EveryFamilyTest;

TEST_F(FlowDownloadTest, AStrayXoffAndAHoldOfThreeSecondsLeaveItDoneWithTruthfulProgress) {
  ASSERT_TRUE(Connect());
  const int lines = DownloadLines().size();
  ASSERT_GT(lines, 2000);
  SendStrayXoff();
  CTransfer transfer;
  ProgressSampler sampler(transfer, [&] { return ProjectLinesAtUnit(); });
  HoldTheLineLater(10000, 3000);
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  sampler.Stop();
  ExpectNoMessage();
  EXPECT_TRUE(link->IsConnected());
  ASSERT_TRUE(WaitUntil([&] { return UnitTook("/MACRO/LOCK OFF"); }));
  EXPECT_EQ(ProjectLinesAtUnit(), lines);
  EXPECT_EQ(sim.ReceivedLines().first(), "/MACRO/LOCK ON");
  ExpectTheLongHoldTold();
  ExpectInFlightWithinBound("download");
  sampler.ExpectTruthful(lines, 100, "download");
}

TEST_F(FlowDownloadTest, AnXoffBeyondTheLimitStopsItAndTheLockComesOffWithTheXon) {
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  HoldTheLineLater(5000);
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Unconfirmed);
  ExpectStoppedNearTheLimit(transfer, "download");
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("stopped"));
  EXPECT_TRUE(messages.SawText("holds the line"));
  EXPECT_TRUE(messages.SawText("did not confirm"));
  EXPECT_TRUE(messages.SawText("part of the project"));
  EXPECT_FALSE(UnitTook("/MACRO/LOCK OFF"));

  // The unit takes data again: the lock comes off after what was already on
  // its way, not after the rest of the project.
  const qint64 arrived = sim.CharsArrived();
  QElapsedTimer sinceXon;
  sinceXon.start();
  sim.SetStalled(false);
  ASSERT_TRUE(WaitUntil([&] { return UnitTook("/MACRO/LOCK OFF"); }));
  const qint64 after = sim.CharsArrived() - arrived;
  std::printf("lock off taken %lld ms after the XON, %lld characters after it\n",
              static_cast<long long>(sinceXon.elapsed()), static_cast<long long>(after));
  EXPECT_LE(after, kLineCharsPerSecond / 2 + 64);
  EXPECT_EQ(sim.Flow().lost, 0);
  EXPECT_TRUE(link->IsConnected());
}

TEST_F(FlowDownloadTest, CancelEarlyMidwayAndLateStopsTheUnitsInputAtOnce) {
  // What a cancel lets through does not depend on the line's speed: a fast
  // line reaches the project's later tables sooner.
  UseLineRate(115200);
  ASSERT_TRUE(Connect());
  const int lines = DownloadLines().size();
  const qint64 lockOff = QByteArray("/MACRO/LOCK OFF\r\n").size();
  for (int at : {1000, 2500, 5000}) {
    SCOPED_TRACE(testing::Message() << "cancel after " << at << " ms");
    sim.ClearLog();
    messages.Clear();
    CTransfer transfer;
    qint64 atCancel = -1;
    QTimer::singleShot(at, &timers, [&] {
      // What waits on the wire only because the simulator paused itself
      // would have reached the unit before the cancel.
      atCancel = sim.CharsArrived() + sim.WireLag();
      transfer.Cancel();
    });
    EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Canceled);
    ASSERT_TRUE(WaitUntil([&] { return UnitTook("/MACRO/LOCK OFF"); }));
    Pump(300);  // anything still coming would come now
    const qint64 after = sim.CharsArrived() - atCancel - lockOff;
    std::printf("download cancelled after %d ms: %lld characters reached the unit afterwards\n", at,
                static_cast<long long>(after));
    // What was on its way: the port's slice and the rest of a line.
    EXPECT_LE(after, kCancelBound);
    EXPECT_LT(ProjectLinesAtUnit(), lines);
    EXPECT_EQ(sim.ReceivedLines().last(), "/MACRO/LOCK OFF");
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_TRUE(messages.SawText("part of the project"));
  }
}

TEST_F(FlowDownloadTest, AUnitThatFallsSilentLeavesItUnconfirmed) {
  // Only the counting is under test: a fast line.
  UseLineRate(115200);
  ASSERT_TRUE(Connect());
  const int lines = DownloadLines().size();
  CTransfer transfer;
  int silentFrom = -1;
  transfer.SetProgressHandler([&](int done, int total) {
    if (silentFrom >= 0 || done * 10 < total * 3) return;
    sim.SetSilent(true);
    silentFrom = sim.ReceivedCount();
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Unconfirmed);
  ASSERT_GE(silentFrom, 0);
  // The lines the unit took without a word: the first of them is named.
  const QStringList taken = sim.FullLines();
  QStringList firstPaths;
  for (int i = qMax(0, silentFrom - 2); i < qMin(taken.size(), silentFrom + 3); ++i) firstPaths << PathOfLine(taken[i]);
  EXPECT_TRUE(firstPaths.contains(transfer.FirstUnconfirmed())) << transfer.FirstUnconfirmed().toStdString();
  EXPECT_GT(transfer.Unconfirmed(), 0);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText(
      QString("did not confirm %1 lines, the first: %2").arg(transfer.Unconfirmed()).arg(transfer.FirstUnconfirmed())));
  EXPECT_TRUE(messages.SawText("part of the project"));
  // A unit that does not confirm gets no more than the lines owed allow.
  EXPECT_LT(ProjectLinesAtUnit(), silentFrom + CTransfer::kMaxOwedLines + 50);
  EXPECT_LT(ProjectLinesAtUnit(), lines);
  EXPECT_TRUE(link->IsConnected());
}

TEST_F(FlowDownloadTest, ALineTheUnitLostInTheMiddleIsReported) {
  // Only the counting is under test: a fast line.
  UseLineRate(115200);
  ASSERT_TRUE(Connect());
  sim.SetDropEveryNthLine(500);
  CTransfer transfer;
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Unconfirmed);
  EXPECT_EQ(sim.Flow().lost, 0);
  const QStringList dropped = sim.DroppedLines();
  ASSERT_GE(dropped.size(), 4);
  EXPECT_EQ(transfer.Unconfirmed(), dropped.size());
  EXPECT_EQ(transfer.FirstUnconfirmed(), PathOfLine(dropped.first()));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_FALSE(messages.SawText("stopped"));
  EXPECT_TRUE(messages.SawText(QString("The unit did not confirm %1 lines, the first: %2")
                                   .arg(dropped.size())
                                   .arg(PathOfLine(dropped.first()))));
  EXPECT_TRUE(messages.SawText("part of the project"));
}
