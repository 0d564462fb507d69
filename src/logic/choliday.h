#ifndef SELV_LOGIC_CHOLIDAY_H
#define SELV_LOGIC_CHOLIDAY_H

#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// A holiday program: on its date (repeated as its function says, or for a
// time range of some days) the unit runs the day program on input pin 0 in
// place of the week program's.
class CHoliday final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CHoliday)

 public:
  static constexpr int kKindHoliday = IDS_HOLIDAY_PROGRAM;
  static constexpr int kPinDayprog = 0;
  static constexpr int kMinDays = 1;
  static constexpr int kMaxDays = 252;

  CHoliday();

  void Serialize(CArchive& ar) override;

  // 0 date (user locale), 1 function text, 2 length in days "%d", 3 the
  // day program's name ("" when none).
  void GetColumnText(QString& out, int column) const;
  // 0 date, 1 function (string id; 34298 "Time Range" for a range), 2 length
  // in days, 3 day-program ID.
  int64_t GetValue(int column) const;
  // 0 date; 1 function (one of the offered ids, others refused); 2 length,
  // kept within 1 .. 252; 3 the day program by ID (0 unlinks).
  void SetValue(int column, int64_t value);
  // Column 1: the functions in the order offered. Returns the count.
  static int ListChoices(int column, std::vector<int>& choices);

  static QString FunctionKeyword(int function);
  static int FunctionOfKeyword(const QString& keyword);

  QStringList GetLines(const QString& prefix, bool bQuery) const;
  static QStringList UnusedLines(const QString& prefix);
  static QStringList QueryLines(const QString& prefix);
  // "FUNC", "DATE", "DAYS", "DAYPROG".
  bool ParseField(const QString& field, const QString& value, const QString& errorFilePath);

 private:
  int64_t m_date;
  int m_function = IDS_LOGIC_OFF;
  int m_days = 1;
};

#endif
