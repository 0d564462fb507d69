#include "editors/macros/cslaveclockmacroview.h"

#include "editors/macros/flowstepfields.h"
#include "macros/cmacro.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

CSlaveClockMacroView::CSlaveClockMacroView(CMacroDlgFrm* frame, QWidget* parent)
    : CMacroStepView(frame, tr("Functions for slave clocks"), parent), m_time(new QTimeEdit(ParameterBox())) {
  const QString labels[3] = {tr("Start slave clock"), tr("Stop slave clock"), tr("Set slave clock")};
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  for (int i = 0; i < 3; ++i) {
    m_buttons[i] = new QPushButton(labels[i], ParameterBox());
    m_buttons[i]->setCheckable(true);
    group->addButton(m_buttons[i], i);
    ParameterLayout()->addWidget(m_buttons[i]);
    connect(m_buttons[i], &QPushButton::clicked, this, [this, i] {
      if (CMacro* macro = CurrentMacro())
        FlowStepFields::ChooseSlaveClock(*macro, static_cast<FlowStepFields::SlaveClock>(i));
    });
  }
  m_time->setObjectName(QStringLiteral("clockTime"));
  m_time->setDisplayFormat(QStringLiteral("H:mm"));
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(tr("Slaveclocks shows"), ParameterBox()));
  row->addWidget(m_time, 1);
  ParameterLayout()->addLayout(row);
  // Every change is stored at once (a time picked and the editor closed
  // without leaving the picker is kept); filling blocks the signal.
  connect(m_time, &QTimeEdit::timeChanged, this, [this](QTime t) {
    CMacro* macro = CurrentMacro();
    if (!macro || !t.isValid()) return;
    FlowStepFields::SetSlaveClockMinutes(*macro, t.hour() * 60 + t.minute());
  });
}

void CSlaveClockMacroView::OnInitialUpdate() {
  CMacro* macro = CurrentMacro();
  const int choice = macro ? FlowStepFields::SlaveClockChoice(*macro) : -1;
  for (int i = 0; i < 3; ++i) {
    const QSignalBlocker block(m_buttons[i]);
    m_buttons[i]->setChecked(i == choice);
  }
  const int minutes = macro ? FlowStepFields::SlaveClockMinutes(*macro) : 0;
  const QSignalBlocker block(m_time);
  m_time->setTime(QTime(minutes / 60, minutes % 60));
}

SELV_REGISTER_MACRO_STEP_VIEW(CSlaveClockMacroView)
