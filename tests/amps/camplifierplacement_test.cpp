// Every amplifier model is offered in the drawing's "place new object" menu
// and lands at the point chosen, although its class creates it 270 units
// right of the point it is given.

#include "amps/camplifier.h"
#include "model/cselvantisdoc.h"
#include "shell/cplaceobjectregistry.h"

#include <gtest/gtest.h>

namespace {

TEST(CAmplifierPlacementTest, EveryModelCanBePlaced) {
  const std::vector<CPlaceObjectRegistry::Entry> entries = CPlaceObjectRegistry::Entries();
  std::vector<int> models;
  int firstIndex = -1;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].type != DT_AMPLIFIER) continue;
    if (firstIndex < 0) firstIndex = static_cast<int>(i);
    models.push_back(entries[i].kind);
    EXPECT_FALSE(CPlaceObjectRegistry::TextOf(entries[i]).isEmpty());
  }
  ASSERT_EQ(models.size(), 18u);
  for (int row = 0; row < 18; ++row) EXPECT_EQ(models[size_t(row)], CAmplifier::GetTypeRow(row)->kind);

  CSelvantisDoc doc;
  ASSERT_TRUE(CPlaceObjectRegistry::CanPlace(firstIndex, doc));
  CBaseDevice* placed = CPlaceObjectRegistry::Place(firstIndex, doc, QPoint(30, 50));
  ASSERT_NE(placed, nullptr);
  EXPECT_TRUE(doc.Contains(placed));
  EXPECT_EQ(placed->GetKind(), CAmplifier::GetTypeRow(0)->kind);
  EXPECT_EQ(placed->GetRect().topLeft(), QPoint(30, 50));
}

}  // namespace

#include "model/commandids.h"
#include "shell/cmenuresources.h"

namespace {

TEST(CAmplifierPlacementTest, ContextMenuOffersTheRelayTopologies) {
  ASSERT_TRUE(CMenuResources::Has(CAmplifier::kMenuId));
  CMenuData menu = CMenuResources::Load(CAmplifier::kMenuId);
  ASSERT_FALSE(menu.IsEmpty());
  ASSERT_TRUE(menu.Items()[0].IsSubmenu());
  const std::vector<CMenuItem>& sub = menu.Items()[0].submenu;
  ASSERT_EQ(sub.size(), 3u);
  EXPECT_EQ(sub[0].id, CAmplifier::ID_TOPOLOGY_DIRECT);
  EXPECT_EQ(sub[0].text, QStringLiteral("Direct"));
  EXPECT_EQ(sub[1].text, QStringLiteral("1 in N"));
  EXPECT_EQ(sub[2].id, CAmplifier::ID_TOPOLOGY_PROGPAGE);
  EXPECT_EQ(sub[2].text, QStringLiteral("Program/Page"));
  EXPECT_NE(menu.FindItem(ID_DELETE_OBJECT), nullptr);
  EXPECT_NE(menu.FindItem(ID_SHOW_PROPERTIES), nullptr);
  // Nothing in it is disabled by the amplifier.
  CAmplifier amp;
  amp.UpdateMenu(menu);
  EXPECT_TRUE(menu.FindItem(ID_DELETE_OBJECT)->enabled);
  EXPECT_TRUE(menu.FindItem(CAmplifier::ID_TOPOLOGY_1INN)->enabled);
}

}  // namespace
