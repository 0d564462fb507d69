// The program as a command for scripts, run as the real program in a process
// of its own against the simulated unit: the export equal to the window's,
// download then compare, a unit changed, an upload into a new file, a unit
// that goes away, the progress line only on a terminal, and bad input in
// both languages, each with its exit status and nothing written.
#include "link/ccommandline.h"

#include "comparetestproject.h"
#include "everyfamily.h"
#include "link/ccommandfile.h"
#include "link/linkprofile.h"
#include "model/cfilename.h"
#include "model/coutputfile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "shell/cportchoice.h"
#include "support/filebytes.h"
#include "support/fulldisk.h"
#include "support/tempprofile.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Outcome {
  int status = -1;
  QByteArray out;
  QByteArray err;
};

// A line fast enough that a whole project's upload takes seconds; the
// simulator answers at once.
const QStringList kFastLine = {QStringLiteral("--baud"), QStringLiteral("460800")};

class CCommandLineTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    project = dir.filePath(QStringLiteral("site.sxm"));
    CSelvantisDoc doc;
    FillCompareTestProject(doc);
    ASSERT_TRUE(doc.OnSaveDocument(project));
    projectBytes = FileBytes(project);
  }

  void StartUnit() {
    RegisterEveryFamily(sim);
    QString error;
    ASSERT_TRUE(sim.Start(&error)) << error.toStdString();
  }
  void TearDown() override { sim.Stop(); }

  // The program's own profile: a folder of its own, nothing in it.
  QProcessEnvironment Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    return env;
  }

  void Start(QProcess& process, const QStringList& args) const {
    process.setProcessEnvironment(Environment());
    process.start(QStringLiteral(SELV_PROGRAM_PATH), args);
  }

  Outcome Run(const QStringList& args) const {
    QProcess process;
    return Finish(process, args);
  }

  // Runs the command in process (set up by the caller: its outputs, its
  // limits).
  Outcome Finish(QProcess& process, const QStringList& args) const {
    Start(process, args);
    Outcome outcome;
    if (!process.waitForFinished(kHangLimitMs) || process.exitStatus() != QProcess::NormalExit) {
      ADD_FAILURE() << "the program did not end: " << args.join(' ').toStdString();
      process.kill();
      process.waitForFinished();
      return outcome;
    }
    outcome.status = process.exitCode();
    outcome.out = process.readAllStandardOutput();
    outcome.err = process.readAllStandardError();
    return outcome;
  }

  QStringList WithUnit(QStringList args) const {
    args << QStringLiteral("--port") << sim.PtyPath() << kFastLine;
    return args;
  }

  TempProfile profile;
  UnitSimulator sim;
  QTemporaryDir dir;
  QString project;
  QByteArray projectBytes;
};

}  // namespace

TEST(CCommandLineModeTest, OpensTheWindowUnlessAnOptionOfTheCommandLineIsGiven) {
  using Mode = CCommandLine::Mode;
  const struct {
    QStringList args;
    Mode mode;
  } cases[] = {
      {{}, Mode::Window},
      {{"hall.sxm", "office.sxm"}, Mode::Window},
      // Qt's own options of the window, with one dash or two.
      {{"-style", "fusion", "hall.sxm"}, Mode::Window},
      {{"--platform", "xcb"}, Mode::Window},
      {{"--compare", "hall.sxm"}, Mode::Terminal},
      {{"--export-commands=hall.sxm"}, Mode::Terminal},
      {{"-o", "x.txt"}, Mode::Terminal},
      // Reported as unknown, not ignored by a window.
      {{"--frobnicate"}, Mode::Terminal},
      {{"--print", "hall.sxm", "-o", "hall.pdf"}, Mode::Offscreen},
      {{"--print", "hall.sxm", "--help"}, Mode::Terminal},
  };
  for (const auto& c : cases) EXPECT_EQ(CCommandLine::ModeOf(c.args), c.mode) << c.args.join(' ').toStdString();
}

TEST_F(CCommandLineTest, ExportsTheCommandTextByteForByteAsTheWindowDoes) {
  // What Communication > Export parameters writes for the same file.
  CSelvantisDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(project));
  const QString window = dir.filePath(QStringLiteral("window.txt"));
  QString error;
  ASSERT_TRUE(CCommandFile::Export(doc, window, &error)) << error.toStdString();
  const QByteArray expected = FileBytes(window);
  ASSERT_GT(expected.size(), 1000);

  const QString file = dir.filePath(QStringLiteral("script.txt"));
  const Outcome toFile = Run({"--export-commands", project, "-o", file});
  EXPECT_EQ(toFile.status, 0) << toFile.err.toStdString();
  EXPECT_TRUE(FileBytes(file) == expected);
  EXPECT_TRUE(toFile.out.isEmpty());

  const Outcome toOutput = Run({"--export-commands=" + project});
  EXPECT_EQ(toOutput.status, 0) << toOutput.err.toStdString();
  EXPECT_TRUE(toOutput.out == expected);
  EXPECT_TRUE(toOutput.err.isEmpty()) << toOutput.err.toStdString();
}

TEST_F(CCommandLineTest, DownloadThenCompareHoldsAChangedUnitDiffersAndAnUploadReadsIt) {
  StartUnit();
  const Outcome download = Run(WithUnit({"--download", project, "--language", "en"}));
  ASSERT_EQ(download.status, 0) << download.err.toStdString();
  EXPECT_EQ(download.err.toStdString(), "selvantis: The project is in the unit.\n");
  EXPECT_TRUE(sim.FullLines().contains("/MACRO/LOCK ON"));
  EXPECT_TRUE(sim.FullLines().contains("/MACRO/LOCK OFF"));

  const Outcome holds = Run(WithUnit({"--compare", project, "--language", "en"}));
  EXPECT_EQ(holds.status, 0) << holds.err.toStdString();
  EXPECT_EQ(holds.out.toStdString(),
            "Object\tName\tSetting\tIn the project\tOn the unit\tCommand form (project / unit)\r\n");
  EXPECT_TRUE(holds.err.startsWith("selvantis: The unit holds this project: ")) << holds.err.toStdString();
  EXPECT_TRUE(holds.err.contains(" settings compared, no difference.\n"));
  // Not a terminal: no progress line.
  EXPECT_FALSE(holds.err.contains('\r'));

  sim.SetValue("/AUDIO/ALARM_VOL", "-20.0");
  // A zone's wiring the upload only checks: its message is a row, not a line of the error output.
  sim.SetValue("/VMX/ZONE1/OUTPUT", "5");
  const QString differences = dir.filePath(QStringLiteral("differences.txt"));
  const Outcome differs = Run(WithUnit({"--compare", project, "-o", differences, "--language", "en"}));
  EXPECT_EQ(differs.status, 1) << differs.err.toStdString();
  EXPECT_TRUE(differs.out.isEmpty());
  EXPECT_EQ(FileBytes(differences).toStdString(),
            "Object\tName\tSetting\tIn the project\tOn the unit\tCommand form (project / unit)\r\n"
            "Zone\tZone 1\t/VMX/ZONE1/OUTPUT\t0\t5\t0 / 5\r\n"
            "Audio\tAudio\t/AUDIO/ALARM_VOL\t-14.8 dB\t-20.0 dB\t-14.8 / -20.0\r\n");
  EXPECT_TRUE(differs.err.startsWith("selvantis: The unit differs from this project: differences in 2 of "))
      << differs.err.toStdString();
  // Only the program's messages, no notes for developers.
  for (const QByteArray& line : differs.err.trimmed().split('\n'))
    EXPECT_TRUE(line.startsWith("selvantis: ")) << line.toStdString();

  const QString uploaded = dir.filePath(QStringLiteral("unit.sxm"));
  const Outcome upload = Run(WithUnit({"--upload", project, "-o", uploaded, "--language", "en"}));
  EXPECT_EQ(upload.status, 0) << upload.err.toStdString();
  CSelvantisDoc read;
  ASSERT_TRUE(read.OnOpenDocument(uploaded));
  EXPECT_TRUE(CCommandFile::CollectDownload(read).contains("/AUDIO/ALARM_VOL -20.0"));

  // The project itself was never written, nor its error file.
  EXPECT_TRUE(FileBytes(project) == projectBytes);
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("site.err"))));
}

// An upload that -o sends over the project itself saves as the window does:
// the project it replaces becomes the backup.
TEST_F(CCommandLineTest, AnUploadOverTheProjectItselfKeepsTheOldProjectAsItsBackup) {
  StartUnit();
  ASSERT_EQ(Run(WithUnit({"--download", project, "--language", "en"})).status, 0);
  sim.SetValue("/AUDIO/ALARM_VOL", "-20.0");
  const Outcome upload = Run(WithUnit({"--upload", project, "-o", project, "--language", "en"}));
  EXPECT_EQ(upload.status, 0) << upload.err.toStdString();
  EXPECT_TRUE(FileBytes(CSelvantisDoc::BackupPathFor(project)) == projectBytes);
  CSelvantisDoc read;
  ASSERT_TRUE(read.OnOpenDocument(project));
  EXPECT_TRUE(CCommandFile::CollectDownload(read).contains("/AUDIO/ALARM_VOL -20.0"));
}

// The log of the program's parts (here the serial port's note that it was
// lost) stays off the error output unless --verbose asks for it.
class CCommandLineLostUnitTest : public CCommandLineTest, public testing::WithParamInterface<bool> {};

TEST_P(CCommandLineLostUnitTest, AUnitThatGoesAwayEndsTheComparisonWithStatusTwoAndWritesNothing) {
  const bool verbose = GetParam();
  StartUnit();
  const QString differences = dir.filePath(QStringLiteral("differences.txt"));
  QProcess process;
  // At the unit's own speed, so that the upload is well under way when the
  // unit goes.
  QStringList args = {"--compare", project, "--port", sim.PtyPath(), "-o", differences, "--language", "en"};
  if (verbose) args << "--verbose";
  Start(process, args);
  ASSERT_TRUE(WaitUntil([&] { return sim.ReceivedCount() > 300; }));
  sim.HangUp();
  ASSERT_TRUE(process.waitForFinished(kHangLimitMs));
  EXPECT_EQ(process.exitCode(), 2);
  const QByteArray err = process.readAllStandardError();
  EXPECT_TRUE(err.contains("the connection to the unit was lost")) << err.toStdString();
  EXPECT_TRUE(err.contains("there is no verdict")) << err.toStdString();
  EXPECT_FALSE(QFile::exists(differences));
  EXPECT_TRUE(FileBytes(project) == projectBytes);
  // Each message on a line of its own, its reason on the same line.
  for (const QByteArray& line : err.trimmed().split('\n')) {
    EXPECT_TRUE(line.startsWith("selvantis: ")) << line.toStdString();
    EXPECT_FALSE(line.startsWith("selvantis: (")) << line.toStdString();
    EXPECT_EQ(line.startsWith("selvantis: log: "), verbose && line.contains("selv.")) << line.toStdString();
  }
  EXPECT_EQ(err.contains("selvantis: log: selv.link.serial: port"), verbose) << err.toStdString();
}

// Queries the unit leaves unanswered stop the comparison: the upload's
// message, no verdict, status 2.
TEST_F(CCommandLineTest, AComparisonWithUnansweredQueriesEndsWithStatusTwoAndNoVerdict) {
  StartUnit();
  ASSERT_EQ(Run(WithUnit({"--download", project, "--language", "en"})).status, 0);
  sim.SetValue("/AUDIO/ALARM_VOL", "-20.0");
  sim.SetDropAnswers("/CONS/ADR1/KEY1*");
  const Outcome stopped = Run(WithUnit({"--compare", project, "--language", "en"}));
  EXPECT_EQ(stopped.status, 2) << stopped.err.toStdString();
  EXPECT_TRUE(stopped.err.contains("queries stayed unanswered")) << stopped.err.toStdString();
  EXPECT_TRUE(stopped.err.contains("there is no verdict")) << stopped.err.toStdString();
  EXPECT_FALSE(stopped.err.contains("holds this project")) << stopped.err.toStdString();
  EXPECT_FALSE(stopped.err.contains("differs from this project")) << stopped.err.toStdString();
  EXPECT_TRUE(FileBytes(project) == projectBytes);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutVerbose, CCommandLineLostUnitTest, testing::Bool());

TEST_F(CCommandLineTest, DrawsTheProgressLineOnlyOnATerminal) {
  StartUnit();
  // A pseudo-terminal as the program's error output.
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  QProcess process;
  process.setStandardErrorFile(QString::fromLocal8Bit(ptsname(master)));
  Start(process, WithUnit({"--download", project, "--language", "en"}));
  ASSERT_TRUE(process.waitForFinished(kHangLimitMs));
  EXPECT_EQ(process.exitCode(), 0);
  fcntl(master, F_SETFL, O_NONBLOCK);
  QByteArray terminal;
  char buffer[4096];
  for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;) terminal.append(buffer, static_cast<int>(n));
  close(master);
  EXPECT_TRUE(terminal.contains("\r100 %   ")) << terminal.toStdString();
  EXPECT_TRUE(terminal.contains(" lines   0:00 left")) << terminal.toStdString();
  EXPECT_TRUE(terminal.contains("selvantis: The project is in the unit.")) << terminal.toStdString();
}

// The command line takes the window's port when --port is not given: the
// profile's, else the first port the system has (USB adapters first).
TEST(CCommandLinePortTest, HelpNamesThePortTheWindowWouldTake) {
  using Port = CPortChoice::SystemPort;
  struct Row {
    const char* what;
    std::vector<Port> ports;
    const char* stored;
    const char* shown;
  };
  const Row rows[] = {
      {"ports built in and an adapter",
       {{"/dev/ttyS0", "", "", false}, {"/dev/ttyACM3", "", "", true}},
       "",
       "(now /dev/ttyACM3, the first port the system has)"},
      {"ports built in only",
       {{"/dev/ttyS10", "", "", false}, {"/dev/ttyS2", "", "", false}},
       "",
       "(now /dev/ttyS2, the first port the system has)"},
      {"no port at all", {}, "", "(now none: the system has no serial port)"},
      {"the profile names one",
       {{"/dev/ttyS0", "", "", false}},
       "/dev/ttyUSB4",
       "(now /dev/ttyUSB4, the profile's port)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TempProfile profile;
    if (*row.stored) CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, row.stored);
    const std::vector<Port> ports = row.ports;
    CPortChoice::SetSource([ports] { return ports; });
    const QString help = CCommandLine::HelpText();
    CPortChoice::SetSource({});
    EXPECT_TRUE(help.contains(QString("  --port DEVICE              the unit's serial port; without it the profile's "
                                      "port,\n                             else the first the system has, USB adapters "
                                      "first\n                             ") +
                              row.shown))
        << help.toStdString();
  }
}

TEST_F(CCommandLineTest, HelpShowsThePortOfTheOneRuleForAFreshProfile) {
  // The test program's own profile is fresh as the child's is; both see the
  // system's ports.
  const QString port = CPortChoice::FirstPort(CPortChoice::SystemPorts());
  const Outcome help = Run({"--help", "--language", "en"});
  ASSERT_EQ(help.status, 0);
  const QString shown = port.isEmpty() ? QStringLiteral("(now none: the system has no serial port)")
                                       : QStringLiteral("(now %1, the first port the system has)").arg(port);
  EXPECT_TRUE(help.out.contains(shown.toUtf8())) << help.out.toStdString();
}

// A path that is not absolute is taken from the current folder, as any
// path of the command line is, not looked up under /dev.
TEST_F(CCommandLineTest, ARelativePortPathIsTakenFromTheCurrentFolder) {
  StartUnit();
  ASSERT_TRUE(QDir(dir.path()).mkpath("units"));
  ASSERT_TRUE(QFile::link(sim.PtyPath(), dir.filePath("units/vmx")));
  QProcess process;
  process.setWorkingDirectory(dir.path());
  const Outcome compare =
      Finish(process, {"--compare", project, "--port", "units/vmx", "--language", "en", "--baud", "460800"});
  EXPECT_EQ(compare.status, 1) << compare.err.toStdString();
  EXPECT_TRUE(compare.err.contains("The unit differs from this project")) << compare.err.toStdString();
  EXPECT_FALSE(sim.FullLines().isEmpty());
}

TEST_F(CCommandLineTest, HelpAndVersionNeedNoProjectAndNoDisplay) {
  const Outcome help = Run({"--help", "--language", "de"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.startsWith("Aufruf: selvantis")) << help.out.toStdString();
  EXPECT_TRUE(help.out.contains("--compare PROJEKT"));
  const Outcome version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.toStdString(), "Selvantis 1.0\n");
}

TEST_F(CCommandLineTest, PrintsTheDrawingAndTheTablesAsAPdfWithoutADisplay) {
  const QString pdf = dir.filePath(QStringLiteral("site.pdf"));
  const Outcome print = Run({"--print", project, "-o", pdf});
  EXPECT_EQ(print.status, 0) << print.err.toStdString();
  EXPECT_TRUE(FileBytes(pdf).startsWith("%PDF-"));
  EXPECT_GT(QFile(pdf).size(), 10000);
}

// Bad input in both languages: a clear message, exit status 2, nothing
// written.
class CCommandLineBadInputTest : public CCommandLineTest, public testing::WithParamInterface<const char*> {
 protected:
  bool German() const { return QByteArray(GetParam()) == "de"; }
  // Runs the command in the test's language; the output file must not come.
  // Only a mistake in the options (usage) ends with the hint to --help.
  enum class Hint { No, Usage };
  void ExpectRefused(QStringList args, const char* english, const char* german, bool withOutput = true,
                     Hint hint = Hint::No) {
    const QString output = dir.filePath(QStringLiteral("out.txt"));
    if (withOutput) args << "-o" << output;
    args << "--language" << GetParam();
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.status, 2) << args.join(' ').toStdString();
    const QString err = QString::fromLocal8Bit(outcome.err);
    EXPECT_TRUE(err.contains(QString::fromUtf8(German() ? german : english))) << args.join(' ').toStdString() << "\n"
                                                                              << err.toStdString();
    EXPECT_EQ(err.contains("\"selvantis --help\""), hint == Hint::Usage) << args.join(' ').toStdString() << "\n"
                                                                         << err.toStdString();
    EXPECT_TRUE(outcome.out.isEmpty());
    EXPECT_FALSE(QFile::exists(output)) << args.join(' ').toStdString();
    EXPECT_TRUE(FileBytes(project) == projectBytes);
  }
};

TEST_P(CCommandLineBadInputTest, EndsWithAMessageAndStatusTwo) {
  ExpectRefused({"--compare", project, "--frobnicate"}, "Unknown option \"--frobnicate\".",
                "Unbekannte Option \"--frobnicate\".", true, Hint::Usage);
  ExpectRefused({"--compare", dir.filePath("missing.sxm")}, "cannot be opened", "kann nicht geöffnet werden");
  ExpectRefused({"--upload", project}, "--upload needs -o and the name of the new project file.",
                "--upload braucht -o und den Namen der neuen Projektdatei.", false, Hint::Usage);
  ExpectRefused({"--compare", project, "--parity", "maybe"}, "--parity maybe is no line setting",
                "--parity maybe ist keine Leitungseinstellung", true, Hint::Usage);

  // A file changed after it was written: the checksum says so.
  QByteArray damaged = projectBytes;
  damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x20);
  const QString broken = dir.filePath(QStringLiteral("broken.sxm"));
  QFile file(broken);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(damaged);
  file.close();
  ExpectRefused({"--export-commands", broken}, "no longer match the checksum",
                "passt nicht mehr zu der mit ihm geschriebenen Prüfsumme");

  // A port that cannot be opened, with the system's reason.
  ExpectRefused({"--compare", project, "--port", dir.filePath("no-such-tty")},
                "cannot be opened. (No such file or directory)\n", "Die serielle Schnittstelle");

  // The project read is never an output, by its name or another way to it;
  // an upload replaces another existing file only with --force.
  const QString link = dir.filePath(QStringLiteral("link.sxm"));
  ASSERT_TRUE(QFile::link(project, link));
  for (const QString& output : {project, link}) {
    for (const char* action : {"--export-commands", "--print", "--compare"})
      ExpectRefused({action, project, "-o", output},
                    "is the project the command reads: the output must be another file.",
                    "ist das Projekt, das der Befehl liest: die Ausgabe muss eine andere Datei sein.", false);
  }
  const QString other = dir.filePath(QStringLiteral("other.sxm"));
  ASSERT_TRUE(QFile::copy(project, other));
  ExpectRefused({"--upload", project, "-o", other}, "exists: --upload replaces another file only with --force.",
                "ist vorhanden: --upload ersetzt eine andere Datei nur mit --force.", false);
  EXPECT_TRUE(FileBytes(other) == projectBytes);
  ExpectRefused({"--export-commands", project, "--force"}, "The option --force has no use with --export-commands.",
                "Die Option --force", true, Hint::Usage);
  // An output in a folder that is not there is refused as the others.
  ExpectRefused({"--export-commands", project, "-o", dir.filePath(QStringLiteral("nowhere/out.txt"))},
                "does not exist.", "gibt es nicht.", false);

  // A unit that does not answer the connect.
  StartUnit();
  sim.SetDropAnswers(QStringLiteral("*"));
  ExpectRefused({"--download", project, "--port", sim.PtyPath()}, "does not answer", "antwortet nicht", false);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, CCommandLineBadInputTest, testing::Values("en", "de"));

namespace {

// Limits the files the child may write to limit bytes (ulimit -f).
void LimitFileSize(QProcess& process, rlim_t limit) {
  process.setChildProcessModifier([limit] {
    rlimit lowered{};
    getrlimit(RLIMIT_FSIZE, &lowered);
    lowered.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lowered);
  });
}

}  // namespace

// A write that stops short (the file-size limit: it fails as a full disk
// does) ends with status 2 and the system's reason, not with the signal that
// would end the program; the old file stays as it was and no temporary file
// is left beside it. The same for the standard output.
TEST_F(CCommandLineTest, AWriteThatStopsShortEndsWithTheReasonAndKeepsTheOldFile) {
  const QByteArray old = "the old contents\r\n";
  const struct {
    const char* action;
    const char* name;
  } cases[] = {{"--export-commands", "script.txt"}, {"--print", "site.pdf"}};
  for (const auto& c : cases) {
    const QString output = dir.filePath(QString::fromLatin1(c.name));
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(old);
    file.close();
    const QList<QByteArray> before = NamesIn(dir.path());
    QProcess process;
    LimitFileSize(process, 4096);
    const Outcome outcome = Finish(process, {c.action, project, "-o", output, "--language", "en"});
    EXPECT_EQ(outcome.status, 2) << c.action;
    EXPECT_TRUE(outcome.err.contains("File too large")) << c.action << ": " << outcome.err.toStdString();
    EXPECT_FALSE(outcome.err.contains("Unknown error")) << outcome.err.toStdString();
    EXPECT_TRUE(FileBytes(output) == old) << c.action;
    EXPECT_EQ(NamesIn(dir.path()), before) << c.action;
  }

  // The standard output into a file, cut by the same limit.
  const QString redirected = dir.filePath(QStringLiteral("redirected.txt"));
  QProcess process;
  LimitFileSize(process, 4096);
  process.setStandardOutputFile(redirected);
  const Outcome outcome = Finish(process, {"--export-commands", project, "--language", "en"});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_TRUE(outcome.err.contains("The output cannot be written: File too large")) << outcome.err.toStdString();
  EXPECT_TRUE(FileBytes(project) == projectBytes);

  // The system's full device as the standard output (only when it is that
  // device: a test must not trust a regular file of that name).
  if (!IsCharacterDevice(QStringLiteral("/dev/full"), 1, 7)) GTEST_SKIP() << "/dev/full is not the full device here";
  for (const char* flag : {"--help", "--version"}) {
    QProcess full;
    full.setStandardOutputFile(QStringLiteral("/dev/full"), QIODevice::Append);
    const Outcome told = Finish(full, {flag, "--language", "en"});
    EXPECT_EQ(told.status, 2) << flag;
    EXPECT_TRUE(told.err.contains("The output cannot be written: No space left on device")) << told.err.toStdString();
  }
}

// A device or a FIFO as -o is written in place and stays what it is.
TEST_F(CCommandLineTest, ADeviceOrAFifoAsTheOutputIsWrittenInPlace) {
  CSelvantisDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(project));
  const QByteArray expected = CCommandFile::FormatLines(CCommandFile::CollectDownload(doc));

  const QString fifo = dir.filePath(QStringLiteral("pipe"));
  QString reason;
  ASSERT_TRUE(MakeFifo(fifo, &reason)) << reason.toStdString();
  // Nobody reads: refused rather than waiting.
  const Outcome unread = Run({"--export-commands", project, "-o", fifo, "--language", "en"});
  EXPECT_EQ(unread.status, 2);
  EXPECT_TRUE(unread.err.contains("No program reads from this FIFO")) << unread.err.toStdString();

  const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  QProcess process;
  Start(process, {"--export-commands", project, "-o", fifo});
  QByteArray received;
  char buffer[4096];
  // Read while it writes: the FIFO holds less than the whole text.
  while (!process.waitForFinished(20)) {
    for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;) received.append(buffer, static_cast<int>(n));
  }
  for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;) received.append(buffer, static_cast<int>(n));
  ::close(reader);
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  EXPECT_TRUE(received == expected) << received.size() << " of " << expected.size() << " bytes";
  struct stat st {};
  ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));

  // Device nodes of the test's own, never the system's.
  const QString null = dir.filePath(QStringLiteral("null"));
  const QString full = dir.filePath(QStringLiteral("full"));
  if (!MakeCharacterDevice(null, 1, 3, &reason) || !MakeCharacterDevice(full, 1, 7, &reason))
    GTEST_SKIP() << "no device nodes can be made here (" << reason.toStdString() << ")";
  EXPECT_EQ(Run({"--export-commands", project, "-o", null}).status, 0);
  EXPECT_EQ(Run({"--print", project, "-o", null}).status, 0);
  const Outcome onFull = Run({"--export-commands", project, "-o", full, "--language", "en"});
  EXPECT_EQ(onFull.status, 2);
  EXPECT_TRUE(onFull.err.contains("No space left on device")) << onFull.err.toStdString();
  EXPECT_TRUE(IsCharacterDevice(null, 1, 3));
  EXPECT_TRUE(IsCharacterDevice(full, 1, 7));
}

// Names in Latin-1 (not UTF-8, whatever the locale) reach the files they
// name, read and written.
TEST_F(CCommandLineTest, FileNamesThatAreNotUtf8PassThroughAsTheyAre) {
  CSelvantisDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(project));
  const QByteArray expected = CCommandFile::FormatLines(CCommandFile::CollectDownload(doc));
  const QByteArray folder = QFile::encodeName(dir.path()) + "/dir\xe9";
  ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
  const QString latinProject = CFileName::FromSystem(folder + "/caf\xe9.sxm");
  ASSERT_TRUE(COutputFile::WriteFile(latinProject, projectBytes, nullptr));

  // Through a shell, so that the arguments are the bytes themselves.
  QProcess process;
  process.setWorkingDirectory(dir.path());
  QProcessEnvironment env = Environment();
  env.insert(QStringLiteral("SELV_PROGRAM"), QStringLiteral(SELV_PROGRAM_PATH));
  process.setProcessEnvironment(env);
  process.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("exec \"$SELV_PROGRAM\" --export-commands \"$(printf 'dir\\351/caf\\351.sxm')\" "
                                "-o \"$(printf 'dir\\351/out\\377.txt')\"")});
  ASSERT_TRUE(process.waitForFinished(kHangLimitMs));
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  EXPECT_EQ(NamesIn(CFileName::FromSystem(folder)), (QList<QByteArray>{"caf\xe9.sxm", "out\xff.txt"}));
  QFile written;
  ASSERT_TRUE(CFileName::OpenForReading(written, CFileName::FromSystem(folder + "/out\xff.txt"), nullptr));
  EXPECT_TRUE(written.readAll() == expected);
}

// A settings file that is a FIFO (every read would wait for a writer) is
// put aside with a message, and the command runs with the defaults.
TEST_F(CCommandLineTest, ASettingsFileThatIsNoFileIsSetAsideAndTheCommandRuns) {
  const QString folder = dir.filePath(QStringLiteral("config/VELMORIX"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString settings = folder + QStringLiteral("/Selvantis.conf");
  QString reason;
  ASSERT_TRUE(MakeFifo(settings, &reason)) << reason.toStdString();
  const Outcome help = Run({"--help", "--language", "en"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.startsWith("Usage: selvantis")) << help.out.toStdString();
  EXPECT_TRUE(help.err.contains("is not a regular file. It was renamed to")) << help.err.toStdString();
  EXPECT_FALSE(QFile::exists(settings));
  const QList<QByteArray> names = NamesIn(folder);
  ASSERT_EQ(names.size(), 1);
  EXPECT_TRUE(names[0].startsWith("Selvantis.conf.unreadable-")) << names[0].toStdString();
}

// The same on a real small disk (a memory file system of 64 KB, filled up
// to its last few KB), where the system allows the test to make one.
TEST_F(CCommandLineTest, AFullDiskEndsWithNoSpaceLeftAndKeepsTheOldFile) {
  const QString disk = dir.filePath(QStringLiteral("disk"));
  SmallDisk small(disk, 64 * 1024);
  if (!small.Mounted()) GTEST_SKIP() << small.Reason();
  const QByteArray old = "the old contents\r\n";
  const QString commands = disk + QStringLiteral("/script.txt");
  const QString pdf = disk + QStringLiteral("/site.pdf");
  for (const QString& path : {commands, pdf}) ASSERT_TRUE(COutputFile::WriteFile(path, old, nullptr));
  // All but the last 4 KB taken.
  ASSERT_TRUE(small.Fill(QStringLiteral("filler"), 4096));
  const QList<QByteArray> before = NamesIn(disk);
  for (const auto& args :
       {QStringList{"--export-commands", project, "-o", commands}, QStringList{"--print", project, "-o", pdf}}) {
    const Outcome outcome = Run(args + QStringList{"--language", "en"});
    EXPECT_EQ(outcome.status, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(outcome.err.contains("No space left on device")) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.err.contains("Unknown error")) << outcome.err.toStdString();
  }
  EXPECT_TRUE(FileBytes(commands) == old);
  EXPECT_TRUE(FileBytes(pdf) == old);
  EXPECT_EQ(NamesIn(disk), before);

  // The standard output into a file there.
  QProcess process;
  process.setStandardOutputFile(disk + QStringLiteral("/redirected.txt"));
  const Outcome redirected = Finish(process, {"--export-commands", project, "--language", "en"});
  EXPECT_EQ(redirected.status, 2);
  EXPECT_TRUE(redirected.err.contains("The output cannot be written: No space left on device"))
      << redirected.err.toStdString();
}
