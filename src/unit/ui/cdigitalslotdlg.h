#ifndef SELV_UNIT_UI_CDIGITALSLOTDLG_H
#define SELV_UNIT_UI_CDIGITALSLOTDLG_H

#include "unit/ui/cterminalslotdlg.h"
#include "unit/ui/digitalslotdlgstate.h"

class CDigitalSlot;

// "Digital slot": names the eight inputs and eight outputs of the digital
// slot's module in one place, a box and a name per terminal. The decisions
// live in DigitalSlotDlgState; CTerminalSlotDlg maps it to the controls.
class CDigitalSlotDlg final : public CTerminalSlotDlg {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 229;

  explicit CDigitalSlotDlg(CDigitalSlot& slot, QWidget* parent = nullptr);

  const DigitalSlotDlgState& State() const { return m_state; }

 protected:
  void ApplyChanges() override { m_state.Apply(); }

 private:
  DigitalSlotDlgState m_state;
};

#endif
