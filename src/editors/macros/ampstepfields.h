#ifndef SELV_EDITORS_MACROS_AMPSTEPFIELDS_H
#define SELV_EDITORS_MACROS_AMPSTEPFIELDS_H

#include <QString>

class CMacro;

// What the amplifier step editors decide, as plain functions the editors
// and tests call.
namespace AmpStepFields {

enum AmpOption : int { kMainPower = 1, kBattery = 2, kPilotTone = 4, kFaultReset = 8 };

// Sets or clears one option bit of parameter 61 (activation) or 62
// (switch-off). An option cannot be both: checking main power, battery or
// pilot tone in one column clears the same bit in the other. The
// switch-off column has no fault reset.
void SetOption(CMacro& macro, int param, int bit, bool checked);
bool HasOption(const CMacro& macro, int param, int bit);

// The amplifier list the selection of the editor edits: parameter 59 for
// amplifier supply, 58 (channels) for amplifier mute.
int SelectionParam(const CMacro& macro);
// The selection dialog's kind for the editor: 34376 or 34488.
unsigned SelectionKind(const CMacro& macro);

}  // namespace AmpStepFields

#endif
