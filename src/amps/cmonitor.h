#ifndef SELV_AMPS_CMONITOR_H
#define SELV_AMPS_CMONITOR_H

#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class CSelvantisDoc;

// The unit's monitor table: 250 entries naming the sources the monitor can
// be switched to (50 in use without the upgrade flag) and 80 relay slots
// holding the relay numbers of KCM209 relay outputs (20 in use without it).
// One per project, identifier 1, path "/MONI". Editors read and change it
// through codes: the high 16 bits are an entry or slot index, the low 16 bits
// a field or an operation; an entry's kind and value travel as one choice
// code (value part << 16 | kind code).
//
// Transfers run in three steps: 0 and 1 clear (or, in a query, ask which
// entries and slots are cleared) and step 2 repeats, sending one pending
// line per call, until nothing is pending (802).
class CMonitor final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CMonitor)

 public:
  static constexpr int kSchema = 6;
  static constexpr int kKind = 33086;  // "Monitor", also the object's name
  static constexpr int kEntryCount = 250;
  static constexpr int kRelayCount = 80;
  static constexpr int kSmallEntryCount = 50;
  static constexpr int kSmallRelayCount = 20;
  static constexpr int kStepCount = 802;
  // A query run stops waiting for the clear reply after the line has been
  // silent both ways this long: less than a transfer's no-progress limit
  // (5 s), so the wait never races the transfer.
  static constexpr int kClearReplyTimeoutMs = 4000;
  // Range lists of the clear replies are read with this many bits.
  static constexpr unsigned kClearListBits = 2000;

  // Kind codes of the choice codes; the choice code of a kind is also the
  // operation of SetValue that sets an entry to it.
  enum KindCode : int {
    KC_OFF = 4,
    KC_IN = 5,
    KC_OUT = 6,
    KC_REL = 7,
    KC_AMP_IN = 8,
    KC_AMP_OUT = 9,
    KC_EXT = 10,
  };
  // Fields of GetValue and GetColumnText, operations of SetValue.
  enum Field : int {
    FIELD_RELAY = 0,        // relay number of a slot
    FIELD_KIND = 1,         // kind keyword of an entry (text)
    OP_ADD_RELAY = 2,       // SetValue: the first free slot
    FIELD_CHOICE = 3,       // choice code of an entry; SetValue: the first "OFF" entry
    FIELD_VALUE_TEXT = 11,  // entry value as the unit takes it
    FIELD_CHANNEL_TEXT = 12,
  };

  CMonitor();

  // Usable entries and relay slots for the monitor's own project.
  int GetMaxEntries() const;
  int GetMaxRelays() const;

  // Field 0: the relay number of slot index (0 = free); field 3: the choice
  // code of entry index (4 for "OFF", 0 for a kind text the unit does not
  // know); 0 for other fields and indexes outside the tables.
  int GetValue(int code) const;
  // Operation 0: slot index := the relay number of the control pad with ID
  // value (the slot is freed first; false when there is no such pad).
  // 2: operation 0 on the first free slot below GetMaxRelays (false when
  // none is free). 3: sets the first "OFF" entry below GetMaxEntries to the
  // choice code value (false when none is "OFF" or the code is not of a kind
  // 4..10). 4..10: entry index := that kind with value (AMP kinds: address
  // in bits 0-7, channel in bits 8-15). 1 and above 10: nothing, true. An
  // index outside the tables is refused (false). reserved is not read.
  bool SetValue(int code, int value, int reserved = 0);
  // Field 1: appends the choice codes an entry can take: OFF, IN1..IN4,
  // OUT1..OUT4, REL n for every used slot, then for each addressable
  // amplifier in ID order AMP_IN and AMP_OUT of every channel it monitors.
  // Returns 0.
  int ListChoices(int field, std::vector<int>* choices) const;
  // The display or command text of a code; sets out and returns it.
  // Field 0: the name of the KCM209 pad of slot index, or "<number> *";
  // 1: kind keyword; 4..10: the text of a choice code (index = value part);
  // 11, 12: value and channel of entry index as sent to the unit.
  QString& GetColumnText(QString& out, int code) const;

  void Serialize(CArchive& ar) override;
  // Records before schema 4 kept the relays as connections on output pins
  // 1..20: they become slots and the connections go.
  int OnAfterLoad() override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  int Download(bool bQuery, int nStep) override;

  // The project's monitor (identifier 1), or null.
  static CMonitor* Find(const CSelvantisDoc* doc);
  // Creates it when the project has none.
  static CMonitor* EnsureIn(CSelvantisDoc& doc);
  // The kind code of a keyword ("AMP_IN" -> 8); 0 for another text.
  static int KindCodeOf(const QString& keyword);
  // The keyword of a kind code; "" outside 4..10.
  static QString KeywordOf(int kindCode);

 private:
  struct Entry {
    QString kind = QStringLiteral("OFF");
    int value = 0;
    int reserved = 0;
    int channel = 1;
  };

  QString Path() const;
  void SetEntry(int index, int kindCode, int value);
  bool SetRelaySlot(int slot, int padId);
  void SetRelayNumber(int slot, int number);
  // The name of the first KCM209 pad carrying the relay, or "<n> *".
  QString RelayText(int number) const;
  void QueueEntryQueries(int index);
  void FillPendingDownload();
  void SendLine(const QString& keyAndValue);
  void OnClearTableReply(const QString& value, const QString& errorFilePath);
  void OnClearRelayReply(const QString& value, const QString& errorFilePath);
  void OnRelayReply(int slot, const QString& value, const QString& errorFilePath);
  // Ends a query run whose clear replies did not come.
  int GiveUpWaiting();

  std::array<Entry, kEntryCount> m_entries;
  std::array<int, kRelayCount> m_relays{};
  bool m_canClear = false;
  bool m_tableQuerySent = false;
  bool m_tableReply = false;
  bool m_relayQuerySent = false;
  bool m_relayReply = false;
  QStringList m_pending;
};

#endif
