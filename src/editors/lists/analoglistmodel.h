#ifndef SELV_EDITORS_LISTS_ANALOGLISTMODEL_H
#define SELV_EDITORS_LISTS_ANALOGLISTMODEL_H

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <vector>

class CAnalogCondition;
class CSelvantisDoc;

// What the analog condition list shows and how its cells change the range
// checks: one row per range check in identifier order; the control pad
// chosen from a selection, minimum and maximum typed in place, the name
// edited as the row's label.
class AnalogListModel final {
 public:
  enum Column : int { kName = 0, kId = 1, kInput = 2, kMinimum = 3, kMaximum = 4 };
  static constexpr int kColumnCount = 5;
  static constexpr int kImage = 24;
  static constexpr uint32_t kSelectInput = 32848;  // "KCM216 Input"

  enum class Edit { None, Select, InPlace };

  static QStringList ColumnTitles();
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column);

  static std::vector<CAnalogCondition*> AnalogConditions(const CSelvantisDoc& doc);
  static QStringList RowTexts(const CAnalogCondition& condition);

  static Edit EditOf(int column);
  static bool CanEditLabel(int column) { return column == kName; }

  // Column 2: connects the control pad with that identifier.
  static bool ApplyChoice(CAnalogCondition& condition, int column, int id);
  // Column 0 the name, 3 the minimum, 4 the maximum (kept within
  // 0.0 .. 10.0; text without a number leaves the value). True when handled.
  static bool ApplyText(CAnalogCondition& condition, int column, const QString& text);

  static CAnalogCondition* NewAnalogCondition(CSelvantisDoc& doc);
};

#endif
