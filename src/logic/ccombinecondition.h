#ifndef SELV_LOGIC_CCOMBINECONDITION_H
#define SELV_LOGIC_CCOMBINECONDITION_H

#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

#include <QString>
#include <QStringList>

#include <vector>

// A combination of up to four conditions (input pins 1..4), each optionally
// inverted, joined by one logic function: OFF, AND, OR or XOR.
class CCombineCondition final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CCombineCondition)

 public:
  static constexpr int kKindCombine = IDS_COMBINATION;
  static constexpr int kInputs = 4;
  static constexpr int kFirstInputPin = 1;

  CCombineCondition();

  void Serialize(CArchive& ar) override;

  // 0 the function, 2/4/6/8 "NOT" when input 1..4 is inverted (else ""),
  // 3/5/7/9 the name of the condition on input 1..4.
  void GetColumnText(QString& out, int column) const;
  // 0 the function (string id), 2/4/6/8 the invert flags, 3/5/7/9 the
  // condition IDs.
  int GetValue(int column) const;
  // 0 the function (one of the four string ids; others refused), 2/4/6/8
  // invert flags, 3/5/7/9 the condition with that ID (a missing one is
  // created as a placeholder; 0 unlinks).
  void SetValue(int column, int value, const QString& text = QString());

  // The logic functions in the order the selection offers them.
  static std::vector<int> Functions();
  static QString FunctionKeyword(int function);
  static int FunctionOfKeyword(const QString& keyword);

  QStringList GetLines(const QString& prefix, bool bQuery) const;
  static QStringList UnusedLines(const QString& prefix);
  static QStringList QueryLines(const QString& prefix);
  // "LOGIC", "IN1".."IN4", "INV1".."INV4".
  bool ParseField(const QString& field, const QString& value, const QString& errorFilePath);

 private:
  int m_function = IDS_LOGIC_OFF;
  bool m_invert[kInputs] = {false, false, false, false};
};

#endif
