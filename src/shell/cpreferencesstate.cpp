#include "shell/cpreferencesstate.h"

#include "shell/cserialportsetting.h"
#include "shell/cshellsettings.h"

#include <QCoreApplication>
#include <QSerialPortInfo>

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

QStringList CPreferencesState::PortChoices() const {
  QStringList ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) ports.append(info.systemLocation());
  ports.sort();
  if (!m_port.isEmpty() && !ports.contains(m_port)) ports.prepend(m_port);
  return ports;
}
