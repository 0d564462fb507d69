#include "unit/ui/cinterfaceslotdlg.h"

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

}  // namespace

CInterfaceSlotDlg::CInterfaceSlotDlg(CInterfaceSlot& slot, QWidget* parent)
    : CTerminalSlotDlg(kTemplateId, slot, m_state, InterfaceSlotDlgState::kRows, parent), m_state(slot) {
  Q_UNUSED(kHookInstalled);
  setWindowTitle(tr("Interface"));

  // The PC port has no name of its own to type: its box says it all.
  Check(false, 0)->setText(tr("PC"));
  Edit(false, 0)->hide();

  auto* inputs = new QGroupBox(tr("Inputs"), this);
  auto* inputGrid = new QGridLayout(inputs);
  const QString inputLabels[InterfaceSlotDlgState::kRows] = {QString(), tr("DCF77"), tr("INP 1"), tr("INP 2")};
  for (int row = 0; row < InterfaceSlotDlgState::kRows; ++row) {
    inputGrid->addWidget(Check(false, row), row, 0);
    if (!inputLabels[row].isEmpty()) {
      auto* label = new QLabel(inputLabels[row], inputs);
      inputGrid->addWidget(label, row, 1);
      // The time signal receiver is attached through the slot's menu only.
      if (row == 1) label->hide();
    }
    inputGrid->addWidget(Edit(false, row), row, 2);
  }
  Check(false, 1)->hide();
  Edit(false, 1)->hide();
  inputGrid->setColumnStretch(2, 1);

  auto* outputs = new QGroupBox(tr("Outputs"), this);
  auto* outputGrid = new QGridLayout(outputs);
  const QString outputLabels[InterfaceSlotDlgState::kRows] = {tr("READY"), tr("MONITOR"), tr("REMOTE"), QString()};
  for (int row = 0; row < InterfaceSlotDlgState::kRows; ++row) {
    outputGrid->addWidget(Check(true, row), row, 0);
    if (!outputLabels[row].isEmpty()) outputGrid->addWidget(new QLabel(outputLabels[row], outputs), row, 1);
    outputGrid->addWidget(Edit(true, row), row, 2);
  }
  // The remote output cannot be attached yet; the fourth row is spare.
  Check(true, 2)->setEnabled(false);
  Check(true, 3)->hide();
  Edit(true, 3)->hide();
  outputGrid->setColumnStretch(2, 1);

  auto* power = new QGroupBox(tr("24V Power Supply"), this);
  auto* powerLayout = new QVBoxLayout(power);
  auto* powerGroup = new QButtonGroup(this);
  m_power[0] = new QRadioButton(tr("RTP3004   (4A)"), power);
  m_power[1] = new QRadioButton(tr("RTP3012   (12A)"), power);
  for (int choice = 0; choice < static_cast<int>(m_power.size()); ++choice) {
    m_power[choice]->setObjectName(ChildName("power", choice));
    powerGroup->addButton(m_power[choice], choice);
    powerLayout->addWidget(m_power[choice]);
  }
  connect(powerGroup, &QButtonGroup::idClicked, this, [this](int choice) { m_state.ChoosePower(choice); });

  auto* groups = new QHBoxLayout;
  groups->addWidget(inputs);
  groups->addWidget(outputs);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addWidget(power);
  layout->addStretch(1);
  layout->addWidget(CreateButtons());
}

CInterfaceSlot::DialogOutcome CInterfaceSlotDlg::Run(CInterfaceSlot& slot, QWidget* parent) {
  CInterfaceSlotDlg dialog(slot, parent);
  CInterfaceSlot::DialogOutcome outcome;
  outcome.accepted = dialog.DoModal() == IDOK;
  if (outcome.accepted) outcome.createCommand = dialog.GetCommand();
  return outcome;
}

void CInterfaceSlotDlg::FillOthers() {
  const int power = m_state.PowerChoice();
  if (power >= 0 && power < static_cast<int>(m_power.size())) m_power[power]->setChecked(true);
}
