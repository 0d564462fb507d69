// The command text of a project: every line a download sends, collected
// without a unit.
#include "link/ccommandfile.h"

#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "support/filebytes.h"
#include "support/fulldisk.h"
#include "support/tempprofile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CCommandFileTest, CollectsEveryLineOfAStepThatSendsSeveral) {
  // A macro's lines go out one a call, its step repeated until the last is
  // out: the collection must take them all, not just the first.
  TempProfile profile;
  CSelvantisDoc doc;
  doc.OnNewDocument();
  CMacro* page = CMacro::CreateMacro(CMacro::kKindPage, doc);
  CMacro* chime = CMacro::CreateMacro(CMacro::kKindChime, doc);
  ASSERT_NE(page, nullptr);
  ASSERT_NE(chime, nullptr);
  const QStringList macroLines = page->GetDownloadLines(false) + chime->GetDownloadLines(false);
  ASSERT_GT(macroLines.size(), 4);

  const QStringList lines = CCommandFile::CollectDownload(doc);
  const int first = static_cast<int>(lines.indexOf(macroLines.first()));
  ASSERT_GE(first, 0);
  EXPECT_EQ(lines.mid(first, macroLines.size()), macroLines);
}

TEST(CCommandFileTest, CollectsTheLinesOfChosenObjectsOnly) {
  // A unit that does not know the macros' clear command: no clear line.
  TempProfile profile;
  CSelvantisDoc doc;
  doc.OnNewDocument();
  CMacro* page = CMacro::CreateMacro(CMacro::kKindPage, doc);
  ASSERT_NE(page, nullptr);
  CBaseDevice* macros = doc.FindObjectByName(QStringLiteral("Macros"));
  ASSERT_NE(macros, nullptr);
  EXPECT_EQ(CCommandFile::CollectDownload(doc, {macros}), page->GetDownloadLines(false));
}

// Communication > Export parameters and the command line's export: a disk
// that fills up half-way is reported with the system's reason, and the old
// file stays as it was.
TEST(CCommandFileTest, AFullDiskIsReportedAndKeepsTheOldFile) {
  QStringList lines;
  for (int i = 0; i < 3000; ++i) lines << QStringLiteral("/ZONE%1/NAME \"Zone %1\"").arg(i);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("site.txt"));
  QString error;
  ASSERT_TRUE(CCommandFile::Write(path, {QStringLiteral("/OLD 1")}, &error)) << error.toStdString();
  for (const qint64 room : {0, 8192}) {
    FullDisk disk(room);
    EXPECT_FALSE(CCommandFile::Write(path, lines, &error));
    EXPECT_TRUE(error.endsWith(QStringLiteral("cannot be written:\nNo space left on device"))) << error.toStdString();
    EXPECT_TRUE(FileBytes(path) == "/OLD 1\r\n");
    EXPECT_EQ(NamesIn(dir.path()), QList<QByteArray>{"site.txt"});
  }
}
