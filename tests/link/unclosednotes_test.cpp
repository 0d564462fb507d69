// The notes of units that may have been left open: any port name reads
// back as it was, the notes of an older program are still read, two
// programs that add at the same instant both keep their note, a note that
// cannot be written says why, and a note concerns the unit on the same
// terminal under any name, or by who the unit is where its port is gone.
#include "commandlinechild.h"
#include "link/cportlock.h"
#include "link/cunclosednotes.h"
#include "link/linkprofile.h"
#include "link/notesfuzzchecks.h"
#include "linktestbench.h"
#include "model/cfilename.h"
#include "model/cprofile.h"
#include "support/filebytes.h"
#include "support/fulldisk.h"
#include "support/tempprofile.h"
#include "support/testtimelimit.h"
#include "unitsimulator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Note = CUnclosedNotes::Note;

Note NoteOf(const QString& port, const CUnitIdentity& unit, bool locked = true, bool unprotected = true) {
  Note note;
  note.port = port;
  note.unit = unit;
  note.locked = locked;
  note.unprotected = unprotected;
  return note;
}

const CUnitIdentity kUnit(QStringLiteral("10337"), QStringLiteral("V1.0"));

std::vector<Note> SortedByPort(std::vector<Note> notes) {
  std::sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) { return a.port < b.port; });
  return notes;
}

}  // namespace

// Readable notes in test failures.
void PrintTo(const CUnclosedNotes::Note& note, std::ostream* os) {
  *os << '"' << CFileName::Display(note.port).toStdString() << "\" [" << note.unit.Key().toStdString() << "]"
      << (note.locked ? " locked" : "") << (note.unprotected ? " unprotected" : "");
}

TEST(CUnclosedNotesTest, AnyPortNameAndAnyWordOfTheUnitReadBackAsTheyWere) {
  const struct {
    const char* name;
    QByteArray port;
    const char* id;  // Latin-1, as the unit's words
    const char* version;
  } rows[] = {
      {"plain", "/dev/ttyUSB0", "10337", "V1.0"},
      {"a pipe", "/tmp/pipe|port", "10337", "V1.0"},
      {"blanks and brackets", "/tmp/my port [1,2]", "10337", "V1.0"},
      {"percent and hash", "/tmp/100%#1", "1%0", "#V1"},
      {"line ends and escapes", "/tmp/a\r\nb\x1b[2J", "10\x1b]0;x\x07", "V1.0\r\n"},
      {"bytes that are no UTF-8", "/tmp/caf\xe9\xff", "\xe9", "V\xff"},
      {"a comma in the unit's words", "/dev/ttyS0", "1,2", "V,1]"},
      {"no unit (an older program's note)", "/dev/ttyS1", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    for (const bool locked : {false, true}) {
      const Note note =
          NoteOf(CFileName::FromSystem(row.port),
                 CUnitIdentity(QString::fromLatin1(row.id), QString::fromLatin1(row.version)), locked, true);
      const QByteArray line = CUnclosedNotes::Format(note);
      EXPECT_FALSE(line.contains('\n') || line.contains('\r')) << line.toStdString();
      Note read;
      ASSERT_TRUE(CUnclosedNotes::Parse(line, &read)) << line.toStdString();
      EXPECT_EQ(read, note) << line.toStdString();
      EXPECT_EQ(CFileName::ToSystem(read.port), row.port);
    }
  }
  // The file holds them one a line, in their order.
  std::vector<Note> notes;
  for (const auto& row : rows)
    notes.push_back(NoteOf(CFileName::FromSystem(row.port),
                           CUnitIdentity(QString::fromLatin1(row.id), QString::fromLatin1(row.version))));
  EXPECT_EQ(CUnclosedNotes::ParseFile(CUnclosedNotes::FormatFile(notes)), notes);
}

// Any bytes (but the NUL no name holds) as a port's name, and any Latin-1
// text as the unit's words: through the file on disk and back.
TEST(CUnclosedNotesTest, ARandomPortNameComesBackByteForByte) {
  TempProfile profile;
  std::mt19937 random(4711);
  std::uniform_int_distribution<int> byte(1, 255);
  std::uniform_int_distribution<int> length(1, 40);
  std::vector<Note> written;
  for (int i = 0; i < 400; ++i) {
    QByteArray port;
    for (int n = length(random); n > 0; --n) port += static_cast<char>(byte(random));
    QString id;
    for (int n = length(random) % 8; n > 0; --n) id += QChar(byte(random));
    const Note note = NoteOf(CFileName::FromSystem(port), CUnitIdentity(id, QStringLiteral("V1.0")), i % 2 == 0);
    Note read;
    ASSERT_TRUE(CUnclosedNotes::Parse(CUnclosedNotes::Format(note), &read)) << i;
    ASSERT_EQ(CFileName::ToSystem(read.port), port) << i;
    ASSERT_EQ(read, note) << i;
    // Every tenth through the file itself.
    if (i % 10 == 0) {
      QString reason;
      ASSERT_TRUE(CUnclosedNotes::Put(note, &reason)) << reason.toStdString();
      written.push_back(note);
    }
  }
  std::vector<Note> read;
  QString reason;
  ASSERT_TRUE(CUnclosedNotes::Read(&read, &reason)) << reason.toStdString();
  EXPECT_EQ(read, written);
  ASSERT_TRUE(CUnclosedNotes::Remove(written, &reason)) << reason.toStdString();
  EXPECT_TRUE(CUnclosedNotes::All().empty());
  EXPECT_FALSE(QFile::exists(CUnclosedNotes::FilePath()));
}

// The corpus the fuzz harness grew (tests/data/notes-corpus), through the
// harness's own checks.
TEST(CUnclosedNotesTest, TheFuzzCorpusReadsBackAsItWasWritten) {
  const QDir corpus(QStringLiteral(SELV_TEST_DATA_DIR "/notes-corpus"));
  const QFileInfoList files = corpus.entryInfoList(QDir::Files);
  ASSERT_FALSE(files.isEmpty());
  for (const QFileInfo& info : files)
    EXPECT_EQ(CheckNotesFile(FileBytes(info.filePath())).toStdString(), "") << info.fileName().toStdString();
}

// What an older program kept in the profile is read as a note of a unit
// that may have both open, and goes from there when it is closed.
TEST(CUnclosedNotesTest, TheNotesOfAnOlderProgramAreStillRead) {
  TempProfile profile;
  const QString section = QString::fromLatin1(LinkProfile::kComSection);
  const QString key = QString::fromLatin1(LinkProfile::kUnclosedPorts);
  ASSERT_TRUE(CProfile::WriteString(section, key, QStringLiteral("/dev/ttyUSB0 [10337,V1.0]|/dev/ttyS1")));
  ASSERT_TRUE(CUnclosedNotes::Add(QStringLiteral("/dev/ttyUSB2"), kUnit));
  const std::vector<Note> expected = {NoteOf(QStringLiteral("/dev/ttyUSB2"), kUnit),
                                      NoteOf(QStringLiteral("/dev/ttyUSB0"), kUnit),
                                      NoteOf(QStringLiteral("/dev/ttyS1"), CUnitIdentity())};
  EXPECT_EQ(CUnclosedNotes::All(), expected);
  EXPECT_TRUE(CUnclosedNotes::Remove(QStringLiteral("/dev/ttyUSB0"), kUnit));
  EXPECT_EQ(CProfile::GetString(section, key), QStringLiteral("/dev/ttyS1"));
  EXPECT_TRUE(CUnclosedNotes::Remove({expected[0], expected[2]}));
  EXPECT_TRUE(CUnclosedNotes::All().empty());
  EXPECT_EQ(CProfile::GetString(section, key, QStringLiteral("none")), QStringLiteral("none"));
}

// Two programs (processes of their own) add a note at the same instant:
// both notes are on the disk afterwards, and both were told so.
TEST(CUnclosedNotesTest, TwoProgramsAddingAtTheSameInstantBothKeepTheirNote) {
  TempProfile profile;
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    int barrier[2];
    ASSERT_EQ(::pipe(barrier), 0);
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
      children[i] = ::fork();
      ASSERT_GE(children[i], 0);
      if (children[i] == 0) {
        ::close(barrier[1]);
        char c;
        // Both go on when the parent closes its end.
        while (::read(barrier[0], &c, 1) > 0) {
        }
        const bool kept = CUnclosedNotes::Add(QStringLiteral("/dev/ttyUSB%1").arg(i), kUnit);
        ::_exit(kept ? 0 : 1);
      }
    }
    ::close(barrier[0]);
    ::close(barrier[1]);
    for (const pid_t child : children) {
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(SortedByPort(CUnclosedNotes::All()),
              (std::vector<Note>{NoteOf("/dev/ttyUSB0", kUnit), NoteOf("/dev/ttyUSB1", kUnit)}));
    ASSERT_TRUE(CUnclosedNotes::Remove({NoteOf("/dev/ttyUSB0", kUnit), NoteOf("/dev/ttyUSB1", kUnit)}));
  }
}

// A note that does not reach the disk says why, in the system's words; the
// notes written so far stay as they were.
TEST(CUnclosedNotesTest, ANoteThatCannotBeWrittenSaysWhyAndLosesNothing) {
  TempProfile profile;
  ASSERT_TRUE(CUnclosedNotes::Add(QStringLiteral("/dev/ttyUSB0"), kUnit));
  const QByteArray before = FileBytes(CUnclosedNotes::FilePath());
  {
    FullDisk disk(0);
    QString reason;
    EXPECT_FALSE(CUnclosedNotes::Add(QStringLiteral("/dev/ttyUSB1"), kUnit, &reason));
    EXPECT_EQ(reason, QStringLiteral("No space left on device"));
  }
  EXPECT_EQ(FileBytes(CUnclosedNotes::FilePath()), before);
  EXPECT_EQ(CUnclosedNotes::All(), std::vector<Note>{NoteOf("/dev/ttyUSB0", kUnit)});

  QTemporaryDir dir;
  const QString blocker = dir.filePath(QStringLiteral("blocker"));
  QFile file(blocker);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  CProfile::UseIniFile(blocker + QStringLiteral("/settings.ini"));
  QString reason;
  EXPECT_FALSE(CUnclosedNotes::Add(QStringLiteral("/dev/ttyUSB1"), kUnit, &reason));
  EXPECT_EQ(reason, QStringLiteral("Not a directory"));

  // Notes that cannot be read are none that can be added to.
  CProfile::UseIniFile(dir.filePath(QStringLiteral("settings.ini")));
  ASSERT_TRUE(QDir().mkpath(CUnclosedNotes::FilePath()));
  std::vector<Note> notes;
  EXPECT_FALSE(CUnclosedNotes::Read(&notes, &reason));
  EXPECT_EQ(reason, QStringLiteral("Is a directory"));
  EXPECT_FALSE(CUnclosedNotes::Add(QStringLiteral("/dev/ttyUSB1"), kUnit, &reason));
  EXPECT_EQ(reason, QStringLiteral("Is a directory"));
  CProfile::UseIniFile(profile.Path());
}

// Which notes concern the unit that answers on a port.
TEST(CUnclosedNotesTest, ANoteConcernsTheUnitOnItsTerminalUnderAnyNameOrByWhoItIs) {
  UnitSimulator sim;
  UnitSimulator other;
  ASSERT_TRUE(sim.Start());
  ASSERT_TRUE(other.Start());
  QTemporaryDir dir;
  const QString pty = sim.PtyPath();
  const QString link = dir.filePath(QStringLiteral("by-id-link"));
  ASSERT_TRUE(QFile::link(pty, link));
  const QString gone = dir.filePath(QStringLiteral("ttyUSB9"));
  const CUnitIdentity updated(QStringLiteral("10337"), QStringLiteral("V1.1"));
  const CUnitIdentity another(QStringLiteral("55555"), QStringLiteral("V1.0"));
  const struct {
    const char* name;
    Note note;
    bool mine;
    bool other;
  } rows[] = {
      {"the same name", NoteOf(pty, kUnit), true, false},
      {"a link to the terminal", NoteOf(link, kUnit), true, false},
      {"the same terminal, the unit updated since", NoteOf(link, updated), true, false},
      {"the same terminal, another unit", NoteOf(link, another), false, true},
      {"the same terminal, an older program's note", NoteOf(link, CUnitIdentity()), true, false},
      {"a name that is gone, the same unit", NoteOf(gone, kUnit), true, false},
      {"a name that is gone, another unit", NoteOf(gone, another), false, true},
      {"a name that is gone, no unit named", NoteOf(gone, CUnitIdentity()), false, true},
      {"another terminal that is there", NoteOf(other.PtyPath(), kUnit), false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const CUnclosedNotes::Concern concern = CUnclosedNotes::Concerning({row.note}, pty, kUnit);
    EXPECT_EQ(concern.mine.size(), row.mine ? 1u : 0u);
    EXPECT_EQ(concern.others.size(), row.other ? 1u : 0u);
  }
}

// A second device node of the terminal (mknod) is the same terminal: for
// the lock that keeps a second program out, and for the note.
TEST(CUnclosedNotesTest, ASecondDeviceNodeIsTheSameTerminal) {
  UnitSimulator sim;
  ASSERT_TRUE(sim.Start());
  QTemporaryDir dir;
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(sim.PtyPath()).constData(), &info), 0);
  const QString node = dir.filePath(QStringLiteral("ttyUnit"));
  QString reason;
  if (!MakeCharacterDevice(node, static_cast<int>(major(info.st_rdev)), static_cast<int>(minor(info.st_rdev)), &reason))
    GTEST_SKIP() << "no device nodes can be made here (" << reason.toStdString() << ")";
  EXPECT_EQ(CPortLock::DeviceKey(node), CPortLock::DeviceKey(sim.PtyPath()));
  EXPECT_FALSE(CPortLock::DeviceKey(node).isEmpty());
  CPortLock held;
  ASSERT_TRUE(held.Take(sim.PtyPath(), &reason)) << reason.toStdString();
  CPortLock second;
  EXPECT_FALSE(second.Take(node, &reason));
  EXPECT_TRUE(reason.contains(QStringLiteral("is in use by another program"))) << reason.toStdString();
  held.Release();
  EXPECT_TRUE(second.Take(node, &reason)) << reason.toStdString();
  EXPECT_EQ(CUnclosedNotes::Concerning({NoteOf(node, kUnit)}, sim.PtyPath(), kUnit).mine.size(), 1u);
}

namespace {

class UnnotedConnectTest : public LinkTestBench {};

}  // namespace

// A connect whose note cannot be written, or whose notes cannot be read,
// sends nothing that opens the unit, and says why in the system's words.
TEST_F(UnnotedConnectTest, NothingOpensAUnitWhoseNoteCannotBeWritten) {
  QTemporaryDir dir;
  const QString blocker = dir.filePath(QStringLiteral("blocker"));
  {
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  const struct {
    const char* name;
    std::function<void()> spoil;
    const char* says;
  } rows[] = {
      {"a full disk", [] {}, "cannot be written to \"%1\" (No space left on device)"},
      {"the settings' folder is a file", [&] { CProfile::UseIniFile(blocker + QStringLiteral("/settings.ini")); },
       "cannot be written to \"%1\" (Not a directory)"},
      {"the notes are a folder",
       [&] {
         CProfile::UseIniFile(dir.filePath(QStringLiteral("settings.ini")));
         QDir().mkpath(CUnclosedNotes::FilePath());
       },
       "cannot be read from \"%1\" (Is a directory)"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    messages.Clear();
    sim.ClearLog();
    row.spoil();
    {
      std::unique_ptr<FullDisk> disk;
      if (QLatin1String(row.name) == QLatin1String("a full disk")) disk = std::make_unique<FullDisk>(0);
      EXPECT_FALSE(link->ConnectPort(sim.PtyPath(), doc.get()));
    }
    EXPECT_FALSE(link->IsConnected());
    EXPECT_EQ(sim.FullLines(), (QStringList{"/SERVICE/DEVID ?", "/SERVICE/VER ?"}));
    EXPECT_FALSE(sim.HasValue("/PROTECT"));
    EXPECT_TRUE(messages.SawText(QStringLiteral("The unit on %1 was not opened").arg(sim.PtyPath())));
    EXPECT_TRUE(messages.SawText(QString::fromLatin1(row.says).arg(CUnclosedNotes::FilePath())))
        << (messages.Requests().empty() ? std::string() : messages.Requests().back().text.toStdString());
    EXPECT_TRUE(messages.SawText("Nothing that unlocks it or lifts its protection was sent."));
    CProfile::UseIniFile(profile.Path());
  }
  // Where the note can be written, the unit is opened as always.
  ASSERT_TRUE(link->ConnectPort(sim.PtyPath(), doc.get()));
  EXPECT_TRUE(WaitUntil([&] { return sim.Value("/PROTECT") == "OFF"; }));
}

namespace {

class NotedProgramsTest : public CommandLineChildTest {
 protected:
  QByteArray Notes() const {
    QFile file(NotesFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  TestTimeLimit limit{std::chrono::seconds(300)};
};

}  // namespace

// The command line whose note cannot be written ends with 2 and the reason,
// and the unit got nothing that opens it.
TEST_F(NotedProgramsTest, TheCommandLineEndsWithTwoAndTheReasonWhenItsNoteCannotBeWritten) {
  ASSERT_TRUE(sim.Start());
  {
    QFile file(ConfigHome());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QProcess process;
  Start(process, {"--download", project});
  ASSERT_TRUE(process.waitForFinished(kHangLimitMs));
  const QString err = QString::fromLocal8Bit(process.readAllStandardError());
  EXPECT_EQ(process.exitCode(), 2) << err.toStdString();
  EXPECT_TRUE(err.contains(QStringLiteral("selvantis: The unit on %1 was not opened: the note that it may be left "
                                          "open cannot be written to \"%2\" (Not a directory). Nothing that unlocks "
                                          "it or lifts its protection was sent.\n")
                               .arg(sim.PtyPath(), NotesFile())))
      << err.toStdString();
  EXPECT_FALSE(err.contains("The project is in the unit.")) << err.toStdString();
  EXPECT_EQ(sim.FullLines(), (QStringList{"/SERVICE/DEVID ?", "/SERVICE/VER ?"}));
  EXPECT_FALSE(sim.HasValue("/MACRO/LOCK"));
}

// Two command-line programs on two terminals, started at once with one
// settings folder, killed once each has opened its unit: both notes are
// there.
TEST_F(NotedProgramsTest, TwoProgramsOnTwoTerminalsBothKeepTheirNote) {
  UnitSimulator second;
  TeachEveryFamily(second);
  sim.SetPaced(true);
  second.SetPaced(true);
  ASSERT_TRUE(sim.Start());
  ASSERT_TRUE(second.Start());
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    sim.ClearLog();
    second.ClearLog();
    QProcess a;
    QProcess b;
    StartOn(a, {"--download", project}, sim.PtyPath());
    StartOn(b, {"--download", project}, second.PtyPath());
    // Each has noted its unit before it opened it.
    ASSERT_TRUE(WaitUntil([&] {
      return (sim.FullLines().contains("/PROTECT OFF") || a.state() == QProcess::NotRunning) &&
             (second.FullLines().contains("/PROTECT OFF") || b.state() == QProcess::NotRunning);
    }));
    ASSERT_EQ(a.state(), QProcess::Running);
    ASSERT_EQ(b.state(), QProcess::Running);
    ::kill(static_cast<pid_t>(a.processId()), SIGKILL);
    ::kill(static_cast<pid_t>(b.processId()), SIGKILL);
    ASSERT_TRUE(a.waitForFinished(kHangLimitMs));
    ASSERT_TRUE(b.waitForFinished(kHangLimitMs));
    const QByteArray notes = Notes();
    EXPECT_TRUE(notes.contains(sim.PtyPath().toLocal8Bit() + " [10336,V0.8] ")) << notes.toStdString();
    EXPECT_TRUE(notes.contains(second.PtyPath().toLocal8Bit() + " [10336,V0.8] ")) << notes.toStdString();
    ASSERT_TRUE(QFile::remove(NotesFile()));
  }
}

namespace {

class EarlierNoteTest : public LinkTestBench {};

}  // namespace

// Who the unit is, for a note: its device id. A unit whose operating system
// was updated since is the unit that may be open, and gets its closing
// lines; a unit of another device id on the same terminal gets none. The
// user is told which.
TEST_F(EarlierNoteTest, AnUpdatedUnitIsTheUnitOfItsNoteAndAnotherDeviceIsNot) {
  const struct {
    const char* name;
    CUnitIdentity noted;
    bool closed;
    const char* says;
  } rows[] = {
      {"updated since", CUnitIdentity("10337", "V0.9"), true,
       "The unit that answers now on %1 is that unit (device id 10337, version V1.0); its operating system has "
       "changed since (then V0.9)."},
      {"another device id", CUnitIdentity("55555", "V1.0"), false,
       "The unit that answers now on %1 is another one (device id 10337, version V1.0): it got no closing lines"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    messages.Clear();
    sim.SetValue("/MACRO/LOCK", "ON");
    sim.SetValue("/PROTECT", "OFF");
    QString reason;
    ASSERT_TRUE(CUnclosedNotes::Put(NoteOf(sim.PtyPath(), row.noted), &reason)) << reason.toStdString();
    sim.ClearLog();
    ASSERT_TRUE(link->ConnectPort(sim.PtyPath(), doc.get()));
    ASSERT_TRUE(WaitUntil([&] { return sim.FullLines().contains("/PROTECT OFF"); }));
    EXPECT_EQ(sim.FullLines().contains("/MACRO/LOCK OFF"), row.closed) << sim.FullLines().join(" | ").toStdString();
    EXPECT_EQ(sim.Value("/MACRO/LOCK"), row.closed ? "OFF" : "ON");
    EXPECT_TRUE(messages.SawText(QString::fromLatin1(row.says).arg(sim.PtyPath())))
        << (messages.Requests().empty() ? std::string() : messages.Requests().back().text.toStdString());
    EXPECT_EQ(CUnclosedNotes::Has(sim.PtyPath(), row.noted), !row.closed);
    EXPECT_TRUE(link->Disconnect());
    CUnclosedNotes::Remove(sim.PtyPath(), row.noted);
  }
}
