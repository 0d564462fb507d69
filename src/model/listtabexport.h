#ifndef SELV_MODEL_LISTTABEXPORT_H
#define SELV_MODEL_LISTTABEXPORT_H

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// The text of a report list as it is on the screen: the column titles, the
// number of header columns and the cell texts of every row.
struct ListTableText {
  QStringList titles;
  int columnCount = 0;
  std::vector<QStringList> rows;
};

// Cell and title texts are cut to this many characters in the export and the
// print-out.
constexpr int kListCellMaxChars = 255;

// The list as tab-separated text: a title line (only when there are
// columns), then one line per row with every header column; lines end in CR
// LF, texts are Latin-1, nothing is quoted.
QByteArray ListTabText(const ListTableText& table);

// Writes ListTabText to path in one piece: when the file cannot be written
// false comes back, and an existing file keeps its old contents.
bool WriteListTabText(const QString& path, const ListTableText& table, QString* error = nullptr);

#endif
