// The document: reply routing by the longest path, deletion with its
// announcement, the default system through providers, creation by kind,
// extensions, the modified flag and the active document.
#include "model/cselvantisdoc.h"
#include "model/commandids.h"
#include "modeltestdevices.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

CModelTestDevice* WithPath(CSelvantisDoc& doc, const QString& path) {
  CModelTestDevice* object = AddTestObject(doc, DT_MEMOFLAG, CAT_ENTRIES);
  object->SetCommandPath(path);
  return object;
}

}  // namespace

TEST(CSelvantisDocTest, ReplyLinesReachTheObjectWithTheLongestPath) {
  CSelvantisDoc doc;
  CModelTestDevice* cons = WithPath(doc, "/CONS");
  CModelTestDevice* adr1 = WithPath(doc, "CONS/ADR1");
  CModelTestDevice* adr12 = WithPath(doc, "CONS/ADR12");
  CModelTestDevice* zone5 = WithPath(doc, "/VMX/ZONE5");
  CModelTestDevice* audio = WithPath(doc, "AUDIO");
  QString errorFile;

  struct Row {
    const char* line;
    CModelTestDevice* target;
  };
  const Row rows[] = {
      {"/CONS/ADR12/KEY5 SEL,1", adr12},  {"/CONS/ADR1/KEY5 SEL,1", adr1},  {"/CONS/REFERENCE 1,2", cons},
      {"/CONS/ADR123/KEY1 x", cons},      {"/VMX/ZONE5/NAME Hall", zone5},  {"/VMX/ZONE5 1", zone5},
      {"/VMX/ZONE50/NAME Hall", nullptr}, {"/AUDIO/CHIME_VOL -9.0", audio}, {"/UNKNOWN/X 1", nullptr},
      {"CONS/ADR1/KEY1 x", nullptr},  // a line without its leading slash is not a reply
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    for (CModelTestDevice* o : {cons, adr1, adr12, zone5, audio}) o->m_uploads.clear();
    EXPECT_EQ(doc.RouteReplyLine(row.line, errorFile, 7), row.target != nullptr);
    for (CModelTestDevice* o : {cons, adr1, adr12, zone5, audio}) {
      if (o == row.target) {
        ASSERT_EQ(o->m_uploads.size(), 1);
        EXPECT_EQ(o->m_uploads[0], QString::fromLatin1(row.line + 1));
      } else {
        EXPECT_TRUE(o->m_uploads.isEmpty());
      }
    }
  }
}

TEST(CSelvantisDocTest, DeletionRemovesConnectionsPathAndIdentifierAndAnnouncesIt) {
  CSelvantisDoc doc;
  CModelTestDevice* amp = AddTestObject(doc, DT_AMPLIFIER, CAT_AMPLIFIERS);
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  CModelTestDevice* group = AddTestObject(doc, DT_GROUP, CAT_GROUPS);
  CBaseDevice::Connect(amp, 0, zone, 0);
  CBaseDevice::Connect(zone, 0, group, 0);
  CBaseDevice::Connect(zone, 0, group, 1);
  // A one-sided record (a misused primitive) must not survive either.
  group->AddInputConnection(7, zone, 3, CAT_ZONES);

  QSignalSpy about(&doc, &CSelvantisDoc::objectAboutToBeRemoved);
  QSignalSpy removed(&doc, &CSelvantisDoc::objectRemoved);
  bool stillThereWhenAnnounced = false;
  QObject::connect(&doc, &CSelvantisDoc::objectAboutToBeRemoved, [&](CBaseDevice* object) {
    stillThereWhenAnnounced = doc.Contains(object) && !object->GetInputConnections().empty();
  });

  EXPECT_TRUE(zone->OnCommand(ID_DELETE_OBJECT));
  EXPECT_TRUE(stillThereWhenAnnounced);
  ASSERT_EQ(about.size(), 1);
  ASSERT_EQ(removed.size(), 1);
  EXPECT_EQ(removed[0][0].toInt(), DT_ZONE);
  EXPECT_EQ(removed[0][1].toInt(), 1);
  EXPECT_FALSE(doc.Contains(zone));
  EXPECT_TRUE(amp->GetOutputConnections().empty());
  EXPECT_TRUE(group->GetInputConnections().empty());
  EXPECT_EQ(doc.FindObjectByPath("/VMX/ZONE1"), nullptr);
  EXPECT_EQ(doc.GetIDManager().FindBaseDevice(1, DT_ZONE), nullptr);
  EXPECT_EQ(doc.GetObjectCount(CAT_ZONES), 0);
  // The identifier is free again.
  EXPECT_EQ(AddTestObject(doc, DT_ZONE, CAT_ZONES)->GetID(), 1);
  // The deleted object is freed on the next turn of the event loop.
  QCoreApplication::processEvents();
}

TEST(CSelvantisDocTest, DetachedObjectsBelongToTheCallerAndCanComeBack) {
  CSelvantisDoc doc;
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  std::unique_ptr<CBaseDevice> owned = doc.DetachObject(zone);
  ASSERT_EQ(owned.get(), zone);
  EXPECT_EQ(zone->GetDocument(), nullptr);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_ZONE), 0);
  EXPECT_EQ(doc.AddObject(std::move(owned)), zone);
  EXPECT_EQ(doc.GetIDManager().FindBaseDevice(1, DT_ZONE), zone);
  EXPECT_EQ(doc.FindObjectByPath("/VMX/ZONE1"), zone);
  EXPECT_FALSE(doc.DeleteObject(nullptr));
}

TEST(CSelvantisDocTest, ObjectsOfAnotherDocumentAreNotDeletedHere) {
  CSelvantisDoc a, b;
  CModelTestDevice* zone = AddTestObject(a, DT_ZONE, CAT_ZONES);
  EXPECT_FALSE(b.DeleteObject(zone));
  EXPECT_TRUE(a.Contains(zone));
}

namespace {

// The providers are global: they act only while a test asks for them, so
// other tests keep an empty default system.
bool g_defaultSystemOn = false;
std::vector<CSelvantisDoc::FixedObjectOccasion> g_occasions;

void RegisterTestProviders() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  // Registered out of order: the order number decides.
  CSelvantisDoc::RegisterFixedObjectProvider(20, [](CSelvantisDoc& doc, CSelvantisDoc::FixedObjectOccasion when) {
    if (!g_defaultSystemOn) return;
    g_occasions.push_back(when);
    if (doc.GetIDManager().FindBaseDevice(1, DT_FUSE) == nullptr)
      AddTestObjectWithID(doc, DT_FUSE, CAT_MODULES, 1, "Fuse");
  });
  CSelvantisDoc::RegisterFixedObjectProvider(10, [](CSelvantisDoc& doc) {
    if (!g_defaultSystemOn || doc.GetIDManager().FindBaseDevice(1, DT_INFOSLOT) != nullptr) return;
    AddTestObjectWithID(doc, DT_INFOSLOT, CAT_SLOTS, 1, "VMX 7000");
    for (const char* name : {"Slot1", "Slot2"}) AddTestObject(doc, DT_AUDIOINPUTSLOT, CAT_SLOTS, name);
    for (const char* name : {"Slot3", "Slot4"}) AddTestObject(doc, DT_AUDIOOUTPUTSLOT, CAT_SLOTS, name);
    AddTestObjectWithID(doc, DT_INTERFACESLOT, CAT_SLOTS, 1, "Interface");
  });
}

class DefaultSystemScope final {
 public:
  DefaultSystemScope() {
    RegisterTestProviders();
    g_defaultSystemOn = true;
    g_occasions.clear();
  }
  ~DefaultSystemScope() { g_defaultSystemOn = false; }
};

}  // namespace

TEST(CSelvantisDocTest, NewDocumentBuildsTheDefaultSystemThroughProviders) {
  DefaultSystemScope scope;
  CSelvantisDoc doc;
  AddTestObject(doc, DT_ZONE, CAT_ZONES);
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetObjectCount(CAT_ZONES), 0);
  const std::vector<CBaseDevice*> unitSlots = doc.GetObjectList(CAT_SLOTS);
  QStringList names;
  for (CBaseDevice* slot : unitSlots) names.append(slot->GetName());
  EXPECT_EQ(names, (QStringList{"VMX 7000", "Slot1", "Slot2", "Slot3", "Slot4", "Interface", "8 I/O Control module"}));
  ASSERT_NE(doc.GetIDManager().GetBaseDevice(1, DT_FUSE), nullptr);
  ASSERT_EQ(g_occasions.size(), 1u);
  EXPECT_EQ(g_occasions[0], CSelvantisDoc::FixedObjectOccasion::NewDocument);
}

TEST(CSelvantisDocTest, ALoadedProjectGetsTheFixedObjectsItLacks) {
  QByteArray bytes;
  {
    CSelvantisDoc source;
    AddTestObject(source, DT_ZONE, CAT_ZONES, "Hall");
    bytes = SaveProject(source);
  }
  DefaultSystemScope scope;
  CSelvantisDoc doc;
  ASSERT_TRUE(LoadProject(doc, bytes));
  EXPECT_NE(doc.GetIDManager().FindBaseDevice(1, DT_FUSE), nullptr);
  ASSERT_FALSE(g_occasions.empty());
  EXPECT_EQ(g_occasions.back(), CSelvantisDoc::FixedObjectOccasion::AfterLoad);
  EXPECT_FALSE(doc.IsModified());
}

TEST(CSelvantisDocTest, CreationByKindUsesTheRegisteredFactory) {
  CSelvantisDoc::ObjectFactory real =
      CSelvantisDoc::RegisterObjectFactory(DT_APPOINT, [](CSelvantisDoc& doc, int kind) {
        auto object = std::make_unique<CModelTestDevice>(DT_APPOINT);
        if (!object->Create(kind, 1, 1, QString(), QRect(), CAT_CALENDAR, 0, 3, &doc))
          return std::unique_ptr<CBaseDevice>();
        return std::unique_ptr<CBaseDevice>(std::move(object));
      });
  CSelvantisDoc doc;
  CBaseDevice* first = doc.CreateObject(DT_APPOINT, 32806);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetKind(), 32806);
  EXPECT_EQ(first->GetCategory(), CAT_CALENDAR);
  EXPECT_EQ(doc.GetObjectList(CAT_CALENDAR), std::vector<CBaseDevice*>{first});
  EXPECT_EQ(doc.CreateObject(DT_WEEK, 0), nullptr);  // no factory

  MessageRecorder messages;
  for (int i = 1; i < 50; ++i) ASSERT_NE(doc.CreateObject(DT_APPOINT, 0), nullptr);
  EXPECT_EQ(doc.CreateObject(DT_APPOINT, 0), nullptr);  // the pool is full
  EXPECT_TRUE(messages.Saw(34207));
  CSelvantisDoc::RegisterObjectFactory(DT_APPOINT, std::move(real));
}

namespace {

class CountingExtension final : public IDocumentExtension {
 public:
  static constexpr const char* kExtensionKey = "CountingExtension";
  void Reset() override { ++resets; }
  void OnObjectRemoved(CBaseDevice&) override { ++removed; }
  int resets = 0;
  int removed = 0;
};

}  // namespace

TEST(CSelvantisDocTest, ExtensionsAreMadePerDocumentAndHearOfRemovals) {
  CSelvantisDoc::RegisterExtension(CountingExtension::kExtensionKey,
                                   [](CSelvantisDoc&) { return std::make_unique<CountingExtension>(); });
  CSelvantisDoc a, b;
  CountingExtension* ea = a.GetExtension<CountingExtension>();
  ASSERT_NE(ea, nullptr);
  EXPECT_NE(ea, b.GetExtension<CountingExtension>());
  EXPECT_EQ(a.GetExtension("NoSuchExtension"), nullptr);
  a.DeleteObject(AddTestObject(a, DT_ZONE, CAT_ZONES));
  EXPECT_EQ(ea->removed, 1);
  a.OnNewDocument();
  EXPECT_EQ(ea->resets, 1);
}

TEST(CSelvantisDocTest, TitleShowsTheModifiedMarkOnce) {
  CSelvantisDoc doc;
  doc.SetPathName("/tmp/some/Project.sxm");
  QSignalSpy modified(&doc, &CSelvantisDoc::modifiedChanged);
  EXPECT_EQ(doc.GetDisplayTitle(), QStringLiteral("Project.sxm"));
  doc.SetModifiedFlag(true);
  doc.SetModifiedFlag(true);
  EXPECT_EQ(doc.GetDisplayTitle(), QStringLiteral("Project.sxm *"));
  EXPECT_EQ(modified.size(), 1);
  doc.SetModifiedFlag(false);
  EXPECT_EQ(doc.GetDisplayTitle(), QStringLiteral("Project.sxm"));
}

TEST(CSelvantisDocTest, UpgradeFlagIsOneFlagUnderTwoNames) {
  CSelvantisDoc doc;
  EXPECT_FALSE(doc.IsBigProject());
  doc.SetUpgradeFlag(1);
  EXPECT_TRUE(doc.IsBigProject());
  EXPECT_EQ(doc.GetUpgradeFlag(), 1);
  EXPECT_EQ(doc.GetMaxDevices(DT_MACRO), 250);
}

TEST(CSelvantisDocTest, ActiveDocumentAndOnlineState) {
  EXPECT_FALSE(IsOnline());
  {
    CSelvantisDoc doc;
    SetActiveDoc(&doc);
    EXPECT_EQ(GetActiveDoc(), &doc);
    EXPECT_FALSE(IsOnline());
    CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
    doc.SetConnected(true);
    EXPECT_TRUE(IsOnline());
    std::vector<CBaseDevice*> zones;
    GetActiveDocDeviceList(zones, DT_ZONE);
    EXPECT_EQ(zones, std::vector<CBaseDevice*>{zone});
    EXPECT_EQ(GetMaxDevices(DT_MACRO), 80);
  }
  // A destroyed document is no longer the active one.
  EXPECT_EQ(GetActiveDoc(), nullptr);
  EXPECT_FALSE(IsOnline());
}

TEST(CSelvantisDocTest, FindObjectByIdLooksInOneList) {
  CSelvantisDoc doc;
  CModelTestDevice* root = AddTestObjectWithID(doc, DT_GROUP, CAT_GROUPS, 0, "ALL");
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  EXPECT_EQ(doc.FindObjectById(CAT_GROUPS, 0), root);
  EXPECT_EQ(doc.FindObjectById(CAT_ZONES, 1), zone);
  EXPECT_EQ(doc.FindObjectById(CAT_GROUPS, 1), nullptr);
  EXPECT_EQ(doc.FindObjectById(17, 1), nullptr);
  EXPECT_EQ(doc.GetIDManager().GetBaseDevice(0, DT_GROUP), root);
}
