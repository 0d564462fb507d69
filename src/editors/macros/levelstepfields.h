#ifndef SELV_EDITORS_MACROS_LEVELSTEPFIELDS_H
#define SELV_EDITORS_MACROS_LEVELSTEPFIELDS_H

#include "editors/macros/macrostepfields.h"

#include <QString>
#include <QStringList>

class CBaseDevice;
class CMacro;
class CSelvantisDoc;

// What the output and level step editors (digital IO, AUX switch, volume,
// virtual controller, monitor) show and write, as plain functions.
namespace LevelStepFields {

// Digital IO: "OFF" (0), then the digital slot outputs and the outputs of
// the relay cards, by control-pad ID.
MacroStepFields::Choices DigitalOutputChoices(const CSelvantisDoc* doc);
// The control pad connected at the macro's output pin; null when none.
CBaseDevice* ConnectedOutput(const CMacro& macro);
// Reconnects the output pin of the macro and its partner to the pad with
// that ID (0 or an unknown ID: only disconnects).
void SetDigitalOutput(CMacro& macro, const CSelvantisDoc* doc, int padId);

// AUX switch: "OFF" (0), then the inputs the slots' modules offer, as
// input * 65536 + sub-input.
MacroStepFields::Choices AuxInputChoices(const CSelvantisDoc* doc);
int AuxInputValue(const CMacro& macro);
void SetAuxInput(CMacro& macro, int data);

// Volume: the source texts; the spin range of a mode; the mode switch
// (parameter 11 and the renaming, also of the partner).
QStringList VolumeSources();
std::pair<int, int> VolumeRange(bool controller);
void SetVolumeMode(CMacro& macro, bool controller);
// A name with its trailing "UP"/"DOWN"/"SET" word adjusted for the mode.
QString VolumeName(const QString& name, bool controller, bool on);

// Monitor: "OFF" (0), then the used entries of the monitor table as
// "(%d) %s"; an unused entry only when it is the one selected.
MacroStepFields::Choices MonitorChoices(const CSelvantisDoc* doc, int selectedEntry);
// "Table" (true) or "Direct" for the macro and its partner.
void SetMonitorMode(CMacro& macro, bool table);

// Reads a leading number from a typed text; fallback when there is none.
int ParseInt(const QString& text, int fallback);
double ParseFloat(const QString& text, double fallback);

}  // namespace LevelStepFields

#endif
