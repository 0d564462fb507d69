#ifndef SELV_AMPS_CZONE_H
#define SELV_AMPS_CZONE_H

#include "model/cbasedevice.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class CRelais;
class CSelvantisDoc;

// One loudspeaker line: fed by an amplifier channel (its input), switched by
// up to four zone relays (output pins 1..4), optionally tied to a
// priority-call relay (pin 11), a control relay (pin 12) and one LAN group
// (pin 0), and member of groups (pin 0). Holds the line-test settings of the
// line, and while the program runs the last values the unit measured (they
// are neither saved nor a change of the project). Its column accessors
// serve the zone list, the selection dialog and its own command lines; its
// relay helpers serve the relay topologies.
class CZone final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CZone)

 public:
  // Schema 3 holds the line-test settings. Schema 4, which an earlier
  // version wrote, added the last measured values; they are read and
  // dropped.
  static constexpr int kSchema = 3;
  static constexpr int kNewestReadSchema = 4;
  static constexpr int kKind = 32802;  // "Zone"
  static constexpr int kMenuId = 215;
  static constexpr int kBitmap = 212;
  // New zones are placed this far right of the point asked for.
  static constexpr int kPlaceOffsetX = 20;

  // Output pins.
  static constexpr int kGroupPin = 0;  // groups, the LAN group, collection calls
  static constexpr int kFirstRelayPin = 1;
  static constexpr int kLastRelayPin = 4;
  static constexpr int kLegacyCollCallPin = 10;
  static constexpr int kPrioCallPin = 11;
  static constexpr int kControlPin = 12;

  // Line-test limits.
  static constexpr int kMinTolerance = 0;
  static constexpr int kMaxTolerance = 100;
  static constexpr int kMinTestVolume = -78;
  static constexpr int kMaxTestVolume = 0;
  static constexpr int kDefaultTestVolume = -26;

  // Ignore flags of the line test, as SetValue(9) takes them.
  enum IgnoreFlag : int {
    IGN_POSTOL = 1,
    IGN_NEGTOL = 2,
    IGN_GNDFLT = 4,
    IGN_OVF_U = 8,
    IGN_OVF_I = 16,
    IGN_ALL = 31,
  };

  // Column codes of GetColumnText, SetColumnText and SetValue.
  enum Column : int {
    COL_OUTPUTS = 0,
    COL_RELAYS = 1,
    COL_PRIO_TYPE = 2,
    COL_PRIO_RELAY = 3,
    COL_CONTROL_TYPE = 4,
    COL_CONTROL_RELAY = 5,
    COL_LANGROUP = 6,
    COL_AMPCHAN = 7,
    COL_AMPCHAN_NAME = 8,
    COL_IGNORE = 9,
    COL_POSTOL = 10,
    COL_NEGTOL = 11,
    COL_LINE_MEAS = 12,
    COL_LINE_REF = 13,
    COL_ADJUST = 14,
    COL_IMP_MEAS = 15,
    COL_IMP_REF = 16,
    COL_IGNORE_DISPLAY = 17,
    COL_TESTVOL = 18,
  };

  // Context menu commands.
  enum Command : int {
    ID_ADD_GROUP = 33004,
    ID_ZONE_PROPERTIES = 33005,
    ID_ADD_CONTROL_RELAY = 33092,
    ID_ADD_LANGROUP = 33178,
  };

  // Download steps with the upgrade flag, and without it.
  static constexpr int kStepsUpgrade = 12;
  static constexpr int kStepsPlain = 6;
  // The selection kind of the ignore flags ("Ign.").
  static constexpr uint32_t kIgnoreChoiceKind = 34600;

  CZone();

  // ---- Column accessors ---------------------------------------------------
  void GetColumnText(QString& out, int column) const;
  QString GetColumnText(int column) const;
  // 9 stores the text as the ignore text; 10, 11 and 18 read a decimal
  // number and pass it to SetValue; 12 to 16 keep the text in memory (what
  // the unit measured: not saved, not a modification). Other columns are
  // ignored.
  void SetColumnText(int column, const QString& text);
  // 9 builds the ignore text from a mask of IgnoreFlag; 10 and 11 store a
  // tolerance within 0..100, 18 the test volume within -78..0. Returns the
  // stored value; other columns return 0 and change nothing.
  int SetValue(int column, int value);
  // The global amplifier channel feeding the zone; 0 when none.
  int GetAmpChannel() const;
  // Appends the choices of a selection column (34600: the ignore flags);
  // returns the list's count.
  static int ListChoices(int columnStringId, std::vector<uint32_t>* ids);

  int GetPositiveTolerance() const noexcept { return m_nPosTol; }
  int GetNegativeTolerance() const noexcept { return m_nNegTol; }
  int GetTestVolume() const noexcept { return m_nTestVol; }
  const QString& GetIgnoreText() const noexcept { return m_strIgnore; }

  // ---- Relays ------------------------------------------------------------------
  // Makes sure the block of five relays holding number exists in the "r"
  // (bRList) or "s" series: existing relays of the block get the kind,
  // missing ones are created, numbered and put on their cards. Returns the
  // relay with that number, or null (also for a number outside the series:
  // nothing is touched then).
  CRelais* GetOrCreateRelay(int number, int kind, bool bRList);
  static CRelais* EnsureRelayBlock(CSelvantisDoc& doc, int number, int kind, bool bRList);
  // Fills every relay pin 1..count that has no link with the first used "r"
  // relay whose input is free, else with a new zone relay at the first free
  // "r" number (none free: the pin stays empty); then removes the relay
  // links of pins count+1..4. third is unused (callers pass 0).
  void ConnectRelays(int kind, int count, int third = 0);
  // Connects pin to the first zone relay from "r" number from upward whose
  // input is free; where the run of existing relays ends, a zone relay is
  // made at that number. Returns the number after the one used; past 500
  // the pin stays empty.
  int ConnectFreeRelay(int kind, int from, int pin);
  // Lets the relays of a just loaded project claim their numbers now, for
  // conversions that run before the relays' own OnAfterLoad.
  static void ClaimRelayNumbers(CSelvantisDoc& doc);
  // The relay number (low 16 bits) on the pin; 0 when none.
  int GetRelayNumber(int pin) const;

  // ---- Base operations -----------------------------------------------------------
  void Serialize(CArchive& ar) override;
  bool CreateOnCanvas(int kind, int nInputs, int nOutputs, const QString& name, const QRect& rect, int category,
                      int bitmapId, int textFlags, CSelvantisDoc* doc) override;
  int OnAfterLoad() override;
  bool OnCommand(int id) override;
  void OnUpdateCommandUI(CCmdUI& cmdUI) override;
  // Lines "id", "r", "out", "p", "c", "lan", the values lined up; a line
  // whose value is "0" ("lan" also "OFF") is left out.
  QString GetToolTipText() const override;
  // The width of a text as the tool tip shows it, used to pad the labels
  // with blanks; the window layer sets it. Without one (no window), every
  // character counts as one.
  using TextWidthFn = std::function<int(const QString&)>;
  static void SetToolTipMeasure(TextWidthFn measure);
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  int Download(bool bQuery, int nStep) override;

  // The legacy relay lists of an old record, until OnAfterLoad converts them.
  const std::vector<uint32_t>& GetLegacyRelays() const noexcept { return m_legacy2; }

  // The objects 33004 and 33178 add; null when the pool is full (nothing is
  // left behind then).
  CBaseDevice* AddNewGroup();
  CBaseDevice* AddNewLanGroup();
  bool HasLanGroupLink() const;

 private:
  static TextWidthFn& ToolTipMeasure();
  // The object feeding the zone (its first input connection), or null.
  CBaseDevice* FeedingObject() const;
  QString RelayTypeText(int pin) const;
  QString RelayNumberText(int pin) const;
  QString LanGroupText() const;
  QString OutputsText() const;
  QString RelaysText() const;
  QString IgnoreDisplayText() const;
  void ConvertLegacyRelays();
  // An uploaded "/NAME": the zone takes the unit's name as it is; a name
  // another object has too is reported with the upload's findings.
  void TakeUploadedName(const QString& value, const QString& errorFilePath);
  // Deleting: consoles are told, then the document removes the zone.
  bool DeleteZone();

  int m_nNegTol = 0;
  int m_nPosTol = 0;
  int m_nTestVol = kDefaultTestVolume;
  QString m_strIgnore;
  // Codes 12..16: line test and impedance test measurement and reference,
  // and the adjustment, as the unit last reported them (memory only).
  QString m_strLineMeas;
  QString m_strLineRef;
  QString m_strAdjust;
  QString m_strImpMeas;
  QString m_strImpRef;
  std::vector<uint32_t> m_legacy1;
  std::vector<uint32_t> m_legacy2;
};

#endif
