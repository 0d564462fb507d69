#ifndef SELV_MODEL_CONNECTIONRECORD_H
#define SELV_MODEL_CONNECTIONRECORD_H

#include <cstdint>

class CBaseDevice;

// One end of a connection between two model objects. Every connection is
// recorded twice: in the owner's output list and, mirrored, in the peer's
// input list (or the other way round). The only record without a mirror is
// one whose peer is the "no object" mark: a null peer (a console key's
// "current selection" target).
//
// Pins are keys, not indexes into pin arrays: objects use pins beyond their
// drawn pin count, and console keys store a signed 16-bit key port in the low
// half of the pin and a group slot in the high half (see MakeConsolePin).
struct ConnectionRecord {
  CBaseDevice* pPeer = nullptr;  // null: the "no object" mark
  int nPeerPin = 0;
  CBaseDevice* pOwner = nullptr;
  int nOwnPin = 0;
  int nPeerCategory = 0;

  bool IsNoObjectPeer() const noexcept { return pPeer == nullptr; }
  bool operator==(const ConnectionRecord& other) const noexcept {
    return pPeer == other.pPeer && nPeerPin == other.nPeerPin && pOwner == other.pOwner && nOwnPin == other.nOwnPin &&
           nPeerCategory == other.nPeerCategory;
  }
  bool operator!=(const ConnectionRecord& other) const noexcept { return !(*this == other); }
};

// The "no object" mark as a peer.
constexpr CBaseDevice* kNoObjectMark = nullptr;
// The identifier the "no object" mark stands for where an identifier is asked.
constexpr int kNoObjectId = -1;

// Console-key pins: the key port (the key number, or minus the key number
// for a key's second target) as a signed 16-bit value in the low half, the
// group slot in the high half. The stored form is (slot << 16) | (uint16)port;
// a pin written with the port sign-extended over the high half (0xFFFFFFFB
// for port -5, slot 0) decodes to the same fields through NormalizeConsolePin.
inline int MakeConsolePin(int port, int groupSlot) noexcept {
  return static_cast<int>((static_cast<uint32_t>(groupSlot & 0xFFFF) << 16) |
                          static_cast<uint16_t>(static_cast<int16_t>(port)));
}
inline int ConsolePinPort(int pin) noexcept { return static_cast<int16_t>(static_cast<uint32_t>(pin) & 0xFFFF); }
inline int ConsolePinGroupSlot(int pin) noexcept {
  return static_cast<int>((static_cast<uint32_t>(pin) >> 16) & 0xFFFF);
}
// A sign-extended negative port (high half 0xFFFF) becomes slot 0; every
// other pin is returned unchanged.
inline int NormalizeConsolePin(int pin) noexcept {
  const uint32_t u = static_cast<uint32_t>(pin);
  if ((u >> 16) == 0xFFFF && (u & 0x8000) != 0) return MakeConsolePin(ConsolePinPort(pin), 0);
  return pin;
}

#endif
