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

#include <QElapsedTimer>
#include <QObject>

#include <cstdio>

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

  // An XOFF that no XON follows, on an idle line.
  sim.Inject(QByteArray(1, kXoff));
  ASSERT_TRUE(WaitUntil([&] { return link->IsLineHeld(); }));
  sim.ResetFlowStats();
  sim.ClearLog();
  QList<bool> told;
  QObject::connect(link.get(), &CCommLink::lineHeld, [&](bool held) { told << held; });

  CTransfer transfer;
  ProgressSampler sampler(transfer, [&] { return link->CurrentTally().answered; });
  // Thirty seconds in, the unit holds the line for three.
  QObject context;
  QList<bool> toldDuringHold;
  QTimer::singleShot(30000, &context, [&] {
    sim.SetStalled(true);
    QTimer::singleShot(3000, &context, [&] {
      toldDuringHold = told;
      sim.SetStalled(false);
    });
  });
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Done);
  sampler.Stop();
  const qint64 ms = timer.elapsed();
  for (const MessageRequest& request : messages.Requests()) ADD_FAILURE() << request.text.toStdString();
  EXPECT_EQ(ErrorFileText(), QString());
  EXPECT_TRUE(link->IsConnected());
  EXPECT_TRUE(SaveProject(*doc) == onUnit) << "the project is not what the unit holds";

  // Only the long hold was news; the unit's ordinary pacing was not.
  EXPECT_EQ(toldDuringHold, QList<bool>{true});
  EXPECT_EQ(told, (QList<bool>{true, false}));

  const IDeviceLink::Tally tally = link->CurrentTally();
  const UnitSimulator::FlowStats flow = sim.Flow();
  std::printf("upload: %d queries in %lld ms, %d XOFF, at most %d characters after one, backlog at most %d\n",
              tally.queries, static_cast<long long>(ms), flow.xoffs, flow.maxAfterXoff, flow.maxBacklog);
  EXPECT_EQ(tally.answered, tally.queries);
  EXPECT_EQ(flow.lost, 0);
  EXPECT_LE(flow.maxAfterXoff, kInFlightBound);
  EXPECT_LE(flow.maxBacklog, kInFlightBound);

  std::printf("upload progress: %d samples, at most %.1f %% ahead of the answers, %.1f %% behind\n", sampler.Count(),
              100 * sampler.MostAhead(tally.queries), -100 * sampler.MostBehind(tally.queries));
  EXPECT_GT(sampler.Count(), 300);
  EXPECT_LE(sampler.MostAhead(tally.queries), 0.05);
  EXPECT_GE(sampler.MostBehind(tally.queries), -0.10);
}

TEST_F(FlowUploadTest, AnXoffBeyondTheLimitStopsItAndSaysTheUnitHoldsTheLine) {
  ASSERT_TRUE(Connect());
  PreloadUnit();
  const QByteArray before = SaveProject(*doc);
  CTransfer transfer;
  QObject context;
  QElapsedTimer sinceStall;
  QTimer::singleShot(5000, &context, [&] {
    sim.SetStalled(true);
    sinceStall.start();
  });
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Unanswered);
  const qint64 stoppedAfter = sinceStall.elapsed();
  std::printf("upload held beyond the limit: stopped %lld ms after the hold began\n",
              static_cast<long long>(stoppedAfter));
  EXPECT_GE(stoppedAfter, transfer.NoProgressTimeoutMs());
  EXPECT_LE(stoppedAfter, transfer.NoProgressTimeoutMs() + 1000);
  EXPECT_TRUE(link->IsConnected());
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("stayed unanswered"));
  EXPECT_TRUE(messages.SawText("holds the line"));
  EXPECT_TRUE(messages.SawText("left as it was"));
  EXPECT_TRUE(SaveProject(*doc) == before);
  sim.SetStalled(false);
}

TEST_F(FlowUploadTest, CancelAfterOneTenAndSixtySecondsStopsTheUnitsInputAtOnce) {
  ASSERT_TRUE(Connect());
  PreloadUnit();
  for (int at : {1000, 10000, 60000}) {
    SCOPED_TRACE(testing::Message() << "cancel after " << at << " ms");
    messages.Clear();
    CTransfer transfer;
    QObject context;
    qint64 atCancel = -1;
    QTimer::singleShot(at, &context, [&] {
      atCancel = sim.CharsArrived();
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
    EXPECT_LE(after, kInFlightBound);
    EXPECT_TRUE(messages.SawText("left as it was"));
    EXPECT_TRUE(link->IsConnected());
  }
}

TEST_F(FlowUploadTest, AUnitThatFallsSilentEndsItSoonAfterItsLastAnswer) {
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
