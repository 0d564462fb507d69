#ifndef SELV_EDITORS_MACROS_CVIRTCTRLMACROVIEW_H
#define SELV_EDITORS_MACROS_CVIRTCTRLMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class CValueEdit;
class QComboBox;

// Virtual controller (an UP/DOWN pair): sets or steps a virtual-controller
// item.
class CVirtCtrlMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CVirtCtrlMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  void CommitPending() override;
  QComboBox* ItemList() const noexcept { return m_item; }
  CValueEdit* StepsEdit() const noexcept { return m_steps; }
  CValueEdit* ValueEdit() const noexcept { return m_value; }
  CValueEdit* TextEdit() const noexcept { return m_text; }
  CValueEdit* UnitEdit() const noexcept { return m_unit; }
  CValueEdit* DigitsEdit() const noexcept { return m_digits; }
  void OnKillfocusSteps();
  void OnKillfocusDigits();
  void OnKillfocusValue();
  void OnKillfocusText(int param);

 private:
  CValueEdit* AddValueRow(const QString& label, const QString& note = QString());
  void CommitInt(CValueEdit* edit, int param);

  QComboBox* m_item;
  CValueEdit* m_steps;
  CValueEdit* m_value;
  CValueEdit* m_text;
  CValueEdit* m_unit;
  CValueEdit* m_digits;
};

#endif
