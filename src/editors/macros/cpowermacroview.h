#ifndef SELV_EDITORS_MACROS_CPOWERMACROVIEW_H
#define SELV_EDITORS_MACROS_CPOWERMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class QComboBox;

// Operating voltage (an ON/OFF pair): switches the system on or off; edits
// the priority and the macros run at power-on and power-off (kept hidden).
class CPowerMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CPowerMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  QComboBox* PriorityList() const noexcept { return m_priority; }
  QComboBox* PowerOnList() const noexcept { return m_powerOn; }
  QComboBox* PowerOffList() const noexcept { return m_powerOff; }

 private:
  void Write(QComboBox* combo, int param, int index);

  QComboBox* m_priority;
  QWidget* m_hidden;
  QComboBox* m_powerOn;
  QComboBox* m_powerOff;
};

#endif
