#include "editors/macros/cstopmacroview.h"

#include "macros/cmacro.h"

#include <QComboBox>

CStopMacroView::CStopMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Stops all macros with lower priority"), parent),
      m_priority(AddChoiceRow(tr("Priority"))) {
  m_priority->setObjectName(QStringLiteral("priority"));
  connect(m_priority, &QComboBox::activated, this, &CStopMacroView::OnSelchangePriority);
}

void CStopMacroView::OnInitialUpdate() {
  const MacroStepFields::Choices choices = MacroStepFields::PriorityChoices(true);
  const CMacro* macro = CurrentMacro();
  FillChoices(m_priority, choices,
              macro ? MacroStepFields::PriorityIndex(choices, macro->GetParam(CMacro::P_PRIO)) : 0);
}

void CStopMacroView::OnSelchangePriority(int index) {
  CMacro* macro = CurrentMacro();
  if (!macro || index < 0) return;
  MacroStepFields::WriteMirrored(*macro, CMacro::P_PRIO, m_priority->itemData(index).toInt());
}

SELV_REGISTER_MACRO_STEP_VIEW(CStopMacroView)
