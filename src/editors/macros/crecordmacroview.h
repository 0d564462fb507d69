#ifndef SELV_EDITORS_MACROS_CRECORDMACROVIEW_H
#define SELV_EDITORS_MACROS_CRECORDMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class CMacro;
class CValueEdit;
class QComboBox;

// Record message (an ON/OFF pair): records one of the internal recorder's
// messages from an input.
class CRecordMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CRecordMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;
  // The recording time is taken when its edit loses the focus.
  void CommitPending() override;

  QComboBox* MessageList() const noexcept { return m_message; }
  QComboBox* InputList() const noexcept { return m_input; }
  QComboBox* FormatList() const noexcept { return m_format; }
  CValueEdit* TimeEdit() const noexcept { return m_time; }

 private:
  void OnKillFocusTime();
  void ShowTime(const CMacro& macro);

  QComboBox* m_message;
  QComboBox* m_input;
  QComboBox* m_format;
  CValueEdit* m_time;
};

#endif
