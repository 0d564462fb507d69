#include "editors/lists/listprintlayout.h"

#include <gtest/gtest.h>

TEST(ListPrintLayoutTest, ScalesByTheRatioOfResolutions) {
  const ListPrintLayout layout(QSize(100, 50), QSize(1000, 1000), 96, 96, 600, 300);
  EXPECT_EQ(layout.ScaleX(96), 600);
  EXPECT_EQ(layout.ScaleY(96), 300);
  EXPECT_EQ(layout.ListRect(), QRect(0, 0, 625, 156));
  EXPECT_EQ(layout.Scale(QRect(16, 32, 16, 32)), QRect(100, 100, 100, 100));
}

TEST(ListPrintLayoutTest, ListThatFitsPrintsOnePageAndPreviewShowsOne) {
  const ListPrintLayout layout(QSize(400, 300), QSize(1000, 1000), 100, 100, 100, 100);
  EXPECT_EQ(layout.PageCount(), 1);
  EXPECT_EQ(layout.PreviewPages(), 1);
}

TEST(ListPrintLayoutTest, ListExactlyOnePageLongNeedsNoSecondPage) {
  const ListPrintLayout layout(QSize(1000, 1000), QSize(1000, 1000), 100, 100, 100, 100);
  EXPECT_EQ(layout.PageCount(), 1);
  const ListPrintLayout empty(QSize(0, 0), QSize(1000, 1000), 100, 100, 100, 100);
  EXPECT_EQ(empty.PageCount(), 1);
}

TEST(ListPrintLayoutTest, WideListPrintsStripsDownThenAcross) {
  const ListPrintLayout layout(QSize(2500, 1500), QSize(1000, 1000), 100, 100, 100, 100);
  EXPECT_EQ(layout.PagesDown(), 2);
  EXPECT_EQ(layout.PagesAcross(), 3);
  EXPECT_EQ(layout.PageCount(), 6);
  EXPECT_EQ(layout.PreviewPages(), 2);
  EXPECT_EQ(layout.PageOrigin(1), QPoint(0, 0));
  EXPECT_EQ(layout.PageOrigin(2), QPoint(0, 1000));
  EXPECT_EQ(layout.PageOrigin(3), QPoint(1000, 0));
  EXPECT_EQ(layout.PageOrigin(6), QPoint(2000, 1000));
  EXPECT_EQ(layout.PageOrigin(99), QPoint(2000, 1000));
}

TEST(ListPrintLayoutTest, ZeroResolutionsDoNotDivideByZero) {
  const ListPrintLayout layout(QSize(10, 10), QSize(0, 0), 0, 0, 0, 0);
  EXPECT_EQ(layout.ScaleX(10), 10);
  EXPECT_EQ(layout.PageCount(), 1);
}
