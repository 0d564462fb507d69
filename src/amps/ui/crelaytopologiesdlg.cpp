#include "amps/ui/crelaytopologiesdlg.h"

#include "amps/crelaistopology.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "shell/cbitmapmanager.h"
#include "shell/cmainframe.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr uint32_t kStrRelayConfiguration = 34278;

CRelayTopologiesDlg::CardConfigRunner& CardRunner() {
  static CRelayTopologiesDlg::CardConfigRunner runner;
  return runner;
}

const bool g_registered = [] {
  CBaseDevice::SetPropertiesHandler(DT_RELAYTOPOLOGY, [](CBaseDevice& device) {
    auto* topology = dynamic_cast<CRelaisTopology*>(&device);
    if (topology == nullptr) return false;
    CRelayTopologiesDlg dlg(topology, AfxGetDialogParent());
    return dlg.DoModal() == IDOK;
  });
  return true;
}();

void SetTextColour(QLineEdit* edit, bool valid) {
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Text, valid ? QColor(Qt::black) : QColor(Qt::red));
  edit->setPalette(palette);
}

}  // namespace

void CRelayTopologiesDlg::SetCardConfigRunner(CardConfigRunner runner) { CardRunner() = std::move(runner); }

CRelayTopologiesDlg::CRelayTopologiesDlg(CRelaisTopology* topology, QWidget* parent)
    : CObjectTreePropDlg(kTemplateId, topology != nullptr ? topology->GetDocument() : nullptr, kImageStrip, parent),
      m_state(topology != nullptr ? topology->GetDocument() : nullptr),
      m_kindLabel(new QLabel(tr("Kind"), this)),
      m_kind(new QComboBox(this)),
      m_zonesLabel(new QLabel(tr("Number of zones"), this)),
      m_zones(new QLineEdit(this)),
      m_firstLabel(new QLabel(tr("First relay"), this)),
      m_first(new QLineEdit(this)),
      m_pageLabel(new QLabel(tr("First page relay"), this)),
      m_page(new QLineEdit(this)),
      m_programLabel(new QLabel(tr("Program"), this)),
      m_pageInputLabel(new QLabel(tr("Page"), this)),
      m_relayConfig(new QPushButton(LoadString(kStrRelayConfiguration), this)) {
  (void)g_registered;
  CreateButtons();
  m_state.SetTopology(topology);
  setWindowTitle(tr("Relay topologies"));
  m_kind->setObjectName(QStringLiteral("kind"));
  m_zones->setObjectName(QStringLiteral("zones"));
  m_first->setObjectName(QStringLiteral("firstRelay"));
  m_firstLabel->setObjectName(QStringLiteral("firstRelayLabel"));
  m_page->setObjectName(QStringLiteral("pageRelay"));
  m_pageLabel->setObjectName(QStringLiteral("pageRelayLabel"));
  m_relayConfig->setObjectName(QStringLiteral("relayConfiguration"));

  auto* group = new QGroupBox(tr("Configuration"), this);
  auto* grid = new QGridLayout(group);
  grid->addWidget(m_kindLabel, 0, 0);
  grid->addWidget(m_kind, 0, 1);
  grid->addWidget(m_zonesLabel, 1, 0);
  grid->addWidget(m_zones, 1, 1);
  grid->addWidget(m_firstLabel, 2, 0);
  grid->addWidget(m_first, 2, 1);
  grid->addWidget(m_pageLabel, 3, 0);
  grid->addWidget(m_page, 3, 1);
  for (int input = 0; input < RelayTopologiesState::kInputs; ++input) {
    const auto i = static_cast<size_t>(input);
    m_inputLabels[i] = new QLabel(tr("%1. Input").arg(input + 1), group);
    m_inputs[i] = new QComboBox(group);
    m_inputs[i]->setObjectName(QStringLiteral("input%1").arg(input + 1));
    grid->addWidget(m_inputLabels[i], 4 + input, 0);
    grid->addWidget(m_inputs[i], 4 + input, 1);
    connect(m_inputs[i], &QComboBox::activated, this, [this, input](int index) { OnInputActivated(input, index); });
  }
  grid->addWidget(m_programLabel, 4, 2);
  grid->addWidget(m_pageInputLabel, 5, 2);
  grid->setRowStretch(4 + RelayTopologiesState::kInputs, 1);

  auto* right = new QVBoxLayout;
  right->addWidget(group, 1);
  right->addWidget(m_relayConfig, 0, Qt::AlignLeft);
  LayOut(right);

  connect(m_kind, &QComboBox::activated, this, &CRelayTopologiesDlg::OnKindActivated);
  connect(m_zones, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_state.SetZoneCountText(text);
    SetModified();
  });
  connect(m_first, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_state.SetFirstRelayText(text);
    SetModified();
    UpdateRelayColours();
  });
  connect(m_page, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_state.SetPageRelayText(text);
    SetModified();
    UpdateRelayColours();
  });
  connect(m_relayConfig, &QPushButton::clicked, this, &CRelayTopologiesDlg::OnRelayConfiguration);
  resize(600, 360);
}

CRelayTopologiesDlg::~CRelayTopologiesDlg() = default;

bool CRelayTopologiesDlg::OnInitDialog() {
  SetModified(false);
  m_relayConfig->setIcon(CBitmapManager::Icon(kButtonImage));
  m_relayConfig->setEnabled(static_cast<bool>(CardRunner()));
  for (const RelayTopologiesState::KindEntry& kind : RelayTopologiesState::Kinds())
    m_kind->addItem(kind.caption, kind.kind);
  const QStringList inputs = m_state.InputTexts();
  for (QComboBox* combo : m_inputs) combo->addItems(inputs);

  const std::vector<CRelaisTopology*> topologies = m_state.Topologies();
  FillTree(tr("Topology"), std::vector<CBaseDevice*>(topologies.begin(), topologies.end()));
  ShowTopology();
  return CObjectTreePropDlg::OnInitDialog();
}

CBaseDevice* CRelayTopologiesDlg::CurrentObject() const { return m_state.GetTopology(); }

void CRelayTopologiesDlg::SetCurrentObject(CBaseDevice* object) {
  m_state.SetTopology(dynamic_cast<CRelaisTopology*>(object));
}

void CRelayTopologiesDlg::ForgetObject(CBaseDevice* object) { m_state.Forget(object); }

void CRelayTopologiesDlg::ShowCurrent() { ShowTopology(); }

int CRelayTopologiesDlg::PictureOf(const CBaseDevice* object) const {
  return RelayTopologiesState::PictureOf(dynamic_cast<const CRelaisTopology*>(object));
}

void CRelayTopologiesDlg::ShowTopology() {
  const RelayTopologiesState::View view = m_state.GetView();
  const bool shown = view.hasTopology;
  for (QWidget* w : std::initializer_list<QWidget*>{m_kindLabel, m_kind, m_zonesLabel, m_zones}) w->setVisible(shown);
  m_kind->setCurrentIndex(view.kindRow);
  m_zones->setText(view.zoneCount);
  m_first->setText(view.firstRelay);
  m_page->setText(view.pageRelay);
  const int notUsed = static_cast<int>(m_state.InputEntries().size());
  for (int input = 0; input < RelayTopologiesState::kInputs; ++input) {
    const int chosen = view.inputs[static_cast<size_t>(input)];
    m_inputs[static_cast<size_t>(input)]->setCurrentIndex(chosen == RelayTopologiesState::kNone ? notUsed : chosen);
  }
  if (shown) {
    ShowKindLayout(m_state.GetSelectedKind());
  } else {
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_firstLabel, m_first, m_pageLabel, m_page, m_programLabel, m_pageInputLabel})
      w->setVisible(false);
    for (int input = 0; input < RelayTopologiesState::kInputs; ++input) {
      m_inputs[static_cast<size_t>(input)]->setVisible(false);
      m_inputLabels[static_cast<size_t>(input)]->setVisible(false);
    }
  }
  UpdateRelayColours();
}

void CRelayTopologiesDlg::ShowKindLayout(int kind) {
  const RelayTopologiesState::KindLayout layout = RelayTopologiesState::LayoutOf(kind);
  m_firstLabel->setText(layout.background ? tr("First background relay") : tr("First relay"));
  m_firstLabel->setVisible(layout.firstRelayShown);
  m_first->setVisible(layout.firstRelayShown);
  m_pageLabel->setVisible(layout.pageRelayShown);
  m_page->setVisible(layout.pageRelayShown);
  m_programLabel->setVisible(layout.background);
  m_pageInputLabel->setVisible(layout.background);
  for (int input = 0; input < RelayTopologiesState::kInputs; ++input) {
    const bool used = input < layout.inputs;
    m_inputs[static_cast<size_t>(input)]->setVisible(used);
    m_inputLabels[static_cast<size_t>(input)]->setVisible(used);
  }
}

void CRelayTopologiesDlg::UpdateRelayColours() {
  SetTextColour(m_first, m_state.IsFirstRelayValid());
  SetTextColour(m_page, m_state.IsPageRelayValid());
}

bool CRelayTopologiesDlg::ApplyChanges() {
  CRelaisTopology* topology = m_state.GetTopology();
  const RelayTopologiesState::ApplyResult result = m_state.Apply();
  switch (result) {
    case RelayTopologiesState::ApplyResult::Ok: break;
    case RelayTopologiesState::ApplyResult::BadZoneCount:
      AfxMessageBox(tr("Please enter an integer between %1 and %2.")
                        .arg(RelayTopologiesState::kMinZones)
                        .arg(RelayTopologiesState::kMaxZones),
                    MB_OK | MB_ICONEXCLAMATION);
      m_zones->setFocus();
      m_zones->selectAll();
      return false;
    case RelayTopologiesState::ApplyResult::BadFirstRelay:
    case RelayTopologiesState::ApplyResult::FirstRelayTaken:
      QApplication::beep();
      m_first->setText(m_state.GetFirstRelayText());
      UpdateRelayColours();
      m_first->setFocus();
      m_first->selectAll();
      return false;
    case RelayTopologiesState::ApplyResult::BadPageRelay:
    case RelayTopologiesState::ApplyResult::PageRelayTaken:
      QApplication::beep();
      UpdateRelayColours();
      m_page->setFocus();
      m_page->selectAll();
      return false;
  }
  ShowApplied(topology);
  return true;
}

void CRelayTopologiesDlg::OnKindActivated(int index) {
  m_state.SelectKind(index);
  ShowKindLayout(m_state.GetSelectedKind());
  SetModified();
}

void CRelayTopologiesDlg::OnInputActivated(int input, int index) {
  m_state.SelectInput(input, index);
  SetModified();
}

void CRelayTopologiesDlg::OnRelayConfiguration() {
  if (!CardRunner()) return;
  CardRunner()(m_doc.data(), this);
  CRelaisTopology* topology = m_state.GetTopology();
  if (topology == nullptr) return;
  MakeCurrentInView(topology);
  topology->Invalidate();
  m_state.Reload();
  ShowTopology();
}
