// The monitor against the simulated unit over the real link: a download
// lands in the unit's table, and a query run asks for the cleared entries,
// then only for the used ones, and takes their values back.

#include "amps/cmonitor.h"
#include "cmonitorsimfixture.h"
#include "link/ctransfer.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace monitortest;

namespace {

int Code(unsigned index, int field) { return static_cast<int>((index << 16) | static_cast<unsigned>(field)); }

using CMonitorSimTest = MonitorSimTest;

}  // namespace

TEST_F(CMonitorSimTest, TableAndRelaysGoToTheUnitAndComeBack) {
  CMonitor* monitor = CMonitor::EnsureIn(doc);
  CControlPad* pad = AddKCM209Pad(doc, 17);
  ASSERT_TRUE(monitor && pad);
  ASSERT_TRUE(monitor->SetValue(Code(0, CMonitor::KC_AMP_OUT), 31 | (2 << 8)));
  ASSERT_TRUE(monitor->SetValue(Code(2, CMonitor::KC_IN), 2));
  ASSERT_TRUE(monitor->SetValue(Code(2, CMonitor::FIELD_RELAY), pad->GetID()));
  ASSERT_TRUE(Connect(true));

  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*monitor), CTransfer::Result::Done);
  // With the clear token only the used entries and slots are sent.
  EXPECT_EQ(LinesUnder("/MONI/"),
            (QStringList{"/MONI/CLEAR/TABLE ALL", "/MONI/CLEAR/RELAY ALL", "/MONI/TABLE1/SEL AMP_OUT",
                         "/MONI/TABLE1/IDX 1f", "/MONI/TABLE1/AMPCHAN 2", "/MONI/TABLE3/SEL IN", "/MONI/TABLE3/IDX 2",
                         "/MONI/TABLE3/AMPCHAN 1", "/MONI/RELAY3 17"}));
  EXPECT_EQ(sim.Value("/MONI/TABLE1/IDX"), "31");
  EXPECT_EQ(sim.Value("/MONI/RELAY3"), "17");

  // The unit's table was changed on site, and the project forgot its own.
  sim.SetValue("/MONI/TABLE5/SEL", "AMP_IN");
  sim.SetValue("/MONI/TABLE5/IDX", "3");
  sim.SetValue("/MONI/TABLE5/AMPCHAN", "12");
  ASSERT_TRUE(monitor->SetValue(Code(0, CMonitor::KC_OFF), 0));
  ASSERT_TRUE(monitor->SetValue(Code(9, CMonitor::KC_EXT), 0));
  EXPECT_FALSE(monitor->SetValue(Code(2, CMonitor::FIELD_RELAY), 0));
  sim.ClearLog();

  ASSERT_EQ(transfer.UploadObject(*monitor), CTransfer::Result::Done);
  const QStringList asked = LinesUnder("/MONI/");
  EXPECT_EQ(asked.mid(0, 2), (QStringList{"/MONI/CLEAR/TABLE ?", "/MONI/CLEAR/RELAY ?"}));
  EXPECT_EQ(asked.size(), 2 + 9 + 1);
  EXPECT_TRUE(asked.contains("/MONI/TABLE5/AMPCHAN ?"));
  EXPECT_TRUE(asked.contains("/MONI/RELAY3 ?"));
  EXPECT_EQ(monitor->GetValue(Code(0, CMonitor::FIELD_CHOICE)), Code(31 | (2 << 8), CMonitor::KC_AMP_OUT));
  EXPECT_EQ(monitor->GetValue(Code(2, CMonitor::FIELD_CHOICE)), Code(2, CMonitor::KC_IN));
  EXPECT_EQ(monitor->GetValue(Code(4, CMonitor::FIELD_CHOICE)), Code(3 | (12 << 8), CMonitor::KC_AMP_IN));
  EXPECT_EQ(monitor->GetValue(Code(9, CMonitor::FIELD_CHOICE)), CMonitor::KC_OFF);
  EXPECT_EQ(monitor->GetValue(Code(2, CMonitor::FIELD_RELAY)), 17);
  const ConnectionRecord* linked = monitor->FindOutputConnection(3);
  ASSERT_NE(linked, nullptr);
  EXPECT_EQ(linked->pPeer, pad);
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_TRUE(shown.isEmpty());  // nothing was missing
}

TEST_F(CMonitorSimTest, WholeTableWithoutTokenOnTheUpgradedUnit) {
  doc.SetUpgradeFlag(1);
  CMonitor* monitor = CMonitor::EnsureIn(doc);
  ASSERT_TRUE(monitor->SetValue(Code(249, CMonitor::KC_OUT), 4));
  ASSERT_TRUE(Connect(false));
  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*monitor), CTransfer::Result::Done);
  EXPECT_EQ(LinesUnder("/MONI/").size(), 2 + 750 + 80);
  EXPECT_EQ(sim.Value("/MONI/TABLE250/SEL"), "OUT");
  EXPECT_EQ(sim.Value("/MONI/RELAY80"), "0");

  // A unit without the clear tokens is not asked at all, and the user is told.
  sim.ClearLog();
  ASSERT_EQ(transfer.UploadObject(*monitor), CTransfer::Result::Done);
  EXPECT_TRUE(LinesUnder("/MONI/").isEmpty());
  EXPECT_TRUE(messages.Requests().empty());
  // The note is in the project's error file, which is shown.
  EXPECT_EQ(shown, QStringList{dir.filePath("site.err")});
  QFile file(dir.filePath("site.err"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("The monitor was not uploaded."));
}
