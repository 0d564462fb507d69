#include "editors/macros/cinselmacroview.h"

#include "editors/macros/levelstepfields.h"
#include "macros/cmacro.h"

#include <QComboBox>
#include <QGroupBox>

CInselMacroView::CInselMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Select an AUX - source  (i.e.:  for background music)"), parent),
      m_input(AddChoiceRow(tr("AUX - input"))) {
  m_input->setObjectName(QStringLiteral("input"));
  connect(m_input, &QComboBox::activated, this, [this](int index) {
    CMacro* macro = CurrentMacro();
    if (macro && index >= 0) LevelStepFields::SetAuxInput(*macro, m_input->itemData(index).toInt());
  });
}

void CInselMacroView::OnInitialUpdate() {
  const auto inputs = LevelStepFields::AuxInputChoices(Document());
  const CMacro* macro = CurrentMacro();
  FillChoices(m_input, inputs,
              macro ? MacroStepFields::ChoiceIndex(inputs, LevelStepFields::AuxInputValue(*macro)) : 0);
}

SELV_REGISTER_MACRO_STEP_VIEW(CInselMacroView)
