// How the command line's download ends, run as the real program in a
// process of its own against the simulated unit: a signal in the middle
// (the unit gets the unlock and the protection, the program exits with 2
// and says why), and --save (the unit keeps the download, or the program
// says why not).
#include "commandlinechild.h"
#include "support/testtimelimit.h"
#include "support/waituntil.h"

#include <gtest/gtest.h>

#include <csignal>

#include <sys/types.h>

namespace {

struct EndingOutcome {
  int status = -1;
  QByteArray err;
};

class CommandLineEndingTest : public CommandLineChildTest {
 protected:
  EndingOutcome Finish(QProcess& process) {
    EndingOutcome outcome;
    if (!process.waitForFinished(kHangLimitMs) || process.exitStatus() != QProcess::NormalExit) {
      ADD_FAILURE() << "the program did not end by itself";
      process.kill();
      process.waitForFinished();
      return outcome;
    }
    outcome.status = process.exitCode();
    outcome.err = process.readAllStandardError();
    return outcome;
  }
  int LastIndexOfPrefix(const QString& prefix) const {
    const QStringList lines = sim.FullLines();
    for (int i = lines.size() - 1; i >= 0; --i)
      if (lines[i].startsWith(prefix)) return i;
    return -1;
  }
};

}  // namespace

TEST_F(CommandLineEndingTest, ASignalDuringADownloadLeavesTheUnitUnlockedAndProtectedAndExitsWithTwo) {
  sim.SetPaced(true);
  ASSERT_TRUE(sim.Start());
  const struct {
    int signal;
    const char* name;
  } cases[] = {{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}};
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    sim.ClearLog();
    QProcess process;
    Start(process, {"--download", project});
    ASSERT_TRUE(process.waitForStarted(kHangLimitMs));
    // Well into the project: the macros are locked, the settings open.
    ASSERT_TRUE(WaitUntil([&] { return ProjectLines() >= 40 || process.state() == QProcess::NotRunning; }));
    ASSERT_EQ(process.state(), QProcess::Running);
    ::kill(static_cast<pid_t>(process.processId()), row.signal);
    const EndingOutcome outcome = Finish(process);
    EXPECT_EQ(outcome.status, 2) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains(QByteArray("selvantis: Stopped by ") + row.name + "."))
        << outcome.err.toStdString();
    // The closing is the last thing said.
    EXPECT_TRUE(outcome.err.endsWith(QByteArray("selvantis: Stopped by ") + row.name +
                                     ".\nselvantis: The unit's macros are unlocked and its settings protected.\n"))
        << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains("only part of the project")) << outcome.err.toStdString();
    const QStringList lines = sim.FullLines();
    const int lockOff = lines.lastIndexOf("/MACRO/LOCK OFF");
    const int protectOn = lines.lastIndexOf("/PROTECT ON");
    ASSERT_GE(lockOff, 0);
    ASSERT_GE(protectOn, 0);
    EXPECT_GT(lockOff, lines.lastIndexOf("/MACRO/LOCK ON"));
    EXPECT_GT(protectOn, lockOff);
    EXPECT_GT(protectOn, lines.lastIndexOf("/PROTECT OFF"));
  }
}

TEST_F(CommandLineEndingTest, SaveKeepsAConfirmedDownloadInTheUnit) {
  ASSERT_TRUE(sim.Start());
  QProcess process;
  Start(process, {"--download", project, "--save", "--baud", "460800"});
  const EndingOutcome outcome = Finish(process);
  EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
  EXPECT_TRUE(outcome.err.contains("selvantis: The unit has saved its settings.\n")) << outcome.err.toStdString();
  const QStringList lines = sim.FullLines();
  const int save = lines.indexOf("/SERVICE/START FASTSAVE");
  ASSERT_GE(save, 0);
  EXPECT_GT(save, lines.indexOf("/MACRO/LOCK OFF"));
  // The unit keeps its settings as they are when it saves: protected.
  EXPECT_GT(save, lines.lastIndexOf("/PROTECT ON"));
  EXPECT_GT(lines.lastIndexOf("/PROTECT ON"), lines.lastIndexOf("/PROTECT OFF"));
  EXPECT_EQ(lines.count("/SERVICE/START FASTSAVE"), 1);
}

TEST_F(CommandLineEndingTest, SaveSaysWhyWhenTheUnitDoesNotConfirmIt) {
  // The unit stops answering once the download's unlock is in.
  sim.RegisterHandler("/MACRO/LOCK", [](UnitSimulator& unit, const UnitSimulator::Command& command, QStringList&) {
    if (command.value == QLatin1String("OFF")) unit.SetSilent(true);
    return false;
  });
  ASSERT_TRUE(sim.Start());
  QProcess process;
  Start(process, {"--download", project, "--save", "--baud", "460800"});
  const EndingOutcome outcome = Finish(process);
  EXPECT_EQ(outcome.status, 2) << outcome.err.toStdString();
  EXPECT_TRUE(outcome.err.contains("selvantis: The unit did not save its settings: ")) << outcome.err.toStdString();
  EXPECT_FALSE(outcome.err.contains("The project is in the unit."));
  // Nor did it confirm the protection, which went to it: the user is told
  // so, and what the next command sends.
  EXPECT_TRUE(
      outcome.err.contains("selvantis: The unit may still have its settings unprotected: the connection "
                           "ended before it had confirmed \"/PROTECT ON\". The next command on this port "
                           "sends \"/PROTECT ON\" first; or send it to the unit.\n"))
      << outcome.err.toStdString();
}

TEST_F(CommandLineEndingTest, SaveHasNoUseWithoutADownload) {
  ASSERT_TRUE(sim.Start());
  QProcess process;
  Start(process, {"--compare", project, "--save"});
  const EndingOutcome outcome = Finish(process);
  EXPECT_EQ(outcome.status, 2);
  EXPECT_TRUE(outcome.err.contains("The option --save has no use with --compare.")) << outcome.err.toStdString();
  EXPECT_TRUE(sim.FullLines().isEmpty());
}

// The unit holds the line in the middle of a download and the user presses
// Ctrl+C: the transfer stops waiting at once and the program says a second
// one ends it; the second one ends it at once, while the unit still holds
// the line, and says what the unit may still have.
TEST_F(CommandLineEndingTest, ASecondSignalWhileTheUnitHoldsTheLineEndsAtOnceAndSaysWhatTheUnitMayStillHave) {
  const TestTimeLimit limit(std::chrono::seconds(180));
  sim.SetPaced(true);
  ASSERT_TRUE(sim.Start());
  QProcess process;
  Start(process, {"--download", project});
  ASSERT_TRUE(process.waitForStarted(kHangLimitMs));
  ASSERT_TRUE(WaitUntil([&] { return ProjectLines() >= 40 || process.state() == QProcess::NotRunning; }));
  ASSERT_EQ(process.state(), QProcess::Running);
  sim.SetStalled(true);
  const pid_t pid = static_cast<pid_t>(process.processId());
  ::kill(pid, SIGINT);
  QByteArray err;
  ASSERT_TRUE(WaitUntil([&] {
    err += process.readAllStandardError();
    return err.contains("A second SIGINT ends at once.") || process.state() == QProcess::NotRunning;
  })) << err.toStdString();
  ASSERT_EQ(process.state(), QProcess::Running) << err.toStdString();
  ::kill(pid, SIGINT);
  ASSERT_TRUE(process.waitForFinished(kHangLimitMs));
  err += process.readAllStandardError();
  EXPECT_EQ(process.exitCode(), 2) << err.toStdString();
  // Its last words say what the next command on the port sends.
  EXPECT_TRUE(
      err.endsWith("selvantis: Stopped at once. The unit may still have its macros locked and its settings "
                   "unprotected: the next command on this port sends \"/MACRO/LOCK OFF\" and \"/PROTECT ON\" "
                   "first; or send them to the unit.\n"))
      << err.toStdString();
  // It did not wait for the unit.
  EXPECT_TRUE(sim.IsRunning());
  EXPECT_FALSE(sim.FullLines().contains("/MACRO/LOCK OFF"));
  sim.SetStalled(false);
}

// A download that the unit holds past the limit stops; the unit takes its
// closing lines while the program closes the connection. What the program
// says is what is true at its end, in the command line's words.
TEST_F(CommandLineEndingTest, AHeldDownloadSaysNothingUntrueAboutTheClosingTheUnitTookLater) {
  const TestTimeLimit limit(std::chrono::seconds(180));
  sim.SetPaced(true);
  ASSERT_TRUE(sim.Start());
  QProcess process;
  Start(process, {"--download", project});
  ASSERT_TRUE(process.waitForStarted(kHangLimitMs));
  ASSERT_TRUE(WaitUntil([&] { return ProjectLines() >= 40 || process.state() == QProcess::NotRunning; }));
  sim.SetStalled(true);
  QByteArray err;
  // The transfer has ended at its limit while the unit holds the line.
  ASSERT_TRUE(WaitUntil([&] {
    err += process.readAllStandardError();
    return err.contains("only part of the project") || process.state() == QProcess::NotRunning;
  })) << err.toStdString();
  sim.SetStalled(false);
  ASSERT_TRUE(process.waitForFinished(kHangLimitMs));
  err += process.readAllStandardError();
  EXPECT_EQ(process.exitCode(), 2) << err.toStdString();
  EXPECT_TRUE(err.contains("The unit holds the line (XOFF). The unit now holds only part")) << err.toStdString();
  EXPECT_FALSE(err.contains("may still")) << err.toStdString();
  EXPECT_FALSE(err.contains("Disconnect")) << err.toStdString();
  EXPECT_FALSE(err.contains("connection stays open")) << err.toStdString();
  const QStringList lines = sim.FullLines();
  EXPECT_GT(lines.lastIndexOf("/MACRO/LOCK OFF"), lines.lastIndexOf("/MACRO/LOCK ON"));
  EXPECT_GT(lines.lastIndexOf("/PROTECT ON"), lines.lastIndexOf("/PROTECT OFF"));
}

// A signal in the middle of an upload or a comparison (no macros locked):
// the program says what became of the project and of the unit, names only
// what was open, and its verdict is its last word.
TEST_F(CommandLineEndingTest, ASignalDuringAnUploadOrAComparisonEndsWithItsVerdict) {
  sim.SetPaced(true);
  ASSERT_TRUE(sim.Start());
  const struct {
    const char* name;
    QStringList args;
    const char* before;  // said before the verdict, if anything
  } rows[] = {
      {"upload",
       {"--upload", project, "-o", dir.filePath(QStringLiteral("read.sxm"))},
       "selvantis: The project was left as it was before the upload.\n"},
      {"comparison", {"--compare", project}, nullptr},
  };
  for (const auto& row : rows) {
    for (const int at : {20, 60, 150}) {
      SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(at));
      sim.ClearLog();
      QProcess process;
      Start(process, row.args);
      ASSERT_TRUE(process.waitForStarted(kHangLimitMs));
      ASSERT_TRUE(WaitUntil([&] { return ProjectLines() >= at || process.state() == QProcess::NotRunning; }));
      ASSERT_EQ(process.state(), QProcess::Running);
      ::kill(static_cast<pid_t>(process.processId()), SIGINT);
      const EndingOutcome outcome = Finish(process);
      EXPECT_EQ(outcome.status, 2) << outcome.err.toStdString();
      const QByteArray verdict = "selvantis: Stopped by SIGINT.\nselvantis: The unit's settings are protected.\n";
      EXPECT_TRUE(outcome.err.endsWith(row.before ? row.before + verdict : verdict)) << outcome.err.toStdString();
      EXPECT_FALSE(outcome.err.contains("macros")) << outcome.err.toStdString();
      EXPECT_FALSE(sim.FullLines().contains("/MACRO/LOCK OFF"));
      EXPECT_GT(sim.FullLines().lastIndexOf("/PROTECT ON"), sim.FullLines().lastIndexOf("/PROTECT OFF"));
    }
  }
}
