#include "model/listtabexport.h"

#include "model/coutputfile.h"
#include "model/ctext.h"

namespace {

QByteArray Cell(const QString& text) { return ToUnitText(text.left(kListCellMaxChars)); }

}  // namespace

QByteArray ListTabText(const ListTableText& table) {
  QByteArray out;
  for (int i = 0; i < table.titles.size(); ++i) {
    if (i > 0) out += '\t';
    out += Cell(table.titles.at(i));
  }
  if (!table.titles.isEmpty()) out += "\r\n";
  for (const QStringList& row : table.rows) {
    for (int column = 0; column < table.columnCount; ++column) {
      if (column < row.size()) out += Cell(row.at(column));
      if (column + 1 < table.columnCount) out += '\t';
    }
    out += "\r\n";
  }
  return out;
}

bool WriteListTabText(const QString& path, const ListTableText& table, QString* error) {
  QString reason;
  if (COutputFile::WriteFile(path, ListTabText(table), &reason)) return true;
  if (error) *error = reason;
  return false;
}
