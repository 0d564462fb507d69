#ifndef SELV_LOGIC_CDAYPROG_H
#define SELV_LOGIC_CDAYPROG_H

#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// A day program: a table of entries, each a time of day and the macro the
// unit starts then (entry n's macro on input pin n-1). An entry is free while
// its time lies before 1980-03-01; a deleted entry holds 1980-01-01.
//
// Addressing: the getters take code = index << 16 | column with the entry
// index 0 .. max-1; SetValue takes the entry NUMBER 1 .. max, as the unit
// and the editor count.
class CDayprog final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CDayprog)

 public:
  static constexpr int kKindDayprog = IDS_DAILY_PROGRAM;
  static constexpr int kMaxEntriesSmall = 40;
  static constexpr int kMaxEntriesBig = 100;

  CDayprog();

  void Serialize(CArchive& ar) override;

  // 40 entries, 100 with the document's project-size flag.
  int GetMaxEntries() const;

  // 0 the entry's time (24 hours; "" while free), 1 the macro's name ("" when
  // none), 2 "%d" of the used entries; "" beyond the maximum.
  void GetColumnText(QString& out, int code) const;
  // 0 the time, 1 the macro ID, 2 the used entries.
  int64_t GetValue(int code) const;
  // code = number << 16 | column: 0 time of entry number; 1 macro of entry
  // number by ID (a missing macro is created as a placeholder "%d *"); 3
  // (number ignored) the first free entry gets 1980-03-01 00:00; 4 (number
  // ignored) entry number value is deleted: time 1980-01-01 and its macro
  // unlinked. Numbers outside 1 .. max are ignored.
  void SetValue(int code, int64_t value);

  bool IsEntryUsed(int index) const;
  int GetUsedCount() const;

  QStringList GetLines(const QString& prefix, bool bQuery) const;
  static QStringList UnusedLines(const QString& prefix);
  static QStringList QueryLines(const QString& prefix);
  // "ENTRIES" (the start of the unit's list: every entry is emptied),
  // "TIME<n>", "MACRO<n>".
  bool ParseField(const QString& field, const QString& value);

 private:
  bool IsIndex(int index) const { return index >= 0 && index < GetMaxEntries(); }
  bool IsFreeTime(int index) const;
  void ClearEntry(int index);

  std::array<int64_t, kMaxEntriesBig> m_times;
};

#endif
