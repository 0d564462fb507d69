// Zones and consoles: a new zone programs the selection key with its
// number, a deleted zone disables the keys that pointed at it.

#include "consoles/consolezonehooks.h"
#include "consoletestsupport.h"
#include "model/commandids.h"
#include "support/messagerecorder.h"

#include <gtest/gtest.h>

using namespace constest;

TEST(ConsoleZoneHooksTest, InstalledWithTheLibrary) {
  EXPECT_EQ(IZoneConsoleHooks::Installed(), &ConsoleZoneHooks::Instance());
}

TEST(ConsoleZoneHooksTest, NewZoneProgramsItsSelectionKeyWhereThePortIsFree) {
  CSelvantisDoc doc;
  MessageRecorder messages;
  CConsole* small = AddConsole(doc, CConsProp::RCX6010, 100);
  CConsole* busy = AddConsole(doc, CConsProp::RCX6020, 900);
  AddZones(doc, 1);
  ASSERT_TRUE(busy->FindKey(2)->SetFunctionFromText(CConsKey::SEL, "1", true));
  std::vector<CZone*> more = AddZones(doc, 10);  // zones 2..11
  EXPECT_EQ(small->FindKey(1)->GetFunctionText(), "SEL,1");
  EXPECT_EQ(small->FindKey(2)->GetFunctionText(), "SEL,2");
  EXPECT_EQ(small->FindKey(10)->GetFunctionText(), "SEL,10");
  EXPECT_EQ(busy->FindKey(2)->GetFunctionText(), "SEL,1");
  EXPECT_EQ(busy->FindKey(11)->GetFunctionText(), "SEL,11");
  ASSERT_EQ(LinksOnPort(*small, 10).size(), 1u);
  EXPECT_EQ(LinksOnPort(*small, 10)[0].pPeer, more[8]);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST(ConsoleZoneHooksTest, DeletedZoneDisablesTheKeysThatPointAtIt) {
  CSelvantisDoc doc;
  std::vector<CZone*> zones = AddZones(doc, 3);
  AddSignal(doc, CAudioSignal::kKindAlarm);
  CConsole* a = AddConsole(doc, CConsProp::RCX6010, 100);
  CConsole* b = AddConsole(doc, CConsProp::RCX6010, 900);
  ASSERT_TRUE(a->FindKey(4)->SetFunctionFromText(CConsKey::SEL, "2", true));
  ASSERT_TRUE(a->FindKey(5)->SetFunctionFromText(CConsKey::ALARM, "2,1,90", true));
  ASSERT_TRUE(b->FindKey(1)->SetFunctionFromText(CConsKey::AUX, "2", true));
  ASSERT_TRUE(a->FindKey(6)->SetFunctionFromText(CConsKey::SEL, "3", true));
  ASSERT_TRUE(zones[1]->OnCommand(ID_DELETE_OBJECT));
  EXPECT_EQ(a->FindKey(4)->GetFunctionText(), "DISABLED");
  EXPECT_EQ(a->FindKey(5)->GetFunctionText(), "DISABLED");
  EXPECT_EQ(b->FindKey(1)->GetFunctionText(), "DISABLED");
  EXPECT_EQ(a->FindKey(6)->GetFunctionText(), "SEL,3");
  EXPECT_TRUE(LinksOnPort(*a, -5).empty());
  EXPECT_EQ(a->GetInputConnections().size(), 1u);
  EXPECT_TRUE(b->GetInputConnections().empty());
}

TEST(ConsoleZoneHooksTest, OtherObjectsAreLeftAlone) {
  CSelvantisDoc doc;
  CZone* zone = AddZone(doc);
  ConsoleZoneHooks::Instance().DisableKey(*zone, 1);
  ConsoleZoneHooks::Instance().ProgramSelectionKeys(*zone);
  CConsole* console = AddConsole(doc);
  ConsoleZoneHooks::Instance().DisableKey(*console, 99);
  ConsoleZoneHooks::Instance().DisableKey(*console, MakeConsolePin(-7, 0));
  EXPECT_EQ(console->FindKey(7)->GetFunctionText(), "DISABLED");
}
