#ifndef SELV_MACROS_CGONG_H
#define SELV_MACROS_CGONG_H

#include "model/cbasedevice.h"

class CSelvantisDoc;

// A gong (chime generator): the source of chime signals.
class CGong final : public CBaseDevice {
  SELV_DECLARE_SERIAL(CGong)

 public:
  static constexpr int kKind = 32808;

  CGong();

  void Serialize(CArchive& ar) override;

  // A new one in the document ("Gong <id>"); null when the pool is full.
  static CGong* CreateIn(CSelvantisDoc& doc);
};

#endif
