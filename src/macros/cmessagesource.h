#ifndef SELV_MACROS_CMESSAGESOURCE_H
#define SELV_MACROS_CMESSAGESOURCE_H

#include "model/cbasedevice.h"

class CSelvantisDoc;

// A prerecorded message: the source of message signals.
class CMessageSource final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CMessageSource)

 public:
  static constexpr int kKind = 32824;

  CMessageSource();

  void Serialize(CArchive& ar) override;

  // A new one in the document ("Message <id>"); null when the pool is full.
  static CMessageSource* CreateIn(CSelvantisDoc& doc);
};

#endif
