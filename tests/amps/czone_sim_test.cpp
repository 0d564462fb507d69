// Zones, groups and collection calls against the simulated unit over the
// real link: a whole download lands in the unit's settings, and an upload
// takes over what it may and reports the rest.

#include "amps/ccollectioncall.h"
#include "amps/crelaistopology.h"
#include "czonetestsupport.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "model/carchive.h"
#include "support/projectbytes.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"
#include "zonehandlers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

using namespace zonetest;

namespace {

// The real link on the simulated unit, which knows the zone commands.
class CZoneSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim(RegisterZoneHandlers);
    doc.SetUpgradeFlag(1);
  }

  // What the unit received of the zone (the link's own lines left out).
  QStringList ZoneLines() const { return LinesUnder("/VMX/ZONE1/"); }
};

}  // namespace

TEST_F(CZoneSimTest, ZoneSettingsGoToTheUnitAndComeBack) {
  auto* slot = AddObject(doc, DT_AUDIOOUTPUTSLOT, CAT_OUTPUTSLOTS, 2);
  CAmplifier* amp = AddAmplifier(doc, kAmpBus2);
  CZone* zone = AddZone(doc);
  CBaseDevice::Connect(slot, 0, amp, 0);
  CBaseDevice::Connect(amp, 1, zone, 0);
  zone->GetOrCreateRelay(6, CRelais::KIND_ZONE, true);
  CBaseDevice::Connect(zone, 1, RelayR(doc, 6), 0);
  CBaseDevice::Connect(zone, 2, RelayR(doc, 7), 0);
  zone->SetValue(CZone::COL_IGNORE, CZone::IGN_NEGTOL | CZone::IGN_OVF_I);
  ASSERT_TRUE(Connect());

  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*zone), CTransfer::Result::Done);
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  const QStringList lines = ZoneLines();
  ASSERT_EQ(lines.size(), 12);
  EXPECT_EQ(lines.front(), "/VMX/ZONE1/OUTPUT 1");
  EXPECT_EQ(lines.back(), "/VMX/ZONE1/TESTVOL -26");
  EXPECT_TRUE(WaitUntil([&] { return sim.FullLines().last() == "/MACRO/LOCK OFF"; }));
  EXPECT_EQ(sim.Value("/VMX/ZONE1/RELAY"), "6,7");
  EXPECT_EQ(sim.Value("/VMX/ZONE1/AMPCHAN"), "2");
  EXPECT_EQ(sim.Value("/VMX/ZONE1/TEST/IGNORE"), "NEGTOL,OVF_I");
  EXPECT_EQ(sim.Value("/VMX/ZONE1/TESTVOL"), "-26");
  EXPECT_TRUE(messages.Requests().empty());

  // The unit's line test was changed on site, and its wiring differs.
  sim.SetValue("/VMX/ZONE1/TEST/POSTOL", "40");
  sim.SetValue("/VMX/ZONE1/TESTVOL", "-50");
  sim.SetValue("/VMX/ZONE1/RELAY", "6");
  sim.SetValue("/VMX/ZONE1/AMPCHAN", "9");
  sim.ClearLog();
  ASSERT_EQ(transfer.UploadObject(*zone), CTransfer::Result::Done);
  EXPECT_EQ(ZoneLines().size(), 12);
  EXPECT_EQ(ZoneLines().last(), "/VMX/ZONE1/TESTVOL ?");
  EXPECT_EQ(zone->GetPositiveTolerance(), 40);
  EXPECT_EQ(zone->GetTestVolume(), -50);
  EXPECT_EQ(zone->GetColumnText(CZone::COL_RELAYS), "6,7");
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].id, 34310u);
  // The different amplifier channel is in the error file, which is shown.
  EXPECT_EQ(shown, QStringList{dir.filePath("site.err")});
  QFile file(dir.filePath("site.err"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("Zone 1 : 9 is missing\r\n"));
}

TEST_F(CZoneSimTest, RootGroupClearsAndCollectionCallsTakeTheUnitsZones) {
  CGroup* root = CGroup::EnsureRoot(doc);
  CCollectionCall::EnsureAll(doc);
  AddZones(doc, 4);
  sim.SetValue("/VMX/ZONE3/TESTVOL", "-10");
  sim.SetValue("/VMX/COLLCALL2/ZONES", "2-3");
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*root), CTransfer::Result::Done);
  // The clear lines follow the zones and collection calls in a download:
  // their settings stay.
  EXPECT_EQ(sim.Value("/VMX/ZONE3/TESTVOL"), "-10");
  EXPECT_EQ(sim.Value("/VMX/COLLCALL2/ZONES"), "2-3");

  sim.SetValue("/VMX/COLLCALL2/ZONES", "2-3");
  auto* call = static_cast<CCollectionCall*>(doc.GetIDManager().FindBaseDevice(2, DT_COLLCALL));
  ASSERT_EQ(transfer.UploadObject(*call), CTransfer::Result::Done);
  EXPECT_EQ(call->GetZonesText(), "2-3");
  EXPECT_TRUE(messages.Requests().empty());
  ASSERT_EQ(transfer.DownloadObject(*call), CTransfer::Result::Done);
  EXPECT_EQ(sim.Value("/VMX/COLLCALL2/RELAY"), "0");
  EXPECT_EQ(sim.Value("/VMX/COLLCALL2/ZONES"), "2-3");
}

TEST_F(CZoneSimTest, TwoTopologiesOfOneCollectionCallNumberBothReachTheUnit) {
  // Two "1 in N" collection-call topologies that an older project gave the
  // same number, with two zones each.
  CSelvantisDoc source;
  CCollectionCall::EnsureAll(source);
  for (int t = 0; t < 2; ++t) {
    auto old = std::make_unique<ampstest::RecordStandIn>("CRelaisTopology", DT_RELAYTOPOLOGY, [](CArchive& ar) {
      ar << uint32_t(2) << uint32_t(CRelaisTopology::INPUT_COLLCALL) << uint32_t(0) << uint32_t(3);
    });
    ASSERT_TRUE(old->Create(CRelaisTopology::KIND_1INN, 1, 2, QString(), QRect(0, 200 * t, 100, 70), CAT_TOPOLOGIES, 0,
                            3, &source));
    CBaseDevice* topology = source.Adopt(std::move(old));
    for (int i = 0; i < 2; ++i) CBaseDevice::Connect(topology, i, AddZone(source), 0);
  }
  ASSERT_TRUE(LoadProject(doc, SaveProject(source)));
  EXPECT_EQ(messages.Requests().size(), 1u);
  ASSERT_TRUE(Connect());

  CTransfer transfer;
  for (int id : {1, 2}) {
    CBaseDevice* topology = doc.GetIDManager().FindBaseDevice(id, DT_RELAYTOPOLOGY);
    ASSERT_NE(topology, nullptr);
    ASSERT_EQ(transfer.DownloadObject(*topology), CTransfer::Result::Done);
  }
  EXPECT_EQ(LinesUnder("/VMX/COLLCALL3/"), (QStringList{"/VMX/COLLCALL3/RELAY 0", "/VMX/COLLCALL3/ZONES 1-2",
                                                        "/VMX/COLLCALL3/RELAY 0", "/VMX/COLLCALL3/ZONES 3-4"}));
  EXPECT_EQ(sim.Value("/VMX/COLLCALL3/ZONES"), "3-4");
}

namespace {

// A unit that reports the zone's name with its outputs.
void AnswerOutputsWithTheName(UnitSimulator& sim, int zone) {
  const QString path = QStringLiteral("/VMX/ZONE%1").arg(zone);
  sim.RegisterHandler(path + QStringLiteral("/OUTPUT"),
                      [path](UnitSimulator& unit, const UnitSimulator::Command& command, QStringList& replies) {
                        if (!command.IsQuery()) return false;
                        replies << path + QStringLiteral("/NAME ") + unit.Value(path + QStringLiteral("/NAME"));
                        replies << command.path + QLatin1Char(' ') + unit.Value(command.path);
                        return true;
                      });
}

}  // namespace

// The zone takes the name the unit has; when another zone has that name
// too, the upload says so with its other findings.
TEST_F(CZoneSimTest, UploadedNameIsTakenAsItIsAndATwinNameIsReported) {
  std::vector<CZone*> zones = AddZones(doc, 3);
  ASSERT_TRUE(zones[0]->SetUniqueName("Hall", false));
  AnswerOutputsWithTheName(sim, 2);
  AnswerOutputsWithTheName(sim, 3);
  ASSERT_TRUE(Connect());
  // The unit holds the project's zones, named on site.
  for (CZone* zone : {zones[1], zones[2]}) ASSERT_EQ(CTransfer().DownloadObject(*zone), CTransfer::Result::Done);
  sim.SetValue("/VMX/ZONE2/NAME", "Hall");
  sim.SetValue("/VMX/ZONE3/NAME", "Stage");

  // What an upload found, as the error file it showed holds it.
  auto findings = [&] {
    QFile file(dir.filePath("site.err"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  const QByteArray twin("Zone 2 : the unit names it \"Hall\", the name of zone 1 too\r\n");
  CTransfer transfer;
  ASSERT_EQ(transfer.UploadObject(*zones[2]), CTransfer::Result::Done);
  EXPECT_EQ(zones[2]->GetName(), "Stage");
  EXPECT_FALSE(findings().contains("names it"));
  shown.clear();
  ASSERT_EQ(transfer.UploadObject(*zones[1]), CTransfer::Result::Done);
  EXPECT_EQ(zones[1]->GetName(), "Hall");
  EXPECT_EQ(zones[0]->GetName(), "Hall");
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  for (const MessageRequest& request : messages.Requests()) ADD_FAILURE() << request.text.toStdString();
  ASSERT_EQ(shown, QStringList{dir.filePath("site.err")});
  EXPECT_TRUE(findings().contains(twin)) << findings().toStdString();
}
