#ifndef SELV_LOGIC_CCALOBJECT_H
#define SELV_LOGIC_CCALOBJECT_H

#include "logic/cstepsender.h"
#include "model/cbasedevice.h"

#include <QString>

// The calendar block (one per project, ID 1, path "/CALENDAR") through
// which appointments, day programs and holidays are transferred: steps 0..2
// are the block's own (they send nothing), step ID + 2 the appointment
// (1..50), ID + 52 the day program (1..20), ID + 72 the holiday (1..50);
// 123 steps. Replies for the entries reach the block, which hands each to
// its entry (creating entries the project lacks).
class CCalObject final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CCalObject)

 public:
  static constexpr int kStepCount = 123;
  static constexpr int kAppointOffset = 2;
  static constexpr int kDayprogOffset = 52;
  static constexpr int kHolidayOffset = 72;
  static constexpr int kMaxAppoints = 50;
  static constexpr int kMaxDayprogs = 20;
  static constexpr int kMaxHolidays = 50;
  enum Selector : int { SEL_ALL = -1, SEL_APPOINTS = -2, SEL_DAYPROGS = -3, SEL_HOLIDAYS = -4 };

  CCalObject();

  void Serialize(CArchive& ar) override;
  // A negative step resets the block for its parts and returns 123.
  int Download(bool bQuery, int nStep) override;
  bool Upload(const QString& line, QString& errorFilePath, int mode) override;

  static QString Path();

 protected:
  QString BuildCommandPath() const override;

 private:
  QStringList StepLines(bool bQuery, int nStep) const;

  unsigned m_parts = 7;  // bit 0 appointments, 1 day programs, 2 holidays
  CStepSender m_sender;
};

#endif
