#ifndef SELV_TOOLS_UNITSIM_LOGICHANDLERS_H
#define SELV_TOOLS_UNITSIM_LOGICHANDLERS_H

class UnitSimulator;

// Teaches the simulated unit the command families of the control logic and
// the calendar ("/CONDITION", "/TRIGGER", "/LOGICOUT", "/READYINP",
// "/CALENDAR", "/FAULT", "/CLOCK"): the clear tokens, the day programs'
// clear and entry list, the answers of a unit that holds no entry, and the
// status queries.
void RegisterLogicHandlers(UnitSimulator& sim);

#endif
