#ifndef SELV_EDITORS_MACROS_CREPEATMACROVIEW_H
#define SELV_EDITORS_MACROS_CREPEATMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class CValueEdit;
class QComboBox;

// Repeat: repeats a macro while a condition holds.
class CRepeatMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CRepeatMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  void CommitPending() override;
  QComboBox* MacroList() const noexcept { return m_macro; }
  QComboBox* ConditionList() const noexcept { return m_condition; }
  CValueEdit* TimeEdit() const noexcept { return m_time; }
  CValueEdit* CountEdit() const noexcept { return m_count; }
  void OnKillfocusTime();
  void OnKillfocusCount();

 private:
  CValueEdit* AddValueRow(const QString& label, const QString& unit);

  QComboBox* m_macro;
  QComboBox* m_condition;
  CValueEdit* m_time;
  CValueEdit* m_count;
};

#endif
