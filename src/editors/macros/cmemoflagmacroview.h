#ifndef SELV_EDITORS_MACROS_CMEMOFLAGMACROVIEW_H
#define SELV_EDITORS_MACROS_CMEMOFLAGMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class QComboBox;
class QRadioButton;

// Memo Flag: sets or resets a memo flag.
class CMemoFlagMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CMemoFlagMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  QComboBox* FlagList() const noexcept { return m_flag; }
  QRadioButton* TrueButton() const noexcept { return m_true; }
  QRadioButton* FalseButton() const noexcept { return m_false; }

 private:
  QComboBox* m_flag;
  QRadioButton* m_true;
  QRadioButton* m_false;
};

#endif
