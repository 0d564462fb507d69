// A command-line download killed with SIGKILL (no handler runs, nothing is
// closed): the notes already hold the note that the unit may be open,
// written before the first line that opened it, and the next connect to the
// unit closes it first and says so, under whatever name of its terminal,
// or on another port where the noted one is gone. The program runs as a
// child against the simulated unit, with settings of its own.
#include "commandlinechild.h"
#include "support/fulldisk.h"
#include "support/testtimelimit.h"
#include "support/waituntil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/types.h>

namespace {

struct KilledRun {
  int status = -1;
  QString err;
};

class KilledProgramTest : public CommandLineChildTest {
 protected:
  // The notes as they are on disk.
  QByteArray Notes() const {
    QFile file(NotesFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // The note of the unit of every family (device id 10336, version V0.8).
  QByteArray NoteLine(const QString& port) const { return port.toLocal8Bit() + " [10336,V0.8] locked unprotected\n"; }

  // A download through port, killed well into the project; returns once
  // the unit has taken everything the killed program wrote, with the log
  // cleared and the unit no longer paced.
  void KillDownload(const QString& port) {
    sim.ClearLog();
    sim.SetPaced(true);
    QProcess killed;
    StartOn(killed, {"--download", project}, port);
    ASSERT_TRUE(killed.waitForStarted(kHangLimitMs));
    // Well into the project: the macros are locked, the settings open.
    ASSERT_TRUE(WaitUntil([&] { return ProjectLines() >= 40 || killed.state() == QProcess::NotRunning; }));
    ASSERT_EQ(killed.state(), QProcess::Running);
    ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
    ASSERT_TRUE(killed.waitForFinished(kHangLimitMs));
    EXPECT_EQ(killed.exitStatus(), QProcess::CrashExit);
    // What it wrote may still be in the terminal or on the wire: a line of
    // it arriving later would look like a line of the next program.
    ASSERT_TRUE(WaitUntil([&] { return sim.Untaken() == 0; }));
    EXPECT_EQ(sim.Value("/MACRO/LOCK"), "ON");
    EXPECT_EQ(sim.Value("/PROTECT"), "OFF");
    sim.SetPaced(false);
    sim.ClearLog();
  }
  KilledRun Compare(const QString& port) {
    QProcess process;
    StartOn(process, {"--compare", project, "-o", dir.filePath(QStringLiteral("differences.txt"))}, port);
    KilledRun run;
    if (!process.waitForFinished(kHangLimitMs)) {
      ADD_FAILURE() << "the comparison did not end";
      process.kill();
      process.waitForFinished();
      return run;
    }
    run.status = process.exitCode();
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
  }
  // The unit got the closing lines before anything else of the connect,
  // and is closed at its end.
  // A line the killed program left half-sent may come first, ended by the
  // connect's own line end.
  static void ExpectClosedFirst(const UnitSimulator& unit) {
    const QStringList lines = unit.FullLines();
    const int first = lines.indexOf("/SERVICE/DEVID ?");
    ASSERT_GE(first, 0) << lines.join(" | ").toStdString();
    EXPECT_LE(first, 1) << lines.join(" | ").toStdString();
    EXPECT_EQ(lines.mid(first, 5),
              (QStringList{"/SERVICE/DEVID ?", "/SERVICE/VER ?", "/MACRO/LOCK OFF", "/PROTECT ON", "/PROTECT OFF"}))
        << lines.join(" | ").toStdString();
    EXPECT_EQ(unit.Value("/MACRO/LOCK"), "OFF");
    EXPECT_EQ(unit.Value("/PROTECT"), "ON");
  }

  TestTimeLimit limit{std::chrono::seconds(300)};
};

}  // namespace

TEST_F(KilledProgramTest, ASigkillDuringADownloadLeavesTheNoteAndTheNextConnectClosesTheUnitFirst) {
  ASSERT_TRUE(sim.Start());
  KillDownload(sim.PtyPath());
  EXPECT_TRUE(Notes().contains(NoteLine(sim.PtyPath()))) << Notes().toStdString();

  // The next connect, a comparison: the unit is closed before anything else.
  QProcess next;
  Start(next, {"--compare", project});
  ASSERT_TRUE(next.waitForFinished(kHangLimitMs));
  const QString err = QString::fromLocal8Bit(next.readAllStandardError());
  EXPECT_TRUE(err.contains("They have been sent now, and the unit has taken them.")) << err.toStdString();
  // What the kill may have left in the unit is said too.
  EXPECT_TRUE(
      err.contains("may hold part of what that connection was sending when it ended: a whole download puts "
                   "it right."))
      << err.toStdString();
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
  EXPECT_FALSE(QFile::exists(NotesFile())) << Notes().toStdString();
}

// A kill under one name of the terminal (a link, as "/dev/serial/by-id/..."
// is) and the next command under another: the note is found by the
// terminal, not by the name, and the user learns which unit got the lines.
TEST_F(KilledProgramTest, AKillUnderOneNameOfTheTerminalIsClosedUnderAnother) {
  ASSERT_TRUE(sim.Start());
  const QString link = dir.filePath(QStringLiteral("usb-Maker_Adapter_A1-if00-port0"));
  ASSERT_TRUE(QFile::link(sim.PtyPath(), link));
  const struct {
    const char* name;
    QString killedOn;
    QString connectedOn;
  } rows[] = {{"killed through the link, connected through the terminal", link, sim.PtyPath()},
              {"killed through the terminal, connected through the link", sim.PtyPath(), link}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    KillDownload(row.killedOn);
    EXPECT_EQ(Notes().count(NoteLine(row.killedOn)), 1) << Notes().toStdString();
    const KilledRun run = Compare(row.connectedOn);
    EXPECT_LE(run.status, 1) << run.err.toStdString();
    ExpectClosedFirst(sim);
    EXPECT_TRUE(run.err.contains(QStringLiteral("The last connection to the unit on %1 ended before the unit had "
                                                "taken \"/MACRO/LOCK OFF\" and \"/PROTECT ON\". The unit that answers "
                                                "now on %2 is that unit (device id 10336, version V0.8).")
                                     .arg(row.killedOn, row.connectedOn)))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(NotesFile())) << Notes().toStdString();
  }
}

// A second device node of the same terminal (as made with mknod) is the
// same terminal. The system opens a pseudo-terminal through its own node
// only, so the note is the one a kill through such a node of a serial
// device leaves.
TEST_F(KilledProgramTest, ANoteUnderASecondDeviceNodeOfTheTerminalIsClosed) {
  ASSERT_TRUE(sim.Start());
  const QString node = dir.filePath(QStringLiteral("ttyUnit"));
  QString reason;
  if (!MakeSecondNode(sim.PtyPath(), node, &reason))
    GTEST_SKIP() << "no device nodes can be made here (" << reason.toStdString() << ")";
  ASSERT_TRUE(QDir().mkpath(QFileInfo(NotesFile()).path()));
  {
    QFile notes(NotesFile());
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write(NoteLine(node));
  }
  sim.SetValue("/MACRO/LOCK", "ON");
  sim.SetValue("/PROTECT", "OFF");
  const KilledRun run = Compare(sim.PtyPath());
  EXPECT_LE(run.status, 1) << run.err.toStdString();
  ExpectClosedFirst(sim);
  EXPECT_TRUE(run.err.contains(QStringLiteral("The last connection to the unit on %1 ended").arg(node)))
      << run.err.toStdString();
  EXPECT_FALSE(QFile::exists(NotesFile())) << Notes().toStdString();
}

// The adapter comes back under another name after a crash and a replug:
// the noted name names nothing any more, and the unit that answers is
// closed when it is the unit of the note, and left alone, with a word,
// when it is another.
TEST_F(KilledProgramTest, ANoteWhosePortIsGoneGoesByTheUnit) {
  ASSERT_TRUE(sim.Start());
  const QString gone = dir.filePath(QStringLiteral("ttyUSB0"));
  ASSERT_TRUE(QFile::link(sim.PtyPath(), gone));
  KillDownload(gone);
  ASSERT_TRUE(QFile::remove(gone));
  const QByteArray note = NoteLine(gone);
  ASSERT_TRUE(Notes().contains(note)) << Notes().toStdString();

  // Another unit on another port: nothing that changes it, and the user is
  // told of the note that stays.
  UnitSimulator other;
  TeachEveryFamily(other);
  other.SetValue("/SERVICE/DEVID", "55555");
  ASSERT_TRUE(other.Start());
  const KilledRun elsewhere = Compare(other.PtyPath());
  EXPECT_FALSE(other.FullLines().contains("/MACRO/LOCK OFF")) << other.FullLines().join(" | ").toStdString();
  EXPECT_EQ(other.FullLines().indexOf("/PROTECT ON"), other.FullLines().lastIndexOf("/PROTECT ON"));
  EXPECT_LT(other.FullLines().indexOf("/PROTECT OFF"), other.FullLines().indexOf("/PROTECT ON"));
  EXPECT_TRUE(elsewhere.err.contains(
      QStringLiteral("An earlier connection on %1, which is no longer there, may have left a unit with its macros "
                     "locked and its settings unprotected (device id 10336, version V0.8). The unit that answers now "
                     "on %2 is another one (device id 55555, version V0.8): it got no closing lines")
          .arg(gone, other.PtyPath())))
      << elsewhere.err.toStdString();
  EXPECT_TRUE(Notes().contains(note)) << Notes().toStdString();
  other.Stop();

  // The unit of the note on its new name: closed first, and the note goes.
  const KilledRun back = Compare(sim.PtyPath());
  EXPECT_LE(back.status, 1) << back.err.toStdString();
  ExpectClosedFirst(sim);
  EXPECT_TRUE(back.err.contains(QStringLiteral("The last connection to the unit on %1 ended before the unit had taken "
                                               "\"/MACRO/LOCK OFF\" and \"/PROTECT ON\". The unit that answers now on "
                                               "%2 is that unit (device id 10336, version V0.8).")
                                    .arg(gone, sim.PtyPath())))
      << back.err.toStdString();
  EXPECT_FALSE(QFile::exists(NotesFile())) << Notes().toStdString();
}

// A "|" and a blank in the port's name: the note reads back as one note of
// that name. Another unit behind the name before the "|" gets nothing.
TEST_F(KilledProgramTest, AnyPortNameKeepsItsNote) {
  ASSERT_TRUE(sim.Start());
  const QString piped = dir.filePath(QStringLiteral("pipe|port [1,2] x"));
  ASSERT_TRUE(QFile::link(sim.PtyPath(), piped));
  KillDownload(piped);
  EXPECT_TRUE(Notes().contains(dir.filePath(QStringLiteral("pipe|port%20%5B1%2C2%5D%20x")).toLocal8Bit() +
                               " [10336,V0.8] locked unprotected\n"))
      << Notes().toStdString();

  UnitSimulator other;
  TeachEveryFamily(other);
  other.SetValue("/SERVICE/DEVID", "55555");
  ASSERT_TRUE(other.Start());
  const QString before = dir.filePath(QStringLiteral("pipe"));
  ASSERT_TRUE(QFile::link(other.PtyPath(), before));
  const KilledRun unrelated = Compare(before);
  EXPECT_FALSE(other.FullLines().contains("/MACRO/LOCK OFF")) << other.FullLines().join(" | ").toStdString();
  EXPECT_FALSE(unrelated.err.contains("earlier connection")) << unrelated.err.toStdString();
  EXPECT_FALSE(unrelated.err.contains("last connection")) << unrelated.err.toStdString();
  other.Stop();

  const KilledRun run = Compare(piped);
  EXPECT_LE(run.status, 1) << run.err.toStdString();
  ExpectClosedFirst(sim);
  EXPECT_FALSE(QFile::exists(NotesFile())) << Notes().toStdString();
}

// A comparison locks no macros: after its kill, the next connect closes and
// names only the protection.
TEST_F(KilledProgramTest, AKillDuringAComparisonOwesOnlyTheProtection) {
  sim.SetPaced(true);
  ASSERT_TRUE(sim.Start());
  QProcess killed;
  Start(killed, {"--compare", project});
  ASSERT_TRUE(killed.waitForStarted(kHangLimitMs));
  ASSERT_TRUE(WaitUntil([&] { return ProjectLines() >= 40 || killed.state() == QProcess::NotRunning; }));
  ASSERT_EQ(killed.state(), QProcess::Running);
  ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
  ASSERT_TRUE(killed.waitForFinished(kHangLimitMs));
  ASSERT_TRUE(WaitUntil([&] { return sim.Untaken() == 0; }));
  EXPECT_TRUE(Notes().contains(sim.PtyPath().toLocal8Bit() + " [10336,V0.8] unprotected\n")) << Notes().toStdString();
  sim.SetPaced(false);
  sim.ClearLog();
  const KilledRun run = Compare(sim.PtyPath());
  const QStringList lines = sim.FullLines();
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines.mid(lines.indexOf("/SERVICE/DEVID ?"), 4),
            (QStringList{"/SERVICE/DEVID ?", "/SERVICE/VER ?", "/PROTECT ON", "/PROTECT OFF"}))
      << lines.join(" | ").toStdString();
  EXPECT_FALSE(lines.contains("/MACRO/LOCK OFF"));
  EXPECT_TRUE(run.err.contains("The last connection to the unit on " + sim.PtyPath() +
                               " ended before the unit had taken \"/PROTECT ON\". It has been sent now, and the unit "
                               "has taken it."))
      << run.err.toStdString();
  EXPECT_FALSE(run.err.contains("MACRO")) << run.err.toStdString();
}

// What a note or the unit says reaches the terminal with its control
// characters shown, never as they are (an escape sequence would act on the
// terminal).
TEST_F(KilledProgramTest, ControlCharactersOfANoteAndOfTheUnitAreShownNotSent) {
  sim.SetValue("/SERVICE/DEVID", QString::fromLatin1("103\x1b[2J37"));
  sim.SetValue("/SERVICE/VER", QString::fromLatin1("V1.0\x07"));
  ASSERT_TRUE(sim.Start());
  ASSERT_TRUE(QDir().mkpath(QFileInfo(NotesFile()).path()));
  {
    QFile notes(NotesFile());
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write(sim.PtyPath().toLocal8Bit() + " [4711%1B%5D0;owned%07,V0.8%0D] unprotected\n");
  }
  const KilledRun run = Compare(sim.PtyPath());
  EXPECT_TRUE(run.err.contains("(device id 4711\\x1B]0;owned\\x07, version V0.8\\x0D)")) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("(device id 103\\x1B[2J37, version V1.0\\x07)")) << run.err.toStdString();
  for (const QChar c : run.err)
    EXPECT_TRUE(c == QLatin1Char('\n') || c.category() != QChar::Other_Control) << int(c.unicode());
  // The other unit's note stays.
  EXPECT_TRUE(Notes().contains("4711%1B%5D0;owned%07,V0.8%0D")) << Notes().toStdString();
}
