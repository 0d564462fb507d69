// The serial port on the simulated unit's pseudo-terminal: the program, not
// the driver, handles the unit's XON/XOFF, so a hold lasts until XON
// whatever comes between, a release really releases, and a lost port gives
// the system's reason.
#include "link/cmscomm.h"
#include "linktestbench.h"
#include "support/testtimelimit.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;

class CMSCommTest : public LinkTestBench {
 protected:
  // The simulated unit of the bench, on a port of the test's own (the
  // bench's link stays unconnected).
  void SetUp() override {
    LinkTestBench::SetUp();
    port.SetHandlers([this] { received += port.Input(); },
                     [this](const QString& text, bool closed) {
                       errors << text;
                       lost = lost || closed;
                     });
    port.SetHoldHandler([this](bool held) { holds << held; });
    QString error;
    ASSERT_TRUE(port.Open(sim.PtyPath(), QStringLiteral("19200,n,8,1"), &error)) << error.toStdString();
  }
  void TearDown() override {
    port.Close();
    LinkTestBench::TearDown();
  }

  // Far beyond what a test needs: a hang fails.
  TestTimeLimit limit{std::chrono::seconds(180), [this] { sim.HangUp(); }};
  CMSComm port;
  QByteArray received;
  QStringList errors;
  bool lost = false;
  QList<bool> holds;
};

}  // namespace

TEST_F(CMSCommTest, TheDriverLeavesTheUnitsXonXoffToTheProgram) {
  // The terminal settings belong to the device: a second descriptor reads
  // what the port set ("stty -a" shows "-ixon ixoff -ixany").
  const int fd = open(sim.PtyPath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  termios tio{};
  ASSERT_EQ(tcgetattr(fd, &tio), 0);
  close(fd);
  EXPECT_EQ(tio.c_iflag & IXON, 0u) << "the driver would stop on the unit's XOFF itself";
  EXPECT_EQ(tio.c_iflag & IXANY, 0u) << "any character from the unit would restart the output";
  EXPECT_NE(tio.c_iflag & IXOFF, 0u) << "the unit is not held when the program's input fills";
}

TEST_F(CMSCommTest, AnXoffHoldsTheOutputWhateverComesUntilTheXon) {
  // An echo after the XOFF: with IXANY it would restart the output.
  sim.Inject(QByteArray(1, kXoff) + "/ECHO 1\r\n");
  ASSERT_TRUE(WaitUntil([&] { return port.IsHeld(); }));
  ASSERT_TRUE(WaitUntil([&] { return received.contains("/ECHO 1\r\n"); }));
  EXPECT_EQ(holds, QList<bool>{true});
  ASSERT_TRUE(port.Output("/A 1\r\n"));
  sim.Inject("/ECHO 2\r\n");
  Pump(400);
  EXPECT_EQ(sim.ReceivedCount(), 0) << "the held line let a line through";
  EXPECT_TRUE(port.IsHeld());
  EXPECT_GT(port.OutBufferCount(), 0);

  sim.Inject(QByteArray(1, kXon));
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedCount() == 1; }));
  EXPECT_EQ(sim.ReceivedLines(), QStringList{"/A 1"});
  EXPECT_EQ(holds, (QList<bool>{true, false}));
  // The flow characters are the port's, not data.
  EXPECT_FALSE(received.contains(kXoff));
  EXPECT_FALSE(received.contains(kXon));
  EXPECT_TRUE(received.contains("/ECHO 2\r\n"));
}

TEST_F(CMSCommTest, AnXoffNotYetReadHoldsTheNextWrite) {
  // The XOFF has reached the driver, but the program has not had a turn of
  // its event loop to read it: the write must wait for the reader anyway.
  // A second descriptor of the device sees its input queue without taking
  // from it.
  const int fd = open(sim.PtyPath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  sim.Inject(QByteArray(1, kXoff));
  QElapsedTimer waited;
  waited.start();
  int unread = 0;
  while ((ioctl(fd, FIONREAD, &unread) != 0 || unread == 0) && waited.elapsed() < 60000) usleep(1000);
  close(fd);
  ASSERT_GT(unread, 0);
  EXPECT_FALSE(port.IsHeld());
  ASSERT_TRUE(port.Output("/A 1\r\n"));
  Pump(300);
  EXPECT_TRUE(port.IsHeld());
  EXPECT_EQ(sim.ReceivedCount(), 0) << "a line went out after the unit's XOFF had come";
}

TEST_F(CMSCommTest, AtAnyLineSpeedNoMoreThanTheUnitsBufferCanTakeIsOnItsWay) {
  // A slice of the line, never more than a unit must take beyond its XOFF.
  const struct {
    const char* settings;
    int budget;
  } rows[] = {
      {"19200,n,8,1", 48},  // 25 ms of the line
      {"9600,n,8,1", 24},
      {"1200,n,8,1", 16},
      {"115200,n,8,1", CMSComm::kMaxInFlight},
  };
  for (const auto& row : rows) {
    port.Close();
    QString error;
    ASSERT_TRUE(port.Open(sim.PtyPath(), QString::fromLatin1(row.settings), &error)) << error.toStdString();
    EXPECT_EQ(port.MeterBudget(), row.budget) << row.settings;
  }
}

TEST_F(CMSCommTest, WritesInSlicesAtTheLinesRate) {
  // What the port has written and the wire not yet carried never exceeds
  // what a unit must take beyond its XOFF, however much is queued.
  sim.SetPaced(true);
  sim.SetEcho(false);
  QByteArray lines;
  for (int i = 0; i < 24; ++i) lines += "/LINE" + QByteArray::number(i % 10) + " " + QByteArray(32, 'x') + "\r\n";
  ASSERT_TRUE(port.Output(lines));
  EXPECT_GT(port.OutBufferCount(), 900);
  int most = 0;
  ASSERT_TRUE(WaitUntil([&] {
    most = qMax(most, port.MeteredInFlight());
    return sim.ReceivedCount() == 24;
  }));
  EXPECT_GT(most, 0);
  EXPECT_LE(most, CMSComm::kMaxInFlight);
  EXPECT_EQ(sim.Flow().lost, 0);
  // The meter's clock and the unit's are not the same: the meter may count
  // the last character on the wire a moment longer.
  EXPECT_TRUE(WaitUntil([&] { return port.MeteredInFlight() == 0; }));
}

TEST_F(CMSCommTest, AReleaseLetsAStrayXoffGo) {
  sim.Inject(QByteArray(1, kXoff));
  ASSERT_TRUE(WaitUntil([&] { return port.IsHeld(); }));
  ASSERT_TRUE(port.Output("/A 1\r\n"));
  Pump(200);
  EXPECT_EQ(sim.ReceivedCount(), 0);
  port.ReleaseLine();
  EXPECT_FALSE(port.IsHeld());
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedCount() == 1; }));
  EXPECT_EQ(sim.ReceivedLines(), QStringList{"/A 1"});
}

TEST_F(CMSCommTest, DiscardingTheQueueKeepsOnlyTheRestOfALineBegun) {
  sim.Inject(QByteArray(1, kXoff));
  ASSERT_TRUE(WaitUntil([&] { return port.IsHeld(); }));
  ASSERT_TRUE(port.Output("/A 1\r\n/B 2\r\n"));
  // Nothing has reached the driver: all of it goes.
  EXPECT_EQ(port.DiscardQueued(), 12);
  EXPECT_EQ(port.DiscardQueued(), 0);

  // More than the meter lets out at once: the driver has begun the line
  // the meter cut.
  port.ReleaseLine();
  QByteArray lines;
  for (int i = 0; i < 40; ++i) lines += "/LINE" + QByteArray::number(i) + " " + QByteArray(40, 'x') + "\r\n";
  ASSERT_TRUE(port.Output(lines));
  const int dropped = port.DiscardQueued();
  EXPECT_GT(dropped, 0);
  ASSERT_TRUE(WaitUntil([&] { return port.OutBufferCount() == 0; }));
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedCount() > 0 && sim.CharsReceived() == lines.size() - dropped; }));
  // Whole lines only: the last one the unit got is the one begun.
  for (const QString& line : sim.ReceivedLines()) EXPECT_EQ(line.size(), line.indexOf(' ') + 41) << line.toStdString();
}

TEST_F(CMSCommTest, ALostPortGivesTheSystemsReason) {
  sim.HangUp();
  ASSERT_TRUE(port.Output("/A 1\r\n") || !port.IsOpen());
  ASSERT_TRUE(WaitUntil([&] { return lost; }));
  EXPECT_FALSE(port.IsOpen());
  ASSERT_FALSE(errors.isEmpty());
  // The pseudo-terminal's node goes with its far end.
  EXPECT_TRUE(errors.last() == "No such device" || errors.last() == "Input/output error")
      << errors.last().toStdString();
}

// One program at a time on a device, whatever name it is opened by: a
// second open of the same terminal under another name (a link in another
// folder) is refused with the device and the process that has it, and
// touches nothing of the first one's line; once the first has closed, it
// opens.
TEST_F(CMSCommTest, ASecondOpenOfTheSameTerminalUnderAnotherNameIsRefused) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString other = dir.filePath("ttyOther");
  ASSERT_TRUE(QFile::link(sim.PtyPath(), other));
  EXPECT_EQ(CPortLock::ResolvedDevice(other), CPortLock::ResolvedDevice(sim.PtyPath()));
  EXPECT_EQ(CPortLock::LockFileOf(other), CPortLock::LockFileOf(sim.PtyPath()));
  CMSComm second;
  for (const QString& name : {other, sim.PtyPath()}) {
    SCOPED_TRACE(name.toStdString());
    QString error;
    EXPECT_FALSE(second.Open(name, QStringLiteral("9600,e,7,2"), &error));
    EXPECT_FALSE(second.IsOpen());
    EXPECT_TRUE(error.contains("is in use by another program")) << error.toStdString();
    EXPECT_TRUE(error.contains(CPortLock::ResolvedDevice(sim.PtyPath()))) << error.toStdString();
    EXPECT_TRUE(error.contains(QString::number(QCoreApplication::applicationPid()))) << error.toStdString();
  }
  // The first one's line settings are as it set them.
  const int fd = open(sim.PtyPath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  termios tio{};
  ASSERT_EQ(tcgetattr(fd, &tio), 0);
  close(fd);
  EXPECT_EQ(cfgetospeed(&tio), speed_t(B19200));
  EXPECT_EQ(tio.c_cflag & PARENB, 0u);
  ASSERT_TRUE(port.Output("/A 1\r\n"));
  ASSERT_TRUE(WaitUntil([&] { return received.contains("/A 1\r\n"); }));
  port.Close();
  QString error;
  EXPECT_TRUE(second.Open(other, QStringLiteral("19200,n,8,1"), &error)) << error.toStdString();
  second.Close();
}
