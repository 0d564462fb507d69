#ifndef SELV_EDITORS_MACROS_CDIGIOMACROVIEW_H
#define SELV_EDITORS_MACROS_CDIGIOMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class QComboBox;
class QLineEdit;

// Digital IO (an ON/OFF pair): switches a logic output, statically or as a
// pulse.
class CDIGIOMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CDIGIOMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  QComboBox* OutputList() const noexcept { return m_output; }
  QLineEdit* TimeEdit() const noexcept { return m_time; }

 private:
  QComboBox* m_output;
  QLineEdit* m_time;
};

#endif
