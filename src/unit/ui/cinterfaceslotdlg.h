#ifndef SELV_UNIT_UI_CINTERFACESLOTDLG_H
#define SELV_UNIT_UI_CINTERFACESLOTDLG_H

#include "shell/controls/cresizabledialog.h"
#include "unit/cinterfaceslot.h"
#include "unit/ui/interfaceslotdlgstate.h"

#include <array>

class CBaseDevice;
class QCheckBox;
class QLineEdit;
class QRadioButton;

// The interface slot's properties ("Interface"): a box and a name per
// connector, and the model of the 24 V power supply. The decisions live in
// InterfaceSlotDlgState; this class maps it to the controls. Nothing changes
// in the project until OK. Should the slot go while the dialog is open, the
// dialog closes as cancelled.
class CInterfaceSlotDlg final : public CResizableDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 235;

  explicit CInterfaceSlotDlg(CInterfaceSlot& slot, QWidget* parent = nullptr);

  const InterfaceSlotDlgState& State() const { return m_state; }
  // The power supply the slot is to create once the dialog has closed
  // (33100 or 33101), 0 for none. Set by OK.
  int GetCommand() const noexcept { return m_command; }
  // Runs the dialog modally on the slot: what the slot acts on afterwards.
  static CInterfaceSlot::DialogOutcome Run(CInterfaceSlot& slot, QWidget* parent);

  // Closes the dialog and runs the changes.
  void OnOK();
  void accept() override { OnOK(); }

 protected:
  bool OnInitDialog() override;

 private:
  void OnTicked(bool output, int row, bool checked);
  void OnObjectRemoved(CBaseDevice* object);

  CInterfaceSlot* m_slot;
  InterfaceSlotDlgState m_state;
  int m_command = 0;
  std::array<QCheckBox*, InterfaceSlotDlgState::kRows> m_inputChecks{};
  std::array<QLineEdit*, InterfaceSlotDlgState::kRows> m_inputEdits{};
  std::array<QCheckBox*, InterfaceSlotDlgState::kRows> m_outputChecks{};
  std::array<QLineEdit*, InterfaceSlotDlgState::kRows> m_outputEdits{};
  std::array<QRadioButton*, 2> m_power{};
};

#endif
