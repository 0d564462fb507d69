#include "model/cfreeplace.h"

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"

#include <algorithm>

namespace {
// How far the search goes along one line, and how many lines it tries,
// before it gives up (a drawing that full is far beyond any installation).
constexpr int kStepsPerLine = 400;
constexpr int kLines = 100;

QRect BoundsOf(const CBaseDevice& object) {
  const QRect bound = object.GetBoundingRect().normalized();
  return bound.isEmpty() ? object.GetRect().normalized() : bound;
}

bool IsFree(const QRect& rect, const std::vector<QRect>& occupied) {
  const QRect padded = rect.adjusted(-CFreePlace::kGap, -CFreePlace::kGap, CFreePlace::kGap, CFreePlace::kGap);
  return std::none_of(occupied.begin(), occupied.end(), [&](const QRect& r) { return r.intersects(padded); });
}
}  // namespace

std::vector<QRect> CFreePlace::Occupied(const CSelvantisDoc& doc, const std::vector<const CBaseDevice*>& except) {
  std::vector<QRect> occupied;
  for (const CBaseDevice* object : doc.GetAllObjects()) {
    if (object == nullptr || object->GetRect() == QRect()) continue;
    if (std::find(except.begin(), except.end(), object) != except.end()) continue;
    const QRect bound = BoundsOf(*object);
    if (!bound.isEmpty()) occupied.push_back(bound);
  }
  return occupied;
}

QPoint CFreePlace::FreeOffset(const QRect& rect, const std::vector<QRect>& occupied, Direction direction) {
  const QRect start = rect.normalized();
  if (start.isEmpty() || IsFree(start, occupied)) return QPoint(0, 0);
  const bool down = direction == Direction::Down;
  // A line beside the first is one block further on, so that the lines of a
  // crowded place do not interleave.
  const int lineStep = (down ? start.width() : start.height()) + kGap;
  for (int line = 0; line < kLines; ++line) {
    for (int step = 0; step <= kStepsPerLine; ++step) {
      const QPoint offset = down ? QPoint(line * lineStep, step * kStep) : QPoint(step * kStep, line * lineStep);
      if (IsFree(start.translated(offset), occupied)) return offset;
    }
  }
  return QPoint(0, 0);
}

void CFreePlace::MoveToFree(CBaseDevice& object, Direction direction, std::vector<const CBaseDevice*> except) {
  CSelvantisDoc* doc = object.GetDocument();
  if (doc == nullptr || object.GetRect().isEmpty()) return;
  except.push_back(&object);
  const QPoint offset = FreeOffset(BoundsOf(object), Occupied(*doc, except), direction);
  object.Move(offset.x(), offset.y(), false);
}
