#include "shell/ccanvasrenderer.h"

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/ipainter.h"

bool CCanvasRenderer::IsPlaced(const CBaseDevice& object) { return object.GetRect() != QRect(); }

std::vector<CBaseDevice*> CCanvasRenderer::PlacedObjects(const CSelvantisDoc& doc) {
  std::vector<CBaseDevice*> placed;
  for (CBaseDevice* object : doc.GetAllObjects())
    if (object && IsPlaced(*object)) placed.push_back(object);
  return placed;
}

QRect CCanvasRenderer::DrawingBounds(const CSelvantisDoc& doc) {
  QRect bounds;
  for (CBaseDevice* object : PlacedObjects(doc)) {
    QRect r = object->GetBoundingRect();
    if (r.isNull()) r = object->GetRect();
    bounds = bounds.united(r.normalized());
  }
  return bounds;
}

QRect CCanvasRenderer::UnitBounds(const CSelvantisDoc& doc) {
  QRect bounds;
  for (int category : {CAT_SLOTS, CAT_INPUTSLOTS, CAT_OUTPUTSLOTS, CAT_MODULES}) {
    for (CBaseDevice* object : doc.GetObjectList(category)) {
      if (!object || !IsPlaced(*object)) continue;
      QRect r = object->GetBoundingRect();
      if (r.isNull()) r = object->GetRect();
      bounds = bounds.united(r.normalized());
    }
  }
  return bounds.isEmpty() ? DrawingBounds(doc) : bounds;
}

bool CCanvasRenderer::Touches(const CBaseDevice& object, const QRect& rect) {
  if (object.GetBoundingRect().normalized().adjusted(-2, -2, 2, 2).intersects(rect)) return true;
  for (const ConnectionRecord& r : object.GetOutputConnections()) {
    // Only wires between objects on the canvas are drawn.
    if (!r.pPeer || object.GetRect().isEmpty() || r.pPeer->GetRect().isEmpty()) continue;
    const QRect line = QRect(object.GetOutputPinPoint(r.nOwnPin), r.pPeer->GetInputPinPoint(r.nPeerPin))
                           .normalized()
                           .adjusted(-2, -2, 2, 2);
    if (line.intersects(rect)) return true;
  }
  return false;
}

int CCanvasRenderer::Draw(const CSelvantisDoc& doc, IPainter& painter, const QRect& exposed) {
  int drawn = 0;
  for (CBaseDevice* object : PlacedObjects(doc)) {
    if (!exposed.isNull() && !Touches(*object, exposed)) continue;
    object->Draw(painter);
    ++drawn;
  }
  return drawn;
}
