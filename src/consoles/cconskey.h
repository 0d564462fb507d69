#ifndef SELV_CONSOLES_CCONSKEY_H
#define SELV_CONSOLES_CCONSKEY_H

#include "consoles/keytarget.h"
#include "model/cobject.h"

#include <QString>

#include <cstdint>

class CArchive;
class CBaseDevice;
class CConsole;

// One key of a console: a programmable key (1..100) or one of the twelve
// fixed keys (101..112). Holds the key's function twice (stored, and the
// copy the key dialogs edit), links the console to what the key acts on
// through the console's input connections, writes and reads its KEY line
// and stores itself as two 32-bit words. No window: the key view draws it.
//
// Links (input connections of the owner console): the first target at the
// own pin (slot << 16) | key (slot = group slot for group targets, else 0),
// the second target (a signal, or macro B) at the port -key. Every target
// but the "no object" mark holds the mirror record (category 14).
class CConsKey final : public CObject {
  SELV_DECLARE_SERIAL(CConsKey)

 public:
  static constexpr int kSchema = 1;
  enum Type : int {
    DISABLED = 0,
    ON = 1,
    STOP = 2,
    PROGRAM = 3,
    CLEAR = 4,
    AUX = 5,
    SEL = 6,
    ALARM = 7,
    CHIME = 8,
    TEXT = 9,
    TALK = 10,
    TALKEXT = 11,
    MACRO = 12,
    MACREP = 13,
    MACRAD = 14,
    MACSWT = 15,
    TYPE_COUNT = 16
  };

  static constexpr int kMaxProgrammableKey = 100;
  static constexpr int kFirstFixedKey = 101;
  static constexpr int kLastFixedKey = 112;
  static constexpr int kFixedKeyCount = 12;
  // The unit's key numbers reach this far in replies (113 finds no key).
  static constexpr int kLastReplyKey = 113;
  // A key holds macros 1..50 only.
  static constexpr int kMaxKeyMacro = 50;
  static constexpr int kMaxZone = 100;
  // The zone-or-group parameter: 101..130 name group slots 1..30.
  static constexpr int kGroupSlotBase = 100;
  static constexpr int kMaxGroupSlot = 30;
  static constexpr int kPictureKeySwitch = 301;
  static constexpr int kPictureAlarmSwitch = 303;
  // The key that takes the console's pre-chime.
  static constexpr int kTalkKey = 108;
  // Colour word of programmable keys; the low 12 bits are the functions
  // the key dialog offers (see CConsProp::SetKeyColours).
  static constexpr uint32_t kProgrammableColour = 0x80007C1F;
  static constexpr uint32_t kFunctionMask = 0xFFF;

  struct Function {
    int type = DISABLED;
    int p1 = 0;
    int p2 = 0;
    int p3 = 0;
    bool bProtected = true;
    bool operator==(const Function& o) const noexcept {
      return type == o.type && p1 == o.p1 && p2 == o.p2 && p3 == o.p3 && bProtected == o.bProtected;
    }
    bool operator!=(const Function& o) const noexcept { return !(*this == o); }
  };

  // For loading: number and owner come from the record and the console.
  CConsKey();
  // A programmable key takes the number; a fixed key (101 + array
  // position) takes number and picture from its row of the fixed-key table.
  // The key starts DISABLED and protected; the console's links stay as
  // they are.
  CConsKey(int numberOrFixed, CConsole* owner);

  void Serialize(CArchive& ar) override;
  // The record: type, p1, p2 (a byte each), protection (bit 7), in use
  // (bit 6); p3, key number (a byte each), picture id (16 bits).
  uint32_t GetWord1() const;
  uint32_t GetWord2() const;
  // Takes a record as loading does: the bytes unsigned, type and number
  // checked; false (nothing changed) for a type or key number out of range.
  bool SetWords(uint32_t word1, uint32_t word2);

  // ---- State ------------------------------------------------------------------
  int GetNumber() const noexcept { return m_nNumber; }
  bool IsFixed() const noexcept { return m_nNumber >= kFirstFixedKey; }
  CConsole* GetOwner() const noexcept { return m_pOwner; }
  void SetOwner(CConsole* owner) noexcept { m_pOwner = owner; }
  const Function& GetFunction() const noexcept { return m_stored; }
  const Function& GetEditFunction() const noexcept { return m_edit; }
  // The key dialogs change the edited function directly.
  Function& EditFunction() noexcept { return m_edit; }
  int GetKeyType() const noexcept { return m_stored.type; }
  bool IsInUse() const noexcept { return m_bInUse; }
  int GetTargetCategory() const noexcept { return m_nTargetCategory; }
  const KeyTarget& GetTarget() const noexcept { return m_target; }
  const KeyTarget& GetSecondTarget() const noexcept { return m_second; }
  const QString& GetLabel() const noexcept { return m_strLabel; }
  int GetPicture() const noexcept { return m_nPicture; }
  // 32873 ("Alarm switch") sets 303, 32874 ("Key switch") 301.
  void SetPicture(int picture) { m_nPicture = picture; }
  uint32_t GetColour() const noexcept { return m_nColour; }
  void SetColour(uint32_t colour) noexcept { m_nColour = colour; }
  // The function bits the key dialog offers for this key.
  int GetAllowedFunctions() const noexcept { return static_cast<int>(m_nColour & kFunctionMask); }
  // The port the key was last programmed on (its number), 0 before.
  int GetPort() const noexcept { return m_nPort; }
  bool IsSelected() const noexcept { return m_bSelected; }
  void SetSelected(bool selected) noexcept { m_bSelected = selected; }

  // ---- Texts ------------------------------------------------------------------
  static QString TypeKeyword(int type);
  // The type of a keyword; -1 for a text that is none.
  static int TypeFromKeyword(const QString& keyword);
  // The label of a type that acts on the console or the current selection
  // ("On", "Alarm", ...); "ERROR" for types without one.
  static QString TypeLabel(int type);
  // "STOP", "SEL,12", "MACRO,3,0,0,UNPROT": the keyword, then p1 (",0" for
  // types 6..11 even when 0), p2 and p3 where set, earlier empty parts
  // filled with ",0"; an unprotected key writes all three and ",UNPROT".
  static QString FunctionText(const Function& function);
  QString GetFunctionText() const { return FunctionText(m_stored); }
  // The repetition value of MACREP on the wire: 30 / n for n >= 1, else 0
  // (the same both ways).
  static int MacRepWireValue(int value);
  // Reads "p1,p2,p3" with missing numbers 0 and the protection ("UNPROT"
  // at the end: unprotected) into function; the type decides how the 8-bit
  // fields read: 255 is -1 for the zone-or-group parameter of types 5..11,
  // every other field is 0..255.
  static void ParseParams(int type, const QString& text, Function* function);

  // ---- Fixed keys -----------------------------------------------------------------
  // Number of the fixed key at array position 0..11 (102, 101, 103, ...);
  // 0 outside.
  static int FixedKeyNumber(int position);
  // Array position of fixed key number 101..112; -1 for another number.
  static int FixedKeyPosition(int number);
  static int FixedKeyPicture(int position);
  // The default type, label and function text of the row.
  static int FixedKeyType(int position);
  static QString FixedKeyLabel(int position);
  static QString FixedKeyFunctionText(int position);

  // ---- Transfers -------------------------------------------------------------------
  // "/CONS/ADR2/KEY5 SEL,5" ("... ?" for a query); MACREP sends its
  // repetition value as 30 / n.
  QString BuildLine(bool bQuery) const;
  // Sends BuildLine for the active document; out receives the line.
  const QString& Download(QString& out, bool bShorten, bool bQuery) const;
  // A KEY reply value: the keyword up to the first ",", then the numbers.
  // "console not connected" and "?" change nothing; an unknown keyword
  // shows 34029. False when nothing was taken.
  bool Upload(const QString& value);

  // ---- Programming ----------------------------------------------------------------
  // Parses text for the type and programs the key (SetFunction).
  bool SetFunctionFromText(int type, const QString& text, bool bStore);
  // Checks every target the function names before anything changes; a
  // refused function shows 34175..34178 and leaves key and links as they
  // were. Then the key is programmed: with bStore the stored function and
  // the links (the old links at +key and -key go), otherwise only the
  // edited function; targets and label follow.
  bool SetFunction(const Function& function, bool bStore);
  // Programs the key with targets found by the caller (no checks): with
  // bStore the links at +key and -key are replaced by one to target
  // (category) and one to the second target already set.
  void SetProgramming(int type, int p1, int p2, int p3, const KeyTarget& target, int category, bool bStore);
  // Label and function of fixed-key row position (the function stored).
  void ResetToDefault(int position);
  // bToEdit: edited := stored; else stored := edited.
  void SyncFunction(bool bToEdit);
  // The key shows target as its first target; the label follows.
  void UpdateLabel(const KeyTarget& target);
  void SetSecondTarget(const KeyTarget& target) { m_second = target; }
  // The key dialog's choice: the edited function is stored, then its
  // parameters are taken from the chosen object, signal and group slot.
  void SetTargetFromSelection(const KeyTarget& object, CBaseDevice* signal, int slot);

  // The signal type of ALARM, CHIME and TEXT (28, 29, 30), TALK and
  // TALKEXT (29); 0 for other types.
  static int SignalTypeOf(int type);
  // The zone-or-group parameter of types 5..11 as a number (255 is -1).
  static int ZoneParam(int p1);
  static bool HasZoneParam(int type) { return type >= AUX && type <= TALKEXT; }

 private:
  struct Resolved {
    KeyTarget first;
    int firstCategory = 0;
    int groupSlot = 0;
    KeyTarget second;
    int secondCategory = 0;
  };
  // Finds the targets of function; 0 or the id of the refusal message.
  uint32_t Resolve(const Function& function, Resolved* out) const;
  uint32_t ResolveZoneParam(int p1, Resolved* out) const;
  void ApplyLinks(const Resolved& resolved);
  void RebuildLabel();

  int m_nNumber = 0;
  Function m_stored;
  Function m_edit;
  bool m_bInUse = false;
  int m_nTargetCategory = 0;
  QString m_strLabel;
  CConsole* m_pOwner = nullptr;
  KeyTarget m_target;
  KeyTarget m_second;
  int m_nPicture = 0;
  uint32_t m_nColour = 0;
  int m_nPort = 0;
  bool m_bSelected = false;
};

#endif
