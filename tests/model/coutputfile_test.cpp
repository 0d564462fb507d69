// The program's outputs written whole or not at all: a disk that fills up
// half-way, each step of a save that fails, a folder, a device or a FIFO as
// the output, links symbolic and hard, the permissions of a new and of a
// replaced file and names that are not UTF-8.
#include "model/coutputfile.h"

#include "model/cfilename.h"
#include "model/cselvantisdoc.h"
#include "model/listtabexport.h"
#include "modeltestdevices.h"
#include "support/filebytes.h"
#include "support/fulldisk.h"
#include "support/messagerecorder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <ftw.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

namespace {

const QByteArray kOld = "the old contents\r\n";

QString Write(const QString& path, const QByteArray& bytes) {
  QString reason;
  return COutputFile::WriteFile(path, bytes, &reason) ? QString() : reason;
}

mode_t ModeOf(const QString& path) {
  struct stat st {};
  return ::lstat(CFileName::ToSystem(path).constData(), &st) == 0 ? st.st_mode : 0;
}

// Empties a folder by the bytes of its names (the temporary folder's own
// removal goes by names as text and leaves the ones that are not UTF-8).
int OutputTestEmptyEntry(const char* path, const struct stat*, int, FTW* at) {
  if (at->level > 0) ::remove(path);
  return 0;
}
void OutputTestEmpty(const QString& folder) {
  ::nftw(QFile::encodeName(folder).constData(), &OutputTestEmptyEntry, 16, FTW_DEPTH | FTW_PHYS);
}

// Where a symbolic link points, as it was written.
QByteArray OutputLinkTarget(const QString& link) {
  char buffer[4096];
  const ssize_t n = ::readlink(CFileName::ToSystem(link).constData(), buffer, sizeof buffer);
  return n < 0 ? QByteArray("<no link>") : QByteArray(buffer, static_cast<int>(n));
}

nlink_t OutputLinkCount(const QString& path) {
  struct stat st {};
  return ::lstat(CFileName::ToSystem(path).constData(), &st) == 0 ? st.st_nlink : 0;
}

// Makes step fail with the system's errnoValue while it lives.
class FailedOutputStep final {
 public:
  FailedOutputStep(COutputFile::Step step, int errnoValue) { COutputFile::FailStepForTests(step, errnoValue); }
  ~FailedOutputStep() { COutputFile::ClearFailedStepForTests(); }
  FailedOutputStep(const FailedOutputStep&) = delete;
  FailedOutputStep& operator=(const FailedOutputStep&) = delete;
};

// A small memory file system of the test's own at folder, where the system
// lets the test mount one.
class OutputTestDisk final {
 public:
  explicit OutputTestDisk(const QString& folder) : m_path(QFile::encodeName(folder)) {
    QDir().mkpath(folder);
    m_mounted = ::mount("tmpfs", m_path.constData(), "tmpfs", 0, "size=1m") == 0;
    if (!m_mounted) m_reason = std::strerror(errno);
  }
  ~OutputTestDisk() {
    if (m_mounted) ::umount2(m_path.constData(), MNT_DETACH);
  }
  OutputTestDisk(const OutputTestDisk&) = delete;
  OutputTestDisk& operator=(const OutputTestDisk&) = delete;
  bool Mounted() const { return m_mounted; }
  std::string Reason() const { return m_reason; }
  bool SetReadOnly(bool readOnly) {
    return ::mount(nullptr, m_path.constData(), nullptr, MS_REMOUNT | (readOnly ? MS_RDONLY : 0), nullptr) == 0;
  }

 private:
  QByteArray m_path;
  bool m_mounted = false;
  std::string m_reason;
};

}  // namespace

// Every output of the model through the same file: the table export, the
// project's save and a plain write each fail on a full disk with the
// system's reason; the old file stays byte for byte and nothing is left
// beside it.
TEST(COutputFileTest, AFullDiskFailsEveryOutputWithTheSystemsReasonAndKeepsTheOldFile) {
  ListTableText table;
  table.titles = QStringList{QStringLiteral("Object"), QStringLiteral("Name")};
  table.columnCount = 2;
  for (int i = 0; i < 2000; ++i) table.rows.push_back({QStringLiteral("Zone"), QStringLiteral("Zone %1").arg(i)});
  CSelvantisDoc doc;
  for (int i = 0; i < 40; ++i) AddTestObject(doc, DT_ZONE, CAT_ZONES, QStringLiteral("Zone %1").arg(i));

  const struct {
    const char* name;
    std::function<QString(const QString& path)> write;
  } outputs[] = {
      {"a plain write", [](const QString& path) { return Write(path, QByteArray(64 * 1024, 'x')); }},
      {"the table export",
       [&](const QString& path) {
         QString error;
         return WriteListTabText(path, table, &error) ? QString() : error;
       }},
      {"the project's save",
       [&](const QString& path) {
         MessageRecorder messages;
         if (doc.OnSaveDocument(path)) return QString();
         return messages.Requests().empty() ? QStringLiteral("<no message>") : messages.Requests().back().text;
       }},
  };
  for (const qint64 room : {0, 100, 4096}) {
    for (const auto& output : outputs) {
      QTemporaryDir dir;
      const QString path = dir.filePath(QStringLiteral("out.sxm"));
      ASSERT_TRUE(Write(path, kOld).isEmpty());
      const QList<QByteArray> before = NamesIn(dir.path());
      QString said;
      {
        FullDisk disk(room);
        said = output.write(path);
        EXPECT_GT(disk.Refused(), 0) << output.name;
      }
      EXPECT_TRUE(said.contains(QStringLiteral("No space left on device")))
          << output.name << " with room for " << room << ": " << said.toStdString();
      EXPECT_FALSE(said.contains(QStringLiteral("Unknown error"))) << output.name;
      EXPECT_EQ(FileBytes(path), kOld) << output.name << " with room for " << room;
      EXPECT_EQ(NamesIn(dir.path()), before) << output.name << " with room for " << room;
    }
  }
}

TEST(COutputFileTest, ADeviceOrAFifoIsWrittenInPlaceAndNeverReplaced) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath(QStringLiteral("pipe"));
  QString reason;
  ASSERT_TRUE(MakeFifo(fifo, &reason)) << reason.toStdString();

  // Nobody reads: refused at once instead of waiting for ever.
  EXPECT_EQ(Write(fifo, "lines\r\n"), QStringLiteral("No program reads from this FIFO"));
  EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));

  // A reader gets the bytes; the FIFO stays.
  const int reader = ::open(CFileName::ToSystem(fifo).constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(Write(fifo, "lines\r\n"), QString());
  char buffer[64] = {};
  EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7);
  EXPECT_EQ(QByteArray(buffer), QByteArray("lines\r\n"));
  ::close(reader);
  EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
  EXPECT_EQ(NamesIn(dir.path()), QList<QByteArray>{"pipe"});

  // A folder is no output.
  EXPECT_EQ(Write(dir.path(), "x"), QStringLiteral("Is a directory"));
  EXPECT_TRUE(QFileInfo(dir.path()).isDir());

  // Device nodes of their own, so that the system's are never at stake.
  const QString null = dir.filePath(QStringLiteral("null"));
  const QString full = dir.filePath(QStringLiteral("full"));
  if (!MakeCharacterDevice(null, 1, 3, &reason) || !MakeCharacterDevice(full, 1, 7, &reason))
    GTEST_SKIP() << "no device nodes can be made here (" << reason.toStdString() << ")";
  EXPECT_EQ(Write(null, QByteArray(100000, 'x')), QString());
  EXPECT_EQ(Write(full, "x"), QStringLiteral("No space left on device"));
  EXPECT_TRUE(IsCharacterDevice(null, 1, 3));
  EXPECT_TRUE(IsCharacterDevice(full, 1, 7));
  EXPECT_EQ(NamesIn(dir.path()), (QList<QByteArray>{"full", "null", "pipe"}));
}

TEST(COutputFileTest, AReplacedFileKeepsItsPermissionsAndALinkStays) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("kept.txt"));
  ASSERT_TRUE(Write(file, kOld).isEmpty());
  ASSERT_EQ(::chmod(CFileName::ToSystem(file).constData(), 0640), 0);
  const QString link = dir.filePath(QStringLiteral("link.txt"));
  ASSERT_TRUE(QFile::link(file, link));

  EXPECT_EQ(Write(link, "new\r\n"), QString());
  EXPECT_TRUE(S_ISLNK(ModeOf(link)));
  EXPECT_EQ(FileBytes(file), QByteArray("new\r\n"));
  EXPECT_EQ(ModeOf(file) & 07777, 0640u);
  EXPECT_EQ(NamesIn(dir.path()), (QList<QByteArray>{"kept.txt", "link.txt"}));
}

// Names as the system has them: Latin-1 bytes, a stray byte, a character
// beyond U+FFFF whose second half looks like a stored byte.
TEST(COutputFileTest, NamesThatAreNotUtf8AreWrittenUnderTheirOwnBytes) {
  const QByteArray names[] = {"caf\xe9.sxm",  "out\xff.txt",          "plain.txt",       "\xc3\xa9t\xc3\xa9.sxm",
                              "half\xc3.sxm", "\xf0\x90\x82\x80.sxm", "\xed\xa0\x80.sxm"};
  QTemporaryDir dir;
  const QString folder = dir.filePath(CFileName::FromSystem(QByteArray("dir\xe9")));
  ASSERT_EQ(::mkdir(CFileName::ToSystem(folder).constData(), 0700), 0);
  for (const QByteArray& bytes : names) {
    const QString name = CFileName::FromSystem(bytes);
    EXPECT_EQ(CFileName::ToSystem(name), bytes) << bytes.toHex().toStdString();
    EXPECT_EQ(Write(folder + QLatin1Char('/') + name, bytes), QString()) << bytes.toHex().toStdString();
  }
  QList<QByteArray> expected(std::begin(names), std::end(names));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(NamesIn(folder), expected);
  EXPECT_EQ(CFileName::Display(CFileName::FromSystem(QByteArray("caf\xe9.sxm"))), QStringLiteral("caf\\xE9.sxm"));
  EXPECT_EQ(CFileName::FromSystem(QByteArray("\xc3\xa9t\xc3\xa9")), QStringLiteral("été"));
  OutputTestEmpty(dir.path());
}

// A symbolic link is followed to the file it names, also when that file does
// not exist yet (it is created there, as the shell's ">" does); the link
// stays a link pointing where it pointed. A chain that loops or ends in a
// folder that does not exist is refused with the system's reason.
TEST(COutputFileTest, ALinkStaysALinkWhetherItsTargetExistsOrNot) {
  const struct {
    const char* what;
    QList<QPair<QByteArray, QByteArray>> links;  // name, where it points (relative to the folder)
    const char* written;                          // the link written through
    const char* target;                           // the file that gets the bytes; null: refused
    const char* reason;
  } cases[] = {
      {"to an existing file", {{"link.txt", "kept.txt"}}, "link.txt", "kept.txt", nullptr},
      {"to a file not there yet", {{"link.txt", "missing.txt"}}, "link.txt", "missing.txt", nullptr},
      {"into a folder, not there yet", {{"link.txt", "sub/new.txt"}}, "link.txt", "sub/new.txt", nullptr},
      {"from a folder back up", {{"sub/up.txt", "../kept.txt"}}, "sub/up.txt", "kept.txt", nullptr},
      {"a chain whose end is not there", {{"a", "b"}, {"b", "sub/c"}}, "a", "sub/c", nullptr},
      {"a chain to an existing file", {{"a", "b"}, {"b", "kept.txt"}}, "a", "kept.txt", nullptr},
      {"into a folder that does not exist", {{"link.txt", "nowhere/x.txt"}}, "link.txt", nullptr,
       "No such file or directory"},
      {"a loop", {{"a", "b"}, {"b", "a"}}, "a", nullptr, "Too many levels of symbolic links"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    const QDir folder(dir.path());
    ASSERT_TRUE(folder.mkdir(QStringLiteral("sub")));
    ASSERT_TRUE(Write(folder.filePath(QStringLiteral("kept.txt")), kOld).isEmpty());
    for (const auto& [name, to] : c.links)
      ASSERT_EQ(::symlink(to.constData(), QFile::encodeName(folder.filePath(QString::fromLatin1(name))).constData()),
                0);
    const QList<QByteArray> before = NamesIn(dir.path());
    const QString reason = Write(folder.filePath(QString::fromLatin1(c.written)), "new\r\n");
    if (c.target) {
      EXPECT_EQ(reason, QString());
      EXPECT_EQ(FileBytes(folder.filePath(QString::fromLatin1(c.target))), QByteArray("new\r\n"));
    } else {
      EXPECT_EQ(reason, QString::fromLatin1(c.reason));
      EXPECT_EQ(NamesIn(dir.path()), before);
    }
    for (const auto& [name, to] : c.links) {
      const QString link = folder.filePath(QString::fromLatin1(name));
      EXPECT_TRUE(S_ISLNK(ModeOf(link))) << name.toStdString();
      EXPECT_EQ(OutputLinkTarget(link), to) << name.toStdString();
    }
    if (c.target != QByteArray("kept.txt")) {
      EXPECT_EQ(FileBytes(folder.filePath(QStringLiteral("kept.txt"))), kOld);
    }
    for (const QString& inside : {dir.path(), folder.filePath(QStringLiteral("sub"))}) {
      for (const QByteArray& name : NamesIn(inside)) {
        EXPECT_FALSE(name.contains(COutputFile::kTemporaryMark)) << name.toStdString();
      }
    }
  }
}

// A file with other names (hard links) is not written: replaced, its other
// names would keep the old contents; written in place, a failure half-way
// would lose it. Every output says why and leaves all names as they were.
TEST(COutputFileTest, AFileWithOtherNamesIsLeftAsItIsAndTheMessageSaysWhy) {
  CSelvantisDoc doc;
  AddTestObject(doc, DT_ZONE, CAT_ZONES, QStringLiteral("Hall"));
  const struct {
    const char* name;
    std::function<QString(const QString& path)> write;
  } outputs[] = {
      {"a plain write", [](const QString& path) { return Write(path, "new\r\n"); }},
      {"the project's save",
       [&](const QString& path) {
         MessageRecorder messages;
         if (doc.OnSaveDocument(path)) return QString();
         return messages.Requests().empty() ? QStringLiteral("<no message>") : messages.Requests().back().text;
       }},
  };
  for (const auto& output : outputs) {
    SCOPED_TRACE(output.name);
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("Plant.sxm"));
    const QString second = dir.filePath(QStringLiteral("Copy.sxm"));
    ASSERT_TRUE(Write(first, kOld).isEmpty());
    ASSERT_EQ(::link(QFile::encodeName(first).constData(), QFile::encodeName(second).constData()), 0);
    const QString said = output.write(first);
    EXPECT_TRUE(said.contains(QStringLiteral("other names (hard links)"))) << said.toStdString();
    EXPECT_EQ(FileBytes(first), kOld);
    EXPECT_EQ(FileBytes(second), kOld);
    EXPECT_EQ(OutputLinkCount(first), 2u);
    EXPECT_EQ(NamesIn(dir.path()), (QList<QByteArray>{"Copy.sxm", "Plant.sxm"}));
  }
}

// A new file gets 0666 less the user's mask, as the shell's ">" gives it.
TEST(COutputFileTest, ANewFileGetsTheUsualPermissionsUnderTheUsersMask) {
  QTemporaryDir dir;
  int n = 0;
  for (const mode_t mask : {mode_t{022}, mode_t{027}, mode_t{077}, mode_t{002}}) {
    const mode_t previous = ::umask(mask);
    const QString path = dir.filePath(QStringLiteral("new%1.txt").arg(++n));
    const QString reason = Write(path, "x");
    ::umask(previous);
    EXPECT_EQ(reason, QString());
    EXPECT_EQ(ModeOf(path) & 07777, 0666u & ~mask) << std::oct << mask;
  }
}

// Every step of writing a file that fails (the temporary file, a write, the
// flush to the disk, the rename, the folder's flush) ends with the system's
// reason; the old file stays byte for byte and nothing is left beside it.
// The same for a file that did not exist: it still does not.
TEST(COutputFileTest, EveryFailingStepEndsWithTheSystemsReasonAndKeepsTheOldFile) {
  using Step = COutputFile::Step;
  const struct {
    Step step;
    const char* name;
    int code;
    const char* reason;
  } steps[] = {
      {Step::Temporary, "the temporary file", EROFS, "Read-only file system"},
      {Step::Temporary, "the temporary file", EDQUOT, "Disk quota exceeded"},
      {Step::Write, "a write", EIO, "Input/output error"},
      {Step::Write, "a write", ENOSPC, "No space left on device"},
      {Step::Sync, "the flush to the disk", EIO, "Input/output error"},
      {Step::Sync, "the flush to the disk", ENOSPC, "No space left on device"},
      {Step::Rename, "the rename", EBUSY, "Device or resource busy"},
      {Step::Rename, "the rename", EACCES, "Permission denied"},
      {Step::FolderSync, "the folder's flush", EIO, "Input/output error"},
  };
  ListTableText table;
  table.titles = QStringList{QStringLiteral("Object")};
  table.columnCount = 1;
  table.rows.push_back({QStringLiteral("Zone")});
  CSelvantisDoc doc;
  AddTestObject(doc, DT_ZONE, CAT_ZONES, QStringLiteral("Hall"));
  const struct {
    const char* name;
    std::function<QString(const QString& path)> write;
  } outputs[] = {
      {"a plain write", [](const QString& path) { return Write(path, "new\r\n"); }},
      {"the table export",
       [&](const QString& path) {
         QString error;
         return WriteListTabText(path, table, &error) ? QString() : error;
       }},
      {"the project's save",
       [&](const QString& path) {
         // The backup fails first at the later steps: the user saves
         // without it, and the project's own file fails then.
         MessageRecorder messages;
         messages.QueueAnswer(IDOK);
         if (doc.OnSaveDocument(path)) return QString();
         return messages.Requests().empty() ? QStringLiteral("<no message>") : messages.Requests().back().text;
       }},
  };
  for (const auto& step : steps) {
    for (const auto& output : outputs) {
      for (const bool oldFile : {true, false}) {
        SCOPED_TRACE(std::string(step.name) + " (" + step.reason + ") in " + output.name +
                     (oldFile ? " over an old file" : " as a new file"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.sxm"));
        if (oldFile) {
          ASSERT_TRUE(Write(path, kOld).isEmpty());
          ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
        }
        const QList<QByteArray> before = NamesIn(dir.path());
        QString said;
        {
          FailedOutputStep failing(step.step, step.code);
          said = output.write(path);
        }
        EXPECT_TRUE(said.contains(QString::fromLatin1(step.reason))) << said.toStdString();
        if (oldFile) {
          EXPECT_EQ(FileBytes(path), kOld);
          EXPECT_EQ(ModeOf(path) & 07777, 0640u);
        }
        EXPECT_EQ(NamesIn(dir.path()), before);
      }
    }
  }
  // Without a failure, every output writes.
  QTemporaryDir dir;
  for (const auto& output : outputs)
    EXPECT_EQ(output.write(dir.filePath(QStringLiteral("out.sxm"))), QString()) << output.name;
}

// The failures that can be had for real, on a small file system of the
// test's own: a folder that takes no new file (read-only) and a rename that
// the system refuses (the name is a mount point). The old file stays.
TEST(COutputFileTest, RealFailuresOfTheTemporaryFileAndTheRenameKeepTheOldFile) {
  QTemporaryDir dir;
  OutputTestDisk disk(dir.filePath(QStringLiteral("disk")));
  if (!disk.Mounted()) GTEST_SKIP() << "no file system can be mounted here (" << disk.Reason() << ")";
  const QString path = dir.filePath(QStringLiteral("disk/Plant.sxm"));
  ASSERT_TRUE(Write(path, kOld).isEmpty());
  CSelvantisDoc doc;
  AddTestObject(doc, DT_ZONE, CAT_ZONES, QStringLiteral("Hall"));

  ASSERT_TRUE(disk.SetReadOnly(true));
  EXPECT_EQ(Write(path, "new\r\n"), QStringLiteral("Read-only file system"));
  {
    MessageRecorder messages;
    EXPECT_FALSE(doc.OnSaveDocument(path));
    ASSERT_FALSE(messages.Requests().empty());
    EXPECT_TRUE(messages.Requests().back().text.contains(QStringLiteral("Read-only file system")))
        << messages.Requests().back().text.toStdString();
  }
  EXPECT_EQ(FileBytes(path), kOld);
  ASSERT_TRUE(disk.SetReadOnly(false));

  // Another file mounted on the name: the system refuses to rename over it.
  const QString other = dir.filePath(QStringLiteral("other.txt"));
  ASSERT_TRUE(Write(other, "other\r\n").isEmpty());
  ASSERT_EQ(::mount(QFile::encodeName(other).constData(), QFile::encodeName(path).constData(), nullptr, MS_BIND,
                    nullptr),
            0)
      << std::strerror(errno);
  const QString said = Write(path, "new\r\n");
  ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
  EXPECT_EQ(said, QStringLiteral("Device or resource busy"));
  EXPECT_EQ(FileBytes(path), kOld);
  EXPECT_EQ(FileBytes(other), QByteArray("other\r\n"));
  EXPECT_EQ(NamesIn(dir.filePath(QStringLiteral("disk"))), QList<QByteArray>{"Plant.sxm"});
}

// A FIFO whose reader goes away after the output was opened: the write fails
// with "Broken pipe" and the program goes on (the window with its unsaved
// work included), whatever the program does with the signal the system
// sends for it; a signal already waiting stays waiting.
TEST(COutputFileTest, AReaderThatGoesAwayIsABrokenPipeAndEndsNothing) {
  struct sigaction usual {};
  usual.sa_handler = SIG_DFL;
  sigemptyset(&usual.sa_mask);
  struct sigaction previous {};
  ASSERT_EQ(sigaction(SIGPIPE, &usual, &previous), 0);
  QTemporaryDir dir;
  const QString fifo = dir.filePath(QStringLiteral("pipe"));
  QString reason;
  ASSERT_TRUE(MakeFifo(fifo, &reason)) << reason.toStdString();
  for (const bool waitingBefore : {false, true}) {
    SCOPED_TRACE(waitingBefore ? "a signal waiting before" : "no signal waiting");
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigset_t mask;
    pthread_sigmask(SIG_BLOCK, &pipe, &mask);
    if (waitingBefore) ::raise(SIGPIPE);
    if (!waitingBefore) pthread_sigmask(SIG_SETMASK, &mask, nullptr);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    COutputFile file(fifo);
    ASSERT_TRUE(file.Open()) << file.ErrorString().toStdString();
    ::close(reader);
    EXPECT_FALSE(file.Write(QByteArray(1000, 'x')));
    EXPECT_EQ(file.ErrorString(), QStringLiteral("Broken pipe"));
    sigset_t pending;
    ASSERT_EQ(sigpending(&pending), 0);
    EXPECT_EQ(sigismember(&pending, SIGPIPE) == 1, waitingBefore);
    if (waitingBefore) {
      const timespec none{0, 0};
      EXPECT_EQ(sigtimedwait(&pipe, nullptr, &none), SIGPIPE);
      pthread_sigmask(SIG_SETMASK, &mask, nullptr);
    }
  }
  sigaction(SIGPIPE, &previous, nullptr);
}
