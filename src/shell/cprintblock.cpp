#include "shell/cprintblock.h"

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"

#include <QFontMetrics>

#include <algorithm>
#include <map>
#include <utility>

namespace {
// Space between the widest text of a column and the next column, in
// average character widths.
constexpr int kColumnGapChars = 2;

QString BlockTitle(const CBaseDevice& first) {
  QString title = GetCategoryName(first.GetCategory());
  if (title.isEmpty() && first.GetKind() != 0) title = LoadString(static_cast<uint32_t>(first.GetKind()));
  if (title.isEmpty()) {
    title = QString::fromLatin1(first.GetClassName());
    if (title.startsWith(QLatin1Char('C'))) title.remove(0, 1);
  }
  return title;
}
}  // namespace

std::vector<CPrintBlock> CPrintBlock::BuildObjectTables(const CSelvantisDoc& doc) {
  // One table per kind of object: one class can stand for several kinds
  // (the extension cards), each with its own type code and heading.
  using Key = std::pair<int, QString>;
  std::vector<Key> order;
  std::map<Key, std::vector<const CBaseDevice*>> byKind;
  for (const CBaseDevice* object : doc.GetAllObjects()) {
    if (!object) continue;
    const Key key(object->GetType(), QString::fromLatin1(object->GetClassName()));
    auto it = byKind.find(key);
    if (it == byKind.end()) {
      order.push_back(key);
      it = byKind.emplace(key, std::vector<const CBaseDevice*>()).first;
    }
    it->second.push_back(object);
  }
  std::vector<CPrintBlock> blocks;
  for (const Key& key : order) {
    const std::vector<const CBaseDevice*>& objects = byKind[key];
    CPrintBlock block(BlockTitle(*objects.front()), objects);
    if (!block.IsEmpty()) blocks.push_back(std::move(block));
  }
  return blocks;
}

CPrintBlock::CPrintBlock(const QString& title, const std::vector<const CBaseDevice*>& objects) : m_title(title) {
  if (objects.empty()) return;
  std::vector<ReportColumn> records;
  if (objects.front()->GetReportColumns(records) == 0 || records.empty()) return;
  for (const ReportColumn& r : records) m_columns.push_back({std::max(0, r.position), r.value});
  objects.front()->GetReportLine(m_titles, true);
  for (const CBaseDevice* object : objects) {
    QStringList cells;
    object->GetReportLine(cells, false);
    m_rows.push_back(cells);
  }
}

int CPrintBlock::ColumnCount() const {
  int count = static_cast<int>(m_columns.size());
  count = std::max(count, static_cast<int>(m_titles.size()));
  for (const QStringList& row : m_rows) count = std::max(count, static_cast<int>(row.size()));
  return count;
}

std::vector<int> CPrintBlock::ColumnLeft(const QFontMetrics& body, const QFontMetrics& header) const {
  const int charWidth = std::max(1, body.averageCharWidth());
  const int count = ColumnCount();
  std::vector<int> left(static_cast<size_t>(count), 0);
  int previousEnd = 0;
  for (int c = 0; c < count; ++c) {
    const int stated =
        c < static_cast<int>(m_columns.size()) ? m_columns[static_cast<size_t>(c)].position * charWidth : 0;
    const int x = c == 0 ? stated : std::max(stated, previousEnd + kColumnGapChars * charWidth);
    left[static_cast<size_t>(c)] = x;
    int widest = header.horizontalAdvance(m_titles.value(c));
    for (const QStringList& row : m_rows) widest = std::max(widest, body.horizontalAdvance(row.value(c)));
    previousEnd = x + widest;
  }
  return left;
}
