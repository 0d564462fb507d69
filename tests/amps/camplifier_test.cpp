// The amplifier model: the type table, bus addresses and global channel
// numbers, model changes and the project-file record with its old schemas.

#include "amps/camplifier.h"
#include "ampstestsupport.h"
#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/commandids.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/modelstrings.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <memory>

using ampstest::AddPeer;
using ampstest::PeerStandIn;

namespace {

constexpr int kAmv5120 = 33007;      // 1 output, not addressable
constexpr int kAmv5410x4 = 33079;    // 4 outputs, not addressable
constexpr int kAmv5411x4 = 33074;    // 4 outputs, addressable
constexpr int kAmv5411x2 = 33078;    // 2 outputs, addressable
constexpr int kAmv5411_112 = 33077;  // 3 outputs, addressable

CAmplifier* AddAmp(CSelvantisDoc& doc, int kind, const QRect& rect = QRect(0, 0, 60, 80)) {
  auto amp = std::make_unique<CAmplifier>();
  if (!amp->Create(kind, 1, 1, QString(), rect, CAT_AMPLIFIERS, 0, CBaseDevice::TF_NAME, &doc)) return nullptr;
  return doc.Adopt(std::move(amp));
}

TEST(CAmplifierTest, TypeTableLookupsStopAtTheEndRow) {
  for (int i = 0; i < 18; ++i) {
    const AmpTypeInfo* row = CAmplifier::GetTypeRow(i);
    ASSERT_NE(row, nullptr) << i;
    EXPECT_EQ(row->index, i);
    EXPECT_GE(row->outputs, 1);
    EXPECT_LE(row->outputs, 4);
    EXPECT_EQ(CAmplifier::FindTypeRow(row->kind), row);
  }
  EXPECT_EQ(CAmplifier::GetTypeRow(18), nullptr);  // the end row
  EXPECT_EQ(CAmplifier::GetTypeRow(19), nullptr);
  EXPECT_EQ(CAmplifier::GetTypeRow(-1), nullptr);
  EXPECT_EQ(CAmplifier::FindTypeRow(12345)->kind, kAmpKindNotUsed);
  EXPECT_EQ(CAmplifier::FindTypeRow(kAmpKindNotUsed)->kind, kAmpKindNotUsed);

  CAmplifier unknown;
  unknown.SetKind(12345);  // refused: not a model
  EXPECT_EQ(unknown.GetTypeIndex(), 0);
  CAmplifier amp;
  amp.SetKind(kAmv5411x4);
  EXPECT_EQ(amp.GetTypeIndex(), 17);
  EXPECT_EQ(amp.GetOutputPower(3), 100);
  EXPECT_EQ(amp.GetOutputPower(4), 0);
  EXPECT_EQ(ModelString(static_cast<uint32_t>(CAmplifier::GetTypeRow(0)->kind)), QStringLiteral("AMV5120"));
}

TEST(CAmplifierTest, AddressableAmplifiersNumberTheirOutputsInAddressOrder) {
  CSelvantisDoc doc;
  CAmplifier* a = AddAmp(doc, kAmv5411x4);
  CAmplifier* b = AddAmp(doc, kAmv5411x2);
  CAmplifier* c = AddAmp(doc, kAmv5411_112);
  CAmplifier* plain = AddAmp(doc, kAmv5120);
  ASSERT_TRUE(a && b && c && plain);
  EXPECT_EQ(a->GetAddress(), 0);
  EXPECT_EQ(b->GetAddress(), 1);
  EXPECT_EQ(c->GetAddress(), 2);
  EXPECT_EQ(plain->GetAddress(), CAmplifier::kNoAddress);

  // 4 outputs of the first and 2 of the second come before the third.
  EXPECT_EQ(c->GetGlobalChannel(0), 7);
  EXPECT_EQ(c->GetGlobalChannel(2), 9);
  EXPECT_EQ(a->GetGlobalChannel(0), 1);
  EXPECT_EQ(b->GetGlobalChannel(1), 6);
  EXPECT_EQ(plain->GetGlobalChannel(0), -1);
  EXPECT_EQ(doc.GetIDManager().GetAmpChannelName(7), c->GetName() + QStringLiteral(" CH1"));
  EXPECT_EQ(doc.GetIDManager().GetAmpChannelName(6), b->GetName() + QStringLiteral(" CH2"));

  // The order is the bus address, not the identifier.
  a->SetAddress(0, 5);
  EXPECT_EQ(b->GetGlobalChannel(0), 1);
  EXPECT_EQ(a->GetGlobalChannel(0), 6);
}

TEST(CAmplifierTest, NewAmplifierTakesTheLowestFreeAddress) {
  CSelvantisDoc doc;
  CAmplifier* a = AddAmp(doc, kAmv5411x4);
  CAmplifier* b = AddAmp(doc, kAmv5411x4);
  CAmplifier* c = AddAmp(doc, kAmv5411x4);
  ASSERT_TRUE(a && b && c);
  b->SetAddress(0, 7);  // addresses 0 and 2 stay taken
  CAmplifier* d = AddAmp(doc, kAmv5411x4);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->GetAddress(), 1);
  CAmplifier* plain = AddAmp(doc, kAmv5120);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->GetAddress(), -1);
  EXPECT_EQ(d->GetAddress(true), 1);  // the other form always answers 1
  EXPECT_EQ(a->GetAddress(true), 1);
}

TEST(CAmplifierTest, SetAddressKeepsOnlyBusAddresses) {
  CSelvantisDoc doc;
  CAmplifier* amp = AddAmp(doc, kAmv5411x4);
  ASSERT_NE(amp, nullptr);
  amp->SetAddress(0, 0x2A);
  struct Row {
    int column;
    int address;
  };
  for (const Row& row : {Row{0, 64}, Row{0, -1}, Row{0, 1000}, Row{1, 3}}) {
    EXPECT_EQ(amp->SetAddress(row.column, row.address), 1);
    EXPECT_EQ(amp->GetAddress(), 0x2A) << row.column << " " << row.address;
  }
  EXPECT_EQ(amp->SetAddress(0, 63), 1);
  EXPECT_EQ(amp->GetAddress(), 63);
  QString text;
  amp->GetColumnText(text, 0);
  EXPECT_EQ(text, QStringLiteral("3f"));
}

TEST(CAmplifierTest, CreationPlacesTheModelRightOfThePoint) {
  CSelvantisDoc doc;
  CAmplifier* amp = AddAmp(doc, kAmv5411_112, QRect(100, 40, 60, 80));
  ASSERT_NE(amp, nullptr);
  EXPECT_EQ(amp->GetRect(), QRect(370, 40, 60, 80));
  EXPECT_EQ(amp->GetInputCount(), 3);
  EXPECT_EQ(amp->GetOutputCount(), 3);
  EXPECT_EQ(amp->GetBitmapID(), 193);
  EXPECT_EQ(amp->GetMenuID(), 216);
  EXPECT_EQ(amp->GetPath(), QStringLiteral("/AMP1"));
  EXPECT_EQ(amp->GetName(), QStringLiteral("Amplifier 1"));
  // Pins at top + k * height / (n + 1).
  EXPECT_EQ(amp->GetOutputPinPoint(0).y(), 60);
  EXPECT_EQ(amp->GetOutputPinPoint(1).y(), 80);
  EXPECT_EQ(amp->GetOutputPinPoint(2).y(), 100);
  EXPECT_LT(amp->GetInputPinPoint(0).x(), 370);
  EXPECT_GT(amp->GetOutputPinPoint(0).x(), 430);
}

TEST(CAmplifierTest, FullPoolRefusesTheAmplifier) {
  CSelvantisDoc doc;
  for (int i = 0; i < 64; ++i) ASSERT_NE(AddAmp(doc, kAmv5120), nullptr);
  MessageRecorder messages;
  EXPECT_EQ(AddAmp(doc, kAmv5411x4), nullptr);
  EXPECT_TRUE(messages.Saw(IDS_POOL_FULL));
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_AMPLIFIER), 64);
}

TEST(CAmplifierTest, ModelChangeDropsInputsAndSurplusOutputs) {
  CSelvantisDoc doc;
  CAmplifier* amp = AddAmp(doc, kAmv5410x4);
  PeerStandIn* source = AddPeer(doc);
  PeerStandIn* zones = AddPeer(doc);
  ASSERT_TRUE(amp && source && zones);
  for (int k = 0; k < 4; ++k) {
    CBaseDevice::Connect(source, k, amp, k);
    CBaseDevice::Connect(amp, k, zones, k);
  }
  const int pinY = amp->GetOutputPinPoint(0).y();
  const int paths = doc.GetPathCount();

  amp->SetKind(kAmv5120);

  EXPECT_EQ(amp->GetKind(), kAmv5120);
  EXPECT_EQ(amp->GetInputCount(), 1);
  EXPECT_EQ(amp->GetOutputCount(), 1);
  EXPECT_EQ(amp->GetBitmapID(), 150);
  EXPECT_TRUE(amp->GetInputConnections().empty());
  EXPECT_TRUE(source->GetOutputConnections().empty());  // mirrors gone too
  ASSERT_EQ(amp->GetOutputConnections().size(), 1u);
  EXPECT_EQ(amp->GetOutputConnections()[0].nOwnPin, 0);
  ASSERT_EQ(zones->GetInputConnections().size(), 1u);
  EXPECT_EQ(zones->GetInputConnections()[0].nOwnPin, 0);
  // The first output keeps its height, the path is there once.
  EXPECT_EQ(amp->GetOutputPinPoint(0).y(), pinY);
  EXPECT_EQ(doc.GetPathCount(), paths);
  EXPECT_EQ(doc.FindObjectByPath(QStringLiteral("/AMP1")), amp);
  EXPECT_EQ(amp->GetAddress(), -1);  // not addressable: keeps its address
}

TEST(CAmplifierTest, ModelChangeToAnAddressableModelTakesAFreeAddress) {
  CSelvantisDoc doc;
  CAmplifier* first = AddAmp(doc, kAmv5411x4);
  CAmplifier* amp = AddAmp(doc, kAmv5120);
  ASSERT_TRUE(first && amp);
  EXPECT_EQ(first->GetAddress(), 0);
  amp->SetKind(kAmv5411x2);
  EXPECT_EQ(amp->GetAddress(), 1);
  EXPECT_EQ(amp->GetInputCount(), 2);
  EXPECT_EQ(amp->GetGlobalChannel(0), 5);
  // A kind that is not a model changes nothing.
  amp->SetKind(kAmpKindNotUsed);
  EXPECT_EQ(amp->GetKind(), kAmv5411x2);
  EXPECT_EQ(amp->GetOutputCount(), 2);
}

TEST(CAmplifierTest, DeleteCommandRemovesTheAmplifierAndItsWiring) {
  CSelvantisDoc doc;
  CAmplifier* amp = AddAmp(doc, kAmv5411x2);
  PeerStandIn* zone = AddPeer(doc);
  ASSERT_TRUE(amp && zone);
  CBaseDevice::Connect(amp, 1, zone, 0);
  CCmdUI ui(ID_DELETE_OBJECT);
  amp->OnUpdateCommandUI(ui);
  EXPECT_TRUE(ui.IsEnabled());
  EXPECT_TRUE(amp->OnCommand(ID_DELETE_OBJECT));
  EXPECT_TRUE(zone->GetInputConnections().empty());
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_AMPLIFIER), 0);
  EXPECT_EQ(doc.FindObjectByPath(QStringLiteral("/AMP1")), nullptr);
  doc.PurgeDeleted();
}

// Runs an amplifier command that may open the new topology's properties
// dialog; the dialog, if any, is cancelled.
void AmplifierRunTopologyCommand(CAmplifier* amp, int command) {
  DriveNextModal([](QWidget* w) {
    if (auto* dialog = qobject_cast<QDialog*>(w))
      dialog->reject();
    else
      w->close();
  });
  EXPECT_TRUE(amp->OnCommand(command));
  CancelModalDrivers();
}

TEST(CAmplifierTest, TopologyCommandsWireANewTopologyToTheFirstFreeOutput) {
  if (!CSelvantisDoc::HasObjectFactory(DT_RELAYTOPOLOGY)) GTEST_SKIP() << "no relay topologies in this build";
  CSelvantisDoc doc;
  CAmplifier* amp = AddAmp(doc, kAmv5411x2);
  ASSERT_NE(amp, nullptr);
  EXPECT_EQ(CAmplifier::TopologyModeOfCommand(CAmplifier::ID_TOPOLOGY_PROGPAGE), 2);
  EXPECT_EQ(CAmplifier::TopologyModeOfCommand(CAmplifier::ID_TOPOLOGY_1INN), 1);

  AmplifierRunTopologyCommand(amp, CAmplifier::ID_TOPOLOGY_1INN);
  AmplifierRunTopologyCommand(amp, CAmplifier::ID_TOPOLOGY_DIRECT);
  AmplifierRunTopologyCommand(amp, CAmplifier::ID_TOPOLOGY_PROGPAGE);  // all taken: the last output

  std::vector<CBaseDevice*> topologies;
  doc.GetIDManager().GetBaseDeviceList(topologies, DT_RELAYTOPOLOGY);
  ASSERT_EQ(topologies.size(), 3u);
  const int expectedPins[] = {0, 1, 1};
  for (size_t i = 0; i < topologies.size(); ++i) {
    const ConnectionRecord* in = topologies[i]->FindInputConnection(0);
    ASSERT_NE(in, nullptr) << i;
    EXPECT_EQ(in->pPeer, amp) << i;
    EXPECT_EQ(in->nPeerPin, expectedPins[i]) << i;
    bool mirrored = false;
    for (const ConnectionRecord& r : amp->GetOutputConnections())
      mirrored = mirrored || (r.pPeer == topologies[i] && r.nOwnPin == expectedPins[i] && r.nPeerPin == 0);
    EXPECT_TRUE(mirrored) << i;
  }
  EXPECT_EQ(topologies[0]->GetKind(), CAmplifier::ID_TOPOLOGY_1INN);
  EXPECT_EQ(topologies[2]->GetKind(), CAmplifier::ID_TOPOLOGY_PROGPAGE);
  EXPECT_EQ(amp->GetOutputConnections().size(), 3u);
  EXPECT_EQ(doc.GetObjectList(CAT_TOPOLOGIES).size(), 3u);
}

TEST(CAmplifierTest, ReportHasNameIdAndModel) {
  CSelvantisDoc doc;
  CAmplifier* amp = AddAmp(doc, kAmv5411x4);
  ASSERT_NE(amp, nullptr);
  std::vector<ReportColumn> columns;
  EXPECT_EQ(amp->GetReportColumns(columns), 1);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].position, 2);
  EXPECT_EQ(columns[1].position, 30);
  EXPECT_EQ(columns[2].position, 50);
  QStringList header, row;
  EXPECT_EQ(amp->GetReportLine(header, true), 3);
  EXPECT_EQ(header, QStringList({"Name", "ID", "Type"}));
  EXPECT_EQ(amp->GetReportLine(row, false), 3);
  EXPECT_EQ(row, QStringList({"Amplifier 1", "1", "AMV 5411 (4x1)"}));
}

TEST(CAmplifierTest, ProjectFileKeepsAddressAndModel) {
  CSelvantisDoc doc;
  CAmplifier* a = AddAmp(doc, kAmv5411x4, QRect(10, 20, 60, 80));
  CAmplifier* b = AddAmp(doc, kAmv5120, QRect(10, 200, 60, 80));
  ASSERT_TRUE(a && b);
  a->SetAddress(0, 63);
  auto back = RoundTrip(doc);
  auto* a2 = dynamic_cast<CAmplifier*>(back->GetIDManager().FindBaseDevice(1, DT_AMPLIFIER));
  auto* b2 = dynamic_cast<CAmplifier*>(back->GetIDManager().FindBaseDevice(2, DT_AMPLIFIER));
  ASSERT_TRUE(a2 && b2);
  EXPECT_EQ(a2->GetAddress(), 63);
  EXPECT_EQ(b2->GetAddress(), -1);
  EXPECT_EQ(a2->GetKind(), kAmv5411x4);
  EXPECT_EQ(a2->GetName(), a->GetName());
  EXPECT_EQ(a2->GetRect(), a->GetRect());  // schema 3 is not moved
  EXPECT_EQ(a2->GetOutputCount(), 4);
  EXPECT_EQ(a2->GetMenuID(), 216);
  EXPECT_EQ(b2->GetRect(), b->GetRect());
  EXPECT_EQ(back->FindObjectByPath(QStringLiteral("/AMP2")), b2);
}

// An amplifier record of an older program version: the base record and,
// from schema 3 on, the address.
std::unique_ptr<CSelvantisDoc> LoadOldAmplifier(int schema, bool withAddress, uint32_t address = 0) {
  CSelvantisDoc doc;
  auto old = std::make_unique<ampstest::RecordStandIn>("CAmplifier", DT_AMPLIFIER, [=](CArchive& ar) {
    if (withAddress) ar << address;
  });
  EXPECT_TRUE(old->Create(kAmv5411x4, 4, 4, QString(), QRect(10, 20, 60, 80), CAT_AMPLIFIERS, 193, 1, &doc));
  doc.Adopt(std::move(old));
  QByteArray bytes = SaveProject(doc);
  EXPECT_TRUE(PatchSchema(bytes, "CAmplifier", schema));
  return LoadProject(bytes);
}

TEST(CAmplifierTest, OlderRecordsHaveNoAddressAndOldestAreMovedRight) {
  struct Row {
    int schema;
    int left;
  };
  for (const Row& row : {Row{2, 10}, Row{1, 60}, Row{0, 60}}) {
    auto doc = LoadOldAmplifier(row.schema, false);
    auto* amp = dynamic_cast<CAmplifier*>(doc->GetIDManager().FindBaseDevice(1, DT_AMPLIFIER));
    ASSERT_NE(amp, nullptr) << row.schema;
    EXPECT_EQ(amp->GetAddress(), -1) << row.schema;
    EXPECT_EQ(amp->GetRect().left(), row.left) << row.schema;
    EXPECT_EQ(amp->GetRect().top(), 20) << row.schema;
  }
}

TEST(CAmplifierTest, StoredAddressOutsideTheBusReadsAsNone) {
  auto doc = LoadOldAmplifier(3, true, 1000);
  auto* amp = dynamic_cast<CAmplifier*>(doc->GetIDManager().FindBaseDevice(1, DT_AMPLIFIER));
  ASSERT_NE(amp, nullptr);
  EXPECT_EQ(amp->GetAddress(), -1);
  auto doc2 = LoadOldAmplifier(3, true, 0xFFFFFFFFu);
  auto* amp2 = dynamic_cast<CAmplifier*>(doc2->GetIDManager().FindBaseDevice(1, DT_AMPLIFIER));
  ASSERT_NE(amp2, nullptr);
  EXPECT_EQ(amp2->GetAddress(), -1);
  auto doc3 = LoadOldAmplifier(3, true, 17);
  auto* amp3 = dynamic_cast<CAmplifier*>(doc3->GetIDManager().FindBaseDevice(1, DT_AMPLIFIER));
  ASSERT_NE(amp3, nullptr);
  EXPECT_EQ(amp3->GetAddress(), 17);
}

}  // namespace

namespace {

TEST(CAmplifierTest, FactoryAndPlacementMakeModelsOnly) {
  CSelvantisDoc doc;
  auto made = CAmplifier::Make(doc, kAmv5411x2, QPoint(100, 40));
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetRect(), QRect(370, 40, CAmplifier::kBlockWidth, CAmplifier::kBlockHeight));
  EXPECT_EQ(made->GetAddress(), 0);
  EXPECT_EQ(CAmplifier::Make(doc, kAmpKindNotUsed, QPoint()), nullptr);
  made.reset();  // never added: its identifier is free again
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_AMPLIFIER), 0);

  CBaseDevice* byFactory = doc.CreateObject(DT_AMPLIFIER, kAmv5411_112);
  ASSERT_NE(byFactory, nullptr);
  EXPECT_EQ(byFactory->GetOutputCount(), 3);
  EXPECT_EQ(doc.CreateObject(DT_AMPLIFIER, 4711), nullptr);
}

TEST(CAmplifierTest, AddressChoicesNameTheirHolders) {
  CSelvantisDoc doc;
  CAmplifier* amp = AddAmp(doc, kAmv5411x4);
  ASSERT_NE(amp, nullptr);
  amp->SetAddress(0, 0x1F);
  SelectionRequest request;
  request.kind = 34550;
  const SelectionList list = CSelectionProvider::Global().ListChoices(&doc, request);
  ASSERT_EQ(list.choices.size(), 64u);
  EXPECT_EQ(list.choices[0x1F].columns.value(0), QStringLiteral("1f"));
  EXPECT_EQ(list.choices[0x1F].columns.value(1), amp->GetName());
  EXPECT_EQ(list.choices[0x1F].number, 0x1F);
  EXPECT_TRUE(list.choices[0].columns.value(1).isEmpty());
}

}  // namespace
