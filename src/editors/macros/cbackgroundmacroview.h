#ifndef SELV_EDITORS_MACROS_CBACKGROUNDMACROVIEW_H
#define SELV_EDITORS_MACROS_CBACKGROUNDMACROVIEW_H

#include "editors/macros/czoneswitchmacroview.h"

// Background (an ON/OFF pair): background music switched to zones and groups.
class CBackgroundMacroView final : public CZoneSwitchMacroView {
  Q_OBJECT

 public:
  explicit CBackgroundMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);
};

#endif
