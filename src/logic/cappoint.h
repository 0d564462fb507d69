#ifndef SELV_LOGIC_CAPPOINT_H
#define SELV_LOGIC_CAPPOINT_H

#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// An appointment of the calendar: at one local date and time, repeated as
// chosen, the unit starts the macro on input pin 0.
class CAppoint final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CAppoint)

 public:
  static constexpr int kKindEvent = IDS_EVENT;
  static constexpr int kPinMacro = 0;

  CAppoint();

  void Serialize(CArchive& ar) override;

  // 0 time (24 hours, user locale), 1 date (user locale), 2 repetition
  // text, 3 the macro's name ("" when none).
  void GetColumnText(QString& out, int column) const;
  // 0/1 the time, 2 the repetition (string id), 3 the macro ID.
  int64_t GetValue(int column) const;
  // 0 and 1 set the one time of the appointment; 2 the repetition (one of
  // the offered string ids, others refused); 3 the macro by ID (a missing one
  // is created as a placeholder "%d *"; 0 unlinks).
  void SetValue(int column, int64_t value);
  // Column 2: the repetitions, in the order offered. Returns the count.
  static int ListChoices(int column, std::vector<int>& choices);

  int64_t GetTime() const { return m_time; }
  int GetRepetition() const { return m_repetition; }

  static QString RepetitionKeyword(int repetition);
  static int RepetitionOfKeyword(const QString& keyword);

  QStringList GetLines(const QString& prefix, bool bQuery) const;
  static QStringList UnusedLines(const QString& prefix);
  static QStringList QueryLines(const QString& prefix);
  // "FUNC", "DATE", "TIME", "MACRO".
  bool ParseField(const QString& field, const QString& value);

 private:
  int64_t m_time;
  int m_repetition = IDS_LOGIC_OFF;
};

#endif
