#ifndef SELV_ONLINE_CEVENTLOGSELECTIONS_H
#define SELV_ONLINE_CEVENTLOGSELECTIONS_H

#include "model/cselectionprovider.h"

#include <cstdint>

// The choices of the event log's detail selections: the audio signals and
// the fault sources as bit sets (the bits of CEventLog::SetMaskBits), the
// macros, ready inputs and virtual controllers as range lists of their
// identifiers. A registry of its own, so the kinds other windows choose
// from under the same string ids keep their meaning there.
class CEventLogSelections final {
 public:
  static constexpr uint32_t kAudio = 34449;
  static constexpr uint32_t kFault = 34697;  // "FAULT"
  static constexpr uint32_t kMacros = 34591;
  static constexpr uint32_t kReadyInputs = 34592;
  static constexpr uint32_t kVirtualControllers = 34627;

  static const CSelectionProvider& Providers();
};

#endif
