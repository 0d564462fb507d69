#ifndef SELV_TESTS_SUPPORT_WAITUNTIL_H
#define SELV_TESTS_SUPPORT_WAITUNTIL_H

#include <functional>

// How long a test waits for an event at most. A test waits for the event it
// needs (a dialog shown, a line received, a frame swapped), never for a
// time: this limit only turns a hang into a failure, so it lies far beyond
// what a slow or fully loaded machine needs in normal work.
inline constexpr int kHangLimitMs = 60000;

// Processes events until cond holds; false when the limit passed first.
bool WaitUntil(const std::function<bool()>& cond, int limitMs = kHangLimitMs);

#endif
