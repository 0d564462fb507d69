#ifndef SELV_UNIT_POWERSUPPLYLOGIC_H
#define SELV_UNIT_POWERSUPPLYLOGIC_H

#include <functional>

class CAudioInputDevice;

// How a power supply (CAudioInputDevice of kind RTP3004/RTP3012) keeps its
// settings: as auxiliary objects of the project linked to input pins of the
// power supply (each from the object's output pin 0), plus four flags kept
// as input values.
namespace PowerSupplyLogic {

// Linked objects.
constexpr int kPinFailCondition = 100;  // condition "PS Power failure": input condition on the pad of parameter 0
constexpr int kPinOnOffOutput = 101;    // logic output "PS Power ON/OFF": switches the pad of parameter 1
constexpr int kPinExtCondition = 102;   // condition "PS External ON/OFF": input condition on the pad of parameter 2
constexpr int kPinMainsText = 103;      // LCD-text macros of mains, battery and standby mode
constexpr int kPinBatteryText = 104;
constexpr int kPinStandbyText = 105;
constexpr int kPinModeTrigger =
    106;  // trigger "PS Power mode": power failure -> battery/standby text, back -> mains text
constexpr int kPinExtTrigger = 107;  // trigger "PS External ON/OFF": external signal -> system ON / OFF macros
constexpr int kPinSystemOn = 108;    // the project's "Operating voltage" ON and OFF macros
constexpr int kPinSystemOff = 109;
// Input values: the text selections of parameters 3, 4, 5 and the battery
// flag of parameter 12.
constexpr int kValueSelectionBase = 200;  // + parameter index 3..5
constexpr int kValueBattery = 212;

// The power-supply dialog lives in the widget library, which installs it
// here; without one ShowPowerSupplyDialog does nothing. Returns the previous
// hook.
using DialogHook = std::function<void(CAudioInputDevice& powerSupply)>;
DialogHook SetDialogHook(DialogHook hook);

}  // namespace PowerSupplyLogic

#endif
