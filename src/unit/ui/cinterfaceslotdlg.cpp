#include "unit/ui/cinterfaceslotdlg.h"

#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "unit/ui/terminaledit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The dialog the slot's properties command opens.
const bool kHookInstalled = [] {
  CInterfaceSlot::SetPropertiesDialogHook(
      [](CInterfaceSlot& slot) { return CInterfaceSlotDlg::Run(slot, QApplication::activeWindow()); });
  return true;
}();

QString RowName(const char* kind, int row) { return QLatin1String(kind) + Fmt("%d", row); }

}  // namespace

CInterfaceSlotDlg::CInterfaceSlotDlg(CInterfaceSlot& slot, QWidget* parent)
    : CResizableDialog(kTemplateId, parent), m_slot(&slot), m_state(slot) {
  Q_UNUSED(kHookInstalled);
  setWindowTitle(tr("Interface"));

  for (int row = 0; row < InterfaceSlotDlgState::kRows; ++row) {
    m_inputChecks[row] = new QCheckBox(this);
    m_inputChecks[row]->setObjectName(RowName("inputCheck", row));
    m_inputEdits[row] = new QLineEdit(this);
    m_inputEdits[row]->setObjectName(RowName("inputName", row));
    m_outputChecks[row] = new QCheckBox(this);
    m_outputChecks[row]->setObjectName(RowName("outputCheck", row));
    m_outputEdits[row] = new QLineEdit(this);
    m_outputEdits[row]->setObjectName(RowName("outputName", row));
  }
  // The PC port has no name of its own to type: its box says it all.
  m_inputChecks[0]->setText(tr("PC"));
  m_inputEdits[0]->hide();

  auto* inputs = new QGroupBox(tr("Inputs"), this);
  auto* inputGrid = new QGridLayout(inputs);
  const QString inputLabels[InterfaceSlotDlgState::kRows] = {QString(), tr("DCF77"), tr("INP 1"), tr("INP 2")};
  for (int row = 0; row < InterfaceSlotDlgState::kRows; ++row) {
    inputGrid->addWidget(m_inputChecks[row], row, 0);
    if (!inputLabels[row].isEmpty()) {
      auto* label = new QLabel(inputLabels[row], inputs);
      inputGrid->addWidget(label, row, 1);
      // The time signal receiver is attached through the slot's menu only.
      if (row == 1) label->hide();
    }
    inputGrid->addWidget(m_inputEdits[row], row, 2);
  }
  m_inputChecks[1]->hide();
  m_inputEdits[1]->hide();
  inputGrid->setColumnStretch(2, 1);

  auto* outputs = new QGroupBox(tr("Outputs"), this);
  auto* outputGrid = new QGridLayout(outputs);
  const QString outputLabels[InterfaceSlotDlgState::kRows] = {tr("READY"), tr("MONITOR"), tr("REMOTE"), QString()};
  for (int row = 0; row < InterfaceSlotDlgState::kRows; ++row) {
    outputGrid->addWidget(m_outputChecks[row], row, 0);
    if (!outputLabels[row].isEmpty()) outputGrid->addWidget(new QLabel(outputLabels[row], outputs), row, 1);
    outputGrid->addWidget(m_outputEdits[row], row, 2);
  }
  // The remote output cannot be attached yet; the fourth row is spare.
  m_outputChecks[2]->setEnabled(false);
  m_outputChecks[3]->hide();
  m_outputEdits[3]->hide();
  outputGrid->setColumnStretch(2, 1);

  auto* power = new QGroupBox(tr("24V Power Supply"), this);
  auto* powerLayout = new QVBoxLayout(power);
  auto* powerGroup = new QButtonGroup(this);
  m_power[0] = new QRadioButton(tr("RTP3004   (4A)"), power);
  m_power[1] = new QRadioButton(tr("RTP3012   (12A)"), power);
  for (int choice = 0; choice < static_cast<int>(m_power.size()); ++choice) {
    m_power[choice]->setObjectName(RowName("power", choice));
    powerGroup->addButton(m_power[choice], choice);
    powerLayout->addWidget(m_power[choice]);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* groups = new QHBoxLayout;
  groups->addWidget(inputs);
  groups->addWidget(outputs);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addWidget(power);
  layout->addStretch(1);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &CInterfaceSlotDlg::OnOK);
  connect(buttons, &QDialogButtonBox::rejected, this, &CInterfaceSlotDlg::reject);
  for (int row = 0; row < InterfaceSlotDlgState::kRows; ++row) {
    connect(m_inputChecks[row], &QCheckBox::clicked, this,
            [this, row](bool checked) { OnTicked(false, row, checked); });
    connect(m_outputChecks[row], &QCheckBox::clicked, this,
            [this, row](bool checked) { OnTicked(true, row, checked); });
    connect(m_inputEdits[row], &QLineEdit::textEdited, this,
            [this, row](const QString& text) { m_state.SetText(false, row, text); });
    connect(m_outputEdits[row], &QLineEdit::textEdited, this,
            [this, row](const QString& text) { m_state.SetText(true, row, text); });
  }
  connect(powerGroup, &QButtonGroup::idClicked, this, [this](int choice) { m_state.ChoosePower(choice); });

  if (CSelvantisDoc* doc = slot.GetDocument()) {
    connect(doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CInterfaceSlotDlg::OnObjectRemoved);
    connect(doc, &CSelvantisDoc::aboutToClear, this, [this] { OnObjectRemoved(m_slot); });
  }
}

CInterfaceSlot::DialogOutcome CInterfaceSlotDlg::Run(CInterfaceSlot& slot, QWidget* parent) {
  CInterfaceSlotDlg dialog(slot, parent);
  CInterfaceSlot::DialogOutcome outcome;
  outcome.accepted = dialog.DoModal() == IDOK;
  if (outcome.accepted) outcome.createCommand = dialog.GetCommand();
  return outcome;
}

bool CInterfaceSlotDlg::OnInitDialog() {
  if (m_slot == nullptr) return false;
  m_state.Load();
  // Filled with setChecked/setText: neither fires clicked or textEdited.
  for (int row = 0; row < InterfaceSlotDlgState::kRows; ++row) {
    const InterfaceSlotDlgState::Row& input = m_state.Input(row);
    m_inputChecks[row]->setChecked(input.checked);
    m_inputEdits[row]->setText(input.text);
    m_inputEdits[row]->setEnabled(input.checked);
    const InterfaceSlotDlgState::Row& output = m_state.Output(row);
    m_outputChecks[row]->setChecked(output.checked);
    m_outputEdits[row]->setText(output.text);
    m_outputEdits[row]->setEnabled(output.checked);
  }
  const int power = m_state.PowerChoice();
  if (power >= 0 && power < static_cast<int>(m_power.size())) m_power[power]->setChecked(true);
  return CResizableDialog::OnInitDialog();
}

void CInterfaceSlotDlg::OnTicked(bool output, int row, bool checked) {
  m_state.Tick(output, row, checked);
  ShowTickedTerminal(output ? m_outputEdits[row] : m_inputEdits[row],
                     output ? m_state.Output(row).text : m_state.Input(row).text, checked);
  if (!checked && m_slot != nullptr) m_slot->Invalidate();
}

void CInterfaceSlotDlg::OnObjectRemoved(CBaseDevice* object) {
  if (object == nullptr) return;
  if (object == m_slot) {
    m_slot = nullptr;
    if (result() != QDialog::Accepted) reject();
    return;
  }
  m_state.Forget(object);
}

void CInterfaceSlotDlg::OnOK() {
  if (m_slot == nullptr) {
    reject();
    return;
  }
  QDialog::accept();
  m_command = m_state.Apply();
}
