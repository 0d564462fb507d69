#ifndef SELV_UNIT_UI_CPOWERSUPPLYDLG_H
#define SELV_UNIT_UI_CPOWERSUPPLYDLG_H

#include "shell/controls/cresizabledialog.h"
#include "unit/ui/powersupplydlgstate.h"

class CAudioInputDevice;
class CBaseDevice;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSlider;
class QTabBar;

// The "Power Supply" dialog: the power supply's signal pads and LCD texts
// and the unit's power management, edited together. The decisions live in
// PowerSupplyDlgState; this class maps its fields to the controls. Nothing
// changes in the project until OK. Should the power supply go while the
// dialog is open, the dialog closes as cancelled.
class CPowerSupplyDlg final : public CResizableDialog {
  Q_OBJECT

 public:
  // The dialog's pictures: mains, the battery with its charger, a battery.
  static constexpr int kMainsPicture = 461;
  static constexpr int kBatteryLargePicture = 463;
  static constexpr int kBatteryPicture = 450;
  static constexpr unsigned kTemplateId = 460;

  CPowerSupplyDlg(CAudioInputDevice& powerSupply, QWidget* parent = nullptr);

  const PowerSupplyDlgState& State() const { return m_state; }
  // Writes every setting and closes the dialog.
  void OnOK();
  void accept() override { OnOK(); }

 protected:
  bool OnInitDialog() override;

 private:
  void FillTabs();
  void ShowRecord();
  void OnTabChanged(int tab);
  void OnBatteryClicked(bool checked);
  void OnObjectRemoved(CBaseDevice* object);

  CAudioInputDevice* m_ps;
  PowerSupplyDlgState m_state;
  bool m_filling = false;
  QComboBox* m_onOffOutput;
  QComboBox* m_failInput;
  QTabBar* m_tabs;
  QComboBox* m_console;
  QLineEdit* m_text;
  QComboBox* m_extInput;
  QCheckBox* m_battery;
  QRadioButton* m_uninterrupted;
  QRadioButton* m_standby;
  QSlider* m_mainsPriority;
  QLineEdit* m_mainsValue;
  QSlider* m_batteryPriority;
  QLineEdit* m_batteryValue;
};

#endif
