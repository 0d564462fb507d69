#include "editors/lists/clisthoveroverlay.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

CListHoverOverlay::CListHoverOverlay(QAbstractItemView* view) : QWidget(view->viewport()), m_view(view) {
  setObjectName(QStringLiteral("hoverOverlay"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(view->viewport()->rect());
  view->setMouseTracking(true);
  view->viewport()->installEventFilter(this);
  if (QItemSelectionModel* selection = view->selectionModel())
    connect(selection, &QItemSelectionModel::currentChanged, this, &CListHoverOverlay::ClearFlag);
  show();
}

void CListHoverOverlay::ClearFlag() {
  m_tracker.ClearFlag();
  update();
}

void CListHoverOverlay::Reset() {
  m_tracker.Reset();
  update();
}

bool CListHoverOverlay::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_view->viewport()) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseMove: {
      const QModelIndex index = m_view->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      const ListHoverTracker::Actions actions =
          index.isValid() ? m_tracker.MouseMove(index.row(), index.column()) : m_tracker.MouseMove(-1, -1);
      if (actions.erase || actions.draw) update();
      break;
    }
    case QEvent::Leave:
      if (m_tracker.MouseLeave()) update();
      break;
    case QEvent::Resize: setGeometry(m_view->viewport()->rect()); break;
    default: break;
  }
  return false;
}

QRect CListHoverOverlay::CellRect(const ListCell& cell) const {
  const QModelIndex index = m_view->model() ? m_view->model()->index(cell.row, cell.column) : QModelIndex();
  return index.isValid() ? m_view->visualRect(index) : QRect();
}

void CListHoverOverlay::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // Scrolling moves the viewport's children with the cells: the layer goes
  // back to cover the whole viewport.
  if (pos() != QPoint(0, 0)) move(0, 0);
}

void CListHoverOverlay::paintEvent(QPaintEvent*) {
  const std::optional<ListCell> shown = m_tracker.Shown();
  if (!shown) return;
  const QRect rect = CellRect(*shown);
  if (!rect.isValid()) return;
  QPainter painter(this);
  QPen pen(palette().color(QPalette::Text));
  pen.setStyle(Qt::DotLine);
  painter.setPen(pen);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
}
