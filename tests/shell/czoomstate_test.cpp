// Zoom steps and the conversion between drawing units and view pixels.
#include "shell/czoomstate.h"

#include <gtest/gtest.h>

namespace {

TEST(CZoomStateTest, StepsAlongTheLadderAndStopsAtItsEnds) {
  CZoomState zoom;
  EXPECT_EQ(zoom.Percent(), 100);
  EXPECT_TRUE(zoom.ZoomIn());
  EXPECT_EQ(zoom.Percent(), 125);
  while (zoom.ZoomIn()) {
  }
  EXPECT_EQ(zoom.Percent(), CZoomState::kMaxPercent);
  while (zoom.ZoomOut()) {
  }
  EXPECT_EQ(zoom.Percent(), CZoomState::kMinPercent);
  // From a fitted value between two steps the next step is taken.
  zoom.SetPercent(63);
  EXPECT_TRUE(zoom.ZoomIn());
  EXPECT_EQ(zoom.Percent(), 75);
  zoom.SetPercent(63);
  EXPECT_TRUE(zoom.ZoomOut());
  EXPECT_EQ(zoom.Percent(), 50);
}

TEST(CZoomStateTest, ClampsOutOfRangePercentages) {
  CZoomState zoom;
  zoom.SetPercent(100000);
  EXPECT_EQ(zoom.Percent(), CZoomState::kMaxPercent);
  zoom.SetPercent(-5);
  EXPECT_EQ(zoom.Percent(), CZoomState::kMinPercent);
}

TEST(CZoomStateTest, FitsTheWholeDrawingButNeverEnlarges) {
  CZoomState zoom;
  // 2000 x 1000 units into 1000 x 800 pixels: width decides, 50 %.
  zoom.Fit(QRect(0, 0, 2000, 1000), QSize(1000, 800));
  EXPECT_EQ(zoom.Percent(), 50);
  zoom.Fit(QRect(0, 0, 100, 100), QSize(1000, 800));
  EXPECT_EQ(zoom.Percent(), 100);
  // Nothing to fit: back to 100 %.
  zoom.SetPercent(200);
  zoom.Fit(QRect(), QSize(1000, 800));
  EXPECT_EQ(zoom.Percent(), 100);
}

TEST(CZoomStateTest, ConvertsPointsAndRectanglesBothWays) {
  CZoomState zoom;
  zoom.SetPercent(200);
  EXPECT_EQ(zoom.ToView(QPoint(10, 20)), QPoint(20, 40));
  EXPECT_EQ(zoom.ToDrawing(QPoint(21, 41)), QPoint(10, 20));
  EXPECT_EQ(zoom.ToView(QRect(10, 10, 30, 40)), QRect(20, 20, 60, 80));
  zoom.SetPercent(50);
  EXPECT_EQ(zoom.ToDrawing(QRect(5, 5, 10, 10)), QRect(10, 10, 20, 20));
}

TEST(CZoomStateTest, ScrollsToTheStartOfTheDrawingWithAMargin) {
  const QSize page(900, 700);
  CZoomState zoom;
  // The unit's slots far below and right: their corner goes 20 units inside.
  EXPECT_EQ(zoom.ScrollToStartOf(QRect(933, 2468, 980, 160), page, 20), QPoint(913, 2448));
  zoom.SetPercent(50);
  EXPECT_EQ(zoom.ScrollToStartOf(QRect(933, 2468, 980, 160), page, 20), QPoint(457, 1224))
      << "467 px is past the middle";
  // A start in the first half of the window is shown from the origin, axis
  // by axis; 450 px is exactly half of 900.
  zoom.SetPercent(100);
  EXPECT_EQ(zoom.ScrollToStartOf(QRect(93, 0, 50, 45), page, 20), QPoint(0, 0));
  EXPECT_EQ(zoom.ScrollToStartOf(QRect(450, 351, 50, 45), page, 20), QPoint(0, 331));
  // Drawings beyond the origin and empty ones never ask for a negative position.
  EXPECT_EQ(zoom.ScrollToStartOf(QRect(-3000, -400, 50, 45), page, 20), QPoint(0, 0));
  EXPECT_EQ(zoom.ScrollToStartOf(QRect(), page, 20), QPoint(0, 0));
}

}  // namespace
