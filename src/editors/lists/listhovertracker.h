#ifndef SELV_EDITORS_LISTS_LISTHOVERTRACKER_H
#define SELV_EDITORS_LISTS_LISTHOVERTRACKER_H

#include <optional>

// A cell of a report list.
struct ListCell {
  int row = 0;
  int column = 0;
  bool operator==(const ListCell& other) const { return row == other.row && column == other.column; }
  bool operator!=(const ListCell& other) const { return !(*this == other); }
};

// Which cell of an entry list carries the hover rectangle. Column 0 never
// carries it; a selection change or an edit takes it away until the mouse
// moves to another cell. The view paints the rectangle of Shown().
class ListHoverTracker final {
 public:
  // What a mouse move asks the view to do.
  struct Actions {
    bool requestLeave = false;      // ask for the leave notification again
    std::optional<ListCell> erase;  // the rectangle to remove
    std::optional<ListCell> draw;   // the rectangle to draw
  };

  // row -1 (or column -1): the mouse is over no cell.
  Actions MouseMove(int row, int column);
  // The rectangle to remove, if one was shown.
  std::optional<ListCell> MouseLeave();
  // After a selection change: the rectangle goes, the remembered cell stays.
  void ClearFlag() { m_flag = false; }
  // Before an edit: the rectangle goes and the remembered cell is reset.
  void Reset();

  bool IsShown() const noexcept { return m_flag; }
  // The cell whose rectangle is drawn, if any.
  std::optional<ListCell> Shown() const;
  ListCell Remembered() const noexcept { return m_cell; }
  bool NeedsRearm() const noexcept { return m_rearm; }

 private:
  ListCell m_cell;
  bool m_flag = false;
  bool m_rearm = true;
};

#endif
