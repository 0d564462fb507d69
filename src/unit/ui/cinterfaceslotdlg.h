#ifndef SELV_UNIT_UI_CINTERFACESLOTDLG_H
#define SELV_UNIT_UI_CINTERFACESLOTDLG_H

#include "unit/cinterfaceslot.h"
#include "unit/ui/cterminalslotdlg.h"
#include "unit/ui/interfaceslotdlgstate.h"

#include <array>

class QRadioButton;

// The interface slot's properties ("Interface"): a box and a name per
// connector, and the model of the 24 V power supply. The decisions live in
// InterfaceSlotDlgState; CTerminalSlotDlg maps the connectors to the
// controls.
class CInterfaceSlotDlg final : public CTerminalSlotDlg {
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

 protected:
  void FillOthers() override;
  void ApplyChanges() override { m_command = m_state.Apply(); }

 private:
  InterfaceSlotDlgState m_state;
  int m_command = 0;
  std::array<QRadioButton*, 2> m_power{};
};

#endif
