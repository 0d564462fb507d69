// Collection calls: the ten of every project, their relay and zone lines,
// and an upload that reports a different relay and connects listed zones.

#include "amps/ccollectioncall.h"
#include "czonetestsupport.h"
#include "link/linkmode.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zonetest;

namespace {

class CCollectionCallTest : public testing::Test {
 protected:
  void SetUp() override {
    CCollectionCall::EnsureAll(doc);
    call = dynamic_cast<CCollectionCall*>(doc.GetIDManager().FindBaseDevice(2, DT_COLLCALL));
    ASSERT_NE(call, nullptr);
  }

  QStringList Lines(bool query) {
    link.Clear();
    for (int step = 0; step < call->Download(query, -1);) step = call->Download(query, step);
    return link.TakeLines();
  }

  bool Route(const QString& line, int mode = LINKMODE_UPLOAD) {
    QString error;
    return doc.RouteReplyLine(line, error, mode);
  }

  std::vector<int> ConnectedZones() const {
    std::vector<int> ids;
    for (const ConnectionRecord& r : call->GetInputConnections())
      if (r.pPeer != nullptr && r.pPeer->GetType() == DT_ZONE) ids.push_back(r.pPeer->GetID());
    std::sort(ids.begin(), ids.end());
    return ids;
  }

  RecordingLink link;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CCollectionCall* call = nullptr;
};

}  // namespace

TEST_F(CCollectionCallTest, EveryProjectHasTenNamedCollectionCalls) {
  CSelvantisDoc fresh;
  fresh.OnNewDocument();
  EXPECT_EQ(fresh.GetIDManager().GetCount(DT_COLLCALL), 10);
  for (int id = 1; id <= 10; ++id) {
    CBaseDevice* object = fresh.GetIDManager().FindBaseDevice(id, DT_COLLCALL);
    ASSERT_NE(object, nullptr) << id;
    EXPECT_EQ(object->GetName(), QString("Collection call %1").arg(id));
    EXPECT_EQ(object->GetCategory(), CAT_TOPOLOGIES);
    EXPECT_EQ(fresh.FindObjectByPath(QString("/VMX/COLLCALL%1").arg(id)), object);
  }
  CCollectionCall::EnsureAll(fresh);
  EXPECT_EQ(fresh.GetIDManager().GetCount(DT_COLLCALL), 10);
}

TEST_F(CCollectionCallTest, WithoutRelayAndZonesBothValuesAreZero) {
  EXPECT_EQ(call->Download(false, -1), 2);
  EXPECT_EQ(Lines(false), (QStringList{"/VMX/COLLCALL2/RELAY 0", "/VMX/COLLCALL2/ZONES 0"}));
  EXPECT_EQ(Lines(true), (QStringList{"/VMX/COLLCALL2/RELAY ?", "/VMX/COLLCALL2/ZONES ?"}));
  link.SetOutBufferCount(512);
  EXPECT_EQ(call->Download(false, 1), 1);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST_F(CCollectionCallTest, RelayAndZonesDirectlyAndThroughGroups) {
  std::vector<CZone*> zones = AddZones(doc, 8);
  CZone* anyZone = zones[0];
  CRelais* relay = anyZone->GetOrCreateRelay(12, CRelais::KIND_COLLCALL, true);
  ASSERT_NE(relay, nullptr);
  CBaseDevice::Connect(call, 0, relay, 0);
  CGroup* group = CGroup::CreateIn(doc, QRect(), CGroup::kLevelAdded);
  CGroup* inner = CGroup::CreateIn(doc, QRect(), CGroup::kLevelFromZone);
  CBaseDevice::Connect(zones[0], 0, call, 0);
  CBaseDevice::Connect(zones[1], 0, group, 0);
  CBaseDevice::Connect(inner, 0, group, 0);
  CBaseDevice::Connect(zones[2], 0, inner, 0);
  CBaseDevice::Connect(group, 0, call, 0);
  // The old link of a zone's pin 10 counts as well.
  CBaseDevice::Connect(zones[6], CZone::kLegacyCollCallPin, call, 0);
  EXPECT_EQ(Lines(false), (QStringList{"/VMX/COLLCALL2/RELAY 12", "/VMX/COLLCALL2/ZONES 1-3,7"}));
  EXPECT_EQ(call->GetName(), relay->GetName());
}

TEST_F(CCollectionCallTest, UploadedZoneListConnectsMissingZonesAndKeepsTheRest) {
  std::vector<CZone*> zones = AddZones(doc, 5);
  CBaseDevice::Connect(zones[4], 0, call, 0);
  CBaseDevice::Connect(zones[1], 0, call, 0);
  EXPECT_TRUE(Route("/VMX/COLLCALL2/ZONES 1-3,7"));
  EXPECT_EQ(ConnectedZones(), (std::vector<int>{1, 2, 3, 5}));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].text, "Zone 7 not present in actual project !");
  // Zone 2 was connected already: no second link.
  int links = 0;
  for (const ConnectionRecord& r : zones[1]->GetOutputConnections()) links += r.pPeer == call ? 1 : 0;
  EXPECT_EQ(links, 1);
  EXPECT_EQ(zones[0]->FindOutputConnection(0)->nPeerPin, 0);
}

TEST_F(CCollectionCallTest, UnreadableZoneListsConnectNothing) {
  AddZones(doc, 5);
  EXPECT_TRUE(Route("/VMX/COLLCALL2/ZONES 1-3,x"));
  EXPECT_TRUE(ConnectedZones().empty());
  EXPECT_EQ(messages.Requests().size(), 1u);
  messages.Clear();
  // A long value is read whole: 2000 characters of repeated numbers.
  QString longList = "1";
  while (longList.size() < 2000) longList += ",2";
  EXPECT_TRUE(Route("/VMX/COLLCALL2/ZONES " + longList));
  EXPECT_EQ(ConnectedZones(), (std::vector<int>{1, 2}));
  EXPECT_TRUE(messages.Requests().empty());
  // The same length of garbage changes nothing.
  EXPECT_TRUE(Route("/VMX/COLLCALL2/ZONES " + QString(2000, 'x')));
  EXPECT_EQ(ConnectedZones(), (std::vector<int>{1, 2}));
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_LT(messages.Requests()[0].text.size(), 300);
  // A number beyond the hundred zones fails the whole list.
  messages.Clear();
  EXPECT_TRUE(Route("/VMX/COLLCALL2/ZONES 3,101"));
  EXPECT_EQ(ConnectedZones(), (std::vector<int>{1, 2}));
  // "0" and "NONE" are the empty list.
  messages.Clear();
  EXPECT_TRUE(Route("/VMX/COLLCALL2/ZONES 0"));
  EXPECT_TRUE(Route("/VMX/COLLCALL2/ZONES NONE"));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CCollectionCallTest, DifferentRelayIsReportedNotChanged) {
  CZone* zone = AddZone(doc);
  CRelais* relay = zone->GetOrCreateRelay(12, CRelais::KIND_COLLCALL, true);
  CBaseDevice::Connect(call, 0, relay, 0);
  EXPECT_TRUE(Route("/VMX/COLLCALL2/RELAY 12"));
  EXPECT_TRUE(Route("/VMX/COLLCALL2/RELAY OFF"));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_TRUE(Route("/VMX/COLLCALL2/RELAY 5", LINKMODE_NORMAL));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].text,
            QString("Zone relays for zone %1 are different! (5 -> 12)!").arg(relay->GetName()));
  EXPECT_EQ(call->GetRelayText(), "12");
  // Not while downloading, and never for an echo.
  messages.Clear();
  EXPECT_FALSE(Route("/VMX/COLLCALL2/RELAY 5", LINKMODE_DOWNLOAD));
  EXPECT_FALSE(Route("/VMX/COLLCALL2/ZONES ?"));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CCollectionCallTest, ProjectFileKeepsTheCollectionCallsAndTheirLinks) {
  CZone* zone = AddZone(doc);
  CBaseDevice::Connect(zone, 0, call, 0);
  auto back = RoundTrip(doc);
  EXPECT_EQ(back->GetIDManager().GetCount(DT_COLLCALL), 10);
  auto* loaded = dynamic_cast<CCollectionCall*>(back->GetIDManager().FindBaseDevice(2, DT_COLLCALL));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetZonesText(), "1");
  EXPECT_EQ(back->FindObjectByPath("/VMX/COLLCALL2"), loaded);
}
