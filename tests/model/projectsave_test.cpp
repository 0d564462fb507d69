// Saving a project where the write fails: the folder cannot take a file, the
// target is no file, or the disk fills up half-way. Each time the user is
// told, the file on disk is the old one byte for byte, no temporary file is
// left beside it and the document stays modified under its old name.
#include "model/cselvantisdoc.h"
#include "modeltestdevices.h"
#include "support/messagerecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A saved project whose next save is much larger.
struct SavedProject {
  QTemporaryDir dir;
  QString path;
  CSelvantisDoc doc;
  QByteArray onDisk;

  SavedProject() {
    path = dir.filePath(QStringLiteral("Plant.sxm"));
    AddTestObject(doc, DT_ZONE, CAT_ZONES, QStringLiteral("Lobby"));
    EXPECT_TRUE(doc.OnSaveDocument(path));
    onDisk = ReadAll(path);
    EXPECT_FALSE(onDisk.isEmpty());
    AddTestObject(doc, DT_ZONE, CAT_ZONES, QStringLiteral("Hall"));
    doc.SetProjectData(1, QString(64 * 1024, QLatin1Char('x')));
    EXPECT_TRUE(doc.IsModified());
  }

  QStringList FilesInFolder() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

// Files larger than limit cannot be written while it lives (as on a full
// disk: the write fails with an error instead of a signal).
class FileSizeLimit final {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit lowered = m_old;
    lowered.rlim_cur = limit;
    m_ok = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
  }
  bool Ok() const { return m_ok; }

 private:
  rlimit m_old{};
  void (*m_oldHandler)(int) = nullptr;
  bool m_ok = false;
};

}  // namespace

TEST(ProjectSaveTest, AFolderThatTakesNoFilesIsReportedAndNothingChanges) {
  CSelvantisDoc doc;
  AddTestObject(doc, DT_ZONE, CAT_ZONES);
  MessageRecorder messages;
  // Not even the superuser creates files here.
  const QString path = QStringLiteral("/proc/selvantis-save-test.sxm");
  EXPECT_FALSE(doc.OnSaveDocument(path));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(path));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(doc.GetPathName().isEmpty());
  EXPECT_FALSE(QFile::exists(path));
}

TEST(ProjectSaveTest, ATargetThatIsAFolderIsReportedAndKept) {
  SavedProject project;
  const QString folder = project.dir.filePath(QStringLiteral("Folder.sxm"));
  ASSERT_TRUE(QDir().mkdir(folder));
  MessageRecorder messages;
  EXPECT_FALSE(project.doc.OnSaveDocument(folder));
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_TRUE(project.doc.IsModified());
  EXPECT_EQ(project.doc.GetPathName(), project.path);
  EXPECT_EQ(ReadAll(project.path), project.onDisk);
}

TEST(ProjectSaveTest, AFullDiskLeavesTheOldFileWhole) {
  SavedProject project;
  const QStringList before = project.FilesInFolder();
  MessageRecorder messages;
  bool saved = true;
  {
    // Room for the old file (and its backup copy), not for the new one.
    FileSizeLimit limit(static_cast<rlim_t>(project.onDisk.size()) + 64);
    ASSERT_TRUE(limit.Ok());
    saved = project.doc.OnSaveDocument(project.path);
  }
  EXPECT_FALSE(saved);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(QStringLiteral("Plant.sxm")));
  EXPECT_EQ(ReadAll(project.path), project.onDisk);
  EXPECT_TRUE(project.doc.IsModified());
  // No half-written temporary file stays behind; a backup of the old file
  // may have been made.
  QStringList after = project.FilesInFolder();
  after.removeAll(QStringLiteral("Plant.bak"));
  EXPECT_EQ(after, before);
  const QString backup = project.dir.filePath(QStringLiteral("Plant.bak"));
  if (QFile::exists(backup)) {
    EXPECT_EQ(ReadAll(backup), project.onDisk);
  }

  // With room again the same document saves and reads back.
  EXPECT_TRUE(project.doc.OnSaveDocument(project.path));
  CSelvantisDoc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(project.path));
  EXPECT_EQ(reopened.GetObjectCount(CAT_ZONES), project.doc.GetObjectCount(CAT_ZONES));
}

namespace {

// A project saved twice (so a backup lies beside it) whose next save is
// much smaller than the file on disk: a disk with room for the new file but
// not for a copy of the old one.
struct ShrinkingProject {
  QTemporaryDir dir;
  QString path;
  QString backup;
  CSelvantisDoc doc;
  QByteArray onDisk;
  QByteArray oldBackup;

  ShrinkingProject() {
    path = dir.filePath(QStringLiteral("Plant.sxm"));
    backup = dir.filePath(QStringLiteral("Plant.bak"));
    AddTestObject(doc, DT_ZONE, CAT_ZONES, QStringLiteral("Lobby"));
    EXPECT_TRUE(doc.OnSaveDocument(path));
    doc.SetProjectData(1, QString(64 * 1024, QLatin1Char('x')));
    EXPECT_TRUE(doc.OnSaveDocument(path));
    onDisk = ReadAll(path);
    oldBackup = ReadAll(backup);
    EXPECT_FALSE(oldBackup.isEmpty());
    EXPECT_GT(onDisk.size(), 64 * 1024);
    doc.SetProjectData(1, QStringLiteral("short"));
    EXPECT_TRUE(doc.IsModified());
  }

  QStringList FilesInFolder() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
  rlim_t RoomForTheNewFileOnly() const { return static_cast<rlim_t>(onDisk.size() / 2); }
};

}  // namespace

TEST(ProjectSaveTest, ABackupThatCannotBeWrittenIsReportedAndTheSaveCanBeCancelled) {
  ShrinkingProject project;
  const QStringList before = project.FilesInFolder();
  MessageRecorder messages;
  messages.QueueAnswer(IDCANCEL);
  bool saved = true;
  {
    FileSizeLimit limit(project.RoomForTheNewFileOnly());
    ASSERT_TRUE(limit.Ok());
    saved = project.doc.OnSaveDocument(project.path);
  }
  EXPECT_FALSE(saved);
  ASSERT_EQ(messages.Requests().size(), 1u);
  const MessageRequest& request = messages.Requests()[0];
  EXPECT_EQ(request.style & MB_TYPEMASK, uint32_t(MB_OKCANCEL));
  EXPECT_TRUE(request.text.contains(project.backup)) << request.text.toStdString();
  // With the system's reason (the file size limit stands in for a full disk).
  EXPECT_TRUE(request.text.contains(QStringLiteral("too large"), Qt::CaseInsensitive)) << request.text.toStdString();
  // Nothing on disk changed: the project, the previous backup, no leftovers.
  EXPECT_EQ(ReadAll(project.path), project.onDisk);
  EXPECT_EQ(ReadAll(project.backup), project.oldBackup);
  EXPECT_EQ(project.FilesInFolder(), before);
  EXPECT_TRUE(project.doc.IsModified());
}

TEST(ProjectSaveTest, SavingWithoutANewBackupKeepsThePreviousBackup) {
  ShrinkingProject project;
  const QStringList before = project.FilesInFolder();
  MessageRecorder messages;
  messages.QueueAnswer(IDOK);
  bool saved = false;
  {
    FileSizeLimit limit(project.RoomForTheNewFileOnly());
    ASSERT_TRUE(limit.Ok());
    saved = project.doc.OnSaveDocument(project.path);
  }
  EXPECT_TRUE(saved);
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_FALSE(project.doc.IsModified());
  EXPECT_EQ(ReadAll(project.backup), project.oldBackup);
  EXPECT_EQ(project.FilesInFolder(), before);
  CSelvantisDoc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(project.path));
  EXPECT_EQ(reopened.GetProjectData(1), QStringLiteral("short"));
}

TEST(ProjectSaveTest, ABackupIsReplacedOnlyByACompleteCopy) {
  ShrinkingProject project;
  // The default answer is not to save without a backup.
  MessageRecorder messages;
  {
    FileSizeLimit limit(project.RoomForTheNewFileOnly());
    ASSERT_TRUE(limit.Ok());
    EXPECT_FALSE(project.doc.OnSaveDocument(project.path));
  }
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(ReadAll(project.backup), project.oldBackup);

  // A backup path that cannot take a file at all (a folder) is reported the
  // same way.
  ASSERT_TRUE(QFile::remove(project.backup));
  ASSERT_TRUE(QDir().mkdir(project.backup));
  messages.Clear();
  EXPECT_FALSE(project.doc.OnSaveDocument(project.path));
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(ReadAll(project.path), project.onDisk);
  EXPECT_FALSE(CSelvantisDoc::WriteBackup(project.path, project.backup).isEmpty());
  ASSERT_TRUE(QDir().rmdir(project.backup));

  // With room the backup is the file as it was before the save.
  EXPECT_TRUE(CSelvantisDoc::WriteBackup(project.path, project.backup).isEmpty());
  EXPECT_EQ(ReadAll(project.backup), project.onDisk);
  messages.Clear();
  EXPECT_TRUE(project.doc.OnSaveDocument(project.path));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_EQ(ReadAll(project.backup), project.onDisk);
}
