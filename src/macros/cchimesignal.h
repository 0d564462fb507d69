#ifndef SELV_MACROS_CCHIMESIGNAL_H
#define SELV_MACROS_CCHIMESIGNAL_H

#include "macros/caudiosignal.h"

// A chime signal: a gong's chime with its priority; chimes are always made inside the unit.
class CChimeSignal final : public CAudioSignal {
  SELV_DECLARE_SERIAL(CChimeSignal)

 public:
  static constexpr int kDefaultPriority = 7;

  CChimeSignal();

  int GetSourceType() const override { return DT_GONG; }

 protected:
  const char* PathWord() const override { return "CHIME"; }
  bool HasMacros() const override { return false; }
  bool HasMessageNumber() const override { return false; }
};

#endif
