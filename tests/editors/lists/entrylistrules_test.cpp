#include "editors/lists/entrylistrules.h"
#include "editors/lists/entrylistkind.h"
#include "editors/lists/entrylisttestsupport.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <gtest/gtest.h>

TEST(EntryListRulesTest, EditorBarButtonsSwitchAnd32996DoesNot) {
  for (uint32_t id : {32992u, 32995u, 32997u, 32999u, 33106u, 33114u, 33157u, 34519u, 34584u, 34585u}) {
    EXPECT_EQ(EntryListRules::RouteOf(id), EntryListRules::Route::SwitchEditor) << id;
  }
  EXPECT_EQ(EntryListRules::RouteOf(32996), EntryListRules::Route::Default);
  EXPECT_EQ(EntryListRules::RouteOf(33159), EntryListRules::Route::Default);
  EXPECT_EQ(EntryListRules::RouteOf(57603), EntryListRules::Route::SaveProject);
  EXPECT_EQ(EntryListRules::RouteOf(32852), EntryListRules::Route::SaveVmx);
  EXPECT_EQ(EntryListRules::EditorSwitchCommands().size(), 20u);
}

TEST(EntryListRulesTest, CurrentAfterDeleteTakesTheRowBelowElseAbove) {
  const std::vector<int> ids{4, 7, 9};
  EXPECT_EQ(EntryListRules::CurrentAfterDelete(ids, 0, 4), 4);
  EXPECT_EQ(EntryListRules::CurrentAfterDelete(ids, 1, 7), 9);
  EXPECT_EQ(EntryListRules::CurrentAfterDelete(ids, 2, 9), 7);
  EXPECT_EQ(EntryListRules::CurrentAfterDelete(ids, 5, 9), 9);
  EXPECT_EQ(EntryListRules::CurrentAfterDelete({}, 0, 3), 3);
}

TEST(EntryListRulesTest, RefillSelectsTheCurrentEntryElseTheFirstRow) {
  EXPECT_EQ(EntryListRules::RowToSelect({4, 7, 9}, 9), 2);
  EXPECT_EQ(EntryListRules::RowToSelect({4, 7, 9}, 5), 0);
  EXPECT_EQ(EntryListRules::RowToSelect({}, 5), -1);
}

TEST(EntryListRulesTest, TriggerStepsAreFourPerEntryAndConditionsOneWithOffset) {
  EXPECT_EQ(entrylists::kTrigger.FirstStep(3), 9);
  EXPECT_EQ(entrylists::kTrigger.EndStep(3), 13);
  EXPECT_EQ(entrylists::kAnalog.FirstStep(2), 5);
  EXPECT_EQ(entrylists::kBusy.FirstStep(2), 25);
  EXPECT_EQ(entrylists::kCombine.FirstStep(2), 75);
  EXPECT_EQ(entrylists::kCondition.FirstStep(2), 125);
  EXPECT_EQ(entrylists::kCondition.EndStep(2), 126);
}

TEST(EntryListRulesTest, NewStopsAtTheLimitAndDeleteNeedsAnEntry) {
  TempProfile profile;
  MessageRecorder messages;
  auto doc = NewListProject();
  EXPECT_TRUE(EntryListRules::CanCreate(*doc, DT_TRIGGER));
  EXPECT_FALSE(EntryListRules::CanDelete(*doc, DT_TRIGGER));
  const int limit = CIDManager::GetCreateLimit(DT_TRIGGER, doc->IsBigProject());
  ASSERT_GT(limit, 0);
  for (int id = 1; id <= limit; ++id) ASSERT_NE(AddTrigger(*doc, id), nullptr);
  EXPECT_FALSE(EntryListRules::CanCreate(*doc, DT_TRIGGER));
  EXPECT_TRUE(EntryListRules::CanDelete(*doc, DT_TRIGGER));
}
