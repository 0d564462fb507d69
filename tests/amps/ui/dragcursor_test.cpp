// The zone-and-group drags: the drop cursor and the drag picture are drawn
// from their picture files at the drag size.
#include "amps/ui/linesgroupsdrag.h"
#include "shell/cbitmapmanager.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

TEST(LinesGroupsDragTest, DropCursorAndDragPictureComeFromTheirPictures) {
  const QPixmap cursor = LinesGroupsDrag::DropCursor();
  ASSERT_FALSE(cursor.isNull());
  EXPECT_EQ(cursor.deviceIndependentSize().toSize(), QSize(LinesGroupsDrag::kCursorSize, LinesGroupsDrag::kCursorSize));
  EXPECT_TRUE(CBitmapManager::Holds(LinesGroupsDrag::kDropCursor));
  EXPECT_TRUE(CBitmapManager::Holds(106)) << "the refusing cursor's picture";
  const QPixmap picture = LinesGroupsDrag::DragPicture(1);
  EXPECT_EQ(picture.deviceIndependentSize().toSize(),
            QSize(LinesGroupsDrag::kDragImageSize, LinesGroupsDrag::kDragImageSize));
  for (const QIcon& icon : LinesGroupsDrag::RowIcons()) EXPECT_FALSE(icon.isNull());
}

}  // namespace
