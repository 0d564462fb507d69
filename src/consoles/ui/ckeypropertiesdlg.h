#pragma once
#include "consoles/ui/cmacrokeytypesdlg.h"

#include <QDialog>
#include <QPointer>

class CConsKey;
class CKeyView;

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;

// The modeless properties of one console key: its function, destination,
// signal or macro and parameters. Every change goes into the key at once
// and is reported to the view. Owns its controls; the key and the view
// belong to others (the view closes this dialog before it goes).
class CKeyPropertiesDlg final : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 367;

  CKeyPropertiesDlg(CKeyView* view, CConsKey* key);

  CConsKey* GetKey() const noexcept { return m_pKey; }
  void ShowKey(CConsKey* key);
  bool IsAllFunctions() const noexcept { return m_bAllFunctions; }
  // The right double click: toggles the all-functions list and reloads.
  void ToggleAllFunctions();

  QListWidget* FunctionList() const { return m_pFunctions; }
  QListWidget* DestinationList() const { return m_pDestinations; }
  QListWidget* SignalList() const { return m_pSignals; }
  QSpinBox* DelaySpin() const { return m_pDelay; }
  QLabel* DelayLabel() const { return m_pDelayLabel; }
  QLabel* PriorityLabel() const { return m_pPriorityLabel; }
  QLabel* StopLabel() const { return m_pStopLabel; }
  QLabel* DestinationLabel() const { return m_pDestinationLabel; }
  QSpinBox* PrioritySpin() const { return m_pPriority; }
  QComboBox* StopCombo() const { return m_pStop; }
  QCheckBox* ProtectedBox() const { return m_pProtected; }
  QCheckBox* PreChimeBox() const { return m_pPreChime; }
  QPushButton* MacroButton() const { return m_pMacroButton; }
  CMacroKeyTypesDlg* GetMacroDialog() const { return m_pMacroDlg.data(); }
  // "Macro activation...": opens the macro key dialog unless it is open.
  void OpenMacroDialog();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void LoadKey();
  void UpdateControls();
  void ShowSignalList(int kind);
  void FillFunctionList();
  // The item the user chose in list; null (and the key's choice shown
  // again) when the list was left without one.
  QListWidgetItem* TakeChoice(QListWidget* list);
  void OnFunctionChosen();
  void OnDestinationChosen();
  void OnSignalChosen();
  void OnDelayEdited(int value);
  void OnPriorityEdited(int value);
  void OnStopChosen(int index);
  void OnProtectedToggled(bool checked);
  void OnPreChimeToggled(bool checked);
  void MarkUsedDestinations(bool bSelection);

  CKeyView* m_pView;
  CConsKey* m_pKey;
  bool m_bAllFunctions = false;
  bool m_bLoading = false;
  bool m_bPlaced = false;
  int m_nShownMask = -1;
  QListWidget* m_pFunctions = nullptr;
  QListWidget* m_pDestinations = nullptr;
  QLabel* m_pDestinationLabel = nullptr;
  QListWidget* m_pSignals = nullptr;
  QLabel* m_pSignalLabel = nullptr;
  QSpinBox* m_pDelay = nullptr;
  QLabel* m_pDelayLabel = nullptr;
  QSpinBox* m_pPriority = nullptr;
  QLabel* m_pPriorityLabel = nullptr;
  QComboBox* m_pStop = nullptr;
  QLabel* m_pStopLabel = nullptr;
  QCheckBox* m_pProtected = nullptr;
  QCheckBox* m_pPreChime = nullptr;
  QPushButton* m_pMacroButton = nullptr;
  QPointer<CMacroKeyTypesDlg> m_pMacroDlg;
};
