// The error output holds only the program's own messages unless --verbose
// asks for its log: not the notes its parts write for developers (a
// cancelled upload's "transfer ended"), nor Qt's own warnings (the missing
// XDG_RUNTIME_DIR of cron and ssh). The program itself runs as a child, for
// --print, --compare and the window, with XDG_RUNTIME_DIR unset.
#include "everyfamilyproject.h"
#include "link/ccommandline.h"
#include "link/linkprofile.h"
#include "model/clogroute.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "scriptedfilechooser.h"
#include "shell/cmainframe.h"
#include "shell/controls/cprogressdlg.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The lines of an error output that are not the program's messages.
QStringList ForeignLines(const QByteArray& output) {
  QStringList foreign;
  for (const QString& line : QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
    if (!line.startsWith(QStringLiteral("selvantis: ")) || line.startsWith(QStringLiteral("selvantis: log: ")))
      foreign << line;
  return foreign;
}

class ErrorOutputTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    TeachEveryFamily(sim);
    QString error;
    ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
    project = dir.filePath(QStringLiteral("plant.sxm"));
    // A new project: quick to compare, with the unit's own blocks.
    CSelvantisDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(doc.OnSaveDocument(project));
  }
  void TearDown() override { sim.Stop(); }

  // The program as cron or ssh starts it: no XDG_RUNTIME_DIR, a settings
  // folder of its own.
  void Start(QProcess& program, const QStringList& args, bool window = false) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    if (window) env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(dir.path());
    program.start(QStringLiteral(SELV_PROGRAM_PATH), args);
    ASSERT_TRUE(program.waitForStarted(kHangLimitMs));
  }
  QByteArray Finish(QProcess& program) {
    EXPECT_TRUE(program.waitForFinished(kHangLimitMs));
    return program.readAllStandardError();
  }

  QTemporaryDir dir;
  UnitSimulator sim;
  QString project;
};

// --print and --compare without --verbose say only their own words; with
// it, Qt's warning comes as a line of the log.
TEST_F(ErrorOutputTest, TheCommandsSayOnlyTheirOwnWordsWithoutVerbose) {
  struct Row {
    const char* what;
    QStringList args;
    bool verbose;
  };
  const Row rows[] = {
      {"--print", {"--print", project, "-o", dir.filePath("plant.pdf")}, false},
      {"--print --verbose", {"--print", project, "-o", dir.filePath("plant.pdf"), "--verbose"}, true},
      {"--compare", {"--compare", project, "--port", sim.PtyPath(), "-o", dir.filePath("diff.txt")}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    QProcess program;
    Start(program, row.args + QStringList{"--language", "en"});
    const QByteArray said = Finish(program);
    EXPECT_NE(program.exitCode(), CCommandLine::kExitFailed) << said.toStdString();
    if (row.verbose)
      EXPECT_TRUE(said.contains("selvantis: log: QStandardPaths: XDG_RUNTIME_DIR not set")) << said.toStdString();
    else
      EXPECT_TRUE(ForeignLines(said).isEmpty()) << said.toStdString();
  }
}

// The window: it opens the project (the recent-file list in the settings
// says so), and a SIGTERM ends it with its own word.
TEST_F(ErrorOutputTest, TheWindowSaysNothingOfItsOwnLogWithoutVerbose) {
  for (const bool verbose : {false, true}) {
    SCOPED_TRACE(verbose ? "with --verbose" : "without --verbose");
    const QString settings = dir.filePath(QStringLiteral("config/VELMORIX/Selvantis.conf"));
    QFile::remove(settings);
    QProcess program;
    Start(program, verbose ? QStringList{"--verbose", project} : QStringList{project}, true);
    EXPECT_TRUE(WaitUntil([&] {
      QFile file(settings);
      return program.state() != QProcess::Running ||
             (file.open(QIODevice::ReadOnly) && file.readAll().contains("plant.sxm"));
    }));
    program.terminate();
    const QByteArray said = Finish(program);
    EXPECT_TRUE(said.contains("selvantis: Stopped by SIGTERM.")) << said.toStdString();
    if (verbose)
      EXPECT_TRUE(said.contains("selvantis: log: QStandardPaths: XDG_RUNTIME_DIR not set")) << said.toStdString();
    else
      EXPECT_TRUE(ForeignLines(said).isEmpty()) << said.toStdString();
  }
}

// A cancelled upload in the window: its end is a note of the log, which
// reaches the error output only with --verbose.
TEST_F(ErrorOutputTest, ACancelledUploadInTheWindowLeavesItsNoteInTheLogOnly) {
  TempProfile profile;
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
  CShellSettings::SetLanguage(CStringTable::Language::English);
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  sim.SetPaced(true);
  for (const bool verbose : {false, true}) {
    SCOPED_TRACE(verbose ? "with --verbose" : "without --verbose");
    QBuffer err;
    err.open(QIODevice::WriteOnly);
    const CLogRoute log(err, verbose);
    MessageRecorder messages;
    ScriptedFileChooser chooser;
    CSelvantisApp app(&chooser);
    ASSERT_TRUE(app.InitInstance({project}));
    CMainFrame& frame = *app.MainFrame();
    ASSERT_TRUE(frame.OnCommand(ShellCmd::kCommConnect));
    // The user presses Cancel once the progress window is there.
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, &cancel, [] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* progress = qobject_cast<CProgressDlg*>(widget);
        if (progress == nullptr || !progress->isVisible()) continue;
        if (auto* button = progress->findChild<QPushButton*>(QStringLiteral("cancel")))
          QTest::mouseClick(button, Qt::LeftButton);
      }
    });
    cancel.start(20);
    EXPECT_FALSE(frame.OnCommand(ShellCmd::kCommUpload));
    cancel.stop();
    // Qt's own warning, as a window that asks for the runtime folder gets it.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) qputenv("XDG_RUNTIME_DIR", runtime);
    if (verbose) {
      EXPECT_TRUE(err.data().contains("selvantis: log: selv.link.transfer: transfer ended"))
          << err.data().toStdString();
      EXPECT_TRUE(err.data().contains("selvantis: log: QStandardPaths: XDG_RUNTIME_DIR not set"))
          << err.data().toStdString();
    } else {
      EXPECT_TRUE(err.data().isEmpty()) << err.data().toStdString();
    }
    frame.GetActiveDocument()->SetModifiedFlag(false);
  }
}

}  // namespace
