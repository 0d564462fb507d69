#ifndef SELV_TOOLS_UNITSIM_MONITORHANDLERS_H
#define SELV_TOOLS_UNITSIM_MONITORHANDLERS_H

class UnitSimulator;

// Teaches the simulated unit its monitor table ("/MONI/TABLE<1..250>/SEL,
// /IDX, /AMPCHAN", "/MONI/RELAY<1..80>") and its backup amplifiers
// ("/SPAREAMP/ENTRY<1..8>/INDEX, /REMOTE, /REPLACE" and
// "/WATCH<1..10>/INDEX, /REMOTE, /OUTRELAY, /INPRELAY"), with their clear
// commands: "ALL" forgets the family, "?" answers the range list of the
// cleared entries ("/MONI/CLEAR/TABLE", "/MONI/CLEAR/RELAY", "/SPAREAMP/CLEAR";
// "0" when none is cleared).
//
// The unit takes a monitor entry's "/IDX" in hexadecimal when its "/SEL" is an
// amplifier kind (else decimal) and answers it in decimal; it takes
// "/AMPCHAN" in decimal and answers it in hexadecimal. Queries of settings
// never made answer the defaults of a cleared unit ("OFF", "0", "1"; "YES" for
// "/REMOTE"); numbers outside the tables and unknown keys answer
// "ERROR <path>".
void RegisterMonitorHandlers(UnitSimulator& sim);

#endif
