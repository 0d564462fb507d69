#include "editors/macros/clcdtextmacroview.h"

#include "editors/macros/consolestepfields.h"
#include "macros/cmacro.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CLCDTextMacroView::CLCDTextMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Display a line of text on a Paging Console LCD"), parent),
      m_console(AddChoiceRow(tr("Console"))) {
  QWidget* box = ParameterBox();
  m_console->setObjectName(QStringLiteral("console"));

  auto* durationRow = new QHBoxLayout;
  m_duration = new QLineEdit(box);
  m_duration->setObjectName(QStringLiteral("duration"));
  durationRow->addWidget(new QLabel(tr("Text Display Duration"), box));
  durationRow->addWidget(m_duration);
  durationRow->addWidget(new QLabel(tr("s       ( 0 = infinite )"), box), 1);
  ParameterLayout()->addLayout(durationRow);

  auto* lineRow = new QHBoxLayout;
  m_line1 = new QRadioButton(tr("Line 1"), box);
  m_line2 = new QRadioButton(tr("Line 2"), box);
  m_line1->setObjectName(QStringLiteral("line1"));
  m_line2->setObjectName(QStringLiteral("line2"));
  // One group: the arrow keys move between the lines and choose one.
  m_lines = new QButtonGroup(this);
  m_lines->setExclusive(true);
  m_lines->addButton(m_line1, 1);
  m_lines->addButton(m_line2, 2);
  lineRow->addWidget(m_line1);
  lineRow->addWidget(m_line2);
  lineRow->addStretch(1);
  ParameterLayout()->addLayout(lineRow);

  auto* textRow = new QHBoxLayout;
  m_text = new QLineEdit(box);
  m_text->setObjectName(QStringLiteral("text"));
  m_text->setMaxLength(ConsoleStepFields::kTextMax);
  textRow->addWidget(m_text, 1);
  textRow->addWidget(new QLabel(tr("( max. 16 chars )"), box));
  ParameterLayout()->addLayout(textRow);

  m_clear = new QCheckBox(tr("clear other line"), box);
  m_buzzer = new QCheckBox(tr("buzzer when new text"), box);
  m_clear->setObjectName(QStringLiteral("clearOtherLine"));
  m_buzzer->setObjectName(QStringLiteral("buzzer"));
  ParameterLayout()->addWidget(m_clear);
  ParameterLayout()->addWidget(m_buzzer);

  connect(m_console, &QComboBox::activated, this, [this](int index) {
    CMacro* macro = CurrentMacro();
    if (macro && index >= 0) ConsoleStepFields::WriteConsole(*macro, m_console->itemData(index).toInt());
  });
  connect(m_text, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (CMacro* macro = CurrentMacro()) ConsoleStepFields::WriteText(*macro, text);
  });
  connect(m_duration, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (CMacro* macro = CurrentMacro()) ConsoleStepFields::WriteDisplayDuration(*macro, text);
  });
  // However the user chooses (mouse, arrow keys, shortcut); filling blocks
  // the signals.
  connect(m_lines, &QButtonGroup::idToggled, this, [this](int line, bool checked) {
    if (!checked) return;
    if (CMacro* macro = CurrentMacro()) ConsoleStepFields::WriteLine(*macro, line);
  });
  connect(m_clear, &QCheckBox::clicked, this, [this](bool checked) {
    if (CMacro* macro = CurrentMacro()) ConsoleStepFields::WriteFlag(*macro, CMacro::P_SET_RUN, checked);
  });
  connect(m_buzzer, &QCheckBox::clicked, this, [this](bool checked) {
    if (CMacro* macro = CurrentMacro()) ConsoleStepFields::WriteFlag(*macro, CMacro::P_SET_TIME, checked);
  });
}

void CLCDTextMacroView::OnInitialUpdate() {
  const MacroStepFields::Choices consoles = ConsoleStepFields::ConsoleChoices(Document());
  const CMacro* macro = CurrentMacro();
  FillChoices(m_console, consoles,
              macro ? MacroStepFields::ChoiceIndex(consoles, macro->GetParam(CMacro::P_CONSOLE)) : 0);
  if (!macro) return;
  const int line = macro->GetParam(CMacro::P_LINE);
  m_text->setText(macro->GetParamText(CMacro::P_TEXT));
  ShowLine(line);
  m_duration->setText(ConsoleStepFields::NumberText(*macro, CMacro::P_TIME));
  m_clear->setChecked(macro->GetParam(CMacro::P_SET_RUN) != 0);
  m_buzzer->setChecked(macro->GetParam(CMacro::P_SET_TIME) != 0);
}

void CLCDTextMacroView::ShowLine(int line) {
  const QSignalBlocker b1(m_line1);
  const QSignalBlocker b2(m_line2);
  const QSignalBlocker b3(m_lines);
  // An exclusive group keeps one button checked: a line other than 1 or 2
  // shows neither only with the group opened for a moment.
  m_lines->setExclusive(false);
  m_line1->setChecked(line == 1);
  m_line2->setChecked(line == 2);
  m_lines->setExclusive(true);
}

SELV_REGISTER_MACRO_STEP_VIEW(CLCDTextMacroView)
