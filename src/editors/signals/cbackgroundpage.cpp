#include "editors/signals/cbackgroundpage.h"

#include "editors/signals/csignallistdlg.h"
#include "editors/signals/volumescale.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cnumericedit.h"
#include "shell/controls/cspinbuttons.h"
#include "shell/controls/ctickslider.h"
#include "unit/cmiscaudio.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <cmath>

namespace {
const QStringList kInputs{QStringLiteral("Slot1:A"), QStringLiteral("Slot1:B"), QStringLiteral("Slot2:A"),
                          QStringLiteral("Slot2:B")};
}  // namespace

CBackgroundPage::CBackgroundPage(CSelvantisDoc& doc, QWidget* parent)
    : CSignalPage(doc, tr("Common settings and program"), parent), m_settings(CMiscAudio::Find(&doc)) {
  auto* grid = new QGridLayout(this);
  const QString names[4] = {tr("Alarm"), tr("Chime"), tr("Text"), tr("Panic")};
  for (int i = 0; i < 4; ++i) {
    const bool bPanic = BackgroundSettings::IsPanic(i);
    grid->addWidget(new QLabel(names[i], this), 0, i);
    m_slider[i] = new CTickSlider(Qt::Vertical, this);
    m_slider[i]->setObjectName(QStringLiteral("volumeSlider%1").arg(i));
    m_slider[i]->setInvertedAppearance(true);  // position 0 (loudest) at the top
    m_slider[i]->setInvertedControls(true);
    m_slider[i]->setRange(VolumeScale::TopPosition(bPanic), VolumeScale::kBottom);
    m_slider[i]->SetTickPositions(VolumeScale::TickPositions(bPanic));
    grid->addWidget(m_slider[i], 1, i);
    m_edit[i] = new CNumericEdit(this);
    m_edit[i]->setObjectName(QStringLiteral("volumeEdit%1").arg(i));
    m_edit[i]->Setup(true, QStringLiteral("%.1f"), VolumeScale::kSilentDb, VolumeScale::MaxLevel(bPanic), 0.0, true,
                     VolumeScale::kSilentDb, QStringLiteral("OFF"));
    grid->addWidget(m_edit[i], 2, i);
    // Arrows only: the level is the edit's; the spin's own count from the
    // bottom means nothing to the user.
    m_spin[i] = new CSpinButtons(this);
    m_spin[i]->setObjectName(QStringLiteral("volumeSpin%1").arg(i));
    m_spin[i]->setRange(0, VolumeScale::kBottom - VolumeScale::TopPosition(bPanic));
    grid->addWidget(m_spin[i], 3, i);
    connect(m_slider[i], &QSlider::valueChanged, this, [this, i](int position) { OnSliderMoved(i, position); });
    connect(m_spin[i], &QSpinBox::valueChanged, this, [this, i](int value) { OnSpinStepped(i, value); });
    connect(m_edit[i], &CNumericEdit::valueEdited, this, [this, i] { OnVolumeEdited(i); });
  }
  grid->addWidget(new QLabel(tr("Attenuation during announcement :"), this), 4, 0, 1, 2);
  m_attEdit = new CNumericEdit(this);
  m_attEdit->setObjectName(QStringLiteral("attenuationEdit"));
  m_attEdit->Setup(false, QStringLiteral("%d"), BackgroundSettings::kMinAttenuation,
                   BackgroundSettings::kMaxAttenuation, 0, true, BackgroundSettings::kMinAttenuation,
                   QStringLiteral("OFF"));
  m_attSpin = new CSpinButtons(this);
  m_attSpin->setObjectName(QStringLiteral("attenuationSpin"));
  m_attSpin->setRange(BackgroundSettings::kMinAttenuation, BackgroundSettings::kMaxAttenuation);
  grid->addWidget(m_attEdit, 4, 2);
  grid->addWidget(m_attSpin, 4, 3);
  grid->addWidget(new QLabel(tr("dB"), this), 4, 4);
  connect(m_attEdit, &CNumericEdit::valueEdited, this, &CBackgroundPage::OnAttenuationEdited);
  connect(m_attSpin, &QSpinBox::valueChanged, this, &CBackgroundPage::OnAttenuationStepped);

  auto makeCombo = [this](const char* name) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(kInputs);
    connect(combo, &QComboBox::activated, this, [this] { SetModified(); });
    return combo;
  };
  m_program = makeCombo("program");
  m_extAlarm = makeCombo("extAlarm");
  m_extText = makeCombo("extText");
  // The external inputs are kept in the project but not offered.
  m_extAlarm->hide();
  m_extText->hide();
  grid->addWidget(new QLabel(tr("Program"), this), 5, 0);
  grid->addWidget(m_program, 5, 1, 1, 2);
  grid->addWidget(m_extAlarm, 6, 0);
  grid->addWidget(m_extText, 6, 1);
  grid->setRowStretch(7, 1);

  Load();
}

void CBackgroundPage::ShowVolume(int volume, double level) {
  const bool bPanic = BackgroundSettings::IsPanic(volume);
  const int position = VolumeScale::PositionOf(level, bPanic);
  const QSignalBlocker b1(m_slider[volume]);
  const QSignalBlocker b2(m_spin[volume]);
  const QSignalBlocker b3(m_edit[volume]);
  m_slider[volume]->setValue(position);
  m_spin[volume]->setValue(VolumeScale::ClampSpin(VolumeScale::SpinOf(position), bPanic));
  m_edit[volume]->SetValue(level);
}

void CBackgroundPage::Load() {
  const BackgroundSettings::State state = m_settings.Load();
  for (int i = 0; i < 4; ++i) ShowVolume(i, state.volume[i]);
  const QSignalBlocker b1(m_attEdit);
  const QSignalBlocker b2(m_attSpin);
  m_attEdit->SetValue(state.attenuation);
  m_attSpin->setValue(state.attenuation);
  m_program->setCurrentIndex(state.programInput);
  m_extAlarm->setCurrentIndex(state.extAlarmInput);
  m_extText->setCurrentIndex(state.extTextInput);
}

void CBackgroundPage::OnSetActive() {
  if (List()) m_savedRow = List()->EnableList(false, -1);
  Load();
}

void CBackgroundPage::OnKillActive(bool) {
  if (List()) List()->EnableList(true, m_savedRow);
}

void CBackgroundPage::OnSliderMoved(int volume, int position) {
  const double level = m_settings.ChangeVolume(volume, VolumeScale::LevelOf(position));
  ShowVolume(volume, level);
  SetModified();
}

void CBackgroundPage::OnSpinStepped(int volume, int spinValue) {
  const bool bPanic = BackgroundSettings::IsPanic(volume);
  const int position = VolumeScale::kBottom - VolumeScale::ClampSpin(spinValue, bPanic);
  const double level = BackgroundSettings::ClampVolume(volume, VolumeScale::LevelOf(position));
  if (std::fabs(level - m_edit[volume]->GetValue()) > 1e-9) ShowVolume(volume, m_settings.ChangeVolume(volume, level));
  SetModified();
}

void CBackgroundPage::OnVolumeEdited(int volume) {
  const double level = m_edit[volume]->ReadText();
  ShowVolume(volume, m_settings.ChangeVolume(volume, level));
  SetModified();
}

void CBackgroundPage::OnAttenuationEdited() {
  const int value = m_settings.ChangeAttenuation(static_cast<int>(m_attEdit->ReadText()));
  const QSignalBlocker blocker(m_attSpin);
  m_attSpin->setValue(value);
  SetModified();
}

void CBackgroundPage::OnAttenuationStepped(int value) {
  const int kept = BackgroundSettings::ClampAttenuation(value);
  if (kept != static_cast<int>(m_attEdit->GetValue())) {
    const QSignalBlocker blocker(m_attEdit);
    m_attEdit->SetValue(m_settings.ChangeAttenuation(kept));
  }
  SetModified();
}

BackgroundSettings::State CBackgroundPage::ReadControls() const {
  BackgroundSettings::State state;
  for (int i = 0; i < 4; ++i) state.volume[i] = m_edit[i]->GetValue();
  state.attenuation = static_cast<int>(m_attEdit->GetValue());
  state.programInput = std::max(0, m_program->currentIndex());
  state.extAlarmInput = std::max(0, m_extAlarm->currentIndex());
  state.extTextInput = std::max(0, m_extText->currentIndex());
  return state;
}

void CBackgroundPage::OnApply(bool) {
  m_settings.Save(ReadControls());
  SetModified(false);
}
