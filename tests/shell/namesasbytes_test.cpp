// Names as the system keeps them, bytes: a project named in Latin-1, or
// with a byte-order mark, opens from the window's command line, from a drop
// on the window and from the recent-file list after the next start; a port
// whose name holds a byte that is not UTF-8 opens from --port.
#include "everyfamilyproject.h"
#include "link/ccommandline.h"
#include "model/cfilename.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "scriptedfilechooser.h"
#include "shell/ccommandlineapp.h"
#include "shell/cdocmanager.h"
#include "shell/cmainframe.h"
#include "shell/crecentfilelist.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "shelltestblock.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The names a user meets: a file named on a Latin-1 system, one whose name
// a Windows editor began with a byte-order mark, and both at once.
struct ByteName {
  const char* what;
  QByteArray bytes;
};
const ByteName kByteNames[] = {
    {"a Latin-1 name", QByteArray("caf\xe9.sxm")},
    {"a name with a byte-order mark", QByteArray("\xef\xbb\xbfplant.sxm")},
    {"a byte-order mark and a Latin-1 byte", QByteArray("\xef\xbb\xbf"
                                                        "caf\xe9.sxm")},
};

bool ExistsAsBytes(const QByteArray& path) {
  struct stat st {};
  return ::stat(path.constData(), &st) == 0;
}

// QTemporaryDir removes the files of its folder by their names as text:
// one with a byte that is not UTF-8 would stay behind.
void RemoveFilesByBytes(const QString& folder) {
  DIR* entries = ::opendir(QFile::encodeName(folder).constData());
  if (entries == nullptr) return;
  while (const dirent* entry = ::readdir(entries))
    if (entry->d_type != DT_DIR) ::unlinkat(::dirfd(entries), entry->d_name, 0);
  ::closedir(entries);
}

// The window's arguments as main() takes them from the system.
QStringList WindowArguments(const std::vector<QByteArray>& given) {
  std::vector<QByteArray> storage{QByteArray("selvantis")};
  storage.insert(storage.end(), given.begin(), given.end());
  std::vector<char*> argv;
  for (QByteArray& arg : storage) argv.push_back(arg.data());
  argv.push_back(nullptr);
  return CCommandLineApp::Arguments(static_cast<int>(storage.size()), argv.data());
}

// The current folder for as long as it lives (the user's shell, where a
// name is typed without its folder).
class InFolder final {
 public:
  explicit InFolder(const QString& folder) : m_previous(QDir::currentPath()) { QDir::setCurrent(folder); }
  ~InFolder() { QDir::setCurrent(m_previous); }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  QString m_previous;
};

class NamesAsBytesTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    CShellSettings::SetLanguage(CStringTable::Language::English);
    CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  }
  void TearDown() override {
    app.reset();
    RemoveFilesByBytes(dir.path());
  }

  CMainFrame& Start(const QStringList& args) {
    app.reset();
    app = std::make_unique<CSelvantisApp>(&chooser);
    EXPECT_TRUE(app->InitInstance(args));
    return *app->MainFrame();
  }
  // A project of one block under name (its bytes) in the test's folder.
  QString WriteProject(const QByteArray& name) {
    const QString path = CFileName::FromSystem(QFile::encodeName(dir.path()) + '/' + name);
    CSelvantisDoc doc;
    EXPECT_TRUE(doc.OnNewDocument());
    ShellTestBlock::Place(doc, QPoint(50, 50), QStringLiteral("Hall"));
    EXPECT_TRUE(doc.OnSaveDocument(path));
    EXPECT_TRUE(ExistsAsBytes(CFileName::ToSystem(path)));
    return path;
  }

  TempProfile profile;
  QTemporaryDir dir;
  ScriptedFileChooser chooser;
  std::unique_ptr<CSelvantisApp> app;
};

// Run by AProjectNamedInBytesOpensFromTheCommandLineAndAgainFromTheRecentList
// as the program's next start, a process of its own (one process keeps what
// it wrote to the profile in memory): the recent-file list read from the
// profile names the project by its bytes, and the File menu's entry opens it.
TEST_F(NamesAsBytesTest, NextStartChild) {
  const QString profileFile = qEnvironmentVariable("SELV_NEXT_START_PROFILE");
  if (profileFile.isEmpty())
    GTEST_SKIP() << "run by AProjectNamedInBytesOpensFromTheCommandLineAndAgainFromTheRecentList";
  const QByteArray expected = QByteArray::fromHex(qgetenv("SELV_NEXT_START_PROJECT"));
  CProfile::UseIniFile(profileFile);
  MessageRecorder messages;
  CMainFrame& frame = Start({});
  ASSERT_EQ(frame.DocManager().Count(), 0);
  ASSERT_GE(frame.RecentFiles().Count(), 1);
  EXPECT_EQ(CFileName::ToSystem(frame.RecentFiles().At(0)), expected);
  auto* recent = frame.findChild<QAction*>(QStringLiteral("recentFile1"));
  ASSERT_NE(recent, nullptr);
  ASSERT_TRUE(recent->isVisible());
  // The menu shows the bytes that are no characters by their values.
  const QString shownName = CFileName::Display(CFileName::FromSystem(expected.mid(expected.lastIndexOf('/') + 1)));
  EXPECT_TRUE(recent->text().endsWith(shownName)) << recent->text().toStdString();
  recent->trigger();
  ASSERT_EQ(frame.DocManager().Count(), 1)
      << (messages.Requests().empty() ? std::string() : messages.Requests().front().text.toStdString());
  EXPECT_EQ(CFileName::ToSystem(frame.GetActiveDocument()->GetPathName()), expected);
  EXPECT_EQ(frame.GetActiveDocument()->GetObjectCount(CAT_ENTRIES), 1);
  EXPECT_TRUE(messages.Requests().empty()) << messages.Requests().front().text.toStdString();
}

// Typed in the project's folder: the window opens the file and the
// recent-file list keeps its name; the next start opens it again from the
// File menu's list.
TEST_F(NamesAsBytesTest, AProjectNamedInBytesOpensFromTheCommandLineAndAgainFromTheRecentList) {
  for (const ByteName& name : kByteNames) {
    SCOPED_TRACE(name.what);
    const QString path = WriteProject(name.bytes);
    MessageRecorder messages;
    {
      const InFolder folder(dir.path());
      CMainFrame& frame = Start(WindowArguments({name.bytes}));
      ASSERT_EQ(frame.DocManager().Count(), 1)
          << (messages.Requests().empty() ? std::string() : messages.Requests().front().text.toStdString());
      EXPECT_EQ(CFileName::ToSystem(frame.GetActiveDocument()->GetPathName()), CFileName::ToSystem(path));
      EXPECT_EQ(frame.GetActiveDocument()->GetObjectCount(CAT_ENTRIES), 1);
      EXPECT_EQ(CFileName::ToSystem(frame.RecentFiles().At(0)), CFileName::ToSystem(path));
    }
    app.reset();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SELV_NEXT_START_PROFILE"), profile.Path());
    env.insert(QStringLiteral("SELV_NEXT_START_PROJECT"), QString::fromLatin1(CFileName::ToSystem(path).toHex()));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=NamesAsBytesTest.NextStartChild")});
    ASSERT_TRUE(child.waitForFinished(kHangLimitMs));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[       OK ] NamesAsBytesTest.NextStartChild")))
        << output.toStdString();
    // The next name starts from an empty list.
    CProfile::Remove(CRecentFileList::kSection, QStringLiteral("File1"));
  }
}

// A file manager drops the name as a URL with the byte escaped ("%E9").
TEST_F(NamesAsBytesTest, AProjectNamedInBytesOpensWhenDroppedOnTheWindow) {
  MessageRecorder messages;
  CMainFrame& frame = Start({});
  int opened = 0;
  for (const ByteName& name : kByteNames) {
    SCOPED_TRACE(name.what);
    const QString path = WriteProject(name.bytes);
    const QUrl url =
        QUrl::fromEncoded("file://" + (QFile::encodeName(dir.path()) + '/' + name.bytes).toPercentEncoding("/"));
    ASSERT_TRUE(url.isLocalFile()) << url.toEncoded().toStdString();
    QMimeData data;
    data.setUrls({url});
    // The application routes a drop to the window that took the drag in.
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    ASSERT_EQ(frame.DocManager().Count(), ++opened);
    EXPECT_EQ(CFileName::ToSystem(frame.GetActiveDocument()->GetPathName()), CFileName::ToSystem(path));
    EXPECT_TRUE(messages.Requests().empty()) << messages.Requests().front().text.toStdString();
  }
}

// --port names a link to the unit's terminal whose name holds a byte that
// is not UTF-8: the command connects through it.
TEST_F(NamesAsBytesTest, APortNamedInBytesOpensFromThePortOption) {
  UnitSimulator sim;
  QString error;
  ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
  TeachEveryFamily(sim);
  // A new project: its download is short, and reaches every family.
  const QString project = dir.filePath(QStringLiteral("plant.sxm"));
  {
    CSelvantisDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(doc.OnSaveDocument(project));
  }
  const QByteArray port = QFile::encodeName(dir.path()) +
                          "/unit\xff"
                          "port";
  ASSERT_EQ(::symlink(QFile::encodeName(sim.PtyPath()).constData(), port.constData()), 0);

  QBuffer out;
  QBuffer err;
  out.open(QIODevice::WriteOnly);
  err.open(QIODevice::WriteOnly);
  CCommandLine command(out, err, false);
  const QStringList args =
      WindowArguments({"--download", QFile::encodeName(project), "--port", port, "--language", "en"});
  EXPECT_EQ(command.Run(args), 0) << err.data().toStdString();
  EXPECT_FALSE(err.data().contains("cannot be opened")) << err.data().toStdString();
  EXPECT_GT(sim.FullLines().size(), 10);
  sim.Stop();
}

#ifdef SELV_DEMO_PROJECT_PATH
// The demo-project tool writes its project under the name's own bytes and
// prints them.
TEST_F(NamesAsBytesTest, TheDemoProjectToolWritesUnderTheNamesBytes) {
  for (const ByteName& name : kByteNames) {
    SCOPED_TRACE(name.what);
    QProcess tool;
    tool.setWorkingDirectory(dir.path());
    // The name goes to the tool as bytes: a shell makes them from the
    // octal escapes (the library would give its arguments as UTF-8).
    QString escaped;
    for (const char byte : name.bytes)
      escaped += QStringLiteral("\\%1").arg(static_cast<unsigned char>(byte), 3, 8, QLatin1Char('0'));
    tool.start(QStringLiteral("/bin/sh"),
               {QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$(printf '%1')\"").arg(escaped),
                QStringLiteral(SELV_DEMO_PROJECT_PATH)});
    ASSERT_TRUE(tool.waitForFinished(kHangLimitMs));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    EXPECT_EQ(tool.readAllStandardOutput(), name.bytes + '\n');
    const QByteArray written = QFile::encodeName(dir.path()) + '/' + name.bytes;
    EXPECT_TRUE(ExistsAsBytes(written));
    CSelvantisDoc doc;
    EXPECT_TRUE(doc.OnOpenDocument(CFileName::FromSystem(written)));
    ::unlink(written.constData());
  }
}
#endif

}  // namespace
