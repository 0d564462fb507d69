#include "editors/macros/cbuzzermacroview.h"

#include "editors/macros/consolestepfields.h"
#include "macros/cmacro.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CBuzzerMacroView::CBuzzerMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Configuring the console buzzer"), parent), m_console(AddChoiceRow(tr("Console"))) {
  QWidget* box = ParameterBox();
  m_console->setObjectName(QStringLiteral("console"));

  auto* patternRow = new QHBoxLayout;
  m_pattern = new QLineEdit(box);
  m_pattern->setObjectName(QStringLiteral("pattern"));
  m_pattern->setMaxLength(ConsoleStepFields::kTextMax);
  patternRow->addWidget(new QLabel(tr("Pattern"), box));
  patternRow->addWidget(m_pattern, 1);
  patternRow->addWidget(new QLabel(tr("( max. 16 characters)"), box));
  ParameterLayout()->addLayout(patternRow);

  m_time = AddNumberRow(tr("Time for one pattern"), QStringLiteral("0."), tr("s       (0=buzzer off)"), "patternTime");
  m_repeat = AddNumberRow(tr("Pattern repeat counter"), QString(), tr("(0=infinite, 1 .. 255)"), "repeat");
  m_pause = AddNumberRow(tr("Pause between patterns"), QString(), tr("s (0 .. 255 s)"), "pause");
  m_repeat->setMaxLength(3);
  m_pause->setMaxLength(3);

  connect(m_console, &QComboBox::activated, this, [this](int index) {
    CMacro* macro = CurrentMacro();
    if (macro && index >= 0) ConsoleStepFields::WriteConsole(*macro, m_console->itemData(index).toInt());
  });
  connect(m_pattern, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (CMacro* macro = CurrentMacro()) ConsoleStepFields::WriteText(*macro, text);
  });
  connect(m_time, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (CMacro* macro = CurrentMacro()) ConsoleStepFields::WritePatternTime(*macro, text);
  });
  connect(m_repeat, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (CMacro* macro = CurrentMacro()) ConsoleStepFields::WriteBuzzerCount(*macro, CMacro::P_BUZZ_REPEAT, text);
  });
  connect(m_pause, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (CMacro* macro = CurrentMacro()) ConsoleStepFields::WriteBuzzerCount(*macro, CMacro::P_BUZZ_PAUSE, text);
  });
}

QLineEdit* CBuzzerMacroView::AddNumberRow(const QString& label, const QString& before, const QString& after,
                                          const char* name) {
  QWidget* box = ParameterBox();
  auto* row = new QHBoxLayout;
  auto* edit = new QLineEdit(box);
  edit->setObjectName(QString::fromLatin1(name));
  row->addWidget(new QLabel(label, box), 1);
  if (!before.isEmpty()) row->addWidget(new QLabel(before, box));
  row->addWidget(edit);
  row->addWidget(new QLabel(after, box), 1);
  ParameterLayout()->addLayout(row);
  return edit;
}

void CBuzzerMacroView::OnInitialUpdate() {
  const MacroStepFields::Choices consoles = ConsoleStepFields::ConsoleChoices(Document());
  const CMacro* macro = CurrentMacro();
  FillChoices(m_console, consoles,
              macro ? MacroStepFields::ChoiceIndex(consoles, macro->GetParam(CMacro::P_CONSOLE)) : 0);
  if (!macro) return;
  m_pattern->setText(macro->GetParamText(CMacro::P_TEXT));
  m_time->setText(ConsoleStepFields::NumberText(*macro, CMacro::P_TIME));
  m_pause->setText(ConsoleStepFields::NumberText(*macro, CMacro::P_BUZZ_PAUSE));
  m_repeat->setText(ConsoleStepFields::NumberText(*macro, CMacro::P_BUZZ_REPEAT));
}

SELV_REGISTER_MACRO_STEP_VIEW(CBuzzerMacroView)
