#ifndef SELV_TOOLS_EVERYFAMILY_EVERYFAMILYPROJECT_H
#define SELV_TOOLS_EVERYFAMILY_EVERYFAMILYPROJECT_H

class CSelvantisDoc;
class UnitSimulator;

// How much of each family the project holds.
enum class EveryFamilySize {
  // Two zones per relay topology and three console models (a small, a large
  // and an extended one): a whole download and upload at 19200 baud take
  // about a minute.
  Small,
  // Three zones per relay topology (twelve zones) and fourteen consoles, one
  // of every model and a second of the first: about 2,400 download lines,
  // the size of an installation that fills the unit's tables.
  Full
};

// A project with one object of every family: the new project's fixed
// objects, whatever each registered factory makes, every amplifier model,
// every relay topology with its zones, a group and a LAN group, the
// consoles, the monitor, the backup amplifier, the collection calls, the
// amplifier table and a macro of every kind.
void FillEveryFamilyProject(CSelvantisDoc& doc, EveryFamilySize size = EveryFamilySize::Full);
// Tables in use, so that their uploads ask for entries, as in an
// installation: two monitor entries, two backup amplifier entries watching
// ready inputs (a Full project has them).
void FillEveryFamilyTables(CSelvantisDoc& doc);

// Makes the simulated unit know every family of commands and answer as a
// unit whose operating system knows every clear command of the transfers.
void TeachEveryFamily(UnitSimulator& sim);

#endif
