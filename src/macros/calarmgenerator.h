#ifndef SELV_MACROS_CALARMGENERATOR_H
#define SELV_MACROS_CALARMGENERATOR_H

#include "model/cbasedevice.h"

class CSelvantisDoc;

// An alarm generator: a source of alarm signals. Only its name, type and kind matter here.
class CAlarmGenerator final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CAlarmGenerator)

 public:
  static constexpr int kKind = 32807;

  CAlarmGenerator();

  void Serialize(CArchive& ar) override;

  // A new one in the document ("Alarm generator <id>"); null when the pool is full.
  static CAlarmGenerator* CreateIn(CSelvantisDoc& doc);
};

#endif
