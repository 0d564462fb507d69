#include "editors/macros/crecordmacroview.h"

#include "editors/macros/recorderstepfields.h"
#include "macros/cmacro.h"
#include "shell/controls/cvalueedit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CRecordMacroView::CRecordMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Recording messages from VMX input via internal message recorder"), parent),
      m_message(AddChoiceRow(tr("Record message"))),
      m_input(AddChoiceRow(tr("Input"))),
      m_format(AddChoiceRow(tr("Format"))) {
  QWidget* box = ParameterBox();
  m_message->setObjectName(QStringLiteral("message"));
  m_input->setObjectName(QStringLiteral("input"));
  m_format->setObjectName(QStringLiteral("format"));

  auto* timeRow = new QHBoxLayout;
  m_time = new CValueEdit(box);
  m_time->setObjectName(QStringLiteral("time"));
  timeRow->addWidget(new QLabel(tr("Recording time"), box));
  timeRow->addWidget(m_time);
  timeRow->addWidget(new QLabel(tr("( 0.0 .. 360.4 s ; 0.0 no time limit )"), box), 1);
  ParameterLayout()->addLayout(timeRow);
  AddPairRows(tr("Record ON"), tr("Record OFF"));

  connect(m_message, &QComboBox::activated, this, [this](int index) {
    if (CMacro* macro = CurrentMacro()) RecorderStepFields::WriteMessage(*macro, index);
  });
  connect(m_input, &QComboBox::activated, this, [this](int index) {
    if (CMacro* macro = CurrentMacro()) RecorderStepFields::WriteInput(*macro, index);
  });
  connect(m_format, &QComboBox::activated, this, [this](int index) {
    CMacro* macro = CurrentMacro();
    if (macro && index >= 0) RecorderStepFields::WriteFormat(*macro, m_format->itemText(index));
  });
  connect(m_time, &CValueEdit::killFocus, this, &CRecordMacroView::OnKillFocusTime);
}

void CRecordMacroView::OnInitialUpdate() {
  const MacroStepFields::Choices messages = RecorderStepFields::MessageChoices(Document());
  CMacro* macro = CurrentMacro();
  if (!macro) {
    FillChoices(m_input, RecorderStepFields::InputChoices(), 0);
    FillChoices(m_message, messages, 0);
    FillChoices(m_format, RecorderStepFields::FormatChoices(), 0);
    return;
  }
  ShowPairRows(*macro);
  FillChoices(m_input, RecorderStepFields::InputChoices(), macro->GetParam(CMacro::P_INPUT));
  FillChoices(m_format, RecorderStepFields::FormatChoices(), RecorderStepFields::EnsureFormat(*macro));
  ShowTime(*macro);
  FillChoices(m_message, messages, macro->GetParam(CMacro::P_FILE));
}

void CRecordMacroView::CommitPending() {
  if (m_time->isModified()) OnKillFocusTime();
}

void CRecordMacroView::OnKillFocusTime() {
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  RecorderStepFields::WriteTime(*macro, m_time->GetFloat(true));
  ShowTime(*macro);
}

// Through the edit's cache, so that text that is not a number falls back to
// the stored time rather than to 0.
void CRecordMacroView::ShowTime(const CMacro& macro) {
  m_time->SetFloat(macro.GetParamFloat(CMacro::P_MAXTIME), true, QStringLiteral("%.1f"));
  m_time->setModified(false);
}

SELV_REGISTER_MACRO_STEP_VIEW(CRecordMacroView)
