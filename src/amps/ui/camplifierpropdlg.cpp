#include "amps/ui/camplifierpropdlg.h"

#include "amps/camplifier.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "model/ui/cselectiondlg.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr uint32_t kStrAmplifier = 32782;
constexpr uint32_t kStrAddress = 34550;

CAmplifierPropDlg::RemoteAmpRunner& RemoteRunner() {
  static CAmplifierPropDlg::RemoteAmpRunner runner;
  return runner;
}

const bool g_registered = [] {
  CBaseDevice::SetPropertiesHandler(DT_AMPLIFIER, [](CBaseDevice& device) {
    auto* amp = dynamic_cast<CAmplifier*>(&device);
    if (amp == nullptr) return false;
    CAmplifierPropDlg dlg(amp, AfxGetDialogParent());
    return dlg.DoModal() == IDOK;
  });
  return true;
}();

}  // namespace

void CAmplifierPropDlg::SetRemoteAmpRunner(RemoteAmpRunner runner) { RemoteRunner() = std::move(runner); }

CAmplifierPropDlg::CAmplifierPropDlg(CAmplifier* amp, QWidget* parent)
    : CObjectTreePropDlg(kTemplateId, amp != nullptr ? amp->GetDocument() : nullptr, kImageStrip, parent),
      m_state(amp != nullptr ? amp->GetDocument() : nullptr),
      m_modelLabel(new QLabel(tr("Amplifier"), this)),
      m_model(new QComboBox(this)),
      m_address(new QPushButton(this)),
      m_spare(new QPushButton(tr("Spare"), this)),
      m_advanced(new QPushButton(tr("Advanced..."), this)) {
  (void)g_registered;
  CreateButtons();
  m_state.SetAmplifier(amp);
  setWindowTitle(tr("Amplifier properties"));
  m_model->setObjectName(QStringLiteral("model"));
  m_address->setObjectName(QStringLiteral("address"));
  m_spare->setObjectName(QStringLiteral("spare"));
  m_advanced->setObjectName(QStringLiteral("advanced"));

  auto* group = new QGroupBox(tr("Configuration"), this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(m_modelLabel, 0, 0);
  grid->addWidget(m_model, 0, 1);
  grid->addWidget(m_address, 0, 2);
  for (int ch = 0; ch < AmplifierPropState::kChannels; ++ch) {
    const auto i = static_cast<size_t>(ch);
    m_channelLabels[i] = new QLabel(tr("%1.channel").arg(ch + 1), group);
    m_channels[i] = new QComboBox(group);
    m_channels[i]->setObjectName(QStringLiteral("channel%1").arg(ch + 1));
    m_powers[i] = new QLabel(group);
    m_powers[i]->setObjectName(QStringLiteral("power%1").arg(ch + 1));
    grid->addWidget(m_channelLabels[i], ch + 1, 0);
    grid->addWidget(m_channels[i], ch + 1, 1);
    grid->addWidget(m_powers[i], ch + 1, 2);
    connect(m_channels[i], &QComboBox::activated, this, [this, ch](int index) { OnChannelActivated(ch, index); });
  }
  grid->setRowStretch(AmplifierPropState::kChannels + 1, 1);

  auto* extras = new QHBoxLayout;
  extras->addWidget(m_spare);
  extras->addWidget(m_advanced);
  extras->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(group, 1);
  right->addLayout(extras);
  LayOut(right);

  connect(m_model, &QComboBox::activated, this, &CAmplifierPropDlg::OnModelActivated);
  connect(m_address, &QPushButton::clicked, this, &CAmplifierPropDlg::OnAddress);
  connect(m_spare, &QPushButton::clicked, this, &CAmplifierPropDlg::OnSpare);
  connect(m_advanced, &QPushButton::clicked, this, &CAmplifierPropDlg::OnAdvanced);
  resize(560, 340);
}

CAmplifierPropDlg::~CAmplifierPropDlg() = default;

bool CAmplifierPropDlg::OnInitDialog() {
  SetModified(false);
  const QStringList sources = m_state.ChannelTexts();
  for (QComboBox* combo : m_channels) combo->addItems(sources);
  m_model->addItems(AmplifierPropState::ModelTexts());

  const std::vector<CAmplifier*> amps = m_state.Amplifiers();
  FillTree(LoadString(kStrAmplifier), std::vector<CBaseDevice*>(amps.begin(), amps.end()));
  ShowAmplifier();
  return CObjectTreePropDlg::OnInitDialog();
}

CBaseDevice* CAmplifierPropDlg::CurrentObject() const { return m_state.GetAmplifier(); }

void CAmplifierPropDlg::SetCurrentObject(CBaseDevice* object) {
  m_state.SetAmplifier(dynamic_cast<CAmplifier*>(object));
}

void CAmplifierPropDlg::ForgetObject(CBaseDevice* object) { m_state.Forget(object); }

void CAmplifierPropDlg::ShowCurrent() { ShowAmplifier(); }

int CAmplifierPropDlg::PictureOf(const CBaseDevice* object) const {
  return AmplifierPropState::TreeImage(dynamic_cast<const CAmplifier*>(object));
}

void CAmplifierPropDlg::ShowAmplifier() {
  const AmplifierPropState::View view = m_state.GetView();
  m_advanced->setEnabled(view.advancedEnabled && static_cast<bool>(RemoteRunner()));
  m_address->setText(view.hasAmplifier ? view.addressText : LoadString(kStrAddress));
  m_address->setEnabled(view.addressEnabled);
  m_model->setVisible(view.hasAmplifier);
  m_modelLabel->setVisible(view.hasAmplifier);
  if (view.hasAmplifier) m_model->setCurrentIndex(view.modelRow);
  const int notUsed = static_cast<int>(m_state.Sources().size());
  for (int ch = 0; ch < AmplifierPropState::kChannels; ++ch) {
    const auto i = static_cast<size_t>(ch);
    const AmplifierPropState::ChannelView& row = view.channels[i];
    const bool shown = view.hasAmplifier && row.shown;
    m_channels[i]->setCurrentIndex(row.choice == AmplifierPropState::kNone ? notUsed : row.choice);
    m_channels[i]->setVisible(shown);
    m_channelLabels[i]->setVisible(shown);
    m_powers[i]->setVisible(shown);
    m_powers[i]->setText(row.power);
  }
}

bool CAmplifierPropDlg::ApplyChanges() {
  CAmplifier* amp = m_state.GetAmplifier();
  if (amp == nullptr) return true;
  m_state.Apply();
  ShowApplied(amp);
  return true;
}

void CAmplifierPropDlg::OnModelActivated(int index) {
  m_state.SelectModel(index);
  SetModified();
  ShowAmplifier();
}

void CAmplifierPropDlg::OnChannelActivated(int channel, int index) {
  m_state.SelectSource(channel, index);
  SetModified();
}

void CAmplifierPropDlg::OnAddress() {
  if (m_state.GetAmplifier() == nullptr) return;
  CSelectionDlg dlg(this);
  dlg.SetKind(kStrAddress);
  dlg.SetDocument(m_doc);
  dlg.SetSelection(m_state.AddressSelection());
  if (dlg.DoModal() != IDOK) return;
  m_state.SetAddress(dlg.GetResult());
  m_address->setText(m_state.AddressText());
}

void CAmplifierPropDlg::OnSpare() {
  CFrameHostDialog host(GetActiveDoc() != nullptr ? GetActiveDoc() : m_doc.data(), HostFrameKind::BackupAmplifiers,
                        this);
  host.DoModal();
}

void CAmplifierPropDlg::OnAdvanced() {
  if (RemoteRunner()) RemoteRunner()(GetActiveDoc() != nullptr ? GetActiveDoc() : m_doc.data(), this);
}
