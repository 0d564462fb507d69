#ifndef SELV_LOGIC_CTRIGGER_H
#define SELV_LOGIC_CTRIGGER_H

#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

#include <QString>

// A trigger: when its condition (input pin 2) turns on the unit runs the ON
// macro (pin 0), when it turns off the OFF macro (pin 1); the duration is
// how long the condition must hold, 0.0 to 25.0 s.
class CTrigger final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CTrigger)

 public:
  static constexpr int kKindTrigger = IDS_TRIGGER;
  static constexpr int kPinOnMacro = 0;
  static constexpr int kPinOffMacro = 1;
  static constexpr int kPinCondition = 2;
  static constexpr float kMaxDuration = 25.0f;
  // The four fields a trigger is transferred in.
  enum Field : int { FIELD_CONDITION = 0, FIELD_DURATION = 1, FIELD_ON_MACRO = 2, FIELD_OFF_MACRO = 3 };
  static constexpr int kFieldCount = 4;

  CTrigger();

  void Serialize(CArchive& ar) override;

  // 0 condition name, 1 duration "%2.1f", 2 ON macro name, 3 OFF macro
  // name; "" for a link that is not made.
  void GetParamText(QString& out, int param) const;
  // 0 condition ID, 2 ON macro ID, 3 OFF macro ID (0 when not linked).
  int GetParam(int param) const;
  // 1 the duration.
  float GetParamFloat(int param) const;
  // 0 condition, 2 ON macro, 3 OFF macro by ID (0 unlinks); a condition or
  // macro that is not in the project is created as a placeholder "%d *".
  void SetParam(int param, int id);
  // 1 duration, kept within 0.0 .. 25.0.
  void SetParamFloat(int param, float value);

  // The line of one field of trigger id for the trigger block; trigger null:
  // a trigger the project does not hold (its condition is then 0).
  static QString FieldLine(int id, int field, const CTrigger* trigger, bool bQuery);
  // One uploaded field ("COND", "TIME", "ON", "OFF").
  bool ParseField(const QString& field, const QString& value);
  static int FieldOfKey(const QString& key);

 private:
  static int PinOfParam(int param);
  static int TypeOfParam(int param);

  float m_duration = 0.0f;
};

#endif
