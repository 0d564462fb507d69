#include "consoles/ui/cmacrokeytypesdlg.h"

#include "consoles/cconskey.h"
#include "consoles/ui/cmacrokeytypeslogic.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

using Logic = CMacroKeyTypesLogic;

// The rate and radio edits only show the number: the arrows change it.
QSpinBox* MakeDisplaySpin(QWidget* parent, int minimum, int maximum, const char* name) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(minimum, maximum);
  spin->setKeyboardTracking(false);
  spin->setFocusPolicy(Qt::NoFocus);
  spin->findChild<QLineEdit*>()->setReadOnly(true);
  return spin;
}

}  // namespace

CMacroKeyTypesDlg::CMacroKeyTypesDlg(QWidget* owner, CConsKey* key, const std::vector<MacroEntry>& macros)
    : QDialog(owner), m_pKey(key) {
  setWindowTitle(tr("Macro key activation types"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(tr("The macro key, if pressed starts the following macro :"), this);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  m_description = new QLineEdit(this);
  m_description->setObjectName(QStringLiteral("description"));
  m_description->setReadOnly(true);
  layout->addWidget(m_description);
  auto* macroA = new QLabel(tr("( Macro A :  chosen in       the 'Key property dialog')"), this);
  macroA->setWordWrap(true);
  layout->addWidget(macroA);
  auto* typeText = new QLabel(tr("The 'activity type' determines the action which follows:"), this);
  typeText->setWordWrap(true);
  layout->addWidget(typeText);

  m_activity = new QComboBox(this);
  m_activity->setObjectName(QStringLiteral("activity"));
  for (int i = 0; i < Logic::kActivityCount; ++i) m_activity->addItem(Logic::EntryText(i), i);
  layout->addWidget(m_activity);

  m_macroBGroup = new QGroupBox(tr("Macro B"), this);
  m_macroB = new QComboBox(m_macroBGroup);
  m_macroB->setObjectName(QStringLiteral("macroB"));
  for (const MacroEntry& entry : macros) m_macroB->addItem(entry.text, entry.id);
  // No macro B is chosen until the key names one or the user picks one.
  m_macroB->setCurrentIndex(-1);
  (new QHBoxLayout(m_macroBGroup))->addWidget(m_macroB);
  layout->addWidget(m_macroBGroup);

  m_rateGroup = new QGroupBox(tr("Repeat rate  (1/sec.)"), this);
  m_rate = MakeDisplaySpin(m_rateGroup, Logic::kMinRate, Logic::kMaxRate, "rate");
  (new QHBoxLayout(m_rateGroup))->addWidget(m_rate);
  layout->addWidget(m_rateGroup);

  m_radioGroup = new QGroupBox(tr("Radio number"), this);
  m_radio = MakeDisplaySpin(m_radioGroup, Logic::kMinRadio, Logic::kMaxRadio, "radio");
  (new QHBoxLayout(m_radioGroup))->addWidget(m_radio);
  layout->addWidget(m_radioGroup);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::AcceptRole);
  close->setObjectName(QStringLiteral("close"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  connect(m_activity, qOverload<int>(&QComboBox::activated), this, &CMacroKeyTypesDlg::OnActivityActivated);
  connect(m_macroB, qOverload<int>(&QComboBox::activated), this, &CMacroKeyTypesDlg::OnMacroBActivated);
  // The spins are filled with their signals blocked, so these see the arrows only.
  connect(m_rate, qOverload<int>(&QSpinBox::valueChanged), this, &CMacroKeyTypesDlg::OnRateChanged);
  connect(m_radio, qOverload<int>(&QSpinBox::valueChanged), this, &CMacroKeyTypesDlg::OnRadioChanged);
  Refresh();
}

void CMacroKeyTypesDlg::SetKey(CConsKey* key) {
  m_pKey = key;
  Refresh();
  activateWindow();
  m_activity->setFocus();
}

void CMacroKeyTypesDlg::Refresh() {
  if (m_pKey == nullptr) return;
  m_description->setText(Logic::Description(*m_pKey));
  m_nActivity = Logic::ActivityOfKey(*m_pKey);
  const int p2 = m_pKey->GetFunction().p2;
  m_macroBGroup->setVisible(m_nActivity == Logic::kButton || m_nActivity == Logic::kSwitch);
  m_rateGroup->setVisible(m_nActivity == Logic::kRepeat);
  m_radioGroup->setVisible(m_nActivity == Logic::kRadio);
  if (m_nActivity == Logic::kRepeat) m_nRate = Logic::ClampRate(p2);
  if (m_nActivity == Logic::kRadio) m_nRadio = Logic::ClampRadio(p2);

  const QSignalBlocker b1(m_activity);
  const QSignalBlocker b2(m_macroB);
  const QSignalBlocker b3(m_rate);
  const QSignalBlocker b4(m_radio);
  m_activity->setCurrentIndex(m_nActivity);
  // The entry whose identifier is the key's second parameter, whatever the
  // activity, so that "button" or "switch" chosen next starts it; a key
  // without one leaves the choice as it stands (none at first: a "button"
  // chosen then takes macro 1).
  if (p2 != 0) {
    const int row = m_macroB->findData(p2);
    if (row >= 0) m_macroB->setCurrentIndex(row);
  }
  m_rate->setValue(m_nRate);
  m_radio->setValue(m_nRadio);
}

int CMacroKeyTypesDlg::SelectedMacroB() const {
  const int row = m_macroB->currentIndex();
  return row >= 0 ? m_macroB->itemData(row).toInt() : 0;
}

void CMacroKeyTypesDlg::OnActivityActivated(int index) {
  if (m_pKey == nullptr) return;
  Logic::SetActivity(*m_pKey, index, SelectedMacroB());
  emit MacroTypeChanged(index);
  Refresh();
}

void CMacroKeyTypesDlg::OnMacroBActivated(int index) {
  if (m_pKey == nullptr || index < 0) return;
  Logic::SetMacroB(*m_pKey, m_macroB->itemData(index).toInt());
  emit MacroTypeChanged(m_nActivity);
}

void CMacroKeyTypesDlg::OnRateChanged(int value) {
  if (m_pKey == nullptr) return;
  m_nRate = Logic::StepRate(*m_pKey, value, 0);
  // A new rate or radio number is no new macro B: the owner relinks nothing.
  emit MacroTypeChanged(Logic::kTrigger);
}

void CMacroKeyTypesDlg::OnRadioChanged(int value) {
  if (m_pKey == nullptr) return;
  m_nRadio = Logic::StepRadio(*m_pKey, value, 0);
  emit MacroTypeChanged(Logic::kTrigger);
}

void CMacroKeyTypesDlg::done(int result) {
  QDialog::done(result);
  emit MacroDlgNotify(kTemplateId);
}
