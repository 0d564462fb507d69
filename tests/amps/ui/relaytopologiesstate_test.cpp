// The relay topologies edits: the kinds and their controls, the amplifier
// outputs offered for the inputs, the relay checks that refuse an Apply and
// what a successful Apply writes.

#include "amps/ui/relaytopologiesstate.h"
#include "amps/camplifier.h"
#include "amps/crelaismanager.h"
#include "amps/crelaistopology.h"
#include "amps/czone.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kTopologiesStateAmv5410x4 = 33079;  // 4 outputs

using Result = RelayTopologiesState::ApplyResult;

CAmplifier* TopologiesStateAddAmp(CSelvantisDoc& doc) {
  auto amp = std::make_unique<CAmplifier>();
  if (!amp->Create(kTopologiesStateAmv5410x4, 4, 4, QString(), QRect(0, 0, 60, 80), CAT_AMPLIFIERS, 0, CBaseDevice::TF_NAME, &doc))
    return nullptr;
  return doc.Adopt(std::move(amp));
}

CRelaisTopology* TopologiesStateAddTopology(CSelvantisDoc& doc, int kind, int zones) {
  auto topology = std::make_unique<CRelaisTopology>();
  if (!topology->Create(kind, CRelaisTopology::InputCountOfKind(kind), zones, QString(), QRect(10, 20, 0, 0),
                        CAT_TOPOLOGIES, 0, 3, &doc))
    return nullptr;
  return doc.Adopt(std::move(topology));
}

QString TopologiesStateRelays(const CZone* zone) { return zone->GetColumnText(CZone::COL_RELAYS); }

class RelayTopologiesStateTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_doc.OnNewDocument()); }
  CSelvantisDoc m_doc;
  MessageRecorder m_messages;
};

}  // namespace

TEST_F(RelayTopologiesStateTest, KindsDecideTheControls) {
  const std::vector<RelayTopologiesState::KindEntry> kinds = RelayTopologiesState::Kinds();
  ASSERT_EQ(kinds.size(), 3u);
  EXPECT_EQ(kinds[0].caption, "Direct");
  EXPECT_EQ(kinds[1].caption, "1 in N");
  EXPECT_EQ(kinds[2].caption, "Program/Page");
  EXPECT_EQ(kinds[2].picture, 4);

  const auto direct = RelayTopologiesState::LayoutOf(CRelaisTopology::KIND_DIRECT);
  EXPECT_FALSE(direct.firstRelayShown);
  EXPECT_FALSE(direct.pageRelayShown);
  EXPECT_EQ(direct.inputs, 1);
  const auto oneInN = RelayTopologiesState::LayoutOf(CRelaisTopology::KIND_1INN);
  EXPECT_TRUE(oneInN.firstRelayShown);
  EXPECT_FALSE(oneInN.pageRelayShown);
  EXPECT_FALSE(oneInN.background);
  const auto progPage = RelayTopologiesState::LayoutOf(CRelaisTopology::KIND_PROGPAGE);
  EXPECT_TRUE(progPage.firstRelayShown);
  EXPECT_TRUE(progPage.pageRelayShown);
  EXPECT_TRUE(progPage.background);
  EXPECT_EQ(progPage.inputs, 2);
}

TEST_F(RelayTopologiesStateTest, ShowsTheTopologyWithItsFeedingOutput) {
  CAmplifier* amp = TopologiesStateAddAmp(m_doc);
  CRelaisTopology* topology = TopologiesStateAddTopology(m_doc, CRelaisTopology::KIND_1INN, 3);
  ASSERT_NE(topology, nullptr);
  CBaseDevice::Connect(amp, 2, topology, 0);

  RelayTopologiesState state(&m_doc);
  ASSERT_EQ(state.InputEntries().size(), 1u);
  EXPECT_EQ(state.InputEntries()[0].text, amp->GetName() + " 3 (" + topology->GetName() + " - 1)");
  EXPECT_EQ(state.InputTexts().last(), "Not used");
  EXPECT_EQ(state.Topologies(), std::vector<CRelaisTopology*>{topology});

  state.SetTopology(topology);
  const RelayTopologiesState::View view = state.GetView();
  EXPECT_TRUE(view.hasTopology);
  EXPECT_EQ(view.kindRow, 1);
  EXPECT_EQ(view.zoneCount, "3");
  EXPECT_EQ(view.firstRelay, "1");  // the first zone's relay on pin 1
  EXPECT_EQ(view.inputs[0], 0);
  EXPECT_EQ(view.inputs[1], RelayTopologiesState::kNone);
  EXPECT_TRUE(state.IsFirstRelayValid());
}

TEST_F(RelayTopologiesStateTest, ApplyWritesKindZonesRelaysAndInputs) {
  CAmplifier* amp = TopologiesStateAddAmp(m_doc);
  CRelaisTopology* topology = TopologiesStateAddTopology(m_doc, CRelaisTopology::KIND_1INN, 1);
  CBaseDevice::Connect(amp, 0, topology, 0);
  CRelaisTopology* other = TopologiesStateAddTopology(m_doc, CRelaisTopology::KIND_DIRECT, 1);
  CBaseDevice::Connect(amp, 1, other, 0);

  RelayTopologiesState state(&m_doc);
  state.SetTopology(topology);
  ASSERT_EQ(state.InputEntries().size(), 2u);
  state.SelectKind(2);  // "Program/Page"
  state.SetZoneCountText("2");
  state.SetFirstRelayText("10");
  state.SetPageRelayText("20");
  state.SelectInput(0, 0);
  state.SelectInput(1, 1);
  ASSERT_EQ(state.Apply(), Result::Ok);

  EXPECT_EQ(topology->GetKind(), CRelaisTopology::KIND_PROGPAGE);
  EXPECT_EQ(topology->GetZoneCount(), 2);
  EXPECT_EQ(topology->GetFirstRelay(), 10);
  EXPECT_EQ(topology->GetFirstPageRelay(), 20);
  EXPECT_EQ(TopologiesStateRelays(topology->GetZoneOnPin(0)), "10,20");
  EXPECT_EQ(TopologiesStateRelays(topology->GetZoneOnPin(1)), "11,21");
  ASSERT_EQ(topology->GetInputConnections().size(), 2u);
  const ConnectionRecord* in0 = topology->FindInputConnection(0);
  const ConnectionRecord* in1 = topology->FindInputConnection(1);
  ASSERT_TRUE(in0 && in1);
  EXPECT_EQ(in0->pPeer, amp);
  EXPECT_EQ(in0->nPeerPin, 0);
  EXPECT_EQ(in0->nPeerCategory, CAT_AMPLIFIERS);
  EXPECT_EQ(in1->nPeerPin, 1);
  EXPECT_EQ(topology->GetInputValue(1), amp->GetID());
  bool mirrored = false;
  for (const ConnectionRecord& r : amp->GetOutputConnections())
    mirrored =
        mirrored || (r.pPeer == topology && r.nOwnPin == 1 && r.nPeerPin == 1 && r.nPeerCategory == CAT_TOPOLOGIES);
  EXPECT_TRUE(mirrored);

  const RelayTopologiesState::View view = state.GetView();
  EXPECT_EQ(view.firstRelay, "10");
  EXPECT_EQ(view.pageRelay, "20");
  EXPECT_EQ(view.inputs[0], 0);
  EXPECT_EQ(view.inputs[1], 1);
}

TEST_F(RelayTopologiesStateTest, RelayOfAnotherTopologysZoneIsRefused) {
  CRelaisTopology* mine = TopologiesStateAddTopology(m_doc, CRelaisTopology::KIND_1INN, 2);
  CRelaisTopology* theirs = TopologiesStateAddTopology(m_doc, CRelaisTopology::KIND_1INN, 2);
  ASSERT_EQ(TopologiesStateRelays(theirs->GetZoneOnPin(0)), "3");

  RelayTopologiesState state(&m_doc);
  state.SetTopology(mine);
  state.SetFirstRelayText("3");
  EXPECT_FALSE(state.IsFirstRelayValid());
  EXPECT_FALSE(state.IsRelayFree("4"));
  EXPECT_TRUE(state.IsRelayFree("2"));    // its own zone's relay
  EXPECT_TRUE(state.IsRelayFree("5"));    // a relay without zone
  EXPECT_TRUE(state.IsRelayFree("77"));   // no relay
  EXPECT_TRUE(state.IsRelayFree("abc"));  // no number
  EXPECT_EQ(state.Apply(), Result::FirstRelayTaken);
  EXPECT_EQ(TopologiesStateRelays(mine->GetZoneOnPin(0)), "1");
  EXPECT_EQ(TopologiesStateRelays(theirs->GetZoneOnPin(0)), "3");

  state.SetFirstRelayText("6");
  EXPECT_TRUE(state.IsFirstRelayValid());
  EXPECT_EQ(state.Apply(), Result::Ok);
  EXPECT_EQ(TopologiesStateRelays(mine->GetZoneOnPin(0)), "6");
  EXPECT_EQ(TopologiesStateRelays(mine->GetZoneOnPin(1)), "7");
}

TEST_F(RelayTopologiesStateTest, FirstRelayNeedsEnoughFreeNumbersUpTo500) {
  CRelaisTopology* topology = TopologiesStateAddTopology(m_doc, CRelaisTopology::KIND_1INN, 3);
  RelayTopologiesState state(&m_doc);
  state.SetTopology(topology);
  state.SetFirstRelayText("499");
  EXPECT_EQ(state.Apply(), Result::FirstRelayTaken);  // 499 and 500 only
  state.SetFirstRelayText("498");
  ASSERT_EQ(state.Apply(), Result::Ok);
  EXPECT_EQ(TopologiesStateRelays(topology->GetZoneOnPin(2)), "500");

  // Applying its own relays again is no conflict with itself.
  state.SetFirstRelayText("498");
  EXPECT_EQ(state.Apply(), Result::Ok);
  EXPECT_EQ(TopologiesStateRelays(topology->GetZoneOnPin(0)), "498");

  // Relay 500 switching a zone of another topology leaves too few.
  CRelaisTopology* other = TopologiesStateAddTopology(m_doc, CRelaisTopology::KIND_1INN, 1);
  RelayTopologiesState second(&m_doc);
  second.SetTopology(other);
  second.SetFirstRelayText("497");
  EXPECT_EQ(second.Apply(), Result::FirstRelayTaken);
}

TEST_F(RelayTopologiesStateTest, MalformedTextsChangeNothing) {
  CRelaisTopology* topology = TopologiesStateAddTopology(m_doc, CRelaisTopology::KIND_1INN, 2);
  RelayTopologiesState state(&m_doc);
  state.SetTopology(topology);
  for (const char* count : {"0", "101", "abc", "", "-3"}) {
    state.SetZoneCountText(count);
    EXPECT_EQ(state.Apply(), Result::BadZoneCount) << count;
  }
  state.SetZoneCountText("4");
  for (const char* first : {"abc", "0", "-2", "501"}) {
    state.SetFirstRelayText(first);
    EXPECT_EQ(state.Apply(), Result::BadFirstRelay) << first;
    EXPECT_EQ(state.GetFirstRelayText(), "1") << first;  // put back from the first zone
  }
  EXPECT_EQ(topology->GetZoneCount(), 2);

  state.SelectKind(2);
  state.SetFirstRelayText("10");
  state.SetPageRelayText("x");
  EXPECT_EQ(state.Apply(), Result::BadPageRelay);
  EXPECT_EQ(topology->GetKind(), CRelaisTopology::KIND_1INN);
  EXPECT_EQ(topology->GetZoneCount(), 2);
}

TEST_F(RelayTopologiesStateTest, HiddenRelayEditsAreNotChecked) {
  CRelaisTopology* topology = TopologiesStateAddTopology(m_doc, CRelaisTopology::KIND_1INN, 1);
  RelayTopologiesState state(&m_doc);
  state.SetTopology(topology);
  state.SelectKind(0);  // "Direct"
  state.SetFirstRelayText("junk");
  state.SetPageRelayText("junk");
  EXPECT_EQ(state.Apply(), Result::Ok);
  EXPECT_EQ(topology->GetKind(), CRelaisTopology::KIND_DIRECT);
}

TEST_F(RelayTopologiesStateTest, WithoutTopologyApplyDoesNothing) {
  RelayTopologiesState state(&m_doc);
  EXPECT_FALSE(state.GetView().hasTopology);
  EXPECT_EQ(state.Apply(), Result::Ok);
  state.SelectInput(0, 3);
  EXPECT_EQ(state.GetView().inputs[0], RelayTopologiesState::kNone);
}
