#pragma once

#include <QString>

#include <vector>

class CAudioSignal;
class CBaseDevice;
class CSelvantisDoc;

// What the signal list of the audio-signal editor shows: which signals, the
// page of each kind and the text of the "Type" column.
class SignalListLogic final {
 public:
  static constexpr int kPageAlarm = 0;
  static constexpr int kPageChime = 1;
  static constexpr int kPageMessage = 2;
  static constexpr int kPageBackground = 3;

  // -1 for a kind no page edits.
  static int PageOfKind(int kind);
  // The state image of a row (page + 1); 0 for other kinds.
  static int ImageOfKind(int kind) { return PageOfKind(kind) + 1; }
  // Alarm, chime and message signals that no message sequence feeds.
  static bool IsListed(const CBaseDevice* object);
  static std::vector<CAudioSignal*> ListedSignals(const CSelvantisDoc& doc);
  // The name of the first connected object of the signal's source type, or
  // "Intern".
  static QString SourceText(const CAudioSignal* signal);
};
