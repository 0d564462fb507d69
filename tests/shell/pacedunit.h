#ifndef SELV_TESTS_SHELL_PACEDUNIT_H
#define SELV_TESTS_SHELL_PACEDUNIT_H

#include <QString>

class UnitSimulator;

// Starts the simulated unit for a test of the whole program: it knows every
// family of commands and takes the line at its own speed, the profile points
// the program's link at it, and the program speaks English. False (error
// says why) when the unit could not start.
bool StartPacedUnit(UnitSimulator& sim, QString* error);

#endif
