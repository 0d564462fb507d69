#include "editors/macros/cdigiomacroview.h"

#include "editors/macros/levelstepfields.h"
#include "macros/cmacro.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

CDIGIOMacroView::CDIGIOMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame,
                     tr("Switch a logic output  ( 8 I/O Control module, KCM 208, KCM 209 ) .\n"
                        "A pulse width of 0 switches the output statically; a pulse width above 0 "
                        "switches it for that time and back."),
                     parent),
      m_output(AddChoiceRow(tr("Output"))),
      m_time(new QLineEdit(ParameterBox())) {
  m_output->setObjectName(QStringLiteral("output"));
  m_time->setObjectName(QStringLiteral("time"));
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(tr("Time"), ParameterBox()));
  row->addWidget(m_time, 1);
  row->addWidget(new QLabel(tr("s   (0.1 - 100.0 s\n      0 = static)"), ParameterBox()));
  ParameterLayout()->addLayout(row);
  AddPairRows(tr("Output ON"), tr("Output OFF"));
  connect(m_output, &QComboBox::activated, this, [this](int index) {
    CMacro* macro = CurrentMacro();
    if (macro && index >= 0) LevelStepFields::SetDigitalOutput(*macro, Document(), m_output->itemData(index).toInt());
  });
  connect(m_time, &QLineEdit::textEdited, this, [this](const QString& text) {
    CMacro* macro = CurrentMacro();
    if (!macro) return;
    // A text without a number switches statically.
    const double seconds = LevelStepFields::ParseFloat(text, 0.0);
    MacroStepFields::WriteMirroredFloat(*macro, CMacro::P_PULSE, static_cast<float>(seconds));
  });
}

void CDIGIOMacroView::OnInitialUpdate() {
  const auto outputs = LevelStepFields::DigitalOutputChoices(Document());
  const CMacro* macro = CurrentMacro();
  const CBaseDevice* connected = macro ? LevelStepFields::ConnectedOutput(*macro) : nullptr;
  FillChoices(m_output, outputs, connected ? MacroStepFields::ChoiceIndex(outputs, connected->GetID()) : 0);
  const QSignalBlocker block(m_time);
  m_time->setText(macro ? macro->GetParamText(CMacro::P_PULSE) : QString());
  if (macro) ShowPairRows(*macro);
}

SELV_REGISTER_MACRO_STEP_VIEW(CDIGIOMacroView)
