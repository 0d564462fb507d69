#ifndef SELV_SHELL_CCANVASRENDERER_H
#define SELV_SHELL_CCANVASRENDERER_H

#include <QRect>

#include <vector>

class CBaseDevice;
class CSelvantisDoc;
class IPainter;

// Draws a project's drawing: every object placed on the canvas through its
// own Draw (picture, pins, pin labels, name, selection and highlighted pins,
// and the connection lines that leave its outputs), in list order, so later
// objects lie on top. Shared by the view, the print-out and the benchmarks.
class CCanvasRenderer final {
 public:
  // An object is on the canvas unless it was created without a rectangle
  // (cards, relays and entries made by dialogs are not drawn).
  static bool IsPlaced(const CBaseDevice& object);
  // The placed objects in drawing order.
  static std::vector<CBaseDevice*> PlacedObjects(const CSelvantisDoc& doc);
  // The union of the placed objects' bounding rectangles (canvas units).
  static QRect DrawingBounds(const CSelvantisDoc& doc);
  // The union of the central unit's blocks (its slots and modules), or the
  // drawing's bounds when there are none.
  static QRect UnitBounds(const CSelvantisDoc& doc);
  // Whether drawing the object touches rect: its bounding rectangle or one
  // of its outgoing connection lines.
  static bool Touches(const CBaseDevice& object, const QRect& rect);
  // Draws the objects that touch exposed (everything for a null rect);
  // returns how many were drawn.
  static int Draw(const CSelvantisDoc& doc, IPainter& painter, const QRect& exposed = QRect());
};

#endif
