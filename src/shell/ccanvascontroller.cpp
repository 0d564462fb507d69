#include "shell/ccanvascontroller.h"

#include "model/cbasedevice.h"
#include "model/ccmdui.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "shell/cmenuresources.h"
#include "shell/icanvashost.h"

#include <QCoreApplication>

#include <algorithm>

CCanvasController::CCanvasController(CSelvantisDoc& doc, ICanvasHost& host) : m_doc(doc), m_host(host) {}

void CCanvasController::Invalidate(const CBaseDevice* object) {
  // Connection lines reach beyond an object's rectangle; the view repaints
  // the whole drawing, which is cheap enough for every change.
  (void)object;
  m_host.InvalidateCanvas(QRect());
}

void CCanvasController::SetHover(CBaseDevice* object, int inPin, int outPin) {
  if (m_hover && m_hover != object) {
    m_hover->SetHighlightedPins(-1, -1);
    Invalidate(m_hover);
  }
  m_hover = object;
  if (m_hover) {
    const int oldIn = m_hover->GetHighlightedInputPin();
    const int oldOut = m_hover->GetHighlightedOutputPin();
    m_hover->SetHighlightedPins(inPin, outPin);
    if (oldIn != m_hover->GetHighlightedInputPin() || oldOut != m_hover->GetHighlightedOutputPin()) Invalidate(m_hover);
  }
}

void CCanvasController::SetCurrentObject(CBaseDevice* object) {
  if (object && !m_doc.Contains(object)) object = nullptr;
  if (object == m_current) return;
  CBaseDevice* previous = m_current;
  m_current = object;
  if (previous) previous->SetSelected(false);
  if (m_current) m_current->SetSelected(true);
  Invalidate(nullptr);
  m_host.CurrentObjectChanged(m_current);
}

void CCanvasController::MousePress(const QPoint& point, Button button) {
  const CanvasHit hit = CCanvasHitTest::HitTest(m_doc, point, m_pinTolerance);
  m_last = point;
  m_pressPoint = point;
  if (button == Button::Right) {
    if (m_drag != DragMode::None) CancelDrag();
    SetCurrentObject(hit.object);
    return;
  }
  SetCurrentObject(hit.object);
  if (!hit.object) {
    m_drag = DragMode::None;
    return;
  }
  m_dragObject = hit.object;
  m_moved = QPoint();
  m_target = CanvasHit();
  if (hit.part == CanvasHit::Part::OutputPin) {
    m_drag = DragMode::Connect;
    m_dragPin = hit.pin;
    SetHover(hit.object, -1, hit.pin);
  } else {
    m_drag = DragMode::Pending;
    m_dragPin = -1;
  }
  m_pressOnInput = hit.part == CanvasHit::Part::InputPin;
}

void CCanvasController::MouseMove(const QPoint& point, bool leftDown) {
  if (m_drag == DragMode::Pending) {
    if (!leftDown) {
      m_drag = DragMode::None;
    } else if ((point - m_pressPoint).manhattanLength() >= m_dragThreshold && m_pressOnInput) {
      // Whoever drags from an input pin means to draw a wire the wrong way
      // round: the block stays where it is, and the status bar says how.
      m_drag = DragMode::None;
      m_dragObject = nullptr;
      m_pressOnInput = false;
      m_host.ShowHint(WireHintText());
      return;
    } else if ((point - m_pressPoint).manhattanLength() >= m_dragThreshold) {
      m_drag = DragMode::Move;
    } else {
      return;  // a small jitter of a click moves nothing; the move counts from the press
    }
  }
  if (m_drag == DragMode::Move && m_dragObject) {
    int dx = point.x() - m_last.x();
    int dy = point.y() - m_last.y();
    m_last = point;
    if (m_dragObject->IsMoveLocked()) return;  // the lock holds against the user
    // Keep the object on the canvas: nothing may go left of or above the
    // origin, where no scrolling reaches it.
    const QRect bound = m_dragObject->GetBoundingRect().normalized();
    dx = std::max(dx, std::min(0, -bound.left()));
    dy = std::max(dy, std::min(0, -bound.top()));
    if (dx == 0 && dy == 0) return;
    m_dragObject->Move(dx, dy, true);
    m_moved += QPoint(dx, dy);
    Invalidate(m_dragObject);
    return;
  }
  if (m_drag == DragMode::Connect && m_dragObject) {
    m_last = point;
    const CanvasHit hit = CCanvasHitTest::HitTest(m_doc, point, m_pinTolerance);
    CBaseDevice* target = nullptr;
    int targetPin = -1;
    if (hit.part == CanvasHit::Part::InputPin && CanConnect(m_dragObject, m_dragPin, hit.object, hit.pin)) {
      target = hit.object;
      targetPin = hit.pin;
    }
    m_target = target ? hit : CanvasHit();
    if (target)
      SetHover(target, targetPin, -1);
    else
      SetHover(m_dragObject, -1, m_dragPin);
    Invalidate(nullptr);
    return;
  }
  m_last = point;
  const CanvasHit hit = CCanvasHitTest::HitTest(m_doc, point, m_pinTolerance);
  SetHover(hit.object, hit.part == CanvasHit::Part::InputPin ? hit.pin : -1,
           hit.part == CanvasHit::Part::OutputPin ? hit.pin : -1);
}

void CCanvasController::MouseRelease(const QPoint& point, Button button) {
  if (button != Button::Left) return;
  if (m_drag == DragMode::Connect && m_dragObject) {
    MouseMove(point, true);
    CBaseDevice* from = m_dragObject;
    const int outPin = m_dragPin;
    const CanvasHit target = m_target;
    m_drag = DragMode::None;
    m_dragObject = nullptr;
    m_target = CanvasHit();
    if (target.object && CanConnect(from, outPin, target.object, target.pin))
      CBaseDevice::Connect(from, outPin, target.object, target.pin);
    SetHover(nullptr, -1, -1);
    Invalidate(nullptr);
    return;
  }
  m_drag = DragMode::None;
  m_dragObject = nullptr;
}

bool CCanvasController::DoubleClick(const QPoint& point) {
  if (m_drag != DragMode::None) CancelDrag();
  const CanvasHit hit = CCanvasHitTest::HitTest(m_doc, point, m_pinTolerance);
  SetCurrentObject(hit.object);
  if (!hit.object) return false;
  // The dialog may delete objects, this one included: use nothing of it after.
  return hit.object->ShowProperties();
}

void CCanvasController::MouseLeave() {
  if (m_drag == DragMode::None) SetHover(nullptr, -1, -1);
}

void CCanvasController::CancelDrag() {
  if (m_drag == DragMode::Move && m_dragObject && !m_moved.isNull())
    m_dragObject->Move(-m_moved.x(), -m_moved.y(), true);
  m_drag = DragMode::None;
  m_dragObject = nullptr;
  m_target = CanvasHit();
  m_moved = QPoint();
  SetHover(nullptr, -1, -1);
  Invalidate(nullptr);
}

QString CCanvasController::ToolTipAt(const QPoint& point) const {
  const CanvasHit hit = CCanvasHitTest::HitTest(m_doc, point, m_pinTolerance);
  return hit.object ? hit.object->GetToolTipText() : QString();
}

void CCanvasController::ObjectRemoved(CBaseDevice* object) {
  if (!object) return;
  if (m_hover == object) m_hover = nullptr;
  if (m_target.object == object) m_target = CanvasHit();
  if (m_dragObject == object) {
    m_dragObject = nullptr;
    m_drag = DragMode::None;
  }
  if (m_current == object) {
    m_current = nullptr;
    m_host.CurrentObjectChanged(nullptr);
  }
  Invalidate(nullptr);
}

void CCanvasController::DocumentCleared() {
  const bool hadCurrent = m_current != nullptr;
  m_current = nullptr;
  m_hover = nullptr;
  m_dragObject = nullptr;
  m_target = CanvasHit();
  m_drag = DragMode::None;
  if (hadCurrent) m_host.CurrentObjectChanged(nullptr);
  Invalidate(nullptr);
}

QPoint CCanvasController::ConnectFrom() const {
  if (m_drag != DragMode::Connect || !m_dragObject) return QPoint();
  return m_dragObject->GetOutputPinPoint(m_dragPin);
}

QRect CCanvasController::DraggedRect() const {
  if (m_drag != DragMode::Move || !m_dragObject) return QRect();
  return m_dragObject->GetRect();
}

QString CCanvasController::WireHintText() {
  return QCoreApplication::translate("CCanvasController",
                                     "A wire is drawn from an output pin (filled, on a block's right-hand side) to an "
                                     "input pin (hollow, on the left-hand side): drag from the output pin.");
}

bool CCanvasController::CanConnect(const CBaseDevice* from, int outPin, const CBaseDevice* to, int inPin) {
  if (!from || !to || from == to) return false;
  if (outPin < 0 || outPin >= from->GetOutputCount()) return false;
  if (inPin < 0 || inPin >= to->GetInputCount()) return false;
  for (const ConnectionRecord& r : from->GetOutputConnections())
    if (r.pPeer == to && r.nOwnPin == outPin && r.nPeerPin == inPin) return false;
  return true;
}

CMenuData CCanvasController::BuildContextMenu() const {
  if (!m_current) return CMenuData();
  CMenuData menu = CMenuResources::Load(m_current->GetMenuID());
  m_current->BuildContextMenu(menu);
  m_current->UpdateMenu(menu);
  return menu;
}

bool CCanvasController::IsCommandEnabled(int id) const {
  if (!m_current || !IsObjectCommand(id)) return false;
  CCmdUI ui(id);
  m_current->OnUpdateCommandUI(ui);
  return ui.IsEnabled();
}

bool CCanvasController::RouteCommand(int id) {
  if (!m_current || !IsCommandEnabled(id)) return false;
  CBaseDevice* target = m_current;
  return target->OnCommand(id);
}
