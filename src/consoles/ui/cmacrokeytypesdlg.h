#pragma once
#include <QDialog>
#include <QString>

#include <vector>

class CConsKey;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

// The modeless "Macro key activation types" dialog of a macro key: how the
// key starts its macros (macro A is chosen in the key properties dialog).
// Each change goes into the key at once (CMacroKeyTypesLogic) and is told
// to the owner with MacroTypeChanged; closing tells the owner with
// MacroDlgNotify, and the owner deletes the dialog. Owns its widgets only.
class CMacroKeyTypesDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kTemplateId = 300;
  enum ControlId : int {
    IDC_DESCRIPTION = 1303,
    IDC_ACTIVITY = 1304,
    IDC_MACRO_B = 1305,
    IDC_MACRO_B_GROUP = 1309,
    IDC_RATE_GROUP = 1306,
    IDC_RATE = 1006,
    IDC_RADIO_GROUP = 1307,
    IDC_RADIO = 1215,
  };
  // An entry of the owner's macro list.
  struct MacroEntry {
    QString text;
    int id = 0;
  };

  // key: the macro key (not owned; the owner keeps it alive while the
  // dialog exists). macros: the owner's macro list, copied.
  CMacroKeyTypesDlg(QWidget* owner, CConsKey* key, const std::vector<MacroEntry>& macros);

  // Another macro key: refreshes and takes the focus.
  void SetKey(CConsKey* key);
  // Loads the controls from the key.
  void Refresh();

  CConsKey* GetKey() const noexcept { return m_pKey; }
  int GetActivity() const noexcept { return m_nActivity; }
  QComboBox* ActivityCombo() const noexcept { return m_activity; }
  QComboBox* MacroBCombo() const noexcept { return m_macroB; }
  QSpinBox* RateSpin() const noexcept { return m_rate; }
  QSpinBox* RadioSpin() const noexcept { return m_radio; }
  QGroupBox* MacroBGroup() const noexcept { return m_macroBGroup; }
  QGroupBox* RateGroup() const noexcept { return m_rateGroup; }
  QGroupBox* RadioGroup() const noexcept { return m_radioGroup; }
  QLineEdit* DescriptionEdit() const noexcept { return m_description; }

 signals:
  // After each change, with the activity type index (0 after a step of the
  // repeat rate or radio number).
  void MacroTypeChanged(int index);
  // The dialog was closed (Close or the window's close); carries 300.
  void MacroDlgNotify(int templateId);

 protected:
  void done(int result) override;

 private:
  void OnActivityActivated(int index);
  void OnMacroBActivated(int index);
  void OnRateChanged(int value);
  void OnRadioChanged(int value);
  int SelectedMacroB() const;

  CConsKey* m_pKey = nullptr;
  int m_nActivity = 0;
  int m_nRate = 1;
  int m_nRadio = 1;
  QLineEdit* m_description = nullptr;
  QComboBox* m_activity = nullptr;
  QGroupBox* m_macroBGroup = nullptr;
  QComboBox* m_macroB = nullptr;
  QGroupBox* m_rateGroup = nullptr;
  QSpinBox* m_rate = nullptr;
  QGroupBox* m_radioGroup = nullptr;
  QSpinBox* m_radio = nullptr;
};
