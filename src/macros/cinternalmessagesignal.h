#ifndef SELV_MACROS_CINTERNALMESSAGESIGNAL_H
#define SELV_MACROS_CINTERNALMESSAGESIGNAL_H

#include "macros/caudiosignal.h"

// The internal text message signal: a message of the unit's recorder played as text, fed
// by a message sequence.
class CInternalMessageSignal final : public CAudioSignal {
  SELV_DECLARE_SERIAL(CInternalMessageSignal)

 public:
  static constexpr int kDefaultPriority = 6;

  CInternalMessageSignal();

  int GetSourceType() const override { return DT_MESSAGE; }

 protected:
  const char* PathWord() const override { return "TEXT"; }
  bool HasMacros() const override { return false; }
  bool HasMessageNumber() const override { return true; }
};

#endif
