// Whole uploads of the every-family project from the unit at its own speed:
// the unit's XOFF holds the program, the bar follows the answers, an upload
// judges progress by its answers, and the tables with waits of their own
// (the monitor, the backup amplifiers) come back complete. A paced upload of
// the project takes about two minutes of the line.
#include "amps/cmonitor.h"
#include "amps/cspareamp.h"
#include "everyfamilytest.h"
#include "model/devicetype.h"
#include "support/projectbytes.h"

using FlowUploadTest = EveryFamilyTest;

TEST_F(FlowUploadTest, AStrayXoffAndAHoldOfThreeSecondsLeaveItDoneAndEveryTableComplete) {
  ASSERT_TRUE(Connect());
  PreloadUnit();
  const QByteArray onUnit = SaveProject(*doc);
  // The project differs from the unit in the tables whose uploads wait for
  // the unit's clear replies: the unit's values must come back.
  CMonitor* monitor = CMonitor::Find(doc.get());
  CSpareAmp* spare = CSpareAmp::Find(doc.get());
  ASSERT_TRUE(monitor && spare);
  ASSERT_TRUE(monitor->SetValue((0 << 16) | CMonitor::KC_OUT, 3));  // in use on the unit
  ASSERT_TRUE(monitor->SetValue((5 << 16) | CMonitor::KC_IN, 4));   // cleared on the unit
  // The backup amplifiers' names are the project's own: the unit keeps no
  // names.
  ASSERT_TRUE(spare->SetEntry(1, "Backup 2", true, DT_READYINPUT, 7, 0));
  ASSERT_TRUE(spare->SetWatch(1, 0, 1, DT_READYINPUT, 8, 0));
  ASSERT_TRUE(SaveProject(*doc) != onUnit);

  SendStrayXoff();
  CTransfer transfer;
  ProgressSampler sampler(transfer, [&] { return link->CurrentTally().answered; });
  HoldTheLineLater(30000, 3000);
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Done);
  sampler.Stop();
  const qint64 ms = timer.elapsed();
  ExpectNoMessage();
  EXPECT_EQ(ErrorFileText(), QString());
  EXPECT_TRUE(link->IsConnected());
  EXPECT_TRUE(SaveProject(*doc) == onUnit) << "the project is not what the unit holds";
  ExpectTheLongHoldTold();

  const IDeviceLink::Tally tally = link->CurrentTally();
  std::printf("upload: %d queries in %lld ms\n", tally.queries, static_cast<long long>(ms));
  EXPECT_EQ(tally.answered, tally.queries);
  ExpectInFlightWithinBound("upload");
  sampler.ExpectTruthful(tally.queries, 300, "upload");
}

TEST_F(FlowUploadTest, AnXoffBeyondTheLimitStopsItAndSaysTheUnitHoldsTheLine) {
  ASSERT_TRUE(Connect());
  PreloadUnit();
  const QByteArray before = SaveProject(*doc);
  CTransfer transfer;
  HoldTheLineLater(5000);
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Unanswered);
  ExpectStoppedNearTheLimit(transfer, "upload");
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("stayed unanswered"));
  EXPECT_TRUE(messages.SawText("holds the line"));
  EXPECT_TRUE(messages.SawText("left as it was"));
  EXPECT_TRUE(SaveProject(*doc) == before);
  sim.SetStalled(false);
}

TEST_F(FlowUploadTest, CancelEarlyMidwayAndLateStopsTheUnitsInputAtOnce) {
  // What a cancel lets through does not depend on the line's speed: a fast
  // line reaches the project's later tables sooner.
  UseLineRate(115200);
  ASSERT_TRUE(Connect());
  PreloadUnit();
  for (int at : {1000, 5000, 15000}) {
    SCOPED_TRACE(testing::Message() << "cancel after " << at << " ms");
    messages.Clear();
    CTransfer transfer;
    qint64 atCancel = -1;
    QTimer::singleShot(at, &timers, [&] {
      // What waits on the wire only because the simulator paused itself
      // would have reached the unit before the cancel.
      atCancel = sim.CharsArrived() + sim.WireLag();
      transfer.Cancel();
    });
    EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Canceled);
    const qint64 arrived = sim.CharsArrived();
    // Nothing more comes once what was on its way has arrived.
    QElapsedTimer quiet;
    quiet.start();
    qint64 last = sim.CharsArrived();
    while (quiet.elapsed() < 500) {
      Pump(20);
      if (sim.CharsArrived() != last) {
        last = sim.CharsArrived();
        quiet.restart();
      }
    }
    const qint64 after = sim.CharsArrived() - atCancel;
    std::printf("upload cancelled after %d ms: %lld characters reached the unit afterwards (%lld after the end)\n", at,
                static_cast<long long>(after), static_cast<long long>(sim.CharsArrived() - arrived));
    EXPECT_LE(after, kCancelBound);
    EXPECT_TRUE(messages.SawText("left as it was"));
    EXPECT_TRUE(link->IsConnected());
  }
}

TEST_F(FlowUploadTest, AUnitThatFallsSilentEndsItSoonAfterItsLastAnswer) {
  // The limit counts from the last answer, whatever the line's speed.
  UseLineRate(115200);
  ASSERT_TRUE(Connect());
  PreloadUnit();
  const QByteArray before = SaveProject(*doc);
  CTransfer transfer;
  bool silent = false;
  int lastAnswered = -1;
  QElapsedTimer sinceAnswer;
  transfer.SetProgressHandler([&](int done, int total) {
    const int answered = link->CurrentTally().answered;
    if (answered != lastAnswered) {
      lastAnswered = answered;
      sinceAnswer.start();
    }
    if (!silent && done * 10 >= total * 3) {
      silent = true;
      sim.SetSilent(true);
    }
  });
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Unanswered);
  const qint64 ended = sinceAnswer.elapsed();
  std::printf("upload with a silent unit ended %lld ms after the last answer\n", static_cast<long long>(ended));
  EXPECT_LE(ended, 7000);
  EXPECT_GE(ended, transfer.NoProgressTimeoutMs());
  EXPECT_GT(transfer.Unanswered(), 0);
  EXPECT_TRUE(messages.SawText(QString("%1 queries stayed unanswered, the first: %2")
                                   .arg(transfer.Unanswered())
                                   .arg(transfer.FirstUnanswered())));
  EXPECT_TRUE(messages.SawText("left as it was"));
  EXPECT_TRUE(SaveProject(*doc) == before);
}
