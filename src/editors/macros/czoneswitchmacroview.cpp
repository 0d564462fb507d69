#include "editors/macros/czoneswitchmacroview.h"

#include "amps/ui/clinesgroupsdlg.h"
#include "editors/macros/zonestepfields.h"
#include "macros/cmacro.h"
#include "model/cmessagesink.h"
#include "shell/controls/cellipsisstatic.h"

#include "shell/cbitmapmanager.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

CZoneSwitchMacroView::CZoneSwitchMacroView(CMacroDlgFrm* frame, const Layout& layout, QWidget* parent)
    : CMacroStepView(frame, layout.description, parent), m_layout(layout) {
  if (m_layout.input) {
    m_input = AddChoiceRow(tr("Input"));
    m_input->setObjectName(QStringLiteral("input"));
    connect(m_input, &QComboBox::activated, this, &CZoneSwitchMacroView::OnSelchangeInput);
  }
  if (m_layout.signalParam != 0) {
    m_signal = AddChoiceRow(m_layout.signalLabel);
    m_signal->setObjectName(QStringLiteral("signal"));
    connect(m_signal, &QComboBox::activated, this, &CZoneSwitchMacroView::OnSelchangeSignal);
  }
  if (m_layout.priority) {
    m_priority = AddChoiceRow(tr("Priority"));
    m_priority->setObjectName(QStringLiteral("priority"));
    connect(m_priority, &QComboBox::activated, this, &CZoneSwitchMacroView::OnSelchangePriority);
  }

  auto* zoneRow = new QHBoxLayout;
  auto* zoneLabel = new QLabel(tr("Lines"), ParameterBox());
  m_zoneButton = new QToolButton(ParameterBox());
  m_zoneButton->setObjectName(QStringLiteral("zones"));
  m_zoneButton->setIcon(CBitmapManager::Icon(CBitmapManager::kZonesBitmap));
  m_zoneButton->setToolTip(tr("Lines and Groups"));
  m_zoneText = new CEllipsisStatic(ParameterBox());
  m_zoneText->setObjectName(QStringLiteral("zoneText"));
  m_zoneText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  zoneRow->addWidget(zoneLabel);
  zoneRow->addWidget(m_zoneButton);
  zoneRow->addWidget(m_zoneText, 1);
  ParameterLayout()->addLayout(zoneRow);
  connect(m_zoneButton, &QToolButton::clicked, this, &CZoneSwitchMacroView::OnZones);

  AddPairRows(m_layout.onRow, m_layout.offRow);
  if (m_layout.hideOffRow) {
    // The label of a form row goes with its field.
    OffRow()->hide();
    for (QFormLayout* form : ParameterBox()->findChildren<QFormLayout*>()) {
      if (QWidget* label = form->labelForField(OffRow())) label->hide();
    }
  }

  if (m_layout.modes) {
    auto* modeRow = new QHBoxLayout;
    m_onOff = new QRadioButton(tr("ON/OFF"), ParameterBox());
    m_addSub = new QRadioButton(tr("ADD/SUB"), ParameterBox());
    m_onOff->setObjectName(QStringLiteral("onOff"));
    m_addSub->setObjectName(QStringLiteral("addSub"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_onOff);
    group->addButton(m_addSub);
    m_onOff->setChecked(true);
    modeRow->addWidget(m_onOff);
    modeRow->addWidget(m_addSub);
    modeRow->addStretch(1);
    ParameterLayout()->addLayout(modeRow);
    connect(m_onOff, &QRadioButton::clicked, this, &CZoneSwitchMacroView::OnMode);
    connect(m_addSub, &QRadioButton::clicked, this, &CZoneSwitchMacroView::OnMode);
  }
}

void CZoneSwitchMacroView::OnInitialUpdate() {
  const CMacro* macro = CurrentMacro();
  if (m_priority) {
    const MacroStepFields::Choices choices = MacroStepFields::PriorityChoices(true);
    FillChoices(m_priority, choices,
                macro ? MacroStepFields::PriorityIndex(choices, macro->GetParam(CMacro::P_PRIO)) : 0);
  }
  if (m_signal) {
    const MacroStepFields::Choices choices =
        MacroStepFields::ObjectChoices(Document(), m_layout.signalType, QStringLiteral("OFF"));
    FillChoices(m_signal, choices,
                macro ? MacroStepFields::ChoiceIndex(choices, macro->GetParam(m_layout.signalParam)) : 0);
  }
  if (m_input) {
    FillChoices(m_input, ZoneStepFields::InputChoices(),
                macro ? ZoneStepFields::InputIndex(macro->GetParam(CMacro::P_INPUT)) : 0);
  }
  if (!macro) return;
  ShowPairRows(*macro);
  m_zoneText->SetWindowText(macro->GetParamText(CMacro::P_ZONES));
  if (m_onOff && m_addSub) {
    const QSignalBlocker blockOn(m_onOff);
    const QSignalBlocker blockAdd(m_addSub);
    (macro->GetParam(CMacro::P_ADDSUB) != 0 ? m_addSub : m_onOff)->setChecked(true);
  }
}

void CZoneSwitchMacroView::OnSelchangeSignal(int index) {
  CMacro* macro = CurrentMacro();
  if (!macro || index < 0) return;
  MacroStepFields::WriteMirrored(*macro, m_layout.signalParam, m_signal->itemData(index).toInt());
}

void CZoneSwitchMacroView::OnSelchangePriority(int index) {
  CMacro* macro = CurrentMacro();
  if (!macro || index < 0) return;
  MacroStepFields::WriteMirrored(*macro, CMacro::P_PRIO, m_priority->itemData(index).toInt());
}

void CZoneSwitchMacroView::OnSelchangeInput(int index) {
  CMacro* macro = CurrentMacro();
  if (!macro || index < 0) return;
  MacroStepFields::WriteMirrored(*macro, CMacro::P_INPUT, index);
}

void CZoneSwitchMacroView::OnZones() {
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  std::vector<CBaseDevice*> zonesAndGroups;
  macro->GetInputZonesAndGroups(zonesAndGroups);
  const bool ok = m_zoneChooser ? m_zoneChooser(zonesAndGroups) : RunZoneDialog(zonesAndGroups);
  if (!ok) return;
  // The dialog may have run other events: ask for the macro again.
  macro = CurrentMacro();
  if (!macro) return;
  MacroStepFields::ApplyZonesMirrored(*macro, zonesAndGroups);
  m_zoneText->SetWindowText(macro->GetParamText(CMacro::P_ZONES));
}

bool CZoneSwitchMacroView::RunZoneDialog(std::vector<CBaseDevice*>& zonesAndGroups) {
  CLinesGroupsDlg dlg(&zonesAndGroups, this, Document());
  return dlg.DoModal() == IDOK;
}

void CZoneSwitchMacroView::OnMode() {
  CMacro* macro = CurrentMacro();
  if (!macro || !m_onOff) return;
  ZoneStepFields::SetMode(*macro, !m_onOff->isChecked());
  RequestRefresh();
}
