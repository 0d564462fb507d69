#ifndef SELV_LOGIC_CREADYINPUT_H
#define SELV_LOGIC_CREADYINPUT_H

#include "logic/cpadreference.h"
#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

#include <QString>

// A ready input: the unit watches the control pad on input pin 0 at a
// level, optionally masked (reported only after the global mask time), and
// reports a fault with text number 1..18 and a further number 0..255.
class CReadyInput final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CReadyInput)

 public:
  static constexpr int kKindReadyInput = IDS_READYINP;
  static constexpr int kPinPad = 0;
  static constexpr int kMaxTextNumber = 18;
  static constexpr int kMaxNumber = 255;
  enum Field : int { FIELD_INPUT, FIELD_INPNR, FIELD_LEVEL, FIELD_MASKED, FIELD_TEXT, FIELD_NR };
  static constexpr int kFieldCount = 6;

  CReadyInput();

  void Serialize(CArchive& ar) override;

  // 0 pad name ("" when none), 1 the pad's keyword or "OFF", 2 its input
  // number ("" when none), 3/4 ON/OFF of level and masked flag, 5 text
  // number, 6 number; "" for other columns.
  void GetColumnText(QString& out, int column) const;
  // 2 input number (1 when no pad), 3 level, 4 masked, 5 text number,
  // 6 number; 0 for others.
  int GetValue(int column) const;
  // 5 text number ("%d", kept in 1..18), 6 number ("%d", kept in 0..255);
  // text that is no number changes nothing.
  void SetColumnText(int column, const QString& text, int reserved = 0);
  // 0 pad by ID (0 unlinks), 3 level, 4 masked, 5 text number (1..18),
  // 6 number (0..255).
  void SetValue(int column, int value, const QString& text = QString());

  static QString FieldLine(int id, int field, const CReadyInput* input, bool bQuery);
  static int FieldOfKey(const QString& key);
  // One uploaded field ("INPUT", "INPNR", "LEVEL", "MASKED", "TEXT", "NR").
  bool ParseField(const QString& field, const QString& value, const QString& errorFilePath);

 private:
  bool m_level = true;
  bool m_masked = false;
  int m_textNumber = 1;
  int m_number = 0;
  CPadReference m_pad;  // an upload's pad keyword until its number arrives
};

#endif
