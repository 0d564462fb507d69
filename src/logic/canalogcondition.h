#ifndef SELV_LOGIC_CANALOGCONDITION_H
#define SELV_LOGIC_CANALOGCONDITION_H

#include "logic/cpadreference.h"
#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

// A range check: true while the analog input of a KCM216 control pad (input
// pin 0) lies between a minimum and a maximum, each 0.0 .. 10.0.
class CAnalogCondition final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CAnalogCondition)

 public:
  static constexpr int kKindAnalog = IDS_RANGE_CHECK;
  static constexpr int kPinPad = 0;
  static constexpr float kMinValue = 0.0f;
  static constexpr float kMaxValue = 10.0f;

  CAnalogCondition();

  void Serialize(CArchive& ar) override;

  // 0 the pad's name ("" when none), 1 minimum "%.1f", 2 maximum "%.1f".
  void GetColumnText(QString& out, int column) const;
  // 1 minimum, 2 maximum: read with "%f" and kept within 0.0 .. 10.0; text
  // that is no number changes nothing.
  void SetColumnText(int column, const QString& text, int reserved = 0);
  // 0: the pad's ID.
  int GetValue(int column) const;
  // 0: links the control pad with that ID (0 unlinks).
  void SetValue(int column, int value, const QString& text = QString());

  float GetMinimum() const { return m_min; }
  float GetMaximum() const { return m_max; }

  QStringList GetLines(const QString& prefix, bool bQuery) const;
  static QStringList UnusedLines(const QString& prefix);
  static QStringList QueryLines(const QString& prefix);
  // "INPUT", "INPNR", "MIN", "MAX".
  bool ParseField(const QString& field, const QString& value, const QString& errorFilePath);

 private:
  float m_min = 0.0f;
  float m_max = 10.0f;
  CPadReference m_pad;  // an upload's pad keyword until its number arrives
};

#endif
