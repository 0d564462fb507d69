#ifndef SELV_SHELL_CZOOMSTATE_H
#define SELV_SHELL_CZOOMSTATE_H

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The drawing view's zoom: a percentage from a fixed ladder, or any value
// between the ladder's ends when fitted to the window. Converts between
// drawing units and view pixels.
class CZoomState final {
 public:
  static constexpr int kMinPercent = 10;
  static constexpr int kMaxPercent = 400;

  int Percent() const noexcept { return m_percent; }
  double Factor() const noexcept { return m_percent / 100.0; }
  // Clamped to kMinPercent..kMaxPercent; returns true when it changed.
  bool SetPercent(int percent);
  // The next step of the ladder up or down; false at the end.
  bool ZoomIn();
  bool ZoomOut();
  // The largest percentage at which drawing (its own extent, wherever it
  // lies) fits into view, not above 100.
  bool Fit(const QRect& drawing, const QSize& view);

  // The scroll position (view pixels) at which a window of page pixels
  // shows target: per axis, target in the middle when it fits with
  // marginUnits on both sides, else its start marginUnits inside the
  // window's edge. The origin for an empty target.
  QPoint ScrollToShow(const QRect& target, const QSize& page, int marginUnits) const;

  QPoint ToView(const QPoint& drawingPoint) const;
  QPoint ToDrawing(const QPoint& viewPoint) const;
  QRect ToView(const QRect& drawingRect) const;
  QRect ToDrawing(const QRect& viewRect) const;

  // A percentage typed into the zoom box ("60", "60 %", "60%"), kept
  // within kMinPercent..kMaxPercent; false for anything but a number.
  static bool ParsePercent(const QString& text, int* percent);

  // The ladder of the zoom toolbar's choices.
  static const int* Ladder(int* count);

 private:
  int m_percent = 100;
};

#endif
