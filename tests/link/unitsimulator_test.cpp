// The simulated unit spoken to over its pseudo-terminal with plain file
// calls, as a serial program would.
#include "unitsimulator.h"
#include "support/waituntil.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

class RawPort final {
 public:
  // honourXoff false: a sender that ignores the unit's XOFF.
  explicit RawPort(const QString& path, bool honourXoff = true) {
    m_fd = open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios tio{};
    tcgetattr(m_fd, &tio);
    cfmakeraw(&tio);
    if (honourXoff) tio.c_iflag |= IXON;
    tcsetattr(m_fd, TCSANOW, &tio);
  }
  ~RawPort() {
    if (m_fd >= 0) close(m_fd);
  }
  bool IsOpen() const { return m_fd >= 0; }
  void Write(const QByteArray& bytes) { ASSERT_EQ(TryWrite(bytes), bytes.size()); }
  // What the line discipline took (-1 when it took nothing).
  ssize_t TryWrite(const QByteArray& bytes) { return write(m_fd, bytes.constData(), bytes.size()); }
  // Reads until text contains until or the time is up.
  QByteArray ReadUntil(const QByteArray& until, int timeoutMs = kHangLimitMs) {
    QElapsedTimer timer;
    timer.start();
    while (!m_in.contains(until) && timer.elapsed() < timeoutMs) ReadSome(20);
    return m_in;
  }
  // Reads for ms whatever comes.
  QByteArray ReadFor(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) ReadSome(ms - static_cast<int>(timer.elapsed()));
    return m_in;
  }
  int Reads() const { return m_reads; }
  // Whether the port takes output now (false while XOFF holds it), after
  // waiting until it is as wanted or the limit has passed.
  bool WaitWritable(bool writable) {
    QElapsedTimer timer;
    timer.start();
    for (;;) {
      pollfd fd{m_fd, POLLOUT, 0};
      const bool now = poll(&fd, 1, 0) > 0 && (fd.revents & POLLOUT) != 0;
      if (now == writable || timer.elapsed() > kHangLimitMs) return now;
      poll(nullptr, 0, 5);
    }
  }
  void Clear() { m_in.clear(); }

 private:
  void ReadSome(int ms) {
    pollfd fd{m_fd, POLLIN, 0};
    if (poll(&fd, 1, ms > 0 ? ms : 0) <= 0) return;
    char buf[4096];
    const ssize_t n = read(m_fd, buf, sizeof buf);
    if (n > 0) {
      m_in.append(buf, static_cast<int>(n));
      ++m_reads;
    }
  }
  int m_fd = -1;
  QByteArray m_in;
  int m_reads = 0;
};

}  // namespace

TEST(UnitSimulatorTest, EchoesEachLineAndAnswersQueriesFromItsStore) {
  UnitSimulator sim;
  ASSERT_TRUE(sim.Start());
  RawPort port(sim.PtyPath());
  ASSERT_TRUE(port.IsOpen());
  port.Write("/AMP/ADR1/VOL 3\r\n");
  port.Write(" 5\r\n");  // the previous path with a new value
  port.Write("/AMP/ADR1/VOL ?\r\n");
  EXPECT_EQ(port.ReadUntil("VOL 5\r\n"), "/AMP/ADR1/VOL 3\r\n 5\r\n/AMP/ADR1/VOL ?\r\n/AMP/ADR1/VOL 5\r\n");
  EXPECT_EQ(sim.Value("/AMP/ADR1/VOL"), "5");
  EXPECT_EQ(sim.ReceivedLines(), (QStringList{"/AMP/ADR1/VOL 3", " 5", "/AMP/ADR1/VOL ?"}));
  EXPECT_EQ(sim.FullLines()[1], "/AMP/ADR1/VOL 5");
}

TEST(UnitSimulatorTest, AnswersAnUnknownQueryWithOneErrorLine) {
  UnitSimulator sim;
  ASSERT_TRUE(sim.Start());
  RawPort port(sim.PtyPath());
  port.Write("/NO/SUCH/THING ?\r\n/SERVICE/VER ?\r\n");
  EXPECT_EQ(port.ReadUntil("V1.0\r\n"),
            "/NO/SUCH/THING ?\r\nERROR /NO/SUCH/THING\r\n/SERVICE/VER ?\r\n/SERVICE/VER V1.0\r\n");
}

TEST(UnitSimulatorTest, LetsTheLongestRegisteredPrefixHandleACommand) {
  UnitSimulator sim;
  sim.RegisterHandler("/FUSE", [](UnitSimulator&, const UnitSimulator::Command& cmd, QStringList& replies) {
    replies << cmd.path + " FUSE";
    return true;
  });
  sim.RegisterHandler("/FUSE/AMP485", [](UnitSimulator& unit, const UnitSimulator::Command& cmd, QStringList& replies) {
    if (!cmd.IsQuery()) return false;  // sets go to the store
    replies << cmd.path + " " + unit.Value(cmd.path) + "!";
    return true;
  });
  ASSERT_TRUE(sim.Start());
  RawPort port(sim.PtyPath());
  port.Write("/FUSE/SLOT1 ?\r\n/FUSE/AMP485/BLOWN NO\r\n/FUSE/AMP485/BLOWN ?\r\n");
  const QByteArray in = port.ReadUntil("NO!\r\n");
  EXPECT_TRUE(in.contains("/FUSE/SLOT1 FUSE\r\n")) << in.constData();
  EXPECT_TRUE(in.contains("/FUSE/AMP485/BLOWN NO!\r\n")) << in.constData();
}

TEST(UnitSimulatorTest, DropsAndDelaysAnswersByPattern) {
  UnitSimulator sim;
  sim.SetDropAnswers("/CLOCK/*/TIME");
  sim.SetAnswerDelay("/SERVICE/", 300);
  ASSERT_TRUE(sim.Start());
  RawPort port(sim.PtyPath());
  QElapsedTimer timer;
  timer.start();
  port.Write("/CLOCK/MAIN/TIME ?\r\n/CLOCK/MAIN/DATE ?\r\n/SERVICE/VER ?\r\n");
  const QByteArray in = port.ReadUntil("V1.0\r\n");
  EXPECT_GE(timer.elapsed(), 290);
  EXPECT_EQ(in,
            "/CLOCK/MAIN/TIME ?\r\n/CLOCK/MAIN/DATE ?\r\n/CLOCK/MAIN/DATE 01.01.2024\r\n"
            "/SERVICE/VER ?\r\n/SERVICE/VER V1.0\r\n");
}

TEST(UnitSimulatorTest, SplitsAnAnswerIntoTwoWrites) {
  UnitSimulator sim;
  sim.SetEcho(false);
  sim.SetSplitReplies(true);
  ASSERT_TRUE(sim.Start());
  RawPort port(sim.PtyPath());
  QElapsedTimer timer;
  timer.start();
  port.Write("/SERVICE/DEVID ?\r\n");
  EXPECT_EQ(port.ReadUntil("\r\n"), "/SERVICE/DEVID 10337\r\n");
  // The second half follows after a pause: a reader that is quick enough
  // sees two writes, a slow one may get both at once, never more.
  EXPECT_GE(timer.elapsed(), 40);
  EXPECT_GE(port.Reads(), 1);
  EXPECT_LE(port.Reads(), 2);
}

TEST(UnitSimulatorTest, PacesItsOutputAtNineteenTwoHundredBaud) {
  UnitSimulator sim;
  sim.SetPaced(true);
  sim.SetEcho(false);
  ASSERT_TRUE(sim.Start());
  RawPort port(sim.PtyPath());
  QElapsedTimer timer;
  timer.start();
  sim.Inject(QByteArray(192, 'a') + "\r\n");  // 194 characters: about 101 ms
  port.ReadUntil("\r\n");
  EXPECT_GE(timer.elapsed(), 95);
}

TEST(UnitSimulatorTest, StopsTheApplicationsOutputWhenStalled) {
  UnitSimulator sim;
  ASSERT_TRUE(sim.Start());
  RawPort port(sim.PtyPath());
  sim.SetStalled(true);
  // The XOFF reaches the line discipline: the port's output is stopped and
  // nothing goes out.
  EXPECT_FALSE(port.WaitWritable(false));
  EXPECT_EQ(port.TryWrite("/A 1\r\n"), -1);
  sim.SetStalled(false);
  EXPECT_TRUE(port.WaitWritable(true));
  port.Write("/A 1\r\n");
  EXPECT_TRUE(port.ReadUntil("/A 1\r\n").contains("/A 1\r\n"));
  EXPECT_EQ(sim.ReceivedLines(), QStringList{"/A 1"});
}

TEST(UnitSimulatorTest, TakesTheLineAtItsRateAndMeasuresWhatComesAfterItsXoff) {
  UnitSimulator sim;
  sim.SetPaced(true);
  sim.SetEcho(false);
  ASSERT_TRUE(sim.Start());
  RawPort port(sim.PtyPath(), false);
  sim.SetStalled(true);
  ASSERT_TRUE(port.ReadUntil(QByteArray(1, 0x13)).contains(0x13));
  port.Clear();
  QByteArray lines;
  for (int i = 0; i < 20; ++i) lines += "/LINE" + QByteArray::number(i % 10) + " " + QByteArray(41, 'x') + "\r\n";
  ASSERT_EQ(lines.size(), 1000);
  QElapsedTimer timer;
  timer.start();
  port.Write(lines);
  ASSERT_TRUE(WaitUntil([&] { return sim.Flow().maxAfterXoff == 1000; }));
  // The wire carries 1,920 characters a second: what was written waited
  // in the pseudo-terminal meanwhile.
  EXPECT_GE(timer.elapsed(), 480);
  // What waited, unless the simulator was paused itself meanwhile.
  EXPECT_GE(sim.Flow().maxBacklog + sim.Flow().excused, 900);
  EXPECT_EQ(sim.Flow().lost, 0);
  EXPECT_EQ(sim.CharsArrived(), 1000);

  // Beyond its receive buffer the unit loses what comes, and it repeats
  // its XOFF to a sender that does not stop.
  port.Write(lines + lines);
  ASSERT_TRUE(WaitUntil([&] { return sim.CharsArrived() == 3000; }));
  EXPECT_EQ(sim.Flow().lost, 3000 - UnitSimulator::kRxCapacity);
  EXPECT_EQ(sim.Flow().maxBuffered, UnitSimulator::kRxCapacity);
  EXPECT_GE(port.ReadFor(100).count(0x13), 2);
  EXPECT_EQ(sim.Flow().xoffs, 1);
  // Taking input again, it lets the sender go on once its buffer empties.
  sim.SetStalled(false);
  EXPECT_TRUE(port.ReadUntil(QByteArray(1, 0x11)).contains(0x11));
}

TEST(UnitSimulatorTest, ItsOwnPauseIsAPauseOfTheWireNotABurst) {
  UnitSimulator sim;
  sim.SetPaced(true);
  sim.SetEcho(false);
  sim.SetLimits(UnitSimulator::Limits{512, 128, 32, 0});
  ASSERT_TRUE(sim.Start());
  RawPort port(sim.PtyPath());
  // A sender at about the line's rate (24 characters every 12.5 ms, or
  // slower on a busy machine), and the simulator gets no processor for
  // 300 ms in the middle: what it wrote meanwhile waits on the wire and
  // comes at the line's rate afterwards, as a unit would have taken it.
  const QByteArray chunk = "/LINE " + QByteArray(16, 'x') + "\r\n";
  ASSERT_EQ(chunk.size(), 24);
  for (int i = 0; i < 120; ++i) {
    if (i == 40) sim.PauseThread(300);
    port.Write(chunk);
    usleep(12500);
  }
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedCount() == 120; }));
  const UnitSimulator::FlowStats flow = sim.Flow();
  EXPECT_GE(flow.pausedMs, 300);
  EXPECT_GT(flow.excused, 0);
  EXPECT_EQ(flow.lost, 0);
  EXPECT_LE(flow.maxBacklog, 150) << "the simulator's own pause counted as the sender's backlog";
  EXPECT_LE(flow.maxAfterXoff, 150) << "the simulator's own pause counted as coming after its XOFF";
}

TEST(UnitSimulatorTest, AStrictUnitSlowAtItsWorkHoldsASenderThatStops) {
  UnitSimulator sim;
  sim.SetPaced(true);
  sim.SetEcho(false);
  sim.SetLimits(UnitSimulator::Limits{512, 128, 32, 100});
  EXPECT_EQ(sim.CurrentLimits().capacity, 512);
  EXPECT_EQ(sim.CurrentLimits().msPerLine, 100);
  ASSERT_TRUE(sim.Start());
  // The line discipline stops the sender at the XOFF.
  RawPort port(sim.PtyPath());
  QByteArray lines;
  for (int i = 0; i < 12; ++i) lines += "/LINE" + QByteArray::number(i % 10) + " " + QByteArray(32, 'x') + "\r\n";
  QElapsedTimer timer;
  timer.start();
  for (int from = 0; from < lines.size();) {
    ASSERT_TRUE(port.WaitWritable(true));
    const ssize_t n = port.TryWrite(lines.mid(from, 16));
    if (n > 0) from += static_cast<int>(n);
  }
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedCount() == 12; }));
  // A tenth of a second for each line but the last (its time comes after).
  EXPECT_GE(timer.elapsed(), 1100);
  const UnitSimulator::FlowStats flow = sim.Flow();
  EXPECT_GE(flow.xoffs, 1);
  EXPECT_EQ(flow.lost, 0);
  EXPECT_LE(flow.maxBuffered, 512);
}

TEST(UnitSimulatorTest, DropsEveryNthLineAndCanFallSilent) {
  UnitSimulator sim;
  sim.SetDropEveryNthLine(2);
  ASSERT_TRUE(sim.Start());
  RawPort port(sim.PtyPath());
  port.Write("/A 1\r\n/B 2\r\n/C 3\r\n");
  EXPECT_EQ(port.ReadUntil("/C 3\r\n"), "/A 1\r\n/C 3\r\n");
  EXPECT_EQ(sim.DroppedLines(), QStringList{"/B 2"});
  EXPECT_EQ(sim.ReceivedLines(), (QStringList{"/A 1", "/C 3"}));
  EXPECT_FALSE(sim.HasValue("/B"));

  sim.SetDropEveryNthLine(0);
  sim.SetSilent(true);
  port.Clear();
  port.Write("/D ?\r\n/E 5\r\n");
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedCount() == 4; }));
  EXPECT_EQ(port.ReadFor(200), "");
  EXPECT_EQ(sim.Value("/E"), "5");
}

// As strict as the unit: a line left half-sent (its sender killed) and the
// next line are one line, and a switch with such a garbled value is
// refused and left as it was.
TEST(UnitSimulatorTest, AHalfLineAndTheNextAreOneGarbledLine) {
  const struct {
    const char* name;
    QByteArray half;
    QByteArray next;
    QString garbled;
    QByteArray answer;
  } cases[] = {
      {"a query glued to a half path", "/VI", "/SERVICE/DEVID ?\r\n", "/VI/SERVICE/DEVID ?", "ERROR /VI/SERVICE/DEVID"},
      {"an unlock glued to a half unlock", "/MACRO/LOCK O", "/MACRO/LOCK OFF\r\n", "/MACRO/LOCK O/MACRO/LOCK OFF",
       "ERROR /MACRO/LOCK"},
      {"a protection glued to a half line", "/ZONE1/VO", "/PROTECT ON\r\n", "/ZONE1/VO/PROTECT ON",
       "/ZONE1/VO/PROTECT ON"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    UnitSimulator sim;
    sim.SetValue("/MACRO/LOCK", "ON");
    sim.SetValue("/PROTECT", "OFF");
    ASSERT_TRUE(sim.Start());
    {
      RawPort killed(sim.PtyPath());
      killed.Write(row.half);
      ASSERT_TRUE(WaitUntil([&] { return sim.CharsReceived() >= row.half.size(); }));
    }
    RawPort next(sim.PtyPath());
    next.Write(row.next);
    ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedCount() == 1; }));
    EXPECT_EQ(sim.ReceivedLines(), QStringList{row.garbled});
    const QByteArray in = next.ReadUntil(row.answer + "\r\n", 2000);
    EXPECT_TRUE(in.contains(row.answer)) << in.toStdString();
    EXPECT_EQ(sim.Value("/MACRO/LOCK"), "ON");
    EXPECT_EQ(sim.Value("/PROTECT"), "OFF");
  }
}

// A line the unit got garbled on the wire is lost: not taken, not echoed.
TEST(UnitSimulatorTest, LosesTheNextLinesItIsToldTo) {
  UnitSimulator sim;
  sim.LoseNext("/MACRO/LOCK OFF", 1);
  ASSERT_TRUE(sim.Start());
  RawPort port(sim.PtyPath());
  port.Write("/MACRO/LOCK ON\r\n/MACRO/LOCK OFF\r\n/A 1\r\n/MACRO/LOCK OFF\r\n");
  EXPECT_EQ(port.ReadUntil("/A 1\r\n/MACRO/LOCK OFF\r\n"), "/MACRO/LOCK ON\r\n/A 1\r\n/MACRO/LOCK OFF\r\n");
  EXPECT_EQ(sim.DroppedLines(), QStringList{"/MACRO/LOCK OFF"});
  EXPECT_EQ(sim.Value("/MACRO/LOCK"), "OFF");
}

TEST(UnitSimulatorTest, StallsAfterTheLinesItIsToldToTake) {
  for (const bool paced : {false, true}) {
    SCOPED_TRACE(paced ? "paced" : "at once");
    UnitSimulator sim;
    sim.SetPaced(paced);
    sim.StallAfter(2);
    ASSERT_TRUE(sim.Start());
    RawPort port(sim.PtyPath(), false);
    port.Write("/A 1\r\n/B 2\r\n/C 3\r\n/D 4\r\n");
    // The second line is taken and echoed, then the unit holds the line
    // (its XOFF goes ahead of what waits to be sent).
    ASSERT_TRUE(port.ReadUntil(QByteArray(1, 0x13)).contains(0x13));
    EXPECT_EQ(sim.ReceivedLines(), (QStringList{"/A 1", "/B 2"}));
    EXPECT_TRUE(WaitUntil([&] { return QByteArray(port.ReadFor(10)).replace(0x13, "").contains("/B 2\r\n"); }));
    EXPECT_EQ(sim.ReceivedCount(), 2);
    // Let go, it takes the rest.
    sim.SetStalled(false);
    ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedCount() == 4; }));
    EXPECT_EQ(sim.Value("/D"), "4");
  }
}
