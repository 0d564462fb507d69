#ifndef SELV_SHELL_CSCROLLTRACKER_H
#define SELV_SHELL_CSCROLLTRACKER_H

#include <QRect>

class IScrollTarget;

// The drawing view's rectangle tracker: while a rectangle is dragged near an
// edge of the client area the view scrolls, so that objects can be moved
// beyond the visible part. Owns nothing; the view outlives it.
class CScrollTracker final {
 public:
  static constexpr int kEdgeUnits = 10;
  static constexpr int kStepUnits = 10;

  explicit CScrollTracker(IScrollTarget& view);

  // The rectangle being tracked, in client coordinates.
  QRect m_rect;

  // Called with the rectangle's new position: scrolls at most one step per
  // edge, testing right, left, up, down in this order, and repaints the
  // union of the old and the new rectangle after each step. rect itself is
  // left as the caller moved it.
  void AdjustRect(QRect& rect);

 private:
  IScrollTarget& m_view;
};

#endif
