#include "shell/cscrolltracker.h"

#include "shell/iscrolltarget.h"

CScrollTracker::CScrollTracker(IScrollTarget& view) : m_view(view) {}

void CScrollTracker::AdjustRect(QRect& rect) {
  const QRect copy = rect.normalized();
  const QRect client = m_view.TrackerClientRect();
  // Edges as exclusive coordinates: right = x + width, bottom = y + height.
  const int clientRight = client.x() + client.width();
  const int clientBottom = client.y() + client.height();
  const int copyRight = copy.x() + copy.width();
  const int copyBottom = copy.y() + copy.height();
  const QRect dirty = m_rect.normalized().united(copy);

  if (copyRight > clientRight - kEdgeUnits) {
    m_view.TrackerScrollBy(kStepUnits, 0);
    m_view.TrackerInvalidate(dirty);
  }
  if (copy.x() < client.x() + kEdgeUnits) {
    m_view.TrackerScrollBy(-kStepUnits, 0);
    m_view.TrackerInvalidate(dirty);
  }
  if (copy.y() < client.y() + kEdgeUnits) {
    m_view.TrackerScrollBy(0, -kStepUnits);
    m_view.TrackerInvalidate(dirty);
  }
  if (copyBottom > clientBottom - kEdgeUnits) {
    m_view.TrackerScrollBy(0, kStepUnits);
    m_view.TrackerInvalidate(dirty);
  }
  m_rect = rect;
}
