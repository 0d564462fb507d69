#ifndef SELV_TOOLS_UNITSIM_EVERYFAMILY_H
#define SELV_TOOLS_UNITSIM_EVERYFAMILY_H

class UnitSimulator;

// Teaches the simulated unit every family of commands that the transfers
// use: consoles, logic, macros, modules, monitor, zones.
void RegisterTransferFamilies(UnitSimulator& sim);

// The transfer families, and the identity of a unit whose operating system
// knows every clear command of the transfers ("/SERVICE/DEVID" 10336,
// "/SERVICE/VER" V0.8).
void RegisterEveryFamily(UnitSimulator& sim);

#endif
