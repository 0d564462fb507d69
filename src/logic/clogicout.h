#ifndef SELV_LOGIC_CLOGICOUT_H
#define SELV_LOGIC_CLOGICOUT_H

#include "logic/cpadreference.h"
#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

#include <QString>

// A logic output: the unit switches the control pad on input pin 0 from the
// condition on input pin 1, optionally inverted.
class CLogicOut final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CLogicOut)

 public:
  static constexpr int kKindLogicOut = IDS_LOGIC_STATE;
  static constexpr int kPinPad = 0;
  static constexpr int kPinCondition = 1;
  enum Field : int { FIELD_OUTPUT = 0, FIELD_OUTNR = 1, FIELD_CONDITION = 2, FIELD_INVERT = 3 };
  static constexpr int kFieldCount = 4;

  CLogicOut();

  void Serialize(CArchive& ar) override;

  // 2 condition name, 3 "ON"/"OFF" of the invert flag, 4 pad name; ""
  // for a link that is not made.
  void GetColumnText(QString& out, int column) const;
  // 2 condition ID, 3 invert flag, 4 pad ID.
  int GetValue(int column) const;
  // 2 condition by ID (a missing one is created as a placeholder "%d *"),
  // 3 invert flag, 4 pad by ID; 0 unlinks.
  void SetValue(int column, int value, const QString& text = QString());

  bool GetInvert() const { return m_invert; }

  // The line of one field of logic output id for the logic-output block;
  // out null: an output the project does not hold.
  static QString FieldLine(int id, int field, const CLogicOut* out, bool bQuery);
  static int FieldOfKey(const QString& key);
  // One uploaded field ("OUTPUT", "OUTNR", "COND", "INVERT").
  bool ParseField(const QString& field, const QString& value, const QString& errorFilePath);

 private:
  bool m_invert = false;
  CPadReference m_pad;  // an upload's pad keyword until its number arrives
};

#endif
