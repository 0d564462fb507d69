#ifndef SELV_TOOLS_UNITSIM_ZONEHANDLERS_H
#define SELV_TOOLS_UNITSIM_ZONEHANDLERS_H

class UnitSimulator;

// Teaches the simulated unit its zone settings ("/VMX/ZONE<1..100>/..."),
// the clear commands ("/VMX/CLEAR/ZONE|COLLCALL|LANGRP ALL": only the LAN
// groups' member lists are emptied, see zonehandlers.cpp), the LAN
// groups ("/VMX/LANGRP<1..64>") and the collection calls
// ("/VMX/COLLCALL<1..10>/RELAY|ZONES"): settings are stored as sent (numbers
// kept within the unit's limits), queries of settings never set answer the
// unit's defaults, numbers outside the ranges and unknown keys answer
// "ERROR <path>".
void RegisterZoneHandlers(UnitSimulator& sim);

#endif
