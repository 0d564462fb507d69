// Saving a project where the write fails: the folder cannot take a file, the
// target is no file, the disk fills up half-way or the file-size limit is
// reached. Each time the user is told, the file on disk is the old one byte
// for byte, no temporary file is left beside it and the document stays
// modified under its old name. And what a save leaves beside the project: a
// backup with the project's permissions, no leftovers of earlier saves.
#include "model/cfilename.h"
#include "model/coutputfile.h"
#include "model/cselvantisdoc.h"
#include "model/csystemerror.h"
#include "modeltestdevices.h"
#include "support/fulldisk.h"
#include "support/messagerecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace {

QByteArray SaveReadAll(const QString& path) {
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
    onDisk = SaveReadAll(path);
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
  EXPECT_EQ(SaveReadAll(project.path), project.onDisk);
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
  EXPECT_EQ(SaveReadAll(project.path), project.onDisk);
  EXPECT_TRUE(project.doc.IsModified());
  // No half-written temporary file stays behind; a backup of the old file
  // may have been made.
  QStringList after = project.FilesInFolder();
  after.removeAll(QStringLiteral("Plant.bak"));
  EXPECT_EQ(after, before);
  const QString backup = project.dir.filePath(QStringLiteral("Plant.bak"));
  if (QFile::exists(backup)) {
    EXPECT_EQ(SaveReadAll(backup), project.onDisk);
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
    onDisk = SaveReadAll(path);
    oldBackup = SaveReadAll(backup);
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
  EXPECT_EQ(SaveReadAll(project.path), project.onDisk);
  EXPECT_EQ(SaveReadAll(project.backup), project.oldBackup);
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
  EXPECT_EQ(SaveReadAll(project.backup), project.oldBackup);
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
  EXPECT_EQ(SaveReadAll(project.backup), project.oldBackup);

  // A backup path that cannot take a file at all (a folder) is reported the
  // same way.
  ASSERT_TRUE(QFile::remove(project.backup));
  ASSERT_TRUE(QDir().mkdir(project.backup));
  messages.Clear();
  EXPECT_FALSE(project.doc.OnSaveDocument(project.path));
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(SaveReadAll(project.path), project.onDisk);
  EXPECT_FALSE(CSelvantisDoc::WriteBackup(project.path, project.backup).isEmpty());
  ASSERT_TRUE(QDir().rmdir(project.backup));

  // With room the backup is the file as it was before the save.
  EXPECT_TRUE(CSelvantisDoc::WriteBackup(project.path, project.backup).isEmpty());
  EXPECT_EQ(SaveReadAll(project.backup), project.onDisk);
  messages.Clear();
  EXPECT_TRUE(project.doc.OnSaveDocument(project.path));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_EQ(SaveReadAll(project.backup), project.onDisk);
}

namespace {

QFileDevice::Permissions PermissionsOf(const QString& path) {
  // Owner, group and others: the user's own bits repeat the owner's.
  return QFileInfo(path).permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
}

constexpr QFileDevice::Permissions kPrivate = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

}  // namespace

TEST(ProjectSaveTest, ANewBackupHasTheProjectFilesPermissions) {
  SavedProject project;
  const QString backup = project.dir.filePath(QStringLiteral("Plant.bak"));
  ASSERT_FALSE(QFile::exists(backup));
  ASSERT_TRUE(QFile::setPermissions(project.path, kPrivate));
  EXPECT_TRUE(project.doc.OnSaveDocument(project.path));
  ASSERT_TRUE(QFile::exists(backup));
  EXPECT_EQ(PermissionsOf(backup), kPrivate);
  EXPECT_EQ(PermissionsOf(project.path), kPrivate);
  EXPECT_EQ(SaveReadAll(backup), project.onDisk);

  // A backup left from before follows the project's permissions too.
  const QFileDevice::Permissions shared = kPrivate | QFileDevice::ReadGroup;
  ASSERT_TRUE(QFile::setPermissions(project.path, shared));
  ASSERT_TRUE(QFile::setPermissions(backup, shared | QFileDevice::ReadOther));
  project.doc.SetModifiedFlag();
  EXPECT_TRUE(project.doc.OnSaveDocument(project.path));
  EXPECT_EQ(PermissionsOf(backup), shared);
  EXPECT_EQ(PermissionsOf(project.path), shared);
}

namespace {

// What a child process found, as its exit status.
enum ChildFinding : int {
  kSaveRefused = 1,
  kToldTooLarge = 2,
  kOldFileKept = 4,
  kBackupKept = 8,
  kStillModified = 16,
};

// Saves the project in a child process whose files may not grow beyond
// limit and whose SIGXFSZ has the system's default action (it ends the
// process), after the program's start-up set-up when setUp; returns what
// waitpid said.
int SaveInChildBeyondTheLimit(ShrinkingProject& project, rlim_t limit, bool setUp) {
  const pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_DFL);
    if (setUp) CSystemError::IgnoreFileSizeSignal();
    rlimit lowered{};
    getrlimit(RLIMIT_FSIZE, &lowered);
    lowered.rlim_cur = limit;
    if (setrlimit(RLIMIT_FSIZE, &lowered) != 0) _exit(100);
    MessageRecorder messages;
    // Were a backup to be refused, the save is not to go on without one.
    messages.QueueAnswer(IDCANCEL);
    int found = 0;
    if (!project.doc.OnSaveDocument(project.path)) found |= kSaveRefused;
    if (messages.SawText(QStringLiteral("File too large"))) found |= kToldTooLarge;
    if (SaveReadAll(project.path) == project.onDisk) found |= kOldFileKept;
    if (SaveReadAll(project.backup) == project.oldBackup) found |= kBackupKept;
    if (project.doc.IsModified()) found |= kStillModified;
    _exit(found);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

}  // namespace

// Under "ulimit -f" a save that needs more ends the program without a word
// (SIGXFSZ) unless the program ignores the signal: then the write fails as
// on a full disk and the save is reported.
TEST(ProjectSaveTest, ASaveBeyondTheFileSizeLimitIsReportedAndKeepsTheFiles) {
  ShrinkingProject project;
  // The next save is large again; the limit lies below the old file.
  project.doc.SetProjectData(1, QString(96 * 1024, QLatin1Char('y')));
  const rlim_t limit = static_cast<rlim_t>(project.onDisk.size() / 4);

  const int withoutSetUp = SaveInChildBeyondTheLimit(project, limit, false);
  EXPECT_TRUE(WIFSIGNALED(withoutSetUp) && WTERMSIG(withoutSetUp) == SIGXFSZ) << withoutSetUp;

  const int status = SaveInChildBeyondTheLimit(project, limit, true);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), kSaveRefused | kToldTooLarge | kOldFileKept | kBackupKept | kStillModified);
  EXPECT_EQ(SaveReadAll(project.path), project.onDisk);
  EXPECT_EQ(SaveReadAll(project.backup), project.oldBackup);
  EXPECT_EQ(project.FilesInFolder(), QStringList({QStringLiteral("Plant.bak"), QStringLiteral("Plant.sxm")}));
}

TEST(ProjectSaveTest, LeftoversOfAKilledSaveGoAtTheNextSaveAndNothingElse) {
  SavedProject project;
  const QDir folder(project.dir.path());
  auto write = [&](const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  };
  // A killed save leaves the whole new file, the start of it or nothing yet;
  // the backup's copy likewise.
  write(QStringLiteral("Plant.sxm.qZtRkA"), project.onDisk);
  write(QStringLiteral("Plant.sxm.AbCdEf"), project.onDisk.left(5));
  write(QStringLiteral("Plant.sxm.hGfEdC"), QByteArray());
  write(QStringLiteral("Plant.bak.HwYpeL"), project.onDisk);
  const QStringList leftovers = {QStringLiteral("Plant.sxm.qZtRkA"), QStringLiteral("Plant.sxm.AbCdEf"),
                                 QStringLiteral("Plant.sxm.hGfEdC"), QStringLiteral("Plant.bak.HwYpeL")};
  // Files that only look alike: copies someone named, another project's
  // leftover, other contents, other names.
  const QStringList others = {
      QStringLiteral("Plant.sxm.backup"),  QStringLiteral("Plant.sxm.Golden"), QStringLiteral("Plant.sxm.BEFORE"),
      QStringLiteral("Other.sxm.qZtRkA"),  QStringLiteral("Plant.sxm.xYzWvU"), QStringLiteral("Plant.sxm.qZtRk1"),
      QStringLiteral("Plant.sxm.qZtRkAb"), QStringLiteral("Plant.sxm.qZtRk"),  QStringLiteral("XPlant.sxm.qZtRkA"),
      QStringLiteral("Plant.sxm.LiNkEd"),  QStringLiteral("Plant.sxm.TwONam")};
  for (const QString& name : others) {
    if (name == QLatin1String("Plant.sxm.xYzWvU"))
      write(name, "notes about the plant");
    else if (name != QLatin1String("Plant.sxm.LiNkEd") && name != QLatin1String("Plant.sxm.TwONam"))
      write(name, project.onDisk);
  }
  // A link to a project elsewhere, and a file with a second name there (a
  // project file that has one is never saved over: it would be split).
  QTemporaryDir elsewhere;
  const QString target = elsewhere.filePath(QStringLiteral("Kept.sxm"));
  const QString twin = elsewhere.filePath(QStringLiteral("Twin.sxm"));
  for (const QString& path : {target, twin}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(project.onDisk), project.onDisk.size());
  }
  ASSERT_TRUE(QFile::link(target, folder.filePath(QStringLiteral("Plant.sxm.LiNkEd"))));
  ASSERT_EQ(::link(QFile::encodeName(twin).constData(),
                   QFile::encodeName(folder.filePath(QStringLiteral("Plant.sxm.TwONam"))).constData()),
            0);

  // Opening does not touch them; saving removes the leftovers only.
  CSelvantisDoc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(project.path));
  for (const QString& name : leftovers) EXPECT_TRUE(folder.exists(name)) << name.toStdString();
  MessageRecorder messages;
  EXPECT_TRUE(project.doc.OnSaveDocument(project.path));
  EXPECT_TRUE(messages.Requests().empty());
  for (const QString& name : leftovers) EXPECT_FALSE(folder.exists(name)) << name.toStdString();
  for (const QString& name : others) EXPECT_TRUE(QFileInfo::exists(folder.filePath(name))) << name.toStdString();
  EXPECT_EQ(SaveReadAll(target), project.onDisk);
}

// The program's own temporary names carry its mark: whatever letters or
// digits the random part has (all upper, all lower, capitalised, digits), a
// killed save's leftover is known and goes at the next save; only those go.
TEST(ProjectSaveTest, LeftoversOfEveryRandomPartGoAndOnlyThose) {
  SavedProject project;
  const QDir folder(project.dir.path());
  auto write = [&](const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
  };
  QStringList leftovers;
  const char* const randomParts[] = {"QWERTY", "qwerty", "Qwerty", "123456", "a1B2c3", "qZtRkA"};
  for (const char* part : randomParts) {
    for (const char* base : {"Plant.sxm", "Plant.bak"}) {
      const QString name = QString::fromLatin1(base) + QLatin1String(COutputFile::kTemporaryMark) + QLatin1String(part);
      write(name, leftovers.size() % 3 == 0 ? project.onDisk : project.onDisk.left(leftovers.size() % 3 == 1 ? 5 : 0));
      leftovers << name;
    }
  }
  // Alike, but not the program's: a random part of another length or with
  // other characters, another project's leftover, other contents.
  const QString mark = QLatin1String(COutputFile::kTemporaryMark);
  const QStringList others = {QStringLiteral("Plant.sxm") + mark + QStringLiteral("QWERT"),
                              QStringLiteral("Plant.sxm") + mark + QStringLiteral("QWERTYU"),
                              QStringLiteral("Plant.sxm") + mark + QStringLiteral("QWE_TY"),
                              QStringLiteral("Other.sxm") + mark + QStringLiteral("QWERTY"),
                              QStringLiteral("Plant.sxm") + mark + QStringLiteral("NOTES1"),
                              QStringLiteral("Plant.sxm.QWERTY")};
  for (const QString& name : others)
    write(name, name.endsWith(QLatin1String("NOTES1")) ? QByteArray("notes about the plant") : project.onDisk);

  MessageRecorder messages;
  EXPECT_TRUE(project.doc.OnSaveDocument(project.path));
  EXPECT_TRUE(messages.Requests().empty());
  for (const QString& name : leftovers) EXPECT_FALSE(folder.exists(name)) << name.toStdString();
  for (const QString& name : others) EXPECT_TRUE(folder.exists(name)) << name.toStdString();
}

// The document knows when another program changed its file after it was
// loaded or saved: by size, time or identity.
TEST(ProjectSaveTest, TheDocumentNoticesAFileChangedByAnotherProgram) {
  SavedProject project;
  EXPECT_FALSE(project.doc.ChangedOnDisk());
  CSelvantisDoc other;
  ASSERT_TRUE(other.OnOpenDocument(project.path));
  EXPECT_FALSE(other.ChangedOnDisk());
  // The other program saves its version (a new file renamed over it).
  AddTestObject(other, DT_ZONE, CAT_ZONES, QStringLiteral("Stage"));
  ASSERT_TRUE(other.OnSaveDocument(project.path));
  EXPECT_TRUE(project.doc.ChangedOnDisk());
  EXPECT_FALSE(other.ChangedOnDisk());
  // Written in place, same size.
  QFile file(project.path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  const QByteArray bytes = file.readAll();
  file.seek(0);
  file.write(bytes);
  file.close();
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(project.path).constData(), &st), 0);
  timespec times[2] = {st.st_atim, st.st_mtim};
  times[1].tv_sec += 2;
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(project.path).constData(), times, 0), 0);
  EXPECT_TRUE(other.ChangedOnDisk());
  // Removed.
  ASSERT_TRUE(QFile::remove(project.path));
  EXPECT_TRUE(other.ChangedOnDisk());
  // A new project has no file to change.
  CSelvantisDoc fresh;
  EXPECT_FALSE(fresh.ChangedOnDisk());
  EXPECT_TRUE(
      CSelvantisDoc::OtherVersionPathFor(QStringLiteral("/p/Plant.sxm")).startsWith("/p/Plant (other version "));
  EXPECT_TRUE(CSelvantisDoc::OtherVersionPathFor(QStringLiteral("/p/Plant.sxm")).endsWith(".sxm"));
}

// A program that changes five bytes in place and sets the time back leaves
// size, time and inode as they were: the digest of the contents kept from
// the load still tells the document.
TEST(ProjectSaveTest, AChangeThatKeepsSizeTimeAndInodeIsNoticed) {
  SavedProject project;
  CSelvantisDoc other;
  ASSERT_TRUE(other.OnOpenDocument(project.path));
  const QByteArray file = QFile::encodeName(project.path);
  struct stat before {};
  ASSERT_EQ(::stat(file.constData(), &before), 0);
  const qsizetype at = project.onDisk.size() / 2;
  QByteArray changed = project.onDisk.mid(at, 5);
  for (char& c : changed) c = static_cast<char>(c ^ 0x5A);
  const int fd = ::open(file.constData(), O_WRONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::pwrite(fd, changed.constData(), 5, at), 5);
  ::close(fd);
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.constData(), times, 0), 0);
  struct stat after {};
  ASSERT_EQ(::stat(file.constData(), &after), 0);
  ASSERT_EQ(after.st_size, before.st_size);
  ASSERT_EQ(after.st_ino, before.st_ino);
  ASSERT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_TRUE(other.ChangedOnDisk());
  EXPECT_TRUE(project.doc.ChangedOnDisk());
  EXPECT_FALSE(other.GoneFromDisk());
  // Written back as it was: nothing changed.
  const int again = ::open(file.constData(), O_WRONLY);
  ASSERT_GE(again, 0);
  ASSERT_EQ(::pwrite(again, project.onDisk.constData() + at, 5, at), 5);
  ::close(again);
  ASSERT_EQ(::utimensat(AT_FDCWD, file.constData(), times, 0), 0);
  EXPECT_FALSE(other.ChangedOnDisk());
}

// A project file deleted after it was loaded is gone (not another program's
// version); saving writes it anew under its name.
TEST(ProjectSaveTest, ADeletedProjectFileIsGoneAndASaveWritesItAnew) {
  SavedProject project;
  EXPECT_FALSE(project.doc.GoneFromDisk());
  ASSERT_TRUE(QFile::remove(project.path));
  EXPECT_TRUE(project.doc.GoneFromDisk());
  MessageRecorder messages;
  EXPECT_TRUE(project.doc.OnSaveDocument(project.path));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_FALSE(project.doc.GoneFromDisk());
  EXPECT_FALSE(project.doc.ChangedOnDisk());
  CSelvantisDoc read;
  ASSERT_TRUE(read.OnOpenDocument(project.path));
  EXPECT_EQ(read.GetObjectCount(CAT_ZONES), project.doc.GetObjectCount(CAT_ZONES));
  // A new project has no file to be gone.
  CSelvantisDoc fresh;
  EXPECT_FALSE(fresh.GoneFromDisk());
}

// The files a save names after the project (its backup, the other
// program's version kept beside it) carry the project name's own bytes,
// whatever they are.
TEST(ProjectSaveTest, TheBackupAndTheOtherVersionKeepTheBytesOfTheProjectsName) {
  const QByteArray stems[] = {"\xef\xbb\xbfPlant", "caf\xe9", "a\xe0\x80\xaf" "b", "Hall\xef\xbb\xbf"};
  for (const QByteArray& stem : stems) {
    SCOPED_TRACE(stem.toHex(' ').toStdString());
    QTemporaryDir dir;
    const QString path = dir.path() + QLatin1Char('/') + CFileName::FromSystem(stem + ".sxm");
    CSelvantisDoc doc;
    AddTestObject(doc, DT_ZONE, CAT_ZONES, QStringLiteral("Lobby"));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    AddTestObject(doc, DT_ZONE, CAT_ZONES, QStringLiteral("Hall"));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const QString other = CSelvantisDoc::OtherVersionPathFor(path);
    ASSERT_EQ(CSelvantisDoc::WriteBackup(path, other), QString());
    const QList<QByteArray> names = NamesIn(dir.path());
    ASSERT_EQ(names.size(), 3) << names.join(' ').toHex(' ').toStdString();
    EXPECT_TRUE(names.contains(stem + ".sxm"));
    EXPECT_TRUE(names.contains(stem + ".bak"));
    EXPECT_EQ(CFileName::ToSystem(other).mid(CFileName::ToSystem(dir.path()).size() + 1, stem.size()), stem);
    for (const QByteArray& name : names) ASSERT_EQ(::unlink((QFile::encodeName(dir.path()) + '/' + name).constData()), 0);
  }
}
