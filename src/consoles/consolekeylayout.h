#ifndef SELV_CONSOLES_CONSOLEKEYLAYOUT_H
#define SELV_CONSOLES_CONSOLEKEYLAYOUT_H

#include "consoles/keybox.h"

#include <vector>

// Where the key view puts each key of a console: a pure function of the
// view's unit (client height / 6), the number of programmable keys K and
// the key's place. Programmable keys sit in a grid of five rows, column by
// column; the fixed keys to their right (101..108 in two rows, 109..112 on
// top). Consoles with more than 50 keys show the extension's keys left of
// the main housing, which is why their grid needs a permutation.
class ConsoleKeyLayout final {
 public:
  struct Cell {
    KeyBox cell;    // the key's place
    KeyBox window;  // the button inside it
  };

  static int UnitOf(int clientHeight) { return clientHeight / 6; }
  // Grid position 0..K-1 (column = position / 5, row = position % 5).
  static Cell ProgrammableCell(int unit, int keyCount, int gridPosition);
  // Fixed-key array position 0..11.
  static Cell FixedCell(int unit, int keyCount, int position);
  // index < 101: a grid position; 101 and more: fixed position index - 101
  // (108 is position 7, key 108).
  static Cell CellAt(int unit, int keyCount, int index);

  // The programmable-array position the key at grid position i shows: the
  // main console's keys 1..K-50 on the right, the extension's keys in rows
  // of ten on the left, for K = 60, 70, 80 and 100; i itself otherwise.
  static int ArrayPositionAt(int keyCount, int gridPosition);
  // The whole table for K = 60, 70, 80, 100; empty for other counts.
  static std::vector<int> PermutationTable(int keyCount);
};

#endif
