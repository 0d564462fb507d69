// The zone list of the line-test window on the real link and the simulated
// unit: the status poll gets answers, not "ERROR", measurements and
// references reach the unit, a line that leaves its reference shows its
// fault, and the refresh shows the measured values.
#include "amps/czonetestsupport.h"
#include "model/cstringtable.h"
#include "online/czonelistview.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"
#include "zonehandlers.h"
#include "zonetesthandlers.h"

#include <QApplication>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CZoneTestSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim([this](UnitSimulator& s) {
      RegisterZoneHandlers(s);
      if (WithLineTest()) RegisterZoneTestHandlers(s);
    });
    // Three zones, each on an output of an amplifier on the bus (the list
    // shows fed zones).
    auto* amp = zonetest::AddAmplifier(doc, zonetest::kAmpBus4);
    ASSERT_NE(amp, nullptr);
    const std::vector<CZone*> zones = zonetest::AddZones(doc, 3);
    for (int i = 0; i < 3; ++i) CBaseDevice::Connect(amp, i, zones[static_cast<size_t>(i)], 0);
    SetActiveDoc(&doc);
  }
  void TearDown() override {
    SetActiveDoc(nullptr);
    SimLinkTest::TearDown();
  }
  virtual bool WithLineTest() const { return true; }

  QString pane;

  // Whether every line sent so far has been taken by the unit.
  bool Sent() {
    return WaitUntil([&] { return link->OutBufferCount() == 0; });
  }

  // The zone list on line; its status pane's text goes to pane.
  std::unique_ptr<CZoneListView> OpenList() {
    auto view = std::make_unique<CZoneListView>(&doc, nullptr);
    view->SetStatusPane([this](const QString& text) { pane = text; });
    view->OnInitialUpdate();
    return view;
  }

  bool AnsweredWithError() const {
    for (const MonitorEntry& entry : link->Monitor().Entries())
      if (entry.direction == MonitorEntry::Received && entry.text.startsWith(QStringLiteral("ERROR"))) return true;
    return false;
  }
};

TEST_F(CZoneTestSimTest, TheLineTestCanBeTriedWithTheSimulatedUnit) {
  ASSERT_TRUE(Connect());
  std::unique_ptr<CZoneListView> list = OpenList();
  CZoneListView& view = *list;
  ASSERT_EQ(view.topLevelItemCount(), 3);

  // Measure all three lines and take the measurements as references.
  view.SelectAllRows();
  view.StartLineTestMeasurement();
  ASSERT_TRUE(Sent());
  view.SetLineTestReference();
  ASSERT_TRUE(Sent());
  view.StartImpedanceMeasurement();
  ASSERT_TRUE(Sent());
  EXPECT_EQ(LinesUnder("/SERVICE/ZONETEST/"),
            (QStringList{"/SERVICE/ZONETEST/TEST/MEAS 1-3", "/SERVICE/ZONETEST/TEST/REF 1-3",
                         "/SERVICE/ZONETEST/IMP/MEAS 1-3"}));
  // The line of zone 2 changes: measured again it leaves its reference.
  sim.SetValue("/SIM/ZONE2/LINE", "130");
  view.StartLineTestMeasurement();
  ASSERT_TRUE(Sent());

  // The status poll: no line test runs, zone 2 has a line fault.
  view.OnTimer(CZoneListView::kTimerId);
  const QString error = LoadString(34565);
  ASSERT_TRUE(WaitUntil([&] { return view.topLevelItem(1)->text(11) == error; }));
  EXPECT_NE(view.topLevelItem(0)->text(11), error);
  EXPECT_NE(view.topLevelItem(2)->text(11), error);
  EXPECT_TRUE(pane.isEmpty()) << "MODE OFF clears the pane: " << pane.toStdString();

  // Refresh display: every row shows the unit's values.
  view.OnRefreshDisplay();
  ASSERT_TRUE(WaitUntil([&] { return view.IsPolling(); })) << "the refresh chain ends";
  EXPECT_EQ(view.topLevelItem(1)->text(6), "130");
  EXPECT_EQ(view.topLevelItem(1)->text(7), "100");
  EXPECT_EQ(view.topLevelItem(0)->text(6), "100");
  EXPECT_EQ(view.topLevelItem(0)->text(8), "50");
  EXPECT_FALSE(AnsweredWithError()) << "every query has its answer";
}

// A unit without the line test answers its queries with "ERROR <path>":
// the window skips those lines, as for any line that names no zone, and
// goes on polling with its columns and status as they were.
class CZoneTestSimWithoutLineTestTest : public CZoneTestSimTest {
 protected:
  bool WithLineTest() const override { return false; }
};

TEST_F(CZoneTestSimWithoutLineTestTest, ErrorAnswersLeaveTheColumnsAsTheyWere) {
  ASSERT_TRUE(Connect());
  std::unique_ptr<CZoneListView> list = OpenList();
  CZoneListView& view = *list;
  ASSERT_EQ(view.topLevelItemCount(), 3);
  const QString before = view.topLevelItem(0)->text(11);
  view.OnTimer(CZoneListView::kTimerId);
  ASSERT_TRUE(WaitUntil([&] {
    for (const MonitorEntry& entry : link->Monitor().Entries())
      if (entry.text == QStringLiteral("ERROR /SERVICE/ZONETEST/GNDFLT")) return true;
    return false;
  }));
  QApplication::processEvents();
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(view.topLevelItem(row)->text(11), before);
    EXPECT_EQ(view.topLevelItem(row)->text(12), before);
  }
  EXPECT_TRUE(pane.isEmpty());
  EXPECT_TRUE(view.IsPolling());
}

}  // namespace
