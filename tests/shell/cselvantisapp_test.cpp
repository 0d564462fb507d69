// Start-up of the application, the file commands of the main window and the
// language switch.
#include "shell/cselvantisapp.h"
#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "scriptedfilechooser.h"
#include "shell/cchildframe.h"
#include "shell/cdocmanager.h"
#include "shell/cmainframe.h"
#include "shell/controls/qstringprinter.h"
#include "shell/crecentfilelist.h"
#include "shell/cselvantisview.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "shelltestblock.h"
#include "support/dialogdriver.h"
#include "support/filebytes.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include <signal.h>

namespace {

// A project file with two blocks, written without the shell.
QString WriteProject(const QString& path) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  ShellTestBlock* a = ShellTestBlock::Place(doc, QPoint(50, 50), QStringLiteral("Left"));
  ShellTestBlock* b = ShellTestBlock::Place(doc, QPoint(300, 80), QStringLiteral("Right"));
  CBaseDevice::Connect(a, 0, b, 1);
  EXPECT_TRUE(doc.OnSaveDocument(path));
  return path;
}

class CSelvantisAppTest : public testing::Test {
 protected:
  void SetUp() override { CShellSettings::SetLanguage(CStringTable::Language::English); }
  void TearDown() override {
    app.reset();
    CStringTable::SetLanguage(CStringTable::Language::English);
  }

  CMainFrame& Start(const QStringList& args = {}) {
    app = std::make_unique<CSelvantisApp>(&chooser);
    EXPECT_TRUE(app->InitInstance(args));
    return *app->MainFrame();
  }

  QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

  TempProfile profile;
  QTemporaryDir dir;
  ScriptedFileChooser chooser;
  std::unique_ptr<CSelvantisApp> app;
};

TEST_F(CSelvantisAppTest, StartsWithTheActionOfTheShellCommand) {
  // A value out of range (5) reads as the default: a new project.
  const QString last = WriteProject(Path("last.sxm"));
  struct Row {
    int shellCommand;
    int documents;
    QString path;
  };
  for (const Row& row : {Row{0, 0, {}}, Row{1, 1, {}}, Row{2, 1, last}, Row{5, 1, {}}}) {
    CProfile::WriteInt(QStringLiteral("Configuration"), QStringLiteral("ShellCommand"), row.shellCommand);
    CProfile::WriteString(CRecentFileList::kSection, QStringLiteral("File1"), last);
    CMainFrame& frame = Start();
    EXPECT_EQ(frame.DocManager().Count(), row.documents) << "ShellCommand " << row.shellCommand;
    EXPECT_TRUE(frame.isMaximized()) << "ShellCommand " << row.shellCommand;
    if (row.documents == 1) {
      EXPECT_EQ(frame.GetActiveDocument(), frame.DocManager().At(0));
      EXPECT_EQ(GetActiveDoc(), frame.DocManager().At(0));
      EXPECT_EQ(frame.GetActiveDocument()->GetPathName(), row.path);
    }
    EXPECT_EQ(frame.Printer().pageLayout().orientation(), QPageLayout::Landscape);
    app.reset();
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
  }
}

// A save beyond the file-size limit (ulimit -f) must be reported, not end the
// program: the program ignores SIGXFSZ from its start.
TEST_F(CSelvantisAppTest, IgnoresTheFileSizeSignalFromTheStart) {
  struct sigaction previous {};
  struct sigaction deflt {};
  deflt.sa_handler = SIG_DFL;
  sigemptyset(&deflt.sa_mask);
  ASSERT_EQ(sigaction(SIGXFSZ, &deflt, &previous), 0);
  Start();
  struct sigaction now {};
  ASSERT_EQ(sigaction(SIGXFSZ, nullptr, &now), 0);
  EXPECT_EQ(now.sa_handler, SIG_IGN);
  sigaction(SIGXFSZ, &previous, nullptr);
}

TEST_F(CSelvantisAppTest, AMissingLastFileIsReportedAndLeavesTheRecentList) {
  CShellSettings::SetStartupAction(CShellSettings::kStartReopenLast);
  CProfile::WriteString(CRecentFileList::kSection, QStringLiteral("File1"), Path("gone.sxm"));
  MessageRecorder messages;
  CMainFrame& frame = Start();
  EXPECT_EQ(frame.DocManager().Count(), 0);
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(frame.RecentFiles().Count(), 0);
}

TEST_F(CSelvantisAppTest, OpensTheProjectFileOfTheCommandLine) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNew);
  const QString path = WriteProject(Path("site.sxm"));
  CMainFrame& frame = Start({QStringLiteral("-platformtheme"), path});
  ASSERT_EQ(frame.DocManager().Count(), 1) << "the file replaces the start-up action";
  CSelvantisDoc* doc = frame.GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), QStringLiteral("site.sxm"));
  EXPECT_EQ(doc->GetObjectCount(CAT_ENTRIES), 2);
  EXPECT_EQ(frame.RecentFiles().At(0), path);
}

TEST_F(CSelvantisAppTest, NewSaveAsSaveCloseAndReopenThroughTheRecentList) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  MessageRecorder messages;
  CMainFrame& frame = Start();
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileNew));
  CSelvantisDoc* doc = frame.GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->GetTitle(), QStringLiteral("Project1"));
  ShellTestBlock::Place(*doc, QPoint(40, 40), QStringLiteral("First"));

  // Save of a new project asks for a name and adds the extension.
  chooser.Queue(Path("plant"));
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileSave));
  EXPECT_EQ(chooser.LastProposed(), QStringLiteral("Project1.sxm"));
  const QString path = Path("plant.sxm");
  EXPECT_TRUE(QFileInfo::exists(path));
  EXPECT_EQ(doc->GetPathName(), path);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(frame.RecentFiles().At(0), path);

  // 57603 sent to the main window saves the active document without asking.
  ShellTestBlock::Place(*doc, QPoint(200, 40), QStringLiteral("Second"));
  const int asked = chooser.Asked();
  ASSERT_TRUE(AfxGetMainWnd()->OnCommand(57603));
  EXPECT_EQ(chooser.Asked(), asked);
  EXPECT_FALSE(doc->IsModified());

  // Save As to a second name.
  chooser.Queue(Path("copy.sxm"));
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileSaveAs));
  EXPECT_EQ(doc->GetPathName(), Path("copy.sxm"));
  EXPECT_EQ(frame.RecentFiles().At(1), path);

  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileClose));
  EXPECT_EQ(frame.DocManager().Count(), 0);
  EXPECT_EQ(GetActiveDoc(), nullptr);

  // The second recent entry is the first save; it comes back with both blocks.
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileMru1 + 1));
  ASSERT_EQ(frame.DocManager().Count(), 1);
  EXPECT_EQ(frame.GetActiveDocument()->GetPathName(), path);
  EXPECT_EQ(frame.GetActiveDocument()->GetObjectCount(CAT_ENTRIES), 2);
  EXPECT_EQ(frame.RecentFiles().At(0), path);

  // Opening it again brings the open window to the front instead.
  chooser.Queue(path);
  frame.OnCommand(ShellCmd::kFileOpen);
  EXPECT_EQ(frame.DocManager().Count(), 1);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CSelvantisAppTest, ClosingAModifiedProjectAsksFirst) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNew);
  CMainFrame& frame = Start();
  CSelvantisDoc* doc = frame.GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  ShellTestBlock::Place(*doc, QPoint(40, 40));
  ASSERT_TRUE(doc->IsModified());

  MessageRecorder messages;
  messages.QueueAnswer(IDCANCEL);
  EXPECT_FALSE(frame.OnCommand(ShellCmd::kFileClose));
  EXPECT_EQ(frame.DocManager().Count(), 1);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("Project1")));

  // Yes, but the save dialog is cancelled: the project stays open.
  messages.QueueAnswer(IDYES);
  EXPECT_FALSE(frame.OnCommand(ShellCmd::kFileClose));
  EXPECT_EQ(frame.DocManager().Count(), 1);

  // Closing the child window asks the same way; No discards.
  messages.QueueAnswer(IDNO);
  frame.GetActiveChild()->close();
  QApplication::processEvents();
  EXPECT_EQ(frame.DocManager().Count(), 0);
  EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 0);
}

// Another program writes the project file while the window holds it: File >
// Save asks first. Cancel saves nothing; No loads the other version; Yes
// saves this one and keeps the other under a name of its own.
TEST_F(CSelvantisAppTest, SavingAProjectAnotherProgramChangedAsksFirst) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  const QString path = WriteProject(Path("site.sxm"));
  CMainFrame& frame = Start({path});
  CSelvantisDoc* doc = frame.GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  QAction* save = frame.Action(ShellCmd::kFileSave);
  ASSERT_NE(save, nullptr);
  // Another program's version: three blocks.
  auto otherProgramWrites = [&](int blocks) {
    CSelvantisDoc other;
    other.OnNewDocument();
    for (int i = 0; i < blocks; ++i) ShellTestBlock::Place(other, QPoint(50 + i * 200, 300));
    EXPECT_TRUE(other.OnSaveDocument(path));
    QFile::remove(CSelvantisDoc::BackupPathFor(path));
    return FileBytes(path);
  };
  auto otherVersions = [&] {
    return QDir(dir.path()).entryList({QStringLiteral("site (other version *).sxm")}, QDir::Files);
  };

  // Nothing changed outside: no question.
  MessageRecorder messages;
  ShellTestBlock::Place(*doc, QPoint(40, 400), QStringLiteral("Here"));
  save->trigger();
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_FALSE(doc->IsModified());

  ShellTestBlock::Place(*doc, QPoint(240, 400), QStringLiteral("Here too"));
  QByteArray theirs = otherProgramWrites(3);
  messages.QueueAnswer(IDCANCEL);
  save->trigger();
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("was changed by another program")))
      << messages.Requests()[0].text.toStdString();
  EXPECT_TRUE(FileBytes(path) == theirs);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(otherVersions().isEmpty());

  // No: the other program's version is loaded, nothing is written.
  messages.Clear();
  messages.QueueAnswer(IDNO);
  save->trigger();
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(FileBytes(path) == theirs);
  EXPECT_EQ(frame.GetActiveDocument(), doc);
  EXPECT_EQ(doc->GetObjectCount(CAT_ENTRIES), 3);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(otherVersions().isEmpty());

  // Yes: this version is saved; the other one is kept, whole, by name.
  ShellTestBlock::Place(*doc, QPoint(40, 600), QStringLiteral("Mine"));
  theirs = otherProgramWrites(5);
  messages.Clear();
  messages.QueueAnswer(IDYES);
  save->trigger();
  ASSERT_EQ(messages.Requests().size(), 1u);
  const QStringList kept = otherVersions();
  ASSERT_EQ(kept.size(), 1) << kept.join(' ').toStdString();
  EXPECT_TRUE(messages.Requests()[0].text.contains(kept[0])) << messages.Requests()[0].text.toStdString();
  EXPECT_TRUE(FileBytes(dir.filePath(kept[0])) == theirs);
  EXPECT_FALSE(doc->IsModified());
  CSelvantisDoc reread;
  ASSERT_TRUE(reread.OnOpenDocument(path));
  EXPECT_EQ(reread.GetObjectCount(CAT_ENTRIES), 4);

  // The file is the window's again: the next save asks nothing.
  messages.Clear();
  ShellTestBlock::Place(*doc, QPoint(240, 600));
  save->trigger();
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CSelvantisAppTest, DroppedProjectsOpenAndCommandFilesNeedTheUnit) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  const QString project = WriteProject(Path("dropped.sxm"));
  QFile commands(Path("setup.TXT"));
  ASSERT_TRUE(commands.open(QIODevice::WriteOnly));
  commands.write("/ZONE1/VOL 10\r\n");
  commands.close();
  MessageRecorder messages;
  CMainFrame& frame = Start();
  frame.OpenDroppedFiles({project, commands.fileName(), Path("image.png")});
  EXPECT_EQ(frame.DocManager().Count(), 1);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("setup.TXT")));
}

TEST_F(CSelvantisAppTest, SwitchesTheLanguageOfMenusAndStringTable) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  CShellSettings::SetLanguage(CStringTable::Language::German);
  CMainFrame& frame = Start();
  QApplication::processEvents();
  EXPECT_EQ(CStringTable::GetLanguage(), CStringTable::Language::German);
  ASSERT_FALSE(frame.menuBar()->actions().isEmpty());
  EXPECT_EQ(frame.menuBar()->actions().at(0)->text(), QStringLiteral("&Datei"));
  EXPECT_EQ(frame.Action(ShellCmd::kFileSave)->text(), QStringLiteral("&Speichern"));
  EXPECT_EQ(frame.ConnectionPane()->text(), QStringLiteral("Nicht verbunden"));

  CSelvantisApp::ApplyLanguage(CStringTable::Language::English);
  QApplication::processEvents();
  EXPECT_EQ(CStringTable::GetLanguage(), CStringTable::Language::English);
  EXPECT_EQ(frame.menuBar()->actions().at(0)->text(), QStringLiteral("&File"));
  EXPECT_EQ(frame.Action(ShellCmd::kFileSave)->text(), QStringLiteral("&Save"));
  EXPECT_EQ(frame.ConnectionPane()->text(), QStringLiteral("Not connected"));
}

// Run by FirstStartSpeaksTheDesktopsLanguage in a process of its own, whose
// desktop language is set before Qt reads it: the program starts on a fresh
// profile and shows its menus.
TEST_F(CSelvantisAppTest, FirstStartChild) {
  const QString expected = qEnvironmentVariable("SELV_FIRST_START_MENU");
  if (expected.isEmpty()) GTEST_SKIP() << "run by FirstStartSpeaksTheDesktopsLanguage";
  CProfile::Remove(QStringLiteral("Settings"), QStringLiteral("Language"));
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  CMainFrame& frame = Start();
  ASSERT_FALSE(frame.menuBar()->actions().isEmpty());
  EXPECT_EQ(frame.menuBar()->actions().at(0)->text(), expected);
  EXPECT_FALSE(CShellSettings::HasLanguage()) << "the desktop's language is no choice of the user";
}

TEST(CSelvantisAppFirstStartTest, FirstStartSpeaksTheDesktopsLanguage) {
  struct Row {
    const char* variable;
    const char* value;
    const char* menu;
  };
  const Row rows[] = {{"LC_ALL", "de_DE.UTF-8", "&Datei"},
                      {"LANG", "de_AT.UTF-8", "&Datei"},
                      {"LC_ALL", "en_GB.UTF-8", "&File"},
                      {"LC_ALL", "fr_FR.UTF-8", "&File"}};
  for (const Row& row : rows) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) env.remove(QString::fromLatin1(name));
    env.insert(QString::fromLatin1(row.variable), QString::fromLatin1(row.value));
    env.insert(QStringLiteral("SELV_FIRST_START_MENU"), QString::fromLatin1(row.menu));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=CSelvantisAppTest.FirstStartChild")});
    ASSERT_TRUE(child.waitForFinished(kHangLimitMs)) << row.value;
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << row.variable << "=" << row.value << "\n" << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[       OK ] CSelvantisAppTest.FirstStartChild")))
        << row.value << "\n"
        << output.toStdString();
  }
}

// The system's file dialogs (no scripted chooser) open in the folder of the
// project the user works on, else in the home folder, not in the working
// folder the program was started in.
TEST_F(CSelvantisAppTest, FileDialogsOpenInTheProjectsFolderElseAtHome) {
  QTemporaryDir home;
  const QByteArray oldHome = qgetenv("HOME");
  qputenv("HOME", QFile::encodeName(home.path()));
  const QString folder = QDir(dir.path()).canonicalPath();
  const QString path = WriteProject(QDir(folder).filePath(QStringLiteral("hall.sxm")));
  CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  app = std::make_unique<CSelvantisApp>(nullptr);
  ASSERT_TRUE(app->InitInstance({}));
  CMainFrame& frame = *app->MainFrame();

  // Shows the dialog of a command and returns the folder it opened in.
  auto folderOf = [&](int command) {
    QString shown;
    DriveNextModal([&](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dialog, nullptr);
      shown = QDir(dialog->directory().absolutePath()).canonicalPath();
      dialog->reject();
    });
    frame.OnCommand(command);
    return shown;
  };
  const QString atHome = QDir(home.path()).canonicalPath();
  EXPECT_EQ(folderOf(ShellCmd::kFileOpen), atHome) << "no project open";
  ASSERT_TRUE(frame.DocManager().OpenDocumentFile(path));
  EXPECT_EQ(folderOf(ShellCmd::kFileOpen), folder);
  EXPECT_EQ(folderOf(ShellCmd::kFileSaveAs), folder);
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileNew));
  EXPECT_EQ(folderOf(ShellCmd::kFileSaveAs), atHome) << "a new project has no folder yet";
  frame.DocManager().CloseAll();
  app.reset();
  qputenv("HOME", oldHome);
}

TEST_F(CSelvantisAppTest, ZoomToolbarActsOnTheActiveView) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNew);
  CMainFrame& frame = Start();
  CSelvantisView* view = frame.GetActiveView();
  ASSERT_NE(view, nullptr);
  frame.Action(ShellCmd::kZoomIn)->trigger();
  EXPECT_EQ(view->ZoomPercent(), 125);
  frame.Action(ShellCmd::kZoomOut)->trigger();
  frame.Action(ShellCmd::kZoomOut)->trigger();
  EXPECT_EQ(view->ZoomPercent(), 75);
  frame.Action(ShellCmd::kZoom100)->trigger();
  EXPECT_EQ(view->ZoomPercent(), 100);
}

TEST_F(CSelvantisAppTest, EditDeleteRoutesToTheCurrentObjectOnlyWhenItAllowsIt) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNew);
  CMainFrame& frame = Start();
  CSelvantisDoc* doc = frame.GetActiveDocument();
  ShellTestBlock* block = ShellTestBlock::Place(*doc, QPoint(40, 40));
  EXPECT_FALSE(frame.IsCommandEnabled(ShellCmd::kEditDelete)) << "nothing current yet";
  frame.GetActiveView()->SetCurrentObject(block);
  EXPECT_TRUE(frame.IsCommandEnabled(ShellCmd::kEditDelete));
  EXPECT_TRUE(frame.OnCommand(ShellCmd::kEditDelete));
  EXPECT_FALSE(doc->Contains(block));
  EXPECT_EQ(frame.GetActiveView()->GetCurrentObject(), nullptr);
}

}  // namespace

namespace {

TEST_F(CSelvantisAppTest, PrintPreviewAndPdfExportOfTheActiveProject) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNew);
  CMainFrame& frame = Start();
  ShellTestBlock::Place(*frame.GetActiveDocument(), QPoint(40, 40));
  bool previewed = false;
  DriveNextModal([&](QWidget* w) {
    previewed = qobject_cast<QPrintPreviewDialog*>(w) != nullptr;
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_TRUE(frame.OnCommand(ShellCmd::kFilePrintPreview));
  EXPECT_TRUE(previewed);

  const QString pdf = Path("drawing.pdf");
  EXPECT_TRUE(frame.ExportPdf(pdf));
  EXPECT_GT(QFileInfo(pdf).size(), 1000);
  MessageRecorder messages;
  EXPECT_FALSE(frame.ExportPdf(Path("no/such/dir/drawing.pdf")));
  EXPECT_EQ(messages.Requests().size(), 1u);
}

// Qt runs neither of two actions that claim the same keys ("Ambiguous
// shortcut overload"): every key of the main window, its menus, its project
// windows and their own menus belongs to one action.
TEST_F(CSelvantisAppTest, EveryShortcutOfTheMainWindowIsUnique) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNew);
  CMainFrame& frame = Start();
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileNew));  // two project windows
  QApplication::processEvents();
  std::set<QAction*> actions;
  for (QAction* action : frame.findChildren<QAction*>()) actions.insert(action);
  std::function<void(QMenu*)> walk = [&](QMenu* menu) {
    for (QAction* action : menu->actions()) {
      actions.insert(action);
      if (action->menu()) walk(action->menu());
    }
  };
  for (QAction* action : frame.menuBar()->actions())
    if (action->menu()) walk(action->menu());
  for (QMdiSubWindow* window : frame.findChild<QMdiArea*>()->subWindowList())
    if (window->systemMenu()) walk(window->systemMenu());

  std::map<QString, std::vector<QString>> owners;
  for (QAction* action : actions)
    for (const QKeySequence& keys : action->shortcuts())
      if (!keys.isEmpty())
        owners[keys.toString(QKeySequence::PortableText)].push_back(
            action->objectName().isEmpty() ? action->text() : action->objectName());
  ASSERT_FALSE(owners.empty());
  EXPECT_EQ(owners.count(QStringLiteral("Ctrl+W")), 1u) << "File > Close";
  for (const auto& [keys, names] : owners)
    EXPECT_EQ(names.size(), 1u) << keys.toStdString() << " is claimed by " << names.size() << " actions, e.g. "
                                << names.front().toStdString() << " and " << names.back().toStdString();
}

TEST_F(CSelvantisAppTest, AReopenedProjectFillsTheWorkAreaAndIsNamedOnceInTheTitle) {
  const QString path = WriteProject(Path("demo-en.sxm"));
  CShellSettings::SetStartupAction(CShellSettings::kStartReopenLast);
  CProfile::WriteString(CRecentFileList::kSection, QStringLiteral("File1"), path);
  CMainFrame& frame = Start();
  QApplication::processEvents();
  ASSERT_EQ(frame.DocManager().Count(), 1);
  auto* area = frame.findChild<QMdiArea*>();
  QMdiSubWindow* child = area->activeSubWindow();
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(child->isMaximized());
  EXPECT_EQ(child->geometry(), area->viewport()->rect()) << "the whole work area, as a new project";
  EXPECT_EQ(frame.windowTitle().count(QStringLiteral("demo-en.sxm")), 1) << frame.windowTitle().toStdString();

  // A new project beside it is maximised like it and named once, too.
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileNew));
  QApplication::processEvents();
  EXPECT_TRUE(area->activeSubWindow()->isMaximized());
  EXPECT_EQ(frame.windowTitle().count(QStringLiteral("Project")), 1) << frame.windowTitle().toStdString();
  EXPECT_EQ(frame.windowTitle().count(QStringLiteral("demo-en.sxm")), 0) << frame.windowTitle().toStdString();
}

TEST_F(CSelvantisAppTest, TheZoomBoxTakesATypedPercentage) {
  CShellSettings::SetStartupAction(CShellSettings::kStartNew);
  CMainFrame& frame = Start();
  CSelvantisView* view = frame.GetActiveView();
  ASSERT_NE(view, nullptr);
  auto* box = frame.findChild<QComboBox*>(QStringLiteral("ZoomCombo"));
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(box->isEditable());
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), QStringLiteral("60"));
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(view->ZoomPercent(), 60);
  EXPECT_EQ(box->currentText(), QStringLiteral("60 %"));
  // Not a number: the box shows the zoom again.
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), QStringLiteral("abc"));
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(view->ZoomPercent(), 60);
  EXPECT_EQ(box->currentText(), QStringLiteral("60 %"));
  // A step of the list still works.
  box->setCurrentIndex(box->findData(200));
  emit box->activated(box->currentIndex());
  EXPECT_EQ(view->ZoomPercent(), 200);
}

}  // namespace
