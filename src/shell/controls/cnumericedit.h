#ifndef SELV_SHELL_CONTROLS_CNUMERICEDIT_H
#define SELV_SHELL_CONTROLS_CNUMERICEDIT_H

#include "shell/controls/numericeditvalue.h"

#include <QLineEdit>

// An edit for a number within a range, shown in a format, with an optional
// special value shown as a word ("OFF"). What the user types is read when
// the edit is left or Enter is pressed, kept within the range and shown again
// in the format; valueEdited then reports it.
class CNumericEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CNumericEdit(QWidget* parent = nullptr);

  void Setup(bool bFloat, const QString& format, double minimum, double maximum, double value, bool bSpecial = false,
             double specialValue = 0.0, const QString& specialText = QString());
  double GetValue() const noexcept { return m_value.GetValue(); }
  // Shows the value, kept within the range.
  void SetValue(double value);
  // Reads the typed text into the value (kept within the range) and shows the
  // result. Returns the value.
  double ReadText();
  const NumericEditValue& Value() const noexcept { return m_value; }

 signals:
  // The user finished typing a value (not sent for SetValue / Setup).
  void valueEdited(double value);

 private:
  void OnEditingFinished();

  NumericEditValue m_value;
};

#endif
