// How the window program ends on a signal, run as the program in a process
// of its own (the application object with its real message boxes, the
// signal watch and the event loop; the keys it is given are the user's)
// against the simulated unit: during a download, during an upload with a
// message box open, while idle and connected, and with unsaved projects.
// Nobody answers a box: the program must close the unit, keep the changes
// and end by itself. The next start offers the kept changes.
#include "everyfamilyproject.h"
#include "link/ctransfer.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "shell/cdocmanager.h"
#include "shell/cmainframe.h"
#include "shell/crecoverystore.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "support/filebytes.h"
#include "support/messagerecorder.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

#include <sys/types.h>

namespace {

constexpr const char* kChildMode = "SELV_ENDING_CHILD";
constexpr const char* kChildProfile = "SELV_ENDING_PROFILE";
constexpr const char* kChildPort = "SELV_ENDING_PORT";
constexpr const char* kChildProject = "SELV_ENDING_PROJECT";
constexpr const char* kChangedText = "Changed before the kill";

// A line for the test that runs the child.
void EndingTell(const char* what) {
  std::printf("child: %s\n", what);
  std::fflush(stdout);
}

// The child program as the test that runs it sees it.
class EndingChild final {
 public:
  ~EndingChild() {
    if (m_process.state() != QProcess::NotRunning) {
      m_process.kill();
      m_process.waitForFinished();
    }
  }
  void Start(const QString& mode, const QString& profile, const QString& port, const QString& project) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildMode), mode);
    env.insert(QString::fromLatin1(kChildProfile), profile);
    env.insert(QString::fromLatin1(kChildPort), port);
    env.insert(QString::fromLatin1(kChildProject), project);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_process.setProcessEnvironment(env);
    m_process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=WindowEndingChild.Run")});
  }
  // Waits until the child has told what.
  bool WaitFor(const char* what) {
    const QByteArray line = QByteArray("child: ") + what + '\n';
    QElapsedTimer clock;
    clock.start();
    while (!m_out.contains(line)) {
      if (m_process.state() == QProcess::NotRunning || clock.elapsed() > kHangLimitMs) return false;
      m_process.waitForReadyRead(100);
      m_out += m_process.readAllStandardOutput();
    }
    return true;
  }
  void Signal(int signalNumber) {
    m_clock.start();
    ::kill(static_cast<pid_t>(m_process.processId()), signalNumber);
  }
  // Waits for the end; false when the child did not end by itself.
  bool Finish() {
    if (!m_process.waitForFinished(kHangLimitMs)) return false;
    m_endedAfterMs = m_clock.isValid() ? m_clock.elapsed() : -1;
    m_out += m_process.readAllStandardOutput();
    m_err = m_process.readAllStandardError();
    return m_process.exitStatus() == QProcess::NormalExit;
  }
  int ExitCode() const { return m_process.exitCode(); }
  const QByteArray& Out() const { return m_out; }
  const QByteArray& Err() const { return m_err; }
  qint64 EndedAfterMs() const { return m_endedAfterMs; }
  std::string Both() const { return (m_out + "\n--- stderr:\n" + m_err.right(6000)).toStdString(); }

 private:
  QProcess m_process;
  QByteArray m_out;
  QByteArray m_err;
  QElapsedTimer m_clock;
  qint64 m_endedAfterMs = -1;
};

class WindowEndingTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    profileFile = dir.filePath(QStringLiteral("profile/Selvantis.conf"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(profileFile).path()));
    project = dir.filePath(QStringLiteral("plant.sxm"));
    CSelvantisDoc doc;
    FillEveryFamilyProject(doc, EveryFamilySize::Small);
    ASSERT_TRUE(doc.OnSaveDocument(project));
    TeachEveryFamily(sim);
  }
  void TearDown() override { sim.Stop(); }

  QString RecoveryFolder() const { return QFileInfo(profileFile).path() + QStringLiteral("/Recovery"); }

  // The unit has its macros unlocked and its settings protected again, by
  // the ending itself within its limit (not only by the link's closing as
  // the program's objects go).
  void ExpectUnitClosed(const EndingChild& child) {
    EXPECT_FALSE(child.Err().contains("in time")) << child.Both();
    const QStringList lines = sim.FullLines();
    const int protectOn = lines.lastIndexOf(QStringLiteral("/PROTECT ON"));
    ASSERT_GE(protectOn, 0) << lines.join('\n').right(2000).toStdString();
    EXPECT_GT(protectOn, lines.lastIndexOf(QStringLiteral("/PROTECT OFF")));
    EXPECT_GT(protectOn, lines.lastIndexOf(QStringLiteral("/MACRO/LOCK ON")));
    if (lines.contains(QStringLiteral("/MACRO/LOCK ON"))) {
      EXPECT_GT(lines.lastIndexOf(QStringLiteral("/MACRO/LOCK OFF")),
                lines.lastIndexOf(QStringLiteral("/MACRO/LOCK ON")));
    }
  }

  QTemporaryDir dir;
  QString profileFile;
  QString project;
  UnitSimulator sim;
};

}  // namespace

// The window program as the tests above run it: the keys a user would
// press, then the program's own event loop until it ends.
TEST(WindowEndingChild, Run) {
  const QString mode = qEnvironmentVariable(kChildMode);
  if (mode.isEmpty()) GTEST_SKIP() << "run by WindowEndingTest";
  CProfile::UseIniFile(qEnvironmentVariable(kChildProfile));
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, qEnvironmentVariable(kChildPort));
  CShellSettings::SetLanguage(CStringTable::Language::English);
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  CSelvantisApp app(nullptr);
  QTimer watch;
  bool running = false;
  bool box = false;
  QTimer::singleShot(0, &app, [&] {
    CMainFrame& frame = *app.MainFrame();
    frame.activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &frame; }));
    if (mode == QLatin1String("modified")) {
      // The project and a new one, both changed and not saved.
      frame.GetActiveDocument()->SetProjectData(0, QString::fromLatin1(kChangedText));
      QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
      frame.GetActiveDocument()->SetProjectData(0, QString::fromLatin1(kChangedText));
      EndingTell("modified");
      return;
    }
    QTest::keyClick(&frame, Qt::Key_F5);
    if (!frame.IsCommandEnabled(ShellCmd::kCommDisconnect)) {
      EndingTell("not connected");
      // Why, for the test's failure output: what the connect said.
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* said = qobject_cast<QMessageBox*>(w); said && said->isVisible())
          std::printf("child: a box says: %s\n", qPrintable(said->text()));
      std::fflush(stdout);
    }
    EndingTell("connected");
    if (mode == QLatin1String("idle")) return;
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
      if (!running && CTransfer::IsRunning()) {
        running = true;
        EndingTell("running");
      }
      if (!box) {
        if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          box = true;
          EndingTell("box");
          // What it says, for the test's failure output.
          std::printf("child: the box says: %s\n", qPrintable(shown->text()));
          std::fflush(stdout);
        }
      }
    });
    watch.start(10);
    QTest::keyClick(&frame, mode == QLatin1String("upload") ? Qt::Key_F7 : Qt::Key_F6);
    EndingTell("transfer returned");
  });
  const int result = app.Run({qEnvironmentVariable(kChildProject)});
  watch.stop();
  std::printf("child: ended with %d\n", result);
  std::fflush(stdout);
}

TEST_F(WindowEndingTest, ASignalDuringADownloadClosesTheUnitWithoutWaitingForABox) {
  sim.SetPaced(true);
  ASSERT_TRUE(sim.Start());
  for (int signalNumber : {SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(signalNumber);
    sim.ClearLog();
    // Each row starts as the first: no copy a row before left to offer back.
    QDir(RecoveryFolder()).removeRecursively();
    EndingChild child;
    child.Start(QStringLiteral("download"), profileFile, sim.PtyPath(), project);
    ASSERT_TRUE(child.WaitFor("running")) << child.Both();
    // Well into the project: the macros are locked, the settings open.
    ASSERT_TRUE(WaitUntil([&] { return sim.FullLines().size() >= 60; }));
    child.Signal(signalNumber);
    ASSERT_TRUE(child.Finish()) << "the program did not end by itself\n" << child.Both();
    EXPECT_EQ(child.ExitCode(), 0) << child.Both();
    EXPECT_TRUE(child.Out().contains("child: ended with 0")) << child.Both();
    EXPECT_TRUE(child.Err().contains("selvantis: Stopped by ")) << child.Both();
    std::printf("ended %lld ms after the signal\n", static_cast<long long>(child.EndedAfterMs()));
    ExpectUnitClosed(child);
  }
}

TEST_F(WindowEndingTest, ASignalWhileAnUploadsMessageIsOpenClosesItAndTheUnit) {
  // The unit's zones differ from the project's: the upload shows a message
  // for the first difference.
  ASSERT_TRUE(sim.Start());
  EndingChild child;
  child.Start(QStringLiteral("upload"), profileFile, sim.PtyPath(), project);
  ASSERT_TRUE(child.WaitFor("box")) << child.Both();
  child.Signal(SIGTERM);
  ASSERT_TRUE(child.Finish()) << "the program did not end by itself\n" << child.Both();
  EXPECT_EQ(child.ExitCode(), 0) << child.Both();
  EXPECT_TRUE(child.Out().contains("child: transfer returned")) << child.Both();
  std::printf("ended %lld ms after the signal\n", static_cast<long long>(child.EndedAfterMs()));
  ExpectUnitClosed(child);
}

TEST_F(WindowEndingTest, ASignalWhileIdleAndConnectedProtectsTheUnit) {
  ASSERT_TRUE(sim.Start());
  EndingChild child;
  child.Start(QStringLiteral("idle"), profileFile, sim.PtyPath(), project);
  ASSERT_TRUE(child.WaitFor("connected")) << child.Both();
  EXPECT_FALSE(child.Out().contains("not connected")) << child.Both();
  ASSERT_TRUE(WaitUntil([&] { return sim.FullLines().contains(QStringLiteral("/PROTECT OFF")); }));
  child.Signal(SIGTERM);
  ASSERT_TRUE(child.Finish()) << "the program did not end by itself\n" << child.Both();
  EXPECT_EQ(child.ExitCode(), 0) << child.Both();
  ExpectUnitClosed(child);
}

TEST_F(WindowEndingTest, AKillWithUnsavedChangesKeepsThemAndTheNextStartOffersThem) {
  const QByteArray saved = FileBytes(project);
  ASSERT_FALSE(saved.isEmpty());
  EndingChild child;
  child.Start(QStringLiteral("modified"), profileFile, QStringLiteral("/dev/null"), project);
  ASSERT_TRUE(child.WaitFor("modified")) << child.Both();
  child.Signal(SIGTERM);
  // "Save changes?" would wait for an answer nobody gives.
  ASSERT_TRUE(child.Finish()) << "the program did not end by itself\n" << child.Both();
  EXPECT_EQ(child.ExitCode(), 0) << child.Both();
  EXPECT_TRUE(child.Err().contains("selvantis: The unsaved changes of \"plant.sxm\" are kept")) << child.Both();
  EXPECT_EQ(FileBytes(project), saved) << "the project file was written";
  const QString copy = QDir(RecoveryFolder()).filePath(QStringLiteral("plant.sxm"));
  const QString newCopy = QDir(RecoveryFolder()).filePath(QStringLiteral("Project1.sxm"));
  ASSERT_TRUE(QFileInfo::exists(copy)) << QDir(RecoveryFolder()).entryList().join(", ").toStdString();
  ASSERT_TRUE(QFileInfo::exists(newCopy)) << QDir(RecoveryFolder()).entryList().join(", ").toStdString();
  EXPECT_EQ(QFileInfo(copy).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);

  // The next start, on the same profile: Cancel keeps the copies for later,
  // No deletes one, Yes opens one as the changed project.
  const QString previousProfile = CProfile::IniFile();
  CProfile::UseIniFile(profileFile);
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  {
    MessageRecorder messages;
    messages.QueueAnswer(IDCANCEL);
    messages.QueueAnswer(IDCANCEL);
    CSelvantisApp app(nullptr);
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_EQ(messages.Requests().size(), 2u);
    EXPECT_TRUE(messages.SawText(QStringLiteral("The project \"plant.sxm\" had changes that were not saved")));
    EXPECT_TRUE(messages.SawText(QStringLiteral("The new project \"Project1\" had changes that were not saved")));
    EXPECT_EQ(app.MainFrame()->DocManager().Count(), 0);
  }
  EXPECT_TRUE(QFileInfo::exists(copy));
  {
    // The copies come oldest first: the project, then the new one.
    MessageRecorder messages;
    messages.QueueAnswer(IDYES);
    messages.QueueAnswer(IDNO);
    CSelvantisApp app(nullptr);
    ASSERT_TRUE(app.InitInstance({}));
    ASSERT_EQ(messages.Requests().size(), 2u);
    EXPECT_FALSE(QFileInfo::exists(newCopy)) << "No deletes the copy";
    CDocManager& docs = app.MainFrame()->DocManager();
    ASSERT_EQ(docs.Count(), 1);
    CSelvantisDoc& doc = *docs.At(0);
    EXPECT_EQ(doc.GetProjectData(0), QString::fromLatin1(kChangedText));
    EXPECT_EQ(QFileInfo(doc.GetPathName()).canonicalFilePath(), QFileInfo(project).canonicalFilePath());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(FileBytes(project), saved) << "opening the copy wrote the project file";
    EXPECT_TRUE(QFileInfo::exists(copy)) << "the copy goes only once its changes are saved";
    // The user saves: the changes are in the project file, the copy goes.
    ASSERT_TRUE(app.MainFrame()->OnCommand(ShellCmd::kFileSave));
    EXPECT_FALSE(QFileInfo::exists(copy));
    CSelvantisDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(project));
    EXPECT_EQ(reread.GetProjectData(0), QString::fromLatin1(kChangedText));
  }
  EXPECT_TRUE(QDir(RecoveryFolder()).entryList(QDir::Files).isEmpty())
      << QDir(RecoveryFolder()).entryList(QDir::Files).join(", ").toStdString();
  CProfile::UseIniFile(previousProfile);
}
