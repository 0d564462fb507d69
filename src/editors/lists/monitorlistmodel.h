#ifndef SELV_EDITORS_LISTS_MONITORLISTMODEL_H
#define SELV_EDITORS_LISTS_MONITORLISTMODEL_H

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class CMonitor;
class CSelvantisDoc;

// What the two monitor lists show and how their commands change the
// project's monitor: the entry table (one row per entry that is not OFF,
// addressed by entry number) and the relay slots (one row per slot holding
// a relay, addressed by slot index).
class MonitorListModel final {
 public:
  static constexpr uint32_t kSelectEntry = 33086;  // "Monitor": the monitor's choices
  static constexpr uint32_t kSelectRelay = 32797;  // KCM209 relay outputs
  static constexpr int kEntryImage = 13;
  static constexpr int kRelayImage = 19;
  static constexpr int kColumnCount = 3;
  enum Column : int { kIcon = 0, kNumber = 1, kText = 2 };

  struct Row {
    QStringList cells;
    int data = 0;  // entry rows: the choice code; relay rows: the slot index
  };

  // The project's monitor (identifier 1), or null.
  static CMonitor* Monitor(const CSelvantisDoc* doc);

  static QStringList EntryTitles();
  static QStringList RelayTitles();
  static int EntryWidth(int column);
  static int RelayWidth(int column);

  static std::vector<Row> EntryRows(const CMonitor& monitor);
  static std::vector<Row> RelayRows(const CMonitor& monitor);

  // The entry number shown in a row's column 1; 0 when the text holds none.
  static int NumberOf(const QString& cell);

  // Entry number n (from 1) := choice. False when the number is outside the
  // table or the choice is not of an entry kind.
  static bool SetEntryChoice(CMonitor& monitor, int entryNumber, int choice);
  // The first OFF entry := choice; false (nothing changed) when all are in use.
  static bool NewEntry(CMonitor& monitor, int choice);
  // Entry number n becomes OFF.
  static bool DeleteEntry(CMonitor& monitor, int entryNumber);
  // Slot index := the relay number of the KCM209 pad with that ID.
  static bool SetRelay(CMonitor& monitor, int slot, int padId);
  // The first free slot := the pad's relay; false when every slot is in use.
  static bool NewRelay(CMonitor& monitor, int padId);
  static bool DeleteRelay(CMonitor& monitor, int slot);
};

#endif
