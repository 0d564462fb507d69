#include "editors/macros/cmonitormacroview.h"

#include "editors/macros/levelstepfields.h"
#include "macros/cmacro.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CMonitorMacroView::CMonitorMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Select a monitor source"), parent),
      m_table(new QRadioButton(tr("Table"), ParameterBox())),
      m_direct(new QRadioButton(tr("Direct"), ParameterBox())) {
  auto* row = new QHBoxLayout;
  row->addWidget(m_table);
  row->addWidget(m_direct);
  ParameterLayout()->addLayout(row);
  m_entry = AddChoiceRow(QString());
  m_entry->setObjectName(QStringLiteral("entry"));
  AddPairRows(tr("UP"), tr("DOWN"));
  connect(m_table, &QRadioButton::clicked, this, [this] {
    m_entry->setEnabled(false);
    if (CMacro* macro = CurrentMacro()) LevelStepFields::SetMonitorMode(*macro, true);
  });
  connect(m_direct, &QRadioButton::clicked, this, [this] {
    m_entry->setEnabled(true);
    if (CMacro* macro = CurrentMacro()) LevelStepFields::SetMonitorMode(*macro, false);
  });
  connect(m_entry, &QComboBox::activated, this, [this](int index) {
    CMacro* macro = CurrentMacro();
    if (macro && index >= 0)
      MacroStepFields::WriteMirrored(*macro, CMacro::P_MONI_TABLE, m_entry->itemData(index).toInt());
  });
}

void CMonitorMacroView::OnInitialUpdate() {
  const CMacro* macro = CurrentMacro();
  const int entry = macro ? macro->GetParam(CMacro::P_MONI_TABLE) : 0;
  const auto choices = LevelStepFields::MonitorChoices(Document(), entry);
  FillChoices(m_entry, choices, MacroStepFields::ChoiceIndex(choices, entry));
  const bool table = macro && macro->GetParam(CMacro::P_MONI_NEXT) != 0;
  const QSignalBlocker b1(m_table);
  const QSignalBlocker b2(m_direct);
  (table ? m_table : m_direct)->setChecked(true);
  m_entry->setEnabled(!table);
  if (macro) ShowPairRows(*macro);
}

SELV_REGISTER_MACRO_STEP_VIEW(CMonitorMacroView)
