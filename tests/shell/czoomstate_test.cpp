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

TEST(CZoomStateTest, ScrollsToShowATargetInTheMiddleOrFromItsStart) {
  const QSize page(900, 700);
  CZoomState zoom;
  // The unit's slots far below and right: 980 + 2 x 20 units do not fit
  // 900 px, so the left edge goes 20 units inside; 160 units high fit, so
  // they stand in the middle.
  EXPECT_EQ(zoom.ScrollToShow(QRect(933, 2468, 980, 160), page, 20), QPoint(913, 2468 + 80 - 350));
  zoom.SetPercent(50);
  // 490 x 80 px at 50 %: in the middle both ways.
  EXPECT_EQ(zoom.ScrollToShow(QRect(933, 2468, 980, 160), page, 20), QPoint(467 + 245 - 450, 1234 + 40 - 350));
  // Beyond the origin too: the scroll range reaches there.
  zoom.SetPercent(100);
  EXPECT_EQ(zoom.ScrollToShow(QRect(-3000, -400, 50, 40), page, 20), QPoint(-3000 + 25 - 450, -400 + 20 - 350));
  EXPECT_EQ(zoom.ScrollToShow(QRect(), page, 20), QPoint(0, 0));
}

TEST(CZoomStateTest, TakesATypedPercentageWithinTheRange) {
  int percent = 0;
  ASSERT_TRUE(CZoomState::ParsePercent(QStringLiteral("60"), &percent));
  EXPECT_EQ(percent, 60);
  ASSERT_TRUE(CZoomState::ParsePercent(QStringLiteral(" 85 % "), &percent));
  EXPECT_EQ(percent, 85);
  ASSERT_TRUE(CZoomState::ParsePercent(QStringLiteral("33%"), &percent));
  EXPECT_EQ(percent, 33);
  ASSERT_TRUE(CZoomState::ParsePercent(QStringLiteral("5000"), &percent));
  EXPECT_EQ(percent, CZoomState::kMaxPercent);
  ASSERT_TRUE(CZoomState::ParsePercent(QStringLiteral("1"), &percent));
  EXPECT_EQ(percent, CZoomState::kMinPercent);
  EXPECT_FALSE(CZoomState::ParsePercent(QStringLiteral("sixty"), &percent));
  EXPECT_FALSE(CZoomState::ParsePercent(QString(), &percent));
}

}  // namespace
