#include "amps/ui/dragcursors.h"

#include "shell/cbitmapmanager.h"

#include <QDrag>
#include <QDropEvent>
#include <QEvent>
#include <QObject>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QWidget>

#include <utility>

namespace {

QPixmap CursorPicture(int id) {
  return CBitmapManager::Render(CBitmapManager::FileOf(id), QSize(DragCursors::kCursorSize, DragCursors::kCursorSize));
}

bool IsDragEvent(const QEvent* event) {
  const QEvent::Type type = event->type();
  return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
}

// The dialog's own drags, wherever they reach the dialog itself.
class DialogDragCover final : public QObject {
 public:
  DialogDragCover(QWidget* dialog, std::function<bool(const QMimeData*)> isOwn, Qt::DropAction action)
      : QObject(dialog), m_dialog(dialog), m_isOwn(std::move(isOwn)), m_action(action) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != m_dialog || !IsDragEvent(event)) return false;
    auto* drag = static_cast<QDropEvent*>(event);
    if (m_isOwn && m_isOwn(drag->mimeData())) {
      drag->setDropAction(m_action);
      drag->accept();
    } else {
      drag->ignore();
    }
    return true;
  }

 private:
  QWidget* m_dialog;
  std::function<bool(const QMimeData*)> m_isOwn;
  Qt::DropAction m_action;
};

}  // namespace

QPixmap DragCursors::DropCursor() { return CursorPicture(kDropCursor); }

QPixmap DragCursors::RefusedCursor() { return CursorPicture(kRefusedCursor); }

QPixmap DragCursors::ArrowCursor() {
  // The arrow of the other two cursors, alone.
  QPixmap pixmap(kCursorSize, kCursorSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath arrow(QPointF(1.5, 1.5));
  for (const QPointF& p :
       {QPointF(1.5, 20), QPointF(6, 15.5), QPointF(9.5, 22.5), QPointF(12.5, 21), QPointF(9, 14), QPointF(15, 14)})
    arrow.lineTo(p);
  arrow.closeSubpath();
  QPen pen(Qt::black, 1.2);
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::white);
  painter.drawPath(arrow);
  return pixmap;
}

QCursor DragCursors::PickUpCursor() { return QCursor(DropCursor(), 1, 1); }

QPixmap DragCursors::ForDrag(const QPixmap& picture) {
  if (picture.isNull()) return picture;
  const QSize size = picture.size();
  QPixmap doubled(size * 2);
  doubled.setDevicePixelRatio(picture.devicePixelRatio());
  doubled.fill(Qt::transparent);
  QPainter painter(&doubled);
  painter.drawPixmap(QPointF(picture.deviceIndependentSize().width(), picture.deviceIndependentSize().height()),
                     picture);
  return doubled;
}

void DragCursors::Apply(QDrag& drag, const QPixmap& inside, Qt::DropAction action) {
  // X11 lets a drag set both; the refusing one replaces the desktop's.
  drag.setDragCursor(ForDrag(inside), action);
  drag.setDragCursor(ForDrag(RefusedCursor()), Qt::IgnoreAction);
}

void DragCursors::CoverDialog(QWidget* dialog, std::function<bool(const QMimeData*)> isOwn, Qt::DropAction action) {
  dialog->setAcceptDrops(true);
  dialog->installEventFilter(new DialogDragCover(dialog, std::move(isOwn), action));
}
