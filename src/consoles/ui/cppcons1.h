#pragma once
#include "consoles/ui/consparamspagestate.h"
#include "shell/controls/cpropertypage.h"

class CConsole;
class CConsProp;
class CSelvantisDoc;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// Page 1 ("Common") of the console property sheet: where the console is
// connected and its parameters that are not keys. The values live in the
// console's layout (CConsProp); the page converts them to and from its
// controls. Owns its controls only.
class CPPCons1 final : public CPropertyPage {
  Q_OBJECT

 public:
  static constexpr unsigned kTemplateId = 197;

  explicit CPPCons1(CSelvantisDoc* doc, QWidget* parent = nullptr);

  // Shows another console (null: none). With bSaveOld the current values go
  // to the old console's layout first; without, they are dropped.
  void SetConsole(CConsole* console, bool bSaveOld);
  CConsole* GetConsole() const noexcept { return m_pConsole; }

  void LoadFromConsole();
  void SaveToConsole();

  bool OnSetActive() override;
  bool OnKillActive() override;
  void OnOK() override;
  bool OnQueryCancel() override;

  void OnGetSwVersion();
  void OnGetOperatingMode();

  // The values the controls show (tests read them).
  const ConsParamsPageState& GetState() const noexcept { return m_state; }

 private:
  void CreateControls();
  // Shows the state's values; user handlers do not run meanwhile.
  void FillControls();
  void ShowOnPriority();
  void OnOnPriorityEdited(const QString& text);
  void OnOnPrioritySpin(int value);
  void OnExtClicked(int ext);
  void RunQuery(ConsParamsPageState::Query query);

  CSelvantisDoc* m_pDoc;
  CConsole* m_pConsole = nullptr;
  ConsParamsPageState m_state;
  bool m_bFilling = false;

  QLineEdit* m_type = nullptr;
  QLineEdit* m_address = nullptr;
  QLineEdit* m_slot = nullptr;
  QLineEdit* m_input = nullptr;
  QLineEdit* m_status = nullptr;
  QPushButton* m_swVersion = nullptr;
  QPushButton* m_opMode = nullptr;
  QCheckBox* m_comp = nullptr;
  QCheckBox* m_buzzer = nullptr;
  QCheckBox* m_german = nullptr;
  QCheckBox* m_dosChar = nullptr;
  QCheckBox* m_preChime = nullptr;
  QRadioButton* m_ext[ConsParamsPageState::kExtCount] = {};
  QLabel* m_extText = nullptr;
  QLabel* m_pttLabel = nullptr;
  QComboBox* m_pttPrio = nullptr;
  QLineEdit* m_shortCode = nullptr;
  QLineEdit* m_longCode = nullptr;
  QLineEdit* m_onPriority = nullptr;
  QSpinBox* m_onSpin = nullptr;
  QCheckBox* m_fault = nullptr;
};
