// The base object: creation in a pool, naming rules, connections kept in step
// at both ends, upstream traces over cyclic wiring, upload splitting and the
// download step protocol.
#include "model/cbasedevice.h"
#include "model/ccmdui.h"
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/ipainter.h"
#include "modeltestdevices.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Every record must have its mirror at the peer (except the "no object" mark).
void ExpectMirrored(const CSelvantisDoc& doc) {
  for (CBaseDevice* object : doc.GetAllObjects()) {
    for (const ConnectionRecord& r : object->GetOutputConnections()) {
      ASSERT_NE(r.pPeer, nullptr);
      const auto& in = r.pPeer->GetInputConnections();
      EXPECT_TRUE(std::any_of(in.begin(), in.end(),
                              [&](const ConnectionRecord& m) {
                                return m.pPeer == object && m.nOwnPin == r.nPeerPin && m.nPeerPin == r.nOwnPin;
                              }))
          << object->GetName().toStdString() << " output " << r.nOwnPin;
    }
    for (const ConnectionRecord& r : object->GetInputConnections()) {
      if (r.pPeer == nullptr) continue;
      const auto& out = r.pPeer->GetOutputConnections();
      EXPECT_TRUE(std::any_of(out.begin(), out.end(),
                              [&](const ConnectionRecord& m) {
                                return m.pPeer == object && m.nOwnPin == r.nPeerPin && m.nPeerPin == r.nOwnPin;
                              }))
          << object->GetName().toStdString() << " input " << r.nOwnPin;
    }
  }
}

}  // namespace

TEST(CBaseDeviceTest, CreateTakesTheNextIdentifierNamesAndRegistersTheObject) {
  CSelvantisDoc doc;
  doc.SetModifiedFlag(false);
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  ASSERT_NE(zone, nullptr);
  EXPECT_EQ(zone->GetID(), 1);
  EXPECT_EQ(zone->GetName(), QStringLiteral("Zone 1"));
  EXPECT_EQ(zone->GetPath(), QStringLiteral("/VMX/ZONE1"));
  EXPECT_EQ(doc.GetIDManager().GetBaseDevice(1, DT_ZONE), zone);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(zone->GetInputCount(), 1);
  EXPECT_EQ(zone->GetInputPinPoint(0).x(), zone->GetRect().left() - CBaseDevice::kPinSize / 2);
}

TEST(CBaseDeviceTest, DefaultNamesComeFromTheCategoryOrFromTheKindInMixedCategories) {
  CSelvantisDoc doc;
  EXPECT_EQ(AddTestObject(doc, DT_AMPLIFIER, CAT_AMPLIFIERS)->GetName(), QStringLiteral("Amplifier 1"));
  EXPECT_EQ(AddTestObject(doc, DT_CONSOLE, CAT_CONSOLES)->GetName(), QStringLiteral("Console 1"));
  // 32806 is "Macro" in the string table: an entry of category 12 takes its kind's text.
  EXPECT_EQ(AddTestObject(doc, DT_MEMOFLAG, CAT_ENTRIES, QString(), 32806)->GetName(), QStringLiteral("Macro 1"));
  EXPECT_EQ(AddTestObject(doc, DT_MEMOFLAG, CAT_ENTRIES, QStringLiteral("Given"))->GetName(), QStringLiteral("Given"));
}

TEST(CBaseDeviceTest, FullPoolShowsMessage34207AndCreatesNothing) {
  CSelvantisDoc doc;
  ASSERT_NE(AddTestObject(doc, DT_INFOSLOT, CAT_SLOTS), nullptr);
  MessageRecorder messages;
  auto second = std::make_unique<CModelTestDevice>(DT_INFOSLOT);
  EXPECT_FALSE(second->Create(0, 0, 0, QString(), QRect(), CAT_SLOTS, 0, 0, &doc));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].id, 34207u);
  EXPECT_TRUE(messages.Requests()[0].text.startsWith("Cannot create this device !"));
  EXPECT_EQ(second->GetID(), 0);
  EXPECT_EQ(second->GetDocument(), nullptr);
  second.reset();  // nothing of it may stay in the pool
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_INFOSLOT), 1);
}

TEST(CBaseDeviceTest, AnObjectGivenUpAfterCreateLeavesNothingBehind) {
  CSelvantisDoc doc;
  {
    auto zone = std::make_unique<CModelTestDevice>(DT_ZONE);
    ASSERT_TRUE(zone->Create(0, 1, 1, QString(), QRect(), CAT_ZONES, 0, 0, &doc));
    EXPECT_EQ(doc.FindObjectByPath("/VMX/ZONE1"), zone.get());
  }
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_ZONE), 0);
  EXPECT_EQ(doc.FindObjectByPath("/VMX/ZONE1"), nullptr);
}

TEST(CBaseDeviceTest, CreateWithIdTakesOnlyAFreeIdentifierOfThePool) {
  CSelvantisDoc doc;
  MessageRecorder messages;
  CModelTestDevice* cond = AddTestObjectWithID(doc, DT_CONDITION, CAT_ENTRIES, 17, "17 *");
  ASSERT_NE(cond, nullptr);
  EXPECT_EQ(cond->GetID(), 17);
  EXPECT_EQ(cond->GetPath(), QString());  // category 12 has no path
  EXPECT_EQ(AddTestObjectWithID(doc, DT_CONDITION, CAT_ENTRIES, 17), nullptr);
  EXPECT_EQ(AddTestObjectWithID(doc, DT_CONDITION, CAT_ENTRIES, 251), nullptr);
  EXPECT_EQ(AddTestObjectWithID(doc, DT_CONDITION, CAT_ENTRIES, 0), nullptr);
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_CONDITION), 1);
}

TEST(CBaseDeviceTest, CommandPathsFollowTypeAndCategory) {
  CSelvantisDoc doc;
  EXPECT_EQ(AddTestObject(doc, DT_AMPLIFIER, CAT_AMPLIFIERS)->GetPath(), QStringLiteral("/AMP1"));
  EXPECT_EQ(AddTestObject(doc, DT_CONSOLE, CAT_CONSOLES)->GetPath(), QStringLiteral("CONS/ADR1"));
  EXPECT_EQ(AddTestObjectWithID(doc, DT_GROUP, CAT_GROUPS, 0)->GetPath(), QStringLiteral("/VMX/CLEAR"));
  EXPECT_EQ(AddTestObject(doc, DT_GROUP, CAT_GROUPS)->GetPath(), QStringLiteral("/GROUP1"));
  EXPECT_EQ(AddTestObject(doc, DT_LANGROUP, CAT_MISC)->GetPath(), QStringLiteral("/VMX/LANGRP1"));
  EXPECT_EQ(AddTestObject(doc, DT_COLLCALL, CAT_TOPOLOGIES)->GetPath(), QStringLiteral("/VMX/COLLCALL1"));
  EXPECT_EQ(AddTestObject(doc, DT_FUSE, CAT_MODULES)->GetPath(), QStringLiteral("/FUSE"));
  EXPECT_EQ(AddTestObject(doc, DT_MONITOR, CAT_MODULES)->GetPath(), QStringLiteral("/MONI"));
  EXPECT_EQ(AddTestObject(doc, DT_SPAREAMP, CAT_MODULES)->GetPath(), QStringLiteral("/SPAREAMP"));
  EXPECT_EQ(AddTestObject(doc, DT_MESSAGEREC, CAT_MODULES)->GetPath(), QStringLiteral("/RECORDER"));
  EXPECT_EQ(AddTestObject(doc, DT_PILOTTONEGEN, CAT_MODULES)->GetPath(), QStringLiteral("/PILOT"));
  EXPECT_EQ(AddTestObject(doc, DT_POWERMANAGEMENT, CAT_MODULES)->GetPath(), QStringLiteral("/POWER"));
  EXPECT_EQ(AddTestObject(doc, DT_INTERNALSLOT, CAT_SLOTS, QString(), 33087)->GetPath(), QStringLiteral("/SERVICE"));
  EXPECT_EQ(AddTestObject(doc, DT_INTERNALSLOT, CAT_SLOTS, QString(), 1)->GetPath(), QString());
  // The console's path has no leading slash but is found with one.
  EXPECT_NE(doc.FindObjectByPath("/CONS/ADR1"), nullptr);
}

TEST(CBaseDeviceTest, SetUniqueNameRefusesEmptyNamesAndRenamesClashes) {
  CSelvantisDoc doc;
  CModelTestDevice* a = AddTestObject(doc, DT_ZONE, CAT_ZONES, "Hall");
  CModelTestDevice* b = AddTestObject(doc, DT_ZONE, CAT_ZONES, "Hall_1");
  CModelTestDevice* c = AddTestObject(doc, DT_MACRO, CAT_MACROS, "Other");
  MessageRecorder messages;

  EXPECT_FALSE(c->SetUniqueName(QString(), false));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].id, 34212u);
  EXPECT_EQ(c->GetName(), QStringLiteral("Other"));

  messages.Clear();
  EXPECT_TRUE(c->SetUniqueName("Hall", true));
  EXPECT_EQ(c->GetName(), QStringLiteral("Hall_2"));  // Hall_1 is taken as well
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].id, 34213u);
  EXPECT_EQ(messages.Requests()[0].text,
            QStringLiteral("The name Hall exists already. It will be changed into Hall_2 !"));

  messages.Clear();
  EXPECT_TRUE(c->SetUniqueName("Hall", false));
  EXPECT_TRUE(messages.Requests().empty());
  // An object never clashes with itself.
  EXPECT_TRUE(a->SetUniqueName("Hall", true));
  EXPECT_EQ(a->GetName(), QStringLiteral("Hall"));
  EXPECT_TRUE(messages.Requests().empty());
  (void)b;
}

TEST(CBaseDeviceTest, RenameRefusesEmptyAndTakenNames) {
  CSelvantisDoc doc;
  CModelTestDevice* a = AddTestObject(doc, DT_ZONE, CAT_ZONES, "Hall");
  CModelTestDevice* b = AddTestObject(doc, DT_ZONE, CAT_ZONES, "Foyer");
  MessageRecorder messages;
  EXPECT_FALSE(b->Rename("Hall", true));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].id, 34267u);
  EXPECT_TRUE(messages.Requests()[0].text.startsWith("The name 'Hall' exists yet."));
  EXPECT_EQ(b->GetName(), QStringLiteral("Foyer"));
  EXPECT_FALSE(b->Rename(QString(), true));
  EXPECT_EQ(messages.Requests().back().id, 34212u);
  messages.Clear();
  EXPECT_FALSE(b->Rename("Hall", false));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_TRUE(a->Rename("Hall", true));
  EXPECT_TRUE(b->Rename("Lobby", true));
  EXPECT_EQ(b->GetName(), QStringLiteral("Lobby"));
}

TEST(CBaseDeviceTest, ChangeIdTakesOnlyAFreeIdentifierAndReRegistersThePath) {
  CSelvantisDoc doc;
  CModelTestDevice* a = AddTestObject(doc, DT_LANGROUP, CAT_MISC);
  CModelTestDevice* b = AddTestObject(doc, DT_LANGROUP, CAT_MISC);
  MessageRecorder messages;
  EXPECT_EQ(a->ChangeID(2), 0);
  EXPECT_EQ(a->ChangeID(65), 0);
  EXPECT_EQ(a->ChangeID(9), 9);
  EXPECT_EQ(a->GetPath(), QStringLiteral("/VMX/LANGRP9"));
  EXPECT_EQ(doc.FindObjectByPath("/VMX/LANGRP1"), nullptr);
  EXPECT_EQ(doc.GetIDManager().GetNextID(DT_LANGROUP), 1);
  EXPECT_TRUE(messages.Requests().empty());
  (void)b;
}

TEST(CBaseDeviceTest, HighlightedPinsAreTakenOnlyWithinTheirRange) {
  CModelTestDevice object;
  object.SetPinCount(2, 3);
  object.SetHighlightedPins(1, 2);
  EXPECT_EQ(object.GetHighlightedInputPin(), 1);
  EXPECT_EQ(object.GetHighlightedOutputPin(), 2);
  object.SetHighlightedPins(2, -1);  // input 2 does not exist: it stays
  EXPECT_EQ(object.GetHighlightedInputPin(), 1);
  EXPECT_EQ(object.GetHighlightedOutputPin(), -1);
  object.SetHighlightedPins(-2, 3);
  EXPECT_EQ(object.GetHighlightedInputPin(), 1);
  EXPECT_EQ(object.GetHighlightedOutputPin(), -1);
}

TEST(CBaseDeviceTest, LockedObjectsMoveOnlyWhenNotMovedByTheUser) {
  CSelvantisDoc doc;
  CModelTestDevice* slot = AddTestObject(doc, DT_INTERFACESLOT, CAT_SLOTS);
  slot->SetMoveLock(true);
  const QRect before = slot->GetRect();
  slot->Move(5, 5, true);
  EXPECT_EQ(slot->GetRect(), before);
  slot->Move(5, 7, false);
  EXPECT_EQ(slot->GetRect(), before.translated(5, 7));
  EXPECT_EQ(slot->GetInputPinPoint(0).y(), before.top() + before.height() / 2 + 7);
}

TEST(CBaseDeviceTest, PinsBeyondTheDrawnCountAreOrdinaryKeys) {
  CSelvantisDoc doc;
  CModelTestDevice* card = AddTestObject(doc, DT_KCM216, CAT_ENTRIES);
  CModelTestDevice* label = AddTestObject(doc, DT_CONTROLPAD, CAT_ENTRIES);
  ASSERT_TRUE(CBaseDevice::Connect(label, 0, card, 104));
  ASSERT_NE(card->FindInputConnection(104), nullptr);
  EXPECT_EQ(card->GetInputSourceID(104), label->GetID());
  EXPECT_EQ(card->GetInputSourceName(104), label->GetName());
  EXPECT_EQ(card->GetInputSourceID(3), 0);
  EXPECT_EQ(card->GetInputSourceName(3), QString());
  // Pin points and per-input values beyond the count are answered, not indexed.
  EXPECT_EQ(card->GetInputPinPoint(104).x(), card->GetRect().left());
  EXPECT_TRUE(card->SetInputValue(104, 12));
  EXPECT_EQ(card->GetInputValue(104), 12);
  EXPECT_FALSE(card->SetInputValue(-1, 1));
  EXPECT_FALSE(card->SetInputValue(CBaseDevice::kMaxPins, 1));
  ExpectMirrored(doc);
}

TEST(CBaseDeviceTest, DisconnectOperationsRemoveBothEnds) {
  CSelvantisDoc doc;
  CModelTestDevice* a = AddTestObject(doc, DT_AMPLIFIER, CAT_AMPLIFIERS);
  CModelTestDevice* b = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  CModelTestDevice* c = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  CBaseDevice::Connect(a, 0, b, 0);
  CBaseDevice::Connect(a, 1, b, 1);
  CBaseDevice::Connect(a, 1, c, 0);
  CBaseDevice::Connect(a, 2, a, 0);  // an object wired to itself

  b->DisconnectInputPin(1);
  EXPECT_EQ(a->GetOutputConnections().size(), 3u);
  ExpectMirrored(doc);

  a->DisconnectOutputsTo(c);
  EXPECT_TRUE(c->GetInputConnections().empty());
  ExpectMirrored(doc);

  ConnectionRecord* record = a->FindOutputConnection(0);
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(a->DisconnectOutput(*record));  // the argument lives in the list
  EXPECT_TRUE(b->GetInputConnections().empty());
  ExpectMirrored(doc);

  a->RemoveAllInputConnections();  // also removes its own mirrored output
  EXPECT_TRUE(a->GetOutputConnections().empty());
  EXPECT_EQ(CBaseDevice::Disconnect(a, 0, b, 0), 0);
}

// A link may name its kind in place of the peers' lists: both records
// carry the category given, the other links keep their peers' own, and it
// comes apart at both ends like any other.
TEST(CBaseDeviceTest, ALinkWithItsOwnCategoryRecordsItAtBothEnds) {
  CSelvantisDoc doc;
  CModelTestDevice* source = AddTestObject(doc, DT_GONG, CAT_SOURCES);
  CModelTestDevice* signal = AddTestObject(doc, DT_CHIMESIGNAL, CAT_MISC);
  CModelTestDevice* macro = AddTestObject(doc, DT_MACRO, CAT_MACROS);
  EXPECT_FALSE(CBaseDevice::Connect(nullptr, 0, signal, 0, CAT_MISC));
  ASSERT_TRUE(CBaseDevice::Connect(source, 0, signal, 0, CAT_MISC));
  ASSERT_TRUE(CBaseDevice::Connect(macro, 0, signal, 1));
  ASSERT_EQ(signal->GetInputConnections().size(), 2u);
  EXPECT_EQ(signal->GetInputConnections()[0].pPeer, source);
  EXPECT_EQ(signal->GetInputConnections()[0].nPeerCategory, CAT_MISC);
  EXPECT_EQ(signal->GetInputConnections()[1].nPeerCategory, CAT_MACROS);
  ASSERT_EQ(source->GetOutputConnections().size(), 1u);
  EXPECT_EQ(source->GetOutputConnections()[0].nPeerCategory, CAT_MISC);
  EXPECT_EQ(macro->GetOutputConnections()[0].nPeerCategory, CAT_MISC);
  ExpectMirrored(doc);
  EXPECT_EQ(CBaseDevice::Disconnect(source, 0, signal, 0), 1);
  EXPECT_TRUE(source->GetOutputConnections().empty());
  ASSERT_EQ(signal->GetInputConnections().size(), 1u);
  EXPECT_EQ(signal->GetInputConnections()[0].pPeer, macro);
  ExpectMirrored(doc);
}

TEST(CBaseDeviceTest, MovingAPeerPinChangesBothRecords) {
  CSelvantisDoc doc;
  CModelTestDevice* bus = AddTestObject(doc, DT_KCM201, CAT_ENTRIES);
  CModelTestDevice* card = AddTestObject(doc, DT_KCM212, CAT_ENTRIES);
  CBaseDevice::Connect(card, 0, bus, 14);
  ASSERT_TRUE(card->MoveOutputPeerPin(0, 13));
  EXPECT_EQ(card->FindOutputConnection(0)->nPeerPin, 13);
  EXPECT_NE(bus->FindInputConnection(13), nullptr);
  EXPECT_EQ(bus->FindInputConnection(14), nullptr);
  EXPECT_FALSE(card->MoveOutputPeerPin(1, 12));
  ExpectMirrored(doc);
}

TEST(CBaseDeviceTest, NoObjectPeersAndConsolePinsAreKeptWithoutMirror) {
  CSelvantisDoc doc;
  CModelTestDevice* console = AddTestObject(doc, DT_CONSOLE, CAT_CONSOLES);
  const int pin = MakeConsolePin(-5, 3);
  console->AddNoObjectInput(pin, -1, CAT_CONSOLES);
  const ConnectionRecord* r = console->FindInputConnection(pin);
  ASSERT_NE(r, nullptr);
  EXPECT_TRUE(r->IsNoObjectPeer());
  EXPECT_EQ(ConsolePinPort(r->nOwnPin), -5);
  EXPECT_EQ(ConsolePinGroupSlot(r->nOwnPin), 3);
  EXPECT_EQ(console->GetInputSourceID(pin), 0);
  // The sign-extended form of port -5 in slot 0 decodes to the stored form.
  EXPECT_EQ(NormalizeConsolePin(static_cast<int>(0xFFFFFFFBu)), MakeConsolePin(-5, 0));
  EXPECT_EQ(NormalizeConsolePin(MakeConsolePin(-5, 2)), MakeConsolePin(-5, 2));
  console->RemoveAllInputConnections();
  EXPECT_TRUE(console->GetInputConnections().empty());
}

TEST(CBaseDeviceTest, TraceFollowsAmplifierChannelsAndStopsAtTheCategory) {
  // slot(cat 5) -out0-> amp in0, -out1-> amp in1; amp out1 -> zone in0
  CSelvantisDoc doc;
  CModelTestDevice* slot = AddTestObject(doc, DT_AUDIOOUTPUTSLOT, CAT_OUTPUTSLOTS);
  CModelTestDevice* amp = AddTestObject(doc, DT_AMPLIFIER, CAT_AMPLIFIERS);
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  CBaseDevice::Connect(slot, 0, amp, 0);
  CBaseDevice::Connect(slot, 1, amp, 1);
  CBaseDevice::Connect(amp, 1, zone, 0);

  std::vector<ConnectionRecord> records;
  zone->TraceInputPin(0, CAT_OUTPUTSLOTS, records);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].pPeer, amp);  // the connection at the pin comes first
  EXPECT_EQ(records[0].nPeerPin, 1);
  EXPECT_EQ(records[1].pPeer, slot);  // only amplifier input 1 feeds output 1
  EXPECT_EQ(records[1].nPeerPin, 1);
}

TEST(CBaseDeviceTest, TraceOverCyclicWiringEnds) {
  CSelvantisDoc doc;
  CModelTestDevice* a = AddTestObject(doc, DT_GROUP, CAT_GROUPS);
  CModelTestDevice* b = AddTestObject(doc, DT_GROUP, CAT_GROUPS);
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  CBaseDevice::Connect(a, 0, b, 0);
  CBaseDevice::Connect(b, 0, a, 0);
  CBaseDevice::Connect(zone, 0, a, 0);
  std::vector<ConnectionRecord> records;
  b->CollectUpstream(CAT_ZONES, records);
  // b <- a, a <- b (a loop: walked once), a <- zone
  ASSERT_EQ(records.size(), 3u);
  EXPECT_TRUE(
      std::any_of(records.begin(), records.end(), [zone](const ConnectionRecord& r) { return r.pPeer == zone; }));

  records.clear();
  b->CollectUpstream(CAT_ZONES, records, false);
  EXPECT_EQ(records.back().pPeer, zone);
}

TEST(CBaseDeviceTest, InputZonesAndGroupsAreListedOnce) {
  CSelvantisDoc doc;
  CModelTestDevice* macro = AddTestObject(doc, DT_MACRO, CAT_MACROS);
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  CModelTestDevice* group = AddTestObject(doc, DT_GROUP, CAT_GROUPS);
  CModelTestDevice* other = AddTestObject(doc, DT_CONDITION, CAT_ENTRIES);
  CBaseDevice::Connect(zone, 0, macro, 0);
  CBaseDevice::Connect(zone, 0, macro, 1);
  CBaseDevice::Connect(group, 0, macro, 2);
  CBaseDevice::Connect(other, 0, macro, 3);
  std::vector<CBaseDevice*> list;
  macro->GetInputZonesAndGroups(list);
  EXPECT_EQ(list, (std::vector<CBaseDevice*>{zone, group}));
}

TEST(CBaseDeviceTest, UploadLinesAreSplitUnderTheObjectsOwnPath) {
  struct Row {
    const char* path;
    const char* line;
    bool ok;
    const char* key;
    const char* value;
  };
  const Row rows[] = {
      {"/VMX/ZONE5", "VMX/ZONE5/NAME Hall 2", true, "/NAME", "Hall 2"},
      {"/VMX/ZONE5", "VMX/ZONE5/NAME ?", false, "", ""},
      {"/VMX/ZONE5", "VMX/ZONE5/NAME ??", true, "/NAME", "??"},
      {"/VMX/ZONE5", "VMX/ZONE50/NAME x", false, "", ""},
      {"CONS/ADR12", "CONS/ADR12/KEY5 SEL,1", true, "/KEY5", "SEL,1"},
      {"/FUSE", "FUSE/SLOT2/B/VALUE 3", true, "/SLOT2/B/VALUE", "3"},
      {"/FUSE", "FUSE/SLOT1", true, "/SLOT1", ""},
      {"AUDIO", "AUDIO/BACK_ATT  -127", true, "/BACK_ATT", " -127"},
      {"", "FUSE/A 1", false, "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    QString key, value;
    EXPECT_EQ(CModelTestDevice::SplitUploadLine(row.line, row.path, &key, &value), row.ok);
    if (!row.ok) continue;
    EXPECT_EQ(key, QString::fromLatin1(row.key));
    EXPECT_EQ(value, QString::fromLatin1(row.value));
  }
}

TEST(CBaseDeviceTest, DownloadStepsWaitWhileTheOutputBufferIsFull) {
  CSelvantisDoc doc;
  CSelvantisDoc otherDoc;
  SetActiveDoc(&otherDoc);  // sends belong to the object's own document
  RecordingLink link;
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  zone->m_level = -12;
  zone->m_text = "Hall";

  link.SetOutBufferCount(512);
  EXPECT_EQ(zone->Download(false, 0), 0);
  EXPECT_TRUE(link.Calls().empty());
  link.SetOutBufferCount(511);
  EXPECT_EQ(zone->Download(false, 0), 1);
  EXPECT_EQ(zone->Download(false, 1), 2);
  EXPECT_EQ(zone->Download(true, 1), 2);
  ASSERT_EQ(link.Calls().size(), 3u);
  EXPECT_EQ(link.Calls()[0].command, QStringLiteral("/VMX/ZONE1/LEVEL -12"));
  EXPECT_EQ(link.Calls()[0].doc, &doc);
  EXPECT_FALSE(link.Calls()[0].shorten);
  EXPECT_EQ(link.Calls()[1].command, QStringLiteral("/VMX/ZONE1/TEXT Hall"));
  EXPECT_TRUE(link.Calls()[1].shorten);
  EXPECT_EQ(link.Calls()[2].command, QStringLiteral("/VMX/ZONE1/TEXT ?"));
  SetActiveDoc(nullptr);
}

TEST(CBaseDeviceTest, ObjectsWithoutPathSendNothing) {
  CSelvantisDoc doc;
  RecordingLink link;
  CModelTestDevice* entry = AddTestObject(doc, DT_CONDITION, CAT_ENTRIES);
  EXPECT_EQ(entry->Download(false, 0), 1);
  EXPECT_TRUE(link.Calls().empty());
}

TEST(CBaseDeviceTest, ConsolePathsGetTheirSlashWhenSent) {
  CSelvantisDoc doc;
  RecordingLink link;
  CModelTestDevice* console = AddTestObject(doc, DT_CONSOLE, CAT_CONSOLES);
  console->m_level = 3;
  console->Download(false, 0);
  ASSERT_EQ(link.Calls().size(), 1u);
  EXPECT_EQ(link.Calls()[0].command, QStringLiteral("/CONS/ADR1/LEVEL 3"));
}

TEST(CBaseDeviceTest, BaseDisablesDeleteAndPropertiesInItsMenu) {
  CModelTestDevice object;
  CMenuData menu;
  menu.AddItem(ID_DELETE_OBJECT, "Delete");
  menu.AddSeparator();
  menu.AddSubmenu("More").push_back(CMenuItem{ID_SHOW_PROPERTIES, "Properties", true, 0, false, {}});
  menu.AddItem(33100, "Other");
  object.UpdateMenu(menu);
  EXPECT_FALSE(menu.FindItem(ID_DELETE_OBJECT)->enabled);
  EXPECT_FALSE(menu.FindItem(ID_SHOW_PROPERTIES)->enabled);
  EXPECT_TRUE(menu.FindItem(33100)->enabled);
}

TEST(CBaseDeviceTest, PropertiesRunThroughTheHandlerOfTheType) {
  CSelvantisDoc doc;
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  // The zone's own dialog is registered by the widget library; stand in for it.
  CBaseDevice::PropertiesHandler real = CBaseDevice::SetPropertiesHandler(DT_ZONE, nullptr);
  EXPECT_FALSE(zone->ShowProperties());
  CBaseDevice* seen = nullptr;
  CBaseDevice::SetPropertiesHandler(DT_ZONE, [&seen](CBaseDevice& object) {
    seen = &object;
    return true;
  });
  EXPECT_TRUE(zone->OnCommand(ID_SHOW_PROPERTIES));
  EXPECT_EQ(seen, zone);
  CBaseDevice::SetPropertiesHandler(DT_ZONE, std::move(real));
}

namespace {

// Keeps the lines an object draws; everything else is ignored.
class LineRecorder final : public IPainter {
 public:
  std::vector<std::pair<QPoint, QPoint>> lines;

  void Save() override {}
  void Restore() override {}
  void SetPen(PaintColor, int, PenStyle) override {}
  void SetBrush(PaintColor) override {}
  void SetTextColor(PaintColor) override {}
  void SetFont(const QString&, int, bool, bool) override {}
  void DrawLine(const QPoint& from, const QPoint& to) override { lines.emplace_back(from, to); }
  void DrawPolyline(const std::vector<QPoint>&) override {}
  void DrawRect(const QRect&) override {}
  void FillRect(const QRect&, PaintColor) override {}
  void DrawEllipse(const QRect&) override {}
  void DrawText(const QRect&, const QString&, uint32_t) override {}
  void DrawText(const QPoint&, const QString&) override {}
  QSize TextExtent(const QString& text) const override { return QSize(7 * static_cast<int>(text.size()), 12); }
  void DrawBitmap(int, const QPoint&) override {}
  QSize BitmapSize(int) const override { return QSize(); }
  bool IsPrinting() const override { return false; }
};

}  // namespace

TEST(CBaseDeviceTest, DrawsWiresOnlyBetweenObjectsOnTheCanvas) {
  CSelvantisDoc doc;
  CModelTestDevice* amp = AddTestObject(doc, DT_AMPLIFIER, CAT_AMPLIFIERS);
  CModelTestDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES);
  // A relay of a list has no rectangle: no pins on the canvas.
  CModelTestDevice* relay = AddTestObjectWithID(doc, DT_RELAY, CAT_MISC, 7);
  ASSERT_TRUE(amp && zone && relay);
  ASSERT_TRUE(relay->GetRect().isEmpty());
  zone->Move(100, 0, false);
  ASSERT_TRUE(CBaseDevice::Connect(amp, 0, zone, 0));
  ASSERT_TRUE(CBaseDevice::Connect(amp, 0, relay, 0));
  ASSERT_TRUE(CBaseDevice::Connect(relay, 0, zone, 0));

  LineRecorder painter;
  amp->Draw(painter);
  ASSERT_EQ(painter.lines.size(), 1u) << "no line towards the origin for the relay";
  EXPECT_EQ(painter.lines[0], std::make_pair(amp->GetOutputPinPoint(0), zone->GetInputPinPoint(0)));

  painter.lines.clear();
  relay->Draw(painter);
  EXPECT_TRUE(painter.lines.empty()) << "an object off the canvas has no line to give";
  // The records themselves stay: only the picture leaves them out.
  EXPECT_EQ(amp->GetOutputConnections().size(), 2u);
  EXPECT_EQ(zone->GetInputConnections().size(), 2u);
}

TEST(CBaseDeviceTest, RecordPointingAtItsOwnObjectDrawsNothing) {
  CSelvantisDoc doc;
  CModelTestDevice* console = AddTestObject(doc, DT_CONSOLE, CAT_CONSOLES);
  ASSERT_NE(console, nullptr);
  ASSERT_FALSE(console->GetRect().isEmpty());
  // A key that acts on the console itself keeps a record pointing back at it.
  ASSERT_TRUE(CBaseDevice::Connect(console, 0, console, 0));

  LineRecorder painter;
  console->Draw(painter);
  EXPECT_TRUE(painter.lines.empty());
  EXPECT_EQ(console->GetOutputConnections().size(), 1u);
}
