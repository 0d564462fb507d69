#ifndef SELV_SHELL_CSERIALPORTSETTING_H
#define SELV_SHELL_CSERIALPORTSETTING_H

#include <QString>

// The serial port the link opens, as the preferences show and set it. A
// profile without a port uses the first port the system has (USB adapters
// first); "" when the system has none.
class CSerialPortSetting final {
 public:
  static QString Read();
  // Whether the profile names a port (the user's choice or one that worked).
  static bool IsStored();
  static void Write(const QString& port);
};

#endif
