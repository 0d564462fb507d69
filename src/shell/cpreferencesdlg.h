#ifndef SELV_SHELL_CPREFERENCESDLG_H
#define SELV_SHELL_CPREFERENCESDLG_H

#include "shell/cpreferencesstate.h"

#include <QDialog>

#include <vector>

class QComboBox;

// View > Preferences: language, start-up action and serial port. OK writes
// them to the profile; Changes() tells the caller what to apply at once.
class CPreferencesDlg final : public QDialog {
  Q_OBJECT
 public:
  explicit CPreferencesDlg(QWidget* parent = nullptr);

  CPreferencesState::Changes Changes() const noexcept { return m_changes; }
  const CPreferencesState& State() const noexcept { return m_state; }

 public slots:
  void accept() override;

 private:
  CPreferencesState m_state;
  CPreferencesState::Changes m_changes;
  QComboBox* m_language;
  QComboBox* m_startup;
  QComboBox* m_port;
  std::vector<CPreferencesState::PortChoice> m_ports;
};

#endif
