#include "editors/macros/campmutemacroview.h"

#include "editors/macros/ampstepfields.h"
#include "editors/macros/ampstepselection.h"
#include "macros/cmacro.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CAmpMuteMacroView::CAmpMuteMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Mute an amplifier channel"), parent),
      m_channelText(new QLabel(ParameterBox())),
      m_select(new QPushButton(QStringLiteral("..."), ParameterBox())),
      m_mute(new QCheckBox(tr("Mute"), ParameterBox())) {
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(tr("Amplifier channels"), ParameterBox()));
  m_channelText->setObjectName(QStringLiteral("channelText"));
  m_channelText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_select->setObjectName(QStringLiteral("select"));
  m_mute->setObjectName(QStringLiteral("mute"));
  row->addWidget(m_channelText, 1);
  row->addWidget(m_select);
  ParameterLayout()->addLayout(row);
  ParameterLayout()->addWidget(m_mute);
  connect(m_select, &QPushButton::clicked, this, &CAmpMuteMacroView::OnSelect);
  connect(m_mute, &QCheckBox::clicked, this, &CAmpMuteMacroView::OnMute);
}

void CAmpMuteMacroView::OnInitialUpdate() {
  const CMacro* macro = CurrentMacro();
  if (!macro) return;
  m_channelText->setText(macro->GetParamText(AmpStepFields::SelectionParam(*macro)));
  const QSignalBlocker block(m_mute);
  m_mute->setChecked(macro->GetParam(CMacro::P_MUTE) != 0);
}

void CAmpMuteMacroView::OnMute() {
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  macro->SetParam(CMacro::P_MUTE, m_mute->isChecked() ? 1 : 0);
}

void CAmpMuteMacroView::OnSelect() {
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  const int param = AmpStepFields::SelectionParam(*macro);
  const unsigned kind = AmpStepFields::SelectionKind(*macro);
  const QString preset = macro->GetParamText(param);
  const std::optional<QString> chosen =
      m_chooser ? m_chooser(kind, preset) : RunAmpSelection(this, Document(), kind, preset);
  if (!chosen) return;
  macro = CurrentMacro();
  if (!macro) return;
  macro->SetParamText(param, *chosen);
  m_channelText->setText(macro->GetParamText(param));
}

SELV_REGISTER_MACRO_STEP_VIEW(CAmpMuteMacroView)
