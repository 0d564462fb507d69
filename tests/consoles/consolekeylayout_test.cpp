// The key layout: cells and buttons per place, and the permutation of the
// consoles with an extension.

#include "consoles/consolekeylayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

KeyBox Box(int l, int t, int r, int b) { return KeyBox{l, t, r, b}; }

}  // namespace

TEST(ConsoleKeyLayoutTest, CellsOfATenKeyConsole) {
  const int u = ConsoleKeyLayout::UnitOf(600);
  ASSERT_EQ(u, 100);
  const auto p0 = ConsoleKeyLayout::CellAt(u, 10, 0);
  EXPECT_EQ(p0.cell, Box(73, 52, 177, 148));
  EXPECT_EQ(p0.window, Box(83, 67, 167, 129));
  EXPECT_EQ(ConsoleKeyLayout::CellAt(u, 10, 6).cell, Box(181, 152, 285, 248));
  EXPECT_EQ(ConsoleKeyLayout::CellAt(u, 10, 101).cell, Box(289, 352, 393, 448));
  // Fixed positions 2 and 3 skip a column; position 3 is in the lower row.
  const auto f3 = ConsoleKeyLayout::CellAt(u, 10, 104);
  EXPECT_EQ(f3.cell, Box(-2 + 499, 2 + 450, 102 + 499, 98 + 450));
  // The top row: (10 - 7.36) * 100 truncates to 263, so x is 263 + 80;
  // position 8 then moves left by two thirds of the cell.
  const auto f9 = ConsoleKeyLayout::CellAt(u, 10, 110);
  const int x9 = static_cast<int>((11 - 7.36) * 100) + 88;
  EXPECT_EQ(f9.cell, Box(-2 + x9, 2 + 75 - 12, 102 + x9, 98 + 75 + 2));
  EXPECT_EQ(f9.window, f9.cell);
  const auto f8 = ConsoleKeyLayout::CellAt(u, 10, 109);
  const int x8 = 343 - 104 * 2 / 3;
  EXPECT_EQ(f8.cell, Box(-2 + x8, 65, 102 + x8, 175));
  // Key 108 is fixed position 7.
  EXPECT_EQ(ConsoleKeyLayout::CellAt(u, 10, 108).cell, ConsoleKeyLayout::FixedCell(u, 10, 7).cell);
}

TEST(ConsoleKeyLayoutTest, ExtensionShiftsEveryCellRight) {
  const int u = 100;
  const int w = 104;
  EXPECT_EQ(ConsoleKeyLayout::CellAt(u, 60, 0).cell, ConsoleKeyLayout::CellAt(u, 10, 0).cell.Moved(w * 10 / 80, 0));
  const auto far = ConsoleKeyLayout::CellAt(u, 60, 55).cell;
  const auto plain = ConsoleKeyLayout::CellAt(u, 10, 55).cell;
  EXPECT_EQ(far, plain.Moved(w * 10 / 80 + 5 * w, 0));
  const auto fixed60 = ConsoleKeyLayout::FixedCell(u, 60, 0).cell;
  // K / 5 = 12 columns before the fixed keys.
  const int x = static_cast<int>((12 + 0.75) * u) + 8 * 12 + w * 410 / 80;
  EXPECT_EQ(fixed60, Box(-2 + x, 352, 102 + x, 448));
}

TEST(ConsoleKeyLayoutTest, PermutationOfSixtyKeys) {
  const std::vector<int> table = ConsoleKeyLayout::PermutationTable(60);
  ASSERT_EQ(table.size(), 60u);
  EXPECT_EQ(std::vector<int>(table.begin(), table.begin() + 7), (std::vector<int>{50, 41, 32, 23, 14, 55, 46}));
  EXPECT_EQ(std::vector<int>(table.end() - 5, table.end()), (std::vector<int>{5, 15, 25, 35, 45}));
}

TEST(ConsoleKeyLayoutTest, EveryTableIsAPermutationAndOthersAreIdentity) {
  for (int k : {60, 70, 80, 100}) {
    std::vector<int> table = ConsoleKeyLayout::PermutationTable(k);
    ASSERT_EQ(table.size(), static_cast<size_t>(k));
    std::sort(table.begin(), table.end());
    std::vector<int> expected(static_cast<size_t>(k));
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(table, expected) << k;
  }
  EXPECT_TRUE(ConsoleKeyLayout::PermutationTable(50).empty());
  EXPECT_TRUE(ConsoleKeyLayout::PermutationTable(65).empty());
  EXPECT_EQ(ConsoleKeyLayout::ArrayPositionAt(65, 7), 7);
  EXPECT_EQ(ConsoleKeyLayout::ArrayPositionAt(20, 7), 7);
  EXPECT_EQ(ConsoleKeyLayout::ArrayPositionAt(60, 0), 50);
  EXPECT_EQ(ConsoleKeyLayout::ArrayPositionAt(60, 60), 60);
}
