#include "editors/macros/cemptymacroview.h"

#include <QGroupBox>
#include <QLabel>

CEmptyMacroView::CEmptyMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("You must select or create a macro type"), parent) {
  ParameterBox()->hide();
  if (auto* text = findChild<QLabel*>(QStringLiteral("description"))) text->setAlignment(Qt::AlignCenter);
}

SELV_REGISTER_MACRO_STEP_VIEW(CEmptyMacroView)
