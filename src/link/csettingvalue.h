#ifndef SELV_LINK_CSETTINGVALUE_H
#define SELV_LINK_CSETTINGVALUE_H

#include <QString>

// What a setting's value means, for setting the project's download against
// the unit's answer: the setting (known by its command path) says which of
// its texts mean the same, and how a value reads in the user's terms, as
// its dialog shows it.
//
//   Reference  a relay, link or identifier where none is "OFF", "0" or
//              "NONE" (the unit says "OFF" where the project sends "0");
//              shown as "OFF" or the number.
//   Priority   a priority, "OFF" equal to 0.
//   MacroPriority  a macro's priority: ten times the dialog's step ("30"
//              is 3, "0" and "OFF" are OFF).
//   Level      a level in decibels, equal to a tenth ("-12" is "-12.0");
//              shown as "-12.0 dB".
//   Text       a free text of a fixed width: only its first characters
//              reach the unit, trailing blanks do not count.
//   RangeList  a list of numbers ("1-3,7" is "1,2,3,7"; "NONE", "0" and ""
//              are the empty list).
//   Plain      anything else.
// Numbers mean the same with and without leading zeros, with a fraction of
// zero, or written in hexadecimal with "0x"; a value is read with its
// control characters as blanks and without blanks around it.
class CSettingValue final {
 public:
  enum class Kind { Plain, Reference, Priority, MacroPriority, Level, Text, RangeList };

  explicit CSettingValue(const QString& path);

  Kind GetKind() const noexcept { return m_kind; }
  // The characters a Text holds (0 for other kinds).
  int Width() const noexcept { return m_width; }

  // True when a and b mean the same for this setting.
  bool SameMeaning(const QString& a, const QString& b) const;
  // The value as the user knows it from the setting's dialog; "" stays "".
  QString UserForm(const QString& value) const;

  // A number as the unit may write it ("007", "3.0", "0x1F"); false when
  // text is none.
  static bool ReadNumber(const QString& text, double* value);

 private:
  Kind m_kind = Kind::Plain;
  int m_width = 0;
};

#endif
