#include "editors/lists/listhovertracker.h"

#include <gtest/gtest.h>

TEST(ListHoverTrackerTest, FirstMoveAsksForLeaveOnceAndColumnZeroHasNoRectangle) {
  ListHoverTracker hover;
  auto actions = hover.MouseMove(0, 0);
  EXPECT_TRUE(actions.requestLeave);
  EXPECT_FALSE(actions.draw);
  EXPECT_FALSE(hover.IsShown());
  actions = hover.MouseMove(0, 2);
  EXPECT_FALSE(actions.requestLeave);
  ASSERT_TRUE(actions.draw);
  EXPECT_EQ(*actions.draw, (ListCell{0, 2}));
  EXPECT_TRUE(hover.IsShown());
}

TEST(ListHoverTrackerTest, MovingFromColumnTwoToColumnZeroErasesTheRectangle) {
  ListHoverTracker hover;
  hover.MouseMove(1, 2);
  const auto actions = hover.MouseMove(1, 0);
  ASSERT_TRUE(actions.erase);
  EXPECT_EQ(*actions.erase, (ListCell{1, 2}));
  EXPECT_FALSE(actions.draw);
  EXPECT_FALSE(hover.Shown());
}

TEST(ListHoverTrackerTest, SameCellDrawsNothingAgain) {
  ListHoverTracker hover;
  hover.MouseMove(1, 2);
  const auto actions = hover.MouseMove(1, 2);
  EXPECT_FALSE(actions.draw);
  EXPECT_FALSE(actions.erase);
  EXPECT_TRUE(hover.IsShown());
}

TEST(ListHoverTrackerTest, SelectionRemovesTheRectangleUntilAnotherCell) {
  ListHoverTracker hover;
  hover.MouseMove(1, 3);
  hover.ClearFlag();
  EXPECT_FALSE(hover.IsShown());
  EXPECT_FALSE(hover.MouseMove(1, 3).draw);
  const auto actions = hover.MouseMove(2, 1);
  ASSERT_TRUE(actions.draw);
  EXPECT_EQ(*actions.draw, (ListCell{2, 1}));
}

TEST(ListHoverTrackerTest, LeaveErasesResetsAndRearms) {
  ListHoverTracker hover;
  hover.MouseMove(0, 1);
  const auto erase = hover.MouseLeave();
  ASSERT_TRUE(erase);
  EXPECT_EQ(*erase, (ListCell{0, 1}));
  EXPECT_EQ(hover.Remembered(), (ListCell{0, 0}));
  EXPECT_TRUE(hover.NeedsRearm());
  EXPECT_FALSE(hover.MouseLeave());
  EXPECT_TRUE(hover.MouseMove(-1, -1).requestLeave);
}
