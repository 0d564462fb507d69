#include "unit/ui/cdigitalslotdlg.h"

#include "model/devicetype.h"
#include "unit/cdigitalslot.h"

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

}  // namespace

CDigitalSlotDlg::CDigitalSlotDlg(CDigitalSlot& slot, QWidget* parent)
    : CTerminalSlotDlg(kTemplateId, slot, m_state, DigitalSlotDlgState::kTerminals, parent), m_state(slot) {
  Q_UNUSED(kHandlerInstalled);
  setWindowTitle(tr("Digital slot"));

  auto* inputs = new QGroupBox(tr("Inputs"), this);
  auto* inputGrid = new QGridLayout(inputs);
  auto* outputs = new QGroupBox(tr("Outputs"), this);
  auto* outputGrid = new QGridLayout(outputs);
  for (int pin = 0; pin < DigitalSlotDlgState::kTerminals; ++pin) {
    inputGrid->addWidget(new QLabel(tr("IN %1").arg(pin + 1), inputs), pin, 0);
    inputGrid->addWidget(Edit(false, pin), pin, 1);
    inputGrid->addWidget(Check(false, pin), pin, 2);
    // Output 1 drives the slave clocks.
    const QString label = pin == 0 ? tr("SC") : tr("OUT %1").arg(pin + 1);
    outputGrid->addWidget(new QLabel(label, outputs), pin, 0);
    outputGrid->addWidget(Edit(true, pin), pin, 1);
    outputGrid->addWidget(Check(true, pin), pin, 2);
  }
  inputGrid->setColumnStretch(1, 1);
  outputGrid->setColumnStretch(1, 1);

  auto* groups = new QHBoxLayout;
  groups->addWidget(inputs);
  groups->addWidget(outputs);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addStretch(1);
  layout->addWidget(CreateButtons());
}
