#ifndef SELV_SHELL_CONTROLS_NUMERICEDITVALUE_H
#define SELV_SHELL_CONTROLS_NUMERICEDITVALUE_H

#include <QString>

// The value behind a numeric edit: a number kept within a range, shown in a
// printf-style format, with an optional special value that is shown as a word
// (a level of -100 shown as "OFF"). The special value may lie outside the
// range; typing the word selects it.
class NumericEditValue final {
 public:
  // bFloat clear: the value is rounded to a whole number. A minimum above the
  // maximum is swapped rather than making every value invalid.
  void Setup(bool bFloat, const QString& format, double minimum, double maximum, double value, bool bSpecial = false,
             double specialValue = 0.0, const QString& specialText = QString());

  double GetValue() const noexcept { return m_value; }
  // Stores the value clamped to the range (or the special value itself) and
  // returns what was stored.
  double SetValue(double value);
  // Reads typed text: the special text (case and surrounding blanks ignored)
  // gives the special value; a number is clamped to the range; text without
  // a number keeps the previous value. Returns the stored value.
  double ReadText(const QString& text);
  // The text for the stored value.
  QString Text() const;

  bool IsSpecial() const;
  double Minimum() const noexcept { return m_minimum; }
  double Maximum() const noexcept { return m_maximum; }
  bool IsFloat() const noexcept { return m_bFloat; }

 private:
  double Normalise(double value) const;

  bool m_bFloat = false;
  QString m_format = QStringLiteral("%d");
  double m_minimum = 0.0;
  double m_maximum = 0.0;
  double m_value = 0.0;
  bool m_bSpecial = false;
  double m_specialValue = 0.0;
  QString m_specialText;
};

#endif
