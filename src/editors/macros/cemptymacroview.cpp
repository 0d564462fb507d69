#include "editors/macros/cemptymacroview.h"

#include <QGroupBox>

CEmptyMacroView::CEmptyMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("You must select or create a macro type"), parent) {
  ParameterBox()->hide();
}

SELV_REGISTER_MACRO_STEP_VIEW(CEmptyMacroView)
