#include "shell/controls/listcolumnlayout.h"

#include <algorithm>
#include <cstdint>

int ListColumnLayout::AddColumn(const QString& title, int percent, ListEditorKind editor) {
  m_columns.push_back(Column{title, std::clamp(percent, 0, 100), editor});
  return Count() - 1;
}

void ListColumnLayout::SetPercent(int column, int percent) {
  if (column >= 0 && column < Count()) {
    m_columns[column].percent = std::clamp(percent, 0, 100);
  }
}

void ListColumnLayout::SetEditor(int column, ListEditorKind editor) {
  if (column >= 0 && column < Count()) {
    m_columns[column].editor = editor;
  }
}

const ListColumnLayout::Column* ListColumnLayout::At(int column) const {
  return column >= 0 && column < Count() ? &m_columns[column] : nullptr;
}

ListEditorKind ListColumnLayout::EditorOf(int column) const {
  const Column* c = At(column);
  return c ? c->editor : ListEditorKind::None;
}

std::vector<int> ListColumnLayout::Widths(int clientWidth) const {
  clientWidth = std::max(clientWidth, 0);
  std::vector<int> widths;
  widths.reserve(m_columns.size());
  int sumPercent = 0;
  int sumWidth = 0;
  for (const Column& c : m_columns) {
    const int w = static_cast<int>(static_cast<int64_t>(clientWidth) * c.percent / 100);
    widths.push_back(w);
    sumPercent += c.percent;
    sumWidth += w;
  }
  if (!widths.empty() && sumPercent == 100) {
    widths.back() += clientWidth - sumWidth;
  }
  return widths;
}

int ListColumnLayout::PercentOf(int width, int clientWidth) {
  if (clientWidth <= 0) {
    return 0;
  }
  const int64_t p = (static_cast<int64_t>(std::max(width, 0)) * 100 + clientWidth / 2) / clientWidth;
  return static_cast<int>(std::min<int64_t>(p, 100));
}
