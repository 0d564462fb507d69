// Consoles in the "place new object" menu and the console's context menu.

#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "model/cidmanager.h"
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "shell/cmenuresources.h"
#include "shell/cplaceobjectregistry.h"
#include "support/messagerecorder.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Indexes of the console entries in the menu's order.
std::vector<int> ConsoleEntries() {
  std::vector<int> indexes;
  const std::vector<CPlaceObjectRegistry::Entry> entries = CPlaceObjectRegistry::Entries();
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].type == DT_CONSOLE) indexes.push_back(static_cast<int>(i));
  return indexes;
}

int EntryOfModel(int model) {
  const std::vector<CPlaceObjectRegistry::Entry> entries = CPlaceObjectRegistry::Entries();
  for (int index : ConsoleEntries())
    if (entries[size_t(index)].kind == model) return index;
  return -1;
}

TEST(CConsolePlacementTest, EveryModelIsOfferedOnceUnderConsoles) {
  const std::vector<CPlaceObjectRegistry::Entry> entries = CPlaceObjectRegistry::Entries();
  std::set<int> models;
  for (int index : ConsoleEntries()) {
    const CPlaceObjectRegistry::Entry& entry = entries[size_t(index)];
    EXPECT_TRUE(CConsProp::IsKnownModel(entry.kind)) << entry.kind;
    EXPECT_TRUE(models.insert(entry.kind).second) << "offered twice: " << entry.kind;
    EXPECT_EQ(CPlaceObjectRegistry::TextOf(entry), CConsProp::ModelName(entry.kind));
    EXPECT_EQ(entry.group, entries[size_t(ConsoleEntries().front())].group);
    EXPECT_FALSE(entry.group.isEmpty());
  }
  EXPECT_EQ(models, (std::set<int>{CConsProp::RCX6010, CConsProp::RCX6020, CConsProp::RCX6510, CConsProp::RCX6520,
                                   CConsProp::RCX6530, CConsProp::RCX6550, CConsProp::RCX6106, CConsProp::RCX6010X,
                                   CConsProp::RCX6020X, CConsProp::RCX6510X, CConsProp::RCX6520X, CConsProp::RCX6530X,
                                   CConsProp::RCX6550X}));
}

TEST(CConsolePlacementTest, PlacedConsoleHasItsModelKeysAndThePointChosen) {
  CSelvantisDoc doc;
  const int index = EntryOfModel(CConsProp::RCX6520X);
  ASSERT_GE(index, 0);
  ASSERT_TRUE(CPlaceObjectRegistry::CanPlace(index, doc));
  auto* console = dynamic_cast<CConsole*>(CPlaceObjectRegistry::Place(index, doc, QPoint(400, 120)));
  ASSERT_NE(console, nullptr);
  EXPECT_TRUE(doc.Contains(console));
  EXPECT_EQ(console->GetKind(), CConsProp::RCX6520X);
  EXPECT_EQ(console->GetProp().GetModel(), CConsProp::RCX6520X);
  EXPECT_EQ(console->GetProp().GetProgrammableKeyCount(), CConsProp::ModelKeyCount(CConsProp::RCX6520X));
  EXPECT_EQ(console->GetID(), 1);
  EXPECT_EQ(console->GetRect().topLeft(), QPoint(400, 120));
  EXPECT_EQ(console->GetMenuID(), CConsole::kMenuId);
  // Its one pin sits at the middle of the picture's lower edge.
  EXPECT_EQ(console->GetOutputPinPoint(0), QPoint(console->GetRect().center().x() + 1, 168));
}

TEST(CConsolePlacementTest, SecondConsoleAtTheSamePointIsMovedClear) {
  CSelvantisDoc doc;
  const int index = EntryOfModel(CConsProp::RCX6010);
  CBaseDevice* first = CPlaceObjectRegistry::Place(index, doc, QPoint(600, 100));
  CBaseDevice* second = CPlaceObjectRegistry::Place(index, doc, QPoint(600, 100));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetID(), 2);
  EXPECT_FALSE(first->GetRect().intersects(second->GetRect()));
}

TEST(CConsolePlacementTest, FullPoolRefusesTheEntryAndPlacesNothing) {
  CSelvantisDoc doc;
  MessageRecorder messages;
  const int index = EntryOfModel(CConsProp::RCX6010);
  const int pool = CIDManager::GetPoolMaxID(DT_CONSOLE);
  for (int i = 0; i < pool; ++i) ASSERT_NE(CPlaceObjectRegistry::Place(index, doc, QPoint(100 * i, 0)), nullptr) << i;
  EXPECT_FALSE(CPlaceObjectRegistry::CanPlace(index, doc));
  EXPECT_EQ(CPlaceObjectRegistry::Place(index, doc, QPoint(0, 600)), nullptr);
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_CONSOLE), pool);
}

TEST(CConsoleMenuTest, OffersDeleteAndAGreyedPropertiesWhileThereIsNoDialog) {
  ASSERT_TRUE(CMenuResources::Has(CConsole::kMenuId));
  CMenuData menu = CMenuResources::Load(CConsole::kMenuId);
  ASSERT_EQ(menu.Items().size(), 3u);
  EXPECT_EQ(menu.Items()[0].id, ID_DELETE_OBJECT);
  EXPECT_TRUE(menu.Items()[1].separator);
  EXPECT_EQ(menu.Items()[2].id, ID_SHOW_PROPERTIES);
  EXPECT_FALSE(menu.Items()[0].text.isEmpty());
  EXPECT_FALSE(menu.Items()[2].text.isEmpty());

  CSelvantisDoc doc;
  CBaseDevice* console = CPlaceObjectRegistry::Place(EntryOfModel(CConsProp::RCX6010), doc, QPoint(0, 0));
  ASSERT_NE(console, nullptr);
  // The property sheet registers itself; without it Properties is greyed.
  CBaseDevice::PropertiesHandler registered = CBaseDevice::SetPropertiesHandler(DT_CONSOLE, nullptr);
  console->UpdateMenu(menu);
  CBaseDevice::SetPropertiesHandler(DT_CONSOLE, std::move(registered));
  EXPECT_TRUE(menu.FindItem(ID_DELETE_OBJECT)->enabled);
  EXPECT_FALSE(menu.FindItem(ID_SHOW_PROPERTIES)->enabled);
}

TEST(CConsoleMenuTest, PropertiesFollowsTheRegisteredDialog) {
  CSelvantisDoc doc;
  CBaseDevice* console = CPlaceObjectRegistry::Place(EntryOfModel(CConsProp::RCX6010), doc, QPoint(0, 0));
  ASSERT_NE(console, nullptr);
  int shown = 0;
  CBaseDevice::PropertiesHandler registered =
      CBaseDevice::SetPropertiesHandler(DT_CONSOLE, [&shown](CBaseDevice&) { return ++shown > 0; });
  CMenuData menu = CMenuResources::Load(CConsole::kMenuId);
  console->UpdateMenu(menu);
  EXPECT_TRUE(menu.FindItem(ID_SHOW_PROPERTIES)->enabled);
  EXPECT_TRUE(console->OnCommand(ID_SHOW_PROPERTIES));
  EXPECT_EQ(shown, 1);
  CBaseDevice::SetPropertiesHandler(DT_CONSOLE, nullptr);
  menu = CMenuResources::Load(CConsole::kMenuId);
  console->UpdateMenu(menu);
  EXPECT_FALSE(menu.FindItem(ID_SHOW_PROPERTIES)->enabled);
  CBaseDevice::SetPropertiesHandler(DT_CONSOLE, std::move(registered));
}

TEST(CConsoleMenuTest, DeleteRemovesThePlacedConsoleAndFreesItsNumber) {
  CSelvantisDoc doc;
  const int index = EntryOfModel(CConsProp::RCX6020);
  CBaseDevice* console = CPlaceObjectRegistry::Place(index, doc, QPoint(0, 0));
  ASSERT_NE(console, nullptr);
  EXPECT_TRUE(console->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(doc.GetIDManager().GetCount(DT_CONSOLE), 0);
  CBaseDevice* again = CPlaceObjectRegistry::Place(index, doc, QPoint(0, 0));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->GetID(), 1);
}

}  // namespace
