#include "online/cpilotview.h"

#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "online/conlinereplyparser.h"
#include "shell/controls/cvalueedit.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

CPilotView::CPilotView(CSelvantisDoc* doc, QWidget* parent) : COnlineView(doc, parent), m_state(doc) { BuildForm(); }

void CPilotView::BuildForm() {
  auto* outer = new QVBoxLayout(this);
  auto* group = new QGroupBox(tr("Pilot tone generator"), this);
  outer->addWidget(group);
  outer->addStretch(1);
  auto* grid = new QGridLayout(group);

  m_on = new QPushButton(tr("On"), this);
  m_on->setObjectName(Fmt("%d", kOnId));
  m_on->setCheckable(true);
  connect(m_on, &QPushButton::clicked, this, [this] { OnSwitchClicked(); });
  grid->addWidget(m_on, 0, 0);

  // Frequency row.
  grid->addWidget(new QLabel(tr("Frequency"), this), 1, 0);
  m_frequencySlider = new QSlider(Qt::Horizontal, this);
  m_frequencySlider->setObjectName(Fmt("%d", kFrequencySliderId));
  m_frequencySlider->setRange(CPilotWindowState::kFrequencySliderMin, CPilotWindowState::kFrequencySliderMax);
  connect(m_frequencySlider, &QSlider::actionTriggered, this,
          [this](int) { OnFrequencySlider(m_frequencySlider->sliderPosition(), m_frequencySlider->isSliderDown()); });
  connect(m_frequencySlider, &QSlider::sliderReleased, this, [this] { OnFrequencySliderReleased(); });
  auto* sliderBox = new QVBoxLayout;
  sliderBox->addWidget(m_frequencySlider);
  auto* ends = new QHBoxLayout;
  ends->addWidget(new QLabel(tr("10 Hz"), this));
  ends->addStretch(1);
  ends->addWidget(new QLabel(tr("19000 Hz"), this));
  sliderBox->addLayout(ends);
  grid->addLayout(sliderBox, 1, 1, 1, 5);
  m_frequencyEdit = new CValueEdit(this);
  m_frequencyEdit->setObjectName(Fmt("%d", kFrequencyEditId));
  connect(m_frequencyEdit, &CValueEdit::killFocus, this, [this] { OnFrequencyEdited(); });
  grid->addWidget(m_frequencyEdit, 1, 6);
  grid->addWidget(new QLabel(tr("Hz"), this), 1, 7);

  // Level column: slider, the four bars with their output buttons, edits.
  grid->addWidget(new QLabel(tr("Volume"), this), 2, 0);
  grid->addWidget(new QLabel(tr("- 0 dB"), this), 3, 0, Qt::AlignTop);
  grid->addWidget(new QLabel(tr("- 150 dB"), this), 4, 0, Qt::AlignBottom);
  m_levelSlider = new QSlider(Qt::Vertical, this);
  m_levelSlider->setObjectName(Fmt("%d", kLevelSliderId));
  m_levelSlider->setRange(CPilotWindowState::kLevelSliderMin, CPilotWindowState::kLevelSliderMax);
  // The smallest position (0 dB) at the top.
  m_levelSlider->setInvertedAppearance(true);
  m_levelSlider->setInvertedControls(true);
  connect(m_levelSlider, &QSlider::actionTriggered, this,
          [this](int) { OnLevelSlider(m_levelSlider->sliderPosition(), m_levelSlider->isSliderDown()); });
  connect(m_levelSlider, &QSlider::sliderReleased, this, [this] { OnLevelSliderReleased(); });
  grid->addWidget(m_levelSlider, 3, 1, 2, 1);

  auto* buttons = new QButtonGroup(this);
  grid->addWidget(new QLabel(tr("OUT"), this), 5, 1);
  // Each bar stands on its own radio button: the four pairs share a row of
  // their own, so that no column of the rows above can pull them apart.
  auto* outputs = new QHBoxLayout;
  for (int n = 0; n < CPilotWindowState::kOutputCount; ++n) {
    auto* bar = new QProgressBar(this);
    bar->setObjectName(Fmt("%d", kLevelBarIds[n]));
    bar->setOrientation(Qt::Vertical);
    bar->setRange(0, CPilotWindowState::kLevelBarMax);
    bar->setTextVisible(false);
    auto* radio = new QRadioButton(Fmt("%d", n + 1), this);
    radio->setObjectName(Fmt("%d", kOutputButtonIds[n]));
    buttons->addButton(radio, n);
    connect(radio, &QRadioButton::clicked, this, [this, n] { OnSelectOutput(n); });
    auto* pair = new QVBoxLayout;
    pair->addWidget(bar, 1, Qt::AlignHCenter);
    pair->addWidget(radio, 0, Qt::AlignHCenter);
    outputs->addLayout(pair);
    m_levelBar[n] = bar;
    m_output[n] = radio;
  }
  grid->addLayout(outputs, 3, 2, 3, 4);
  auto* edits = new QGridLayout;
  for (int n = 0; n < CPilotWindowState::kOutputCount; ++n) {
    edits->addWidget(new QLabel(Fmt("OUT%d", n + 1), this), n, 0);
    auto* edit = new CValueEdit(this);
    edit->setObjectName(Fmt("%d", kLevelEditIds[n]));
    edit->setReadOnly(true);
    connect(edit, &CValueEdit::killFocus, this, [this, n] { OnLevelEdited(n); });
    edits->addWidget(edit, n, 1);
    edits->addWidget(new QLabel(tr("dB"), this), n, 2);
    m_levelEdit[n] = edit;
  }
  grid->addLayout(edits, 3, 6, 2, 2);
}

CValueEdit* CPilotView::LevelEdit(int output) const {
  return output >= 0 && output < CPilotWindowState::kOutputCount ? m_levelEdit[output] : nullptr;
}
QProgressBar* CPilotView::LevelBar(int output) const {
  return output >= 0 && output < CPilotWindowState::kOutputCount ? m_levelBar[output] : nullptr;
}
QRadioButton* CPilotView::OutputButton(int output) const {
  return output >= 0 && output < CPilotWindowState::kOutputCount ? m_output[output] : nullptr;
}

void CPilotView::ShowFrequency(bool moveSlider) {
  m_frequencyEdit->SetFloat(m_state.Frequency(), true, QStringLiteral("%.1f"));
  if (moveSlider) {
    const QSignalBlocker block(m_frequencySlider);
    m_frequencySlider->setValue(m_state.FrequencySliderPos());
  }
}

void CPilotView::ShowLevel(int output) {
  m_levelEdit[output]->SetFloat(m_state.Level(output), true, QStringLiteral("%.1f"));
  m_levelBar[output]->setValue(m_state.LevelBarPos(output));
}

void CPilotView::Send(const QStringList& lines) {
  if (!lines.isEmpty()) GetDeviceLink()->SendCommandList(lines, false, 0, this, 0);
}

void CPilotView::OnInitialUpdate() {
  m_state.Reset();
  // The project without a generator: nothing to edit.
  setEnabled(m_state.Generator() != nullptr);
  ShowFrequency(true);
  m_on->setChecked(m_state.IsOn());
  {
    const QSignalBlocker block(m_levelSlider);
    m_levelSlider->setValue(0);
  }
  for (int n = 0; n < CPilotWindowState::kOutputCount; ++n) ShowLevel(n);
  StartPollTimer(IDT_STATUS_POLL, CPilotWindowState::kPollPeriodMs);
}

void CPilotView::OnPoll() { GetDeviceLink()->SendCommandList(CPilotWindowState::PollCommands(), true, 0, this, 0); }

void CPilotView::TransferSettings(bool bUpload) { m_state.Transfer(*GetDeviceLink(), this, bUpload); }

void CPilotView::OnSwitchClicked() {
  Send(m_state.SetOn(m_on->isChecked(), IsOnline()));
  m_on->setChecked(m_state.IsOn());
}

void CPilotView::OnFrequencySlider(int position, bool dragging) {
  const QStringList lines = m_state.FrequencyFromSlider(position, dragging, IsOnline());
  ShowFrequency(false);
  Send(lines);
}

void CPilotView::OnFrequencyEdited() {
  const QStringList lines = m_state.FrequencyFromText(m_frequencyEdit->text(), IsOnline());
  ShowFrequency(true);
  Send(lines);
}

void CPilotView::OnSelectOutput(int output) {
  if (!m_state.SelectOutput(output)) return;
  for (int n = 0; n < CPilotWindowState::kOutputCount; ++n) m_levelEdit[n]->setReadOnly(n != output);
  if (!m_output[output]->isChecked()) m_output[output]->setChecked(true);
  const QSignalBlocker block(m_levelSlider);
  m_levelSlider->setValue(CPilotWindowState::LevelSliderPosOf(m_state.Level(output)));
}

void CPilotView::OnLevelSlider(int position, bool dragging) {
  const int output = m_state.SelectedOutput();
  if (output < 0) return;
  const QStringList lines = m_state.LevelFromSlider(position, dragging, IsOnline());
  ShowLevel(output);
  Send(lines);
}

void CPilotView::OnLevelEdited(int output) {
  if (output != m_state.SelectedOutput()) return;
  const QStringList lines = m_state.LevelFromText(output, m_levelEdit[output]->text(), IsOnline());
  ShowLevel(output);
  const QSignalBlocker block(m_levelSlider);
  m_levelSlider->setValue(CPilotWindowState::LevelSliderPosOf(m_state.Level(output)));
  Send(lines);
}

void CPilotView::OnCommReply(int /*tag*/, const QStringList& lines) {
  const CPilotWindowState::Changes changes = m_state.ApplyReply(lines);
  COnlineReplyParser::ConsumeLinkReplies();
  if (changes.on) m_on->setChecked(m_state.IsOn());
  if (changes.frequency) ShowFrequency(true);
  for (int n = 0; n < CPilotWindowState::kOutputCount; ++n) {
    if (changes.levels[n]) ShowLevel(n);
  }
}
