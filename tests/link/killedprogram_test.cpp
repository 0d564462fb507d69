// A command-line download killed with SIGKILL (no handler runs, nothing is
// closed): the profile already holds the note that the unit may be open,
// written before the first line that opened it, and the next connect to the
// port closes the unit first and says so. The program runs as a child
// against the simulated unit, with a profile of its own.
#include "commandlinechild.h"
#include "support/testtimelimit.h"
#include "support/waituntil.h"

#include <QFile>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/types.h>

namespace {

class KilledProgramTest : public CommandLineChildTest {
 protected:
  // The program's own profile, as it is on disk.
  QByteArray Profile() const {
    QFile file(dir.filePath(QStringLiteral("config/VELMORIX/Selvantis.conf")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  TestTimeLimit limit{std::chrono::seconds(300)};
};

}  // namespace

TEST_F(KilledProgramTest, ASigkillDuringADownloadLeavesTheNoteAndTheNextConnectClosesTheUnitFirst) {
  sim.SetPaced(true);
  ASSERT_TRUE(sim.Start());
  QProcess killed;
  Start(killed, {"--download", project});
  ASSERT_TRUE(killed.waitForStarted(kHangLimitMs));
  // Well into the project: the macros are locked, the settings open.
  ASSERT_TRUE(WaitUntil([&] { return ProjectLines() >= 40 || killed.state() == QProcess::NotRunning; }));
  ASSERT_EQ(killed.state(), QProcess::Running);
  ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
  ASSERT_TRUE(killed.waitForFinished(kHangLimitMs));
  EXPECT_EQ(killed.exitStatus(), QProcess::CrashExit);
  // What it wrote may still be in the terminal or on the wire: a line of it
  // arriving later would look like a line of the next program.
  ASSERT_TRUE(WaitUntil([&] { return sim.Untaken() == 0; }));
  EXPECT_EQ(sim.Value("/MACRO/LOCK"), "ON");
  EXPECT_EQ(sim.Value("/PROTECT"), "OFF");
  const QByteArray note = Profile();
  EXPECT_TRUE(note.contains("Unclosed")) << note.toStdString();
  EXPECT_TRUE(note.contains(sim.PtyPath().toLocal8Bit())) << note.toStdString();

  // The next connect, a comparison: the unit is closed before anything else.
  sim.SetPaced(false);
  sim.ClearLog();
  QProcess next;
  Start(next, {"--compare", project});
  ASSERT_TRUE(next.waitForFinished(kHangLimitMs));
  const QString err = QString::fromLocal8Bit(next.readAllStandardError());
  EXPECT_TRUE(err.contains("They have been sent now")) << err.toStdString();
  const QStringList lines = sim.FullLines();
  const int lockOff = lines.indexOf("/MACRO/LOCK OFF");
  const int protectOn = lines.indexOf("/PROTECT ON");
  const int protectOff = lines.indexOf("/PROTECT OFF");
  ASSERT_GE(lockOff, 0) << lines.join(" | ").toStdString();
  ASSERT_GE(protectOn, 0) << lines.join(" | ").toStdString();
  EXPECT_LT(lockOff, protectOff);
  EXPECT_LT(protectOn, protectOff);
  // Before the closing lines only the questions who the unit is, each
  // whole (a line the killed program left half-sent is ended on its own).
  const int devId = lines.indexOf("/SERVICE/DEVID ?");
  ASSERT_GE(devId, 0) << lines.join(" | ").toStdString();
  EXPECT_LE(devId, 1) << lines.join(" | ").toStdString();
  EXPECT_EQ(lines.mid(devId, lockOff - devId), (QStringList{"/SERVICE/DEVID ?", "/SERVICE/VER ?"}))
      << lines.join(" | ").toStdString();
  // The comparison ended as always: the unit is closed, the note gone.
  EXPECT_EQ(sim.Value("/MACRO/LOCK"), "OFF");
  EXPECT_EQ(sim.Value("/PROTECT"), "ON");
  EXPECT_FALSE(Profile().contains("Unclosed")) << Profile().toStdString();
}
