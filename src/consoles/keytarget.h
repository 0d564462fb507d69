#ifndef SELV_CONSOLES_KEYTARGET_H
#define SELV_CONSOLES_KEYTARGET_H

class CBaseDevice;

// What a console key acts on: an object (a zone, a group, a macro, a signal
// or the console itself), the "no object" mark (-1, the "current selection"
// of the unit), or nothing. Holds no ownership.
struct KeyTarget {
  CBaseDevice* object = nullptr;
  bool mark = false;

  static KeyTarget None() { return KeyTarget{}; }
  static KeyTarget Mark() { return KeyTarget{nullptr, true}; }
  static KeyTarget Of(CBaseDevice* target) { return KeyTarget{target, false}; }

  bool IsSet() const noexcept { return object != nullptr || mark; }
  bool operator==(const KeyTarget& other) const noexcept { return object == other.object && mark == other.mark; }
  bool operator!=(const KeyTarget& other) const noexcept { return !(*this == other); }
};

#endif
