#include "editors/lists/listhovertracker.h"

ListHoverTracker::Actions ListHoverTracker::MouseMove(int row, int column) {
  Actions actions;
  if (m_rearm) {
    actions.requestLeave = true;
    m_rearm = false;
  }
  const ListCell cell{row, column};
  const bool hoverCell = row >= 0 && column >= 1;
  if (m_flag && cell != m_cell) {
    actions.erase = m_cell;
    m_flag = false;
  }
  if (hoverCell && cell != m_cell) {
    actions.draw = cell;
    m_flag = true;
  }
  m_cell = cell;
  return actions;
}

std::optional<ListCell> ListHoverTracker::MouseLeave() {
  std::optional<ListCell> erase;
  if (m_flag) {
    erase = m_cell;
    m_cell = ListCell{};
    m_flag = false;
  }
  m_rearm = true;
  return erase;
}

void ListHoverTracker::Reset() {
  m_cell = ListCell{};
  m_flag = false;
}

std::optional<ListCell> ListHoverTracker::Shown() const {
  if (!m_flag) return std::nullopt;
  return m_cell;
}
