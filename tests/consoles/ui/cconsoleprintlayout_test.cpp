// Placement of the console drawing on paper.
#include "consoles/ui/cconsoleprintlayout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// 600 dpi printer, 96 dpi screen: 6.25 device units per drawing unit.
CConsolePrintLayout A4(int width = 4800, int height = 6600) {
  return CConsolePrintLayout(width, height, 600, 600, 96, 96);
}

}  // namespace

TEST(CConsolePrintLayoutTest, FiftyKeysPrintOnePageFiftyOneOnTwo) {
  EXPECT_EQ(CConsolePrintLayout::LastPage(50), 1);
  EXPECT_EQ(CConsolePrintLayout::LastPage(51), 2);
  EXPECT_EQ(CConsolePrintLayout::LastPage(100), 2);
}

TEST(CConsolePrintLayoutTest, ASmallDrawingKeepsItsRealSizeAndIsCentred) {
  const auto page = A4().Fit(KeyBox{10, 5, 410, 205});
  EXPECT_DOUBLE_EQ(page.scaleX, 6.25);
  EXPECT_DOUBLE_EQ(page.scaleY, 6.25 * 1.1);
  EXPECT_DOUBLE_EQ(page.offsetX, (4800 - 400 * 6.25) / 2);
  EXPECT_DOUBLE_EQ(page.offsetY, (6600 - 200 * 6.25 * 1.1) / 2);
}

// A drawing larger than the page is reduced along each axis by that axis's
// own factor, only where it does not fit; along the other it keeps its
// real size and is centred.
TEST(CConsolePrintLayoutTest, EachAxisIsReducedByItsOwnFactorOnlyWhereTheDrawingDoesNotFit) {
  struct Row {
    KeyBox drawing;
    double reduceX;  // of the real size (6.25 across, 6.25 x 1.1 down)
    double reduceY;
  };
  const Row rows[] = {
      {KeyBox{0, 0, 1536, 200}, 0.5, 1},                            // twice the page's width
      {KeyBox{0, 0, 400, 1920}, 1, 6600 / (1920 * 6.25 * 1.1)},     // taller than the page
      {KeyBox{0, 0, 1536, 1920}, 0.5, 6600 / (1920 * 6.25 * 1.1)},  // both
      {KeyBox{0, 0, 768, 200}, 1, 1},                               // exactly the page's width
  };
  for (const Row& row : rows) {
    const auto page = A4().Fit(row.drawing);
    const double w = row.drawing.Width() * 6.25 * row.reduceX;
    const double h = row.drawing.Height() * 6.25 * 1.1 * row.reduceY;
    EXPECT_DOUBLE_EQ(page.scaleX, 6.25 * row.reduceX) << row.drawing.right;
    EXPECT_DOUBLE_EQ(page.scaleY, 6.25 * 1.1 * row.reduceY) << row.drawing.right;
    EXPECT_DOUBLE_EQ(page.offsetX, (4800 - w) / 2) << row.drawing.right;
    EXPECT_DOUBLE_EQ(page.offsetY, (6600 - h) / 2) << row.drawing.right;
    EXPECT_GE(page.offsetX, -1e-9);
    EXPECT_GE(page.offsetY, -1e-9);
  }
}

TEST(CConsolePrintLayoutTest, TheVerticalStretchNeverPushesTheDrawingOffThePage) {
  // Exactly the page height before the stretch.
  const auto page = A4(4800, 1250).Fit(KeyBox{0, 0, 100, 200});
  EXPECT_LE(200 * page.scaleY, 1250.0 + 1e-9);
  EXPECT_GE(page.offsetY, 0);
}

TEST(CConsolePrintLayoutTest, WithAnExtensionPageOneIsTheMainHousingPageTwoTheExtension) {
  const KeyBox drawing{10, 5, 900, 300};
  const KeyBox extension{10, 5, 300, 300};
  const auto layout = A4();
  const auto first = layout.PageSetup(drawing, extension, true, 1);
  EXPECT_EQ(first.source, (KeyBox{320, 5, 900, 300}));
  const auto second = layout.PageSetup(drawing, extension, true, 2);
  EXPECT_EQ(second.source, (KeyBox{10, 5, 300, 300}));
  EXPECT_EQ(layout.PageSetup(drawing, extension, false, 1).source, drawing);
}

TEST(CConsolePrintLayoutTest, DegenerateInputDoesNotDivideByZero) {
  const CConsolePrintLayout layout(0, 0, 0, 0, 0, 0);
  const auto page = layout.Fit(KeyBox{});
  EXPECT_TRUE(std::isfinite(page.scaleX));
  EXPECT_TRUE(std::isfinite(page.scaleY));
  EXPECT_GE(layout.PenWidth(), 1);
  EXPECT_EQ(CConsolePrintLayout(10, 10, 600, 600, 96, 96).PenWidth(), 7);
}
