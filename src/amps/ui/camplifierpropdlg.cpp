#include "amps/ui/camplifierpropdlg.h"

#include "amps/camplifier.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "model/ui/cselectiondlg.h"
#include "shell/cmainframe.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/cobjecttreectrl.h"
#include "shell/cselvantisview.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace {

constexpr uint32_t kStrAmplifier = 32782;
constexpr uint32_t kStrSaveChanges = 32791;
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
    : CResizableDialog(kTemplateId, parent),
      m_state(amp != nullptr ? amp->GetDocument() : nullptr),
      m_doc(amp != nullptr ? amp->GetDocument() : nullptr),
      m_tree(new CObjectTreeCtrl(this)),
      m_modelLabel(new QLabel(tr("Amplifier"), this)),
      m_model(new QComboBox(this)),
      m_address(new QPushButton(this)),
      m_spare(new QPushButton(tr("Spare"), this)),
      m_advanced(new QPushButton(tr("Advanced..."), this)),
      m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)),
      m_apply(new QPushButton(tr("Apply"), this)) {
  (void)g_registered;
  m_state.SetAmplifier(amp);
  setWindowTitle(tr("Amplifier properties"));
  m_tree->setObjectName(QStringLiteral("tree"));
  m_model->setObjectName(QStringLiteral("model"));
  m_address->setObjectName(QStringLiteral("address"));
  m_spare->setObjectName(QStringLiteral("spare"));
  m_advanced->setObjectName(QStringLiteral("advanced"));
  m_ok->setObjectName(QStringLiteral("ok"));
  m_cancel->setObjectName(QStringLiteral("cancel"));
  m_apply->setObjectName(QStringLiteral("apply"));
  m_ok->setDefault(true);
  m_tree->SetDocument(m_doc);

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
  auto* top = new QHBoxLayout;
  top->addWidget(m_tree, 1);
  top->addLayout(right, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_ok);
  buttons->addWidget(m_cancel);
  buttons->addWidget(m_apply);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);

  connect(m_model, &QComboBox::activated, this, &CAmplifierPropDlg::OnModelActivated);
  connect(m_address, &QPushButton::clicked, this, &CAmplifierPropDlg::OnAddress);
  connect(m_spare, &QPushButton::clicked, this, &CAmplifierPropDlg::OnSpare);
  connect(m_advanced, &QPushButton::clicked, this, &CAmplifierPropDlg::OnAdvanced);
  connect(m_ok, &QPushButton::clicked, this, &CAmplifierPropDlg::accept);
  connect(m_cancel, &QPushButton::clicked, this, &CAmplifierPropDlg::reject);
  connect(m_apply, &QPushButton::clicked, this, &CAmplifierPropDlg::ApplyChanges);
  connect(m_tree, &QTreeWidget::currentItemChanged, this, &CAmplifierPropDlg::OnTreeCurrentChanged);
  m_images.FollowExpansion(m_tree, kImageStrip);
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CAmplifierPropDlg::OnObjectRemoved);
    connect(m_doc, &CSelvantisDoc::aboutToClear, this, [this] { OnObjectRemoved(m_state.GetAmplifier()); });
  }
  resize(560, 340);
}

CAmplifierPropDlg::~CAmplifierPropDlg() = default;

bool CAmplifierPropDlg::IsApplyEnabled() const { return m_apply->isEnabled(); }

QIcon CAmplifierPropDlg::Image(int index) { return m_images.Icon(kImageStrip, index); }

bool CAmplifierPropDlg::OnInitDialog() {
  m_filling = true;
  m_apply->setEnabled(false);
  const QStringList sources = m_state.ChannelTexts();
  for (QComboBox* combo : m_channels) combo->addItems(sources);
  m_model->addItems(AmplifierPropState::ModelTexts());

  m_root = m_tree->AddObjectItem(nullptr);
  m_root->setText(0, LoadString(kStrAmplifier));
  m_root->setIcon(0, Image(0));
  for (CAmplifier* amp : m_state.Amplifiers()) {
    QTreeWidgetItem* item = m_tree->AddObjectItem(amp, m_root);
    item->setIcon(0, Image(AmplifierPropState::TreeImage(amp)));
  }
  m_root->setExpanded(true);
  SelectTreeItemOf(m_state.GetAmplifier());
  m_filling = false;
  ShowAmplifier();
  return CResizableDialog::OnInitDialog();
}

void CAmplifierPropDlg::SelectTreeItemOf(const CAmplifier* amp) {
  const bool wasFilling = m_filling;
  m_filling = true;
  if (QTreeWidgetItem* item = m_tree->FindObjectItem(amp)) m_tree->setCurrentItem(item);
  m_filling = wasFilling;
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

void CAmplifierPropDlg::ApplyChanges() {
  CAmplifier* amp = m_state.GetAmplifier();
  if (amp == nullptr) return;
  m_state.Apply();
  if (QTreeWidgetItem* item = m_tree->FindObjectItem(amp)) item->setIcon(0, Image(AmplifierPropState::TreeImage(amp)));
  m_apply->setEnabled(false);
  ShowAmplifier();
}

void CAmplifierPropDlg::OnTreeCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem*) {
  if (m_filling) return;
  auto* next = dynamic_cast<CAmplifier*>(CObjectTreeCtrl::ObjectOf(current));
  CAmplifier* previous = m_state.GetAmplifier();
  if (next == nullptr) {
    // The root stands for no amplifier: the selection stays where it was.
    SelectTreeItemOf(previous);
    return;
  }
  if (next == previous) return;
  if (m_apply->isEnabled()) {
    if (AfxMessageBox(LoadString(kStrSaveChanges), MB_YESNO | MB_ICONQUESTION, kStrSaveChanges) == IDYES)
      ApplyChanges();
  }
  m_apply->setEnabled(false);
  if (previous != nullptr) previous->Invalidate();
  m_state.SetAmplifier(next);
  MakeCurrentInView(next);
  ShowAmplifier();
  next->Invalidate();
}

void CAmplifierPropDlg::MakeCurrentInView(CBaseDevice* object) {
  if (CSelvantisView* view = CSelvantisView::FindView(m_doc)) view->SetCurrentObject(object);
}

void CAmplifierPropDlg::OnModelActivated(int index) {
  m_state.SelectModel(index);
  m_apply->setEnabled(true);
  ShowAmplifier();
}

void CAmplifierPropDlg::OnChannelActivated(int channel, int index) {
  m_state.SelectSource(channel, index);
  m_apply->setEnabled(true);
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

void CAmplifierPropDlg::OnObjectRemoved(CBaseDevice* object) {
  const bool wasCurrent = object != nullptr && object == m_state.GetAmplifier();
  m_state.Forget(object);
  if (wasCurrent) {
    m_apply->setEnabled(false);
    ShowAmplifier();
  }
}

bool CAmplifierPropDlg::EndLabelEdit() {
  QWidget* editor = m_tree->indexWidget(m_tree->currentIndex());
  if (editor == nullptr) return false;
  QMetaObject::invokeMethod(m_tree, "commitData", Q_ARG(QWidget*, editor));
  QMetaObject::invokeMethod(m_tree, "closeEditor", Q_ARG(QWidget*, editor),
                            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
  return true;
}

void CAmplifierPropDlg::accept() {
  // Enter while a tree label is edited ends the edit, not the dialog.
  if (EndLabelEdit()) return;
  if (m_apply->isEnabled()) ApplyChanges();
  CResizableDialog::accept();
}
