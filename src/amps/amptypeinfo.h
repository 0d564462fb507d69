#ifndef SELV_AMPS_AMPTYPEINFO_H
#define SELV_AMPS_AMPTYPEINFO_H

#include <cstdint>

// One row of the amplifier-type table: an amplifier model with its outputs,
// their power, its picture and whether it sits on the unit's amplifier bus.
struct AmpTypeInfo {
  int32_t index;        // row number
  int32_t kind;         // kind id = string id of the model text
  int32_t addressable;  // nonzero: has a bus address and global channel numbers
  int32_t channels;     // amplifier channels as the monitoring counts them
  int32_t power[4];     // W per output, 0 = not stated
  int32_t outputs;      // pins and share of global channel numbers (1..4)
  int32_t bitmap;       // picture id
};

// Kind id of the end row ("Not used"); every search of the table stops there.
constexpr int32_t kAmpKindNotUsed = 32788;
// Rows including the end row.
constexpr int kAmpTypeRows = 19;

extern const AmpTypeInfo g_AmpTypes[kAmpTypeRows];

#endif
