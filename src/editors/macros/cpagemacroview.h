#ifndef SELV_EDITORS_MACROS_CPAGEMACROVIEW_H
#define SELV_EDITORS_MACROS_CPAGEMACROVIEW_H

#include "editors/macros/czoneswitchmacroview.h"

// Page (an ON/OFF pair): an audio input, optionally after a pre-chime, switched to zones and groups.
class CPageMacroView final : public CZoneSwitchMacroView {
  Q_OBJECT

 public:
  explicit CPageMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);
};

#endif
