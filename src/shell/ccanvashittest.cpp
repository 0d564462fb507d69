#include "shell/ccanvashittest.h"

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "shell/ccanvasrenderer.h"

#include <climits>

namespace {
template <class PinPoint>
int NearestPin(int count, PinPoint pinPoint, const QPoint& point, int tolerance) {
  int best = -1;
  int bestDistance = INT_MAX;
  for (int k = 0; k < count; ++k) {
    const QPoint d = pinPoint(k) - point;
    if (std::abs(d.x()) > tolerance || std::abs(d.y()) > tolerance) continue;
    const int distance = d.manhattanLength();
    if (distance < bestDistance) {
      best = k;
      bestDistance = distance;
    }
  }
  return best;
}
}  // namespace

int CCanvasHitTest::InputPinAt(const CBaseDevice& object, const QPoint& point, int pinTolerance) {
  return NearestPin(
      object.GetInputCount(), [&](int k) { return object.GetInputPinPoint(k); }, point, pinTolerance);
}

int CCanvasHitTest::OutputPinAt(const CBaseDevice& object, const QPoint& point, int pinTolerance) {
  return NearestPin(
      object.GetOutputCount(), [&](int k) { return object.GetOutputPinPoint(k); }, point, pinTolerance);
}

CanvasHit CCanvasHitTest::HitTestObject(CBaseDevice& object, const QPoint& point, int pinTolerance) {
  CanvasHit hit;
  const int out = OutputPinAt(object, point, pinTolerance);
  if (out >= 0) {
    hit.object = &object;
    hit.part = CanvasHit::Part::OutputPin;
    hit.pin = out;
    return hit;
  }
  const int in = InputPinAt(object, point, pinTolerance);
  if (in >= 0) {
    hit.object = &object;
    hit.part = CanvasHit::Part::InputPin;
    hit.pin = in;
    return hit;
  }
  // The model's rectangles run from left to left + width.
  const QRect& r = object.GetRect();
  const QRect body(r.x(), r.y(), r.width() + 1, r.height() + 1);
  if (body.normalized().contains(point)) {
    hit.object = &object;
    hit.part = CanvasHit::Part::Body;
    return hit;
  }
  if ((object.GetTextFlags() & CBaseDevice::TF_NAME) && object.HitTestLabel(point)) {
    hit.object = &object;
    hit.part = CanvasHit::Part::Label;
  }
  return hit;
}

CanvasHit CCanvasHitTest::HitTest(const CSelvantisDoc& doc, const QPoint& point, int pinTolerance) {
  const std::vector<CBaseDevice*> placed = CCanvasRenderer::PlacedObjects(doc);
  for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
    CBaseDevice* object = *it;
    // Cheap rejection: pins lie within the bounding rectangle's margin.
    const QRect reach = object->GetBoundingRect().normalized().adjusted(
        -pinTolerance - CBaseDevice::kPinSize, -pinTolerance - CBaseDevice::kPinSize,
        pinTolerance + CBaseDevice::kPinSize, pinTolerance + CBaseDevice::kPinSize);
    if (!reach.contains(point) && !object->GetRect().normalized().contains(point)) continue;
    const CanvasHit hit = HitTestObject(*object, point, pinTolerance);
    if (hit.object) return hit;
  }
  return CanvasHit();
}
