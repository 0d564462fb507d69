// The project file: field-by-field and byte-exact round trips, old records,
// connections of every kind, and files that are damaged, truncated, foreign
// or newer, which must be refused with the open project left as it was.
#include "model/cprojectfile.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "modeltestdevices.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

// A project with something of everything the base record and the
// connection table hold.
struct SampleProject {
  CSelvantisDoc doc;
  CModelTestDevice* amp = nullptr;
  CModelTestDevice* zone = nullptr;
  CModelTestDevice* group = nullptr;
  CModelTestDevice* console = nullptr;
  CModelTestDevice* card = nullptr;
  CModelTestDevice* pad = nullptr;

  SampleProject() {
    doc.SetUpgradeFlag(1);
    doc.SetProjectData(0, QStringLiteral("Airport \u00b5 Hall"));
    doc.SetProjectData(2, QStringLiteral("Installer"));
    doc.SetPassword(QStringLiteral("secret"));
    group = AddTestObjectWithID(doc, DT_GROUP, CAT_GROUPS, 0, "ALL");
    amp = AddTestObject(doc, DT_AMPLIFIER, CAT_AMPLIFIERS, "Amp \u00e4");
    zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
    console = AddTestObject(doc, DT_CONSOLE, CAT_CONSOLES, "Desk");
    card = AddTestObject(doc, DT_KCM216, CAT_ENTRIES);
    pad = AddTestObject(doc, DT_CONTROLPAD, CAT_ENTRIES, "DA label");

    amp->SetPinCount(2, 4);
    amp->SetInputPinLabel(1, "IN B");
    amp->SetOutputPinLabel(3, "CH4");
    amp->SetMoveLock(true);
    amp->ShowPins(true);
    amp->SetInputValue(1, -17);
    amp->SetRect(QRect(100, 200, 60, 80));
    amp->m_level = -42;
    amp->m_text = QStringLiteral("10KHZ \u00b5-LAW");
    zone->SetKind(32802);

    CBaseDevice::Connect(amp, 3, zone, 0);
    CBaseDevice::Connect(zone, 0, group, 0);
    CBaseDevice::Connect(pad, 0, card, 104);  // beyond the card's pin count
    // Console keys: the zone on key 5, its second target on -5 in group slot 2,
    // the console itself on key 101 and the "no object" mark on key 7.
    CBaseDevice::Connect(zone, 0, console, MakeConsolePin(5, 0));
    CBaseDevice::Connect(zone, 0, console, MakeConsolePin(-5, 2));
    CBaseDevice::Connect(console, 0, console, 101);
    console->AddNoObjectInput(7, -1, CAT_CONSOLES);
  }
};

void ExpectSameObject(const CBaseDevice& a, const CBaseDevice& b) {
  EXPECT_STREQ(a.GetClassName(), b.GetClassName());
  EXPECT_EQ(a.GetType(), b.GetType());
  EXPECT_EQ(a.GetKind(), b.GetKind());
  EXPECT_EQ(a.GetID(), b.GetID());
  EXPECT_EQ(a.GetName(), b.GetName());
  EXPECT_EQ(a.GetPath(), b.GetPath());
  EXPECT_EQ(a.GetCategory(), b.GetCategory());
  EXPECT_EQ(a.GetMenuID(), b.GetMenuID());
  EXPECT_EQ(a.GetBitmapID(), b.GetBitmapID());
  EXPECT_EQ(a.GetTextFlags(), b.GetTextFlags());
  EXPECT_EQ(a.GetRect(), b.GetRect());
  EXPECT_EQ(a.GetBoundingRect(), b.GetBoundingRect());
  EXPECT_EQ(a.GetInputCount(), b.GetInputCount());
  EXPECT_EQ(a.GetOutputCount(), b.GetOutputCount());
  for (int pin = 0; pin < a.GetInputCount(); ++pin) EXPECT_EQ(a.GetInputPinPoint(pin), b.GetInputPinPoint(pin));
  for (int pin = 0; pin < a.GetOutputCount(); ++pin) EXPECT_EQ(a.GetOutputPinPoint(pin), b.GetOutputPinPoint(pin));
  EXPECT_EQ(a.GetInputPinLabels(), b.GetInputPinLabels());
  EXPECT_EQ(a.GetOutputPinLabels(), b.GetOutputPinLabels());
  EXPECT_EQ(a.IsMoveLocked(), b.IsMoveLocked());
  EXPECT_EQ(a.ArePinsShown(), b.ArePinsShown());
  for (int pin = 0; pin < 4; ++pin) EXPECT_EQ(a.GetInputValue(pin), b.GetInputValue(pin));
  const auto* ta = dynamic_cast<const CModelTestDevice*>(&a);
  const auto* tb = dynamic_cast<const CModelTestDevice*>(&b);
  ASSERT_NE(ta, nullptr);
  ASSERT_NE(tb, nullptr);
  EXPECT_EQ(ta->m_level, tb->m_level);
  EXPECT_EQ(ta->m_text, tb->m_text);
}

// The document's objects that the tests made, in list order.
std::vector<CBaseDevice*> TestObjects(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> out;
  for (CBaseDevice* object : doc.GetAllObjects()) {
    if (dynamic_cast<CModelTestDevice*>(object)) out.push_back(object);
  }
  return out;
}

// Connections compared by the peers' positions in the documents.
void ExpectSameConnections(const CSelvantisDoc& a, const CSelvantisDoc& b) {
  const std::vector<CBaseDevice*> oa = TestObjects(a);
  const std::vector<CBaseDevice*> ob = TestObjects(b);
  ASSERT_EQ(oa.size(), ob.size());
  auto indexIn = [](const std::vector<CBaseDevice*>& list, const CBaseDevice* object) {
    return object == nullptr ? -1 : static_cast<int>(std::find(list.begin(), list.end(), object) - list.begin());
  };
  auto same = [&](const std::vector<ConnectionRecord>& ra, const std::vector<ConnectionRecord>& rb) {
    ASSERT_EQ(ra.size(), rb.size());
    for (size_t i = 0; i < ra.size(); ++i) {
      EXPECT_EQ(indexIn(oa, ra[i].pPeer), indexIn(ob, rb[i].pPeer));
      EXPECT_EQ(ra[i].nPeerPin, rb[i].nPeerPin);
      EXPECT_EQ(ra[i].nOwnPin, rb[i].nOwnPin);
      EXPECT_EQ(ra[i].nPeerCategory, rb[i].nPeerCategory);
      EXPECT_EQ(indexIn(oa, ra[i].pOwner), indexIn(ob, rb[i].pOwner));
    }
  };
  for (size_t i = 0; i < oa.size(); ++i) {
    same(oa[i]->GetInputConnections(), ob[i]->GetInputConnections());
    same(oa[i]->GetOutputConnections(), ob[i]->GetOutputConnections());
  }
}

}  // namespace

TEST(ProjectFileTest, RoundTripKeepsEveryFieldAndConnection) {
  SampleProject sample;
  const QByteArray bytes = SaveProject(sample.doc);
  CSelvantisDoc loaded;
  const ProjectFileResult result = TryLoadProject(loaded, bytes);
  ASSERT_TRUE(result.ok) << result.message.toStdString();

  EXPECT_EQ(loaded.GetUpgradeFlag(), 1);
  EXPECT_EQ(loaded.GetProjectData(0), QStringLiteral("Airport \u00b5 Hall"));
  EXPECT_EQ(loaded.GetProjectData(1), QString());
  EXPECT_EQ(loaded.GetProjectData(2), QStringLiteral("Installer"));
  EXPECT_EQ(loaded.GetPassword(), QStringLiteral("secret"));
  EXPECT_EQ(loaded.GetFileVersion(), CSelvantisDoc::kFileVersion);
  EXPECT_FALSE(loaded.IsModified());

  // Loading also adds the fixed objects the project lacks; compare the
  // sample's own objects.
  const std::vector<CBaseDevice*> before = TestObjects(sample.doc);
  const std::vector<CBaseDevice*> after = TestObjects(loaded);
  ASSERT_EQ(before.size(), after.size());
  for (size_t i = 0; i < before.size(); ++i) {
    SCOPED_TRACE(before[i]->GetName().toStdString());
    ExpectSameObject(*before[i], *after[i]);
    EXPECT_EQ(after[i]->GetDocument(), &loaded);
    EXPECT_EQ(after[i]->GetSchema(), CModelTestDevice::kSchema);
  }
  ExpectSameConnections(sample.doc, loaded);

  // Pools and paths are rebuilt.
  CBaseDevice* console = loaded.GetIDManager().GetBaseDevice(1, DT_CONSOLE);
  ASSERT_NE(console, nullptr);
  EXPECT_EQ(loaded.FindObjectByPath("/CONS/ADR1"), console);
  EXPECT_EQ(loaded.GetIDManager().GetBaseDevice(0, DT_GROUP)->GetName(), QStringLiteral("ALL"));
  const ConnectionRecord* second = console->FindInputConnection(MakeConsolePin(-5, 2));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(ConsolePinPort(second->nOwnPin), -5);
  EXPECT_EQ(ConsolePinGroupSlot(second->nOwnPin), 2);
  const ConnectionRecord* mark = console->FindInputConnection(7);
  ASSERT_NE(mark, nullptr);
  EXPECT_TRUE(mark->IsNoObjectPeer());
  EXPECT_EQ(mark->nPeerPin, -1);

  // Writing the loaded project and loading it again gives the same bytes.
  const QByteArray again = SaveProject(loaded);
  CSelvantisDoc reloaded;
  ASSERT_TRUE(TryLoadProject(reloaded, again).ok);
  EXPECT_EQ(SaveProject(reloaded), again);
}

TEST(ProjectFileTest, PathsAndAfterLoadRunInListOrder) {
  SampleProject sample;
  sample.doc.MoveInList(sample.pad, 0);  // the pad before the card in list 12
  const QByteArray bytes = SaveProject(sample.doc);
  CModelTestDevice::AfterLoadOrder().clear();
  CSelvantisDoc loaded;
  ASSERT_TRUE(TryLoadProject(loaded, bytes).ok);
  const std::vector<CBaseDevice*> all = TestObjects(loaded);
  EXPECT_EQ(CModelTestDevice::AfterLoadOrder(), std::vector<const CBaseDevice*>(all.begin(), all.end()));
  EXPECT_EQ(loaded.GetObjectList(CAT_ENTRIES)[0]->GetName(), QStringLiteral("DA label"));
}

TEST(ProjectFileTest, OlderRecordsAreConvertedByTheirSchema) {
  CSelvantisDoc doc;
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES, "Old");
  zone->m_level = 5;
  zone->m_text = "gone";
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // The document writes through its own archive; write the old record by hand.
    CArchive ar(&buffer, CArchive::store);
    ar.WriteBytes(CProjectFile::kSignature, sizeof(CProjectFile::kSignature));
    ar << uint32_t(956);
    ar << uint16_t(1) << int32_t(0) << QStringList() << QString();
    ar.SetStoreSchemaOverride("CModelTestDevice", 1);
    for (int category = CAT_FIRST; category <= CAT_LAST; ++category) {
      ar.WriteCount(category == CAT_ZONES ? 1 : 0);
      if (category == CAT_ZONES) ar.WriteObject(zone);
    }
    ar << CProjectFile::kConnectionsMarker;
    ar.WriteCount(0);
    ar.WriteCount(0);
    ar << CProjectFile::kEndMarker;
  }
  CSelvantisDoc loaded;
  const ProjectFileResult result = TryLoadProject(loaded, bytes);
  ASSERT_TRUE(result.ok) << result.message.toStdString();
  auto* old = dynamic_cast<CModelTestDevice*>(loaded.GetFirstObject(CAT_ZONES));
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(old->GetSchema(), 1);
  EXPECT_EQ(old->m_level, CModelTestDevice::kOldLevel);
  EXPECT_EQ(old->m_text, QString());
  EXPECT_EQ(old->m_loadedFileVersion, 956);
  EXPECT_EQ(loaded.GetFileVersion(), 956);
  EXPECT_EQ(CSelvantisDoc::GetLoadingFileVersion(), 0);
}

TEST(ProjectFileTest, RecordsAskingForAFreshIdentifierGetOneThatNoStoredRecordUses) {
  CSelvantisDoc doc;
  auto makeCard = [&doc](const QString& name) {
    auto card = std::make_unique<CModelTestCard>();
    card->Create(0, 5, 5, name, QRect(), CAT_ENTRIES, 0, 3, &doc);
    return doc.Adopt(std::move(card));
  };
  CModelTestCard* a = makeCard("A");  // 1
  CModelTestCard* b = makeCard("B");  // 2
  // Another record of the same type that keeps its identifier 1.
  CSelvantisDoc other;
  CModelTestDevice* keeper = AddTestObject(other, DT_KCM212, CAT_ENTRIES, "Keeper");
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    CArchive ar(&buffer, CArchive::store);
    ar.WriteBytes(CProjectFile::kSignature, sizeof(CProjectFile::kSignature));
    ar << uint32_t(CSelvantisDoc::kFileVersion) << uint16_t(1) << int32_t(0) << QStringList() << QString();
    ar.SetStoreSchemaOverride("CModelTestCard", 1);
    for (int category = CAT_FIRST; category <= CAT_LAST; ++category) {
      ar.WriteCount(category == CAT_ENTRIES ? 3 : 0);
      if (category != CAT_ENTRIES) continue;
      ar.WriteObject(b);  // old records: stored identifiers 2 and 1 are not kept
      ar.WriteObject(a);
      ar.WriteObject(keeper);
    }
    ar << CProjectFile::kConnectionsMarker;
    for (int i = 0; i < 6; ++i) ar.WriteCount(0);
    ar << CProjectFile::kEndMarker;
  }
  CSelvantisDoc loaded;
  const ProjectFileResult result = TryLoadProject(loaded, bytes);
  ASSERT_TRUE(result.ok) << result.message.toStdString();
  const std::vector<CBaseDevice*> cards = loaded.GetObjectList(CAT_ENTRIES);
  ASSERT_EQ(cards.size(), 3u);
  EXPECT_EQ(cards[2]->GetName(), QStringLiteral("Keeper"));
  EXPECT_EQ(cards[2]->GetID(), 1);
  EXPECT_EQ(cards[0]->GetID(), 2);
  EXPECT_EQ(cards[1]->GetID(), 3);
  EXPECT_EQ(loaded.GetIDManager().GetCount(DT_KCM212), 3);
}

TEST(ProjectFileTest, OneSidedConnectionsAreCompletedOnLoad) {
  CSelvantisDoc doc;
  CModelTestDevice* a = AddTestObject(doc, DT_AMPLIFIER, CAT_AMPLIFIERS);
  CModelTestDevice* b = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  a->AddOutputConnection(2, b, 0, CAT_ZONES);      // no mirror at b
  b->AddInputConnection(1, a, 3, CAT_AMPLIFIERS);  // no mirror at a
  CSelvantisDoc loaded;
  ASSERT_TRUE(TryLoadProject(loaded, SaveProject(doc)).ok);
  CBaseDevice* la = loaded.GetFirstObject(CAT_AMPLIFIERS);
  CBaseDevice* lb = loaded.GetFirstObject(CAT_ZONES);
  ASSERT_EQ(la->GetOutputConnections().size(), 2u);
  ASSERT_EQ(lb->GetInputConnections().size(), 2u);
  ASSERT_NE(lb->FindInputConnectionExact(0, la, 2, CAT_AMPLIFIERS), nullptr);
  const ConnectionRecord* added = la->FindOutputConnection(3);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->pPeer, lb);
  EXPECT_EQ(added->nPeerPin, 1);
  EXPECT_EQ(added->nPeerCategory, CAT_ZONES);
}

TEST(ProjectFileTest, ForeignEmptyNewerAndDuplicateFilesAreRefused) {
  SampleProject sample;
  const QByteArray good = SaveProject(sample.doc);

  // Changed with a matching checksum, as a program would write them.
  QByteArray newer = good;
  newer[8] = char(0xE9);  // version 1001
  newer[9] = char(0x03);
  newer = CProjectFile::WithMatchingChecksum(newer);

  QByteArray unknownClass = good;
  const int at = unknownClass.indexOf("CModelTestDevice");
  ASSERT_GE(at, 0);
  unknownClass[at + 15] = 'X';
  unknownClass = CProjectFile::WithMatchingChecksum(unknownClass);
  const QByteArray content = good.left(good.size() - CProjectFile::kTrailerBytes);

  CSelvantisDoc twice;
  CModelTestDevice* first = AddTestObject(twice, DT_ZONE, CAT_ZONES);
  CModelTestDevice* second = AddTestObject(twice, DT_ZONE, CAT_ZONES);
  second->ForceStoredID(first->GetID());
  const QByteArray duplicate = SaveProject(twice);
  second->ForceStoredID(2);

  CSelvantisDoc outside;
  AddTestObject(outside, DT_ZONE, CAT_ZONES)->ForceStoredID(101);
  const QByteArray outOfPool = SaveProject(outside);
  outside.GetFirstObject(CAT_ZONES)->ChangeID(1);

  struct Row {
    const char* what;
    QByteArray bytes;
    const char* message;
  };
  const Row rows[] = {
      {"empty", QByteArray(), "not a project file"},
      {"text", QByteArray("Hello, this is a text file and no project."), "not a project file"},
      {"newer", newer, "1001"},
      {"unknown class", unknownClass, "CModelTestDevicX"},
      {"duplicate identifier", duplicate, "used twice"},
      {"identifier outside the pool", outOfPool, "used twice"},
      {"last byte missing", good.left(good.size() - 1), "damaged"},
      {"last byte before the checksum missing", content.left(content.size() - 1), "ends too early"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CSelvantisDoc doc;
    const ProjectFileResult result = TryLoadProject(doc, row.bytes);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(QLatin1String(row.message))) << result.message.toStdString();
  }
}

TEST(ProjectFileTest, EveryTruncationIsRefusedAndLeavesTheDocumentAsItWas) {
  SampleProject sample;
  const QByteArray good = SaveProject(sample.doc);
  CSelvantisDoc doc;
  CModelTestDevice* keep = AddTestObject(doc, DT_ZONE, CAT_ZONES, "Keep me");
  doc.SetPathName("/nowhere/Current.sxm");
  for (int size = 0; size < good.size(); ++size) {
    // Without its checksum trailer the file is whole, as older versions
    // wrote it (tested in projectchecksum_test).
    if (size == good.size() - CProjectFile::kTrailerBytes) continue;
    const ProjectFileResult result = TryLoadProject(doc, good.left(size));
    ASSERT_FALSE(result.ok) << "size " << size;
  }
  EXPECT_EQ(doc.GetAllObjects(), std::vector<CBaseDevice*>{keep});
  EXPECT_EQ(doc.GetIDManager().GetBaseDevice(1, DT_ZONE), keep);
  EXPECT_EQ(doc.GetPathName(), QStringLiteral("/nowhere/Current.sxm"));
  EXPECT_TRUE(doc.IsModified());
}

TEST(ProjectFileTest, RandomlyDamagedFilesNeverCrashTheLoader) {
  // The damage is given a matching checksum, so that it reaches the records
  // (a wrong checksum refuses the file before any record is read).
  SampleProject sample;
  const QByteArray good = SaveProject(sample.doc);
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byteValue(0, 255);
  int refused = 0;
  for (int round = 0; round < 1500; ++round) {
    QByteArray bytes = good;
    std::uniform_int_distribution<int> position(0, bytes.size() - 1);
    const int changes = 1 + round % 4;
    for (int i = 0; i < changes; ++i) {
      const int at = position(random);
      switch (round % 3) {
        case 0: bytes[at] = char(byteValue(random)); break;
        case 1: bytes[at] = char(0xFF); break;
        default: bytes.remove(at, 1 + byteValue(random) % 8); break;
      }
      if (bytes.isEmpty()) break;
      position = std::uniform_int_distribution<int>(0, bytes.size() - 1);
    }
    CSelvantisDoc doc;
    const ProjectFileResult result = TryLoadProject(doc, CProjectFile::WithMatchingChecksum(bytes));
    if (!result.ok) {
      ++refused;
      EXPECT_FALSE(result.message.isEmpty());
      EXPECT_EQ(doc.GetTotalObjectCount(), 0);
    } else {
      // Whatever was taken must be a consistent document.
      for (CBaseDevice* object : doc.GetAllObjects()) EXPECT_EQ(object->GetDocument(), &doc);
    }
  }
  EXPECT_GT(refused, 0);
}

TEST(ProjectFileTest, OpenFailureShowsAMessageAndKeepsTheOpenProject) {
  QTemporaryDir dir;
  const QString bad = dir.filePath("bad.sxm");
  {
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("SELVSXM\x1A garbage");
  }
  CSelvantisDoc doc;
  CModelTestDevice* keep = AddTestObject(doc, DT_ZONE, CAT_ZONES, "Keep me");
  MessageRecorder messages;
  EXPECT_FALSE(doc.OnOpenDocument(bad));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains("bad.sxm"));
  EXPECT_TRUE(doc.Contains(keep));
  EXPECT_FALSE(doc.OnOpenDocument(dir.filePath("missing.sxm")));
  EXPECT_EQ(messages.Requests().size(), 2u);
  EXPECT_TRUE(doc.Contains(keep));
}

TEST(ProjectFileTest, SaveReplacesTheFileAndKeepsTheOldOneAsBackup) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Plant.sxm");
  CSelvantisDoc doc;
  AddTestObject(doc, DT_ZONE, CAT_ZONES, "First");
  ASSERT_TRUE(doc.OnSaveDocument(path));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetPathName(), path);
  EXPECT_EQ(doc.GetTitle(), QStringLiteral("Plant.sxm"));
  EXPECT_FALSE(QFile::exists(dir.filePath("Plant.bak")));

  QFile firstFile(path);
  ASSERT_TRUE(firstFile.open(QIODevice::ReadOnly));
  const QByteArray first = firstFile.readAll();
  firstFile.close();

  doc.GetFirstObject(CAT_ZONES)->Rename("Second");
  ASSERT_TRUE(doc.OnSaveDocument(path));
  QFile backup(dir.filePath("Plant.bak"));
  ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
  EXPECT_EQ(backup.readAll(), first);

  CSelvantisDoc reopened;
  ASSERT_TRUE(reopened.OnOpenDocument(path));
  EXPECT_EQ(reopened.GetFirstObject(CAT_ZONES)->GetName(), QStringLiteral("Second"));
  EXPECT_EQ(reopened.GetPathName(), path);
}

TEST(ProjectFileTest, AFailedSaveLeavesTheOldFileAndTheModifiedFlag) {
  QTemporaryDir dir;
  CSelvantisDoc doc;
  AddTestObject(doc, DT_ZONE, CAT_ZONES);
  MessageRecorder messages;
  EXPECT_FALSE(doc.OnSaveDocument(dir.filePath("no/such/folder/x.sxm")));
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(doc.GetPathName().isEmpty());
  EXPECT_EQ(CSelvantisDoc::BackupPathFor("/a/b/Plant.SXM"), QStringLiteral("/a/b/Plant.bak"));
  EXPECT_EQ(CSelvantisDoc::BackupPathFor("/a/b/plant"), QStringLiteral("/a/b/plant.bak"));
}
