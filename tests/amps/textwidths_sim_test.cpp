// Hostile texts from the simulated unit over the real link: each text field
// of the zones, the LAN groups and the monitor keeps no more than its width
// of an upload, cleaned of control characters, and the next download sends
// it back no longer; nor does a download send more of a project file whose
// texts are longer than their fields.
#include "amps/cmonitor.h"
#include "czonetestsupport.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "monitorhandlers.h"
#include "support/hostiletext.h"
#include "support/projectbytes.h"
#include "support/simlinktest.h"
#include "zonehandlers.h"

#include <gtest/gtest.h>

using namespace zonetest;

namespace {

class AmpsTextWidthSimTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim([](UnitSimulator& unit) {
      RegisterZoneHandlers(unit);
      RegisterMonitorHandlers(unit);
    });
    doc.SetUpgradeFlag(1);
  }
};

}  // namespace

TEST_F(AmpsTextWidthSimTest, EveryTextFieldIsCutToItsWidthAndSentBackNoLonger) {
  CZone* zone = AddZone(doc);
  CLANGroup* lan = CLANGroup::CreateIn(doc, QRect());
  CMonitor* monitor = CMonitor::EnsureIn(doc);
  ASSERT_TRUE(zone && lan && monitor);
  // A zone's name is never queried: this unit reports it with the zone's
  // test volume.
  sim.SetValue("/VMX/ZONE1/TESTVOL", "-26");
  sim.RegisterHandler("/VMX/ZONE1/TESTVOL",
                      [](UnitSimulator&, const UnitSimulator::Command& command, QStringList& replies) {
                        if (command.IsQuery()) replies << "/VMX/ZONE1/NAME " + HostileText();
                        return false;
                      });
  const HostileTextField rows[] = {
      {"/VMX/ZONE1/NAME", 32, 308, zone, [&] { return zone->GetName(); }, false},
      {"/VMX/ZONE1/TEST/IGNORE", 32, 308, zone, [&] { return zone->GetColumnText(CZone::COL_IGNORE); }, true},
      // Range lists are long: the unit's text is longer than their width.
      {"/VMX/LANGRP1", 499, 700, lan, [&] { return lan->GetMemberText(0); }, true},
      {"/MONI/TABLE1/SEL", 16, 308, monitor,
       [&] {
         QString kind;
         return monitor->GetColumnText(kind, CMonitor::FIELD_KIND);
       },
       true},
  };
  ASSERT_TRUE(Connect());
  for (const auto& row : rows) {
    if (row.sentBack) sim.SetValue(row.path, HostileText(row.chars));
    const QString cut = HostileTextCut(row.width, row.chars);
    ASSERT_EQ(cut.size(), row.width);
    CTransfer transfer;
    ASSERT_EQ(transfer.UploadObject(*row.object), CTransfer::Result::Done) << row.path.toStdString();
    EXPECT_EQ(row.stored(), cut) << row.path.toStdString();
    if (!row.sentBack) continue;
    sim.ClearLog();
    ASSERT_EQ(transfer.DownloadObject(*row.object), CTransfer::Result::Done) << row.path.toStdString();
    EXPECT_EQ(LinesUnder(row.path + " "), QStringList{row.path + " " + cut}) << row.path.toStdString();
  }
}

TEST_F(AmpsTextWidthSimTest, OverLongTextsOfAProjectFileAreSentNoLonger) {
  CSelvantisDoc source;
  source.SetUpgradeFlag(1);
  CZone* zone = AddZone(source);
  CLANGroup* lan = CLANGroup::CreateIn(source, QRect());
  CMonitor* monitor = CMonitor::EnsureIn(source);
  ASSERT_TRUE(zone && lan && monitor);
  zone->SetColumnText(CZone::COL_IGNORE, "IgnoreMark");
  lan->SetMemberText(0, "LanMark");
  QString error;
  ASSERT_TRUE(monitor->Upload("MONI/TABLE1/SEL KindMark", error, LINKMODE_UPLOAD));
  const struct {
    QString path;
    QString mark;
    int width;
  } rows[] = {{"/VMX/ZONE1/TEST/IGNORE", "IgnoreMark", 32},
              {"/VMX/LANGRP1", "LanMark", 499},
              {"/MONI/TABLE1/SEL", "KindMark", 16}};
  QByteArray bytes = SaveProject(source);
  const QString tail(600, QChar('x'));
  for (const auto& row : rows) ASSERT_TRUE(ReplaceText(bytes, row.mark, row.mark + tail)) << row.path.toStdString();
  ASSERT_TRUE(LoadProject(doc, bytes));

  ASSERT_TRUE(Connect());
  CTransfer transfer;
  for (CBaseDevice* object : {doc.FindObjectByPath("/VMX/ZONE1"), doc.FindObjectByPath("/VMX/LANGRP1"),
                              static_cast<CBaseDevice*>(CMonitor::Find(&doc))}) {
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(transfer.DownloadObject(*object), CTransfer::Result::Done);
  }
  for (const auto& row : rows) {
    EXPECT_EQ(LinesUnder(row.path + " "), QStringList{row.path + " " + (row.mark + tail).left(row.width)})
        << row.path.toStdString();
  }
}
