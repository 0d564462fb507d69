#ifndef SELV_AMPS_CSPAREAMP_H
#define SELV_AMPS_CSPAREAMP_H

#include "macros/rangelist.h"
#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

class CSelvantisDoc;

// The unit's backup (spare) amplifier table: eight entries, each a target
// (the spare amplifier channel, by global channel number, or a ready input)
// and ten watched items (amplifier channel or ready input) with the KCM208
// relay that switches the item's output ("/OUTRELAY") and the KCM209 relay
// that switches its input ("/INPRELAY"); names and in-use (enabled) flags
// per entry. One per project, identifier 1, path "/SPAREAMP".
//
// Transfers: step 0 clears (or, in a query, asks which entries are
// cleared), steps 1..344 are 43 sub-steps per entry. With the unit's clear
// token, entries without a name are skipped, so the step returned may jump
// past 345: callers stop at >= the count.
class CSpareAmp final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CSpareAmp)

 public:
  static constexpr int kSchema = 3;
  static constexpr int kKind = 34370;  // "Backup Amplifier", also the name
  static constexpr int kEntryCount = 8;
  static constexpr int kWatchCount = 10;
  static constexpr int kStepsPerEntry = 3 + 4 * kWatchCount;           // 43
  static constexpr int kStepCount = 1 + kEntryCount * kStepsPerEntry;  // 345
  // The disabled flags are a 64-bit set, as the unit's clear reply names them.
  static constexpr unsigned kDisabledBits = 64;
  // A query run stops waiting for the clear reply after the line has been
  // silent both ways this long: less than a transfer's no-progress limit
  // (5 s), so the wait never races the transfer.
  static constexpr int kClearReplyTimeoutMs = 4000;
  // Target and watch types.
  static constexpr int kTypeAmpChannel = DT_AMPLIFIER;   // 2
  static constexpr int kTypeReadyInput = DT_READYINPUT;  // 38

  CSpareAmp();

  // All entries disabled and zeroed (the names stay).
  void ClearEntries();

  // Entry n (0..7): *pName its name, *pValue its target; an amplifier-channel
  // target gives *pType 2 and *pChannel the target too, a ready input *pType
  // 38 (*pChannel untouched). True when the entry is enabled; false, with
  // nothing written, for n outside 0..7. Null pointers are skipped.
  bool GetEntry(int n, QString* pName, int* pType, int* pValue, int* pChannel) const;
  // Watch item w (0..9) of entry n (0..7): *pType 2 or 38, *pValue the
  // watched item, *pOutRelay the KCM208 relay number and *pInRelay the KCM209
  // relay number. True when the item is in use (value or a relay set); false,
  // with nothing written, for indexes outside the table.
  bool GetWatch(int w, int n, int* pType, int* pValue, int* pOutRelay = nullptr, int* pInRelay = nullptr) const;
  // Marks the document modified; sets the name and the enabled flag. Type 2:
  // the target becomes the global channel of channel index channel of the
  // amplifier with ID value; it stays as it was when there is no such
  // amplifier, it is not on the amplifier bus or has no such channel. Other
  // types: a ready input, target = value. Disabling zeroes the ten watch
  // items and keeps the target. False, changing nothing, for n outside 0..7.
  bool SetEntry(int n, const QString& name, bool bEnabled, int type, int value, int channel);
  // Watch item w of entry n; type 2 as in SetEntry, 38 a ready input, any
  // other type frees the item (all four fields 0). inUse is not read. False,
  // changing nothing, for indexes outside the table.
  bool SetWatch(int w, int n, int inUse, int type, int value, int channel);
  // The two relay numbers of a watch item (0 = none); false for indexes
  // outside the table.
  bool SetWatchRelays(int w, int n, int outRelay, int inRelay);

  void Serialize(CArchive& ar) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;
  int Download(bool bQuery, int nStep) override;

  // The project's spare-amplifier object (identifier 1), or null.
  static CSpareAmp* Find(const CSelvantisDoc* doc);
  // Creates it when the project has none.
  static CSpareAmp* EnsureIn(CSelvantisDoc& doc);

 private:
  struct Watch {
    uint16_t value = 0;
    uint16_t kind = 0;  // 0 amplifier channel, 1 ready input
    uint16_t outRelay = 0;
    uint16_t inRelay = 0;
  };
  struct Entry {
    std::array<Watch, kWatchCount> watches{};
    uint16_t target = 0;
    uint16_t targetKind = 0;  // 0 amplifier channel, 1 ready input
  };

  static bool IsEntry(int n) { return n >= 0 && n < kEntryCount; }
  static bool IsWatch(int w) { return w >= 0 && w < kWatchCount; }
  bool IsEnabled(int n) const;
  void SetEnabled(int n, bool enabled);
  QString Path() const;
  // The global channel of an amplifier channel; -1 when there is none.
  int GlobalChannelOf(int ampId, int channel) const;
  // Skips unnamed entries while the clear token is in use; returns the step
  // to take (>= kStepCount past the last entry).
  int SkipUnnamed(int nStep) const;
  void SendKey(int n, const QString& key, const QString& value, bool bQuery);
  void OnClearReply(const QString& value, const QString& errorFilePath);
  bool SetField(uint16_t& field, uint16_t value);

  std::array<Entry, kEntryCount> m_entries{};
  BitSet m_disabled;
  QStringList m_names;
  bool m_canClear = false;
  bool m_clearQuerySent = false;
  bool m_clearReply = false;
  // A clear reply that could not be read: every entry is queried.
  bool m_queryAll = false;
};

#endif
