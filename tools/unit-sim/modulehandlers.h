#ifndef SELV_TOOLS_UNITSIM_MODULEHANDLERS_H
#define SELV_TOOLS_UNITSIM_MODULEHANDLERS_H

class UnitSimulator;

// Teaches the simulated unit its internal modules ("/FUSE", "/AUDIO",
// "/PILOT", "/POWER", "/RECORDER"): the answers of a factory-fresh unit to
// their queries, the fuse node's relative path "/FUSE/../EVENT/...", the
// fuse ratings the unit accepts (0..3, else "ERROR <path>"), and the
// recorder's and power supply's state queries, and the hardware scan's
// queries ("/SLOT<n>/MODULE", "/AMP/AVLBL", "/KCM/AVLBL", "/CONS/CONNECTED";
// "NONE" until a test sets a value).
void RegisterModuleHandlers(UnitSimulator& sim);

#endif
