#ifndef SELV_EDITORS_MACROS_CBUZZERMACROVIEW_H
#define SELV_EDITORS_MACROS_CBUZZERMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

class QComboBox;
class QLineEdit;

// Buzzer macro: plays a buzzer pattern on one console or on all of them.
class CBuzzerMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CBuzzerMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);

  void OnInitialUpdate() override;

  QComboBox* ConsoleList() const noexcept { return m_console; }
  QLineEdit* PatternEdit() const noexcept { return m_pattern; }
  QLineEdit* PatternTimeEdit() const noexcept { return m_time; }
  QLineEdit* RepeatEdit() const noexcept { return m_repeat; }
  QLineEdit* PauseEdit() const noexcept { return m_pause; }

 private:
  QLineEdit* AddNumberRow(const QString& label, const QString& before, const QString& after, const char* name);

  QComboBox* m_console;
  QLineEdit* m_pattern;
  QLineEdit* m_time;
  QLineEdit* m_repeat;
  QLineEdit* m_pause;
};

#endif
