// The command text of a project: every line a download sends, collected
// without a unit.
#include "link/ccommandfile.h"

#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "support/tempprofile.h"

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
