#ifndef SELV_UNIT_UI_POWERSUPPLYDLGSTATE_H
#define SELV_UNIT_UI_POWERSUPPLYDLGSTATE_H

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class CAudioInputDevice;
class CInternalPowerManagement;

// What the power-supply dialog shows and what its OK writes: the three pad
// choices, the LCD text of each display mode, and the unit's power
// management (battery, behaviour on power failure, priorities). Loads from
// the power supply and the project's power management, holds every change
// until Apply, then writes all of it. Holds identifiers, never objects, so a
// choice cannot outlive its object.
class PowerSupplyDlgState final {
 public:
  // Display modes in the order of the power-supply parameters (selection
  // 3 + mode, text 6 + mode, console 9 + mode).
  enum Mode : int { kMains = 0, kBattery = 1, kStandby = 2 };
  static constexpr int kModeCount = 3;
  // One entry of a drop-down list; id 0 for "OFF" and "All Consoles".
  struct Item {
    QString text;
    int id = 0;
  };
  // The LCD text of one mode: console choice (0 "OFF", 1 "All Consoles",
  // 2.. a console) and text.
  struct LcdText {
    int console = 0;
    QString text;
  };
  // The console shows one line of this many characters; the text macro cuts
  // anything longer, so the edit takes no more.
  static constexpr int kTextMax = 16;
  // The sliders step the priorities in tens, 0 to 100.
  static constexpr int kStepMax = 10;
  static constexpr int kStepSize = 10;

  explicit PowerSupplyDlgState(CAudioInputDevice& powerSupply);
  PowerSupplyDlgState(const PowerSupplyDlgState&) = delete;
  PowerSupplyDlgState& operator=(const PowerSupplyDlgState&) = delete;

  // Fills everything from the power supply and the power management.
  void Load();
  // Writes every setting, changed or not.
  void Apply();

  // "OFF", then the digital slot outputs and the KCM208/KCM209 relays.
  const std::vector<Item>& Outputs() const { return m_outputs; }
  // "OFF", then the digital slot inputs, KCM212 inputs and interface inputs.
  const std::vector<Item>& Inputs() const { return m_inputs; }
  // "OFF", "All Consoles", then the consoles.
  const std::vector<Item>& Consoles() const { return m_consoles; }

  int FailInput() const { return m_failInput; }
  int OnOffOutput() const { return m_onOffOutput; }
  int ExtInput() const { return m_extInput; }
  // Out-of-range indexes select "OFF".
  void SetFailInput(int index) { m_failInput = ValidIndex(index, m_inputs); }
  void SetOnOffOutput(int index) { m_onOffOutput = ValidIndex(index, m_outputs); }
  void SetExtInput(int index) { m_extInput = ValidIndex(index, m_inputs); }

  // Tabs in order: mains, standby, and battery while a battery is present.
  const std::vector<Mode>& Tabs() const { return m_tabs; }
  QStringList TabTexts() const;
  int CurrentTab() const { return m_currentTab; }
  Mode CurrentMode() const { return m_tabs[m_currentTab]; }
  void SelectTab(int tab);
  // The record the edit and the console list show.
  const LcdText& Shown() const { return m_records[CurrentMode()]; }
  const LcdText& Record(Mode mode) const { return m_records[mode]; }
  // The console list changed: the shown record takes the choice and the
  // edit's text.
  void ChooseConsole(int choice, const QString& editText);
  // The edit changed: the shown record takes the text, cut to kTextMax.
  void EditText(const QString& text);
  // The console shows 8-bit characters only: what the edit accepts.
  static bool IsDisplayable(const QString& text);

  bool Battery() const { return m_battery; }
  // Adds or removes the battery tab; without a battery the battery text is
  // switched off.
  void SetBattery(bool battery);
  // The behaviour radios only mean something with a battery.
  bool BehaviourEnabled() const { return m_battery; }
  bool DropToStandby() const { return m_dropToStandby; }
  void SetDropToStandby(bool drop) { m_dropToStandby = drop; }

  int MainsStep() const { return m_mainsStep; }
  int BatteryStep() const { return m_batteryStep; }
  void SetMainsStep(int step) { m_mainsStep = ClampStep(step); }
  void SetBatteryStep(int step) { m_batteryStep = ClampStep(step); }
  // What the read-only edit beside a slider shows.
  static QString StepText(int step);

 private:
  static int ClampStep(int step);
  static int ValidIndex(int index, const std::vector<Item>& items);
  static int IndexOfId(const std::vector<Item>& items, int id, int from);
  static int IdAt(const std::vector<Item>& items, int index);
  CInternalPowerManagement* PowerManagement(bool create) const;

  CAudioInputDevice& m_ps;
  std::vector<Item> m_outputs;
  std::vector<Item> m_inputs;
  std::vector<Item> m_consoles;
  int m_failInput = 0;
  int m_onOffOutput = 0;
  int m_extInput = 0;
  std::array<LcdText, kModeCount> m_records;
  std::vector<Mode> m_tabs{kMains, kStandby};
  int m_currentTab = 0;
  bool m_battery = false;
  bool m_dropToStandby = false;
  int m_mainsStep = 0;
  int m_batteryStep = 0;
};

#endif
