// The line-test window's zone list on the real link and the simulated unit:
// its Device > Download of the selected zones goes out without the macro
// lock, a transfer of the list that fails says so once, and a refresh shows
// the unit's measurements without changing the project.
#include "amps/czonetestsupport.h"
#include "link/ccommlink.h"
#include "link/linkmode.h"
#include "model/cstringtable.h"
#include "online/czonelistview.h"
#include "online/czonetestfrm.h"
#include "shell/controls/cframehostdialog.h"
#include "support/simlinktest.h"
#include "support/waituntil.h"
#include "zonehandlers.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QTreeWidgetItem>

#include <memory>

namespace {

class CZoneListViewSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim(RegisterZoneHandlers);
    doc.OnNewDocument();
    SetActiveDoc(&doc);
    auto* amp = zonetest::AddAmplifier(doc, zonetest::kAmpBus4);
    ASSERT_NE(amp, nullptr);
    for (int i = 0; i < 3; ++i) {
      CZone* zone = zonetest::AddZone(doc);
      ASSERT_NE(zone, nullptr);
      CBaseDevice::Connect(amp, i, zone, 0);
    }
  }
  void TearDown() override {
    if (host) host->reject();
    host.reset();
    SetActiveDoc(nullptr);
    SimLinkTest::TearDown();
  }

  // The line-test window's zone list, with the row of zone n selected by a
  // click.
  CZoneListView* OpenWithRowSelected(int row) {
    host = std::make_unique<CFrameHostDialog>(&doc, HostFrameKind::LineTest);
    host->show();
    auto* frame = qobject_cast<CZonetestFrm*>(host->GetFrame());
    if (!frame) return nullptr;
    CZoneListView* list = frame->ListView();
    QTreeWidgetItem* item = list->topLevelItem(row);
    if (!item) return nullptr;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    return list;
  }

  // The command of the list's Device menu.
  static QAction* DeviceAction(QMenu& menu, uint32_t id) {
    for (QAction* action : menu.findChildren<QAction*>())
      if (action->text() == LoadString(id)) return action;
    return nullptr;
  }

  std::unique_ptr<CFrameHostDialog> host;
};

}  // namespace

TEST_F(CZoneListViewSimTest, DownloadOfTheSelectedZonesGoesOutWithoutTheMacroLock) {
  ASSERT_TRUE(Connect());
  CZoneListView* list = OpenWithRowSelected(1);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->SelectedRows(), std::vector<int>{1});
  QList<int> modes;
  QObject::connect(link.get(), &CCommLink::linkModeChanged, [&](int mode) { modes << mode; });
  sim.ClearLog();
  std::unique_ptr<QMenu> menu(list->CreateContextMenu());
  QAction* download = DeviceAction(*menu, CZoneListView::kDeviceDownload);
  ASSERT_NE(download, nullptr);
  ASSERT_TRUE(download->isEnabled());
  download->trigger();
  // The selected zone's lines, and not one of the others.
  ASSERT_TRUE(WaitUntil([&] { return !LinesUnder("/VMX/ZONE2/").isEmpty() && link->OutBufferCount() == 0; }));
  QTest::qWait(200);
  EXPECT_TRUE(LinesUnder("/VMX/ZONE1/").isEmpty());
  EXPECT_TRUE(LinesUnder("/VMX/ZONE3/").isEmpty());
  EXPECT_FALSE(sim.ReceivedLines().contains("/MACRO/LOCK ON")) << sim.ReceivedLines().join(", ").toStdString();
  EXPECT_FALSE(sim.ReceivedLines().contains("/MACRO/LOCK OFF"));
  EXPECT_TRUE(modes.contains(LINKMODE_NONE));
  EXPECT_FALSE(modes.contains(LINKMODE_DOWNLOAD));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CZoneListViewSimTest, ATransferOfTheListThatFailsSaysSoOnce) {
  ASSERT_TRUE(Connect());
  CZoneListView* list = OpenWithRowSelected(0);
  ASSERT_NE(list, nullptr);
  // The unit takes the lines but confirms none.
  sim.SetSilent(true);
  std::unique_ptr<QMenu> menu(list->CreateContextMenu());
  QAction* download = DeviceAction(*menu, CZoneListView::kDeviceDownload);
  ASSERT_NE(download, nullptr);
  download->trigger();
  ASSERT_TRUE(WaitUntil([&] { return !messages.Requests().empty(); }));
  QTest::qWait(200);  // a second message would come now
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("did not confirm"));
}

// Refresh display shows what the unit measured; that is no change of the
// project, which has nothing new to save.
TEST_F(CZoneListViewSimTest, RefreshShowsTheMeasurementsWithoutChangingTheProject) {
  ASSERT_TRUE(Connect());
  sim.SetValue("/VMX/ZONE1/TEST/MEAS", "4.7");
  sim.SetValue("/VMX/ZONE1/IMP/MEAS", "120");
  CZoneListView* list = OpenWithRowSelected(0);
  ASSERT_NE(list, nullptr);
  auto* frame = qobject_cast<CZonetestFrm*>(host->GetFrame());
  ASSERT_NE(frame, nullptr);
  QAction* refresh = frame->Action(CZoneListView::kRefreshDisplay);
  ASSERT_NE(refresh, nullptr);
  QWidget* button = nullptr;
  for (QToolBar* bar : frame->findChildren<QToolBar*>())
    if (QWidget* widget = bar->widgetForAction(refresh)) button = widget;
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isEnabled());
  doc.SetModifiedFlag(false);
  QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_TRUE(WaitUntil([&] { return list->topLevelItem(0)->text(6) == "4.7" && !list->State().IsChainRunning(); }));
  ASSERT_TRUE(WaitUntil([&] { return list->topLevelItem(2)->text(9) == "0" && !list->State().IsChainRunning(); }));
  EXPECT_EQ(list->topLevelItem(0)->text(8), "120");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(messages.Requests().empty());
}
