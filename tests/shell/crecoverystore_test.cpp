// The recovery copies of unsaved projects: where they go, that a second
// keep replaces the first, that a project whose changes are gone loses its
// copy, and that a copy the program cannot read is said and kept.
#include "shell/crecoverystore.h"
#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "shell/cdocmanager.h"
#include "shell/cmainframe.h"
#include "shell/crecentfilelist.h"
#include "shell/cselvantisapp.h"
#include "shell/cshellsettings.h"
#include "support/filebytes.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CRecoveryStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    CShellSettings::SetLanguage(CStringTable::Language::English);
    CShellSettings::SetStartupAction(CShellSettings::kStartNothing);
  }
  QStringList FolderFiles() const { return QDir(CRecoveryStore::Folder()).entryList(QDir::Files); }

  TempProfile profile;
  QTemporaryDir dir;
};

}  // namespace

TEST_F(CRecoveryStoreTest, TheCopiesGoWithAProfileFileOfItsOwn) {
  EXPECT_EQ(CRecoveryStore::Folder(), QFileInfo(profile.Path()).absolutePath() + QStringLiteral("/Recovery"));
}

TEST_F(CRecoveryStoreTest, ASecondKeepReplacesTheCopyAndAProjectWithoutChangesLosesIt) {
  CRecoveryStore store;
  CSelvantisDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("Hall"))));
  ASSERT_TRUE(doc.OnSaveDocument(dir.filePath(QStringLiteral("Hall/a.sxm"))));
  // A project of the same name from another folder is kept beside it.
  CSelvantisDoc other;
  ASSERT_TRUE(other.OnNewDocument());
  ASSERT_TRUE(other.OnSaveDocument(dir.filePath(QStringLiteral("a.sxm"))));

  doc.SetProjectData(0, QStringLiteral("first"));
  QString reason;
  ASSERT_TRUE(store.Keep(doc, &reason)) << reason.toStdString();
  doc.SetProjectData(0, QStringLiteral("second"));
  ASSERT_TRUE(store.Keep(doc, &reason)) << reason.toStdString();
  other.SetProjectData(0, QStringLiteral("other"));
  ASSERT_TRUE(store.Keep(other, &reason)) << reason.toStdString();
  EXPECT_EQ(FolderFiles(), (QStringList{"a (2).sxm", "a (2).sxm.origin", "a.sxm", "a.sxm.origin"}));

  const std::vector<CRecoveryStore::Entry> entries = store.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].original, doc.GetPathName()) << "oldest first";
  EXPECT_EQ(entries[0].title, QStringLiteral("a.sxm"));
  EXPECT_EQ(entries[1].original, other.GetPathName());
  CSelvantisDoc copy;
  ASSERT_TRUE(copy.OnOpenDocument(entries[0].copy));
  EXPECT_EQ(copy.GetProjectData(0), QStringLiteral("second"));

  // The changes were undone (a cancelled upload puts the project back).
  store.Drop(doc);
  EXPECT_EQ(FolderFiles(), (QStringList{"a (2).sxm", "a (2).sxm.origin"}));
}

TEST_F(CRecoveryStoreTest, ACopyWithoutItsNoteIsOfferedAsANewProject) {
  CRecoveryStore store;
  CSelvantisDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  doc.SetTitle(QStringLiteral("Project7"));
  doc.SetProjectData(0, QStringLiteral("kept"));
  QString reason;
  ASSERT_TRUE(store.Keep(doc, &reason)) << reason.toStdString();
  // Cut short between the copy and its note.
  ASSERT_TRUE(QFile::remove(CRecoveryStore::Folder() + QStringLiteral("/Project7.sxm.origin")));
  const std::vector<CRecoveryStore::Entry> entries = store.Entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].title, QStringLiteral("Project7"));
  EXPECT_TRUE(entries[0].original.isEmpty());
  EXPECT_TRUE(CRecoveryStore::OfferText(entries[0]).startsWith(QStringLiteral("The new project \"Project7\"")));
}

TEST_F(CRecoveryStoreTest, ACopyThatCannotBeReadIsSaidAndKept) {
  ASSERT_TRUE(QDir().mkpath(CRecoveryStore::Folder()));
  const QString copy = CRecoveryStore::Folder() + QStringLiteral("/Broken.sxm");
  QFile file(copy);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("not a project");
  file.close();
  MessageRecorder messages;
  messages.QueueAnswer(IDYES);
  CSelvantisApp app(nullptr);
  ASSERT_TRUE(app.InitInstance({}));
  ASSERT_EQ(messages.Requests().size(), 2u);
  EXPECT_TRUE(messages.Requests()[1].text.startsWith(QStringLiteral("The recovery copy \"")))
      << messages.Requests()[1].text.toStdString();
  EXPECT_EQ(app.MainFrame()->DocManager().Count(), 0);
  EXPECT_TRUE(QFileInfo::exists(copy));
}

// "Open the recovery copy" at the start: the restored project is the
// active window, and no empty project is made beside it; files the start
// opens besides (the command line's, the last one) open behind it.
TEST_F(CRecoveryStoreTest, TheRestoredProjectIsInFrontAndNoEmptyProjectIsMadeBesideIt) {
  struct Row {
    const char* what;
    int startup;
    bool fileOnCommandLine;
    int projects;
  };
  const Row rows[] = {
      {"a new project at the start", CShellSettings::kStartNew, false, 1},
      {"the last file again at the start", CShellSettings::kStartReopenLast, false, 2},
      {"a file named on the command line", CShellSettings::kStartNew, true, 2},
  };
  const QString other = dir.filePath(QStringLiteral("other.sxm"));
  {
    CSelvantisDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(doc.OnSaveDocument(other));
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    // The project the signal ending kept with its changes.
    const QString hall = dir.filePath(QStringLiteral("hall.sxm"));
    {
      CRecoveryStore store;
      CSelvantisDoc doc;
      ASSERT_TRUE(doc.OnNewDocument());
      ASSERT_TRUE(doc.OnSaveDocument(hall));
      doc.SetProjectData(0, QStringLiteral("unsaved change"));
      QString reason;
      ASSERT_TRUE(store.Keep(doc, &reason)) << reason.toStdString();
    }
    CShellSettings::SetStartupAction(row.startup);
    CProfile::WriteString(CRecentFileList::kSection, QStringLiteral("File1"), other);
    MessageRecorder messages;
    messages.QueueAnswer(IDYES);
    CSelvantisApp app(nullptr);
    ASSERT_TRUE(app.InitInstance(row.fileOnCommandLine ? QStringList{other} : QStringList{}));
    CMainFrame& frame = *app.MainFrame();
    ASSERT_EQ(frame.DocManager().Count(), row.projects);
    CSelvantisDoc* active = frame.GetActiveDocument();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->GetPathName(), hall);
    EXPECT_EQ(active->GetProjectData(0), QStringLiteral("unsaved change"));
    EXPECT_TRUE(active->IsModified());
    EXPECT_EQ(GetActiveDoc(), active);
    for (int i = 0; i < frame.DocManager().Count(); ++i)
      EXPECT_FALSE(frame.DocManager().At(i)->GetPathName().isEmpty()) << "an empty project beside it";
    for (int i = 0; i < frame.DocManager().Count(); ++i) frame.DocManager().At(i)->SetModifiedFlag(false);
  }
}
