// The recent-file list and its place in the profile.
#include "shell/crecentfilelist.h"
#include "model/cprofile.h"
#include "support/tempprofile.h"

#include <gtest/gtest.h>

namespace {

TEST(CRecentFileListTest, KeepsFourNewestFirstWithoutRepeats) {
  TempProfile profile;
  CRecentFileList list;
  for (const char* name : {"/p/a.sxm", "/p/b.sxm", "/p/c.sxm", "/p/d.sxm", "/p/e.sxm"})
    list.Add(QString::fromLatin1(name));
  EXPECT_EQ(list.Files(), QStringList({"/p/e.sxm", "/p/d.sxm", "/p/c.sxm", "/p/b.sxm"}));
  // The same file again (spelled differently) moves to the front.
  list.Add(QStringLiteral("/p/x/../c.sxm"));
  EXPECT_EQ(list.Files(), QStringList({"/p/c.sxm", "/p/e.sxm", "/p/d.sxm", "/p/b.sxm"}));
}

TEST(CRecentFileListTest, RoundTripsThroughTheProfile) {
  TempProfile profile;
  CRecentFileList list;
  list.Add(QStringLiteral("/p/a.sxm"));
  list.Add(QStringLiteral("/p/b.sxm"));
  list.Save();
  EXPECT_EQ(CProfile::GetString(CRecentFileList::kSection, QStringLiteral("File1")), QStringLiteral("/p/b.sxm"));
  EXPECT_EQ(CProfile::GetString(CRecentFileList::kSection, QStringLiteral("File2")), QStringLiteral("/p/a.sxm"));

  CRecentFileList again;
  again.Load();
  EXPECT_EQ(again.Files(), list.Files());

  // A shorter list removes the keys beyond its end.
  again.RemoveAt(0);
  again.Save();
  EXPECT_TRUE(CProfile::GetString(CRecentFileList::kSection, QStringLiteral("File2")).isEmpty());
}

TEST(CRecentFileListTest, LoadingSkipsGapsAndRepeats) {
  TempProfile profile;
  CProfile::WriteString(CRecentFileList::kSection, QStringLiteral("File1"), QStringLiteral("/p/a.sxm"));
  CProfile::WriteString(CRecentFileList::kSection, QStringLiteral("File3"), QStringLiteral("/p/a.sxm"));
  CProfile::WriteString(CRecentFileList::kSection, QStringLiteral("File4"), QStringLiteral("/p/c.sxm"));
  CRecentFileList list;
  list.Load();
  EXPECT_EQ(list.Files(), QStringList({"/p/a.sxm", "/p/c.sxm"}));
}

TEST(CRecentFileListTest, MenuTextNumbersEntriesAndEscapesAmpersands) {
  TempProfile profile;
  CRecentFileList list;
  list.Add(QStringLiteral("/p/Tom & Jerry.sxm"));
  list.Add(QStringLiteral("/p/hall.sxm"));
  EXPECT_EQ(list.MenuText(0, QStringLiteral("/p")), QStringLiteral("&1 hall.sxm"));
  EXPECT_EQ(list.MenuText(1, QStringLiteral("/p")), QStringLiteral("&2 Tom && Jerry.sxm"));
  EXPECT_EQ(list.MenuText(1, QStringLiteral("/elsewhere")), QStringLiteral("&2 /p/Tom && Jerry.sxm"));
  EXPECT_TRUE(list.MenuText(5).isEmpty());
}

}  // namespace
