#ifndef SELV_SHELL_CPORTCHOICE_H
#define SELV_SHELL_CPORTCHOICE_H

#include "link/cserialports.h"

#include <QString>

#include <vector>

// The serial ports the preferences offer and the one a profile without a
// port uses: the link's one rule (CSerialPorts), which the command line
// follows too.
class CPortChoice final {
 public:
  using SystemPort = CSerialPorts::SystemPort;
  using Source = CSerialPorts::Source;

  // The ports the system has now, in Order.
  static std::vector<SystemPort> SystemPorts() { return CSerialPorts::SystemPorts(); }
  // USB adapters first, then by location ("/dev/ttyS2" before "/dev/ttyS10").
  static void Order(std::vector<SystemPort>& ports) { CSerialPorts::Order(ports); }
  // The first of ports in Order; "" when there is none.
  static QString FirstPort(std::vector<SystemPort> ports) { return CSerialPorts::FirstPort(std::move(ports)); }
  // Replaces the system's list (a test's ports); an empty source restores it.
  static void SetSource(Source source) { CSerialPorts::SetSource(std::move(source)); }
};

#endif
