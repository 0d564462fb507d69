// Groups: the root group's clear commands, the three group levels and what
// the context menu allows, deletion, and the record in the project file.

#include "czonetestsupport.h"
#include "model/ccmdui.h"
#include "model/commandids.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"

#include <gtest/gtest.h>

using namespace zonetest;

namespace {

QStringList RunDownload(CBaseDevice& object, bool query, RecordingLink& link) {
  link.Clear();
  const int count = object.Download(query, -1);
  for (int step = 0; step < count;) {
    const int next = object.Download(query, step);
    if (next <= step) break;
    step = next;
  }
  return link.TakeLines();
}

}  // namespace

TEST(CGroupTest, RootGroupSendsTheClearCommands) {
  RecordingLink link;
  CSelvantisDoc doc;
  CGroup* root = CGroup::EnsureRoot(doc);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetPath(), "/VMX/CLEAR");
  EXPECT_EQ(root->Download(false, -1), 2);
  EXPECT_EQ(RunDownload(*root, false, link), (QStringList{"/VMX/CLEAR/ZONE ALL", "/VMX/CLEAR/COLLCALL ALL"}));
  doc.SetUpgradeFlag(1);
  EXPECT_EQ(RunDownload(*root, false, link),
            (QStringList{"/VMX/CLEAR/ZONE ALL", "/VMX/CLEAR/COLLCALL ALL", "/VMX/CLEAR/LANGRP ALL"}));
  // Queries leave the value out and end with the blank.
  EXPECT_EQ(RunDownload(*root, true, link),
            (QStringList{"/VMX/CLEAR/ZONE ", "/VMX/CLEAR/COLLCALL ", "/VMX/CLEAR/LANGRP "}));
  // A full output buffer repeats the step.
  link.SetOutBufferCount(512);
  EXPECT_EQ(root->Download(false, 0), 0);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST(CGroupTest, OtherGroupsSendNothingAndRepliesChangeNothing) {
  RecordingLink link;
  CSelvantisDoc doc;
  CGroup::EnsureRoot(doc);
  CGroup* five = nullptr;
  for (int i = 1; i <= 5; ++i) five = CGroup::CreateIn(doc, QRect(), CGroup::kLevelFromZone);
  ASSERT_EQ(five->GetID(), 5);
  EXPECT_EQ(five->GetPath(), "/GROUP5");
  EXPECT_EQ(five->Download(false, -1), 0);
  EXPECT_TRUE(RunDownload(*five, false, link).isEmpty());
  QString error;
  const QString name = five->GetName();
  doc.RouteReplyLine("/GROUP5/NAME Other", error, 7);
  doc.RouteReplyLine("/VMX/CLEAR/ZONE ALL", error, 7);
  EXPECT_EQ(five->GetName(), name);
}

TEST(CGroupTest, NewProjectHasTheRootGroupFirst) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  CBaseDevice* first = doc.GetFirstObject(CAT_GROUPS);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetType(), DT_GROUP);
  EXPECT_EQ(first->GetID(), 0);
  EXPECT_EQ(static_cast<CGroup*>(first)->GetLevel(), CGroup::kLevelRoot);
  EXPECT_EQ(doc.FindObjectByPath("/VMX/CLEAR"), first);
  // Only one, however often the providers run.
  CGroup::EnsureRoot(doc);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_GROUP), 1);
}

TEST(CGroupTest, ANewProjectsRootGroupStandsBesideTheUnitALoadedOneStaysWhereItWas) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  CGroup* root = CGroup::FindRoot(doc);
  ASSERT_NE(root, nullptr);
  QRect unit;
  for (const CBaseDevice* object : doc.GetAllObjects())
    if (object != root && !object->GetRect().isEmpty()) unit |= object->GetBoundingRect();
  ASSERT_FALSE(unit.isEmpty());
  // Above the right end of the unit's blocks, where the zones made beside
  // the amplifiers above the slots end up: not 2,000 units away at the top
  // left, where every zone's wire to it crossed the drawing.
  const QRect at = root->GetBoundingRect();
  EXPECT_LT(at.bottom(), unit.top());
  EXPECT_GT(at.top(), unit.top() - 400);
  EXPECT_GE(at.left(), unit.center().x());
  EXPECT_LE(at.right(), unit.right());
  for (const CBaseDevice* object : doc.GetAllObjects())
    if (object != root && !object->GetRect().isEmpty()) {
      EXPECT_FALSE(object->GetBoundingRect().intersects(at)) << object->GetName().toStdString();
    }
  EXPECT_FALSE(doc.IsModified());

  // A project keeps the place its file gives the root group.
  root->Move(100 - root->GetRect().left(), -root->GetRect().top(), false);
  auto back = RoundTrip(doc);
  ASSERT_NE(CGroup::FindRoot(*back), nullptr);
  EXPECT_EQ(CGroup::FindRoot(*back)->GetRect().topLeft(), QPoint(100, 0));
}

TEST(CGroupTest, LevelsOfAddedGroupsAndTheLimit) {
  CSelvantisDoc doc;
  MessageRecorder messages;
  CZone* zone = AddZone(doc);
  auto* fromZone = static_cast<CGroup*>(zone->AddNewGroup());
  ASSERT_NE(fromZone, nullptr);
  EXPECT_EQ(fromZone->GetLevel(), 1);
  EXPECT_TRUE(fromZone->OnCommand(CGroup::ID_ADD_GROUP));
  auto* below = dynamic_cast<CGroup*>(doc.GetIDManager().FindBaseDevice(2, DT_GROUP));
  ASSERT_NE(below, nullptr);
  EXPECT_EQ(below->GetLevel(), 2);
  // The parent becomes a member of the new group: its output 0 to input 0.
  ASSERT_NE(below->FindInputConnection(0), nullptr);
  EXPECT_EQ(below->FindInputConnection(0)->pPeer, fromZone);
  EXPECT_EQ(fromZone->FindOutputConnectionOfType(0, DT_GROUP)->pPeer, below);
  // No third level.
  EXPECT_TRUE(below->OnCommand(CGroup::ID_ADD_GROUP));
  EXPECT_TRUE(messages.SawText("You cannot add an additional group level !"));
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_GROUP), 2);
}

TEST(CGroupTest, AddNewGroupIsDisabledOnTheRootAndOnGroupsOfGroups) {
  CSelvantisDoc doc;
  CGroup* root = CGroup::EnsureRoot(doc);
  CGroup* plain = CGroup::CreateIn(doc, QRect(), CGroup::kLevelFromZone);
  CGroup* parent = CGroup::CreateIn(doc, QRect(), CGroup::kLevelAdded);
  CBaseDevice::Connect(plain, 0, parent, 0);
  auto enabled = [](CGroup* group) {
    CCmdUI ui(CGroup::ID_ADD_GROUP);
    group->OnUpdateCommandUI(ui);
    return ui.IsEnabled();
  };
  EXPECT_FALSE(enabled(root));
  EXPECT_TRUE(enabled(plain));
  EXPECT_FALSE(enabled(parent));
  // A zone among the members does not count.
  CZone* zone = AddZone(doc);
  CBaseDevice::Connect(zone, 0, plain, 0);
  EXPECT_TRUE(enabled(plain));
  CCmdUI remove(ID_DELETE_OBJECT);
  plain->OnUpdateCommandUI(remove);
  EXPECT_TRUE(remove.IsEnabled());
}

TEST(CGroupTest, RootGroupCannotBeDeletedOthersLeaveNoRecords) {
  CSelvantisDoc doc;
  CGroup* root = CGroup::EnsureRoot(doc);
  CZone* zone = AddZone(doc);
  CBaseDevice::Connect(zone, 0, root, 0);
  EXPECT_TRUE(root->OnCommand(ID_DELETE_OBJECT));
  EXPECT_TRUE(doc.Contains(root));
  EXPECT_EQ(zone->FindOutputConnection(0)->pPeer, root);

  auto* group = static_cast<CGroup*>(zone->AddNewGroup());
  CGroup* below = group->AddSubGroup();
  ASSERT_NE(below, nullptr);
  EXPECT_TRUE(group->OnCommand(ID_DELETE_OBJECT));
  EXPECT_FALSE(doc.Contains(group));
  EXPECT_FALSE(AnyRecordPointsAt(doc, group));
  EXPECT_EQ(zone->FindOutputConnectionOfType(0, DT_GROUP)->pPeer, root);
  EXPECT_TRUE(below->GetInputConnections().empty());
}

TEST(CGroupTest, ProjectFileKeepsLevelsAndTheRootPath) {
  CSelvantisDoc doc;
  CGroup::EnsureRoot(doc);
  CZone* zone = AddZone(doc);
  auto* group = static_cast<CGroup*>(zone->AddNewGroup());
  group->AddSubGroup();
  auto back = RoundTrip(doc);
  auto level = [&](int id) {
    return static_cast<CGroup*>(back->GetIDManager().FindBaseDevice(id, DT_GROUP))->GetLevel();
  };
  EXPECT_EQ(level(0), 3);
  EXPECT_EQ(level(1), 1);
  EXPECT_EQ(level(2), 2);
  EXPECT_EQ(back->FindObjectByPath("/VMX/CLEAR"), back->GetIDManager().FindBaseDevice(0, DT_GROUP));
  EXPECT_EQ(back->GetFirstObject(CAT_GROUPS)->GetID(), 0);
  EXPECT_EQ(back->GetIDManager().FindBaseDevice(1, DT_GROUP)->GetMenuID(), 111);
}

TEST(CGroupTest, ZonesOfAGroupReachTwoLevelsDown) {
  CSelvantisDoc doc;
  std::vector<CZone*> zones = AddZones(doc, 4);
  CGroup* top = CGroup::CreateIn(doc, QRect(), 2);
  CGroup* middle = CGroup::CreateIn(doc, QRect(), 1);
  CGroup* bottom = CGroup::CreateIn(doc, QRect(), 1);
  CBaseDevice::Connect(zones[0], 0, top, 0);
  CBaseDevice::Connect(middle, 0, top, 0);
  CBaseDevice::Connect(zones[1], 0, middle, 0);
  CBaseDevice::Connect(bottom, 0, middle, 0);
  CBaseDevice::Connect(zones[3], 0, bottom, 0);
  BitSet bits = MakeBitSet(100);
  CGroup::AddZonesOf(*top, bits);
  EXPECT_EQ(FormatRangeList(bits, 100), "1-2");
}
