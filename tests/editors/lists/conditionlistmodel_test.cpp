#include "editors/lists/conditionlistmodel.h"

#include <gtest/gtest.h>

TEST(ConditionListModelTest, RangeAfterTheLastBlankNamesTrueConditions) {
  const BitSet bits = ConditionListModel::ParseTrueConditions("/CONDITION/TRUE 1-4,7  \r\n");
  for (int id : {1, 2, 3, 4, 7}) EXPECT_EQ(ConditionListModel::StateText(bits, id), "TRUE") << id;
  for (int id : {5, 6, 8, 250}) EXPECT_EQ(ConditionListModel::StateText(bits, id), "FALSE") << id;
}

TEST(ConditionListModelTest, EchoAndReplyLinesTakeTheLastList) {
  const BitSet bits = ConditionListModel::ParseTrueConditions("/CONDITION/TRUE ?\r\n/CONDITION/TRUE 250\r\n");
  EXPECT_EQ(ConditionListModel::StateText(bits, 250), "TRUE");
  EXPECT_EQ(ConditionListModel::StateText(bits, 1), "FALSE");
}

TEST(ConditionListModelTest, OutOfRangeIdsAreFalse) {
  const BitSet bits = ConditionListModel::ParseTrueConditions("1-250");
  EXPECT_EQ(ConditionListModel::StateText(bits, 0), "FALSE");
  EXPECT_EQ(ConditionListModel::StateText(bits, -3), "FALSE");
  EXPECT_EQ(ConditionListModel::StateText(bits, 251), "FALSE");
}

TEST(ConditionListModelTest, AHalfReadListSetsNothing) {
  const BitSet bits = ConditionListModel::ParseTrueConditions("/CONDITION/TRUE 1,2,abc");
  EXPECT_EQ(ConditionListModel::StateText(bits, 1), "FALSE");
}

TEST(ConditionListModelTest, OnlyStateTogglesThePollAndOnlyOnline) {
  EXPECT_TRUE(ConditionListModel::TogglesPoll(ConditionListModel::kState, true));
  EXPECT_FALSE(ConditionListModel::TogglesPoll(ConditionListModel::kState, false));
  EXPECT_FALSE(ConditionListModel::TogglesPoll(ConditionListModel::kLevel, true));
}
