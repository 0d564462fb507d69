#include "online/cremoteampdlg.h"

#include "amps/camplifier.h"
#include "amps/ui/camplifierpropdlg.h"
#include "link/idevicelink.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "online/clinestatebar.h"
#include "online/conlinereplyparser.h"
#include "shell/controls/cellipsisstatic.h"
#include "shell/controls/cvalueedit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

enum ControlId {
  kIdType = 1592,
  kIdFirmware = 1593,
  kIdRelayMapping = 1595,
  kIdChannelMapping = 1596,
  kIdLastError = 1597,
  kIdPilotDetection = 1598,
  kIdGroundDetection = 1599,
  kIdOvertemperature = 1606,
  kIdReady = 1607,
  kIdVolumeText = 1614,
  kIdOffsetText = 1615,
  kIdChannelPilot = 1617,
  kIdChannelGround = 1618,
  kIdChannelOvertemp = 1619,
  kIdOutputConfig = 1620,
  kIdMeasurement = 1621,
};

const bool g_registered = [] {
  CRemoteAmpDlg::Register();
  return true;
}();

QSlider* MakeSlider(int min, int max, int pos, QWidget* parent) {
  auto* slider = new QSlider(Qt::Vertical, parent);
  slider->setRange(min, max);
  // The minimum sits at the top.
  slider->setInvertedAppearance(true);
  slider->setInvertedControls(true);
  slider->setValue(pos);
  return slider;
}

QProgressBar* MakeMeter(int max, QWidget* parent) {
  auto* meter = new QProgressBar(parent);
  meter->setOrientation(Qt::Vertical);
  meter->setRange(0, max);
  meter->setValue(0);
  meter->setTextVisible(false);
  return meter;
}

}  // namespace

void CRemoteAmpDlg::Register() {
  CAmplifierPropDlg::SetRemoteAmpRunner([](CSelvantisDoc*, QWidget* parent) {
    auto* props = qobject_cast<CAmplifierPropDlg*>(parent);
    CAmplifier* amp = props != nullptr ? props->State().GetAmplifier() : nullptr;
    if (amp == nullptr) return;
    CRemoteAmpDlg dlg(amp, parent);
    dlg.DoModal();
  });
}

CRemoteAmpDlg::CRemoteAmpDlg(CAmplifier* amplifier, QWidget* parent)
    : CResizableDialog(kTemplateId, parent),
      m_state(amplifier != nullptr ? amplifier->GetAddress() : CAmplifier::kNoAddress),
      m_statusTimer(new QTimer(this)),
      m_meterTimer(new QTimer(this)),
      m_decayTimer(new QTimer(this)),
      m_tabs(new QTabBar(this)),
      m_channelArea(new QWidget(this)),
      m_outMeter(MakeMeter(CRemoteAmpState::kOutMeterMax, this)),
      m_inMeter(MakeMeter(CRemoteAmpState::kInMeterMax, this)),
      m_volume(MakeSlider(CRemoteAmpState::kVolumeMinPos, CRemoteAmpState::kVolumeMaxPos,
                          CRemoteAmpState::kVolumeMaxPos, this)),
      m_offset(MakeSlider(CRemoteAmpState::kOffsetMinPos, CRemoteAmpState::kOffsetMaxPos,
                          CRemoteAmpState::kOffsetMaxPos, this)),
      m_mainPower(new QCheckBox(tr("Main Power"), this)),
      m_battery(new QCheckBox(tr("Battery"), this)),
      m_pilotGen(new QCheckBox(tr("On"), this)),
      m_mute(new QCheckBox(tr("Mute"), this)),
      m_reset(new QPushButton(tr("Reset"), this)),
      m_name(new CValueEdit(this)),
      m_lineBar(new CLineStateBar(GetActiveDoc(), this)) {
  setWindowTitle(tr("Remote amplifier properties"));
  for (int id : {kIdType, kIdFirmware, kIdRelayMapping, kIdChannelMapping, kIdLastError, kIdPilotDetection,
                 kIdGroundDetection, kIdOvertemperature, kIdReady, kIdVolumeText, kIdOffsetText, kIdChannelPilot,
                 kIdChannelGround, kIdChannelOvertemp, kIdOutputConfig, kIdMeasurement})
    m_texts.push_back({id, new CEllipsisStatic(this)});
  Text(kIdPilotDetection)->SetWindowText(tr("Pilot tone detection"));
  Text(kIdGroundDetection)->SetWindowText(tr("Ground fault detection"));
  Text(kIdChannelPilot)->SetWindowText(tr("Pilot tone"));
  Text(kIdChannelGround)->SetWindowText(tr("Ground fault"));
  Text(kIdChannelOvertemp)->SetWindowText(tr("Overtemperature"));
  m_reset->setAutoDefault(false);
  // Shows the unit's fault-reset state; a click always asks for a reset.
  m_reset->setCheckable(true);
  BuildLayout();
  for (QWidget* control : std::initializer_list<QWidget*>{m_name, m_mainPower, m_battery, m_pilotGen, m_reset,
                                                          m_channelArea})
    m_lineBar->AddContent(control);
  connect(m_lineBar, &CLineStateBar::lineChanged, this, &CRemoteAmpDlg::OnLineChanged);

  m_statusTimer->setInterval(CRemoteAmpState::kStatusPeriodMs);
  m_meterTimer->setInterval(CRemoteAmpState::kMeterPeriodMs);
  m_decayTimer->setInterval(CRemoteAmpState::kDecayPeriodMs);
  connect(m_statusTimer, &QTimer::timeout, this, [this] { OnTimer(CRemoteAmpState::kStatusTimerId); });
  connect(m_meterTimer, &QTimer::timeout, this, [this] { OnTimer(CRemoteAmpState::kMeterTimerId); });
  connect(m_decayTimer, &QTimer::timeout, this, [this] { OnTimer(CRemoteAmpState::kDecayTimerId); });

  connect(m_reset, &QPushButton::clicked, this, &CRemoteAmpDlg::OnResetGroundFault);
  connect(m_name, &CValueEdit::killFocus, this, &CRemoteAmpDlg::OnKillFocusName);
  connect(m_pilotGen, &QCheckBox::clicked, this, &CRemoteAmpDlg::OnPilotToneGenerator);
  connect(m_mainPower, &QCheckBox::clicked, this, &CRemoteAmpDlg::OnPowerSource);
  connect(m_battery, &QCheckBox::clicked, this, &CRemoteAmpDlg::OnPowerSource);
  connect(m_mute, &QCheckBox::clicked, this, &CRemoteAmpDlg::OnMute);
  // Actions come from the user only (mouse and keys), never from setValue.
  connect(m_volume, &QSlider::actionTriggered, this, &CRemoteAmpDlg::OnVolumeAction);
  connect(m_offset, &QSlider::actionTriggered, this, &CRemoteAmpDlg::OnOffsetAction);
  connect(m_volume, &QSlider::sliderReleased, this, [this] { m_state.VolumeReleased(); });
  connect(m_offset, &QSlider::sliderReleased, this, [this] { m_state.OffsetReleased(); });
  connect(m_tabs, &QTabBar::currentChanged, this, &CRemoteAmpDlg::OnSelChangeChannel);
}

CRemoteAmpDlg::~CRemoteAmpDlg() {
  StopTimers();
  if (m_polling) GetDeviceLink()->SetLinkMode(LINKMODE_NORMAL);
}

CEllipsisStatic* CRemoteAmpDlg::Text(int controlId) const {
  for (const TextSlot& slot : m_texts)
    if (slot.id == controlId) return slot.text;
  return nullptr;
}

void CRemoteAmpDlg::BuildLayout() {
  auto* top = new QGridLayout;
  auto addRow = [&](int row, int column, const QString& label, QWidget* value) {
    top->addWidget(new QLabel(label, this), row, column);
    top->addWidget(value, row, column + 1);
  };
  addRow(0, 0, tr("Type"), Text(kIdType));
  addRow(1, 0, tr("Name"), m_name);
  addRow(2, 0, tr("Channel mapping"), Text(kIdChannelMapping));
  addRow(0, 2, tr("Firmware"), Text(kIdFirmware));
  addRow(1, 2, tr("Last Error"), Text(kIdLastError));
  addRow(2, 2, tr("Relay mapping"), Text(kIdRelayMapping));

  auto* options = new QGridLayout;
  options->addWidget(new QLabel(tr("Options:"), this), 0, 0);
  options->addWidget(Text(kIdPilotDetection), 1, 0, 1, 2);
  options->addWidget(Text(kIdGroundDetection), 2, 0, 1, 2);
  options->addWidget(new QLabel(tr("Overtemperature detection"), this), 3, 0);
  options->addWidget(Text(kIdOvertemperature), 3, 1);
  options->addWidget(new QLabel(tr("READY detection"), this), 4, 0);
  options->addWidget(Text(kIdReady), 4, 1);
  options->addWidget(new QLabel(tr("Power source:"), this), 5, 0);
  auto* power = new QHBoxLayout;
  power->addWidget(m_mainPower);
  power->addWidget(m_battery);
  options->addLayout(power, 5, 1);
  options->addWidget(new QLabel(tr("Pilot tone generator"), this), 6, 0);
  options->addWidget(m_pilotGen, 6, 1);
  options->addWidget(new QLabel(tr("Ground fault"), this), 7, 0);
  options->addWidget(m_reset, 7, 1);
  options->setRowStretch(8, 1);

  auto* channel = new QGridLayout(m_channelArea);
  channel->addWidget(new QLabel(tr("Level"), m_channelArea), 0, 0, 1, 2);
  channel->addWidget(new QLabel(tr("Volume"), m_channelArea), 0, 2, 1, 2);
  channel->addWidget(new QLabel(tr("IN"), m_channelArea), 1, 0);
  channel->addWidget(new QLabel(tr("OUT"), m_channelArea), 1, 1);
  channel->addWidget(new QLabel(tr("VOL"), m_channelArea), 1, 2);
  channel->addWidget(new QLabel(tr("OFS"), m_channelArea), 1, 3);
  channel->addWidget(m_inMeter, 2, 0, 3, 1);
  channel->addWidget(m_outMeter, 2, 1, 3, 1);
  channel->addWidget(m_volume, 2, 2, 3, 1);
  channel->addWidget(m_offset, 2, 3, 3, 1);
  channel->addWidget(new QLabel(tr("0 dB"), m_channelArea), 2, 4);
  channel->addWidget(new QLabel(tr("-78 dB"), m_channelArea), 4, 4);
  channel->addWidget(new QLabel(tr("127 dB"), m_channelArea), 2, 5);
  channel->addWidget(new QLabel(tr("-128 dB"), m_channelArea), 4, 5);
  channel->addWidget(Text(kIdVolumeText), 5, 2);
  channel->addWidget(Text(kIdOffsetText), 5, 3);
  auto* states = new QGridLayout;
  states->addWidget(Text(kIdChannelPilot), 0, 0, 1, 2);
  states->addWidget(Text(kIdChannelGround), 1, 0, 1, 2);
  states->addWidget(Text(kIdChannelOvertemp), 2, 0, 1, 2);
  states->addWidget(new QLabel(tr("Configuration"), m_channelArea), 3, 0);
  states->addWidget(Text(kIdOutputConfig), 3, 1);
  states->addWidget(new QLabel(tr("U/I Messurement"), m_channelArea), 4, 0);
  states->addWidget(Text(kIdMeasurement), 4, 1);
  states->addWidget(m_mute, 5, 0, 1, 2);
  states->setRowStretch(6, 1);
  channel->addLayout(states, 0, 6, 6, 1);

  auto* right = new QVBoxLayout;
  right->setSpacing(0);
  right->addWidget(m_tabs);
  right->addWidget(m_channelArea, 1);
  m_tabs->setVisible(false);

  auto* bottom = new QHBoxLayout;
  bottom->addLayout(options);
  bottom->addLayout(right, 1);
  auto* main = new QVBoxLayout(this);
  main->addWidget(m_lineBar);
  main->addLayout(top);
  main->addLayout(bottom, 1);
}

bool CRemoteAmpDlg::OnInitDialog() {
  CResizableDialog::OnInitDialog();
  Render();
  // Without a bus address there is nothing to ask; off line the dialog
  // starts asking once the unit is connected.
  if (!IsOnline() || !m_state.HasAddress()) return true;
  StartPolling();
  return true;
}

void CRemoteAmpDlg::StartPolling() {
  m_polling = true;
  SendIdentityQueries();
  m_statusTimer->start();
  m_meterTimer->start();
  m_decayTimer->start();
}

void CRemoteAmpDlg::OnLineChanged(bool online) {
  if (!online) {
    // The values stay as they were, marked by the bar; nothing is asked.
    m_statusTimer->stop();
    m_meterTimer->stop();
    return;
  }
  if (m_state.HasAddress() && !m_state.IsAmplifierMissing() && isVisible()) StartPolling();
}

void CRemoteAmpDlg::Send(const QStringList& list, bool bCountAll) {
  if (list.isEmpty()) return;
  GetDeviceLink()->SendCommandList(list, bCountAll, 0, this, 0);
}

void CRemoteAmpDlg::SendIdentityQueries() {
  setWindowTitle(m_state.Caption());
  Send(m_state.IdentityQueries(), true);
}

void CRemoteAmpDlg::SendStatusPoll() {
  if (GetDeviceLink()->OutBufferCount() != 0) return;
  Send(m_state.NextStatusPoll(), true);
}

void CRemoteAmpDlg::OnTimer(int id) {
  switch (id) {
    case CRemoteAmpState::kStatusTimerId:
      // A lost line sends nothing; the dialog shows what it had.
      if (m_polling && IsOnline()) SendStatusPoll();
      break;
    case CRemoteAmpState::kMeterTimerId:
      if (m_polling && IsOnline() && GetDeviceLink()->OutBufferCount() == 0) Send(m_state.MeterQueries(), false);
      break;
    case CRemoteAmpState::kDecayTimerId:
      m_state.DecayMeters();
      Render();
      break;
    default: break;
  }
}

void CRemoteAmpDlg::OnCommReply(int /*tag*/, const QStringList& lines) {
  if (m_state.IsAmplifierMissing()) return;
  const bool present = m_state.ApplyReply(lines);
  COnlineReplyParser::ConsumeLinkReplies();
  Render();
  if (present) return;
  GetDeviceLink()->SetLinkMode(LINKMODE_NORMAL);
  StopTimers();
  m_polling = false;
  AfxMessageBox(FormatText(LoadString(CRemoteAmpState::kStrNotPresent), {m_state.Address()}),
                MB_OK | MB_ICONEXCLAMATION, CRemoteAmpState::kStrNotPresent);
  QMetaObject::invokeMethod(this, "reject", Qt::QueuedConnection);
}

void CRemoteAmpDlg::done(int result) {
  StopTimers();
  // The next command-list window records itself as the reply window.
  if (m_polling) GetDeviceLink()->SetLinkMode(LINKMODE_NORMAL);
  m_polling = false;
  CResizableDialog::done(result);
}

void CRemoteAmpDlg::StopTimers() {
  m_statusTimer->stop();
  m_meterTimer->stop();
  m_decayTimer->stop();
}

void CRemoteAmpDlg::Render() {
  const CRemoteAmpState::View& v = m_state.GetView();
  Text(kIdType)->SetWindowText(v.type);
  Text(kIdFirmware)->SetWindowText(v.firmware);
  Text(kIdLastError)->SetWindowText(v.lastError);
  Text(kIdRelayMapping)->SetWindowText(v.relayMapping);
  Text(kIdChannelMapping)->SetWindowText(v.channelMapping);
  Text(kIdOvertemperature)->SetWindowText(v.overtemperature);
  Text(kIdReady)->SetWindowText(v.ready);
  Text(kIdOutputConfig)->SetWindowText(v.outputConfig);
  Text(kIdMeasurement)->SetWindowText(v.measurement);
  Text(kIdVolumeText)->SetWindowText(v.volumeText);
  Text(kIdOffsetText)->SetWindowText(v.offsetText);
  Text(kIdPilotDetection)->setEnabled(v.pilotDetection);
  Text(kIdGroundDetection)->setEnabled(v.groundDetection);
  Text(kIdChannelPilot)->setEnabled(v.channelPilot);
  Text(kIdChannelGround)->setEnabled(v.channelGround);
  Text(kIdChannelOvertemp)->setEnabled(v.channelOvertemp);
  m_mainPower->setChecked(v.mainPower);
  m_battery->setChecked(v.battery);
  m_pilotGen->setChecked(v.pilotGenerator);
  m_mute->setChecked(v.mute);
  m_reset->setChecked(v.faultReset);
  if (v.nameRevision != m_shownNameRevision) {
    m_shownNameRevision = v.nameRevision;
    m_name->setText(v.name);
  }
  {
    const QSignalBlocker blockVolume(m_volume);
    const QSignalBlocker blockOffset(m_offset);
    if (!m_state.IsVolumeDragging()) m_volume->setValue(v.volumePos);
    if (!m_state.IsOffsetDragging()) m_offset->setValue(v.offsetPos);
  }
  m_inMeter->setValue(v.inMeter);
  m_outMeter->setValue(v.outMeter);
  {
    const QSignalBlocker blockTabs(m_tabs);
    if (m_tabs->count() != v.tabCount) {
      while (m_tabs->count() > 0) m_tabs->removeTab(m_tabs->count() - 1);
      for (int i = 0; i < v.tabCount; ++i) m_tabs->addTab(m_state.TabTitle(i));
    }
    if (v.tabCount > 0) m_tabs->setCurrentIndex(m_state.Channel() - 1);
    m_tabs->setVisible(v.tabsVisible);
  }
}

void CRemoteAmpDlg::OnResetGroundFault() {
  if (!m_state.HasAddress() || !CLineStateBar::CanSend(this)) return;
  Send({m_state.ResetGroundFaultCommand()}, false);
}

void CRemoteAmpDlg::OnKillFocusName() {
  // Leaving the field is no command of its own: off line it sends nothing
  // without a word.
  if (!IsOnline() || !m_state.HasAddress()) return;
  Send({m_state.NameCommand(m_name->text())}, false);
}

void CRemoteAmpDlg::OnPilotToneGenerator() {
  if (!m_state.HasAddress() || !CLineStateBar::CanSend(this)) return;
  Send({m_state.PilotGeneratorCommand(m_pilotGen->isChecked())}, false);
}

void CRemoteAmpDlg::OnPowerSource() {
  if (!m_state.HasAddress() || !CLineStateBar::CanSend(this)) return;
  Send({m_state.PowerSourceCommand(m_mainPower->isChecked(), m_battery->isChecked())}, false);
}

void CRemoteAmpDlg::OnMute() {
  if (!m_state.HasAddress() || !CLineStateBar::CanSend(this)) return;
  Send({m_state.MuteCommand(m_mute->isChecked())}, false);
}

void CRemoteAmpDlg::OnVolumeAction() {
  if (!m_state.HasAddress() || !CLineStateBar::CanSend(this)) return;
  const QString command = m_state.VolumeScrolled(m_volume->sliderPosition(), m_volume->isSliderDown());
  Text(kIdVolumeText)->SetWindowText(m_state.GetView().volumeText);
  Send({command}, false);
}

void CRemoteAmpDlg::OnOffsetAction() {
  if (!m_state.HasAddress() || !CLineStateBar::CanSend(this)) return;
  const QString command = m_state.OffsetScrolled(m_offset->sliderPosition(), m_offset->isSliderDown());
  Text(kIdOffsetText)->SetWindowText(m_state.GetView().offsetText);
  Send({command}, false);
}

void CRemoteAmpDlg::OnSelChangeChannel(int index) { m_state.SelectTab(index); }
