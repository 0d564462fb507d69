#ifndef SELV_TOOLS_UNITSIM_MACROHANDLERS_H
#define SELV_TOOLS_UNITSIM_MACROHANDLERS_H

class UnitSimulator;

// Teaches the simulated unit the command families of the macros, audio
// signals, event-log masks, virtual controllers and the zone test ("/MACRO",
// "/SIGNAL", "/EVENT/LOG", "/VIRTCTRL", "/SERVICE/ZONETEST"): the macros'
// clear command, and the answers of a unit that holds no such setting.
void RegisterMacroHandlers(UnitSimulator& sim);

#endif
