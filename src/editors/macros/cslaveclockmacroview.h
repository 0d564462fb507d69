#ifndef SELV_EDITORS_MACROS_CSLAVECLOCKMACROVIEW_H
#define SELV_EDITORS_MACROS_CSLAVECLOCKMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class QPushButton;
class QTimeEdit;

// Slave clocks: starts, stops or sets the slave clocks.
class CSlaveClockMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CSlaveClockMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  QPushButton* Button(int choice) const { return m_buttons[choice]; }
  QTimeEdit* TimePicker() const noexcept { return m_time; }

 private:
  QPushButton* m_buttons[3];
  QTimeEdit* m_time;
};

#endif
