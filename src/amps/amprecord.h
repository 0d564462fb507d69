#ifndef SELV_AMPS_AMPRECORD_H
#define SELV_AMPS_AMPRECORD_H

#include "amps/fixedtext.h"

#include <array>
#include <cstdint>

// One channel block of an amplifier record: eight values and two texts.
struct AmpChannelBlock {
  std::array<uint16_t, 8> values{};
  FixedText<64> text1;
  FixedText<32> text2;

  bool operator==(const AmpChannelBlock& o) const { return values == o.values && text1 == o.text1 && text2 == o.text2; }
  bool operator!=(const AmpChannelBlock& o) const { return !(*this == o); }
};

// One of the 64 records of the amplifier table (one per bus address): three
// texts, six values and four channel blocks, 502 bytes as the unit lays them
// out. What the fields mean is not fixed; the table holds, stores and clears
// them.
struct AmpRecord {
  static constexpr int kChannelBlocks = 4;

  FixedText<20> text1;
  FixedText<16> text2;
  FixedText<6> text3;
  std::array<uint16_t, 6> values{};
  std::array<AmpChannelBlock, kChannelBlocks> channels{};

  bool operator==(const AmpRecord& o) const {
    return text1 == o.text1 && text2 == o.text2 && text3 == o.text3 && values == o.values && channels == o.channels;
  }
  bool operator!=(const AmpRecord& o) const { return !(*this == o); }
};

static_assert(sizeof(AmpChannelBlock) == 112, "channel block layout");
static_assert(sizeof(AmpRecord) == 502, "amplifier record layout");

#endif
