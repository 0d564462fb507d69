#include "editors/macros/campmacroview.h"

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

CAmpMacroView::CAmpMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Switching options for remote amplifiers"), parent),
      m_ampText(new QLabel(ParameterBox())),
      m_select(new QPushButton(QStringLiteral("..."), ParameterBox())) {
  auto* ampRow = new QHBoxLayout;
  ampRow->addWidget(new QLabel(tr("Amplifier"), ParameterBox()));
  m_ampText->setObjectName(QStringLiteral("ampText"));
  m_ampText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_select->setObjectName(QStringLiteral("select"));
  ampRow->addWidget(m_ampText, 1);
  ampRow->addWidget(m_select);
  ParameterLayout()->addLayout(ampRow);
  connect(m_select, &QPushButton::clicked, this, &CAmpMacroView::OnSelect);

  const struct {
    int param;
    int bit;
    const char* label;
    const char* name;
  } table[] = {
      {CMacro::P_AMP_ON, AmpStepFields::kMainPower, QT_TR_NOOP("Main Power"), "onMains"},
      {CMacro::P_AMP_ON, AmpStepFields::kBattery, QT_TR_NOOP("Battery"), "onBattery"},
      {CMacro::P_AMP_ON, AmpStepFields::kPilotTone, QT_TR_NOOP("Pilot tone"), "onPilot"},
      {CMacro::P_AMP_ON, AmpStepFields::kFaultReset, QT_TR_NOOP("FAULT reset"), "onFaultReset"},
      {CMacro::P_AMP_OFF, AmpStepFields::kMainPower, QT_TR_NOOP("Main Power"), "offMains"},
      {CMacro::P_AMP_OFF, AmpStepFields::kBattery, QT_TR_NOOP("Battery"), "offBattery"},
      {CMacro::P_AMP_OFF, AmpStepFields::kPilotTone, QT_TR_NOOP("Pilot tone"), "offPilot"},
  };
  auto* columns = new QHBoxLayout;
  auto* on = new QGroupBox(tr("Activation Options"), ParameterBox());
  auto* off = new QGroupBox(tr("Switch off options"), ParameterBox());
  auto* onLayout = new QVBoxLayout(on);
  auto* offLayout = new QVBoxLayout(off);
  for (const auto& row : table) {
    const bool activation = row.param == CMacro::P_AMP_ON;
    auto* box = new QCheckBox(tr(row.label), activation ? on : off);
    box->setObjectName(QString::fromLatin1(row.name));
    (activation ? onLayout : offLayout)->addWidget(box);
    m_options.push_back({row.param, row.bit, box});
    const int param = row.param;
    const int bit = row.bit;
    connect(box, &QCheckBox::clicked, this, [this, param, bit] { OnOption(param, bit); });
  }
  offLayout->addStretch(1);
  columns->addWidget(on);
  columns->addWidget(off);
  ParameterLayout()->addLayout(columns);
}

QCheckBox* CAmpMacroView::OptionBox(int param, int bit) const {
  for (const Option& option : m_options) {
    if (option.param == param && option.bit == bit) return option.box;
  }
  return nullptr;
}

void CAmpMacroView::OnInitialUpdate() {
  const CMacro* macro = CurrentMacro();
  if (!macro) return;
  // The list the choice below stores (see AmpStepFields::SelectionParam).
  m_ampText->setText(macro->GetParamText(AmpStepFields::SelectionParam(*macro)));
  for (const Option& option : m_options) {
    const QSignalBlocker block(option.box);
    option.box->setChecked(AmpStepFields::HasOption(*macro, option.param, option.bit));
  }
}

void CAmpMacroView::OnOption(int param, int bit) {
  CMacro* macro = CurrentMacro();
  QCheckBox* box = OptionBox(param, bit);
  if (!macro || !box) return;
  AmpStepFields::SetOption(*macro, param, bit, box->isChecked());
  // Show what the macro keeps now, the cleared partner box included.
  for (const Option& option : m_options) {
    const QSignalBlocker block(option.box);
    option.box->setChecked(AmpStepFields::HasOption(*macro, option.param, option.bit));
  }
}

void CAmpMacroView::OnSelect() {
  CMacro* macro = CurrentMacro();
  if (!macro) return;
  const int param = AmpStepFields::SelectionParam(*macro);
  const unsigned kind = AmpStepFields::SelectionKind(*macro);
  const std::optional<QString> chosen = m_chooser ? m_chooser(kind, macro->GetParamText(param))
                                                  : RunAmpSelection(this, Document(), kind, macro->GetParamText(param));
  if (!chosen) return;
  macro = CurrentMacro();
  if (!macro) return;
  macro->SetParamText(param, *chosen);
  m_ampText->setText(macro->GetParamText(param));
}

SELV_REGISTER_MACRO_STEP_VIEW(CAmpMacroView)
