#ifndef SELV_LINK_CSERIALPORTS_H
#define SELV_LINK_CSERIALPORTS_H

#include <QString>

#include <functional>
#include <vector>

// The serial ports of the system, and the one rule for the port that the
// window and the command line use when the profile names none: the first
// port that exists, USB adapters before the ports built in, none when the
// system has no serial port.
class CSerialPorts final {
 public:
  // A serial port of the system, as it describes it ("" where it does not).
  struct SystemPort {
    QString location;  // "/dev/ttyUSB0"
    QString description;
    QString manufacturer;
    bool usb = false;  // an adapter on USB (the system knows its vendor)
  };
  using Source = std::function<std::vector<SystemPort>()>;

  // The ports the system has now, in Order.
  static std::vector<SystemPort> SystemPorts();
  // USB adapters first, then by location ("/dev/ttyS2" before "/dev/ttyS10").
  static void Order(std::vector<SystemPort>& ports);
  // The first of ports in Order; "" when there is none.
  static QString FirstPort(std::vector<SystemPort> ports);
  // The port of the profile ("COMSECTION"/"Port"), else the first port the
  // system has now; "" when the profile names none and the system has none.
  // *stored: the profile named it.
  static QString ProfilePort(bool* stored = nullptr);
  // Replaces the system's list (a test's ports); an empty source restores it.
  static void SetSource(Source source);
};

#endif
