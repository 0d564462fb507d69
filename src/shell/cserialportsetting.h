#ifndef SELV_SHELL_CSERIALPORTSETTING_H
#define SELV_SHELL_CSERIALPORTSETTING_H

#include <QString>

// The serial port the link opens, as the preferences show and set it.
class CSerialPortSetting final {
 public:
  static QString Read();
  static void Write(const QString& port);
};

#endif
