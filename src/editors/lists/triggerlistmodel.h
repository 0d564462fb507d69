#ifndef SELV_EDITORS_LISTS_TRIGGERLISTMODEL_H
#define SELV_EDITORS_LISTS_TRIGGERLISTMODEL_H

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <vector>

class CSelvantisDoc;
class CTrigger;

// What the trigger list shows and how its cells change the triggers: one row
// per trigger in identifier order, the name edited as the row's label, the
// duration typed in place, condition and macros chosen from a selection.
class TriggerListModel final {
 public:
  enum Column : int { kName = 0, kId = 1, kCondition = 2, kDuration = 3, kOnMacro = 4, kOffMacro = 5 };
  static constexpr int kColumnCount = 6;
  static constexpr uint32_t kSelectCondition = 34129;  // "Condition"
  static constexpr uint32_t kSelectMacro = 32806;      // "Macro"

  // How a double click edits a cell.
  enum class Edit { None, Select, InPlace };

  static QStringList ColumnTitles();
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column);

  static std::vector<CTrigger*> Triggers(const CSelvantisDoc& doc);
  static QStringList RowTexts(const CTrigger& trigger);

  static Edit EditOf(int column);
  // The selection kind of a column edited by selection (0 for the others).
  static uint32_t SelectionKindOf(int column);
  // The name is edited as the label only over column 0.
  static bool CanEditLabel(int column) { return column == kName; }

  // The choice of a selection: connects that condition or macro. False for
  // a column that is not chosen from a selection.
  static bool ApplyChoice(CTrigger& trigger, int column, int id);
  // The end of a text edit: column 0 the name (made unique, the user told),
  // column 3 the duration (text without a number leaves it). True when the
  // trigger changed.
  static bool ApplyText(CTrigger& trigger, int column, const QString& text);

  // A new trigger in doc, or null when the pool is full (the user told).
  static CTrigger* NewTrigger(CSelvantisDoc& doc);
};

#endif
