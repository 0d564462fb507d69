#include "editors/macros/cmemoflagmacroview.h"

#include "editors/macros/flowstepfields.h"
#include "macros/cmacro.h"
#include "model/devicetype.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CMemoFlagMacroView::CMemoFlagMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Set / reset a Memo Flag"), parent),
      m_flag(AddChoiceRow(tr("Memo Flag"))),
      m_true(new QRadioButton(QStringLiteral("TRUE"), ParameterBox())),
      m_false(new QRadioButton(QStringLiteral("FALSE"), ParameterBox())) {
  m_flag->setObjectName(QStringLiteral("flag"));
  auto* row = new QHBoxLayout;
  row->addWidget(m_true);
  row->addWidget(m_false);
  ParameterLayout()->addLayout(row);
  connect(m_flag, &QComboBox::activated, this, [this](int index) {
    CMacro* macro = CurrentMacro();
    if (macro && index >= 0) FlowStepFields::SetMemoFlag(*macro, m_flag->itemData(index).toInt());
  });
  connect(m_true, &QRadioButton::clicked, this, [this] {
    if (CMacro* macro = CurrentMacro()) macro->SetParam(CMacro::P_MEMO_VALUE, 1);
  });
  connect(m_false, &QRadioButton::clicked, this, [this] {
    if (CMacro* macro = CurrentMacro()) macro->SetParam(CMacro::P_MEMO_VALUE, 0);
  });
}

void CMemoFlagMacroView::OnInitialUpdate() {
  const auto flags = MacroStepFields::ObjectChoices(Document(), DT_MEMOFLAG, QStringLiteral("OFF"));
  const CMacro* macro = CurrentMacro();
  FillChoices(m_flag, flags, macro ? MacroStepFields::ChoiceIndex(flags, macro->GetParam(CMacro::P_MEMO_FLAG)) : 0);
  const bool isTrue = macro && macro->GetParam(CMacro::P_MEMO_VALUE) == 1;
  const QSignalBlocker b1(m_true);
  const QSignalBlocker b2(m_false);
  (isTrue ? m_true : m_false)->setChecked(true);
}

SELV_REGISTER_MACRO_STEP_VIEW(CMemoFlagMacroView)
