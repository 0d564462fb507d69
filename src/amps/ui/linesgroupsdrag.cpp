#include "amps/ui/linesgroupsdrag.h"

#include "shell/cbitmapmanager.h"

#include <QByteArray>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QObject>
#include <QPoint>
#include <QWidget>

#include <algorithm>

namespace {

QByteArray Payload(const QObject* dialog, int sourceId) {
  return QByteArray::number(reinterpret_cast<quintptr>(dialog), 16) + ' ' + QByteArray::number(sourceId);
}

}  // namespace

QString LinesGroupsDrag::MimeType() { return QStringLiteral("application/x-selvantis-zones-groups"); }

QMimeData* LinesGroupsDrag::MakeData(const QObject* dialog, int sourceId) {
  auto* data = new QMimeData();
  data->setData(MimeType(), Payload(dialog, sourceId));
  return data;
}

int LinesGroupsDrag::SourceOf(const QMimeData* data, const QObject* dialog) {
  if (data == nullptr || dialog == nullptr || !data->hasFormat(MimeType())) return 0;
  const QList<QByteArray> parts = data->data(MimeType()).split(' ');
  if (parts.size() != 2) return 0;
  bool ok = false;
  const quintptr owner = parts[0].toULongLong(&ok, 16);
  if (!ok || owner != reinterpret_cast<quintptr>(dialog)) return 0;
  const int id = parts[1].toInt(&ok);
  return ok && id > 0 ? id : 0;
}

bool LinesGroupsDrag::IsDragEvent(const QEvent* event) {
  const QEvent::Type type = event->type();
  return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop;
}

int LinesGroupsDrag::TakeDragEvent(QEvent* event, const QObject* dialog, const std::function<bool(int)>& accepts) {
  auto* drop = static_cast<QDropEvent*>(event);
  const int sourceId = SourceOf(drop->mimeData(), dialog);
  if (sourceId == 0 || !accepts(sourceId)) {
    drop->ignore();
    return 0;
  }
  drop->setDropAction(Qt::MoveAction);
  drop->accept();
  return event->type() == QEvent::Drop ? sourceId : 0;
}

void LinesGroupsDrag::CoverDialog(QWidget* dialog) {
  DragCursors::CoverDialog(
      dialog, [dialog](const QMimeData* data) { return SourceOf(data, dialog) != 0; }, Qt::MoveAction);
}

QDrag* LinesGroupsDrag::MakeDrag(QWidget* source, QMimeData* data, const QPixmap& picture) {
  auto* drag = new QDrag(source);
  drag->setMimeData(data);
  if (!picture.isNull()) {
    drag->setPixmap(picture);
    drag->setHotSpot(QPoint(kHotSpot, kHotSpot));
  }
  // Inside the dialog, which takes its own drags everywhere, the drop
  // picture; outside it, where nothing takes them, the refusing one.
  DragCursors::Apply(*drag, DropCursor(), Qt::MoveAction);
  return drag;
}

void LinesGroupsDrag::Run(QWidget* source, QMimeData* data, const QPixmap& picture) {
  MakeDrag(source, data, picture)->exec(Qt::MoveAction, Qt::MoveAction);
}

QPixmap LinesGroupsDrag::DropCursor() { return DragCursors::DropCursor(); }

QPixmap LinesGroupsDrag::RefusedCursor() { return DragCursors::RefusedCursor(); }

std::vector<QIcon> LinesGroupsDrag::RowIcons() {
  std::vector<QIcon> icons;
  for (int i = 0; i < kImageCount; ++i) icons.emplace_back(CBitmapManager::Icon(kBitmap, i));
  return icons;
}

QPixmap LinesGroupsDrag::DragPicture(int image) {
  // The strip's picture drawn at the drag size, not a small image blown up.
  return CBitmapManager::Render(CBitmapManager::FileOf(kBitmap, std::clamp(image, 0, kImageCount - 1)),
                                QSize(kDragImageSize, kDragImageSize));
}
