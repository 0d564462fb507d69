// The zone model: line-test settings and their limits, the column texts the
// zone lists and the command lines read, the project-file record with the
// conversion of old relay lists, the relay helpers of the topologies, and
// what the context menu does.

#include "amps/ccollectioncall.h"
#include "amps/crelaistopology.h"
#include "czonetestsupport.h"
#include "model/carchive.h"
#include "model/ccmdui.h"
#include "model/commandids.h"
#include "model/ctext.h"
#include "model/modelstrings.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

using namespace zonetest;

namespace {

QString Column(const CZone* zone, int column) { return zone->GetColumnText(column); }

}  // namespace

TEST(CZoneTest, NewZoneHasTheLineTestDefaultsAndNoWiring) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  ASSERT_NE(zone, nullptr);
  EXPECT_EQ(zone->GetKind(), CZone::kKind);
  EXPECT_EQ(zone->GetMenuID(), 215);
  EXPECT_EQ(zone->GetPath(), "/VMX/ZONE1");
  EXPECT_EQ(zone->GetName(), "Zone 1");
  EXPECT_EQ(Column(zone, CZone::COL_POSTOL), "0");
  EXPECT_EQ(Column(zone, CZone::COL_NEGTOL), "0");
  EXPECT_EQ(Column(zone, CZone::COL_TESTVOL), "-26");
  EXPECT_EQ(Column(zone, CZone::COL_IGNORE), "NONE");
  EXPECT_EQ(Column(zone, CZone::COL_IGNORE_DISPLAY), "");
  EXPECT_EQ(Column(zone, CZone::COL_OUTPUTS), "0");
  for (int column : {CZone::COL_RELAYS, CZone::COL_PRIO_RELAY, CZone::COL_CONTROL_RELAY})
    EXPECT_EQ(Column(zone, column), "0") << column;
  EXPECT_EQ(Column(zone, CZone::COL_PRIO_TYPE), "208");
  EXPECT_EQ(Column(zone, CZone::COL_CONTROL_TYPE), "208");
  EXPECT_EQ(Column(zone, CZone::COL_LANGROUP), "OFF");
  EXPECT_EQ(Column(zone, CZone::COL_AMPCHAN), "");
  EXPECT_EQ(Column(zone, CZone::COL_AMPCHAN_NAME), "");
  EXPECT_EQ(zone->GetAmpChannel(), 0);
  EXPECT_EQ(Column(zone, 19), "");
}

TEST(CZoneTest, SetValueBuildsTheIgnoreTextAndClampsTheNumbers) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  struct Row {
    int column;
    int value;
    int stored;
    const char* text;
  };
  const Row rows[] = {
      {CZone::COL_IGNORE, 5, 5, "POSTOL,GNDFLT"},
      {CZone::COL_IGNORE, 0, 0, "NONE"},
      {CZone::COL_IGNORE, 31, 31, "POSTOL,NEGTOL,GNDFLT,OVF_U,OVF_I"},
      {CZone::COL_IGNORE, 24, 24, "OVF_U,OVF_I"},
      {CZone::COL_POSTOL, 150, 100, "100"},
      {CZone::COL_POSTOL, 42, 42, "42"},
      {CZone::COL_NEGTOL, -3, 0, "0"},
      {CZone::COL_TESTVOL, 5, 0, "0"},
      {CZone::COL_TESTVOL, -90, -78, "-78"},
      {CZone::COL_TESTVOL, -40, -40, "-40"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(zone->SetValue(row.column, row.value), row.stored) << row.column << " " << row.value;
    EXPECT_EQ(Column(zone, row.column), row.text) << row.column << " " << row.value;
  }
  // Columns without a value stay untouched.
  EXPECT_EQ(zone->SetValue(CZone::COL_RELAYS, 7), 0);
  EXPECT_EQ(Column(zone, CZone::COL_RELAYS), "0");
}

TEST(CZoneTest, SetColumnTextStoresTextsAndReadsNumbers) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  zone->SetColumnText(CZone::COL_IGNORE, "GNDFLT,OVF_I");
  EXPECT_EQ(Column(zone, CZone::COL_IGNORE), "GNDFLT,OVF_I");
  EXPECT_EQ(Column(zone, CZone::COL_IGNORE_DISPLAY), "Ground Fault,Current Error");
  zone->SetColumnText(CZone::COL_IGNORE, "NONE,POSTOL,NEGTOL,OVF_U");
  EXPECT_EQ(Column(zone, CZone::COL_IGNORE_DISPLAY), "+ Tol.,- Tol.,Voltage Error");
  zone->SetColumnText(CZone::COL_POSTOL, "55");
  zone->SetColumnText(CZone::COL_NEGTOL, "250");
  zone->SetColumnText(CZone::COL_TESTVOL, "-90 dB");
  EXPECT_EQ(zone->GetPositiveTolerance(), 55);
  EXPECT_EQ(zone->GetNegativeTolerance(), 100);
  EXPECT_EQ(zone->GetTestVolume(), -78);
  // Not a number: nothing changes.
  zone->SetColumnText(CZone::COL_POSTOL, "abc");
  EXPECT_EQ(zone->GetPositiveTolerance(), 55);
  // The values the zone list reads from the unit.
  const int texts[] = {CZone::COL_LINE_MEAS, CZone::COL_LINE_REF, CZone::COL_ADJUST, CZone::COL_IMP_MEAS,
                       CZone::COL_IMP_REF};
  for (int column : texts) zone->SetColumnText(column, Fmt("%d.5 Ohm", column));
  for (int column : texts) EXPECT_EQ(Column(zone, column), Fmt("%d.5 Ohm", column));
  // Columns built from the wiring cannot be written.
  zone->SetColumnText(CZone::COL_RELAYS, "9");
  EXPECT_EQ(Column(zone, CZone::COL_RELAYS), "0");
}

TEST(CZoneTest, IgnoreChoicesStartWithNoEntry) {
  std::vector<uint32_t> ids;
  EXPECT_EQ(CZone::ListChoices(34600, &ids), 6);
  EXPECT_EQ(ids, (std::vector<uint32_t>{34421, 34601, 34602, 34580, 34609, 34610}));
  std::vector<uint32_t> none;
  EXPECT_EQ(CZone::ListChoices(34599, &none), 0);
  EXPECT_EQ(CZone::ListChoices(34600, nullptr), 0);
}

// Output slot 1 feeds both inputs of the second amplifier on the bus (the
// first has four outputs, so the second's channels are 5 and 6).
class CZoneFeedTest : public testing::Test {
 protected:
  void SetUp() override {
    slot = AddObject(doc, DT_AUDIOOUTPUTSLOT, CAT_OUTPUTSLOTS, 2);
    first = AddAmplifier(doc, kAmpBus4);
    second = AddAmplifier(doc, kAmpBus2);
    plain = AddAmplifier(doc, kAmpPlain2);
    zone = AddZone(doc);
    ASSERT_TRUE(slot && first && second && plain && zone);
    ASSERT_EQ(first->GetAddress(), 0);
    ASSERT_EQ(second->GetAddress(), 1);
    CBaseDevice::Connect(slot, 0, second, 0);
    CBaseDevice::Connect(slot, 1, second, 1);
    CBaseDevice::Connect(slot, 0, plain, 0);
    CBaseDevice::Connect(slot, 1, plain, 1);
  }

  CSelvantisDoc doc;
  ampstest::PeerStandIn* slot = nullptr;
  CAmplifier* first = nullptr;
  CAmplifier* second = nullptr;
  CAmplifier* plain = nullptr;
  CZone* zone = nullptr;
};

TEST_F(CZoneFeedTest, ZoneOnABusAmplifierShowsOutputsAndChannel) {
  CBaseDevice::Connect(second, 1, zone, 0);
  EXPECT_EQ(Column(zone, CZone::COL_OUTPUTS), "1,2");
  EXPECT_EQ(zone->GetAmpChannel(), 6);
  EXPECT_EQ(Column(zone, CZone::COL_AMPCHAN), "6");
  EXPECT_EQ(Column(zone, CZone::COL_AMPCHAN_NAME), second->GetName() + " CH2");
  // Input 0 of the amplifier unfed: the first number is "0".
  CBaseDevice::Disconnect(slot, 0, second, 0);
  EXPECT_EQ(Column(zone, CZone::COL_OUTPUTS), "0,2");
}

TEST_F(CZoneFeedTest, ZoneBehindATopologyTakesTheAmplifierChannelOfItsInput) {
  CBaseDevice* topology = doc.CreateObject(DT_RELAYTOPOLOGY, CRelaisTopology::KIND_DIRECT);
  ASSERT_NE(topology, nullptr);
  CBaseDevice::Connect(second, 0, topology, 0);
  CZone* fed = static_cast<CRelaisTopology*>(topology)->GetZoneOnPin(0);
  ASSERT_NE(fed, nullptr);
  EXPECT_EQ(fed->GetAmpChannel(), 5);
  EXPECT_EQ(Column(fed, CZone::COL_AMPCHAN_NAME), second->GetName() + " CH1");
  // One input: the amplifier's input 0 is fed by output 1 of slot 1.
  EXPECT_EQ(Column(fed, CZone::COL_OUTPUTS), "1");
}

TEST_F(CZoneFeedTest, ZoneOnAnAmplifierOffTheBusHasNoChannel) {
  CBaseDevice::Connect(plain, 0, zone, 0);
  EXPECT_EQ(Column(zone, CZone::COL_OUTPUTS), "1,2");
  EXPECT_EQ(zone->GetAmpChannel(), 0);
  EXPECT_EQ(Column(zone, CZone::COL_AMPCHAN), "");
  EXPECT_EQ(Column(zone, CZone::COL_AMPCHAN_NAME), "");
  CBaseDevice* topology = doc.CreateObject(DT_RELAYTOPOLOGY, CRelaisTopology::KIND_DIRECT);
  CBaseDevice::Connect(plain, 1, topology, 0);
  EXPECT_EQ(static_cast<CRelaisTopology*>(topology)->GetZoneOnPin(0)->GetAmpChannel(), 0);
}

TEST(CZoneTest, RelayTypesFollowTheCardOrTheDigitalSlot) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  // "s" relay 3 on a KCM209 card as priority-call relay.
  CRelais* s3 = zone->GetOrCreateRelay(3, CRelais::KIND_CONTROL, false);
  ASSERT_NE(s3, nullptr);
  CBaseDevice::Connect(zone, CZone::kPrioCallPin, s3, 0);
  EXPECT_EQ(Column(zone, CZone::COL_PRIO_TYPE), "209");
  EXPECT_EQ(Column(zone, CZone::COL_PRIO_RELAY), "3");
  // Output 3 (pin 3) of the digital slot through a control pad as control relay.
  auto* digital = AddObject(doc, DT_DIGITALSLOT, CAT_SLOTS, 8);
  auto* pad = AddObject(doc, DT_CONTROLPAD, CAT_ENTRIES, 2);
  CBaseDevice::Connect(digital, 3, pad, 0);
  CBaseDevice::Connect(zone, CZone::kControlPin, pad, 1);
  EXPECT_EQ(Column(zone, CZone::COL_CONTROL_TYPE), "INT");
  EXPECT_EQ(Column(zone, CZone::COL_CONTROL_RELAY), "4");
  // A relay held by the digital slot is switched by the unit itself.
  CRelais* loose = AddRelay(doc, CRelais::KIND_CONTROL);
  CBaseDevice::Connect(loose, 0, digital, 0);
  zone->DisconnectOutputPin(CZone::kControlPin);
  CBaseDevice::Connect(zone, CZone::kControlPin, loose, 0);
  EXPECT_EQ(Column(zone, CZone::COL_CONTROL_TYPE), "INT");
  // "r" relays are on KCM208 cards.
  CRelais* r2 = zone->GetOrCreateRelay(2, CRelais::KIND_ZONE, true);
  zone->DisconnectOutputPin(CZone::kPrioCallPin);
  CBaseDevice::Connect(zone, CZone::kPrioCallPin, r2, 0);
  EXPECT_EQ(Column(zone, CZone::COL_PRIO_TYPE), "208");
  // Any other peer: "0".
  auto* macro = AddObject(doc, DT_MACRO, CAT_ENTRIES);
  zone->DisconnectOutputPin(CZone::kPrioCallPin);
  CBaseDevice::Connect(zone, CZone::kPrioCallPin, macro, 0);
  EXPECT_EQ(Column(zone, CZone::COL_PRIO_TYPE), "0");
  EXPECT_EQ(Column(zone, CZone::COL_PRIO_RELAY), "0");
}

TEST(CZoneTest, RelaysAndLanGroupColumnsFollowTheLinks) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  zone->GetOrCreateRelay(6, CRelais::KIND_ZONE, true);
  CBaseDevice::Connect(zone, 3, RelayR(doc, 9), 0);
  CBaseDevice::Connect(zone, 1, RelayR(doc, 6), 0);
  EXPECT_EQ(Column(zone, CZone::COL_RELAYS), "6,9");
  // Membership in another LAN group's list (its pin 1) is not the zone's own.
  CLANGroup* other = CLANGroup::CreateIn(doc, QRect());
  CBaseDevice::Connect(zone, 0, other, CLANGroup::kMemberPin);
  EXPECT_EQ(Column(zone, CZone::COL_LANGROUP), "OFF");
  CBaseDevice* own = zone->AddNewLanGroup();
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(Column(zone, CZone::COL_LANGROUP), Fmt("%d", own->GetID()));
}

namespace {

constexpr int kMeasuredColumns[] = {CZone::COL_LINE_MEAS, CZone::COL_LINE_REF, CZone::COL_ADJUST, CZone::COL_IMP_MEAS,
                                    CZone::COL_IMP_REF};

// The class tag of the zone records: new-class tag, schema, name.
QByteArray ZoneClassTag(int schema) {
  return QByteArray("\xFF\xFF", 2) + char(schema) + char(0) + char(5) + QByteArray("CZone");
}

}  // namespace

TEST(CZoneTest, ProjectFileKeepsTheSettingsAndNotWhatTheUnitMeasured) {
  CSelvantisDoc doc;
  AddZone(doc);
  CZone* zone = AddZone(doc);
  zone->SetValue(CZone::COL_TESTVOL, -78);
  zone->SetColumnText(CZone::COL_IGNORE, "GNDFLT,OVF_I");
  zone->SetValue(CZone::COL_POSTOL, 12);
  zone->SetValue(CZone::COL_NEGTOL, 34);
  for (int column : kMeasuredColumns) zone->SetColumnText(column, Fmt("%d.5", column));
  const QByteArray bytes = SaveProject(doc);
  // Schema 3 with its four settings, as every reader of the format expects.
  EXPECT_TRUE(bytes.contains(ZoneClassTag(3)));
  EXPECT_EQ(OwnRecord(*zone), Int32s({34, 12}) + QByteArray("\x0CGNDFLT,OVF_I") + Int32s({-78}));
  auto back = LoadProject(bytes);
  auto* loaded = dynamic_cast<CZone*>(back->GetIDManager().FindBaseDevice(2, DT_ZONE));
  ASSERT_NE(loaded, nullptr);
  for (int column = 0; column <= 18; ++column) {
    const bool measured =
        std::find(std::begin(kMeasuredColumns), std::end(kMeasuredColumns), column) != std::end(kMeasuredColumns);
    EXPECT_EQ(Column(loaded, column), measured ? QString() : Column(zone, column)) << column;
  }
  EXPECT_EQ(loaded->GetKind(), CZone::kKind);
  EXPECT_EQ(loaded->GetMenuID(), 215);
  EXPECT_EQ(back->FindObjectByPath("/VMX/ZONE2"), loaded);
}

TEST(CZoneTest, WhatTheUnitMeasuredIsNoChangeOfTheProject) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  doc.SetModifiedFlag(false);
  for (int column : kMeasuredColumns) zone->SetColumnText(column, "4.7");
  for (int column : kMeasuredColumns) EXPECT_EQ(Column(zone, column), "4.7") << column;
  EXPECT_FALSE(doc.IsModified());
  // A setting the unit reports differently is taken over: that is a change.
  zone->SetColumnText(CZone::COL_POSTOL, "20");
  EXPECT_TRUE(doc.IsModified());
}

// A project an earlier version saved with the measurements in its zones:
// the settings load, the old measurements are dropped, and the records
// after the zone are read in step.
TEST(CZoneTest, SchemaFourRecordLoadsItsSettingsAndDropsTheMeasurements) {
  CSelvantisDoc doc;
  CZone* first = AddZone(doc);
  first->SetValue(CZone::COL_POSTOL, 7);
  first->SetValue(CZone::COL_TESTVOL, -40);
  CZone* second = AddZone(doc);
  second->SetColumnText(CZone::COL_IGNORE, "OVF_U");
  second->SetValue(CZone::COL_NEGTOL, 55);
  QByteArray bytes = SaveProject(doc);
  // Each zone record as schema 4 wrote it: five texts after the settings.
  const QByteArray firstSettings = OwnRecord(*first);
  const QByteArray secondSettings = OwnRecord(*second);
  QByteArray measured;
  for (const char* text : {"4.7", "4.5", "3", "120", "118"}) measured += char(qstrlen(text)) + QByteArray(text);
  int at = bytes.indexOf(firstSettings);
  ASSERT_GE(at, 0);
  bytes.insert(at + firstSettings.size(), measured);
  at = bytes.indexOf(secondSettings, at + firstSettings.size() + measured.size());
  ASSERT_GE(at, 0);
  bytes.insert(at + secondSettings.size(), measured);
  ASSERT_TRUE(PatchSchema(bytes, "CZone", 4));
  auto old = LoadProject(bytes);
  ASSERT_NE(old, nullptr);
  auto* one = dynamic_cast<CZone*>(old->GetIDManager().FindBaseDevice(1, DT_ZONE));
  auto* two = dynamic_cast<CZone*>(old->GetIDManager().FindBaseDevice(2, DT_ZONE));
  ASSERT_NE(one, nullptr);
  ASSERT_NE(two, nullptr);
  EXPECT_EQ(one->GetPositiveTolerance(), 7);
  EXPECT_EQ(one->GetTestVolume(), -40);
  EXPECT_EQ(two->GetIgnoreText(), "OVF_U");
  EXPECT_EQ(two->GetNegativeTolerance(), 55);
  for (int column : kMeasuredColumns) EXPECT_EQ(Column(one, column), "") << column;
  // Saved again, the project is schema 3 throughout.
  const QByteArray again = SaveProject(*old);
  EXPECT_TRUE(again.contains(ZoneClassTag(3)));
  EXPECT_FALSE(again.contains(ZoneClassTag(4)));
}

namespace {

// A zone record as an older program wrote it.
std::unique_ptr<CSelvantisDoc> LoadOldZone(int schema, std::function<void(CArchive&)> fields) {
  CSelvantisDoc doc;
  auto old = std::make_unique<ampstest::RecordStandIn>("CZone", DT_ZONE, std::move(fields));
  EXPECT_TRUE(old->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, 212, 3, &doc));
  doc.Adopt(std::move(old));
  QByteArray bytes = SaveProject(doc);
  EXPECT_TRUE(PatchSchema(bytes, "CZone", schema));
  return LoadProject(bytes);
}

CZone* Zone1(CSelvantisDoc& doc) { return dynamic_cast<CZone*>(doc.GetIDManager().FindBaseDevice(1, DT_ZONE)); }

void ZoneWriteList(CArchive& ar, const std::vector<uint32_t>& list) {
  ar.WriteCount(uint32_t(list.size()));
  for (uint32_t v : list) ar << v;
}

}  // namespace

TEST(CZoneTest, SchemaThreeRecordHasTheFourSettingsInFileOrder) {
  auto doc = LoadOldZone(
      3, [](CArchive& ar) { ar << uint32_t(7) << uint32_t(9) << QStringLiteral("GNDFLT,OVF_I") << uint32_t(-78); });
  CZone* zone = Zone1(*doc);
  ASSERT_NE(zone, nullptr);
  EXPECT_EQ(zone->GetNegativeTolerance(), 7);
  EXPECT_EQ(zone->GetPositiveTolerance(), 9);
  EXPECT_EQ(zone->GetIgnoreText(), "GNDFLT,OVF_I");
  EXPECT_EQ(zone->GetTestVolume(), -78);
  EXPECT_EQ(zone->GetKind(), CZone::kKind);  // kind 0 becomes "Zone"
  EXPECT_EQ(Column(zone, CZone::COL_LINE_MEAS), "");
}

TEST(CZoneTest, DamagedSettingsAreBroughtIntoTheirLimits) {
  auto doc = LoadOldZone(
      3, [](CArchive& ar) { ar << uint32_t(1000) << uint32_t(-5) << QStringLiteral("NONE") << uint32_t(40); });
  CZone* zone = Zone1(*doc);
  ASSERT_NE(zone, nullptr);
  EXPECT_EQ(zone->GetNegativeTolerance(), 100);
  EXPECT_EQ(zone->GetPositiveTolerance(), 0);
  EXPECT_EQ(zone->GetTestVolume(), 0);
}

TEST(CZoneTest, SchemaTwoRecordKeepsTheDefaults) {
  auto doc = LoadOldZone(2, {});
  CZone* zone = Zone1(*doc);
  ASSERT_NE(zone, nullptr);
  EXPECT_EQ(zone->GetTestVolume(), -26);
  EXPECT_EQ(zone->GetIgnoreText(), "NONE");
  EXPECT_EQ(zone->GetPositiveTolerance(), 0);
}

TEST(CZoneTest, SchemaOneRelayListBecomesRelayLinks) {
  constexpr uint32_t kS = 1u << 28;
  auto doc = LoadOldZone(1, [](CArchive& ar) {
    for (int i = 0; i < 8; ++i) ar << uint32_t(0xEE);
    ZoneWriteList(ar, {1, 2, 3});
    ZoneWriteList(ar, {6, 7, kS | 3});
  });
  CZone* zone = Zone1(*doc);
  ASSERT_NE(zone, nullptr);
  ASSERT_NE(RelayR(*doc, 6), nullptr);
  EXPECT_EQ(zone->FindOutputConnection(1)->pPeer, RelayR(*doc, 6));
  EXPECT_EQ(zone->FindOutputConnection(2)->pPeer, RelayR(*doc, 7));
  // The third entry is the control relay, in the "s" series when bit 28 is set.
  ASSERT_NE(RelayS(*doc, 3), nullptr);
  EXPECT_EQ(zone->FindOutputConnection(3)->pPeer, RelayS(*doc, 3));
  EXPECT_EQ(RelayR(*doc, 6)->GetKind(), CRelais::KIND_ZONE);
  EXPECT_EQ(RelayR(*doc, 7)->GetKind(), CRelais::KIND_ZONE);
  EXPECT_EQ(RelayS(*doc, 3)->GetKind(), CRelais::KIND_CONTROL);
  EXPECT_TRUE(RelayS(*doc, 3)->IsSSeries());
  // Both ends are recorded.
  EXPECT_EQ(RelayR(*doc, 6)->FindInputConnection(0)->pPeer, zone);
  EXPECT_TRUE(zone->GetLegacyRelays().empty());
  // The old control relay sits on pin 3, among the zone relays.
  EXPECT_EQ(Column(zone, CZone::COL_RELAYS), "6,7,3");
}

TEST(CZoneTest, DamagedRelayListsLoadWithoutHarm) {
  // A number beyond the series and more entries than relay pins.
  std::vector<uint32_t> list(20, 0);
  list[0] = 70000;
  list[1] = 12;
  list[15] = 13;
  auto doc = LoadOldZone(0, [list](CArchive& ar) {
    for (int i = 0; i < 8; ++i) ar << uint32_t(0);
    ZoneWriteList(ar, {});
    ZoneWriteList(ar, list);
  });
  CZone* zone = Zone1(*doc);
  ASSERT_NE(zone, nullptr);
  EXPECT_EQ(zone->FindOutputConnection(1), nullptr);
  EXPECT_EQ(zone->FindOutputConnection(2)->pPeer, RelayR(*doc, 12));
  EXPECT_EQ(zone->FindOutputConnection(16), nullptr);
  EXPECT_EQ(Column(zone, CZone::COL_RELAYS), "12");

  // A list whose count runs past the end of the file refuses the file.
  MessageRecorder messages;
  CSelvantisDoc source;
  auto old = std::make_unique<ampstest::RecordStandIn>("CZone", DT_ZONE, [](CArchive& ar) {
    for (int i = 0; i < 8; ++i) ar << uint32_t(0);
    ar.WriteCount(70000);
  });
  ASSERT_TRUE(old->Create(0, 1, 1, QString(), QRect(), CAT_ZONES, 212, 3, &source));
  source.Adopt(std::move(old));
  QByteArray bytes = SaveProject(source);
  ASSERT_TRUE(PatchSchema(bytes, "CZone", 1));
  CSelvantisDoc target;
  EXPECT_FALSE(TryLoadProject(target, bytes).ok);
}

TEST(CZoneTest, GetOrCreateRelayMakesTheWholeBlockAndRefusesNumbersOutsideTheSeries) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  CRelais* seven = zone->GetOrCreateRelay(7, CRelais::KIND_ZONE, true);
  ASSERT_NE(seven, nullptr);
  EXPECT_EQ(seven->GetNumber(), 7u);
  for (int n = 6; n <= 10; ++n) {
    ASSERT_NE(RelayR(doc, n), nullptr) << n;
    EXPECT_EQ(RelayR(doc, n)->GetKind(), CRelais::KIND_ZONE) << n;
  }
  // The neighbours of a block get the kind as well.
  zone->GetOrCreateRelay(8, CRelais::KIND_PRELAY, true);
  EXPECT_EQ(RelayR(doc, 6)->GetKind(), CRelais::KIND_PRELAY);
  const int relays = doc.GetIDManager().GetCount(DT_RELAY);
  for (int bad : {0, -4, 501}) EXPECT_EQ(zone->GetOrCreateRelay(bad, CRelais::KIND_CONTROL, true), nullptr) << bad;
  EXPECT_EQ(zone->GetOrCreateRelay(101, CRelais::KIND_CONTROL, false), nullptr);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_RELAY), relays);
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(RelayR(doc, n)->GetKind(), CRelais::KIND_ZONE) << n;
}

TEST(CZoneTest, ConnectRelaysLeavesThePinEmptyWhenEveryNumberIsTaken) {
  CSelvantisDoc doc;
  auto* feeder = AddObject(doc, DT_MACRO, CAT_ENTRIES);
  for (int n = 1; n <= 499; ++n) {
    CRelais* relay = AddRelay(doc, CRelais::KIND_PRELAY);
    ASSERT_NE(relay, nullptr);
    ASSERT_EQ(relay->GetNumber(), uint32_t(n));
    CBaseDevice::Connect(feeder, n, relay, 0);
  }
  CZone* zone = AddZone(doc);
  zone->ConnectRelays(CRelais::KIND_ZONE, 1, 0);
  EXPECT_EQ(zone->FindOutputConnection(1), nullptr);
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(RelayR(doc, n)->GetKind(), CRelais::KIND_PRELAY) << n;
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_RELAY), 499);
}

TEST(CZoneTest, ConnectRelaysFillsEveryPinAndDropsLinksBeyondTheCount) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  zone->ConnectRelays(CRelais::KIND_ZONE, 3, 0);
  EXPECT_EQ(Column(zone, CZone::COL_RELAYS), "1,2,3");
  // Free relays are taken before new ones are made.
  CZone* second = AddZone(doc);
  second->ConnectRelays(CRelais::KIND_ZONE, 2, 0);
  EXPECT_EQ(Column(second, CZone::COL_RELAYS), "4,5");
  // Links at pins 1 and 3 (not next to each other) both go.
  zone->DisconnectOutputPin(2);
  zone->ConnectRelays(CRelais::KIND_ZONE, 0, 0);
  EXPECT_EQ(Column(zone, CZone::COL_RELAYS), "0");
  for (int pin = 1; pin <= 4; ++pin) EXPECT_EQ(zone->FindOutputConnection(pin), nullptr) << pin;
  EXPECT_EQ(RelayR(doc, 1)->FindInputConnection(0), nullptr);
}

TEST(CZoneTest, ConnectFreeRelayCountsUpAndStopsAtTheEndOfTheSeries) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  EXPECT_EQ(zone->ConnectFreeRelay(CRelais::KIND_ZONE, 0, 1), 2);
  EXPECT_EQ(zone->GetRelayNumber(1), 1);
  // Relay 2 exists (block 1..5) and is free.
  EXPECT_EQ(zone->ConnectFreeRelay(CRelais::KIND_ZONE, 2, 2), 3);
  EXPECT_EQ(zone->GetRelayNumber(2), 2);
  // Past 500 nothing can be made. (Relays beyond the card pool get no card,
  // which the relay reports.)
  MessageRecorder messages;
  EXPECT_EQ(zone->ConnectFreeRelay(CRelais::KIND_ZONE, 501, 3), 501);
  EXPECT_EQ(zone->FindOutputConnection(3), nullptr);
  EXPECT_EQ(zone->ConnectFreeRelay(CRelais::KIND_ZONE, 500, 3), 501);
  EXPECT_EQ(zone->GetRelayNumber(3), 500);
}

TEST(CZoneTest, DeleteDisablesConsoleKeysAndLeavesNoRecordBehind) {
  CSelvantisDoc doc;
  RecordingConsoleHooks hooks;
  CZone* zone = AddZone(doc);
  auto* console = AddObject(doc, DT_CONSOLE, CAT_CONSOLES, 8);
  CBaseDevice::Connect(zone, 0, console, 5);
  CRelais* relay = zone->GetOrCreateRelay(1, CRelais::KIND_ZONE, true);
  CBaseDevice::Connect(zone, 1, relay, 0);
  CGroup* root = CGroup::EnsureRoot(doc);
  CBaseDevice::Connect(zone, 0, root, 0);
  EXPECT_TRUE(zone->OnCommand(ID_DELETE_OBJECT));
  ASSERT_EQ(hooks.disabled.size(), 1u);
  EXPECT_EQ(hooks.disabled[0].first, console);
  EXPECT_EQ(hooks.disabled[0].second, 5);
  EXPECT_EQ(relay->FindInputConnection(0), nullptr);
  EXPECT_FALSE(AnyRecordPointsAt(doc, zone));
  EXPECT_FALSE(doc.Contains(zone));
  EXPECT_EQ(doc.FindObjectByPath("/VMX/ZONE1"), nullptr);
  // The relay stays, for the next zone.
  EXPECT_TRUE(doc.Contains(relay));
}

TEST(CZoneTest, PlacedZoneProgramsSelectionKeysAndMovesRight) {
  CSelvantisDoc doc;
  RecordingConsoleHooks hooks;
  auto zone = std::make_unique<CZone>();
  ASSERT_TRUE(zone->Create(0, 1, 1, QString(), QRect(100, 50, 32, 32), CAT_ZONES, 212, 3, &doc));
  EXPECT_EQ(zone->GetRect().left(), 120);
  EXPECT_TRUE(zone->ArePinsShown());
  EXPECT_EQ(hooks.programmed, std::vector<int>{1});
}

TEST(CZoneTest, AddNewGroupWithAFullPoolLeavesNothingBehind) {
  CSelvantisDoc doc;
  MessageRecorder messages;
  CZone* zone = AddZone(doc);
  for (int i = 1; i <= 100; ++i) ASSERT_NE(CGroup::CreateIn(doc, QRect(), 2), nullptr) << i;
  const int objects = doc.GetTotalObjectCount();
  EXPECT_TRUE(zone->OnCommand(CZone::ID_ADD_GROUP));
  EXPECT_EQ(doc.GetTotalObjectCount(), objects);
  EXPECT_TRUE(zone->GetOutputConnections().empty());
  EXPECT_TRUE(messages.Saw(IDS_POOL_FULL));
}

TEST(CZoneTest, ContextMenuAddsAGroupAndALanGroup) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  EXPECT_TRUE(zone->OnCommand(CZone::ID_ADD_GROUP));
  auto* group = dynamic_cast<CGroup*>(doc.GetIDManager().FindBaseDevice(1, DT_GROUP));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetLevel(), CGroup::kLevelFromZone);
  EXPECT_EQ(zone->FindOutputConnectionOfType(0, DT_GROUP)->pPeer, group);
  EXPECT_EQ(group->FindInputConnection(0)->pPeer, zone);

  CCmdUI before(CZone::ID_ADD_LANGROUP);
  zone->OnUpdateCommandUI(before);
  EXPECT_TRUE(before.IsEnabled());
  EXPECT_TRUE(zone->OnCommand(CZone::ID_ADD_LANGROUP));
  auto* lan = dynamic_cast<CLANGroup*>(doc.GetIDManager().FindBaseDevice(1, DT_LANGROUP));
  ASSERT_NE(lan, nullptr);
  EXPECT_EQ(lan->GetKind(), CLANGroup::kKind);
  EXPECT_EQ(lan->GetCategory(), CAT_MISC);
  EXPECT_EQ(lan->GetPath(), "/VMX/LANGRP1");
  CCmdUI after(CZone::ID_ADD_LANGROUP);
  zone->OnUpdateCommandUI(after);
  EXPECT_FALSE(after.IsEnabled());
  // A second LAN group is not added.
  EXPECT_TRUE(zone->OnCommand(CZone::ID_ADD_LANGROUP));
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_LANGROUP), 1);
}

// Added from a zone, a LAN group is connected as a group added from a zone
// is, with level 1, and placed clear of the zone and of its group, which
// start at the same place.
TEST(CZoneTest, LanGroupFromAZoneHasLevelOneAndKeepsClearOfTheBlocks) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  ASSERT_TRUE(zone->OnCommand(CZone::ID_ADD_GROUP));
  auto* group = dynamic_cast<CGroup*>(doc.GetIDManager().FindBaseDevice(1, DT_GROUP));
  ASSERT_NE(group, nullptr);
  doc.SetModifiedFlag(false);
  ASSERT_TRUE(zone->OnCommand(CZone::ID_ADD_LANGROUP));
  auto* lan = dynamic_cast<CLANGroup*>(doc.GetIDManager().FindBaseDevice(1, DT_LANGROUP));
  ASSERT_NE(lan, nullptr);
  EXPECT_EQ(lan->GetLevel(), CGroup::kLevelFromZone);
  EXPECT_EQ(lan->GetInputValue(0), 1);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(lan->FindInputConnection(CLANGroup::kOwnerPin)->pPeer, zone);
  EXPECT_FALSE(lan->GetRect().intersects(zone->GetRect()));
  EXPECT_FALSE(lan->GetRect().intersects(group->GetRect()));
  // The level is kept in the project file.
  auto back = RoundTrip(doc);
  auto* loaded = dynamic_cast<CLANGroup*>(back->GetIDManager().FindBaseDevice(1, DT_LANGROUP));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetLevel(), CGroup::kLevelFromZone);
}

TEST(CZoneTest, MenuStatesFollowTheLinkAndLeaveControlRelayUnchecked) {
  CSelvantisDoc doc;
  SetActiveDoc(&doc);
  CZone* zone = AddZone(doc);
  CCmdUI download(ID_DEVICE_DOWNLOAD);
  zone->OnUpdateCommandUI(download);
  EXPECT_FALSE(download.IsEnabled());
  doc.SetConnected(true);
  CCmdUI online(ID_DEVICE_UPLOAD);
  zone->OnUpdateCommandUI(online);
  EXPECT_TRUE(online.IsEnabled());
  CCmdUI control(CZone::ID_ADD_CONTROL_RELAY);
  zone->OnUpdateCommandUI(control);
  EXPECT_TRUE(control.WasCheckSet());
  EXPECT_EQ(control.GetCheck(), 0);
  CCmdUI remove(ID_DELETE_OBJECT);
  zone->OnUpdateCommandUI(remove);
  EXPECT_TRUE(remove.IsEnabled());
  doc.SetConnected(false);
  SetActiveDoc(nullptr);
}

TEST(CZoneTest, ToolTipListsTheSetValuesInOrder) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  auto lines = [&] {
    QStringList labels;
    for (const QString& line : zone->GetToolTipText().split('\n')) labels << line.section(' ', 0, 0);
    return labels;
  };
  // Nothing linked: only the identifier.
  EXPECT_EQ(lines(), QStringList{"id"});
  EXPECT_TRUE(zone->GetToolTipText().startsWith("id"));
  EXPECT_TRUE(zone->GetToolTipText().endsWith(" 1"));

  auto* slot = AddObject(doc, DT_AUDIOOUTPUTSLOT, CAT_OUTPUTSLOTS, 2);
  CAmplifier* amp = AddAmplifier(doc, kAmpPlain2);
  CBaseDevice::Connect(slot, 0, amp, 0);
  CBaseDevice::Connect(amp, 0, zone, 0);
  CBaseDevice::Connect(zone, 1, zone->GetOrCreateRelay(4, CRelais::KIND_ZONE, true), 0);
  CBaseDevice::Connect(zone, CZone::kControlPin, RelayR(doc, 5), 0);
  EXPECT_EQ(lines(), (QStringList{"id", "r", "out", "c"}));
  CBaseDevice::Connect(zone, CZone::kPrioCallPin, RelayR(doc, 3), 0);
  zone->AddNewLanGroup();
  EXPECT_EQ(lines(), (QStringList{"id", "r", "out", "p", "c", "lan"}));
  const QStringList text = zone->GetToolTipText().split('\n');
  EXPECT_TRUE(text[3].endsWith("3 (208)"));
  EXPECT_TRUE(text[4].endsWith("5 (208)"));
  // The values line up as the tip shows them: each label is padded with as
  // many blanks as its measured width needs to reach the widest label's and
  // five blanks more, so every value starts within one blank of that column
  // (give or take the rounding of a few pixels).
  const QFontMetrics metrics(QToolTip::font());
  constexpr int kRounding = 2;
  const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
  ASSERT_GT(blank, 0);
  int widest = 0;
  for (const char* label : {"id", "r", "out", "p", "c", "lan"})
    widest = std::max(widest, metrics.horizontalAdvance(QLatin1String(label)));
  for (const QString& line : text) {
    const int blanks = static_cast<int>(line.indexOf(QRegularExpression(QStringLiteral(" [^ ]")))) + 1;
    const int column = metrics.horizontalAdvance(line.left(blanks));
    EXPECT_GT(column, widest + 4 * blank - kRounding) << line.toStdString();
    EXPECT_LE(column, widest + 5 * blank + kRounding) << line.toStdString();
  }
}
