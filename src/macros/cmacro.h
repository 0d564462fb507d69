#ifndef SELV_MACROS_CMACRO_H
#define SELV_MACROS_CMACRO_H

#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <vector>

class CSelvantisDoc;

// One step the central unit executes (switch a signal to zones, set a
// volume, start other macros, ...). Its kind is the string id of the macro
// type; every setting is a numbered parameter. Parameters that name another
// object that can be deleted (signals, conditions, macros, memo flags,
// virtual-controller items) are kept as links: a connection from the peer's
// output pin 0 to the macro's input pin equal to the parameter index, so that
// deleting the peer clears them. Zones and groups are linked on kPinZones,
// the Digital IO output on kPinDigitalOutput. The macro's lines go to the unit
// through the macro block (CMacroObject); replies reach the macro under its
// own path "/MACRO/ENTRY<id>".
class CMacro final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CMacro)

 public:
  // Macro kinds (string ids).
  static constexpr int kKindMonitor = 33086;
  static constexpr int kKindMemoFlag = 34130;
  static constexpr int kKindPower = 34132;  // "Operating voltage"
  static constexpr int kKindBackground = 34250;
  static constexpr int kKindPage = 34251;
  static constexpr int kKindChime = 34252;
  static constexpr int kKindAlarm = 34253;
  static constexpr int kKindDigitalIO = 34254;
  static constexpr int kKindVolume = 34255;
  static constexpr int kKindAuxSwitch = 34256;
  static constexpr int kKindLCDText = 34257;
  static constexpr int kKindSequence = 34258;
  static constexpr int kKindMessage = 34259;  // "Play message"
  static constexpr int kKindVirtCtrl = 34365;
  static constexpr int kKindStop = 34484;
  static constexpr int kKindAmpSupply = 34485;
  static constexpr int kKindAmpMute = 34486;
  static constexpr int kKindNoEntry = 34510;
  static constexpr int kKindRecord = 34533;
  static constexpr int kKindErase = 34534;
  static constexpr int kKindRepeat = 34535;
  static constexpr int kKindSlaveClock = 34567;
  static constexpr int kKindLineTest = 34577;
  static constexpr int kKindBuzzer = 34621;
  // Placeholders other objects create for a macro identifier that has no
  // macro yet ("%d *") get the kind whose editor is the empty one.
  static constexpr int kKindPlaceholder = kKindNoEntry;

  // Selection kinds: the project's macros (result: ID) and the macro kinds
  // (result: the kind's string id).
  static constexpr int kSelectMacro = 32806;
  static constexpr int kSelectMacroKind = 34462;

  static constexpr int kFirstID = 1;
  static constexpr int kMaxID = 250;

  // Input pins besides the parameter links.
  static constexpr int kPinDigitalOutput = 400;  // Digital IO: the control pad switched
  static constexpr int kPinZones = 500;          // zones and groups (their output pin 0)

  // Parameter indexes with a meaning of their own.
  enum Param : int {
    P_KIND = 0,
    P_PRIO = 1,
    P_SWITCH = 3,
    P_INPUT = 4,
    P_PRECHIME = 5,
    P_VOLSOURCE = 9,
    P_VOLUME = 10,
    P_INC = 11,
    P_TEXT = 13,
    P_UNIT = 14,
    P_DIGITS = 15,
    P_MONI_NEXT = 16,
    P_MONI_TABLE = 17,
    P_ADDSUB = 18,  // ADD/SUB flag; AUX sub-input
    P_LINE = 20,
    P_MEMO_VALUE = 22,
    P_CONDITION = 25,
    P_POWER_ON_MACRO = 27,
    P_POWER_OFF_MACRO = 28,
    P_MUTE = 29,
    P_PARTNER = 31,
    P_ALARM_SIGNAL = 32,
    P_CHIME_SIGNAL = 33,
    P_MESSAGE_SIGNAL = 34,
    P_PULSE = 35,
    P_VC_VALUE = 36,
    P_VC_ITEM = 37,
    P_CONSOLE = 38,
    P_TIME = 39,
    P_MEMO_FLAG = 40,
    P_STEP_MACRO = 41,      // 41..45
    P_STEP_DELAY = 46,      // 46..50
    P_STEP_CONDITION = 51,  // 51..55
    P_AMP_CHANNELS = 58,
    P_AMPS = 59,
    P_AMP_ON = 61,
    P_AMP_OFF = 62,
    P_ZONES = 63,
    P_FILE = 64,
    P_QUALITY = 65,
    P_MAXTIME = 66,
    P_REPEAT_MACRO = 67,
    P_REPEAT_COUNT = 68,
    P_CLOCK_TIME = 69,
    P_SET_TIME = 70,  // slave clock SET_TIME; LCD BUZZER
    P_SET_RUN = 71,   // slave clock SET_RUN; LCD CLEAR
    P_TEST_MODE = 72,
    P_BUZZ_REPEAT = 75,
    P_BUZZ_PAUSE = 76,
    P_COUNT = 80  // parameter indexes run below this
  };
  static constexpr int kSequenceSteps = 5;

  CMacro();
  ~CMacro() override;

  void Serialize(CArchive& ar) override;

  // ---- Creation ---------------------------------------------------------------
  // A new macro of the kind with the next free identifier, named after the
  // kind text and the identifier ("Alarm 12"), appended to the document's
  // macro list; null when all identifiers are taken (message 34207) or the
  // kind is not a macro kind.
  static CMacro* CreateMacro(int kind, CSelvantisDoc& doc);
  // The macro with that identifier, or a placeholder created under it (kind
  // kKindPlaceholder, name "%d *"); null for an identifier outside 1..250.
  static CMacro* FindOrCreatePlaceholder(CSelvantisDoc& doc, int id);
  // The document's macro with that identifier, or null (no message).
  static CMacro* Find(const CSelvantisDoc* doc, int id);

  // ---- Kinds --------------------------------------------------------------------
  // The kinds a user can create, in the order the kind chooser lists them.
  static const std::vector<int>& UserKinds();
  static bool IsMacroKind(int kind);
  // Kinds created as ON/OFF pairs and as UP/DOWN pairs.
  static bool IsOnOffPairKind(int kind);
  static bool IsUpDownPairKind(int kind);
  // The kind's caption ("Alarm"); the text of kKindNoEntry for an unknown kind.
  static QString KindCaption(int kind);
  // The keyword the unit knows the kind by ("ALARM"); "NONE" for the empty
  // kinds. KindFromKeyword: 0 for an unknown keyword.
  static QString KindKeyword(int kind);
  static int KindFromKeyword(const QString& keyword);

  // ---- Parameters ---------------------------------------------------------------
  // A parameter as an integer: the stored field, or for a link the ID of the
  // connected object (0 when none); 63 is 1 while zones or groups are linked.
  int GetParam(int index) const;
  // Stores a parameter with the rules of its index: 0 changes the kind (and
  // drops every connection and the pairing when it changes); links connect
  // the object of their type with that ID (0 or a missing object clears,
  // except that a missing macro is created as a placeholder); 1 priority: a
  // multiple of 10 written to a macro whose parameter 3 is 0 is stored plus
  // 1; 11 of a virtual-controller macro is stored negated when parameter 3
  // is 0; 72 stores value != 0; 74..76 are kept in 0..255.
  void SetParam(int index, int value, int reserved = 0);
  // Float parameters 35 (<= 300.0, below 0.1 becomes 0), 36, 46..50
  // (0..300), 66 (0..360.4).
  float GetParamFloat(int index) const;
  void SetParamFloat(int index, float value);
  // A parameter as text (see the table in cmacro.cpp); empty for an index
  // without text.
  void GetParamText(QString* out, int index) const;
  QString GetParamText(int index) const;
  // Text parameters: 9 volume source, 13 text (cut to 16 characters for an
  // LCD text), 14 unit, 46..50 step delays (read as a number), 58/59
  // amplifier lists ("No entry" / "All" taken as "NONE" / "ALL"), 65
  // recording format. Integer parameters take a decimal number. Line breaks
  // and other control characters become blanks: a text goes to the unit in
  // one command line.
  void SetParamText(int index, const QString& text);
  // The slave-clock time (parameter 69) in seconds since 1970.
  int64_t GetParamTime() const { return m_clockTime; }
  void SetParamTime(int64_t secondsSinceEpoch);

  // Links the macro to exactly the zones (type 23) and groups (type 12) of
  // the list; anything else in the list is ignored.
  void SetZones(const std::vector<CBaseDevice*>& zonesAndGroups);
  // The stored zone text: "ALL" when the root group is linked, else the
  // range list of the linked zones ("0" when none).
  QString GetZoneText() const;
  QString GetGroupText() const;

  // ---- Pairs --------------------------------------------------------------------
  // The partner named by parameter 31, but only when it names this macro
  // back: an identifier left behind by a deleted partner may belong to an
  // unrelated macro by now.
  CMacro* GetPartner() const;
  // Makes the two macros partners (each names the other in parameter 31).
  static void MakePair(CMacro& first, CMacro& second);
  // Clears parameter 31 here and, when the partner names this macro, there.
  void Unpair();

  // ---- Transfer -----------------------------------------------------------------
  // The macro's command lines in the order they are sent: the kind line
  // first, then the parameters of the kind. With bQuery the same paths
  // ending in " ?".
  QStringList GetDownloadLines(bool bQuery) const;
  // A reply line under the macro's path (in LINKMODE_UPLOAD only). A kind
  // reply that changes the kind asks the unit for the new kind's parameters.
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  // Macros are sent only through the macro block.
  int Download(bool bQuery, int nStep) override;

  bool OnCommand(int id) override;
  QString GetToolTipText() const override;
  // The type ("/TYPE") in the words of the kind chooser ("Chime", not
  // "CHIME").
  QString SettingInWords(const QString& path, const QString& value) const override;
  void SetKind(int kind) override;
  // The partner's parameter 31 follows a new identifier.
  void SetID(int id) override;

  // The object type a link parameter points at; 0 for other indexes.
  static int LinkType(int index);

 protected:
  QString BuildCommandPath() const override;

 private:
  bool IsZoneSwitchingAddSubKind() const;
  void SetLink(int index, int id);
  CBaseDevice* GetLinkedObject(int index) const;
  bool TakeValue(const QString& key, const QString& value, const QString& errorFilePath);

  std::map<int, int> m_ints;
  std::map<int, float> m_floats;
  std::map<int, QString> m_texts;
  int64_t m_clockTime = 0;
};

#endif
