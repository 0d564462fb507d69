#ifndef SELV_EDITORS_LISTS_CONDITIONLISTMODEL_H
#define SELV_EDITORS_LISTS_CONDITIONLISTMODEL_H

#include "macros/rangelist.h"

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <vector>

class CCondition;
class CSelvantisDoc;

// What the condition list shows and how its cells change the conditions:
// one row per condition in identifier order; the type and the source chosen
// from a selection, the level toggled, the name edited as the row's label.
// While connected the "State" column shows which conditions the unit
// reports true, polled with "/CONDITION/TRUE ?".
class ConditionListModel final {
 public:
  enum Column : int { kName = 0, kId = 1, kSelection = 2, kLevel = 3, kState = 4 };
  static constexpr int kColumnCount = 5;
  static constexpr int kImage = 3;
  static constexpr uint32_t kSelectConditionType = 34325;  // "Condition type"
  static constexpr int kStatusPollTimer = 11;
  static constexpr int kStatusPollIntervalMs = 1500;
  static constexpr int kStatusReplyDelayMs = 200;
  static constexpr unsigned kMaxConditions = 250;
  static constexpr int kHeaderControlId = 1201;

  enum class Edit { None, SelectType, SelectSource, ToggleLevel };

  // The "State" title carries " *" while the poll runs.
  static QStringList ColumnTitles(bool polling = false);
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column);

  static std::vector<CCondition*> Conditions(const CSelvantisDoc& doc);
  // The cells of a row; "State" is empty until the next poll.
  static QStringList RowTexts(const CCondition& condition);

  static Edit EditOf(int column, const CCondition& condition);
  static bool CanEditLabel(int column) { return column == kName; }
  // Only a click on "State" while connected switches the poll.
  static bool TogglesPoll(int column, bool online) { return column == kState && online; }

  static void SetType(CCondition& condition, int kind);
  static void SetSource(CCondition& condition, int id);
  static void ToggleLevel(CCondition& condition);
  // Column 0: the name (made unique, the user told). True when it changed.
  static bool ApplyText(CCondition& condition, int column, const QString& text);

  // A new condition of the type kind in doc, or null when it cannot be
  // placed. An "Amplifier Error" condition watches every amplifier.
  static CCondition* NewCondition(CSelvantisDoc& doc, int kind);

  // The status query and its reply: the range list after the last blank
  // names the true conditions from 1. An empty, echoed-only or malformed
  // reply sets nothing.
  static QString StatusQuery();
  static BitSet ParseTrueConditions(const QString& reply);
  // "TRUE" or "FALSE" for the condition with identifier id.
  static QString StateText(const BitSet& trueConditions, int id);
};

#endif
