#ifndef SELV_EDITORS_LISTS_BUSYLISTMODEL_H
#define SELV_EDITORS_LISTS_BUSYLISTMODEL_H

#include <QString>
#include <QStringList>
#include <Qt>

#include <cstdint>
#include <vector>

class CBaseDevice;
class CBusyCondition;
class CSelvantisDoc;

// What the busy condition list shows and how its cells change the busy
// conditions: one row per busy condition in identifier order; audio
// sources and outputs chosen from a selection (several at once), zones and
// groups from the "Lines and Groups" dialog, matching toggled, the minimum
// priority typed in place, the name edited as the row's label.
class BusyListModel final {
 public:
  enum Column : int { kName = 0, kId = 1, kAudio = 2, kOutput = 3, kZones = 4, kMatching = 5, kPriority = 6 };
  static constexpr int kColumnCount = 7;
  static constexpr int kImage = 26;
  static constexpr uint32_t kSelectSources = 34449;  // "BUSY condition Properties"
  static constexpr uint32_t kSelectOutputs = 33021;  // "Output"

  enum class Edit { None, SelectSources, SelectOutputs, Zones, ToggleMatching, InPlace };

  static QStringList ColumnTitles();
  static int ColumnWidth(int column);
  static Qt::Alignment ColumnAlignment(int column);

  static std::vector<CBusyCondition*> BusyConditions(const CSelvantisDoc& doc);
  static QStringList RowTexts(const CBusyCondition& condition);

  static Edit EditOf(int column);
  // The selection kind of a column chosen from a selection (0 otherwise).
  static uint32_t SelectionKindOf(int column);
  static bool CanEditLabel(int column) { return column == kName; }

  static void SetSources(CBusyCondition& condition, int sourceBits);
  static void SetOutputs(CBusyCondition& condition, const QString& selection);
  static void ToggleMatching(CBusyCondition& condition);
  // The zones and groups the condition watches now, and the new choice.
  static std::vector<CBaseDevice*> Zones(const CBusyCondition& condition);
  static void SetZones(CBusyCondition& condition, const std::vector<CBaseDevice*>& zones);
  // Column 0 the name, 6 the minimum priority (0..10; text without a
  // number leaves it). True when handled.
  static bool ApplyText(CBusyCondition& condition, int column, const QString& text);

  static CBusyCondition* NewBusyCondition(CSelvantisDoc& doc);
};

#endif
