#ifndef SELV_EDITORS_MACROS_CSTOPMACROVIEW_H
#define SELV_EDITORS_MACROS_CSTOPMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class QComboBox;

// Stop macro: stops every macro of lower priority; edits the priority.
class CStopMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CStopMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  QComboBox* PriorityList() const noexcept { return m_priority; }

 private:
  void OnSelchangePriority(int index);

  QComboBox* m_priority;
};

#endif
