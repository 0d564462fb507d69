#ifndef SELV_EDITORS_MACROS_CLCDTEXTMACROVIEW_H
#define SELV_EDITORS_MACROS_CLCDTEXTMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

// Display text on LCD: writes a line of text on one console's display or on
// all of them.
class CLCDTextMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CLCDTextMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;

  QComboBox* ConsoleList() const noexcept { return m_console; }
  QLineEdit* DurationEdit() const noexcept { return m_duration; }
  QRadioButton* Line1() const noexcept { return m_line1; }
  QRadioButton* Line2() const noexcept { return m_line2; }
  QLineEdit* TextEdit() const noexcept { return m_text; }
  QCheckBox* ClearOtherLine() const noexcept { return m_clear; }
  QCheckBox* BuzzerOnNewText() const noexcept { return m_buzzer; }

 private:
  // Checks the button of line (neither for another value) without storing.
  void ShowLine(int line);

  QComboBox* m_console;
  QLineEdit* m_duration;
  QRadioButton* m_line1;
  QRadioButton* m_line2;
  QButtonGroup* m_lines = nullptr;
  QLineEdit* m_text;
  QCheckBox* m_clear;
  QCheckBox* m_buzzer;
};

#endif
