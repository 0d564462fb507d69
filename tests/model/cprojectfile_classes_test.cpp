// The project file with the program's own classes rather than the model
// core's test classes: a project holding the default system and one object
// of every class the editors create must come back byte for byte, and damage
// anywhere in such a file must be refused, never crash the loader.
#include "model/cprojectfile.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The default system plus whatever the registered factories make with their
// default kind (a factory that needs another kind gives nothing here).
void FillWithEveryClass(CSelvantisDoc& doc) {
  doc.OnNewDocument();
  for (int type = DT_FIRST; type <= DT_LAST; ++type) {
    if (!CSelvantisDoc::HasObjectFactory(type)) continue;
    for (int i = 0; i < 2; ++i) doc.CreateObject(type, 0);
  }
  doc.PurgeDeleted();
}

}  // namespace

TEST(ProjectFileClassesTest, EveryClassOfTheProgramComesBackByteForByte) {
  MessageRecorder messages;
  CSelvantisDoc doc;
  FillWithEveryClass(doc);
  ASSERT_GT(doc.GetTotalObjectCount(), 10);
  const QByteArray first = SaveProject(doc);

  CSelvantisDoc loaded;
  const ProjectFileResult result = TryLoadProject(loaded, first);
  ASSERT_TRUE(result.ok) << result.message.toStdString();
  EXPECT_EQ(loaded.GetTotalObjectCount(), doc.GetTotalObjectCount())
      << "after loading, the fixed-object providers must find nothing missing";
  for (int category = CAT_FIRST; category <= CAT_LAST; ++category) {
    const auto before = doc.GetObjectList(category);
    const auto after = loaded.GetObjectList(category);
    ASSERT_EQ(after.size(), before.size()) << "list " << category;
    for (size_t i = 0; i < before.size(); ++i) {
      EXPECT_STREQ(after[i]->GetClassName(), before[i]->GetClassName());
      EXPECT_EQ(after[i]->GetID(), before[i]->GetID()) << before[i]->GetClassName();
      EXPECT_EQ(after[i]->GetName(), before[i]->GetName()) << before[i]->GetClassName();
      EXPECT_EQ(after[i]->GetPath(), before[i]->GetPath()) << before[i]->GetClassName();
      EXPECT_EQ(after[i]->GetInputConnections().size(), before[i]->GetInputConnections().size())
          << before[i]->GetClassName();
      EXPECT_EQ(after[i]->GetOutputConnections().size(), before[i]->GetOutputConnections().size())
          << before[i]->GetClassName();
    }
  }
  // A record that reads less or more than it writes shows up here, even when
  // the file still happened to load.
  EXPECT_EQ(SaveProject(loaded), first);
}

TEST(ProjectFileClassesTest, DamagedProjectsOfTheProgramsClassesAreRefusedNotCrashed) {
  MessageRecorder messages;
  CSelvantisDoc source;
  FillWithEveryClass(source);
  const QByteArray good = SaveProject(source);

  CSelvantisDoc doc;
  doc.OnNewDocument();
  const int objectsBefore = doc.GetTotalObjectCount();
  std::mt19937 random(7741);
  std::uniform_int_distribution<int> byteValue(0, 255);
  int refused = 0;
  for (int round = 0; round < 400; ++round) {
    QByteArray bytes = good;
    // Past the header: the object records are what the classes read.
    std::uniform_int_distribution<int> position(16, bytes.size() - 1);
    const int at = position(random);
    switch (round % 4) {
      case 0: bytes[at] = char(byteValue(random)); break;
      case 1: bytes[at] = char(0xFF); break;
      case 2: bytes.truncate(at); break;
      default: bytes.remove(at, 1 + byteValue(random) % 16); break;
    }
    const ProjectFileResult result = TryLoadProject(doc, bytes);
    if (!result.ok) {
      ++refused;
      EXPECT_FALSE(result.message.isEmpty());
      // The open project stays as it was.
      EXPECT_EQ(doc.GetTotalObjectCount(), objectsBefore);
    } else {
      for (CBaseDevice* object : doc.GetAllObjects()) ASSERT_EQ(object->GetDocument(), &doc);
      doc.OnNewDocument();
    }
  }
  EXPECT_GT(refused, 0);
}
