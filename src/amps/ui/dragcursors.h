#ifndef SELV_AMPS_UI_DRAGCURSORS_H
#define SELV_AMPS_UI_DRAGCURSORS_H

#include <QCursor>
#include <QPixmap>

#include <functional>

class QDrag;
class QMimeData;
class QWidget;

// The cursors of the dialogs' drags: inside the dialog the one of the
// dialog (448 where rows are dropped, or the plain arrow), outside it the
// refusing one (106), never the desktop's. A dialog takes its own drags
// over all of itself, so its inside cursor shows wherever the mouse is in
// it; a drop where it counts for nothing does nothing.
class DragCursors final {
 public:
  static constexpr int kDropCursor = 448;
  static constexpr int kRefusedCursor = 106;
  static constexpr int kCursorSize = 32;

  // The pictures at cursor size; the arrow's tip is at their top left.
  static QPixmap DropCursor();
  static QPixmap RefusedCursor();
  static QPixmap ArrowCursor();
  // Cursor 448 with its tip at the pointer, for rows that can be picked up.
  static QCursor PickUpCursor();

  // A drag puts the middle of its cursor pictures on the pointer: the
  // picture in the lower right quarter of one twice its size, so that its
  // tip is there.
  static QPixmap ForDrag(const QPixmap& picture);
  // Gives drag the inside picture for action, where the drop is taken, and
  // the refusing one where it is not.
  static void Apply(QDrag& drag, const QPixmap& inside, Qt::DropAction action);
  // Takes dialog's own drags (those isOwn says are) as action over every
  // part of it that does not take them itself.
  static void CoverDialog(QWidget* dialog, std::function<bool(const QMimeData*)> isOwn, Qt::DropAction action);
};

#endif
