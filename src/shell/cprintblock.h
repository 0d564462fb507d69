#ifndef SELV_SHELL_CPRINTBLOCK_H
#define SELV_SHELL_CPRINTBLOCK_H

#include <QString>
#include <QStringList>

#include <vector>

class CBaseDevice;
class CSelvantisDoc;
class QFontMetrics;

// One table of the printed object list: the objects of one class, with the
// columns the class reports (GetReportColumns), its column titles and one
// row per object (GetReportLine). A column record's first value is where
// the column starts, in average character widths from the table's left
// edge; the second is its alignment (0 left, 1 right, 2 centred).
class CPrintBlock final {
 public:
  struct Column {
    int position = 0;
    int format = 0;
  };

  // The object tables of a project: one block per kind of object (type
  // code) that reports columns, in the order of the document's lists.
  static std::vector<CPrintBlock> BuildObjectTables(const CSelvantisDoc& doc);

  // A block of objects of one class; reads columns and titles from the
  // first. Empty (no columns) when the class has no table.
  CPrintBlock(const QString& title, const std::vector<const CBaseDevice*>& objects);

  const QString& Title() const noexcept { return m_title; }
  const std::vector<Column>& Columns() const noexcept { return m_columns; }
  const QStringList& Titles() const noexcept { return m_titles; }
  const std::vector<QStringList>& Rows() const noexcept { return m_rows; }
  int ColumnCount() const;
  bool IsEmpty() const noexcept { return m_columns.empty() || m_rows.empty(); }

  // Left edge of each column in device units for the font's metrics: at its
  // stated position, but never before the end of the previous column's
  // widest text plus a gap, so texts of columns placed at the same position
  // (or out of order) cannot run into each other.
  std::vector<int> ColumnLeft(const QFontMetrics& body, const QFontMetrics& header) const;

 private:
  QString m_title;
  std::vector<Column> m_columns;
  QStringList m_titles;
  std::vector<QStringList> m_rows;
};

#endif
