// The zone list's decisions: which zones it lists, the reply parser, the
// refresh chain, the in-place edits, the measurement lines and the stored
// column widths.

#include "online/czoneliststate.h"
#include "model/cstringtable.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "zonetestsupport.h"

using Step = CZoneListState::Step;

TEST_F(ZoneListTest, ListsOnlyZonesFedByAnAmplifierInIdOrder) {
  MakeZones(4, 3);
  CZoneListState state(&m_doc);
  state.Fill();
  ASSERT_EQ(state.RowCount(), 3);
  EXPECT_EQ(state.ZoneIdAt(0), 1);
  EXPECT_EQ(state.ZoneIdAt(2), 3);
  EXPECT_EQ(state.FindRowByZoneId(4), -1);
  EXPECT_EQ(state.Cell(0, 0), m_zones[0]->GetName());
  EXPECT_EQ(state.Cell(0, 3), "-26");
  EXPECT_EQ(state.Cell(0, 1), m_zones[0]->GetColumnText(CZone::COL_AMPCHAN_NAME));
  EXPECT_EQ(state.Cell(0, 11), "");
}

TEST_F(ZoneListTest, FaultRepliesMarkTheNamedZonesAndNoneClearsThem) {
  MakeZones(3, 3);
  CZoneListState state(&m_doc);
  state.Fill();
  bool changed = false;
  state.ApplyReply({"/SERVICE/ZONETEST/FAULT 1,3", "/SERVICE/ZONETEST/GNDFLT 2"}, &changed);
  EXPECT_TRUE(changed);
  EXPECT_EQ(state.Cell(0, 11), LoadString(34565));
  EXPECT_EQ(state.Cell(1, 11), " ");
  EXPECT_EQ(state.Cell(2, 11), LoadString(34565));
  EXPECT_EQ(state.Cell(1, 12), LoadString(34565));
  state.ApplyReply({"/SERVICE/ZONETEST/FAULT NONE"});
  for (int r = 0; r < 3; ++r) EXPECT_EQ(state.Cell(r, 11), " ");
  // A damaged list marks nothing.
  state.ApplyReply({"/SERVICE/ZONETEST/GNDFLT 2,x"});
  EXPECT_EQ(state.Cell(1, 12), " ");
}

TEST_F(ZoneListTest, ModeAndActiveBuildTheStatusText) {
  CZoneListState state(&m_doc);
  state.ApplyReply({"/SERVICE/ZONETEST/MODE TEST", "/SERVICE/ZONETEST/ACTIVE 1-3"});
  EXPECT_EQ(state.StatusText(), LoadString(34577) + " (1-3 )");
  // The next poll does not stack a second suffix.
  state.ApplyReply({"/SERVICE/ZONETEST/ACTIVE 4"});
  EXPECT_EQ(state.StatusText(), LoadString(34577) + " (4 )");
  state.ApplyReply({"/SERVICE/ZONETEST/MODE IMP"});
  EXPECT_EQ(state.StatusText(), LoadString(34616));
  state.ApplyReply({"/SERVICE/ZONETEST/MODE OFF", "/SERVICE/ZONETEST/ACTIVE 2"});
  EXPECT_EQ(state.StatusText(), "");
}

TEST_F(ZoneListTest, ZoneRepliesUpdateZoneAndCellsAndSkipMalformedLines) {
  MakeZones(2, 2);
  CZoneListState state(&m_doc);
  state.Fill();
  state.ApplyReply({"/VMX/ZONE2/TEST/MEAS 12.5", "/VMX/ZONE2/TEST/NEGTOL 150", "/VMX/ZONE2/TESTVOL -90",
                    "/VMX/ZONE2/TEST/ADJ 3", "/VMX/ZONE2/IMP/MEAS ?", "/VMX/ZONEx/TEST/REF 7", "garbage",
                    "/VMX/ZONE9/TEST/REF 7", "/VMX/ZONE2/TEST/IGNORE POSTOL"});
  EXPECT_EQ(state.Cell(1, 6), "12.5");
  EXPECT_EQ(state.Cell(1, 4), "100");
  EXPECT_EQ(m_zones[1]->GetNegativeTolerance(), 100);
  EXPECT_EQ(state.Cell(1, 3), "-78");
  EXPECT_EQ(state.Cell(1, 10), "3");
  EXPECT_EQ(state.Cell(1, 8), "");
  EXPECT_EQ(state.Cell(1, 7), "");
  EXPECT_EQ(m_zones[1]->GetIgnoreText(), "POSTOL");
  EXPECT_EQ(state.Cell(1, 2), m_zones[1]->GetColumnText(CZone::COL_IGNORE_DISPLAY));
  EXPECT_EQ(state.Cell(0, 6), "");
}

TEST_F(ZoneListTest, RefreshWalksEveryRowOnItsImpedanceReferenceAnswer) {
  MakeZones(3, 3);
  CZoneListState state(&m_doc);
  state.Fill();
  Step step = state.StartRefresh();
  ASSERT_EQ(step.kind, Step::Query);
  ASSERT_EQ(step.lines.size(), 9);
  EXPECT_EQ(step.lines.first(), "/VMX/ZONE1/TEST/MEAS ?");
  EXPECT_EQ(step.lines.last(), "/VMX/ZONE1/IMP/REF ?");
  EXPECT_EQ(step.lines[3], "/VMX/ZONE1/TESTVOL ?");

  // The reply list repeats lines already seen: only the awaited zone's
  // answer moves on.
  auto steps = state.ApplyReply({"/VMX/ZONE1/IMP/MEAS 5", "/VMX/ZONE1/IMP/REF 6"});
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].lines.first(), "/VMX/ZONE2/TEST/MEAS ?");
  EXPECT_EQ(state.Cell(0, 9), "6");
  steps = state.ApplyReply({"/VMX/ZONE1/IMP/REF 6", "/VMX/ZONE2/IMP/REF 1"});
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].lines.first(), "/VMX/ZONE3/TEST/MEAS ?");
  steps = state.ApplyReply({"/VMX/ZONE3/IMP/REF 2"});
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].kind, Step::Finish);
  EXPECT_FALSE(state.IsChainRunning());
  EXPECT_TRUE(state.ApplyReply({"/VMX/ZONE3/IMP/REF 2"}).empty());
}

TEST_F(ZoneListTest, UpdateRefreshesOnlyTheSelectedRows) {
  MakeZones(6, 6);
  CZoneListState state(&m_doc);
  state.Fill();
  Step first;
  EXPECT_FALSE(state.StartUpdate({}, &first));
  ASSERT_TRUE(state.StartUpdate({4, 1}, &first));
  EXPECT_EQ(first.lines.first(), "/VMX/ZONE2/TEST/MEAS ?");
  auto steps = state.ApplyReply({"/VMX/ZONE2/IMP/REF 1"});
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].lines.first(), "/VMX/ZONE5/TEST/MEAS ?");
  steps = state.ApplyReply({"/VMX/ZONE5/IMP/REF 1"});
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].kind, Step::Finish);
}

TEST_F(ZoneListTest, EmptyListFinishesAtOnce) {
  CZoneListState state(&m_doc);
  state.Fill();
  EXPECT_EQ(state.StartRefresh().kind, Step::Finish);
}

TEST_F(ZoneListTest, EditingAToleranceSetsEverySelectedZoneWithinItsLimits) {
  MakeZones(3, 3);
  CZoneListState state(&m_doc);
  state.Fill();
  EXPECT_TRUE(state.ApplyEdit(4, 1, "150", {0, 1, 2}));
  for (int r = 0; r < 3; ++r) {
    EXPECT_EQ(m_zones[r]->GetNegativeTolerance(), 100);
    EXPECT_EQ(state.Cell(r, 4), "100");
  }
  EXPECT_TRUE(state.ApplyEdit(3, 0, "5", {0}));
  EXPECT_EQ(m_zones[0]->GetTestVolume(), 0);
  EXPECT_TRUE(state.ApplyEdit(5, 0, "40", {0, 2}));
  EXPECT_EQ(m_zones[2]->GetPositiveTolerance(), 40);
  EXPECT_EQ(m_zones[1]->GetPositiveTolerance(), 0);
  // Not a number, or an empty (cancelled) edit: nothing changes.
  EXPECT_FALSE(state.ApplyEdit(4, 1, "abc", {0, 1, 2}));
  EXPECT_FALSE(state.ApplyEdit(4, 1, "", {0, 1, 2}));
  EXPECT_EQ(m_zones[1]->GetNegativeTolerance(), 100);
  // Other columns are not edited.
  EXPECT_FALSE(state.ApplyEdit(6, 1, "3", {1}));
}

TEST_F(ZoneListTest, RenamingMakesTheNameUnique) {
  MakeZones(2, 2);
  MessageRecorder recorder;
  CZoneListState state(&m_doc);
  state.Fill();
  ASSERT_TRUE(state.ApplyEdit(0, 1, m_zones[0]->GetName(), {1}));
  EXPECT_NE(m_zones[1]->GetName(), m_zones[0]->GetName());
  EXPECT_EQ(state.Cell(1, 0), m_zones[1]->GetName());
}

TEST_F(ZoneListTest, IgnoreMaskGoesToEverySelectedZone) {
  MakeZones(2, 2);
  CZoneListState state(&m_doc);
  state.Fill();
  state.ApplyIgnoreMask(CZone::IGN_POSTOL | CZone::IGN_GNDFLT, {0, 1});
  EXPECT_EQ(m_zones[0]->GetIgnoreText(), m_zones[1]->GetIgnoreText());
  EXPECT_NE(m_zones[0]->GetIgnoreText(), "NONE");
  EXPECT_EQ(state.Cell(1, 2), m_zones[1]->GetColumnText(CZone::COL_IGNORE_DISPLAY));
}

TEST_F(ZoneListTest, MeasurementLinesNameTheSelectedZones) {
  MakeZones(7, 7);
  CZoneListState state(&m_doc);
  state.Fill();
  EXPECT_EQ(state.MeasurementLine(CZoneListState::Measurement::LineTest, {0, 1, 2, 6}),
            "/SERVICE/ZONETEST/TEST/MEAS 1-3,7");
  EXPECT_EQ(state.MeasurementLine(CZoneListState::Measurement::ImpedanceReference, {}), "/SERVICE/ZONETEST/IMP/REF 0");
  EXPECT_EQ(state.MeasurementLine(CZoneListState::Measurement::LineReference, {3}), "/SERVICE/ZONETEST/TEST/REF 4");
  EXPECT_EQ(state.MeasurementLine(CZoneListState::Measurement::Impedance, {0, 1}), "/SERVICE/ZONETEST/IMP/MEAS 1-2");
}

TEST(ZoneListWidths, StoredWidthsComeBackToTheSameColumns) {
  auto widths = CZoneListState::ParseWidths(QString());
  EXPECT_EQ(widths[0], 125);
  EXPECT_EQ(widths[11], 70);
  EXPECT_EQ(widths[12], 60);
  for (int c = 0; c < CZoneListState::kColumnCount; ++c) widths[c] = 10 + c;
  const QString text = CZoneListState::FormatWidths(widths);
  EXPECT_EQ(text, "10,11,12,13,14,15,16,17,18,19,20,22");
  const auto back = CZoneListState::ParseWidths(text);
  EXPECT_EQ(back[12], 22);
  EXPECT_EQ(back[11], 70);
  EXPECT_EQ(back[10], 20);
  // Short or damaged: the rest keep their defaults.
  const auto part = CZoneListState::ParseWidths("50,x,7");
  EXPECT_EQ(part[0], 50);
  EXPECT_EQ(part[1], 75);
  EXPECT_EQ(part[2], 30);
}

TEST(ZoneListWidths, ProfileRoundTrip) {
  TempProfile profile;
  auto widths = CZoneListState::ReadWidths();
  widths[12] = 99;
  CZoneListState::WriteWidths(widths);
  EXPECT_EQ(CZoneListState::ReadWidths()[12], 99);
}
