// The corpora the fuzz harnesses grew (tests/data/<target>-corpus, kept
// small with -merge=1), replayed through the same checks the harnesses make
// (parserfuzzchecks.h, profilefuzzchecks.h): archives of the sample classes (archive-fuzz-corpus;
// archive-corpus holds the hand-made damaged files), project files, command
// files, range lists and profile values.
#include "parserfuzzchecks.h"
#include "profilefuzzchecks.h"

#include "link/ccommandfile.h"
#include "model/carchiveexception.h"
#include "support/archivesamples.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

namespace {

void Replay(const char* corpus, const std::function<QString(const QByteArray&)>& check) {
  const QDir dir(QStringLiteral(SELV_TEST_DATA_DIR "/") + QLatin1String(corpus));
  const QFileInfoList files = dir.entryInfoList(QDir::Files);
  ASSERT_FALSE(files.isEmpty()) << corpus;
  for (const QFileInfo& info : files) {
    QFile file(info.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(check(file.readAll()).toStdString(), "") << corpus << "/" << info.fileName().toStdString();
  }
}

}  // namespace

TEST(FuzzCorporaTest, Archives) {
  Replay("archive-fuzz-corpus", [](const QByteArray& bytes) {
    try {
      ReadSampleArchive(bytes);
    } catch (const CArchiveException&) {
      // the expected answer to a damaged file
    }
    return QString();
  });
}

TEST(FuzzCorporaTest, ProjectFiles) { Replay("project-corpus", CheckProjectFile); }

TEST(FuzzCorporaTest, CommandFiles) { Replay("commandfile-corpus", CheckCommandFile); }

TEST(FuzzCorporaTest, RangeLists) { Replay("rangelist-corpus", CheckRangeList); }

TEST(FuzzCorporaTest, ProfileValues) {
  ProfileValueChecker checker;
  Replay("profile-corpus", [&checker](const QByteArray& bytes) { return checker.Check(bytes); });
}

// commandfile_fuzz: a line of no-break spaces (Latin-1 0xA0) was sent to
// the unit as a command.
TEST(FuzzFindingsTest, ALineOfNoBreakSpacesIsNoCommand) {
  EXPECT_EQ(CCommandFile::ParseLines("\xa0  \r\n/ZONE1/VOL -20\r\n \xa0\t\r\r\n"),
            QStringList{QStringLiteral("/ZONE1/VOL -20")});
  EXPECT_EQ(CCommandFile::ParseLines("/TEXT \xa0x\xa0\r\n"), QStringList{QStringLiteral("/TEXT \u00a0x\u00a0")});
}

TEST(FuzzCorporaTest, TheOraclesCatchWhatTheyAreFor) {
  // Range lists: bits 1, 3 to 5 and 9 of 16, read and formatted back.
  EXPECT_EQ(CheckRangeList(QByteArray("\x0f\x00\x00", 3) + "9,3-5,1"), "");
  EXPECT_EQ(CheckRangeList(QByteArray("\x0f\x00\x03", 3) + "a-c,1,0"), "");
  // A text with a line end inside a command line reads as two lines.
  EXPECT_EQ(CheckCommandFile("/ZONE1/VOL -20\r\n\r\n  \n/ZONE2\rX 1\n"), "");
  // A saved empty project loads; garbage is refused with a message.
  EXPECT_EQ(CheckProjectFile("SELVSXM\x1a garbage"), "");
  ProfileValueChecker checker;
  EXPECT_EQ(checker.Check("\x02[Configuration]\nShellCommand=7\n[Settings]\nDlgSize1=0,0,-5,3\n"), "");
  EXPECT_EQ(checker.Check(QByteArray(1, '\0') + "19200,e,7,2"), "");
}
