#ifndef SELV_SHELL_ISCROLLTARGET_H
#define SELV_SHELL_ISCROLLTARGET_H

#include <QRect>

// What the drawing view offers the rectangle tracker: its client area, a
// scroll by a number of units and a repaint of part of the client area.
class IScrollTarget {
 public:
  virtual ~IScrollTarget() = default;
  virtual QRect TrackerClientRect() const = 0;
  virtual void TrackerScrollBy(int dx, int dy) = 0;
  virtual void TrackerInvalidate(const QRect& rect) = 0;
};

#endif
