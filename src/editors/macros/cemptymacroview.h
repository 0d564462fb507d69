#ifndef SELV_EDITORS_MACROS_CEMPTYMACROVIEW_H
#define SELV_EDITORS_MACROS_CEMPTYMACROVIEW_H

#include "editors/macros/cmacrostepview.h"

// Stands in for kinds without an editor and for an empty selection.
class CEmptyMacroView final : public CMacroStepView {
  Q_OBJECT

 public:
  explicit CEmptyMacroView(CMacroDlgFrm* frame, QWidget* parent = nullptr);
};

#endif
