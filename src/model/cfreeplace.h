#ifndef SELV_MODEL_CFREEPLACE_H
#define SELV_MODEL_CFREEPLACE_H

#include <QPoint>
#include <QRect>

#include <vector>

class CBaseDevice;
class CSelvantisDoc;

// Finds room on the drawing for a new block: the nearest place, from where
// the block wants to go, at which its bounding rectangle (picture, pins and
// name) keeps a gap to every other block on the canvas.
class CFreePlace final {
 public:
  // Room kept between blocks, and the step of the search (canvas units).
  static constexpr int kGap = 10;
  static constexpr int kStep = 10;

  // The direction in which the search moves on first.
  enum class Direction { Right, Down };

  // The bounding rectangles of the document's placed blocks, but those of
  // the given ones.
  static std::vector<QRect> Occupied(const CSelvantisDoc& doc, const std::vector<const CBaseDevice*>& except);
  // The offset by which rect moves to the nearest free place: moving along
  // direction first, then, when that line is full for a long way, on the
  // next line beside it. (0, 0) when rect is free already or empty.
  static QPoint FreeOffset(const QRect& rect, const std::vector<QRect>& occupied, Direction direction);
  // Moves object (a program move) to the nearest free place from where it
  // is now; the objects in except do not count as obstacles.
  static void MoveToFree(CBaseDevice& object, Direction direction, std::vector<const CBaseDevice*> except = {});
};

#endif
