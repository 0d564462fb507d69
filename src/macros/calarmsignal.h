#ifndef SELV_MACROS_CALARMSIGNAL_H
#define SELV_MACROS_CALARMSIGNAL_H

#include "macros/caudiosignal.h"

// An alarm signal: sounds the alarm of an alarm generator (or an external one) with its
// priority; start and stop macros run with it.
class CAlarmSignal final : public CAudioSignal {
  SELV_DECLARE_SERIAL(CAlarmSignal)

 public:
  static constexpr int kDefaultPriority = 9;

  CAlarmSignal();

  int GetSourceType() const override { return DT_ALARM; }

 protected:
  const char* PathWord() const override { return "ALARM"; }
  bool HasMacros() const override { return true; }
  bool HasMessageNumber() const override { return false; }
};

#endif
