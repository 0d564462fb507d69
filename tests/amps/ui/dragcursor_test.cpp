// The zone-and-group drags: the cursors and the drag picture are drawn from
// their picture files at the drag size; inside the dialog the drag shows
// the drop cursor wherever the mouse is, outside it the refusing one.
#include "amps/cgroup.h"
#include "amps/czone.h"
#include "amps/ui/caddtogroupsdlg.h"
#include "amps/ui/clinesgroupsdlg.h"
#include "amps/ui/dragcursors.h"
#include "amps/ui/linesgroupsdrag.h"
#include "model/cselvantisdoc.h"
#include "shell/cbitmapmanager.h"
#include "shell/controls/ceditablelistctrl.h"
#include "shell/controls/cresizabletreectrl.h"
#include "support/tempprofile.h"

#include <QCoreApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

QImage Image(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

// Whether a drag carrying data that enters target (as the application
// delivers it: to the first control up from target that takes it) is
// taken as a move: then the drop cursor shows.
bool TakesDrag(QWidget* target, const QMimeData* data) {
  QDragEnterEvent enter(QPoint(3, 3), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  return enter.isAccepted() && enter.dropAction() == Qt::MoveAction;
}

// A zone and two groups.
struct DragCursorProject {
  CSelvantisDoc doc;
  CZone* zone = nullptr;
  CGroup* g1 = nullptr;
  CGroup* g2 = nullptr;
  DragCursorProject() {
    CGroup::EnsureRoot(doc);
    auto z = std::make_unique<CZone>();
    if (z->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, &doc))
      zone = doc.Adopt(std::move(z));
    g1 = CGroup::CreateIn(doc, QRect(), CGroup::kLevelFromZone);
    g2 = CGroup::CreateIn(doc, QRect(), CGroup::kLevelFromZone);
  }
};

TEST(LinesGroupsDragTest, DropCursorAndDragPictureComeFromTheirPictures) {
  const QPixmap cursor = LinesGroupsDrag::DropCursor();
  ASSERT_FALSE(cursor.isNull());
  EXPECT_EQ(cursor.deviceIndependentSize().toSize(), QSize(LinesGroupsDrag::kCursorSize, LinesGroupsDrag::kCursorSize));
  EXPECT_TRUE(CBitmapManager::Holds(LinesGroupsDrag::kDropCursor));
  EXPECT_TRUE(CBitmapManager::Holds(LinesGroupsDrag::kRefusedCursor));
  const QPixmap picture = LinesGroupsDrag::DragPicture(1);
  EXPECT_EQ(picture.deviceIndependentSize().toSize(),
            QSize(LinesGroupsDrag::kDragImageSize, LinesGroupsDrag::kDragImageSize));
  for (const QIcon& icon : LinesGroupsDrag::RowIcons()) EXPECT_FALSE(icon.isNull());
}

// The drag carries both cursors: 448 where the drop is taken (the whole
// dialog), 106 where it is not (outside the dialog), never the desktop's.
TEST(LinesGroupsDragTest, TheDragShowsTheDropCursorAndOutsideTheRefusingOne) {
  QWidget source;
  std::unique_ptr<QDrag> drag(LinesGroupsDrag::MakeDrag(&source, new QMimeData, LinesGroupsDrag::DragPicture(0)));
  const QPixmap refused = LinesGroupsDrag::RefusedCursor();
  ASSERT_FALSE(refused.isNull());
  EXPECT_EQ(refused.deviceIndependentSize().toSize(),
            QSize(LinesGroupsDrag::kCursorSize, LinesGroupsDrag::kCursorSize));
  EXPECT_EQ(Image(drag->dragCursor(Qt::MoveAction)), Image(DragCursors::ForDrag(LinesGroupsDrag::DropCursor())));
  EXPECT_EQ(Image(drag->dragCursor(Qt::IgnoreAction)), Image(DragCursors::ForDrag(refused)));
  EXPECT_NE(Image(refused), Image(LinesGroupsDrag::DropCursor()));
  EXPECT_EQ(drag->hotSpot(), QPoint(LinesGroupsDrag::kHotSpot, LinesGroupsDrag::kHotSpot));
}

// A drag centres its cursor picture on the pointer: the picture sits in the
// lower right quarter, its arrow's tip on the middle.
TEST(LinesGroupsDragTest, DragCursorsHaveTheirTipOnThePointer) {
  const QImage picture = Image(DragCursors::DropCursor());
  const QImage drag = Image(DragCursors::ForDrag(DragCursors::DropCursor()));
  ASSERT_EQ(drag.size(), picture.size() * 2);
  EXPECT_EQ(drag.copy(QRect(QPoint(picture.width(), picture.height()), picture.size())), picture);
  const QImage empty = drag.copy(QRect(QPoint(0, 0), picture.size()));
  for (int y = 0; y < empty.height(); ++y)
    for (int x = 0; x < empty.width(); ++x) ASSERT_EQ(qAlpha(empty.pixel(x, y)), 0) << x << "," << y;
  const QCursor pickUp = DragCursors::PickUpCursor();
  EXPECT_EQ(Image(pickUp.pixmap()), picture);
  EXPECT_EQ(pickUp.hotSpot(), QPoint(1, 1));
}

class DragCursorDialogTest : public ::testing::Test {
 protected:
  TempProfile profile;
};

// Over every part of the add-to-groups dialog its own drags are taken, so
// the drop cursor shows; a drop where it counts for nothing changes nothing.
TEST_F(DragCursorDialogTest, AddToGroupsTakesItsDragsEverywhereInside) {
  DragCursorProject p;
  CAddToGroupsDlg dlg(p.g1, nullptr, &p.doc);
  dlg.show();
  std::unique_ptr<QMimeData> fromList(dlg.MakeDragData(CAddToGroupsDlg::IDC_LIST));
  for (QWidget* part : {static_cast<QWidget*>(dlg.GetList()->viewport()), dlg.GetTree()->viewport(),
                        static_cast<QWidget*>(dlg.findChild<QPushButton*>("ok")),
                        static_cast<QWidget*>(dlg.findChild<QLabel*>("listCaption")), static_cast<QWidget*>(&dlg)}) {
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(TakesDrag(part, fromList.get())) << part->objectName().toStdString();
  }
  // The list's rows dropped on the list itself stay candidates.
  ASSERT_EQ(dlg.GetList()->GetItemCount(), 1);
  dlg.GetList()->SelectRow(0);
  QDropEvent drop(QPointF(3, 3), Qt::MoveAction, fromList.get(), Qt::LeftButton, Qt::NoModifier);
  ASSERT_TRUE(TakesDrag(dlg.GetList()->viewport(), fromList.get()));
  QCoreApplication::sendEvent(dlg.GetList()->viewport(), &drop);
  EXPECT_TRUE(p.g1->GetInputConnections().empty());
  EXPECT_EQ(dlg.GetList()->GetItemCount(), 1);
  // Another dialog's drag is refused: the refusing cursor.
  CAddToGroupsDlg other(p.g2, nullptr, &p.doc);
  std::unique_ptr<QMimeData> foreign(other.MakeDragData(CAddToGroupsDlg::IDC_LIST));
  EXPECT_FALSE(TakesDrag(dlg.findChild<QPushButton*>("ok"), foreign.get()));
  EXPECT_FALSE(TakesDrag(dlg.GetTree()->viewport(), foreign.get()));
  dlg.accept();
}

TEST_F(DragCursorDialogTest, LinesAndGroupsTakesItsDragsEverywhereInside) {
  DragCursorProject p;
  std::vector<CBaseDevice*> chosen;
  CLinesGroupsDlg dlg(&chosen, nullptr, &p.doc);
  dlg.show();
  std::unique_ptr<QMimeData> fromUnused(dlg.MakeDragData(CLinesGroupsDlg::IDC_UNUSED_LIST));
  for (QWidget* part : {static_cast<QWidget*>(dlg.GetUnusedList()->viewport()), dlg.GetSelectedList()->viewport(),
                        static_cast<QWidget*>(dlg.findChild<QPushButton*>("ok")), static_cast<QWidget*>(&dlg)}) {
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(TakesDrag(part, fromUnused.get())) << part->objectName().toStdString();
  }
  // Over the rows it may pick up, the free list shows cursor 448, not the
  // desktop's hand.
  ASSERT_GE(dlg.GetUnusedList()->GetItemCount(), 1);
  dlg.GetUnusedList()->SelectRow(0);
  const QPoint row = dlg.GetUnusedList()->visualItemRect(dlg.GetUnusedList()->topLevelItem(0)).center();
  QMouseEvent move(QEvent::MouseMove, QPointF(row), dlg.GetUnusedList()->viewport()->mapToGlobal(QPointF(row)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(dlg.GetUnusedList()->viewport(), &move);
  const QCursor overRows = dlg.GetUnusedList()->viewport()->cursor();
  EXPECT_NE(overRows.shape(), Qt::OpenHandCursor);
  EXPECT_EQ(Image(overRows.pixmap()), Image(DragCursors::DropCursor()));
  std::vector<CBaseDevice*> otherChosen;
  CLinesGroupsDlg other(&otherChosen, nullptr, &p.doc);
  std::unique_ptr<QMimeData> foreign(other.MakeDragData(CLinesGroupsDlg::IDC_UNUSED_LIST));
  EXPECT_FALSE(TakesDrag(dlg.findChild<QPushButton*>("ok"), foreign.get()));
  dlg.reject();
}

}  // namespace
