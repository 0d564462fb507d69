// The edge-scrolling rule of the drawing view's rectangle tracker.
#include "shell/cscrolltracker.h"
#include "shell/iscrolltarget.h"

#include <QRect>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

class FakeView final : public IScrollTarget {
 public:
  QRect client{0, 0, 400, 300};
  std::vector<std::pair<int, int>> scrolls;
  std::vector<QRect> invalidated;

  QRect TrackerClientRect() const override { return client; }
  void TrackerScrollBy(int dx, int dy) override { scrolls.emplace_back(dx, dy); }
  void TrackerInvalidate(const QRect& rect) override { invalidated.push_back(rect); }
};

struct Row {
  const char* what;
  QRect rect;
  std::vector<std::pair<int, int>> expected;
};

TEST(CScrollTrackerTest, ScrollsTenUnitsTowardsEachEdgeItComesNear) {
  // Client edges: right 400, bottom 300; the margin is 10 units.
  const std::vector<Row> rows = {
      {"well inside", QRect(100, 100, 50, 50), {}},
      {"right edge exactly at the margin", QRect(340, 100, 50, 50), {}},
      {"right edge one unit into the margin", QRect(341, 100, 50, 50), {{10, 0}}},
      {"left edge in the margin", QRect(9, 100, 50, 50), {{-10, 0}}},
      {"left edge exactly at the margin", QRect(10, 100, 50, 50), {}},
      {"top in the margin", QRect(100, 5, 50, 50), {{0, -10}}},
      {"bottom in the margin", QRect(100, 260, 50, 50), {{0, 10}}},
      // Several edges: one step each, in the order right, left, up, down.
      {"top-left corner", QRect(0, 0, 50, 50), {{-10, 0}, {0, -10}}},
      {"bottom-right corner", QRect(360, 260, 50, 50), {{10, 0}, {0, 10}}},
      {"wider than the client", QRect(-20, -20, 500, 400), {{10, 0}, {-10, 0}, {0, -10}, {0, 10}}},
  };
  for (const Row& row : rows) {
    FakeView view;
    CScrollTracker tracker(view);
    QRect rect = row.rect;
    tracker.AdjustRect(rect);
    EXPECT_EQ(view.scrolls, row.expected) << row.what;
    EXPECT_EQ(view.invalidated.size(), row.expected.size()) << row.what;
    EXPECT_EQ(rect, row.rect) << row.what << ": the tracked rectangle itself is not changed";
  }
}

TEST(CScrollTrackerTest, WorksOnTheNormalisedRectangle) {
  FakeView view;
  CScrollTracker tracker(view);
  // Dragged up and to the left: negative size; the normalised copy reaches
  // into the right margin.
  QRect rect(QPoint(398, 150), QPoint(355, 100));
  tracker.AdjustRect(rect);
  ASSERT_EQ(view.scrolls.size(), 1u);
  EXPECT_EQ(view.scrolls[0], std::make_pair(10, 0));
}

TEST(CScrollTrackerTest, RepaintsTheUnionOfTheOldAndTheNewRectangle) {
  FakeView view;
  CScrollTracker tracker(view);
  tracker.m_rect = QRect(300, 100, 50, 50);
  QRect rect(360, 100, 50, 50);
  tracker.AdjustRect(rect);
  ASSERT_EQ(view.invalidated.size(), 1u);
  EXPECT_EQ(view.invalidated[0], QRect(300, 100, 110, 50));
  EXPECT_EQ(tracker.m_rect, rect);
}

TEST(CScrollTrackerTest, HonoursAClientAreaThatDoesNotStartAtTheOrigin) {
  FakeView view;
  view.client = QRect(100, 100, 200, 200);
  CScrollTracker tracker(view);
  QRect rect(105, 150, 20, 20);
  tracker.AdjustRect(rect);
  ASSERT_EQ(view.scrolls.size(), 1u);
  EXPECT_EQ(view.scrolls[0], std::make_pair(-10, 0));
}

}  // namespace
