#ifndef SELV_TESTS_ROUNDTRIP_EVERYFAMILYTEST_H
#define SELV_TESTS_ROUNDTRIP_EVERYFAMILYTEST_H

#include "everyfamilyproject.h"
#include "link/ccommandfile.h"
#include "link/ccommlink.h"
#include "link/cmscomm.h"
#include "link/ctransfer.h"
#include "link/linktestbench.h"
#include "model/ctext.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// The real link on the simulated unit with the every-family project at the
// size of a full installation (about 2,400 download lines and 5,600 upload
// queries), paced at 19200 baud unless a test asks for a faster line, on
// both sides. Every wait has a limit that only catches a hang.
class EveryFamilyTest : public LinkTestBench {
 protected:
  static constexpr char kXoff = 0x13;
  // What may reach the unit after its XOFF: the port's slice, and what the
  // port wrote while the XOFF was on its way to it through the
  // pseudo-terminal (which the kernel hands on late on a busy machine).
  static constexpr int kInFlightBound = 2 * CMSComm::kMaxInFlight;
  // What may still reach the unit after a cancel: the slice, the rest of a
  // line already begun, and what the port wrote before the transfer's next
  // turn dropped its queue.
  static constexpr int kCancelBound = 3 * CMSComm::kMaxInFlight + 160;
  static constexpr int kLineCharsPerSecond = 1920;

  void SetUp() override {
    LinkTestBench::SetUp();
    TeachEveryFamily(sim);
    sim.SetPaced(true);
    FillEveryFamilyProject(*doc, EveryFamilySize::Full);
    ASSERT_TRUE(dir.isValid());
    projectPath = dir.filePath(QStringLiteral("every-family.sxm"));
    doc->SetPathName(projectPath);
  }

  // The program and the unit at another line rate (before Connect): only
  // the logic is under test, not the timing of the real line.
  void UseLineRate(int baud) {
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kSettings, Fmt("%d,n,8,1", baud));
    sim.SetLineRate(baud);
    // A receive buffer of as much of the line's time as the unit's own
    // buffer holds at 19200 baud: what the kernel delays on a busy machine
    // must not overflow it sooner on a faster line.
    UnitSimulator::Limits limits;
    limits.capacity = static_cast<int>(static_cast<qint64>(limits.capacity) * qMax(baud, 19200) / 19200);
    sim.SetLimits(limits);
  }

  // The project's download lines, as the connected unit's capabilities
  // shape them.
  QStringList DownloadLines() const { return CCommandFile::CollectDownload(*doc); }
  // The unit holds the project as if it had been downloaded, without the
  // line's time.
  void PreloadUnit() { sim.Preload(DownloadLines()); }
  // Lines of the project the unit has taken (the macro lock excluded).
  int ProjectLinesAtUnit() const {
    int count = 0;
    for (const QString& line : sim.ReceivedLines())
      if (!line.startsWith(QLatin1String("/MACRO/LOCK "))) ++count;
    return count;
  }
  bool UnitTook(const QString& line) const { return sim.ReceivedLines().contains(line); }
  // What the last upload wrote into the project's error file.
  QString ErrorFileText() const {
    const QFileInfo info(projectPath);
    QFile file(info.path() + QStringLiteral("/") + info.completeBaseName() + QStringLiteral(".err"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
  }

  // An XOFF that no XON follows, on an idle line; the unit's measures and
  // log start afresh, and what the link tells of holds is kept in told.
  void SendStrayXoff() {
    sim.Inject(QByteArray(1, kXoff));
    ASSERT_TRUE(WaitUntil([&] { return link->IsLineHeld(); }));
    sim.ResetFlowStats();
    sim.ClearLog();
    QObject::connect(link.get(), &CCommLink::lineHeld, &timers, [this](bool held) { told << held; });
  }
  // The unit holds the line atMs from now on, for forMs (0: until the test
  // ends it); sinceHold runs from then, toldDuringHold is what the link had
  // told when the hold ended.
  void HoldTheLineLater(int atMs, int forMs = 0) {
    QTimer::singleShot(atMs, &timers, [this, forMs] {
      sim.SetStalled(true);
      sinceHold.start();
      if (forMs <= 0) return;
      QTimer::singleShot(forMs, &timers, [this] {
        toldDuringHold = told;
        sim.SetStalled(false);
      });
    });
  }
  // A transfer held beyond the limit stops within a second of it (the unit
  // sends what its buffer holds for a moment after the hold began, and the
  // limit counts from its last reply). That last reply may also have come a
  // moment before this clock started, on a busy machine.
  void ExpectStoppedNearTheLimit(const CTransfer& transfer, const char* what) {
    const qint64 stoppedAfter = sinceHold.elapsed();
    std::printf("%s held beyond the limit: stopped %lld ms after the hold began\n", what,
                static_cast<long long>(stoppedAfter));
    EXPECT_GE(stoppedAfter, transfer.NoProgressTimeoutMs() - 250);
    EXPECT_LE(stoppedAfter, transfer.NoProgressTimeoutMs() + 1000);
    EXPECT_TRUE(link->IsConnected());
  }
  // The long hold was told while it lasted, and its end. The unit's
  // ordinary pacing (short holds, some hundreds in an upload) was not: a
  // machine too busy to read the unit's XON at once may make a few of them
  // last, never most.
  void ExpectTheLongHoldTold() {
    ASSERT_FALSE(toldDuringHold.isEmpty());
    EXPECT_TRUE(toldDuringHold.last());
    ASSERT_FALSE(told.isEmpty());
    EXPECT_FALSE(told.last());
    std::printf("%lld holds told of %d\n", static_cast<long long>(told.count(true)), sim.Flow().xoffs);
    EXPECT_LE(told.count(true), 1 + sim.Flow().xoffs / 10);
  }
  // The unit lost nothing, and what came after its XOFF stayed within the
  // bound. The backlog is told, not judged: on a pseudo-terminal it also
  // holds what the kernel handed on late.
  void ExpectInFlightWithinBound(const char* what) {
    const UnitSimulator::FlowStats flow = sim.Flow();
    std::printf(
        "%s: %d XOFF, at most %d characters after one, backlog at most %d, buffer at most %d "
        "(the simulator paused %lld ms, %lld characters excused)\n",
        what, flow.xoffs, flow.maxAfterXoff, flow.maxBacklog, flow.maxBuffered, static_cast<long long>(flow.pausedMs),
        static_cast<long long>(flow.excused));
    EXPECT_EQ(flow.lost, 0);
    EXPECT_LE(flow.maxAfterXoff, kInFlightBound);
  }
  void ExpectNoMessage() {
    for (const MessageRequest& request : messages.Requests()) ADD_FAILURE() << request.text.toStdString();
  }

  QTemporaryDir dir;
  QString projectPath;
  QObject timers;  // the context of the test's timers: they go with it
  QList<bool> told;
  QList<bool> toldDuringHold;
  QElapsedTimer sinceHold;
};

// Samples a running transfer every 200 ms: the share its progress bar shows
// and, through the probe, the share the unit has really taken (a count,
// turned into a share once the whole is known).
class ProgressSampler final {
 public:
  explicit ProgressSampler(CTransfer& transfer, std::function<int()> probe) : m_probe(std::move(probe)) {
    transfer.SetProgressHandler([this](int done, int total) {
      m_done = done;
      m_total = total;
      if (!m_timer.isActive()) m_timer.start();
    });
    m_timer.setInterval(200);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      if (m_total > 0) m_samples.push_back(Sample{static_cast<double>(m_done) / m_total, m_probe()});
    });
  }
  void Stop() { m_timer.stop(); }
  int Count() const { return static_cast<int>(m_samples.size()); }
  // The bar never ran more than 5 % ahead of the unit nor 10 % behind it.
  void ExpectTruthful(int whole, int minSamples, const char* what) const {
    std::printf("%s progress: %d samples, at most %.1f %% ahead of the unit, %.1f %% behind\n", what, Count(),
                100 * MostAhead(whole), -100 * MostBehind(whole));
    EXPECT_GT(Count(), minSamples);
    EXPECT_LE(MostAhead(whole), 0.05);
    EXPECT_GE(MostBehind(whole), -0.10);
  }
  // How far the bar ran ahead of the unit (positive) and lagged behind it
  // (negative) at worst, with whole the unit's count at the end.
  double MostAhead(int whole) const { return Extreme(whole, true); }
  double MostBehind(int whole) const { return Extreme(whole, false); }

 private:
  struct Sample {
    double shown;
    int unit;
  };
  double Extreme(int whole, bool ahead) const {
    double worst = 0;
    for (const Sample& s : m_samples) {
      const double lead = s.shown - static_cast<double>(s.unit) / whole;
      worst = ahead ? std::max(worst, lead) : std::min(worst, lead);
    }
    return worst;
  }

  std::function<int()> m_probe;
  QTimer m_timer;
  std::vector<Sample> m_samples;
  int m_done = 0;
  int m_total = 0;
};

#endif
