#ifndef SELV_SHELL_CPREFERENCESSTATE_H
#define SELV_SHELL_CPREFERENCESSTATE_H

#include "model/cstringtable.h"
#include "shell/cportchoice.h"

#include <QString>
#include <QStringList>

#include <vector>

// The preferences the user sets in View > Preferences: the language, the
// start-up action and the serial port of the unit. Loads from the profile,
// keeps the edited values, writes them back.
class CPreferencesState final {
 public:
  struct Changes {
    bool language = false;
    bool startupAction = false;
    bool serialPort = false;
    bool Any() const noexcept { return language || startupAction || serialPort; }
  };

  void Load();
  Changes Apply() const;

  CStringTable::Language Language() const noexcept { return m_language; }
  void SetLanguage(CStringTable::Language language) { m_language = language; }
  // The start-up action as stored: 0 nothing, 1 new project, 2 reopen the
  // last file. A value the program does not know (set by someone else) is
  // shown as "nothing" but written back unchanged unless the user picks one.
  int StartupChoice() const noexcept;
  void SetStartupChoice(int choice);
  QString SerialPort() const { return m_port; }
  // Trimmed; an empty name keeps the stored port.
  void SetSerialPort(const QString& port);

  // Texts of the start-up choices in the order of the values.
  static QStringList StartupChoiceTexts();
  using SystemPort = CPortChoice::SystemPort;
  // An entry of the port list: the port, and how the list shows it.
  struct PortChoice {
    QString port;
    QString label;
  };
  // "/dev/ttyUSB0 (FT232R USB UART, FTDI)"; "/dev/ttyS0 (present)" where the
  // system says nothing of the port.
  static QString PortLabel(const SystemPort& port);
  // A port the system does not have: "/dev/ttyUSB0 (not present)".
  static QString MissingPortLabel(const QString& port);
  // The port's device is there (present), whether or not the system lists
  // it as a serial port.
  static bool DeviceExists(const QString& port);
  // The ports the system has (USB adapters first, then by location), with
  // stored first when it is not among them: present when its device is
  // there (a pseudo-terminal), else marked as not present.
  static std::vector<PortChoice> MakePortChoices(std::vector<SystemPort> ports, const QString& stored);
  // MakePortChoices of the ports the system has now and the stored port.
  std::vector<PortChoice> PortChoices() const;
  // The port a text of the list names: the port of the entry whose label it
  // is, else the text itself (a port typed in).
  static QString PortOfText(const std::vector<PortChoice>& choices, const QString& text);

 private:
  CStringTable::Language m_language = CStringTable::Language::German;
  int m_startup = 1;
  int m_loadedStartup = 1;
  QString m_port;
  QString m_loadedPort;
  CStringTable::Language m_loadedLanguage = CStringTable::Language::German;
};

#endif
