#ifndef SELV_EDITORS_MACROS_CERASEMACROVIEW_H
#define SELV_EDITORS_MACROS_CERASEMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class QComboBox;

// Erase message: deletes one of the internal recorder's messages.
class CEraseMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CEraseMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  QComboBox* MessageList() const noexcept { return m_message; }

 private:
  QComboBox* m_message;
};

#endif
