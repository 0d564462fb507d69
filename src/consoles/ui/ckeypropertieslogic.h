#pragma once
#include <QString>

#include <optional>
#include <vector>

class CBaseDevice;
class CConsKey;
struct KeyTarget;

// The decisions of the key properties dialog, without a window: which
// functions the list offers, which controls a function shows, the default
// parameters of a new function and the clamped parameter edits. Every
// change goes into the key at once. Holds nothing.
class CKeyPropertiesLogic final {
 public:
  struct FunctionEntry {
    QString text;
    int icon = 0;
    int function = 0;
  };
  enum ControlBits : int {
    kDestinations = 0x001,
    kCurrentSelection = 0x002,
    kDelay = 0x004,
    kStopCombo = 0x008,
    kPriority = 0x010,
    kProtected = 0x020,
    kSignalShift = 6,
    kSignalBits = 0x1C0,
    kPreChime = 0x200,
    kMacroList = 0x400,
    kMacroButton = 0x800,
  };
  static constexpr double kDelayStepMs = 35.55;
  static constexpr int kMaxDelaySteps = 255;
  static constexpr int kMinPriority = 1;
  static constexpr int kMaxPriority = 10;
  static constexpr int kDefaultPreChime = 6;
  static constexpr int kManyGroups = 31;

  // The list for an allowed-function mask; bAll offers every entry.
  static std::vector<FunctionEntry> FunctionList(int allowedMask, bool bAll);
  // The list entry a function selects (macro functions count as 12).
  static int ListFunctionOf(int function) { return function > 12 ? 12 : function; }
  static int ControlFlags(int function);
  // 1 alarm, 2 chime, 4 text, 8 macro; 0 none.
  static int SignalListKind(int function, bool bPreChime);
  // "%.2f" seconds of delay steps.
  static QString DelayText(int steps);
  static int ClampDelay(int steps);
  // The step count nearest to a number of seconds typed by the user, with
  // "." or "," as the decimal point, clamped to 0..255; nothing for a text
  // that is no such number. IsDelayInput: whether text may still become
  // one (digits and at most one decimal point).
  static std::optional<int> DelayStepsOf(const QString& seconds);
  static bool IsDelayInput(const QString& text);
  // Whether a signal or macro list offers object (of its pool type): a key
  // holds macros 1..50 only, so higher macros are not offered.
  static bool IsOfferedInList(int type, const CBaseDevice& object);
  static int ClampPriority(int priority);

  // Gives key the function with its default parameters. False (the key
  // unchanged) for the same function or a refused EXT connector.
  static bool SetKeyFunction(CConsKey& key, int function);
  // Refuses (with the message) when the EXT connector is taken by the
  // extension or by another key than key.
  static bool CheckExtConnector(const CConsKey& key);
  // The edits; each writes the key (stored) and returns the value taken.
  static int SetDelay(CConsKey& key, int steps);
  static int SetPriority(CConsKey& key, int priority);
  static void SetStopRange(CConsKey& key, int index);
  static void SetActiveInProtectedMode(CConsKey& key, bool bActive);
  // A signal chosen in the list of a key below MACRO: the key takes the
  // destination (its own target when none is chosen) and the signal; ALARM,
  // CHIME and TEXT also take the signal's priority (its first value) as
  // their own. Returns that priority (1..10) for the dialog to show, 0 when
  // the key's priority stays.
  static int ChooseSignal(CConsKey& key, const KeyTarget& destination, CBaseDevice* signal, int slot);
  // On: the key's pre-chime chime, else chime 6; off: none. Key 108
  // carries the console's PRECHIME with it.
  static void SetPreChime(CConsKey& key, bool bOn);

  // Pictures: the function and destination lists show images of bitmap
  // 274, the signal lists images of bitmap 351.
  static constexpr int kKeyImages = 274;
  static constexpr int kSignalImages = 351;
  static constexpr int kCurrentSelectionImage = 20;
  // A destination's image: a group or a zone, another one when a selection
  // key of the console already targets it.
  static int DestinationImage(bool bZone, bool bUsedBySelection) {
    return bUsedBySelection ? (bZone ? 24 : 23) : (bZone ? 22 : 21);
  }
  // The image of a signal list's entries by list kind (0 for none).
  static int SignalImage(int kind) {
    switch (kind) {
      case 1: return 1;
      case 2: return 2;
      case 4: return 3;
      case 8: return 4;
      default: return 0;
    }
  }
};
