#ifndef SELV_TESTS_LINK_EVERYFAMILYPROJECT_H
#define SELV_TESTS_LINK_EVERYFAMILYPROJECT_H

class CSelvantisDoc;
class UnitSimulator;

// A project with one object of every family, small enough that a whole
// download and upload at 19200 baud take about a minute: the new project's
// fixed objects, whatever each registered factory makes, every amplifier
// model, every relay topology with two zones each, a group and a LAN group,
// three console models (a small, a large and an extended one), the monitor,
// the backup amplifier, the collection calls, the amplifier table and a macro
// of every kind. Shared by the link's round-trip tests and its benchmark.
void FillEveryFamilyProject(CSelvantisDoc& doc);

// Makes the simulated unit know every family of commands and answer as a
// unit whose operating system knows every clear command of the transfers.
void TeachEveryFamily(UnitSimulator& sim);

#endif
