#include "editors/macros/cvirtctrlmacroview.h"

#include "macros/cmacro.h"
#include "model/ctext.h"
#include "model/devicetype.h"
#include "model/replytext.h"
#include "shell/controls/cvalueedit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CVirtCtrlMacroView::CVirtCtrlMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Setting virtual controller"), parent),
      m_item(AddChoiceRow(tr("VC"))),
      m_steps(AddValueRow(tr("Steps"), tr("( 0: absolute,\n-127..-1: decrement, +1..+127 increment)"))),
      m_value(AddValueRow(tr("Value"))),
      m_text(AddValueRow(tr("Text"))),
      m_unit(AddValueRow(tr("Unit"))),
      m_digits(AddValueRow(tr("Digits behind point"))) {
  m_item->setObjectName(QStringLiteral("item"));
  // The unit shows title and unit on a display line each.
  m_text->setMaxLength(ReplyText::Width(ReplyText::TextField::ControllerTitle));
  m_unit->setMaxLength(ReplyText::Width(ReplyText::TextField::ControllerUnit));
  connect(m_item, &QComboBox::activated, this, [this](int index) {
    CMacro* macro = CurrentMacro();
    if (macro && index >= 0) MacroStepFields::WriteMirrored(*macro, CMacro::P_VC_ITEM, m_item->itemData(index).toInt());
  });
  connect(m_steps, &QLineEdit::editingFinished, this, &CVirtCtrlMacroView::OnKillfocusSteps);
  connect(m_digits, &QLineEdit::editingFinished, this, &CVirtCtrlMacroView::OnKillfocusDigits);
  connect(m_value, &QLineEdit::editingFinished, this, &CVirtCtrlMacroView::OnKillfocusValue);
  connect(m_text, &QLineEdit::editingFinished, this, [this] { OnKillfocusText(CMacro::P_TEXT); });
  connect(m_unit, &QLineEdit::editingFinished, this, [this] { OnKillfocusText(CMacro::P_UNIT); });
}

CValueEdit* CVirtCtrlMacroView::AddValueRow(const QString& label, const QString& note) {
  auto* row = new QHBoxLayout;
  auto* edit = new CValueEdit(ParameterBox());
  row->addWidget(new QLabel(label, ParameterBox()));
  row->addWidget(edit, 1);
  if (!note.isEmpty()) row->addWidget(new QLabel(note, ParameterBox()));
  ParameterLayout()->addLayout(row);
  return edit;
}

void CVirtCtrlMacroView::OnInitialUpdate() {
  const auto items = MacroStepFields::ObjectChoices(Document(), DT_VIRTCTRLITEM, QStringLiteral("OFF"));
  const CMacro* macro = CurrentMacro();
  FillChoices(m_item, items, macro ? MacroStepFields::ChoiceIndex(items, macro->GetParam(CMacro::P_VC_ITEM)) : 0);
  m_steps->setText(macro ? macro->GetParamText(CMacro::P_INC) : QString());
  m_value->setText(macro ? Fmt("%f", static_cast<double>(macro->GetParamFloat(CMacro::P_VC_VALUE))) : QString());
  m_text->setText(macro ? macro->GetParamText(CMacro::P_TEXT) : QString());
  m_unit->setText(macro ? macro->GetParamText(CMacro::P_UNIT) : QString());
  m_digits->setText(macro ? Fmt("%d", macro->GetParam(CMacro::P_DIGITS)) : QString());
  for (CValueEdit* edit : {m_steps, m_value, m_text, m_unit, m_digits}) edit->setModified(false);
}

void CVirtCtrlMacroView::CommitPending() {
  if (m_steps->isModified()) OnKillfocusSteps();
  if (m_digits->isModified()) OnKillfocusDigits();
  if (m_value->isModified()) OnKillfocusValue();
  if (m_text->isModified()) OnKillfocusText(CMacro::P_TEXT);
  if (m_unit->isModified()) OnKillfocusText(CMacro::P_UNIT);
}

// The macro stores the value by its own rules (steps negated in the DOWN
// macro); the edit and the partner get it as stored.
void CVirtCtrlMacroView::CommitInt(CValueEdit* edit, int param) {
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  macro->SetParam(param, edit->GetInt(true));
  const int stored = macro->GetParam(param);
  edit->setText(Fmt("%d", stored));
  edit->setModified(false);
  if (CMacro* partner = macro->GetPartner()) partner->SetParam(param, stored);
}

void CVirtCtrlMacroView::OnKillfocusSteps() { CommitInt(m_steps, CMacro::P_INC); }

void CVirtCtrlMacroView::OnKillfocusDigits() { CommitInt(m_digits, CMacro::P_DIGITS); }

void CVirtCtrlMacroView::OnKillfocusValue() {
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  macro->SetParamFloat(CMacro::P_VC_VALUE, static_cast<float>(m_value->GetFloat(true)));
  const float stored = macro->GetParamFloat(CMacro::P_VC_VALUE);
  m_value->setText(Fmt("%f", static_cast<double>(stored)));
  m_value->setModified(false);
  if (CMacro* partner = macro->GetPartner()) partner->SetParamFloat(CMacro::P_VC_VALUE, stored);
}

void CVirtCtrlMacroView::OnKillfocusText(int param) {
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  CValueEdit* edit = param == CMacro::P_TEXT ? m_text : m_unit;
  macro->SetParamText(param, edit->text());
  const QString stored = macro->GetParamText(param);
  edit->setText(stored);
  edit->setModified(false);
  if (CMacro* partner = macro->GetPartner()) partner->SetParamText(param, stored);
}

SELV_REGISTER_MACRO_STEP_VIEW(CVirtCtrlMacroView)
