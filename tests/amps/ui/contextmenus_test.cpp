// The context menus of zones, groups, LAN groups and relay topologies: the
// entries the canvas shows, their states, and the LAN group's identifier
// choice.

#include "amps/camplifier.h"
#include "amps/cgroup.h"
#include "amps/clangroup.h"
#include "amps/crelaistopology.h"
#include "amps/czone.h"
#include "amps/czonetestsupport.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "shell/cmenuresources.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace zonetest;

namespace {

struct Entry {
  int id;
  QString text;
  bool enabled;
};

// The menu the canvas would show for the object: its resource, with the
// states the object gives the commands.
std::vector<Entry> MenuOf(CBaseDevice& object) {
  EXPECT_TRUE(CMenuResources::Has(object.GetMenuID())) << object.GetMenuID();
  CMenuData menu = CMenuResources::Load(object.GetMenuID());
  object.BuildContextMenu(menu);
  object.UpdateMenu(menu);
  std::vector<Entry> entries;
  for (const CMenuItem& item : menu.Items())
    if (!item.separator && item.id != 0) entries.push_back(Entry{item.id, item.text, item.enabled});
  return entries;
}

std::vector<int> Ids(const std::vector<Entry>& entries) {
  std::vector<int> ids;
  for (const Entry& e : entries) ids.push_back(e.id);
  return ids;
}

const Entry* Find(const std::vector<Entry>& entries, int id) {
  for (const Entry& e : entries)
    if (e.id == id) return &e;
  return nullptr;
}

bool Enabled(CBaseDevice& object, int id) {
  const std::vector<Entry> entries = MenuOf(object);
  const Entry* e = Find(entries, id);
  EXPECT_NE(e, nullptr) << id;
  return e != nullptr && e->enabled;
}

class ContextMenusTest : public testing::Test {
 protected:
  void SetUp() override { SetActiveDoc(&doc); }
  void TearDown() override {
    doc.SetConnected(false);
    SetActiveDoc(nullptr);
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
};

}  // namespace

TEST_F(ContextMenusTest, ZoneMenuAddsGroupsTransfersDeletesAndShowsProperties) {
  CZone* zone = AddZone(doc);
  const std::vector<Entry> entries = MenuOf(*zone);
  EXPECT_EQ(Ids(entries),
            (std::vector<int>{CZone::ID_ADD_GROUP, CZone::ID_ADD_LANGROUP, CZone::ID_ADD_CONTROL_RELAY,
                              ID_DEVICE_DOWNLOAD, ID_DEVICE_UPLOAD, ID_DELETE_OBJECT, CZone::ID_ZONE_PROPERTIES}));
  EXPECT_EQ(Find(entries, CZone::ID_ADD_GROUP)->text, "Add new &group");
  EXPECT_EQ(Find(entries, CZone::ID_ADD_LANGROUP)->text, "Add new LAN group");
  EXPECT_EQ(Find(entries, ID_DELETE_OBJECT)->text, "&Delete");
  EXPECT_EQ(Find(entries, CZone::ID_ZONE_PROPERTIES)->text, "&Properties ...");
  // Off line the transfers are disabled, everything else is offered.
  EXPECT_FALSE(Find(entries, ID_DEVICE_DOWNLOAD)->enabled);
  EXPECT_FALSE(Find(entries, ID_DEVICE_UPLOAD)->enabled);
  EXPECT_TRUE(Find(entries, CZone::ID_ADD_LANGROUP)->enabled);
  EXPECT_TRUE(Find(entries, ID_DELETE_OBJECT)->enabled);
  EXPECT_TRUE(Find(entries, CZone::ID_ZONE_PROPERTIES)->enabled);
  doc.SetConnected(true);
  EXPECT_TRUE(Enabled(*zone, ID_DEVICE_DOWNLOAD));
  EXPECT_TRUE(Enabled(*zone, ID_DEVICE_UPLOAD));
  // The entry adds the LAN group; a second one is not offered.
  ASSERT_TRUE(zone->OnCommand(CZone::ID_ADD_LANGROUP));
  EXPECT_FALSE(Enabled(*zone, CZone::ID_ADD_LANGROUP));
  EXPECT_TRUE(Enabled(*zone, CZone::ID_ADD_GROUP));
}

TEST_F(ContextMenusTest, GroupMenuAddsAGroupBelowExceptOnTheRoot) {
  CGroup* root = CGroup::EnsureRoot(doc);
  CGroup* group = CGroup::CreateIn(doc, QRect(), CGroup::kLevelFromZone);
  ASSERT_NE(root, nullptr);
  ASSERT_NE(group, nullptr);
  const std::vector<Entry> entries = MenuOf(*group);
  EXPECT_EQ(Ids(entries), (std::vector<int>{CGroup::ID_ADD_GROUP, ID_DELETE_OBJECT, CGroup::ID_GROUP_PROPERTIES}));
  EXPECT_EQ(Find(entries, ID_DELETE_OBJECT)->text, "Delete");
  EXPECT_EQ(Find(entries, CGroup::ID_GROUP_PROPERTIES)->text, "Properties ...");
  EXPECT_TRUE(Find(entries, CGroup::ID_ADD_GROUP)->enabled);
  EXPECT_FALSE(Enabled(*root, CGroup::ID_ADD_GROUP));
  // The group added below it is fed by it and takes no further level.
  CGroup* below = group->AddSubGroup();
  ASSERT_NE(below, nullptr);
  EXPECT_FALSE(Enabled(*below, CGroup::ID_ADD_GROUP));
}

TEST_F(ContextMenusTest, LanGroupMenuChangesIdTransfersDeletesAndShowsProperties) {
  CLANGroup* lan = CLANGroup::CreateIn(doc, QRect());
  ASSERT_NE(lan, nullptr);
  const std::vector<Entry> entries = MenuOf(*lan);
  EXPECT_EQ(Ids(entries), (std::vector<int>{CLANGroup::ID_CHANGE_ID, ID_DEVICE_DOWNLOAD, ID_DEVICE_UPLOAD,
                                            ID_DELETE_OBJECT, CLANGroup::ID_LANGROUP_PROPERTIES}));
  EXPECT_EQ(Find(entries, CLANGroup::ID_CHANGE_ID)->text, "Change ID");
  EXPECT_EQ(Find(entries, ID_DELETE_OBJECT)->text, "Delete");
  EXPECT_TRUE(Find(entries, CLANGroup::ID_CHANGE_ID)->enabled);
  EXPECT_FALSE(Find(entries, ID_DEVICE_DOWNLOAD)->enabled);
  doc.SetConnected(true);
  EXPECT_TRUE(Enabled(*lan, ID_DEVICE_UPLOAD));
}

TEST_F(ContextMenusTest, TopologyAndAmplifierMenusDeleteAndShowProperties) {
  CBaseDevice* topology = doc.CreateObject(DT_RELAYTOPOLOGY, CRelaisTopology::KIND_1INN);
  ASSERT_NE(topology, nullptr);
  const std::vector<Entry> entries = MenuOf(*topology);
  EXPECT_EQ(Ids(entries), (std::vector<int>{ID_DELETE_OBJECT, ID_SHOW_PROPERTIES}));
  EXPECT_EQ(entries[0].text, "Delete");
  EXPECT_EQ(entries[1].text, "Properties ...");
  EXPECT_TRUE(entries[0].enabled && entries[1].enabled);

  CMenuData amplifierMenu = CMenuResources::Load(CAmplifier::kMenuId);
  ASSERT_NE(amplifierMenu.FindItem(ID_DELETE_OBJECT), nullptr);
  EXPECT_EQ(amplifierMenu.FindItem(ID_DELETE_OBJECT)->text, "Delete");
  EXPECT_EQ(amplifierMenu.FindItem(ID_SHOW_PROPERTIES)->text, "Properties ...");
}

TEST_F(ContextMenusTest, ChangeIdOffersTheIdentifiersWithTheirHoldersAndMovesTheGroup) {
  CLANGroup* first = CLANGroup::CreateIn(doc, QRect());
  CLANGroup* lan = CLANGroup::CreateIn(doc, QRect());
  ASSERT_NE(first, nullptr);
  ASSERT_NE(lan, nullptr);
  ASSERT_EQ(lan->GetID(), 2);
  first->SetName("Foyer");

  auto pick = [&](const QString& id, bool ok) {
    QStringList preset;
    QString holderOfOne;
    int rows = 0;
    DriveNextModal([&](QWidget* w) {
      auto* list = w->findChild<QTreeWidget*>("choices");
      ASSERT_NE(list, nullptr);
      rows = list->topLevelItemCount();
      for (QTreeWidgetItem* item : list->selectedItems()) preset << item->text(0);
      const auto ones = list->findItems("1", Qt::MatchExactly, 0);
      if (!ones.isEmpty()) holderOfOne = ones.front()->text(1);
      list->clearSelection();
      const auto items = list->findItems(id, Qt::MatchExactly, 0);
      ASSERT_EQ(items.size(), 1);
      items.front()->setSelected(true);
      auto* buttons = w->findChild<QDialogButtonBox*>();
      ASSERT_NE(buttons, nullptr);
      buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
    EXPECT_TRUE(lan->OnCommand(CLANGroup::ID_CHANGE_ID));
    EXPECT_EQ(rows, 64);
    EXPECT_EQ(preset, QStringList{Fmt("%d", 2)});
    EXPECT_EQ(holderOfOne, "Foyer");
  };

  pick("20", false);
  EXPECT_EQ(lan->GetID(), 2);
  // A taken identifier leaves the group where it is.
  pick("1", true);
  EXPECT_EQ(lan->GetID(), 2);
  EXPECT_EQ(first->GetID(), 1);
  pick("20", true);
  EXPECT_EQ(lan->GetID(), 20);
  EXPECT_EQ(doc.FindObjectByPath("/VMX/LANGRP20"), lan);
}
