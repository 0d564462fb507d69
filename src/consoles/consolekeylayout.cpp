#include "consoles/consolekeylayout.h"

#include "consoles/cconskey.h"

#include <algorithm>

namespace {

constexpr int kRows = 5;
constexpr int kExtensionFrom = 50;

// Products with fractions are truncated toward zero, as the view draws them
// (so (10 - 7.36) * 100 is 263, not 264).
int Trunc(double value) { return static_cast<int>(value); }

KeyBox BaseCell(int unit) { return KeyBox{-2, 2, unit + 2, unit - 2}; }

KeyBox ButtonOf(const KeyBox& cell) {
  return KeyBox{cell.left + 10, cell.top + 17 - 2, cell.right - 10, cell.bottom - 17 - 2};
}

bool HasTable(int keyCount) { return keyCount == 60 || keyCount == 70 || keyCount == 80 || keyCount == 100; }

// The key number shown at grid position i of a console with an extension.
int KeyAtGrid(int keyCount, int i) {
  const int column = i / kRows;
  const int row = i % kRows;
  const int mainKeys = keyCount - kExtensionFrom;
  if (column >= 10) return (column - 10) + row * (mainKeys / kRows) + 1;
  return mainKeys + row * 10 + column + 1;
}

// The array position of key number k (the inverse of the numbering of
// CConsProp::CreateProgrammableKeys).
int ArrayPositionOfKey(int keyCount, int number) {
  const int rows = keyCount / kRows;
  return kRows * ((number - 1) % rows) + (number - 1) / rows;
}

}  // namespace

ConsoleKeyLayout::Cell ConsoleKeyLayout::ProgrammableCell(int unit, int keyCount, int gridPosition) {
  const int column = gridPosition / kRows;
  const int row = gridPosition % kRows;
  KeyBox cell = BaseCell(unit).Moved(Trunc((column + 0.75) * unit) + 8 * column, Trunc((row + 0.5) * unit));
  if (keyCount > kExtensionFrom) {
    int dx = cell.Width() * 10 / 80;
    if (gridPosition >= kExtensionFrom) dx += 5 * cell.Width();
    cell = cell.Moved(dx, 0);
  }
  return Cell{cell, ButtonOf(cell)};
}

ConsoleKeyLayout::Cell ConsoleKeyLayout::FixedCell(int unit, int keyCount, int position) {
  const int columns = keyCount / kRows;
  KeyBox cell = BaseCell(unit);
  if (position < 8) {
    const int row = position % 2 == 0 ? 3 : 4;
    const int k = columns + position / 2 + (position >= 2 ? 1 : 0);
    cell = cell.Moved(Trunc((k + 0.75) * unit) + 8 * (columns + position / 2), Trunc((row + 0.5) * unit));
  } else {
    const int k = columns + position;
    cell = cell.Moved(Trunc((k - 7.36) * unit) + 8 * k, Trunc(0.75 * unit));
  }
  if (keyCount > kExtensionFrom) cell = cell.Moved(cell.Width() * 410 / 80, 0);
  if (position < 8) return Cell{cell, ButtonOf(cell)};
  cell.top -= 12;
  cell.bottom += 2;
  if (position == 8) cell = cell.Moved(-(cell.Width() * 2 / 3), 0);
  return Cell{cell, cell};
}

ConsoleKeyLayout::Cell ConsoleKeyLayout::CellAt(int unit, int keyCount, int index) {
  if (index >= CConsKey::kFirstFixedKey) return FixedCell(unit, keyCount, index - CConsKey::kFirstFixedKey);
  return ProgrammableCell(unit, keyCount, index);
}

std::vector<int> ConsoleKeyLayout::PermutationTable(int keyCount) {
  std::vector<int> table;
  if (!HasTable(keyCount)) return table;
  table.reserve(static_cast<size_t>(keyCount));
  for (int i = 0; i < keyCount; ++i) table.push_back(ArrayPositionOfKey(keyCount, KeyAtGrid(keyCount, i)));
  return table;
}

int ConsoleKeyLayout::ArrayPositionAt(int keyCount, int gridPosition) {
  if (!HasTable(keyCount) || gridPosition < 0 || gridPosition >= keyCount) return gridPosition;
  return ArrayPositionOfKey(keyCount, KeyAtGrid(keyCount, gridPosition));
}
