#include "editors/macros/cpowermacroview.h"

#include "macros/cmacro.h"
#include "model/devicetype.h"

#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

CPowerMacroView::CPowerMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Switch system on or off"), parent),
      m_priority(AddChoiceRow(tr("Power-on priority :"))),
      m_hidden(new QWidget(ParameterBox())) {
  m_priority->setObjectName(QStringLiteral("priority"));
  AddPairRows(tr("POWER ON"), tr("POWER OFF"));
  // The power-on and power-off macros are kept but not offered.
  auto* hiddenLayout = new QVBoxLayout(m_hidden);
  m_powerOn = new QComboBox(m_hidden);
  m_powerOff = new QComboBox(m_hidden);
  m_powerOn->setObjectName(QStringLiteral("powerOn"));
  m_powerOff->setObjectName(QStringLiteral("powerOff"));
  hiddenLayout->addWidget(m_powerOn);
  hiddenLayout->addWidget(m_powerOff);
  ParameterLayout()->addWidget(m_hidden);
  m_hidden->hide();
  connect(m_priority, &QComboBox::activated, this, [this](int index) { Write(m_priority, CMacro::P_PRIO, index); });
  connect(m_powerOn, &QComboBox::activated, this,
          [this](int index) { Write(m_powerOn, CMacro::P_POWER_ON_MACRO, index); });
  connect(m_powerOff, &QComboBox::activated, this,
          [this](int index) { Write(m_powerOff, CMacro::P_POWER_OFF_MACRO, index); });
}

void CPowerMacroView::OnInitialUpdate() {
  const MacroStepFields::Choices priorities = MacroStepFields::PriorityChoices(false);
  const MacroStepFields::Choices macros = MacroStepFields::ObjectChoices(Document(), DT_MACRO, QStringLiteral("OFF"));
  const CMacro* macro = CurrentMacro();
  if (!macro) {
    FillChoices(m_priority, priorities, 0);
    FillChoices(m_powerOn, macros, 0);
    FillChoices(m_powerOff, macros, 0);
    return;
  }
  FillChoices(m_priority, priorities, MacroStepFields::PriorityIndex(priorities, macro->GetParam(CMacro::P_PRIO)));
  FillChoices(m_powerOn, macros, MacroStepFields::ChoiceIndex(macros, macro->GetParam(CMacro::P_POWER_ON_MACRO)));
  FillChoices(m_powerOff, macros, MacroStepFields::ChoiceIndex(macros, macro->GetParam(CMacro::P_POWER_OFF_MACRO)));
  ShowPairRows(*macro);
}

void CPowerMacroView::Write(QComboBox* combo, int param, int index) {
  CMacro* macro = CurrentMacro();
  if (!macro || index < 0) return;
  MacroStepFields::WriteMirrored(*macro, param, combo->itemData(index).toInt());
}

SELV_REGISTER_MACRO_STEP_VIEW(CPowerMacroView)
