#ifndef SELV_MACROS_CMESSAGESIGNAL_H
#define SELV_MACROS_CMESSAGESIGNAL_H

#include "macros/caudiosignal.h"

// A prerecorded text message signal: message number (value 2) of the unit's recorder,
// or an external source, with its priority and start and stop macros.
class CMessageSignal final : public CAudioSignal {
  SELV_DECLARE_SERIAL(CMessageSignal)

 public:
  static constexpr int kDefaultPriority = 6;

  CMessageSignal();

  int GetSourceType() const override { return DT_MESSAGE; }

 protected:
  const char* PathWord() const override { return "MESSAGE"; }
  bool HasMacros() const override { return true; }
  bool HasMessageNumber() const override { return true; }
};

#endif
