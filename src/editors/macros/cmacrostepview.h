#ifndef SELV_EDITORS_MACROS_CMACROSTEPVIEW_H
#define SELV_EDITORS_MACROS_CMACROSTEPVIEW_H

#include "editors/macros/macrostepfields.h"

#include <QWidget>

#include <functional>

class CMacro;
class CMacroDlgFrm;
class CSelvantisDoc;
class QComboBox;
class QGroupBox;
class QLabel;
class QVBoxLayout;

// The base of every step editor in the right pane of the macro list: the
// "Function" box with its description and the "Parameter" box with the
// editing controls. An editor keeps no macro pointer and no copy of its
// values: every handler asks the frame for the current macro again and
// writes the change at once.
class CMacroStepView : public QWidget {
  Q_OBJECT

 public:
  CMacroStepView(CMacroDlgFrm* frame, const QString& description, QWidget* parent = nullptr);
  ~CMacroStepView() override;

  // Fills the controls from the current macro (choice lists even when no
  // macro is selected).
  virtual void OnInitialUpdate() {}
  // Stores what a field keeps until it loses focus; the frame calls it
  // before it replaces the editor.
  virtual void CommitPending() {}

  CMacroDlgFrm* Frame() const noexcept { return m_frame; }
  QGroupBox* ParameterBox() const noexcept { return m_parameters; }
  QVBoxLayout* ParameterLayout() const noexcept { return m_parameterLayout; }

 protected:
  CMacro* CurrentMacro() const;
  CSelvantisDoc* Document() const;
  // Asks the frame to refill the list and rebuild this editor once the
  // current handler has returned; nothing of this editor may be used after.
  void RequestRefresh();

  // A drop-down list filled with choices and showing index (signals
  // blocked while filling; the value is committed on activated only).
  static void FillChoices(QComboBox* combo, const MacroStepFields::Choices& choices, int index);
  // A labelled drop-down list in the parameter box.
  QComboBox* AddChoiceRow(const QString& label, QWidget* owner = nullptr);
  // The two bordered pair rows (1330 / 1331).
  void AddPairRows(const QString& onLabel, const QString& offLabel);
  void ShowPairRows(const CMacro& macro);
  QLabel* OnRow() const noexcept { return m_onRow; }
  QLabel* OffRow() const noexcept { return m_offRow; }

 private:
  CMacroDlgFrm* m_frame;
  QGroupBox* m_parameters;
  QVBoxLayout* m_parameterLayout;
  QLabel* m_onRow = nullptr;
  QLabel* m_offRow = nullptr;
};

// The step editors by class name. Each editor registers itself from its own
// source file, so the frame never names them:
//
//   SELV_REGISTER_MACRO_STEP_VIEW(CAlarmMacroView)
//
// where the class has a constructor (CMacroDlgFrm*, QWidget* parent).
class CMacroStepViewRegistry final {
 public:
  using Factory = std::function<CMacroStepView*(CMacroDlgFrm* frame, QWidget* parent)>;
  static bool Register(const char* className, Factory factory);
  // Null when no editor of that name is registered.
  static CMacroStepView* Create(const char* className, CMacroDlgFrm* frame, QWidget* parent);
  static bool Has(const char* className);
};

#define SELV_REGISTER_MACRO_STEP_VIEW(cls)                                                                   \
  namespace {                                                                                                \
  const bool cls##_stepViewRegistered = CMacroStepViewRegistry::Register(                                    \
      #cls, [](CMacroDlgFrm* frame, QWidget* parent) -> CMacroStepView* { return new cls(frame, parent); }); \
  }

#endif
