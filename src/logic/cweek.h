#ifndef SELV_LOGIC_CWEEK_H
#define SELV_LOGIC_CWEEK_H

#include "model/cbasedevice.h"

#include <QString>

// The week program (one per project, ID 1, path "/CALENDAR/WEEK"): the day
// program of each weekday, Monday (0) to Sunday (6), linked on input pins
// 0..6.
class CWeek final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CWeek)

 public:
  static constexpr int kDays = 7;

  CWeek();

  void Serialize(CArchive& ar) override;
  // -1: 7 steps; step d sends or queries the day program of day d.
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  // The name of day d's day program, "" when none (or for another day).
  void GetColumnText(QString& out, int day) const;
  int GetValue(int day) const;
  // Links day d to the day program with that ID (0 unlinks).
  void SetValue(int day, int id);

  static QString Path();

 protected:
  QString BuildCommandPath() const override;
};

#endif
