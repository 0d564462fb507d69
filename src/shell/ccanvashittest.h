#ifndef SELV_SHELL_CCANVASHITTEST_H
#define SELV_SHELL_CCANVASHITTEST_H

#include <QPoint>

class CBaseDevice;
class CSelvantisDoc;

// What lies under a point of the drawing.
struct CanvasHit {
  enum class Part { None, Body, Label, InputPin, OutputPin };
  CBaseDevice* object = nullptr;
  Part part = Part::None;
  int pin = -1;

  bool IsPin() const noexcept { return part == Part::InputPin || part == Part::OutputPin; }
};

// Hit-testing of the drawing in canvas units. Objects drawn later lie on
// top and are tested first; on one object an output pin wins over an input
// pin, a pin over the body, the body over the name.
class CCanvasHitTest final {
 public:
  static CanvasHit HitTest(const CSelvantisDoc& doc, const QPoint& point, int pinTolerance);
  static CanvasHit HitTestObject(CBaseDevice& object, const QPoint& point, int pinTolerance);
  // The pin of that side within tolerance of point, nearest first; -1 when none.
  static int InputPinAt(const CBaseDevice& object, const QPoint& point, int pinTolerance);
  static int OutputPinAt(const CBaseDevice& object, const QPoint& point, int pinTolerance);
};

#endif
