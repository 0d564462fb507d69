#ifndef SELV_EDITORS_MACROS_CMONITORMACROVIEW_H
#define SELV_EDITORS_MACROS_CMONITORMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class QComboBox;
class QRadioButton;

// Monitor (an UP/DOWN pair): steps through the monitor table or selects an
// entry of it.
class CMonitorMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CMonitorMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  QRadioButton* TableButton() const noexcept { return m_table; }
  QRadioButton* DirectButton() const noexcept { return m_direct; }
  QComboBox* EntryList() const noexcept { return m_entry; }

 private:
  QRadioButton* m_table;
  QRadioButton* m_direct;
  QComboBox* m_entry;
};

#endif
