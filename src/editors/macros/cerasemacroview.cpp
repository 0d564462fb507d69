#include "editors/macros/cerasemacroview.h"

#include "editors/macros/recorderstepfields.h"
#include "macros/cmacro.h"

#include <QComboBox>

CEraseMacroView::CEraseMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Delete recorded message"), parent), m_message(AddChoiceRow(tr("Recorded message"))) {
  m_message->setObjectName(QStringLiteral("message"));
  connect(m_message, &QComboBox::activated, this, [this](int index) {
    if (CMacro* macro = CurrentMacro()) RecorderStepFields::WriteMessage(*macro, index);
  });
}

void CEraseMacroView::OnInitialUpdate() {
  const CMacro* macro = CurrentMacro();
  FillChoices(m_message, RecorderStepFields::MessageChoices(Document()), macro ? macro->GetParam(CMacro::P_FILE) : 0);
}

SELV_REGISTER_MACRO_STEP_VIEW(CEraseMacroView)
