#ifndef SELV_SHELL_CCANVASCONTROLLER_H
#define SELV_SHELL_CCANVASCONTROLLER_H

#include "model/cmenudata.h"
#include "shell/ccanvashittest.h"

#include <QPoint>
#include <QRect>
#include <QString>

class CBaseDevice;
class CSelvantisDoc;
class ICanvasHost;

// The drawing view's behaviour without the widget: the current object and
// selection, pin highlighting under the cursor, moving objects by dragging,
// connecting an output pin to an input pin by dragging (a drag from an
// input pin moves nothing and tells how to wire), double-click
// properties, tool tips, the object's context menu and the routing of the
// object commands 33000-33333. Points are canvas units. Holds pointers to
// the document's objects and drops them when the document removes them
// (ObjectRemoved, DocumentCleared).
class CCanvasController final {
 public:
  enum class Button { Left, Right };
  enum class DragMode { None, Pending, Move, Connect };

  CCanvasController(CSelvantisDoc& doc, ICanvasHost& host);
  CCanvasController(const CCanvasController&) = delete;
  CCanvasController& operator=(const CCanvasController&) = delete;

  // Canvas units within which the cursor catches a pin, and a press must
  // travel before it becomes a move; the view sets them from its zoom.
  void SetPinTolerance(int units) { m_pinTolerance = units < 1 ? 1 : units; }
  int PinTolerance() const noexcept { return m_pinTolerance; }
  void SetDragThreshold(int units) { m_dragThreshold = units < 0 ? 0 : units; }

  // ---- Mouse -----------------------------------------------------------------
  void MousePress(const QPoint& point, Button button);
  void MouseMove(const QPoint& point, bool leftDown);
  void MouseRelease(const QPoint& point, Button button);
  // Opens the properties of the object under the point; false when there
  // is none or it has no dialog.
  bool DoubleClick(const QPoint& point);
  // The cursor left the view: no pin stays highlighted.
  void MouseLeave();
  // Aborts a drag: a move goes back to where it started, a connection is
  // not made.
  void CancelDrag();
  QString ToolTipAt(const QPoint& point) const;

  // ---- Current object ---------------------------------------------------------
  CBaseDevice* GetCurrentObject() const noexcept { return m_current; }
  // Makes object the current and only selected object (null: none). An
  // object not in the document is refused (current becomes null).
  void SetCurrentObject(CBaseDevice* object);

  // ---- The document's announcements ---------------------------------------------
  void ObjectRemoved(CBaseDevice* object);
  void DocumentCleared();

  // ---- Drags --------------------------------------------------------------------
  DragMode GetDragMode() const noexcept { return m_drag; }
  // While connecting: the output pin's point, the cursor, and whether the
  // cursor is over an input pin the connection may end on.
  QPoint ConnectFrom() const;
  QPoint ConnectTo() const noexcept { return m_last; }
  bool ConnectTargetValid() const noexcept { return m_target.object != nullptr; }
  // The dragged object's rectangle while moving (for edge scrolling); null
  // otherwise.
  QRect DraggedRect() const;

  // Whether an output pin may be wired to an input pin: two different
  // objects, pins within their counts, and not already wired so.
  static bool CanConnect(const CBaseDevice* from, int outPin, const CBaseDevice* to, int inPin);
  // What a drag from an input pin tells the host: wires start at outputs.
  static QString WireHintText();

  // ---- Commands -------------------------------------------------------------------
  // The current object's context menu: its menu resource, adjusted by the
  // object and with every item's state from OnUpdateCommandUI. Empty when
  // there is no current object.
  CMenuData BuildContextMenu() const;
  // Whether the current object enables the command (OnUpdateCommandUI).
  bool IsCommandEnabled(int id) const;
  // Hands an object command to the current object's OnCommand when the
  // object enables it. False when it was not handled.
  bool RouteCommand(int id);

 private:
  void SetHover(CBaseDevice* object, int inPin, int outPin);
  void Invalidate(const CBaseDevice* object);

  CSelvantisDoc& m_doc;
  ICanvasHost& m_host;
  CBaseDevice* m_current = nullptr;
  CBaseDevice* m_hover = nullptr;
  DragMode m_drag = DragMode::None;
  CBaseDevice* m_dragObject = nullptr;
  int m_dragPin = -1;
  bool m_pressOnInput = false;  // the pending drag started on an input pin
  QPoint m_pressPoint;
  QPoint m_last;
  QPoint m_moved;  // total offset applied during a move
  CanvasHit m_target;
  int m_pinTolerance = 4;
  int m_dragThreshold = 3;
};

#endif
