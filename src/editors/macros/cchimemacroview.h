#ifndef SELV_EDITORS_MACROS_CCHIMEMACROVIEW_H
#define SELV_EDITORS_MACROS_CCHIMEMACROVIEW_H

#include "editors/macros/czoneswitchmacroview.h"

// Chime (a single macro): a chime signal played on zones and groups.
class CChimeMacroView final : public CZoneSwitchMacroView {
  Q_OBJECT

 public:
  explicit CChimeMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);
};

#endif
