#include "editors/macros/cvolumemacroview.h"

#include "editors/macros/levelstepfields.h"
#include "macros/cmacro.h"
#include "model/ctext.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

CVolumeMacroView::CVolumeMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(
          frame,
          tr("Change volume values.\n\nIf 'Direct' selected : volume value is absolute and specified in dB.\n"
             "If 'Controller' selected : volume value is relative to actual setting in dB (up/down)."),
          parent),
      m_source(AddChoiceRow(tr("Volume control"))),
      m_controller(new QRadioButton(tr("Controller"), ParameterBox())),
      m_direct(new QRadioButton(tr("Direct"), ParameterBox())),
      m_value(new QLineEdit(ParameterBox())),
      m_spin(new QSpinBox(ParameterBox())) {
  m_source->setObjectName(QStringLiteral("source"));
  m_value->setObjectName(QStringLiteral("value"));
  m_spin->setObjectName(QStringLiteral("spin"));
  // Only the arrows are used: the value is shown in the edit beside them.
  m_spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  m_spin->setMaximumWidth(20);
  auto* modes = new QHBoxLayout;
  modes->addWidget(m_controller);
  modes->addWidget(m_direct);
  ParameterLayout()->addLayout(modes);
  auto* row = new QHBoxLayout;
  row->addWidget(m_value, 1);
  row->addWidget(m_spin);
  row->addWidget(new QLabel(tr("dB"), ParameterBox()));
  ParameterLayout()->addLayout(row);
  AddPairRows(tr("Increment / absolute"), tr("Decrement / absolute"));
  connect(m_source, &QComboBox::activated, this, [this](int index) {
    CMacro* macro = CurrentMacro();
    if (macro && index >= 0) MacroStepFields::WriteMirroredText(*macro, CMacro::P_VOLSOURCE, m_source->itemText(index));
  });
  connect(m_controller, &QRadioButton::clicked, this, &CVolumeMacroView::OnModeClicked);
  connect(m_direct, &QRadioButton::clicked, this, &CVolumeMacroView::OnModeClicked);
  // The arrows are the user's only way to move the spin: its value is the
  // new level, shown in the edit and stored.
  connect(m_spin, &QSpinBox::valueChanged, this, [this](int value) {
    m_value->setText(Fmt("%d", value));
    if (CMacro* macro = CurrentMacro()) MacroStepFields::WriteMirrored(*macro, CMacro::P_VOLUME, value);
  });
  connect(m_value, &QLineEdit::textEdited, this, [this](const QString& text) {
    CMacro* macro = CurrentMacro();
    if (!macro) return;
    // A text without a number leaves the stored level as it is.
    const int value = LevelStepFields::ParseInt(text, macro->GetParam(CMacro::P_VOLUME));
    MacroStepFields::WriteMirrored(*macro, CMacro::P_VOLUME, value);
  });
}

void CVolumeMacroView::OnInitialUpdate() {
  MacroStepFields::Choices sources;
  for (const QString& text : LevelStepFields::VolumeSources()) sources.push_back({text, 0});
  const CMacro* macro = CurrentMacro();
  int index = 0;
  if (macro) {
    const QString current = macro->GetParamText(CMacro::P_VOLSOURCE);
    for (size_t i = 0; i < sources.size(); ++i) {
      if (sources[i].text == current) index = static_cast<int>(i);
    }
  }
  FillChoices(m_source, sources, index);
  const bool controller = macro && macro->GetParam(CMacro::P_INC) != 0;
  {
    const QSignalBlocker b1(m_controller);
    const QSignalBlocker b2(m_direct);
    (controller ? m_controller : m_direct)->setChecked(true);
  }
  const auto range = LevelStepFields::VolumeRange(controller);
  {
    const QSignalBlocker block(m_spin);
    m_spin->setRange(range.first, range.second);
  }
  const QSignalBlocker block(m_value);
  m_value->setText(macro ? macro->GetParamText(CMacro::P_VOLUME) : QString());
  if (macro) ShowPairRows(*macro);
}

void CVolumeMacroView::OnModeClicked() {
  const bool controller = m_controller->isChecked();
  const auto range = LevelStepFields::VolumeRange(controller);
  {
    const QSignalBlocker block(m_spin);
    m_spin->setRange(range.first, range.second);
  }
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  LevelStepFields::SetVolumeMode(*macro, controller);
  RequestRefresh();
}

SELV_REGISTER_MACRO_STEP_VIEW(CVolumeMacroView)
