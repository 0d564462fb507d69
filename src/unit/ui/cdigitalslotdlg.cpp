#include "unit/ui/cdigitalslotdlg.h"

#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/devicetype.h"
#include "unit/cdigitalslot.h"
#include "unit/ui/terminaledit.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// The dialog the slot's properties command opens.
const bool kHandlerInstalled = [] {
  CBaseDevice::SetPropertiesHandler(DT_DIGITALSLOT, [](CBaseDevice& device) {
    auto* slot = dynamic_cast<CDigitalSlot*>(&device);
    if (slot == nullptr) return false;
    CDigitalSlotDlg dialog(*slot, QApplication::activeWindow());
    return dialog.DoModal() == IDOK;
  });
  return true;
}();

QString TerminalName(const char* kind, int pin) { return QLatin1String(kind) + Fmt("%d", pin); }

}  // namespace

CDigitalSlotDlg::CDigitalSlotDlg(CDigitalSlot& slot, QWidget* parent)
    : CResizableDialog(kTemplateId, parent), m_slot(&slot), m_state(slot) {
  Q_UNUSED(kHandlerInstalled);
  setWindowTitle(tr("Digital slot"));

  auto* inputs = new QGroupBox(tr("Inputs"), this);
  auto* inputGrid = new QGridLayout(inputs);
  auto* outputs = new QGroupBox(tr("Outputs"), this);
  auto* outputGrid = new QGridLayout(outputs);
  for (int pin = 0; pin < DigitalSlotDlgState::kTerminals; ++pin) {
    m_inputChecks[pin] = new QCheckBox(inputs);
    m_inputChecks[pin]->setObjectName(TerminalName("inputCheck", pin));
    m_inputEdits[pin] = new QLineEdit(inputs);
    m_inputEdits[pin]->setObjectName(TerminalName("inputName", pin));
    inputGrid->addWidget(new QLabel(tr("IN %1").arg(pin + 1), inputs), pin, 0);
    inputGrid->addWidget(m_inputEdits[pin], pin, 1);
    inputGrid->addWidget(m_inputChecks[pin], pin, 2);

    m_outputChecks[pin] = new QCheckBox(outputs);
    m_outputChecks[pin]->setObjectName(TerminalName("outputCheck", pin));
    m_outputEdits[pin] = new QLineEdit(outputs);
    m_outputEdits[pin]->setObjectName(TerminalName("outputName", pin));
    // Output 1 drives the slave clocks.
    const QString label = pin == 0 ? tr("SC") : tr("OUT %1").arg(pin + 1);
    outputGrid->addWidget(new QLabel(label, outputs), pin, 0);
    outputGrid->addWidget(m_outputEdits[pin], pin, 1);
    outputGrid->addWidget(m_outputChecks[pin], pin, 2);
  }
  inputGrid->setColumnStretch(1, 1);
  outputGrid->setColumnStretch(1, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* groups = new QHBoxLayout;
  groups->addWidget(inputs);
  groups->addWidget(outputs);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addStretch(1);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &CDigitalSlotDlg::OnOK);
  connect(buttons, &QDialogButtonBox::rejected, this, &CDigitalSlotDlg::reject);
  for (int pin = 0; pin < DigitalSlotDlgState::kTerminals; ++pin) {
    connect(m_inputChecks[pin], &QCheckBox::clicked, this,
            [this, pin](bool checked) { OnTicked(false, pin, checked); });
    connect(m_outputChecks[pin], &QCheckBox::clicked, this,
            [this, pin](bool checked) { OnTicked(true, pin, checked); });
    connect(m_inputEdits[pin], &QLineEdit::textEdited, this,
            [this, pin](const QString& text) { m_state.SetText(false, pin, text); });
    connect(m_outputEdits[pin], &QLineEdit::textEdited, this,
            [this, pin](const QString& text) { m_state.SetText(true, pin, text); });
  }

  if (CSelvantisDoc* doc = slot.GetDocument()) {
    connect(doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CDigitalSlotDlg::OnObjectRemoved);
    connect(doc, &CSelvantisDoc::aboutToClear, this, [this] { OnObjectRemoved(m_slot); });
  }
}

bool CDigitalSlotDlg::OnInitDialog() {
  if (m_slot == nullptr) return false;
  m_state.Load();
  // Filled with setChecked/setText: neither fires clicked or textEdited.
  for (int pin = 0; pin < DigitalSlotDlgState::kTerminals; ++pin) {
    const DigitalSlotDlgState::Terminal& input = m_state.Input(pin);
    m_inputChecks[pin]->setChecked(input.checked);
    m_inputEdits[pin]->setText(input.text);
    m_inputEdits[pin]->setEnabled(input.checked);
    const DigitalSlotDlgState::Terminal& output = m_state.Output(pin);
    m_outputChecks[pin]->setChecked(output.checked);
    m_outputEdits[pin]->setText(output.text);
    m_outputEdits[pin]->setEnabled(output.checked);
  }
  return CResizableDialog::OnInitDialog();
}

void CDigitalSlotDlg::OnTicked(bool output, int pin, bool checked) {
  m_state.Tick(output, pin, checked);
  ShowTickedTerminal(output ? m_outputEdits[pin] : m_inputEdits[pin],
                     output ? m_state.Output(pin).text : m_state.Input(pin).text, checked);
  if (!checked && m_slot != nullptr) m_slot->Invalidate();
}

void CDigitalSlotDlg::OnObjectRemoved(CBaseDevice* object) {
  if (object == nullptr) return;
  if (object == static_cast<CBaseDevice*>(m_slot)) {
    m_slot = nullptr;
    if (result() != QDialog::Accepted) reject();
    return;
  }
  m_state.Forget(object);
}

void CDigitalSlotDlg::OnOK() {
  if (m_slot == nullptr) {
    reject();
    return;
  }
  QDialog::accept();
  m_state.Apply();
}
