#ifndef SELV_LOGIC_CMEMOFLAG_H
#define SELV_LOGIC_CMEMOFLAG_H

#include "logic/logicstrings.h"
#include "model/cbasedevice.h"

// A memo flag: a named bit of the unit that macros set and conditions test.
// It has no settings and no command lines of its own; the unit reports the
// flags that are on under "/CONDITION/MEMOFLAG/ON".
class CMemoFlag final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CMemoFlag)

 public:
  static constexpr int kKindMemoFlag = IDS_MEMO_FLAG;
  static constexpr int kMaxFlags = 200;

  CMemoFlag();

  void Serialize(CArchive& ar) override;
};

#endif
