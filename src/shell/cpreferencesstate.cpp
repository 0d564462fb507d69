#include "shell/cpreferencesstate.h"

#include "link/portaccesshint.h"
#include "shell/cserialportsetting.h"
#include "shell/cshellsettings.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

void CPreferencesState::Load() {
  m_language = m_loadedLanguage = CShellSettings::GetLanguage();
  m_startup = m_loadedStartup = CShellSettings::GetStartupAction();
  m_port = m_loadedPort = CSerialPortSetting::Read();
}

CPreferencesState::Changes CPreferencesState::Apply() const {
  Changes changes;
  // The first OK stores the language shown, also when it came from the
  // desktop: from then on the user's choice holds.
  if (m_language != m_loadedLanguage || !CShellSettings::HasLanguage()) {
    CShellSettings::SetLanguage(m_language);
    changes.language = m_language != m_loadedLanguage;
  }
  if (m_startup != m_loadedStartup) {
    CShellSettings::SetStartupAction(m_startup);
    changes.startupAction = true;
  }
  if (!m_port.isEmpty() && m_port != m_loadedPort) {
    CSerialPortSetting::Write(m_port);
    changes.serialPort = true;
  }
  return changes;
}

int CPreferencesState::StartupChoice() const noexcept {
  return m_startup >= 0 && m_startup <= 2 ? m_startup : CShellSettings::kStartNothing;
}

void CPreferencesState::SetStartupChoice(int choice) {
  if (choice < 0 || choice > 2) return;
  // Picking the entry that an unknown stored value is shown as changes nothing.
  if (choice == StartupChoice()) return;
  m_startup = choice;
}

void CPreferencesState::SetSerialPort(const QString& port) {
  const QString trimmed = port.trimmed();
  if (!trimmed.isEmpty()) m_port = trimmed;
}

QStringList CPreferencesState::StartupChoiceTexts() {
  return {QCoreApplication::translate("CPreferencesState", "Do nothing"),
          QCoreApplication::translate("CPreferencesState", "Create a new project"),
          QCoreApplication::translate("CPreferencesState", "Open the last project")};
}

QString CPreferencesState::PortLabel(const SystemPort& port) {
  QStringList about;
  for (const QString& part : {port.description.trimmed(), port.manufacturer.trimmed()})
    if (!part.isEmpty() && !about.contains(part, Qt::CaseInsensitive)) about.append(part);
  if (about.isEmpty()) return QCoreApplication::translate("CPreferencesState", "%1 (present)").arg(port.location);
  return port.location + QStringLiteral(" (") + about.join(QStringLiteral(", ")) + QLatin1Char(')');
}

bool CPreferencesState::DeviceExists(const QString& port) {
  return QFileInfo::exists(PortAccessHint::DevicePath(port));
}

QString CPreferencesState::MissingPortLabel(const QString& port) {
  return QCoreApplication::translate("CPreferencesState", "%1 (not present)").arg(port);
}

std::vector<CPreferencesState::PortChoice> CPreferencesState::MakePortChoices(std::vector<SystemPort> ports,
                                                                              const QString& stored) {
  CPortChoice::Order(ports);
  std::vector<PortChoice> choices;
  const bool listed =
      std::any_of(ports.begin(), ports.end(), [&](const SystemPort& p) { return p.location == stored; });
  // The system does not list every device (a pseudo-terminal, a link to a
  // device): one that is there is present all the same.
  if (!stored.isEmpty() && !listed)
    choices.push_back(
        {stored, DeviceExists(stored) ? PortLabel(SystemPort{stored, {}, {}, false}) : MissingPortLabel(stored)});
  for (const SystemPort& port : ports) choices.push_back({port.location, PortLabel(port)});
  return choices;
}

std::vector<CPreferencesState::PortChoice> CPreferencesState::PortChoices() const {
  return MakePortChoices(CPortChoice::SystemPorts(), m_port);
}

QString CPreferencesState::PortOfText(const std::vector<PortChoice>& choices, const QString& text) {
  const QString trimmed = text.trimmed();
  for (const PortChoice& choice : choices)
    if (choice.label == trimmed) return choice.port;
  return trimmed;
}
