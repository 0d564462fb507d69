#include "editors/macros/czonetestmacroview.h"

#include "amps/ui/clinesgroupsdlg.h"
#include "editors/macros/flowstepfields.h"
#include "macros/cmacro.h"

#include "shell/cbitmapmanager.h"
#include "shell/controls/cellipsisstatic.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

CZonetestMacroView::CZonetestMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Starting / stopping of a zonetest or an impedance measurement"), parent),
      m_zoneButton(new QToolButton(ParameterBox())),
      m_zones(new CEllipsisStatic(ParameterBox())) {
  const QString labels[3] = {tr("Stop measurements"), tr("Line test"), tr("Impedance measurement")};
  for (int i = 0; i < 3; ++i) {
    m_buttons[i] = new QRadioButton(labels[i], ParameterBox());
    ParameterLayout()->addWidget(m_buttons[i]);
    connect(m_buttons[i], &QRadioButton::clicked, this, [this, i] {
      if (CMacro* macro = CurrentMacro())
        FlowStepFields::ChooseLineTest(*macro, static_cast<FlowStepFields::LineTest>(i));
    });
  }
  m_zones->setObjectName(QStringLiteral("zones"));
  m_zones->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_zoneButton->setObjectName(QStringLiteral("zoneButton"));
  m_zoneButton->setIcon(CBitmapManager::Icon(CBitmapManager::kZonesBitmap));
  m_zoneButton->setToolTip(tr("Zones"));
  auto* row = new QHBoxLayout;
  row->addWidget(m_zoneButton);
  row->addWidget(m_zones, 1);
  ParameterLayout()->addLayout(row);
  connect(m_zoneButton, &QToolButton::clicked, this, &CZonetestMacroView::OnZones);
}

void CZonetestMacroView::OnZones() {
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  std::vector<CBaseDevice*> zonesAndGroups;
  macro->GetInputZonesAndGroups(zonesAndGroups);
  bool ok = false;
  if (m_zoneChooser) {
    ok = m_zoneChooser(zonesAndGroups);
  } else {
    CLinesGroupsDlg dlg(&zonesAndGroups, this, Document());
    ok = dlg.DoModal() == IDOK;
  }
  // The dialog may have run other events: ask for the macro again.
  macro = ok ? CurrentMacro() : nullptr;
  if (!macro) return;
  MacroStepFields::ApplyZonesMirrored(*macro, zonesAndGroups);
  m_zones->SetWindowText(macro->GetParamText(CMacro::P_ZONES));
}

void CZonetestMacroView::OnInitialUpdate() {
  const CMacro* macro = CurrentMacro();
  const int choice = macro ? FlowStepFields::LineTestChoice(*macro) : -1;
  for (int i = 0; i < 3; ++i) {
    const QSignalBlocker block(m_buttons[i]);
    m_buttons[i]->setChecked(i == choice);
  }
  m_zones->SetWindowText(macro ? macro->GetParamText(CMacro::P_ZONES) : QString());
}

SELV_REGISTER_MACRO_STEP_VIEW(CZonetestMacroView)
