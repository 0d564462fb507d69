// What the window's File > Save and quitting do when the project file was
// changed on the disk behind the window's back: a file that is gone is saved
// anew under its name (the user is told, nothing is asked), a change that
// kept the file's size, time and inode is still noticed, and a file with
// other names (hard links) is not split from them.
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "scriptedfilechooser.h"
#include "shell/cdocmanager.h"
#include "shell/cmainframe.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"
#include "shell/shellcommands.h"
#include "shelltestblock.h"
#include "support/filebytes.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ProjectOnDiskTest : public testing::Test {
 protected:
  void SetUp() override {
    CShellSettings::SetLanguage(CStringTable::Language::English);
    CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
    path = dir.filePath(QStringLiteral("site.sxm"));
    CSelvantisDoc doc;
    doc.OnNewDocument();
    ShellTestBlock::Place(doc, QPoint(50, 50), QStringLiteral("Left"));
    ASSERT_TRUE(doc.OnSaveDocument(path));
  }
  void TearDown() override {
    app.reset();
    CStringTable::SetLanguage(CStringTable::Language::English);
  }

  CMainFrame& Start() {
    app = std::make_unique<CSelvantisApp>(&chooser);
    EXPECT_TRUE(app->InitInstance({path}));
    return *app->MainFrame();
  }
  QStringList OtherVersions() const {
    return QDir(dir.path()).entryList({QStringLiteral("site (other version *).sxm")}, QDir::Files);
  }
  // The blocks of the project file as it is on the disk.
  int BlocksOnDisk() const {
    CSelvantisDoc read;
    return read.OnOpenDocument(path) ? read.GetObjectCount(CAT_ENTRIES) : -1;
  }

  TempProfile profile;
  QTemporaryDir dir;
  QString path;
  ScriptedFileChooser chooser;
  std::unique_ptr<CSelvantisApp> app;
};

}  // namespace

// Deleted while open: File > Save writes it anew under its name and says that
// it was gone; no question about another program's version, no failure. The
// same when the window is closed with the project unsaved.
TEST_F(ProjectOnDiskTest, ADeletedProjectIsSavedAnewUnderItsNameAndTheUserIsTold) {
  CMainFrame& frame = Start();
  CSelvantisDoc* doc = frame.GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  ShellTestBlock::Place(*doc, QPoint(240, 400), QStringLiteral("Added"));
  ASSERT_TRUE(QFile::remove(path));

  MessageRecorder messages;
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileSave));
  ASSERT_EQ(messages.Requests().size(), 1u);
  const MessageRequest told = messages.Requests()[0];
  EXPECT_TRUE(told.text.contains(QStringLiteral("was no longer there"))) << told.text.toStdString();
  EXPECT_TRUE(told.text.contains(QStringLiteral("saved anew under its name"))) << told.text.toStdString();
  EXPECT_TRUE(told.text.contains(path)) << told.text.toStdString();
  EXPECT_EQ(told.style & MB_TYPEMASK, static_cast<uint32_t>(MB_OK));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(BlocksOnDisk(), 2);
  EXPECT_TRUE(OtherVersions().isEmpty());

  // The file is the window's again: the next save says nothing.
  messages.Clear();
  ShellTestBlock::Place(*doc, QPoint(440, 400));
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileSave));
  EXPECT_TRUE(messages.Requests().empty());

  // Deleted again, and the window closed: "Save changes?" Yes saves it anew
  // and the window closes.
  ShellTestBlock::Place(*doc, QPoint(640, 400));
  ASSERT_TRUE(QFile::remove(path));
  messages.Clear();
  messages.QueueAnswer(IDYES);
  EXPECT_TRUE(frame.close());
  QApplication::processEvents();
  ASSERT_EQ(messages.Requests().size(), 2u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("Save changes"))) << messages.Requests()[0].text.toStdString();
  EXPECT_TRUE(messages.Requests()[1].text.contains(QStringLiteral("was no longer there")));
  EXPECT_EQ(BlocksOnDisk(), 4);
}

// Another program changes five bytes in place and sets the time back: size,
// time and inode are as they were, but File > Save asks before it writes
// over that version.
TEST_F(ProjectOnDiskTest, AChangeThatKeepsSizeTimeAndInodeIsAskedAbout) {
  CMainFrame& frame = Start();
  CSelvantisDoc* doc = frame.GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  ShellTestBlock::Place(*doc, QPoint(240, 400), QStringLiteral("Added"));

  const QByteArray file = QFile::encodeName(path);
  struct stat before {};
  ASSERT_EQ(::stat(file.constData(), &before), 0);
  // Five bytes in the middle, as a program that edits in place changes them.
  QByteArray theirs = FileBytes(path);
  const qsizetype at = theirs.size() / 2;
  for (qsizetype i = at; i < at + 5; ++i) theirs[i] = static_cast<char>(theirs[i] ^ 0x5A);
  {
    const int fd = ::open(file.constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::pwrite(fd, theirs.constData() + at, 5, at), 5);
    ::close(fd);
  }
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.constData(), times, 0), 0);
  struct stat after {};
  ASSERT_EQ(::stat(file.constData(), &after), 0);
  ASSERT_EQ(after.st_size, before.st_size);
  ASSERT_EQ(after.st_ino, before.st_ino);
  ASSERT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  ASSERT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

  MessageRecorder messages;
  messages.QueueAnswer(IDCANCEL);
  EXPECT_FALSE(frame.OnCommand(ShellCmd::kFileSave));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("was changed by another program")))
      << messages.Requests()[0].text.toStdString();
  EXPECT_TRUE(FileBytes(path) == theirs);
  EXPECT_TRUE(doc->IsModified());

  // Yes keeps their version by its own name.
  messages.Clear();
  messages.QueueAnswer(IDYES);
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileSave));
  const QStringList kept = OtherVersions();
  ASSERT_EQ(kept.size(), 1);
  EXPECT_TRUE(FileBytes(dir.filePath(kept[0])) == theirs);
  EXPECT_EQ(BlocksOnDisk(), 2);
}

// A project file with a second name (a hard link) is not split from it:
// File > Save says why it leaves the file as it is; both names keep the same
// file. Save As to a name of its own works.
TEST_F(ProjectOnDiskTest, AProjectWithOtherNamesIsNotSplitFromThem) {
  const QString second = dir.filePath(QStringLiteral("also.sxm"));
  ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(second).constData()), 0);
  const QByteArray old = FileBytes(path);
  CMainFrame& frame = Start();
  CSelvantisDoc* doc = frame.GetActiveDocument();
  ASSERT_NE(doc, nullptr);
  ShellTestBlock::Place(*doc, QPoint(240, 400), QStringLiteral("Added"));

  MessageRecorder messages;
  EXPECT_FALSE(frame.OnCommand(ShellCmd::kFileSave));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("other names (hard links)")))
      << messages.Requests()[0].text.toStdString();
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(FileBytes(path) == old);
  EXPECT_TRUE(FileBytes(second) == old);
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
  EXPECT_EQ(st.st_nlink, 2u);

  const QString own = dir.filePath(QStringLiteral("own.sxm"));
  chooser.Queue(own);
  messages.Clear();
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileSaveAs));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(FileBytes(second) == old);
}
