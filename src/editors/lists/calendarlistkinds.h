#ifndef SELV_EDITORS_LISTS_CALENDARLISTKINDS_H
#define SELV_EDITORS_LISTS_CALENDARLISTKINDS_H

#include "editors/lists/entrylistkind.h"

// The calendar lists: appointments, day programs and holidays travel through
// the calendar block (one step per entry, ID + 2, ID + 52, ID + 72); the week
// program is its own container. A selected entry is queried with every part
// of the block enabled.
namespace calendarlists {
inline constexpr int kCalendarBlock = 51;
inline constexpr int kWeekProgram = 22;
inline constexpr int kUploadSelector = -1;

inline constexpr EntryListKind kAppoint{3, kCalendarBlock, -2, 33126, 33127, 33128, 33154, 2, 1};
inline constexpr EntryListKind kDayprog{9, kCalendarBlock, -3, 33135, 33136, 33137, 33116, 52, 1};
inline constexpr EntryListKind kHoliday{13, kCalendarBlock, -4, 33138, 33139, 33140, 33115, 72, 1};
// No New and no Delete: the project has exactly one week program.
inline constexpr EntryListKind kWeek{kWeekProgram, kWeekProgram, -1, 0, 0, 33151, 33152, 0, 1};

// Whether kind is one of the four calendar lists.
constexpr bool IsCalendarList(const EntryListKind& kind) {
  return kind.containerType == kCalendarBlock || kind.entryType == kWeekProgram;
}

// Commands of the day-program frame beyond the list commands.
inline constexpr uint32_t kNewDayprogEntry = 33117;
inline constexpr uint32_t kDeleteDayprogEntry = 33118;
}  // namespace calendarlists

#endif
