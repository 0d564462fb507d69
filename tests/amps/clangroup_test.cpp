// LAN groups: the member text built from the members, its display, the
// command line and its upload, the change of identifier, and the record.

#include "czonetestsupport.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "model/commandids.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"

#include <gtest/gtest.h>

using namespace zonetest;

namespace {

// Zones 1..8 and LAN group 3.
class CLANGroupTest : public testing::Test {
 protected:
  void SetUp() override {
    zones = AddZones(doc, 8);
    for (int i = 1; i <= 3; ++i) lan = CLANGroup::CreateIn(doc, QRect());
    ASSERT_EQ(lan->GetID(), 3);
  }

  bool Route(const QString& line, int mode) {
    QString error;
    return doc.RouteReplyLine(line, error, mode);
  }

  RecordingLink link;
  MessageRecorder messages;
  CSelvantisDoc doc;
  std::vector<CZone*> zones;
  CLANGroup* lan = nullptr;
};

}  // namespace

TEST_F(CLANGroupTest, MemberTextListsZonesDirectlyAndThroughGroups) {
  CGroup* group = CGroup::CreateIn(doc, QRect(), CGroup::kLevelFromZone);
  for (int i : {1, 2}) CBaseDevice::Connect(zones[size_t(i)], 0, group, 0);
  // Zones 1, 4 and 7 directly, 2 and 3 through the group; zone 8 is the
  // group's own zone (pin 0), not a member.
  lan->ApplyMembers({zones[0], zones[3], zones[6], group});
  CBaseDevice::Connect(zones[7], 0, lan, CLANGroup::kOwnerPin);
  EXPECT_EQ(lan->GetMemberText(0), "1-4,7");
  EXPECT_EQ(lan->GetToolTipText(), "Zones: 1-4,7");
  doc.SetUpgradeFlag(1);
  EXPECT_EQ(lan->Download(false, -1), 1);
  EXPECT_EQ(lan->Download(false, 0), 1);
  EXPECT_EQ(link.TakeLines(), QStringList{"/VMX/LANGRP3 1-4,7"});
  // The path repeats: the link sends only the part from the blank on.
  EXPECT_EQ(lan->Download(true, 0), 1);
  EXPECT_EQ(link.TakeLines(), QStringList{" ?"});
  link.SetOutBufferCount(600);
  EXPECT_EQ(lan->Download(false, 0), 0);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST_F(CLANGroupTest, RootGroupMemberMeansAllAndNoMemberMeansNoEntry) {
  EXPECT_EQ(lan->GetMemberText(0), "0");
  EXPECT_EQ(lan->GetMemberText(1), "No entry");
  EXPECT_EQ(lan->GetToolTipText(), "Zones: No entry");
  CGroup* root = CGroup::EnsureRoot(doc);
  lan->ApplyMembers({root});
  EXPECT_EQ(lan->GetMemberText(0), "ALL");
  EXPECT_EQ(lan->GetToolTipText(), "Zones: All");
  EXPECT_EQ(lan->GetMemberText(2), "");
  lan->SetMemberText(0, "NONE");
  EXPECT_EQ(lan->GetMemberText(1), "No entry");
  lan->SetMemberText(1, "5");  // only the stored text can be set
  EXPECT_EQ(lan->GetMemberText(0), "NONE");
}

TEST_F(CLANGroupTest, ApplyMembersLinksChosenAndUnlinksTheRest) {
  CBaseDevice::Connect(zones[7], 0, lan, CLANGroup::kOwnerPin);
  lan->ApplyMembers({zones[0], zones[1]});
  lan->ApplyMembers({zones[1], zones[2]});
  EXPECT_EQ(lan->GetMembers(), (std::vector<CBaseDevice*>{zones[1], zones[2]}));
  EXPECT_EQ(lan->GetMemberText(0), "2-3");
  EXPECT_TRUE(zones[0]->GetOutputConnections().empty());
  EXPECT_EQ(zones[2]->FindOutputConnection(0)->nPeerPin, CLANGroup::kMemberPin);
  // The own zone stays linked.
  EXPECT_EQ(lan->FindInputConnection(CLANGroup::kOwnerPin)->pPeer, zones[7]);
  EXPECT_EQ(zones[7]->GetColumnText(CZone::COL_LANGROUP), "3");
  EXPECT_EQ(zones[2]->GetColumnText(CZone::COL_LANGROUP), "OFF");
}

TEST_F(CLANGroupTest, SmallUnitSendsNoLanGroup) {
  EXPECT_EQ(lan->Download(false, -1), 0);
  EXPECT_EQ(lan->Download(false, 0), 1);
  EXPECT_TRUE(link.Lines().isEmpty());
  // The single-object transfer ends at once and sends only the lock lines.
  EXPECT_TRUE(lan->OnCommand(ID_DEVICE_DOWNLOAD));
  EXPECT_EQ(link.TakeLines(), (QStringList{"/MACRO/LOCK ON", "/MACRO/LOCK OFF"}));
  EXPECT_EQ(link.GetLinkMode(), LINKMODE_NORMAL);
  // So does the transfer of a whole project.
  CTransfer transfer;
  EXPECT_EQ(transfer.DownloadProject(doc), CTransfer::Result::Done);
  for (const QString& line : link.Lines()) EXPECT_FALSE(line.startsWith("/VMX/LANGRP")) << line.toStdString();
}

TEST_F(CLANGroupTest, UploadSetsTheMemberTextOutsideADownload) {
  EXPECT_TRUE(Route("/VMX/LANGRP3 4-6", LINKMODE_UPLOAD));
  EXPECT_EQ(lan->GetMemberText(0), "4-6");
  EXPECT_TRUE(Route("/VMX/LANGRP3 ALL", LINKMODE_NORMAL));
  EXPECT_EQ(lan->GetMemberText(0), "ALL");
  EXPECT_FALSE(Route("/VMX/LANGRP3 9", LINKMODE_DOWNLOAD));
  EXPECT_FALSE(Route("/VMX/LANGRP3/X 5", LINKMODE_UPLOAD));
  EXPECT_FALSE(Route("/VMX/LANGRP3 ?", LINKMODE_UPLOAD));
  EXPECT_FALSE(Route("/VMX/LANGRP3", LINKMODE_UPLOAD));
  EXPECT_FALSE(Route("/VMX/LANGRP31 7", LINKMODE_UPLOAD));
  EXPECT_EQ(lan->GetMemberText(0), "ALL");
}

TEST_F(CLANGroupTest, ChangeIdMovesTheReplies) {
  EXPECT_TRUE(lan->ChangeLanGroupID(9));
  EXPECT_EQ(lan->GetID(), 9);
  EXPECT_EQ(lan->GetPath(), "/VMX/LANGRP9");
  EXPECT_TRUE(Route("/VMX/LANGRP9 1-2", LINKMODE_UPLOAD));
  EXPECT_EQ(lan->GetMemberText(0), "1-2");
  EXPECT_FALSE(Route("/VMX/LANGRP3 5", LINKMODE_UPLOAD));
  EXPECT_EQ(lan->GetMemberText(0), "1-2");
  // A taken or impossible identifier is refused.
  CLANGroup* other = CLANGroup::CreateIn(doc, QRect());
  EXPECT_FALSE(other->ChangeLanGroupID(9));
  EXPECT_FALSE(other->ChangeLanGroupID(65));
  // The menu command asks through the installed chooser.
  CLANGroup::IdChooser installed = CLANGroup::SetIdChooser([](CLANGroup&) { return 20; });
  EXPECT_TRUE(other->OnCommand(CLANGroup::ID_CHANGE_ID));
  CLANGroup::SetIdChooser(std::move(installed));
  EXPECT_EQ(other->GetID(), 20);
  EXPECT_EQ(doc.FindObjectByPath("/VMX/LANGRP20"), other);
}

TEST_F(CLANGroupTest, ProjectFileKeepsTheMemberText) {
  lan->SetMemberText(0, "1-4,7");
  auto back = RoundTrip(doc);
  auto* loaded = dynamic_cast<CLANGroup*>(back->GetIDManager().FindBaseDevice(3, DT_LANGROUP));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetMemberText(0), "1-4,7");
  EXPECT_EQ(loaded->GetPath(), "/VMX/LANGRP3");
  EXPECT_EQ(loaded->GetMenuID(), 295);

  // Schema 1 had no member text.
  CSelvantisDoc old;
  auto record = std::make_unique<ampstest::RecordStandIn>("CLANGroup", DT_LANGROUP);
  ASSERT_TRUE(record->Create(CLANGroup::kKind, 2, 0, QString(), QRect(), CAT_MISC, 530, 3, &old));
  old.Adopt(std::move(record));
  QByteArray bytes = SaveProject(old);
  ASSERT_TRUE(PatchSchema(bytes, "CLANGroup", 1));
  auto converted = LoadProject(bytes);
  auto* group = dynamic_cast<CLANGroup*>(converted->GetIDManager().FindBaseDevice(1, DT_LANGROUP));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->GetMemberText(0), "0");
}

TEST_F(CLANGroupTest, ReportHasNameIdAndZones) {
  lan->SetMemberText(0, "2,5");
  std::vector<ReportColumn> columns;
  EXPECT_EQ(lan->GetReportColumns(columns), 1);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].position, 2);
  EXPECT_EQ(columns[1].position, 40);
  EXPECT_EQ(columns[2].position, 60);
  QStringList titles, cells;
  lan->GetReportLine(titles, true);
  lan->GetReportLine(cells, false);
  EXPECT_EQ(titles, (QStringList{"Name", "ID", "Zones"}));
  EXPECT_EQ(cells, (QStringList{lan->GetName(), "3", "2,5"}));
}

TEST_F(CLANGroupTest, DeleteLeavesNoRecords) {
  lan->ApplyMembers({zones[0]});
  EXPECT_TRUE(lan->OnCommand(ID_DELETE_OBJECT));
  EXPECT_FALSE(AnyRecordPointsAt(doc, lan));
  EXPECT_EQ(doc.FindObjectByPath("/VMX/LANGRP3"), nullptr);
}
