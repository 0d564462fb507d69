#ifndef SELV_TOOLS_UNITSIM_CONSOLEHANDLERS_H
#define SELV_TOOLS_UNITSIM_CONSOLEHANDLERS_H

#include <QString>

class UnitSimulator;

// Teaches the simulated unit its call-station consoles
// ("/CONS/ADR<1..16>/<key>") and the reference list ("/CONS/REFERENCE"):
// settings are stored as sent when the unit would take them, queries of
// settings never set answer the unit's defaults, unknown keys and
// addresses answer "ERROR <path>". A console marked absent
// (SetConsoleConnected) answers every line with "CONSOLE NOT CONNECTED".
void RegisterConsoleHandlers(UnitSimulator& sim);
// Marks console address as connected (the default) or not.
void SetConsoleConnected(UnitSimulator& sim, int address, bool connected);

#endif
