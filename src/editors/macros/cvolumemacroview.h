#ifndef SELV_EDITORS_MACROS_CVOLUMEMACROVIEW_H
#define SELV_EDITORS_MACROS_CVOLUMEMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

// Volume Control (an UP/DOWN pair): sets a volume or steps it.
class CVolumeMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CVolumeMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  QComboBox* SourceList() const noexcept { return m_source; }
  QRadioButton* ControllerButton() const noexcept { return m_controller; }
  QRadioButton* DirectButton() const noexcept { return m_direct; }
  QLineEdit* ValueEdit() const noexcept { return m_value; }
  QSpinBox* Spin() const noexcept { return m_spin; }

 private:
  void OnModeClicked();

  QComboBox* m_source;
  QRadioButton* m_controller;
  QRadioButton* m_direct;
  QLineEdit* m_value;
  QSpinBox* m_spin;
};

#endif
