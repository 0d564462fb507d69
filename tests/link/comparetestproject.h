#ifndef SELV_TESTS_LINK_COMPARETESTPROJECT_H
#define SELV_TESTS_LINK_COMPARETESTPROJECT_H

#include <initializer_list>

class CSelvantisDoc;

// A small project for the comparison tests: a new project without its large
// tables (conditions, triggers, logic outputs, ready inputs, calendar,
// monitor, backup amplifiers, virtual controllers), so that a whole upload
// takes seconds even at the unit's own line speed, with a relay topology and
// its two zones, a console and a paging macro to those zones. keep names
// the large tables (their type codes) that stay; whole keeps them all.
void FillCompareTestProject(CSelvantisDoc& doc, std::initializer_list<int> keep = {}, bool whole = false);

#endif
