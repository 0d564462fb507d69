#include "shell/cpreferencesdlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

CPreferencesDlg::CPreferencesDlg(QWidget* parent)
    : QDialog(parent), m_language(new QComboBox(this)), m_startup(new QComboBox(this)), m_port(new QComboBox(this)) {
  setObjectName(QStringLiteral("PreferencesDlg"));
  setWindowTitle(tr("Preferences"));
  m_state.Load();

  m_language->setObjectName(QStringLiteral("language"));
  // Each language is named in itself, so a user who picked the wrong one
  // still finds the way back.
  m_language->addItem(QStringLiteral("Deutsch"), static_cast<int>(CStringTable::Language::German));
  m_language->addItem(QStringLiteral("English"), static_cast<int>(CStringTable::Language::English));
  m_language->setCurrentIndex(m_state.Language() == CStringTable::Language::German ? 0 : 1);

  m_startup->setObjectName(QStringLiteral("startup"));
  m_startup->addItems(CPreferencesState::StartupChoiceTexts());
  m_startup->setCurrentIndex(m_state.StartupChoice());

  m_port->setObjectName(QStringLiteral("port"));
  m_port->setEditable(true);
  // The system's description of a port (USB adapter, maker) helps to pick
  // the right one; the profile keeps the port itself.
  m_ports = m_state.PortChoices();
  for (const CPreferencesState::PortChoice& choice : m_ports) m_port->addItem(choice.label, choice.port);
  const int stored = m_port->findData(m_state.SerialPort());
  if (stored >= 0)
    m_port->setCurrentIndex(stored);
  else
    m_port->setCurrentText(m_state.SerialPort());

  auto* form = new QFormLayout;
  form->addRow(tr("Language:"), m_language);
  form->addRow(tr("At start-up:"), m_startup);
  form->addRow(tr("Serial port:"), m_port);
  auto* note = new QLabel(tr("A new serial port is used from the next connection on."), this);
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CPreferencesDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);
}

void CPreferencesDlg::accept() {
  m_state.SetLanguage(static_cast<CStringTable::Language>(m_language->currentData().toInt()));
  m_state.SetStartupChoice(m_startup->currentIndex());
  m_state.SetSerialPort(CPreferencesState::PortOfText(m_ports, m_port->currentText()));
  m_changes = m_state.Apply();
  QDialog::accept();
}
