// New blocks go to the nearest free place beside what they belong to and
// never onto another block: an amplifier placed on a crowded spot, a relay
// topology made from its menu (right of it), the topology's zones (in a
// column right of the topology, none on another one's name).
#include "amps/camplifier.h"
#include "amps/crelaistopology.h"
#include "amps/czone.h"
#include "model/cfreeplace.h"
#include "model/cselvantisdoc.h"
#include "shell/cplaceobjectregistry.h"
#include "support/dialogdriver.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

QRect Bounds(const CBaseDevice* object) {
  return object->GetBoundingRect().isEmpty() ? object->GetRect() : object->GetBoundingRect();
}

// The pairs of blocks (at least one of them new) whose pictures, pins or
// names lie on each other.
std::vector<std::pair<CBaseDevice*, CBaseDevice*>> Overlaps(const CSelvantisDoc& doc,
                                                            const std::set<const CBaseDevice*>& before) {
  std::vector<CBaseDevice*> placed;
  for (CBaseDevice* object : doc.GetAllObjects())
    if (object->GetRect() != QRect()) placed.push_back(object);
  std::vector<std::pair<CBaseDevice*, CBaseDevice*>> overlaps;
  for (size_t i = 0; i < placed.size(); ++i)
    for (size_t k = i + 1; k < placed.size(); ++k) {
      if (before.count(placed[i]) && before.count(placed[k])) continue;
      if (Bounds(placed[i]).intersects(Bounds(placed[k]))) overlaps.emplace_back(placed[i], placed[k]);
    }
  return overlaps;
}

int AmplifierEntry() {
  const std::vector<CPlaceObjectRegistry::Entry> entries = CPlaceObjectRegistry::Entries();
  for (size_t i = 0; i < entries.size(); ++i)
    if (entries[i].type == DT_AMPLIFIER) return static_cast<int>(i);
  return -1;
}

void RunTopologyCommand(CAmplifier* amp, int command) {
  DriveNextModal([](QWidget* w) {
    if (auto* dialog = qobject_cast<QDialog*>(w))
      dialog->reject();
    else
      w->close();
  });
  EXPECT_TRUE(amp->OnCommand(command));
  CancelModalDrivers();
}

TEST(BlockPlacementTest, FreeOffsetFindsTheNearestRoomAlongItsDirection) {
  const std::vector<QRect> occupied = {QRect(0, 0, 100, 100), QRect(120, 0, 100, 100)};
  EXPECT_EQ(CFreePlace::FreeOffset(QRect(300, 0, 50, 50), occupied, CFreePlace::Direction::Right), QPoint(0, 0));
  const QPoint right = CFreePlace::FreeOffset(QRect(10, 10, 50, 50), occupied, CFreePlace::Direction::Right);
  EXPECT_EQ(right.y(), 0);
  EXPECT_FALSE(QRect(10, 10, 50, 50).translated(right).intersects(occupied[1]));
  EXPECT_LE(right.x(), 230 + CFreePlace::kGap + CFreePlace::kStep) << "the nearest free place, not further";
  const QPoint down = CFreePlace::FreeOffset(QRect(10, 10, 50, 50), occupied, CFreePlace::Direction::Down);
  EXPECT_EQ(down.x(), 0);
  EXPECT_GE(10 + down.y(), 100 + CFreePlace::kGap);
  EXPECT_LE(10 + down.y(), 100 + CFreePlace::kGap + CFreePlace::kStep);
}

TEST(BlockPlacementTest, ATopologyAndItsZonesStandBesideTheAmplifierOnNoOtherBlock) {
  if (!CSelvantisDoc::HasObjectFactory(DT_RELAYTOPOLOGY)) GTEST_SKIP() << "no relay topologies in this build";
  CSelvantisDoc doc;
  doc.OnNewDocument();
  std::set<const CBaseDevice*> before;
  for (CBaseDevice* object : doc.GetAllObjects()) before.insert(object);
  CBaseDevice* group = doc.GetFirstObject(CAT_GROUPS);
  ASSERT_NE(group, nullptr);

  // Asked for on top of the root group, the amplifier goes beside it.
  const int entry = AmplifierEntry();
  ASSERT_GE(entry, 0);
  auto* amp = dynamic_cast<CAmplifier*>(
      CPlaceObjectRegistry::Place(entry, doc, group->GetRect().topLeft() - QPoint(CAmplifier::kPlaceOffsetX, 0)));
  ASSERT_NE(amp, nullptr);
  EXPECT_FALSE(Bounds(amp).intersects(Bounds(group)));

  RunTopologyCommand(amp, CAmplifier::ID_TOPOLOGY_DIRECT);
  RunTopologyCommand(amp, CAmplifier::ID_TOPOLOGY_1INN);
  std::vector<CBaseDevice*> topologies;
  doc.GetIDManager().GetBaseDeviceList(topologies, DT_RELAYTOPOLOGY);
  ASSERT_EQ(topologies.size(), 2u);

  for (CBaseDevice* object : topologies) {
    auto* topology = dynamic_cast<CRelaisTopology*>(object);
    ASSERT_NE(topology, nullptr);
    // Right of the amplifier, not far below it.
    EXPECT_GT(Bounds(topology).left(), Bounds(amp).right());
    EXPECT_LT(Bounds(topology).left() - Bounds(amp).right(), 200);
    EXPECT_LT(topology->GetRect().top() - amp->GetRect().top(), 600);
    const std::vector<CZone*> zones = topology->GetZones();
    ASSERT_FALSE(zones.empty());
    for (CZone* zone : zones) {
      // In the column right of its topology, the first one too (not far
      // away beside the root group).
      EXPECT_GT(Bounds(zone).left(), Bounds(topology).right()) << zone->GetName().toStdString();
      EXPECT_LT(Bounds(zone).left() - Bounds(topology).right(), 200) << zone->GetName().toStdString();
      EXPECT_LT(std::abs(zone->GetRect().top() - topology->GetRect().top()), 1000);
    }
  }
  for (const auto& pair : Overlaps(doc, before))
    ADD_FAILURE() << pair.first->GetName().toStdString() << " (type " << pair.first->GetType() << ") lies on "
                  << pair.second->GetName().toStdString() << " (type " << pair.second->GetType() << ")";
}

}  // namespace
