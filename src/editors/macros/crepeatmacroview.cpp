#include "editors/macros/crepeatmacroview.h"

#include "editors/macros/flowstepfields.h"
#include "macros/cmacro.h"
#include "model/devicetype.h"
#include "shell/controls/cvalueedit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CRepeatMacroView::CRepeatMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Repeat macro if condition is set"), parent),
      m_macro(AddChoiceRow(tr("Macro"))),
      m_condition(AddChoiceRow(tr("Condition"))),
      m_time(AddValueRow(tr("Time intervall"), tr("s ( 0 .. 300 s )"))),
      m_count(AddValueRow(tr("Repeat count"), tr("( 1..65536; 0 infinetely )"))) {
  m_macro->setObjectName(QStringLiteral("macro"));
  m_condition->setObjectName(QStringLiteral("condition"));
  m_time->setObjectName(QStringLiteral("time"));
  m_count->setObjectName(QStringLiteral("count"));
  connect(m_macro, &QComboBox::activated, this, [this](int index) {
    CMacro* macro = CurrentMacro();
    if (macro && index >= 0)
      MacroStepFields::WriteMirrored(*macro, CMacro::P_REPEAT_MACRO, m_macro->itemData(index).toInt());
  });
  connect(m_condition, &QComboBox::activated, this, [this](int index) {
    CMacro* macro = CurrentMacro();
    if (macro && index >= 0)
      MacroStepFields::WriteMirrored(*macro, CMacro::P_CONDITION, m_condition->itemData(index).toInt());
  });
  connect(m_time, &QLineEdit::editingFinished, this, &CRepeatMacroView::OnKillfocusTime);
  connect(m_count, &QLineEdit::editingFinished, this, &CRepeatMacroView::OnKillfocusCount);
}

CValueEdit* CRepeatMacroView::AddValueRow(const QString& label, const QString& unit) {
  auto* row = new QHBoxLayout;
  auto* edit = new CValueEdit(ParameterBox());
  row->addWidget(new QLabel(label, ParameterBox()));
  row->addWidget(edit, 1);
  row->addWidget(new QLabel(unit, ParameterBox()));
  ParameterLayout()->addLayout(row);
  return edit;
}

void CRepeatMacroView::OnInitialUpdate() {
  const auto macros = MacroStepFields::ObjectChoices(Document(), DT_MACRO, QStringLiteral("OFF"));
  const auto conditions = MacroStepFields::ObjectChoices(Document(), DT_CONDITION, QStringLiteral("OFF"));
  const CMacro* macro = CurrentMacro();
  FillChoices(m_macro, macros,
              macro ? MacroStepFields::ChoiceIndex(macros, macro->GetParam(CMacro::P_REPEAT_MACRO)) : 0);
  FillChoices(m_condition, conditions,
              macro ? MacroStepFields::ChoiceIndex(conditions, macro->GetParam(CMacro::P_CONDITION)) : 0);
  m_time->setText(macro ? macro->GetParamText(CMacro::P_TIME) : QString());
  m_count->setText(macro ? macro->GetParamText(CMacro::P_REPEAT_COUNT) : QString());
}

void CRepeatMacroView::CommitPending() {
  if (m_time->isModified()) OnKillfocusTime();
  if (m_count->isModified()) OnKillfocusCount();
}

void CRepeatMacroView::OnKillfocusTime() {
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  const int value = FlowStepFields::ClampRepeatTime(m_time->GetInt(true));
  m_time->SetInt(value, true);
  m_time->setModified(false);
  MacroStepFields::WriteMirrored(*macro, CMacro::P_TIME, value);
}

void CRepeatMacroView::OnKillfocusCount() {
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  const int value = FlowStepFields::ClampRepeatCount(m_count->GetInt(true));
  m_count->SetInt(value, true);
  m_count->setModified(false);
  MacroStepFields::WriteMirrored(*macro, CMacro::P_REPEAT_COUNT, value);
}

SELV_REGISTER_MACRO_STEP_VIEW(CRepeatMacroView)
