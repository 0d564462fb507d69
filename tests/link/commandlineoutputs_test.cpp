// What the command line writes, run as the real program in a process of its
// own: names reach the disk byte for byte, a link stays a link and a file's
// other names are never split from it, a new file's permissions come from
// the user's mask (which the program never changes), no output goes into the
// unit's port or another input, a reader that goes away ends the command
// with "Broken pipe", an upload that cannot keep a backup says what it did,
// and port settings written by hand in the profile are read.
#include "comparetestproject.h"
#include "everyfamily.h"
#include "link/ccommandfile.h"
#include "link/ccommlink.h"
#include "link/idevicelink.h"
#include "link/linkprofile.h"
#include "model/cfilename.h"
#include "model/coutputfile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "support/filebytes.h"
#include "support/fulldisk.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstring>

#include <fcntl.h>
#include <ftw.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct OutputsOutcome {
  bool ended = false;     // ended by itself, not by a signal
  int status = -1;
  QByteArray out;
  QByteArray err;
};

// A line fast enough that a whole project's upload takes seconds.
const QStringList kOutputsFastLine = {QStringLiteral("--baud"), QStringLiteral("460800")};

class CommandLineOutputsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(config.isValid());
    project = dir.filePath(QStringLiteral("site.sxm"));
    CSelvantisDoc doc;
    FillCompareTestProject(doc);
    ASSERT_TRUE(doc.OnSaveDocument(project));
    projectBytes = FileBytes(project);
    CSelvantisDoc read;
    ASSERT_TRUE(read.OnOpenDocument(project));
    exported = CCommandFile::FormatLines(CCommandFile::CollectDownload(read));
  }
  void TearDown() override { sim.Stop(); }

  void StartUnit() {
    RegisterEveryFamily(sim);
    QString error;
    ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
  }

  // The program's own profile in a folder of its own (not the one the
  // outputs go to, whose names the tests count).
  QProcessEnvironment Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("SELV_PROGRAM"), QStringLiteral(SELV_PROGRAM_PATH));
    return env;
  }
  QString SettingsFile() const { return config.filePath(QStringLiteral("VELMORIX/Selvantis.conf")); }
  void WriteSettings(const QByteArray& text) const {
    ASSERT_TRUE(QDir().mkpath(config.filePath(QStringLiteral("VELMORIX"))));
    QFile file(SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }

  OutputsOutcome Finish(QProcess& process) const {
    OutputsOutcome outcome;
    if (!process.waitForFinished(kHangLimitMs)) {
      ADD_FAILURE() << "the program did not end: " << process.readAllStandardError().toStdString();
      process.kill();
      process.waitForFinished();
      return outcome;
    }
    outcome.ended = process.exitStatus() == QProcess::NormalExit;
    outcome.status = outcome.ended ? process.exitCode() : -1;
    outcome.out = process.readAllStandardOutput();
    outcome.err = process.readAllStandardError();
    return outcome;
  }
  OutputsOutcome Run(const QStringList& args, QProcess& process) const {
    process.setProcessEnvironment(Environment());
    process.start(QStringLiteral(SELV_PROGRAM_PATH), args + QStringList{"--language", "en"});
    return Finish(process);
  }
  OutputsOutcome Run(const QStringList& args) const {
    QProcess process;
    return Run(args, process);
  }
  QStringList WithUnit(QStringList args) const {
    args << QStringLiteral("--port") << sim.PtyPath() << kOutputsFastLine;
    return args;
  }

  QTemporaryDir dir;
  QTemporaryDir config;
  TempProfile profile;
  UnitSimulator sim;
  QString project;
  QByteArray projectBytes;
  QByteArray exported;
};

// Empties a folder by the bytes of its names (the temporary folder's own
// removal goes by names as text and leaves the ones that are not UTF-8).
int OutputsTestEmptyEntry(const char* path, const struct stat*, int, FTW* at) {
  if (at->level > 0) ::remove(path);
  return 0;
}
void OutputsTestEmpty(const QString& folder) {
  ::nftw(QFile::encodeName(folder).constData(), &OutputsTestEmptyEntry, 16, FTW_DEPTH | FTW_PHYS);
}

// A name as an argument of a shell's printf: every byte in octal, so that
// the program gets the bytes themselves whatever the locale. A command
// substitution drops trailing line breaks: a mark after the name keeps them.
QString OutputsShellBytes(const char* variable, const QByteArray& bytes) {
  QString format;
  for (const char c : bytes) format += QStringLiteral("\\%1").arg(static_cast<unsigned char>(c), 3, 8, QLatin1Char('0'));
  return QStringLiteral("%1=$(printf '%2X'); %1=${%1%X}; ").arg(QLatin1String(variable), format);
}

}  // namespace

// A project and an output under names that are bytes of every kind: the
// project is read and the output written under exactly those bytes; a
// similar name beside them ("notes.txt" for the name with a byte-order mark
// before it) is never touched.
TEST_F(CommandLineOutputsTest, NamesReachTheDiskByteForByte) {
  const struct {
    const char* what;
    QByteArray project;
    QByteArray output;
  } cases[] = {
      {"a byte-order mark at the start", "\xef\xbb\xbfplant.sxm", "\xef\xbb\xbfnotes.txt"},
      {"a byte-order mark inside", "plant\xef\xbb\xbf.sxm", "notes\xef\xbb\xbf.txt"},
      {"an overlong \"/\"", "a\xe0\x80\xaf"
                            "b.sxm",
       "notes\xc0\xaf.txt"},
      {"lone continuation bytes", "\x80plant.sxm", "notes\xbf\x80.txt"},
      {"Latin-1", "caf\xe9.sxm", "notes\xe9.txt"},
      {"valid multi-byte characters", "\xc3\xa9t\xc3\xa9.sxm", "\xf0\x9f\x98\x80.txt"},
      {"a cut form and a surrogate half", "plant\xe2\x82.sxm", "\xed\xa0\x80.txt"},
      {"line breaks, one at the end", "two\nlines.sxm", "notes.txt\n"},
      {"control bytes and a backslash", "\x01\x7f\\.sxm", "-o"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir folder;
    const QString notes = folder.filePath(QStringLiteral("notes.txt"));
    ASSERT_TRUE(COutputFile::WriteFile(notes, "precious\n", nullptr));
    ASSERT_TRUE(
        COutputFile::WriteFile(folder.path() + QLatin1Char('/') + CFileName::FromSystem(c.project), projectBytes, nullptr));
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.setProcessEnvironment(Environment());
    process.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"), OutputsShellBytes("p", c.project) + OutputsShellBytes("o", c.output) +
                                             QStringLiteral("exec \"$SELV_PROGRAM\" --export-commands \"$p\" -o "
                                                            "\"./$o\" --language en")});
    const OutputsOutcome outcome = Finish(process);
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(FileBytes(notes), QByteArray("precious\n"));
    QList<QByteArray> expected = {"notes.txt", c.project, c.output};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(folder.path()), expected);
    QFile written;
    ASSERT_TRUE(CFileName::OpenForReading(written, folder.path() + QLatin1Char('/') + CFileName::FromSystem(c.output),
                                          nullptr));
    EXPECT_TRUE(written.readAll() == exported);
    OutputsTestEmpty(folder.path());
  }
}

// -o through a symbolic link writes the file it names, and creates it when
// it is not there yet; the link stays. A file with a second name (a hard
// link) is refused with the reason; both names keep the old contents.
TEST_F(CommandLineOutputsTest, ALinkStaysALinkAndAFileIsNeverSplitFromItsOtherNames) {
  const QString dangling = dir.filePath(QStringLiteral("latest.txt"));
  ASSERT_EQ(::symlink("commands/today.txt", QFile::encodeName(dangling).constData()), 0);
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("commands")));
  const OutputsOutcome created = Run({"--export-commands", project, "-o", dangling});
  EXPECT_EQ(created.status, 0) << created.err.toStdString();
  EXPECT_TRUE(FileBytes(dir.filePath(QStringLiteral("commands/today.txt"))) == exported);
  EXPECT_EQ(QFileInfo(dangling).symLinkTarget(), dir.filePath(QStringLiteral("commands/today.txt")));
  // Once more, now that the file is there.
  ASSERT_TRUE(COutputFile::WriteFile(dir.filePath(QStringLiteral("commands/today.txt")), "old\n", nullptr));
  EXPECT_EQ(Run({"--export-commands", project, "-o", dangling}).status, 0);
  EXPECT_TRUE(FileBytes(dir.filePath(QStringLiteral("commands/today.txt"))) == exported);
  EXPECT_TRUE(QFileInfo(dangling).isSymLink());

  const QString first = dir.filePath(QStringLiteral("script.txt"));
  const QString second = dir.filePath(QStringLiteral("script-copy.txt"));
  ASSERT_TRUE(COutputFile::WriteFile(first, "old\n", nullptr));
  ASSERT_EQ(::link(QFile::encodeName(first).constData(), QFile::encodeName(second).constData()), 0);
  const OutputsOutcome refused = Run({"--export-commands", project, "-o", first});
  EXPECT_EQ(refused.status, 2);
  EXPECT_TRUE(refused.err.contains("other names (hard links)")) << refused.err.toStdString();
  EXPECT_EQ(FileBytes(first), QByteArray("old\n"));
  EXPECT_EQ(FileBytes(second), QByteArray("old\n"));
}

namespace {

// In the child before it runs the program: the user's mask 027, and a
// filter that ends the process as soon as it calls umask(), which changes
// the mask of every thread at once.
void OutputsForbidUmask() {
  ::umask(027);
#if defined(__x86_64__)
  constexpr __u32 kArch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
  constexpr __u32 kArch = AUDIT_ARCH_AARCH64;
#else
  return;
#endif
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArch, 1, 0),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_umask, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
  // (The test skips when the system lets no filter be set.)
  if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) ::_exit(99);
  if (::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) ::_exit(98);
}

}  // namespace

// A new output file gets 0666 less the user's mask (027: 0640), and the
// program never calls umask() to learn it: that would set the mask of every
// thread for a moment.
TEST_F(CommandLineOutputsTest, ANewFileTakesItsPermissionsFromTheMaskWhichNeverChanges) {
#if !defined(__x86_64__) && !defined(__aarch64__)
  GTEST_SKIP() << "no system-call filter for this processor here";
#endif
  StartUnit();
  const struct {
    const char* what;
    QStringList args;
    const char* name;
  } cases[] = {
      {"a command file", {"--export-commands", project}, "new.txt"},
      {"a drawing", {"--print", project}, "new.pdf"},
      {"an uploaded project", WithUnit({"--upload", project}), "new.sxm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString output = dir.filePath(QString::fromLatin1(c.name));
    QProcess process;
    process.setChildProcessModifier(&OutputsForbidUmask);
    const OutputsOutcome outcome = Run(c.args + QStringList{"-o", output}, process);
    ASSERT_TRUE(outcome.ended) << "ended by a signal (the system-call filter: umask() was called)";
    if (outcome.status == 98 || outcome.status == 99) GTEST_SKIP() << "no system-call filter can be set here";
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(output).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
  }
}

// -o naming the unit's port, by its name, a link to it, a second node of the
// same device, or the port from the profile, is refused before anything is
// sent: no line reaches the unit and the command is never reported done. The
// same for the settings file and for where an upload puts its differences.
TEST_F(CommandLineOutputsTest, AnOutputThatIsTheUnitsPortIsRefusedBeforeAnythingIsSent) {
  StartUnit();
  const QString port = sim.PtyPath();
  const QString link = dir.filePath(QStringLiteral("unit-port"));
  ASSERT_EQ(::symlink(QFile::encodeName(port).constData(), QFile::encodeName(link).constData()), 0);
  const QString errorsLink = dir.filePath(QStringLiteral("as-found.err"));
  ASSERT_EQ(::symlink(QFile::encodeName(port).constData(), QFile::encodeName(errorsLink).constData()), 0);
  WriteSettings("[COMSECTION]\nPort=" + QFile::encodeName(port) + "\n");
  const struct {
    const char* what;
    QStringList args;
    const char* refusal;
  } cases[] = {
      {"--compare into the port", {"--compare", project, "--port", port, "-o", port}, "is the unit's port"},
      {"--upload into the port, forced",
       {"--upload", project, "--port", port, "-o", port, "--force"},
       "is the unit's port"},
      {"--compare through a link", {"--compare", project, "--port", port, "-o", link}, "is the unit's port"},
      {"--compare to the link's port", {"--compare", project, "--port", link, "-o", port}, "is the unit's port"},
      {"--compare with the profile's port", {"--compare", project, "-o", port}, "is the unit's port"},
      {"--upload whose differences would go into the port",
       {"--upload", project, "--port", port, "-o", dir.filePath(QStringLiteral("as-found.sxm"))},
       "is the unit's port"},
      {"--compare into the settings file",
       {"--compare", project, "--port", port, "-o", SettingsFile()},
       "is the program's settings file"},
  };
  auto expectRefused = [&](const char* what, const QStringList& args, const char* refusal) {
    SCOPED_TRACE(what);
    sim.ClearLog();
    const OutputsOutcome outcome = Run(args + kOutputsFastLine);
    EXPECT_EQ(outcome.status, 2) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains(refusal)) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains("the output must be another file.")) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.err.contains("The unit's settings are in")) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.isEmpty());
    EXPECT_EQ(sim.ReceivedCount(), 0) << sim.FullLines().join(" | ").toStdString();
    EXPECT_TRUE(FileBytes(project) == projectBytes);
  };
  for (const auto& c : cases) expectRefused(c.what, c.args, c.refusal);
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("as-found.sxm"))));

  // Another node of the same device.
  const QString node = dir.filePath(QStringLiteral("tty-copy"));
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(port).constData(), &st), 0);
  if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, st.st_rdev) != 0)
    GTEST_SKIP() << "no device nodes can be made here (" << std::strerror(errno) << ")";
  expectRefused("--compare into a second node of the port", {"--compare", project, "--port", port, "-o", node},
                "is the unit's port");
}

namespace {

// A pipe whose reader is gone before the program starts: its first write
// into it fails.
int g_outputsDeadPipe = -1;
void OutputsStdoutIntoTheDeadPipe() { ::dup2(g_outputsDeadPipe, STDOUT_FILENO); }

}  // namespace

// A reader that goes away ends every output with the system's reason "Broken
// pipe" and status 2, never with the signal that would end the program
// without a word: the standard output of each command, and a FIFO named
// with -o whose reader stops half-way.
TEST_F(CommandLineOutputsTest, AReaderThatGoesAwayEndsEveryOutputWithBrokenPipe) {
  StartUnit();
  const struct {
    const char* what;
    QStringList args;
  } toOutput[] = {
      {"--export-commands", {"--export-commands", project}},
      {"--compare", WithUnit({"--compare", project})},
      {"--help", {"--help"}},
      {"--version", {"--version"}},
  };
  for (const auto& c : toOutput) {
    SCOPED_TRACE(c.what);
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    ::close(fds[0]);
    g_outputsDeadPipe = fds[1];
    QProcess process;
    process.setChildProcessModifier(&OutputsStdoutIntoTheDeadPipe);
    const OutputsOutcome outcome = Run(c.args, process);
    ::close(fds[1]);
    ASSERT_TRUE(outcome.ended) << "ended by a signal";
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.err.contains("The output cannot be written: Broken pipe")) << outcome.err.toStdString();
  }

  // A FIFO read for a moment, then closed: the program is half-way.
  const QString fifo = dir.filePath(QStringLiteral("pipe"));
  QString reason;
  ASSERT_TRUE(MakeFifo(fifo, &reason)) << reason.toStdString();
  for (const char* action : {"--export-commands", "--print"}) {
    SCOPED_TRACE(action);
    // Not inherited by the program: it would read from itself.
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    // The smallest pipe there is, so that the output is many times its size.
    ::fcntl(reader, F_SETPIPE_SZ, 4096);
    QProcess process;
    process.setProcessEnvironment(Environment());
    process.start(QStringLiteral(SELV_PROGRAM_PATH), {action, project, "-o", fifo, "--language", "en"});
    pollfd ready{reader, POLLIN, 0};
    ASSERT_EQ(::poll(&ready, 1, kHangLimitMs), 1);
    char buffer[64];
    EXPECT_GT(::read(reader, buffer, sizeof buffer), 0);
    ::close(reader);
    const OutputsOutcome outcome = Finish(process);
    ASSERT_TRUE(outcome.ended) << "ended by a signal";
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.err.contains("Broken pipe")) << outcome.err.toStdString();
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
  }
}

// An upload over the project whose backup cannot be written asks nothing:
// it says that the backup failed and why, that nothing was saved, and ends
// with 2; the project stays as it was. The backup's name taken by a folder,
// and, where the test may mount one, a small disk with room for the new
// project but not for its backup.
TEST_F(CommandLineOutputsTest, AnUploadThatCannotKeepTheBackupSaysWhatItDidAndAsksNothing) {
  StartUnit();
  auto expectNothingSaved = [&](const QString& path, const QByteArray& bytes, const char* reason) {
    const OutputsOutcome outcome = Run(WithUnit({"--upload", path, "-o", path}));
    EXPECT_EQ(outcome.status, 2) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.err.contains("without a new backup")) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains(QByteArray("\" cannot be written. (") + reason + ") The project was not saved: \""))
        << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains("The project was not saved: \"" + QFile::encodeName(path) + "\" stays as it was."))
        << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains("selvantis: The unit's settings were not saved.\n")) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.err.contains("The unit's settings are in")) << outcome.err.toStdString();
    EXPECT_TRUE(FileBytes(path) == bytes);
  };
  const QString backup = CSelvantisDoc::BackupPathFor(project);
  ASSERT_TRUE(QDir().mkpath(backup + QStringLiteral("/kept")));
  expectNothingSaved(project, projectBytes, "Is a directory");
  EXPECT_TRUE(QFileInfo(backup).isDir());

  const QByteArray disk = QFile::encodeName(dir.filePath(QStringLiteral("disk")));
  ASSERT_TRUE(QDir().mkpath(QString::fromLocal8Bit(disk)));
  if (::mount("tmpfs", disk.constData(), "tmpfs", 0, "size=512k") != 0)
    GTEST_SKIP() << "no file system can be mounted here (" << std::strerror(errno) << ")";
  struct OutputsUnmount {
    QByteArray path;
    ~OutputsUnmount() { ::umount2(path.constData(), MNT_DETACH); }
  } unmount{disk};
  const QString onDisk = QString::fromLocal8Bit(disk) + QStringLiteral("/site.sxm");
  ASSERT_TRUE(COutputFile::WriteFile(onDisk, projectBytes, nullptr));
  // Room for the new project and two pages more, not for its backup as well.
  struct statvfs space {};
  ASSERT_EQ(::statvfs(disk.constData(), &space), 0);
  const qint64 pages = (projectBytes.size() + 4095) / 4096;
  const qint64 fill = static_cast<qint64>(space.f_bavail * space.f_frsize) - (pages + 2) * 4096;
  ASSERT_GT(fill, 0);
  ASSERT_GT(pages, 2);
  ASSERT_TRUE(COutputFile::WriteFile(QString::fromLocal8Bit(disk) + QStringLiteral("/filler"), QByteArray(fill, 'f'),
                                     nullptr));
  expectNothingSaved(onDisk, projectBytes, "No space left on device");
  EXPECT_EQ(NamesIn(QString::fromLocal8Bit(disk)), (QList<QByteArray>{"filler", "site.sxm"}));
}

// Port settings written by hand ("19200,n,8,1") read as the program's own
// ("19200, n, 8, 1", as the settings file is saved again): --help shows them.
TEST_F(CommandLineOutputsTest, HandWrittenPortSettingsAreReadAsTheProgramsOwn) {
  for (const QByteArray& written : {QByteArray("9600,e,7,2"), QByteArray("9600, e, 7, 2"), QByteArray("\"9600,e,7,2\"")}) {
    SCOPED_TRACE(written.toStdString());
    WriteSettings("[COMSECTION]\nSettings=" + written + "\n");
    const OutputsOutcome help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("the line settings (now 9600,e,7,2)")) << help.out.toStdString();
  }
}

// The window's link reads the hand-written settings too: it connects with
// them instead of refusing "Invalid port settings".
TEST(HandWrittenPortSettingsTest, TheLinkConnectsWithSettingsWrittenByHand) {
  for (const QByteArray& written : {QByteArray("460800,n,8,1"), QByteArray("460800, n, 8, 1")}) {
    SCOPED_TRACE(written.toStdString());
    TempProfile profile;
    UnitSimulator sim;
    ASSERT_TRUE(sim.Start());
    {
      QFile file(profile.Path());
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write("[COMSECTION]\nPort=" + QFile::encodeName(sim.PtyPath()) + "\nSettings=" + written + "\n");
    }
    MessageRecorder messages;
    CSelvantisDoc doc;
    CCommLink link;
    DeviceLinkScope scope(&link);
    EXPECT_TRUE(link.Connect(&doc));
    for (const MessageRequest& request : messages.Requests()) ADD_FAILURE() << request.text.toStdString();
    // Written back by the program (another key), they still read the same.
    CProfile::WriteString(QStringLiteral("Settings"), QStringLiteral("Other"), QStringLiteral("x"));
    EXPECT_EQ(CProfile::GetString(LinkProfile::kComSection, LinkProfile::kSettings), QStringLiteral("460800,n,8,1"));
    link.Disconnect(false);
    sim.Stop();
  }
}
