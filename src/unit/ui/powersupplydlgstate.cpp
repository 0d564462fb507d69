#include "unit/ui/powersupplydlgstate.h"

#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/devicetype.h"
#include "unit/caudioinputdevice.h"
#include "unit/ccontrolpad.h"
#include "unit/cinternalpowermanagement.h"

#include <algorithm>

namespace {

constexpr uint32_t kStrOff = 34235;          // "OFF"
constexpr uint32_t kStrAllConsoles = 34273;  // "All Consoles"
constexpr uint32_t kStrMainsTab = 34292;     // "Power Line"
constexpr uint32_t kStrBatteryTab = 34293;   // "Battery"
constexpr uint32_t kStrStandbyTab = 34294;   // "Standby"

// Default texts per mode (mains, battery, standby).
constexpr uint32_t kStrDefaultText[PowerSupplyDlgState::kModeCount] = {34569, 34570, 34571};

// Power-supply parameters.
constexpr int kParamFailPad = 0;
constexpr int kParamOnOffPad = 1;
constexpr int kParamExtPad = 2;
constexpr int kParamSelectionBase = 3;
constexpr int kParamTextBase = 6;
constexpr int kParamConsoleBase = 9;
constexpr int kParamBattery = 12;
constexpr int kParamFailCondition = 13;

// The first console of the console list.
constexpr int kFirstConsole = 2;

const int kOutputKinds[] = {CControlPad::kKindDigitalOutput, CControlPad::kKindKCM208, CControlPad::kKindKCM209};
const int kInputKinds[] = {CControlPad::kKindDigitalInput, CControlPad::kKindKCM212, CControlPad::kKindInterfaceInput};

template <size_t N>
std::vector<PowerSupplyDlgState::Item> PadList(const CSelvantisDoc* doc, const int (&kinds)[N]) {
  std::vector<PowerSupplyDlgState::Item> items{{LoadString(kStrOff), 0}};
  if (!doc) return items;
  for (int kind : kinds) {
    std::vector<CBaseDevice*> pads;
    doc->GetIDManager().GetBaseDeviceListByKind(pads, DT_CONTROLPAD, kind);
    for (const CBaseDevice* pad : pads) items.push_back({pad->GetName(), pad->GetID()});
  }
  return items;
}

}  // namespace

PowerSupplyDlgState::PowerSupplyDlgState(CAudioInputDevice& powerSupply) : m_ps(powerSupply) {}

int PowerSupplyDlgState::ClampStep(int step) { return std::clamp(step, 0, kStepMax); }

int PowerSupplyDlgState::ValidIndex(int index, const std::vector<Item>& items) {
  return index >= 0 && index < static_cast<int>(items.size()) ? index : 0;
}

int PowerSupplyDlgState::IndexOfId(const std::vector<Item>& items, int id, int from) {
  if (id == 0) return -1;
  for (int i = from; i < static_cast<int>(items.size()); ++i)
    if (items[i].id == id) return i;
  return -1;
}

int PowerSupplyDlgState::IdAt(const std::vector<Item>& items, int index) {
  return index >= 0 && index < static_cast<int>(items.size()) ? items[index].id : 0;
}

QString PowerSupplyDlgState::StepText(int step) { return Fmt("%d", step); }

CInternalPowerManagement* PowerSupplyDlgState::PowerManagement(bool create) const {
  CSelvantisDoc* doc = m_ps.GetDocument();
  if (!doc) return nullptr;
  CInternalPowerManagement* pm = CInternalPowerManagement::Find(doc);
  if (!pm && create) pm = CInternalPowerManagement::EnsureIn(*doc);
  return pm;
}

void PowerSupplyDlgState::Load() {
  for (int mode = 0; mode < kModeCount; ++mode) m_records[mode] = {0, LoadString(kStrDefaultText[mode])};

  const CSelvantisDoc* doc = m_ps.GetDocument();
  m_inputs = PadList(doc, kInputKinds);
  m_outputs = PadList(doc, kOutputKinds);
  m_failInput = std::max(0, IndexOfId(m_inputs, m_ps.GetPowerSupplyParam(kParamFailPad), 1));
  m_extInput = std::max(0, IndexOfId(m_inputs, m_ps.GetPowerSupplyParam(kParamExtPad), 1));
  m_onOffOutput = std::max(0, IndexOfId(m_outputs, m_ps.GetPowerSupplyParam(kParamOnOffPad), 1));

  m_consoles = {{LoadString(kStrOff), 0}, {LoadString(kStrAllConsoles), 0}};
  if (doc) {
    std::vector<CBaseDevice*> consoles;
    doc->GetIDManager().GetBaseDeviceList(consoles, DT_CONSOLE);
    for (const CBaseDevice* console : consoles) m_consoles.push_back({console->GetName(), console->GetID()});
  }
  m_tabs = {kMains, kStandby};
  m_currentTab = 0;

  for (int mode = 0; mode < kModeCount; ++mode) {
    if (m_ps.GetPowerSupplyParam(kParamSelectionBase + mode) == 0) continue;
    LcdText& record = m_records[mode];
    m_ps.GetPowerSupplyText(record.text, kParamTextBase + mode);
    record.text = record.text.left(kTextMax);
    const int consoleId = m_ps.GetPowerSupplyParam(kParamConsoleBase + mode);
    // A console that no longer exists leaves the mode switched off.
    record.console = consoleId == 0 ? 1 : std::max(0, IndexOfId(m_consoles, consoleId, kFirstConsole));
  }

  // Without a power management the defaults of a new one are shown; OK makes one.
  const CInternalPowerManagement* pm = PowerManagement(false);
  m_battery = pm && pm->GetParam(CInternalPowerManagement::P_BATT_AVLBL) != 0;
  if (m_battery) m_tabs.push_back(kBattery);
  m_dropToStandby = pm && pm->GetParam(CInternalPowerManagement::P_DROP_SHUT) != 0;
  const int mainsPrio =
      pm ? pm->GetParam(CInternalPowerManagement::P_MAINS_PRIO) : CInternalPowerManagement::kDefaultMainsPrio;
  const int battPrio =
      pm ? pm->GetParam(CInternalPowerManagement::P_BATT_PRIO) : CInternalPowerManagement::kDefaultBattPrio;
  m_mainsStep = ClampStep(mainsPrio / kStepSize);
  m_batteryStep = ClampStep(battPrio / kStepSize);
}

QStringList PowerSupplyDlgState::TabTexts() const {
  QStringList texts;
  for (Mode mode : m_tabs) {
    texts << LoadString(mode == kMains ? kStrMainsTab : mode == kStandby ? kStrStandbyTab : kStrBatteryTab);
  }
  return texts;
}

void PowerSupplyDlgState::SelectTab(int tab) {
  if (tab >= 0 && tab < static_cast<int>(m_tabs.size())) m_currentTab = tab;
}

void PowerSupplyDlgState::ChooseConsole(int choice, const QString& editText) {
  LcdText& record = m_records[CurrentMode()];
  record.console = ValidIndex(choice, m_consoles);
  record.text = editText.left(kTextMax);
}

void PowerSupplyDlgState::EditText(const QString& text) { m_records[CurrentMode()].text = text.left(kTextMax); }

bool PowerSupplyDlgState::IsDisplayable(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

void PowerSupplyDlgState::SetBattery(bool battery) {
  if (battery == m_battery) return;
  m_battery = battery;
  if (battery) {
    m_tabs.push_back(kBattery);
    return;
  }
  const auto it = std::find(m_tabs.begin(), m_tabs.end(), kBattery);
  if (it == m_tabs.end()) return;
  const int batteryTab = static_cast<int>(it - m_tabs.begin());
  if (m_currentTab == batteryTab) m_currentTab = batteryTab - 1;
  m_tabs.erase(it);
  m_records[kBattery].console = 0;
}

void PowerSupplyDlgState::Apply() {
  m_ps.SetPowerSupplyParam(kParamFailPad, IdAt(m_inputs, m_failInput), 0);
  m_ps.SetPowerSupplyParam(kParamOnOffPad, IdAt(m_outputs, m_onOffOutput), 0);
  m_ps.SetPowerSupplyParam(kParamExtPad, IdAt(m_inputs, m_extInput), 0);

  // A mode switched off keeps its console and text for later.
  for (int mode : {kMains, kBattery, kStandby}) {
    const LcdText& record = m_records[mode];
    m_ps.SetPowerSupplyParam(kParamSelectionBase + mode, record.console, 0);
    if (record.console == 0) continue;
    m_ps.SetPowerSupplyParam(kParamConsoleBase + mode, IdAt(m_consoles, record.console), 0);
    m_ps.SetPowerSupplyText(kParamTextBase + mode, record.text, 0);
  }

  // A project without a power management gets one now: the settings just confirmed would otherwise be lost unsaid.
  if (CInternalPowerManagement* pm = PowerManagement(true)) {
    pm->SetParam(CInternalPowerManagement::P_BATT_AVLBL, m_battery ? 1 : 0);
    pm->SetParam(CInternalPowerManagement::P_MAINS_COND, m_ps.GetPowerSupplyParam(kParamFailCondition));
    pm->SetParam(CInternalPowerManagement::P_DROP_SHUT, m_dropToStandby ? 1 : 0);
  }
  m_ps.SetPowerSupplyParam(kParamBattery, m_battery ? 1 : 0, 0);
  if (CInternalPowerManagement* pm = PowerManagement(false)) {
    pm->SetParam(CInternalPowerManagement::P_BATT_PRIO, m_batteryStep * kStepSize);
    pm->SetParam(CInternalPowerManagement::P_MAINS_PRIO, m_mainsStep * kStepSize);
  }
}
