#include "amps/ui/crelaytopologiesdlg.h"

#include "amps/crelaistopology.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "shell/cbitmapmanager.h"
#include "shell/cmainframe.h"
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
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

namespace {

constexpr uint32_t kStrSaveChanges = 32791;
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
    : CResizableDialog(kTemplateId, parent),
      m_state(topology != nullptr ? topology->GetDocument() : nullptr),
      m_doc(topology != nullptr ? topology->GetDocument() : nullptr),
      m_tree(new CObjectTreeCtrl(this)),
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
      m_relayConfig(new QPushButton(LoadString(kStrRelayConfiguration), this)),
      m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)),
      m_apply(new QPushButton(tr("Apply"), this)) {
  (void)g_registered;
  m_state.SetTopology(topology);
  setWindowTitle(tr("Relay topologies"));
  m_tree->setObjectName(QStringLiteral("tree"));
  m_kind->setObjectName(QStringLiteral("kind"));
  m_zones->setObjectName(QStringLiteral("zones"));
  m_first->setObjectName(QStringLiteral("firstRelay"));
  m_firstLabel->setObjectName(QStringLiteral("firstRelayLabel"));
  m_page->setObjectName(QStringLiteral("pageRelay"));
  m_pageLabel->setObjectName(QStringLiteral("pageRelayLabel"));
  m_relayConfig->setObjectName(QStringLiteral("relayConfiguration"));
  m_ok->setObjectName(QStringLiteral("ok"));
  m_cancel->setObjectName(QStringLiteral("cancel"));
  m_apply->setObjectName(QStringLiteral("apply"));
  m_ok->setDefault(true);
  m_tree->SetDocument(m_doc);

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
  connect(m_ok, &QPushButton::clicked, this, &CRelayTopologiesDlg::accept);
  connect(m_cancel, &QPushButton::clicked, this, &CRelayTopologiesDlg::reject);
  connect(m_apply, &QPushButton::clicked, this, &CRelayTopologiesDlg::ApplyChanges);
  connect(m_tree, &QTreeWidget::currentItemChanged, this, &CRelayTopologiesDlg::OnTreeCurrentChanged);
  m_images.FollowExpansion(m_tree, kImageStrip);
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CRelayTopologiesDlg::OnObjectRemoved);
    connect(m_doc, &CSelvantisDoc::aboutToClear, this, [this] { OnObjectRemoved(m_state.GetTopology()); });
  }
  resize(600, 360);
}

CRelayTopologiesDlg::~CRelayTopologiesDlg() = default;

bool CRelayTopologiesDlg::IsApplyEnabled() const { return m_apply->isEnabled(); }

QIcon CRelayTopologiesDlg::Image(int index) { return m_images.Icon(kImageStrip, index); }

bool CRelayTopologiesDlg::OnInitDialog() {
  m_filling = true;
  m_apply->setEnabled(false);
  if (AfxGetMainWnd()) m_relayConfig->setIcon(CBitmapManager::Icon(kButtonImage));
  m_relayConfig->setEnabled(static_cast<bool>(CardRunner()));
  for (const RelayTopologiesState::KindEntry& kind : RelayTopologiesState::Kinds())
    m_kind->addItem(kind.caption, kind.kind);
  const QStringList inputs = m_state.InputTexts();
  for (QComboBox* combo : m_inputs) combo->addItems(inputs);

  m_root = m_tree->AddObjectItem(nullptr);
  m_root->setText(0, tr("Topology"));
  m_root->setIcon(0, Image(0));
  for (CRelaisTopology* topology : m_state.Topologies()) {
    QTreeWidgetItem* item = m_tree->AddObjectItem(topology, m_root);
    item->setIcon(0, Image(RelayTopologiesState::PictureOf(topology)));
  }
  m_root->setExpanded(true);
  SelectTreeItemOf(m_state.GetTopology());
  m_filling = false;
  ShowTopology();
  return CResizableDialog::OnInitDialog();
}

void CRelayTopologiesDlg::SelectTreeItemOf(const CRelaisTopology* topology) {
  const bool wasFilling = m_filling;
  m_filling = true;
  if (QTreeWidgetItem* item = m_tree->FindObjectItem(topology)) m_tree->setCurrentItem(item);
  m_filling = wasFilling;
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

void CRelayTopologiesDlg::SetModified() { m_apply->setEnabled(true); }

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
  m_apply->setEnabled(false);
  if (topology != nullptr) {
    if (QTreeWidgetItem* item = m_tree->FindObjectItem(topology))
      item->setIcon(0, Image(RelayTopologiesState::PictureOf(topology)));
  }
  ShowTopology();
  return true;
}

void CRelayTopologiesDlg::OnTreeCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem*) {
  if (m_filling) return;
  auto* next = dynamic_cast<CRelaisTopology*>(CObjectTreeCtrl::ObjectOf(current));
  CRelaisTopology* previous = m_state.GetTopology();
  if (next == nullptr) {
    // The root stands for no topology: the selection stays where it was.
    SelectTreeItemOf(previous);
    return;
  }
  if (next == previous) return;
  if (m_apply->isEnabled()) {
    if (AfxMessageBox(LoadString(kStrSaveChanges), MB_YESNO | MB_ICONQUESTION, kStrSaveChanges) == IDYES &&
        !ApplyChanges()) {
      // Refused edits stay on screen to be corrected.
      SelectTreeItemOf(previous);
      return;
    }
  }
  m_apply->setEnabled(false);
  if (previous != nullptr) previous->Invalidate();
  m_state.SetTopology(next);
  ShowTopology();
  next->Invalidate();
  MakeCurrentInView(next);
}

void CRelayTopologiesDlg::MakeCurrentInView(CBaseDevice* object) {
  if (CSelvantisView* view = CSelvantisView::FindView(m_doc)) view->SetCurrentObject(object);
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

void CRelayTopologiesDlg::OnObjectRemoved(CBaseDevice* object) {
  const bool wasCurrent = object != nullptr && object == m_state.GetTopology();
  m_state.Forget(object);
  if (wasCurrent) {
    m_apply->setEnabled(false);
    ShowTopology();
  }
}

bool CRelayTopologiesDlg::EndLabelEdit() {
  QWidget* editor = m_tree->indexWidget(m_tree->currentIndex());
  if (editor == nullptr) return false;
  QMetaObject::invokeMethod(m_tree, "commitData", Q_ARG(QWidget*, editor));
  QMetaObject::invokeMethod(m_tree, "closeEditor", Q_ARG(QWidget*, editor),
                            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
  return true;
}

void CRelayTopologiesDlg::accept() {
  // Enter while a tree label is edited ends the edit, not the dialog.
  if (EndLabelEdit()) return;
  // Unchanged edits are not applied again: that would hand the zones their
  // relays anew.
  if (m_apply->isEnabled() && !ApplyChanges()) return;
  CResizableDialog::accept();
}
