#ifndef SELV_EDITORS_MACROS_CMESSAGEMACROVIEW_H
#define SELV_EDITORS_MACROS_CMESSAGEMACROVIEW_H

#include "editors/macros/czoneswitchmacroview.h"

// Play message (an ON/OFF pair): a message signal switched to zones and groups.
class CMessageMacroView final : public CZoneSwitchMacroView {
  Q_OBJECT

 public:
  explicit CMessageMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);
};

#endif
