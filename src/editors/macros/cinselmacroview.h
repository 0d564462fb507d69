#ifndef SELV_EDITORS_MACROS_CINSELMACROVIEW_H
#define SELV_EDITORS_MACROS_CINSELMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class QComboBox;

// AUX Switch: selects an auxiliary input.
class CInselMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CInselMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  QComboBox* InputList() const noexcept { return m_input; }

 private:
  QComboBox* m_input;
};

#endif
