// Transfers against the unit at its own speed (19200 baud, XON/XOFF at its
// receive buffer's limits): what a real installation meets. Every wait has a
// limit that only catches a hang.
#include "amps/czone.h"
#include "link/ccommlink.h"
#include "link/cmscomm.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "linktestbench.h"
#include "linktestdevice.h"
#include "model/devicetype.h"
#include "zonehandlers.h"

#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr char kPacedXoff = 0x13;
// A hang, not a slow machine.
constexpr int kHangMs = 60000;

}  // namespace

class PacedTransferTest : public LinkTestBench {
 protected:
  void SetUp() override {
    LinkTestBench::SetUp();
    sim.SetPaced(true);
  }

  int ObjectLineCount() const {
    int count = 0;
    for (const QString& line : sim.FullLines())
      if (line.startsWith("/TEST")) ++count;
    return count;
  }

  // Devices 1..n with count values of width characters each.
  std::vector<CLinkTestDevice*> AddDevices(int n, int count, int width = 0) {
    std::vector<CLinkTestDevice*> devices;
    for (int id = 1; id <= n; ++id) devices.push_back(AddLinkTestDevice(*doc, id, count, width));
    return devices;
  }

  // A unit with a small receive buffer: 512 characters, XOFF when more than
  // 128 wait, XON below 32, and msPerLine for its work on each line.
  void UseStrictUnit(int msPerLine) { sim.SetLimits(UnitSimulator::Limits{512, 128, 32, msPerLine}); }

  // The unit lost nothing, and what reached it after an XOFF stayed within
  // the port's slice and what it wrote while the XOFF was on its way to it
  // through the pseudo-terminal (the kernel hands it on late on a busy
  // machine).
  void ExpectInFlightWithinBound(const char* what) {
    const UnitSimulator::FlowStats flow = sim.Flow();
    std::printf("%s: %d XOFF, at most %d characters after one, buffer at most %d of %d, %lld lost\n", what,
                flow.xoffs, flow.maxAfterXoff, flow.maxBuffered, sim.CurrentLimits().capacity,
                static_cast<long long>(flow.lost));
    EXPECT_EQ(flow.lost, 0);
    EXPECT_GE(flow.xoffs, 1);
    EXPECT_LE(flow.maxAfterXoff, 2 * CMSComm::kMaxInFlight);
  }

  // Every line the unit took is whole: a project line or the macro lock.
  void ExpectEveryLineWhole() {
    static const QRegularExpression kProjectLine(QStringLiteral("^/TEST\\d+/V\\d+ \\S+$"));
    for (const QString& line : sim.FullLines()) {
      EXPECT_TRUE(kProjectLine.match(line).hasMatch() || line == "/MACRO/LOCK ON" || line == "/MACRO/LOCK OFF")
          << line.toStdString();
    }
  }

  CLinkTestDevice* Device(int id) const { return dynamic_cast<CLinkTestDevice*>(doc->FindObjectById(CAT_MISC, id)); }
};

TEST_F(PacedTransferTest, ASingleXoffDuringAnUploadIsNoLostPort) {
  AddDevices(3, 40);
  ASSERT_TRUE(Connect());
  for (int i = 0; i < 40; ++i) sim.SetValue(QString("/TEST2/V%1").arg(i), "unit");
  CTransfer transfer;
  bool sent = false;
  transfer.SetProgressHandler([&](int done, int) {
    if (done >= 20 && !sent) {
      sent = true;
      sim.Inject(QByteArray(1, kPacedXoff));
    }
  });
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Done);
  EXPECT_TRUE(link->IsConnected());
  EXPECT_FALSE(messages.SawText("lost"));
  EXPECT_EQ(Device(2)->m_values.value(39), "unit");
}

TEST_F(PacedTransferTest, AnXoffHeldForThreeSecondsThenXonLetsTheDownloadFinish) {
  AddDevices(2, 100, 30);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  bool held = false;
  transfer.SetProgressHandler([&](int done, int) {
    if (done >= 30 && !held) {
      held = true;
      sim.SetStalled(true);
      QTimer::singleShot(3000, [&] { sim.SetStalled(false); });
    }
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  EXPECT_TRUE(held);
  EXPECT_TRUE(link->IsConnected());
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedLines().contains("/MACRO/LOCK OFF"); }, kHangMs));
  EXPECT_EQ(ObjectLineCount(), 200);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(PacedTransferTest, AStrayXoffBetweenTransfersDoesNotBlockTheNext) {
  AddDevices(1, 30);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  // An XOFF that no XON follows.
  sim.Inject(QByteArray(1, kPacedXoff));
  Pump(300);
  sim.ClearLog();
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  EXPECT_TRUE(WaitUntil([&] { return sim.ReceivedLines().contains("/MACRO/LOCK OFF"); }, kHangMs));
  EXPECT_EQ(ObjectLineCount(), 30);
  EXPECT_TRUE(link->IsConnected());
}

TEST_F(PacedTransferTest, AnXoffBeyondTheLimitStopsTheDownloadButNotTheConnection) {
  AddDevices(1, 100, 30);
  ASSERT_TRUE(Connect());
  bool told = false;
  QObject::connect(link.get(), &CCommLink::lineHeld, link.get(), [&](bool held) { told = told || held; });
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(1000);
  bool stalled = false;
  transfer.SetProgressHandler([&](int done, int) {
    if (done >= 10 && !stalled) {
      stalled = true;
      sim.SetStalled(true);
    }
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Unconfirmed);
  EXPECT_TRUE(link->IsConnected());
  // The hold goes on: the link tells of it once it has lasted, whether the
  // transfer ended before that or not.
  EXPECT_TRUE(WaitUntil([&] { return told; }, kHangMs));
  EXPECT_TRUE(messages.SawText("stopped"));
  EXPECT_TRUE(messages.SawText("holds the line"));
  EXPECT_TRUE(messages.SawText("part of the project"));
  // The macro lock is lifted as soon as the unit takes data again.
  sim.SetStalled(false);
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedLines().contains("/MACRO/LOCK OFF"); }, kHangMs));
  // The next download starts on a quiet line, once the unit's echo of the
  // unlock is back, as a user's would.
  ASSERT_TRUE(WaitUntil(
      [&] {
        for (const MonitorEntry& entry : link->Monitor().Entries())
          if (entry.direction == MonitorEntry::Received && entry.text == "/MACRO/LOCK OFF") return true;
        return false;
      },
      kHangMs));
  sim.ClearLog();
  CTransfer next;
  EXPECT_EQ(next.DownloadProject(*doc), CTransfer::Result::Done);
  EXPECT_TRUE(WaitUntil([&] { return sim.ReceivedLines().contains("/MACRO/LOCK OFF"); }, kHangMs));
  EXPECT_EQ(ObjectLineCount(), 100);
}

TEST_F(PacedTransferTest, AStrictUnitSlowAtItsWorkOrHeldForThreeSecondsLosesNothing) {
  AddDevices(2, 30, 30);
  ASSERT_TRUE(Connect());
  struct Row {
    const char* what;
    int msPerLine;
    int holdMs;
  };
  const Row rows[] = {
      {"a tenth of a second a line", 100, 0},
      {"held for three seconds", 0, 3000},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    UseStrictUnit(row.msPerLine);
    sim.ResetFlowStats();
    sim.ClearLog();
    CTransfer transfer;
    bool held = false;
    transfer.SetProgressHandler([&](int done, int) {
      if (row.holdMs <= 0 || held || done < 20) return;
      held = true;
      sim.SetStalled(true);
      QTimer::singleShot(row.holdMs, [&] { sim.SetStalled(false); });
    });
    EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
    ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedLines().contains("/MACRO/LOCK OFF"); }, kHangMs));
    EXPECT_EQ(ObjectLineCount(), 60);
    ExpectInFlightWithinBound(row.what);
    ExpectEveryLineWhole();
    EXPECT_TRUE(messages.Requests().empty());
  }
}

TEST_F(PacedTransferTest, AStrictUnitHeldEightSecondsPastTheLimitLosesNothing) {
  AddDevices(2, 30, 30);
  UseStrictUnit(0);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(2000);
  bool held = false;
  transfer.SetProgressHandler([&](int done, int) {
    if (held || done < 20) return;
    held = true;
    sim.SetStalled(true);
    QTimer::singleShot(8000, [&] { sim.SetStalled(false); });
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Unconfirmed);
  EXPECT_TRUE(messages.SawText("holds the line"));
  // The closing lines go once the unit takes data again.
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedLines().contains("/MACRO/LOCK OFF"); }, kHangMs));
  EXPECT_LT(ObjectLineCount(), 60);
  ExpectInFlightWithinBound("held eight seconds");
  ExpectEveryLineWhole();
  EXPECT_TRUE(link->IsConnected());
}

TEST_F(PacedTransferTest, CancelStopsTheUnitsInputWithinASecondOfTheLine) {
  AddDevices(2, 150, 30);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  qint64 atCancel = -1;
  QTimer::singleShot(1000, [&] {
    // What waits on the wire only because the simulator paused itself
    // would have reached the unit before the cancel.
    atCancel = sim.CharsArrived() + sim.WireLag();
    transfer.Cancel();
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Canceled);
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedLines().contains("/MACRO/LOCK OFF"); }, kHangMs));
  ASSERT_GE(atCancel, 0);
  // What was on its way at the cancel: about a second of the line at most.
  EXPECT_LT(sim.CharsArrived() - atCancel, 1920);
  EXPECT_LT(ObjectLineCount(), 300);
  EXPECT_TRUE(messages.SawText("part of the project"));
}

TEST_F(PacedTransferTest, ProgressIsNeverMoreThanFivePercentAheadOfTheUnit) {
  AddDevices(4, 150, 30);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  double worst = 0;
  transfer.SetProgressHandler([&](int done, int total) {
    if (total <= 0) return;
    const double shown = static_cast<double>(done) / total;
    const double received = static_cast<double>(ObjectLineCount()) / 600.0;
    worst = qMax(worst, shown - received);
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  EXPECT_LE(worst, 0.05);
}

TEST_F(PacedTransferTest, AnswersDroppedFromThirtyPercentOnEndTheUploadUndone) {
  AddDevices(3, 40);
  ASSERT_TRUE(Connect());
  for (int id = 1; id <= 3; ++id)
    for (int i = 0; i < 40; ++i) sim.SetValue(QString("/TEST%1/V%2").arg(id).arg(i), "unit");
  doc->SetModifiedFlag(false);
  CTransfer transfer;
  bool dropping = false;
  transfer.SetProgressHandler([&](int done, int total) {
    if (!dropping && done * 10 >= total * 3) {
      dropping = true;
      sim.SetDropAnswers("/TEST");
    }
  });
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Unanswered);
  EXPECT_GT(transfer.Unanswered(), 0);
  EXPECT_TRUE(transfer.FirstUnanswered().startsWith("/TEST"));
  EXPECT_TRUE(messages.SawText("stayed unanswered"));
  EXPECT_TRUE(messages.SawText("left as it was"));
  EXPECT_FALSE(doc->IsModified());
  for (int id = 1; id <= 3; ++id) EXPECT_EQ(Device(id)->m_values.value(0), "v0");
  EXPECT_TRUE(link->IsConnected());
}

TEST_F(PacedTransferTest, LateAnswersAfterAnUploadAreNotApplied) {
  AddDevices(1, 10);
  ASSERT_TRUE(Connect());
  for (int i = 0; i < 10; ++i) sim.SetValue(QString("/TEST1/V%1").arg(i), "late");
  sim.SetAnswerDelay("/TEST1/V", 2500);
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(800);
  EXPECT_EQ(transfer.UploadObject(*Device(1)), CTransfer::Result::Unanswered);
  // The answers come after the upload has ended; none may reach the object.
  ASSERT_TRUE(WaitUntil([&] { return link->OwedAnswers() == 0; }, kHangMs));
  Pump(200);
  EXPECT_EQ(Device(1)->m_values.value(0), "v0");
  EXPECT_EQ(Device(1)->m_values.value(9), "v9");
}

TEST_F(PacedTransferTest, HostileReplyValuesAreStoredCleanedAndCut) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 2);
  QString error;
  doc->RouteReplyLine(QString("/TEST1/V0 a") + QChar(0x01) + "b" + QChar('\n') + "c" + QChar(0x7F), error,
                      LINKMODE_UPLOAD);
  EXPECT_EQ(device->m_values.value(0), "a b c ");

  auto zone = std::make_unique<CZone>();
  ASSERT_TRUE(zone->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, doc.get()));
  CZone* z = doc->Adopt(std::move(zone));
  const QString path = z->GetPath();
  doc->RouteReplyLine(path + "/NAME Hall" + QChar(0x01) + "A", error, LINKMODE_UPLOAD);
  EXPECT_EQ(z->GetName(), "Hall A");
  doc->RouteReplyLine(path + "/NAME " + QString(1007, 'x'), error, LINKMODE_UPLOAD);
  EXPECT_EQ(z->GetName(), QString(32, 'x'));
}

using UnitSimClearLinesTest = LinkTestBench;

TEST_F(UnitSimClearLinesTest, TheRootGroupsClearLinesKeepZoneAndCollectionCallSettings) {
  RegisterZoneHandlers(sim);
  ASSERT_TRUE(Connect());
  const QStringList lines = {"/VMX/ZONE3/RELAY 3",   "/VMX/ZONE1/OUTPUT 1", "/VMX/COLLCALL1/ZONES 1-3",
                             "/VMX/LANGRP2 1-4",     "/VMX/CLEAR/ZONE ALL", "/VMX/CLEAR/COLLCALL ALL",
                             "/VMX/CLEAR/LANGRP ALL"};
  for (const QString& line : lines) link->SendCommand(line, nullptr);
  ASSERT_TRUE(WaitForLines(lines.size()));
  EXPECT_EQ(sim.Value("/VMX/ZONE3/RELAY"), "3");
  EXPECT_EQ(sim.Value("/VMX/ZONE1/OUTPUT"), "1");
  EXPECT_EQ(sim.Value("/VMX/COLLCALL1/ZONES"), "1-3");
  // The LAN groups that follow in a download send their lists again.
  EXPECT_FALSE(sim.HasValue("/VMX/LANGRP2"));
}
