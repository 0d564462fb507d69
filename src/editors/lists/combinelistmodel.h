#ifndef SELV_EDITORS_LISTS_COMBINELISTMODEL_H
#define SELV_EDITORS_LISTS_COMBINELISTMODEL_H

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <vector>

class CCombineCondition;
class CSelvantisDoc;

// What the combine condition list shows and how its cells change the
// combinations: four rows per combination (one per input) in identifier
// order; the logic function and the input conditions chosen from a
// selection, the invert flags toggled, the name edited as the label of any
// of the four rows.
class CombineListModel final {
 public:
  enum Column : int { kName = 0, kId = 1, kLogic = 2, kInvert = 3, kCondition = 4 };
  static constexpr int kColumnCount = 5;
  static constexpr int kRowsPerEntry = 4;
  static constexpr int kImage = 25;
  static constexpr int kContinuationImage = 2;
  static constexpr uint32_t kSelectLogic = 34455;      // "Logic"
  static constexpr uint32_t kSelectInvert = 34454;     // "Inv."
  static constexpr uint32_t kSelectCondition = 34129;  // "Condition"

  static QStringList ColumnTitles();
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column);

  static std::vector<CCombineCondition*> Combinations(const CSelvantisDoc& doc);
  // The cells of row k (0..3) of a combination's block.
  static QStringList RowTexts(const CCombineCondition& combination, int k);
  static int ImageOf(int k) { return k == 0 ? kImage : kContinuationImage; }

  // The model field a cell of list row row edits, -1 for none: column 2
  // the function, 3 the invert flag and 4 the condition of input row mod 4.
  static int FieldOf(int row, int column);
  // The kind that edits a column (0 for none); "Inv." toggles.
  static uint32_t KindOf(int column);
  static bool CanEditLabel(int column) { return column == kName; }

  static void ToggleInvert(CCombineCondition& combination, int field);
  // The choice of a selection for field (function or input condition).
  static void ApplyChoice(CCombineCondition& combination, int field, int value);
  static bool ApplyText(CCombineCondition& combination, int column, const QString& text);

  // The row a refill selects: the last row of the block of currentId, else
  // 0 (-1 for no rows). rowIds holds one identifier per row.
  static int RowToSelect(const std::vector<int>& rowIds, int currentId);
  // The current ID after deleting the combination of row deletedRow: the
  // next combination, else the one before, else current unchanged.
  static int CurrentAfterDelete(const std::vector<int>& rowIds, int deletedRow, int current);

  static CCombineCondition* NewCombineCondition(CSelvantisDoc& doc);
};

#endif
