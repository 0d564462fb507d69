// Busy conditions: sources, matching, the minimum priority, the zones and
// groups text and links, the outputs text, and the project file.
#include "logic/cbusycondition.h"
#include "logictestsupport.h"

#include <gtest/gtest.h>

namespace {

TEST(CBusyConditionTest, SourcesMatchingAndPriorityColumns) {
  auto doc = NewProject();
  auto* busy = MakeObject<CBusyCondition>(*doc, CBusyCondition::kKindBusy);
  ASSERT_NE(busy, nullptr);
  EXPECT_EQ(Column(*busy, 0), "");
  EXPECT_EQ(Column(*busy, 2), "OFF");
  EXPECT_EQ(Column(*busy, 3), "0");
  busy->SetValue(0, static_cast<int>(CBusyCondition::kSourceChime | CBusyCondition::kSourceBackground | 0x100));
  EXPECT_EQ(busy->GetValue(0), static_cast<int>(CBusyCondition::kSourceChime | CBusyCondition::kSourceBackground));
  EXPECT_EQ(Column(*busy, 0), "Chime,Background");
  busy->SetValue(2, 5);
  EXPECT_EQ(busy->GetValue(2), 1);
  EXPECT_EQ(Column(*busy, 2), "ON");
  const std::pair<const char*, const char*> priorities[] = {{"7", "7"}, {"11", "10"}, {"-3", "0"}, {"4x", "4"}};
  for (const auto& [text, shown] : priorities) {
    doc->SetModifiedFlag(false);
    busy->SetColumnText(3, QLatin1String(text));
    EXPECT_EQ(Column(*busy, 3), QLatin1String(shown)) << text;
    EXPECT_TRUE(doc->IsModified()) << text;
  }
  busy->SetColumnText(3, QStringLiteral("many"));
  EXPECT_EQ(busy->GetValue(3), 4);
  busy->SetValue(3, 99);
  EXPECT_EQ(busy->GetValue(3), 10);
}

TEST(CBusyConditionTest, OutputsAreReadFromTheListsText) {
  auto doc = NewProject();
  auto* busy = MakeObject<CBusyCondition>(*doc, CBusyCondition::kKindBusy);
  EXPECT_EQ(Column(*busy, 6), "NONE");
  const std::pair<const char*, const char*> rows[] = {
      {"OUT1,OUT3", "OUT1,OUT3"}, {"4, 2", "OUT2,OUT4"}, {"3-1", "OUT1,OUT2,OUT3"}, {"NONE", "NONE"}, {"OUT4", "OUT4"}};
  for (const auto& [text, shown] : rows) {
    busy->SetColumnText(5, QLatin1String(text));
    EXPECT_EQ(Column(*busy, 6), QLatin1String(shown)) << text;
  }
  // A text the unit could not mean changes nothing.
  for (const char* bad : {"OUT5", "OUT0", "OUTx", "1,,2", "1-2-3"}) {
    busy->SetColumnText(5, QLatin1String(bad));
    EXPECT_EQ(Column(*busy, 6), "OUT4") << bad;
  }
}

TEST(CBusyConditionTest, ZoneLinksEqualTheListGiven) {
  auto doc = NewProject();
  auto* busy = MakeObject<CBusyCondition>(*doc, CBusyCondition::kKindBusy);
  CBaseDevice* zone3 = MakeTerminal(*doc, DT_ZONE, 3, CAT_ZONES, QStringLiteral("Hall"));
  CBaseDevice* zone4 = MakeTerminal(*doc, DT_ZONE, 4, CAT_ZONES, QStringLiteral("Foyer"));
  CBaseDevice* zone9 = MakeTerminal(*doc, DT_ZONE, 9, CAT_ZONES, QStringLiteral("Bar"));
  CBaseDevice* group2 = MakeTerminal(*doc, DT_GROUP, 2, CAT_GROUPS, QStringLiteral("Upstairs"));
  CBaseDevice* root = doc->GetIDManager().FindBaseDevice(0, DT_GROUP);
  if (root == nullptr) root = MakeTerminal(*doc, DT_GROUP, 0, CAT_GROUPS, QStringLiteral("All"));
  EXPECT_EQ(Column(*busy, 4), "NONE");

  busy->SetZones({zone3, zone4, zone9, group2});
  EXPECT_EQ(Column(*busy, 4), "3-4,9 G2");
  // A shorter list drops the others; objects that are no zone or group are ignored.
  CBaseDevice* stranger = MakeTerminal(*doc, DT_CONSOLE, 1, CAT_ENTRIES, QStringLiteral("Desk"));
  doc->SetModifiedFlag(false);
  busy->SetZones({zone9, stranger});
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(Column(*busy, 4), "9");
  std::vector<CBaseDevice*> linked;
  busy->GetInputZonesAndGroups(linked);
  EXPECT_EQ(linked, (std::vector<CBaseDevice*>{zone9}));
  // The root group stands for every zone.
  busy->SetZones({zone3, root});
  EXPECT_EQ(Column(*busy, 4), "ALL");
  busy->SetZones({});
  EXPECT_EQ(Column(*busy, 4), "NONE");
  // A deleted zone leaves the list.
  busy->SetZones({zone3, zone4});
  ASSERT_TRUE(doc->DeleteObject(zone3));
  EXPECT_EQ(Column(*busy, 4), "4");
}

TEST(CBusyConditionTest, ProjectFileKeepsEverySetting) {
  auto doc = NewProject();
  CBaseDevice* zone = MakeTerminal(*doc, DT_ZONE, 5, CAT_ZONES, QStringLiteral("Hall"));
  CBaseDevice* group = MakeTerminal(*doc, DT_GROUP, 3, CAT_GROUPS, QStringLiteral("West"));
  auto* busy = MakeObjectWithID<CBusyCondition>(*doc, CBusyCondition::kKindBusy, 12);
  busy->SetValue(0, static_cast<int>(CBusyCondition::kSourceAlarm | CBusyCondition::kSourceMessage));
  busy->SetValue(2, 1);
  busy->SetValue(3, 6);
  busy->SetColumnText(5, QStringLiteral("OUT2"));
  busy->SetZones({zone, group});
  auto loaded = RoundTrip(*doc);
  ASSERT_NE(loaded, nullptr);
  auto* copy = Find<CBusyCondition>(*loaded, DT_BUSYCONDITION, 12);
  ASSERT_NE(copy, nullptr);
  for (int column = 0; column <= 6; ++column) EXPECT_EQ(Column(*copy, column), Column(*busy, column)) << column;
  EXPECT_EQ(copy->GetValue(0), busy->GetValue(0));
  EXPECT_EQ(copy->GetOutputs(), 2u);
}

}  // namespace
