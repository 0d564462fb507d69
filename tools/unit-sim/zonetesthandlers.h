#ifndef SELV_TOOLS_UNITSIM_ZONETESTHANDLERS_H
#define SELV_TOOLS_UNITSIM_ZONETESTHANDLERS_H

class UnitSimulator;

// Teaches the simulated unit its loudspeaker-line test ("/SERVICE/ZONETEST/"):
//   - queries of MODE ("OFF"), ACTIVE ("0"), FAULT and GNDFLT (range lists of
//     zones, "NONE" when empty);
//   - "TEST/MEAS <zones>" measures the zones' lines into
//     "/VMX/ZONE<n>/TEST/MEAS", "TEST/REF <zones>" takes their measurements
//     as references into ".../TEST/REF"; "IMP/MEAS" and "IMP/REF" do the
//     same for the impedance ("/VMX/ZONE<n>/IMP/...");
//   - a zone whose measurement leaves its reference by more than its
//     tolerances (".../TEST/POSTOL" above, ".../TEST/NEGTOL" below, in
//     percent) has a line fault.
// The lines themselves are fault knobs a test sets in the store:
// "/SIM/ZONE<n>/LINE" (measured line value, 100 when unset),
// "/SIM/ZONE<n>/IMPEDANCE" (ohms, 50 when unset) and "/SIM/ZONETEST/GNDFLT"
// (the zones with a ground fault). Its other settings are kept and answered
// as any other setting is.
void RegisterZoneTestHandlers(UnitSimulator& sim);

#endif
