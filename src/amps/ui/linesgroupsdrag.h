#ifndef SELV_AMPS_UI_LINESGROUPSDRAG_H
#define SELV_AMPS_UI_LINESGROUPSDRAG_H

#include "amps/ui/dragcursors.h"

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <functional>
#include <vector>

class QDrag;
class QEvent;
class QMimeData;
class QObject;
class QWidget;

// Drags between the controls of the zone-and-group dialogs. The drag data
// names the dialog and the control the drag started from, so a drop only
// counts on the dialog it came from; the rows themselves are read from the
// source control when the drop arrives. Also the pictures of bitmap 131
// (0 zone, 1 group, 2 other) that the rows show.
class LinesGroupsDrag final {
 public:
  static constexpr int kBitmap = 131;
  static constexpr int kImageCount = 3;
  static constexpr int kDragImageSize = 32;
  static constexpr int kHotSpot = 10;
  // The cursor of a drag over the dialog, and elsewhere (where nothing
  // takes the drop): see DragCursors.
  static constexpr int kDropCursor = DragCursors::kDropCursor;
  static constexpr int kRefusedCursor = DragCursors::kRefusedCursor;
  static constexpr int kCursorSize = DragCursors::kCursorSize;

  static QString MimeType();
  // New drag data (the caller owns it until it hands it to a drag).
  static QMimeData* MakeData(const QObject* dialog, int sourceId);
  // The id of the control a drag of dialog started from; 0 for data of any
  // other drag.
  static int SourceOf(const QMimeData* data, const QObject* dialog);
  // Whether event is a drag entering, moving over or dropped on a control.
  static bool IsDragEvent(const QEvent* event);
  // Such a drag event on one of dialog's drop targets: accepted as a move
  // when it carries a drag that started on a control of dialog for which
  // accepts(sourceId) is true, else ignored. Returns the source of an accepted drop (the work
  // is the caller's), else 0.
  static int TakeDragEvent(QEvent* event, const QObject* dialog, const std::function<bool(int)>& accepts);
  // Takes dialog's own drags over every part of it that does not take them
  // itself (the source list, the captions, the buttons), so the drop cursor
  // shows wherever the mouse is inside the dialog; a drop there does
  // nothing.
  static void CoverDialog(QWidget* dialog);
  // The drag Run starts, not yet running (the caller owns it until then):
  // the picture at the cursor, the drop cursor where the drop is taken and
  // the refusing cursor where it is not.
  static QDrag* MakeDrag(QWidget* source, QMimeData* data, const QPixmap& picture);
  // Runs the drag from source (modal while the mouse is held) with the
  // picture at the cursor; the drop handlers do the work.
  static void Run(QWidget* source, QMimeData* data, const QPixmap& picture);

  // The row pictures at list size, and one of them at drag size.
  static std::vector<QIcon> RowIcons();
  static QPixmap DragPicture(int image);
  static QPixmap DropCursor();
  static QPixmap RefusedCursor();
};

#endif
