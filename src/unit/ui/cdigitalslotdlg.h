#ifndef SELV_UNIT_UI_CDIGITALSLOTDLG_H
#define SELV_UNIT_UI_CDIGITALSLOTDLG_H

#include "shell/controls/cresizabledialog.h"
#include "unit/ui/digitalslotdlgstate.h"

#include <array>

class CBaseDevice;
class CDigitalSlot;
class QCheckBox;
class QLineEdit;

// "Digital slot": names the eight inputs and eight outputs of the digital
// slot's module in one place, a box and a name per terminal. The decisions
// live in DigitalSlotDlgState; this class maps it to the controls. Nothing
// changes in the project until OK. Should the slot go while the dialog is
// open, the dialog closes as cancelled.
class CDigitalSlotDlg final : public CResizableDialog {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 229;

  explicit CDigitalSlotDlg(CDigitalSlot& slot, QWidget* parent = nullptr);

  const DigitalSlotDlgState& State() const { return m_state; }

  // Closes the dialog and runs the changes.
  void OnOK();
  void accept() override { OnOK(); }

 protected:
  bool OnInitDialog() override;

 private:
  void OnTicked(bool output, int pin, bool checked);
  void OnObjectRemoved(CBaseDevice* object);

  CDigitalSlot* m_slot;
  DigitalSlotDlgState m_state;
  std::array<QCheckBox*, DigitalSlotDlgState::kTerminals> m_inputChecks{};
  std::array<QLineEdit*, DigitalSlotDlgState::kTerminals> m_inputEdits{};
  std::array<QCheckBox*, DigitalSlotDlgState::kTerminals> m_outputChecks{};
  std::array<QLineEdit*, DigitalSlotDlgState::kTerminals> m_outputEdits{};
};

#endif
