#ifndef SELV_TESTS_LINK_COMPARETESTPROJECT_H
#define SELV_TESTS_LINK_COMPARETESTPROJECT_H

class CSelvantisDoc;

// A small project for the comparison tests: a new project without its large
// tables (conditions, triggers, logic outputs, ready inputs, calendar,
// monitor, backup amplifiers, virtual controllers), so that a whole upload
// takes seconds even at the unit's own line speed, with a relay topology and
// its two zones, a console and a paging macro to those zones.
void FillCompareTestProject(CSelvantisDoc& doc);

#endif
