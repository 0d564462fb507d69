#ifndef SELV_EDITORS_LISTS_SPAREAMPLISTMODEL_H
#define SELV_EDITORS_LISTS_SPAREAMPLISTMODEL_H

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

class CSelvantisDoc;
class CSpareAmp;

// What the two backup-amplifier lists show and how their commands change
// the project's spare-amplifier table: the entries in use (name, number,
// replaced target, polled state) and the watch items in use of one entry
// (watched target, KCM208 and KCM209 relays).
class SpareAmpListModel final {
 public:
  static constexpr uint32_t kSelectEntry = 34370;    // "Backup Amplifier"
  static constexpr uint32_t kSelectWatched = 34383;  // "Watched channel or Ready Input"
  static constexpr uint32_t kSelectKCM208 = 32796;
  static constexpr uint32_t kSelectKCM209 = 32797;
  static constexpr int kAmpImage = 17;
  static constexpr int kInputImage = 18;
  static constexpr int kColumnCount = 4;
  enum EntryColumn : int { kName = 0, kEntryNumber = 1, kDetails = 2, kReplaces = 3 };
  enum WatchColumn : int { kWatchNumber = 0, kWatched = 1, kOutRelay = 2, kInRelay = 3 };

  struct Row {
    QStringList cells;
    int data = 0;  // entry rows: the entry index; watch rows: the watch index
    int image = -1;
  };
  // A chosen target: type 2 (amplifier ID and channel index) or 38 (ready
  // input ID).
  struct Target {
    int type = 0;
    int value = 0;
    int channel = 0;
  };

  static CSpareAmp* SpareAmp(const CSelvantisDoc* doc);

  static QStringList EntryTitles(bool polling);
  static QStringList WatchTitles();
  static int EntryWidth(int column);
  static int WatchWidth(int column);

  // Type 2: the amplifier channel's name; else the ready input's name; "%d *"
  // when no such object exists.
  static QString TargetText(const CSelvantisDoc& doc, int type, int value);
  // The relay's name, or the name of the control pad that stands for it;
  // "%d *" when no relay holds the number, "" for 0.
  static QString RelayText(CSelvantisDoc& doc, int number, bool kcm208);

  static std::vector<Row> EntryRows(const CSpareAmp& spare, const CSelvantisDoc& doc);
  static std::vector<Row> WatchRows(const CSpareAmp& spare, CSelvantisDoc& doc, int entry);

  // Entry n keeps its name and becomes in use with the target.
  static bool SetTarget(CSpareAmp& spare, int n, const Target& target);
  // Entry n becomes in use under name, keeping its target. False for an
  // empty name.
  static bool Rename(CSpareAmp& spare, const CSelvantisDoc& doc, int n, const QString& name);
  // The first entry not in use, named after the kind and its number; -1
  // (nothing changed) when all eight are in use.
  static int NewEntry(CSpareAmp& spare, const Target& target);
  static bool DeleteEntry(CSpareAmp& spare, int n);

  static bool SetWatchTarget(CSpareAmp& spare, int w, int n, const Target& target);
  // The first watch item of entry n not in use; -1 when none is free or n
  // is negative.
  static int NewWatch(CSpareAmp& spare, int n, const Target& target);
  static bool DeleteWatch(CSpareAmp& spare, int w, int n);
  // The relay number of the chosen pad (0 when there is none) becomes the
  // item's KCM208 (kcm208) or KCM209 relay.
  static bool SetWatchRelay(CSpareAmp& spare, const CSelvantisDoc& doc, int w, int n, bool kcm208, int padId);

  // "/SPAREAMP/ENTRY<n + 1>/REPLACE ?"
  static QString PollCommand(int n);
  // The state in a poll answer (echo and reply as read from the line):
  // the last word of the answer line. Nothing when no answer came and for
  // "OFF": the cell keeps what it showed.
  static std::optional<QString> ParsePollReply(const QString& reply, int n);
};

#endif
