// Relay topologies: the zones they own, the relays they assign by kind, the
// collection-call lines, the upload check, and the conversion of old
// records.

#include "amps/crelaistopology.h"
#include "amps/ccollectioncall.h"
#include "czonetestsupport.h"
#include "link/linkmode.h"
#include "model/carchive.h"
#include "model/commandids.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

using namespace zonetest;

namespace {

CRelaisTopology* TopologyAddTopology(CSelvantisDoc& doc, int kind, int zones, const QRect& at = QRect(10, 20, 0, 0)) {
  auto topology = std::make_unique<CRelaisTopology>();
  if (!topology->Create(kind, CRelaisTopology::InputCountOfKind(kind), zones, QString(), at, CAT_TOPOLOGIES, 0, 3,
                        &doc))
    return nullptr;
  return doc.Adopt(std::move(topology));
}

QString Relays(const CZone* zone) { return zone->GetColumnText(CZone::COL_RELAYS); }

}  // namespace

TEST(CRelaisTopologyTest, TablesAreBoundedAndKnowTheInputs) {
  EXPECT_EQ(CRelaisTopology::GetKindRow(0)->kind, CRelaisTopology::KIND_DIRECT);
  EXPECT_EQ(CRelaisTopology::GetKindRow(1)->picture, 3);
  EXPECT_EQ(CRelaisTopology::GetKindRow(2)->inputs, 2);
  for (int index : {-1, 3, 4, 8, 9}) EXPECT_EQ(CRelaisTopology::GetKindRow(index), nullptr) << index;
  EXPECT_EQ(CRelaisTopology::FindKindRow(CRelaisTopology::KIND_NIN1)->kind, CRelaisTopology::KIND_END);
  EXPECT_EQ(CRelaisTopology::InputCountOfKind(CRelaisTopology::KIND_NIN1), 4);
  EXPECT_EQ(CRelaisTopology::InputCountOfKind(CRelaisTopology::KIND_PROGPAGE), 2);
  EXPECT_EQ(CRelaisTopology::InputCountOfKind(CRelaisTopology::KIND_1INN), 1);
  EXPECT_EQ(CRelaisTopology::GetInputTypeRow(1)->stringId, 32787);
  EXPECT_EQ(CRelaisTopology::GetInputTypeRow(8)->stringId, 0);
  EXPECT_EQ(CRelaisTopology::GetInputTypeRow(9), nullptr);
}

TEST(CRelaisTopologyTest, OneInNCreatesItsZonesInTheRootGroupWithOneRelayEach) {
  CSelvantisDoc doc;
  CGroup* root = CGroup::EnsureRoot(doc);
  CRelaisTopology* topology = TopologyAddTopology(doc, CRelaisTopology::KIND_1INN, 3);
  ASSERT_NE(topology, nullptr);
  // 150 units right of the point asked for, or as little further right as
  // keeps it off the root group.
  EXPECT_EQ(topology->GetRect().size(), QSize(100, 105));
  EXPECT_EQ(topology->GetRect().top(), 20);
  EXPECT_GE(topology->GetRect().left(), 160);
  EXPECT_LE(topology->GetRect().left(), 160 + root->GetBoundingRect().width() + 20);
  EXPECT_FALSE(topology->GetBoundingRect().intersects(root->GetBoundingRect()));
  EXPECT_EQ(topology->GetInputCount(), 1);
  EXPECT_EQ(topology->GetOutputCount(), 3);
  EXPECT_EQ(topology->GetZoneCount(), 3);
  EXPECT_EQ(topology->GetName(), "Topology 1");
  EXPECT_EQ(topology->GetMenuID(), 236);
  const std::vector<CZone*> zones = topology->GetZones();
  ASSERT_EQ(zones.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    CZone* zone = zones[size_t(i)];
    EXPECT_EQ(topology->GetZoneOnPin(i), zone);
    EXPECT_EQ(zone->FindInputConnection(0)->pPeer, topology);
    EXPECT_EQ(zone->FindInputConnection(0)->nPeerPin, i);
    EXPECT_EQ(zone->FindOutputConnectionOfType(0, DT_GROUP)->pPeer, root);
    EXPECT_EQ(Relays(zone), QString::number(i + 1));
  }
  EXPECT_EQ(topology->Download(false, -1), 0);  // not a collection call
}

TEST(CRelaisTopologyTest, AmplifierMenuAddsATopologyOnItsFirstFreeOutput) {
  CSelvantisDoc doc;
  CAmplifier* amp = AddAmplifier(doc, kAmpBus2);
  // The new topology's properties dialog opens; it is cancelled.
  DriveNextModal([](QWidget* w) { w->close(); });
  ASSERT_TRUE(amp->OnCommand(CAmplifier::ID_TOPOLOGY_PROGPAGE));
  CancelModalDrivers();
  auto* topology = dynamic_cast<CRelaisTopology*>(doc.GetIDManager().FindBaseDevice(1, DT_RELAYTOPOLOGY));
  ASSERT_NE(topology, nullptr);
  EXPECT_EQ(topology->GetKind(), CRelaisTopology::KIND_PROGPAGE);
  EXPECT_EQ(topology->GetInputCount(), 2);
  EXPECT_EQ(topology->GetZones().size(), 1u);
  EXPECT_EQ(topology->FindInputConnection(0)->pPeer, amp);
  EXPECT_EQ(Relays(topology->GetZones()[0]), "1,2");
  EXPECT_EQ(doc.CreateObject(DT_RELAYTOPOLOGY, 12345), nullptr);
}

TEST(CRelaisTopologyTest, ZoneLimitRefusesTheTopologyAndLeavesNothing) {
  CSelvantisDoc doc;
  MessageRecorder messages;
  AddZones(doc, 98);
  auto topology = std::make_unique<CRelaisTopology>();
  EXPECT_FALSE(topology->Create(CRelaisTopology::KIND_1INN, 1, 3, QString(), QRect(), CAT_TOPOLOGIES, 0, 3, &doc));
  topology.reset();
  EXPECT_TRUE(messages.Saw(32773));
  EXPECT_EQ(doc.GetObjectCount(CAT_ZONES), 98);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_ZONE), 98);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_RELAYTOPOLOGY), 0);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_RELAY), 0);
}

TEST(CRelaisTopologyTest, ShrinkingDeletesTheLastZonesAndGrowingMakesNewOnes) {
  CSelvantisDoc doc;
  MessageRecorder messages;
  CRelaisTopology* topology = TopologyAddTopology(doc, CRelaisTopology::KIND_1INN, 5);
  const std::vector<CZone*> before = topology->GetZones();
  topology->ChangeKind(CRelaisTopology::KIND_1INN, 3);
  EXPECT_EQ(topology->GetOutputCount(), 3);
  EXPECT_EQ(topology->GetRect().height(), 105);
  EXPECT_EQ(doc.GetObjectCount(CAT_ZONES), 3);
  EXPECT_FALSE(doc.Contains(before[3]));
  EXPECT_FALSE(doc.Contains(before[4]));
  EXPECT_TRUE(doc.Contains(before[2]));
  topology->ChangeKind(CRelaisTopology::KIND_1INN, 5);
  EXPECT_EQ(doc.GetObjectCount(CAT_ZONES), 5);
  ASSERT_NE(topology->GetZoneOnPin(3), nullptr);
  ASSERT_NE(topology->GetZoneOnPin(4), nullptr);
  EXPECT_EQ(topology->GetZoneOnPin(0), before[0]);
  // A kind change that would pass 100 zones keeps the count.
  AddZones(doc, 94);
  topology->ChangeKind(CRelaisTopology::KIND_NIN1, 7);
  EXPECT_TRUE(messages.Saw(32773));
  EXPECT_EQ(topology->GetOutputCount(), 5);
  EXPECT_EQ(topology->GetKind(), CRelaisTopology::KIND_NIN1);
  EXPECT_EQ(topology->GetInputCount(), 4);
}

TEST(CRelaisTopologyTest, NInOneCountsFourRelaysPerZoneFromTheFirst) {
  CSelvantisDoc doc;
  CRelaisTopology* topology = TopologyAddTopology(doc, CRelaisTopology::KIND_NIN1, 2);
  const std::vector<CZone*> zones = topology->GetZones();
  EXPECT_EQ(Relays(zones[0]), "1,2,3,4");
  topology->AssignRelays(10);
  EXPECT_EQ(Relays(zones[0]), "10,11,12,13");
  EXPECT_EQ(Relays(zones[1]), "14,15,16,17");
  // The relays of the creation are free again.
  for (int n = 1; n <= 8; ++n) EXPECT_EQ(RelayR(doc, n)->FindInputConnection(0), nullptr) << n;
  EXPECT_EQ(topology->GetFirstRelay(), 10);
}

TEST(CRelaisTopologyTest, ProgramPageCountsProgramAndPageRelaysApart) {
  CSelvantisDoc doc;
  CRelaisTopology* topology = TopologyAddTopology(doc, CRelaisTopology::KIND_PROGPAGE, 2);
  topology->SetFirstRelays(30, 40);
  topology->AssignRelays(30);
  const std::vector<CZone*> zones = topology->GetZones();
  EXPECT_EQ(zones[0]->GetRelayNumber(1), 30);
  EXPECT_EQ(zones[1]->GetRelayNumber(1), 31);
  EXPECT_EQ(zones[0]->GetRelayNumber(2), 40);
  EXPECT_EQ(zones[1]->GetRelayNumber(2), 41);
}

TEST(CRelaisTopologyTest, OneInNReassignsOneRelayPerZoneAndSkipsTakenRelays) {
  CSelvantisDoc doc;
  CRelaisTopology* topology = TopologyAddTopology(doc, CRelaisTopology::KIND_1INN, 3);
  CZone* stranger = AddZone(doc);
  stranger->GetOrCreateRelay(21, CRelais::KIND_ZONE, true);
  CBaseDevice::Connect(stranger, 1, RelayR(doc, 21), 0);
  topology->AssignRelays(20);
  const std::vector<CZone*> zones = topology->GetZones();
  EXPECT_EQ(Relays(zones[0]), "20");
  EXPECT_EQ(Relays(zones[1]), "22");
  EXPECT_EQ(Relays(zones[2]), "23");
  // "Direct" gives none.
  CRelaisTopology* direct = TopologyAddTopology(doc, CRelaisTopology::KIND_DIRECT, 1);
  EXPECT_EQ(Relays(direct->GetZones()[0]), "0");
  direct->AssignRelays(5);
  EXPECT_EQ(Relays(direct->GetZones()[0]), "0");
  EXPECT_EQ(direct->Download(false, -1), 0);
}

TEST(CRelaisTopologyTest, DeletingDeletesItsZones) {
  CSelvantisDoc doc;
  CRelaisTopology* topology = TopologyAddTopology(doc, CRelaisTopology::KIND_1INN, 2);
  const std::vector<CZone*> zones = topology->GetZones();
  CAmplifier* amp = AddAmplifier(doc, kAmpPlain2);
  CBaseDevice::Connect(amp, 0, topology, 0);
  EXPECT_TRUE(topology->OnCommand(ID_DELETE_OBJECT));
  EXPECT_FALSE(doc.Contains(topology));
  for (CZone* zone : zones) EXPECT_FALSE(doc.Contains(zone));
  EXPECT_TRUE(amp->GetOutputConnections().empty());
  EXPECT_FALSE(AnyRecordPointsAt(doc, topology));
}

namespace {

void WriteList(CArchive& ar, const std::vector<uint32_t>& list) {
  ar.WriteCount(uint32_t(list.size()));
  for (uint32_t v : list) ar << v;
}

// A topology record as an older program wrote it, with its zones wired to
// it (and the collection calls saved), loaded into a new document.
struct OldTopology {
  int schema = 2;
  int kind = CRelaisTopology::KIND_1INN;
  int zones = 0;
  uint32_t inputType = 0;
  uint32_t collCall = 0;
  std::vector<uint32_t> relays;
  bool firstCallTaken = false;
  int topologies = 1;

  std::unique_ptr<CSelvantisDoc> Load() const {
    CSelvantisDoc doc;
    CCollectionCall::EnsureAll(doc);
    const OldTopology row = *this;
    for (int t = 0; t < topologies; ++t) {
      auto old = std::make_unique<ampstest::RecordStandIn>("CRelaisTopology", DT_RELAYTOPOLOGY, [row](CArchive& ar) {
        ar << uint32_t(row.zones) << row.inputType << uint32_t(0) << row.collCall;
        if (row.schema < 2) {
          WriteList(ar, row.relays);
          WriteList(ar, {});
        }
      });
      EXPECT_TRUE(old->Create(kind, CRelaisTopology::InputCountOfKind(kind), zones, QString(),
                              QRect(0, 200 * t, 100, 35), CAT_TOPOLOGIES, 0, 3, &doc));
      CBaseDevice* topology = doc.Adopt(std::move(old));
      for (int i = 0; i < zones; ++i) CBaseDevice::Connect(topology, i, AddZone(doc), 0);
    }
    if (firstCallTaken) {
      CBaseDevice::Connect(doc.GetIDManager().FindBaseDevice(1, DT_COLLCALL), 0, AddRelay(doc, CRelais::KIND_COLLCALL),
                           0);
    }
    QByteArray bytes = SaveProject(doc);
    EXPECT_TRUE(PatchSchema(bytes, "CRelaisTopology", schema));
    return LoadProject(bytes);
  }
};

CRelaisTopology* Topology(CSelvantisDoc& doc, int id) {
  return dynamic_cast<CRelaisTopology*>(doc.GetIDManager().FindBaseDevice(id, DT_RELAYTOPOLOGY));
}

CRelaisTopology* Topology1(CSelvantisDoc& doc) { return Topology(doc, 1); }

}  // namespace

TEST(CRelaisTopologyTest, CollectionCallTopologySendsItsCollectionCallsRelayAndItsZones) {
  RecordingLink link;
  OldTopology old;
  old.inputType = CRelaisTopology::INPUT_COLLCALL;
  old.collCall = 3;
  auto doc = old.Load();
  CRelaisTopology* topology = Topology1(*doc);
  ASSERT_NE(topology, nullptr);
  EXPECT_EQ(topology->GetCollCallNumber(), 3);
  EXPECT_EQ(topology->GetPath(), "/VMX/COLLCALL3");
  EXPECT_EQ(doc->FindObjectByPath("/VMX/COLLCALL3"), topology);
  EXPECT_EQ(CRelaisManager::Of(doc.get())->GetTopology(3), topology);
  EXPECT_EQ(topology->Download(false, -1), 2);
  EXPECT_EQ(topology->Download(false, 0), 1);
  EXPECT_EQ(topology->Download(false, 1), 2);
  EXPECT_EQ(topology->Download(false, 2), 2);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/VMX/COLLCALL3/RELAY 0", "/VMX/COLLCALL3/ZONES 0"}));

  // The relay is the one of collection call 3.
  auto* call = dynamic_cast<CCollectionCall*>(doc->GetIDManager().FindBaseDevice(3, DT_COLLCALL));
  CZone* zone = AddZone(*doc);
  CBaseDevice::Connect(call, 0, zone->GetOrCreateRelay(12, CRelais::KIND_COLLCALL, true), 0);
  CBaseDevice::Connect(topology, 0, zone, 0);
  EXPECT_EQ(topology->Download(false, 0), 1);
  EXPECT_EQ(topology->Download(false, 1), 2);
  EXPECT_EQ(topology->Download(true, 0), 1);
  EXPECT_EQ(link.TakeLines(),
            (QStringList{"/VMX/COLLCALL3/RELAY 12", "/VMX/COLLCALL3/ZONES 1", "/VMX/COLLCALL3/RELAY ?"}));
  link.SetOutBufferCount(512);
  EXPECT_EQ(topology->Download(false, 1), 1);
}

TEST(CRelaisTopologyTest, UploadCheckWritesOneMismatchLineAndChangesNothing) {
  MessageRecorder messages;
  OldTopology old;
  old.inputType = CRelaisTopology::INPUT_COLLCALL;
  old.collCall = 3;
  auto doc = old.Load();
  CRelaisTopology* topology = Topology1(*doc);
  QTemporaryDir dir;
  QString error = dir.filePath("site.err");
  // The topology owns the path: the collection call sees nothing (it would
  // show a message box).
  EXPECT_TRUE(doc->RouteReplyLine("/VMX/COLLCALL3/RELAY 5", error, LINKMODE_UPLOAD));
  EXPECT_TRUE(doc->RouteReplyLine("/VMX/COLLCALL3/ZONES 0", error, LINKMODE_UPLOAD));
  EXPECT_FALSE(doc->RouteReplyLine("/VMX/COLLCALL3/ZONES 4", error, LINKMODE_NORMAL));
  EXPECT_FALSE(doc->RouteReplyLine("/VMX/COLLCALL3/RELAY ?", error, LINKMODE_UPLOAD));
  QFile file(error);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("ERROR: /VMX/COLLCALL3/RELAY >>5<< should be >>0<<\r\n"));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_EQ(topology->GetRelayText(), "0");
}

TEST(CRelaisTopologyTest, DeletingReleasesTheCollectionCallNumberAndPath) {
  OldTopology old;
  old.inputType = CRelaisTopology::INPUT_COLLCALL;
  old.collCall = 3;
  old.zones = 1;
  auto doc = old.Load();
  CRelaisTopology* topology = Topology1(*doc);
  ASSERT_NE(topology, nullptr);
  EXPECT_TRUE(topology->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(CRelaisManager::Of(doc.get())->GetTopology(3), nullptr);
  EXPECT_EQ(doc->FindObjectByPath("/VMX/COLLCALL3"), doc->GetIDManager().FindBaseDevice(3, DT_COLLCALL));
  EXPECT_EQ(doc->GetObjectCount(CAT_ZONES), 0);
}

TEST(CRelaisTopologyTest, InputTypeOutsideTheTableReadsAsNotUsed) {
  OldTopology old;
  old.inputType = 99;
  old.collCall = 4;
  auto doc = old.Load();
  CRelaisTopology* topology = Topology1(*doc);
  ASSERT_NE(topology, nullptr);
  EXPECT_EQ(topology->GetInputType(), 0);
  EXPECT_EQ(topology->GetCollCallNumber(), 0);
  EXPECT_TRUE(topology->GetPath().isEmpty());
  EXPECT_EQ(doc->FindObjectByPath("/VMX/COLLCALL4"), doc->GetIDManager().FindBaseDevice(4, DT_COLLCALL));
  // Another input type drops the number too.
  OldTopology common = old;
  common.inputType = CRelaisTopology::INPUT_COMMON_P;
  auto doc2 = common.Load();
  EXPECT_EQ(Topology1(*doc2)->GetCollCallNumber(), 0);
}

TEST(CRelaisTopologyTest, OldCollectionCallTopologyHandsItsRelayToTheFirstFreeCollectionCall) {
  OldTopology old;
  old.schema = 1;
  old.zones = 2;
  old.inputType = CRelaisTopology::INPUT_COLLCALL;
  old.collCall = 2;
  old.relays = {12};
  old.firstCallTaken = true;
  auto doc = old.Load();
  CRelaisTopology* topology = Topology1(*doc);
  ASSERT_NE(topology, nullptr);
  CRelais* relay = RelayR(*doc, 12);
  ASSERT_NE(relay, nullptr);
  EXPECT_EQ(relay->GetKind(), CRelais::KIND_COLLCALL);
  CBaseDevice* second = doc->GetIDManager().FindBaseDevice(2, DT_COLLCALL);
  EXPECT_EQ(second->FindOutputConnection(0)->pPeer, relay);
  for (CZone* zone : topology->GetZones()) {
    ASSERT_NE(zone->FindOutputConnection(CZone::kLegacyCollCallPin), nullptr);
    EXPECT_EQ(zone->FindOutputConnection(CZone::kLegacyCollCallPin)->pPeer, second);
  }
  EXPECT_EQ(static_cast<CCollectionCall*>(second)->GetZonesText(), "1-2");
  // The conversion leaves the topology without input type, number or path.
  EXPECT_EQ(topology->GetInputType(), 0);
  EXPECT_EQ(topology->GetCollCallNumber(), 0);
  EXPECT_TRUE(topology->GetPath().isEmpty());
  EXPECT_EQ(doc->FindObjectByPath("/VMX/COLLCALL2"), second);
  EXPECT_TRUE(topology->GetLegacyRelays().empty());
}

TEST(CRelaisTopologyTest, OldSeparatePRelaysGoToTheirZonesAndExtraEntriesAreSkipped) {
  OldTopology old;
  old.schema = 1;
  old.zones = 2;
  old.inputType = CRelaisTopology::INPUT_SEPARATE_P;
  old.relays = {7, 0, 9};
  auto doc = old.Load();
  const std::vector<CZone*> zones = Topology1(*doc)->GetZones();
  ASSERT_EQ(zones.size(), 2u);
  EXPECT_EQ(zones[0]->GetColumnText(CZone::COL_PRIO_RELAY), "7");
  EXPECT_EQ(RelayR(*doc, 7)->GetKind(), CRelais::KIND_PRELAY);
  EXPECT_EQ(zones[1]->FindOutputConnection(CZone::kPrioCallPin), nullptr);

  OldTopology common = old;
  common.inputType = CRelaisTopology::INPUT_COMMON_P;
  common.relays = {(1u << 28) | 4};
  auto doc2 = common.Load();
  for (CZone* zone : Topology1(*doc2)->GetZones()) {
    EXPECT_EQ(zone->GetColumnText(CZone::COL_PRIO_RELAY), "4");
    EXPECT_EQ(zone->GetColumnText(CZone::COL_PRIO_TYPE), "209");
  }
}

TEST(CRelaisTopologyTest, OldDAndERelaysAreNoLongerSupported) {
  for (uint32_t type : {4u, 5u, 6u}) {
    MessageRecorder messages;
    OldTopology old;
    old.schema = 1;
    old.zones = 1;
    old.inputType = type;
    old.relays = {3};
    auto doc = old.Load();
    ASSERT_EQ(messages.Requests().size(), 1u) << type;
    EXPECT_EQ(messages.Requests()[0].text,
              "Topology 1: \nD and E relay are no more supported!\nReplace them with priocall- or allcall relay!");
    EXPECT_EQ(Topology1(*doc)->GetInputType(), 0);
    EXPECT_EQ(RelayR(*doc, 3), nullptr);
  }
}

TEST(CRelaisTopologyTest, ProjectFileKeepsKindAndZones) {
  CSelvantisDoc doc;
  CRelaisTopology* topology = TopologyAddTopology(doc, CRelaisTopology::KIND_NIN1, 2);
  auto back = RoundTrip(doc);
  CRelaisTopology* loaded = Topology1(*back);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetKind(), CRelaisTopology::KIND_NIN1);
  EXPECT_EQ(loaded->GetZoneCount(), 2);
  EXPECT_EQ(loaded->GetInputCount(), 4);
  EXPECT_EQ(loaded->GetInputType(), 0);
  ASSERT_EQ(loaded->GetZones().size(), 2u);
  EXPECT_EQ(Relays(loaded->GetZones()[1]), Relays(topology->GetZones()[1]));
  EXPECT_TRUE(loaded->GetPath().isEmpty());
}

namespace {

// Two collection-call topologies of an older project that share number 3.
OldTopology SharingNumber3(int zones) {
  OldTopology old;
  old.inputType = CRelaisTopology::INPUT_COLLCALL;
  old.collCall = 3;
  old.zones = zones;
  old.topologies = 2;
  return old;
}

}  // namespace

TEST(CRelaisTopologyTest, TwoTopologiesOfOneCollectionCallNumberBothSendAndTheUserIsTold) {
  MessageRecorder messages;
  RecordingLink link;
  auto doc = SharingNumber3(2).Load();
  CRelaisTopology* first = Topology(*doc, 1);
  CRelaisTopology* second = Topology(*doc, 2);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  ASSERT_EQ(second->GetCollCallNumber(), 3);
  // One message when the project is loaded, naming both.
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains(first->GetName()));
  EXPECT_TRUE(messages.Requests()[0].text.contains(second->GetName()));
  EXPECT_TRUE(messages.Requests()[0].text.contains("3"));

  // The second keeps its path and sends its own zones.
  EXPECT_EQ(second->GetPath(), "/VMX/COLLCALL3");
  for (CRelaisTopology* topology : {first, second}) {
    ASSERT_EQ(topology->Download(false, -1), 2) << topology->GetID();
    for (int step = 0; step < 2;) step = topology->Download(false, step);
  }
  const QString firstZones = first->GetZonesText();
  const QString secondZones = second->GetZonesText();
  ASSERT_NE(firstZones, secondZones);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/VMX/COLLCALL3/RELAY 0", "/VMX/COLLCALL3/ZONES " + firstZones,
                                           "/VMX/COLLCALL3/RELAY 0", "/VMX/COLLCALL3/ZONES " + secondZones}));
  // The first holds the number and answers the unit's replies.
  EXPECT_EQ(CRelaisManager::Of(doc.get())->GetTopology(3), first);
  EXPECT_EQ(doc->FindObjectByPath("/VMX/COLLCALL3"), first);
}

TEST(CRelaisTopologyTest, DeletingTheHolderOfACollectionCallNumberHandsItToTheOtherTopology) {
  MessageRecorder messages;
  const OldTopology old = SharingNumber3(1);
  auto doc = old.Load();
  CRelaisTopology* first = Topology(*doc, 1);
  CRelaisTopology* second = Topology(*doc, 2);
  ASSERT_TRUE(first && second);
  // The one that does not hold the number goes: the holder keeps it all.
  EXPECT_TRUE(second->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(CRelaisManager::Of(doc.get())->GetTopology(3), first);
  EXPECT_EQ(doc->FindObjectByPath("/VMX/COLLCALL3"), first);
  // Loaded again, and the holder goes: the other one takes number and path.
  auto again = old.Load();
  first = Topology(*again, 1);
  second = Topology(*again, 2);
  EXPECT_TRUE(first->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(CRelaisManager::Of(again.get())->GetTopology(3), second);
  EXPECT_EQ(again->FindObjectByPath("/VMX/COLLCALL3"), second);
}
