#include "editors/macros/ampstepfields.h"

#include "macros/cmacro.h"

namespace AmpStepFields {

namespace {

constexpr unsigned kStrAmpConfiguration = 34376;
constexpr unsigned kStrAmpChannels = 34488;
constexpr int kSwitchOffMask = kMainPower | kBattery | kPilotTone;

void Write(CMacro& macro, int param, int bit, bool set) {
  const int value = macro.GetParam(param);
  macro.SetParam(param, set ? (value | bit) : (value & ~bit));
}

}  // namespace

void SetOption(CMacro& macro, int param, int bit, bool checked) {
  if (param != CMacro::P_AMP_ON && param != CMacro::P_AMP_OFF) return;
  const int allowed = param == CMacro::P_AMP_ON ? (kSwitchOffMask | kFaultReset) : kSwitchOffMask;
  // Exactly one option of the column.
  if (bit <= 0 || (bit & (bit - 1)) != 0 || (bit & allowed) != bit) return;
  Write(macro, param, bit, checked);
  const int other = param == CMacro::P_AMP_ON ? CMacro::P_AMP_OFF : CMacro::P_AMP_ON;
  if (checked && (bit & kSwitchOffMask) == bit) Write(macro, other, bit, false);
}

bool HasOption(const CMacro& macro, int param, int bit) { return (macro.GetParam(param) & bit) != 0; }

// One parameter for both showing and choosing: the supply editor shows the
// amplifier list it stores and the unit gets (59), not the mute editor's
// channel list (58), which a supply macro never sets; showing 58 there would
// leave the field empty or stale after every choice.
int SelectionParam(const CMacro& macro) {
  return macro.GetParam(CMacro::P_KIND) == CMacro::kKindAmpMute ? CMacro::P_AMP_CHANNELS : CMacro::P_AMPS;
}

unsigned SelectionKind(const CMacro& macro) {
  return macro.GetParam(CMacro::P_KIND) == CMacro::kKindAmpMute ? kStrAmpChannels : kStrAmpConfiguration;
}

}  // namespace AmpStepFields
