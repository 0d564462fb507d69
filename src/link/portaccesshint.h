#ifndef SELV_LINK_PORTACCESSHINT_H
#define SELV_LINK_PORTACCESSHINT_H

#include <QString>

#include <vector>

// What a user whom the system does not let open a serial port can do about
// it. A serial device belongs to a group (on Debian "dialout") whose members
// may use it; a user added to the group gets its rights only with the next
// login, so the hint names the device's group and says to log in again.
class PortAccessHint final {
 public:
  // Who asks: the process's user and groups, and the groups the group
  // database gives the user, which the process has only after a new login.
  struct Account {
    unsigned uid = 0;
    QString name;
    std::vector<unsigned> groups;
    std::vector<unsigned> listedGroups;
    // The account of this process.
    static Account OfProcess();
  };

  enum class Advice { None, JoinGroup, LogInAgain, AskAdministrator };
  struct Finding {
    Advice advice = Advice::None;
    QString device;  // the path looked at
    QString group;   // the device's group by name (its number when it has none)
  };

  // The device of a port name: names without a folder are in /dev.
  static QString DevicePath(const QString& portName);
  // What account can do about its access to the port's device; None when
  // it may read and write it, or when the device cannot be looked at.
  static Finding Inspect(const QString& portName, const Account& account);
  // The finding as a text for the user in the language of the moment; empty
  // for None.
  static QString Text(const Finding& finding, const QString& userName);
  // Text(Inspect(portName, this process)).
  static QString For(const QString& portName);
};

#endif
