#ifndef SELV_EDITORS_LISTS_LOGICOUTLISTMODEL_H
#define SELV_EDITORS_LISTS_LOGICOUTLISTMODEL_H

#include "editors/lists/entrylistkind.h"

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <vector>

class CLogicOut;
class CSelvantisDoc;

// What the logic-output list shows and how its cells change the logic
// outputs: one row per logic output in identifier order; the name edited as
// the row's label, output and condition chosen from a selection, the
// inversion toggled by a double click.
class LogicOutListModel final {
 public:
  enum Column : int { kName = 0, kId = 1, kOutput = 2, kCondition = 3, kInvert = 4 };
  static constexpr int kColumnCount = 5;
  static constexpr int kImage = 27;
  static constexpr uint32_t kSelectOutput = 34460;     // "Logic state": "No entry" and the control pads
  static constexpr uint32_t kSelectCondition = 34129;  // "Condition"
  // The list's commands and the logic-output block's steps: output n owns
  // the steps 4n-3 .. 4n.
  static constexpr EntryListKind kKind{48, 56, -1, 33120, 33121, 33122, 33119, 0, 4};

  enum class Edit { None, Select, Toggle };

  static QStringList ColumnTitles();
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column);

  static std::vector<CLogicOut*> LogicOuts(const CSelvantisDoc& doc);
  static QStringList RowTexts(const CLogicOut& out);

  static Edit EditOf(int column);
  static uint32_t SelectionKindOf(int column);
  static bool CanEditLabel(int column) { return column == kName; }

  // A choice of the selection: connects that control pad (output) or
  // condition; 0 unlinks. False for other columns.
  static bool ApplyChoice(CLogicOut& out, int column, int id);
  // The double click on "Inv.": flips the invert flag. False for others.
  static bool Toggle(CLogicOut& out, int column);
  // The end of the label edit: the name (made unique, the user told).
  static bool ApplyText(CLogicOut& out, int column, const QString& text);

  // A new logic output in doc under its default name, or null when the pool
  // is full (the user told).
  static CLogicOut* NewLogicOut(CSelvantisDoc& doc);
};

#endif
