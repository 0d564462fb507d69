#include "unit/ui/ckcmconfigurationdlg.h"

#include "amps/ui/crelaytopologiesdlg.h"
#include "amps/ui/dragcursors.h"
#include "model/cselvantisdoc.h"
#include "shell/cmainframe.h"
#include "shell/controls/ceditablelistctrl.h"
#include "shell/controls/cresizablebutton.h"
#include "shell/controls/cresizabletreectrl.h"

#include <QApplication>
#include <QBrush>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

#include <functional>

namespace {

using Node = KCMConfigurationState::Node;

// Tells the dialog which editor is open on a tree label.
class LabelEditDelegate final : public QStyledItemDelegate {
 public:
  LabelEditDelegate(std::function<void(QWidget*)> onEditor, QObject* parent)
      : QStyledItemDelegate(parent), m_onEditor(std::move(onEditor)) {}
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    m_onEditor(editor);
    return editor;
  }

 private:
  std::function<void(QWidget*)> m_onEditor;
};

// The relay topologies dialog opens this one.
const bool kRunnerInstalled = [] {
  CRelayTopologiesDlg::SetCardConfigRunner([](CSelvantisDoc* doc, QWidget* parent) {
    if (doc == nullptr) return;
    CKCMConfigurationDlg dlg(*doc, parent);
    dlg.DoModal();
  });
  return true;
}();

}  // namespace

CKCMConfigurationDlg::CKCMConfigurationDlg(CSelvantisDoc& doc, QWidget* parent)
    : CResizableDialog(kTemplateId, parent),
      m_doc(&doc),
      m_state(doc),
      m_list(new CEditableListCtrl(this)),
      m_frame(new QGroupBox(this)),
      m_tree(new CResizableTreeCtrl(this)),
      m_ok(new CResizableButton(tr("OK"), this)) {
  Q_UNUSED(kRunnerInstalled);
  setWindowTitle(tr("KCM Configuration"));
  m_list->setObjectName(QStringLiteral("offerList"));
  m_tree->setObjectName(QStringLiteral("cardTree"));
  m_ok->setObjectName(QStringLiteral("ok"));
  m_ok->setDefault(true);

  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setRootIsDecorated(false);
  m_list->viewport()->installEventFilter(this);

  m_tree->setHeaderHidden(true);
  m_tree->setColumnCount(1);
  m_tree->setRootIsDecorated(true);
  m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
  m_tree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  auto* delegate = new LabelEditDelegate([this](QWidget* editor) { m_labelEditor = editor; }, m_tree);
  m_tree->setItemDelegate(delegate);
  connect(delegate, &QAbstractItemDelegate::closeEditor, this, [this] { m_labelEditor = nullptr; });
  m_tree->setAcceptDrops(true);
  m_tree->viewport()->setAcceptDrops(true);
  m_tree->viewport()->installEventFilter(this);
  m_tree->installEventFilter(this);
  // The dialog takes its own drags everywhere; only the tree does
  // something with a drop.
  DragCursors::CoverDialog(
      this, [](const QMimeData* mime) { return mime != nullptr && mime->hasFormat(QLatin1String(kOfferMimeType)); },
      Qt::CopyAction);

  auto* inner = new QHBoxLayout(m_frame);
  inner->addWidget(m_list, 92);
  inner->addWidget(m_tree, 205);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_ok);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_frame, 1);
  layout->addLayout(buttons);
  resize(560, 420);

  connect(m_ok, &QPushButton::clicked, this, &CKCMConfigurationDlg::accept);
  connect(m_tree, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnCurrentItemChanged(current); });
  connect(m_tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { OnExpandedChanged(item, true); });
  connect(m_tree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) { OnExpandedChanged(item, false); });
  connect(m_tree, &QTreeWidget::itemChanged, this, &CKCMConfigurationDlg::OnItemChanged);
  connect(&doc, &CSelvantisDoc::objectRemoved, this, [this](int, int) { OnObjectRemoved(); });
  connect(&doc, &CSelvantisDoc::aboutToClear, this, [this] {
    m_state.Fill();
    m_nodes.clear();
    m_items.clear();
    reject();
  });
}

CKCMConfigurationDlg::~CKCMConfigurationDlg() = default;

bool CKCMConfigurationDlg::OnInitDialog() {
  if (!m_doc) return false;
  m_state.Fill();
  SyncTree();
  m_list->InsertColumn(tr("Selection list"), 90);
  FillOffers();
  return CResizableDialog::OnInitDialog();
}

QIcon CKCMConfigurationDlg::Image(int index) { return m_images.Icon(kImageStrip, index); }

QTreeWidgetItem* CKCMConfigurationDlg::ItemOf(const Node* node) const { return m_items.value(node, nullptr); }

Node* CKCMConfigurationDlg::NodeOf(const QTreeWidgetItem* item) const { return m_nodes.value(item, nullptr); }

// ---- Tree ---------------------------------------------------------------------------

void CKCMConfigurationDlg::SyncTree() {
  m_filling = true;
  {
    const QSignalBlocker blocker(m_tree);
    SetDropHighlight(nullptr);
    m_tree->clear();
    m_nodes.clear();
    m_items.clear();
    if (Node* root = m_state.Root()) AddItems(nullptr, root);
    QTreeWidgetItem* current = ItemOf(m_state.Selected());
    m_tree->setCurrentItem(current);
    if (current != nullptr) m_tree->scrollToItem(current);
  }
  // Expanding happens with signals on, so the view lays out its children;
  // the nodes already know they are expanded.
  for (auto it = m_items.cbegin(); it != m_items.cend(); ++it)
    if (it.key()->expanded && it.value()->childCount() > 0) it.value()->setExpanded(true);
  m_filling = false;
}

void CKCMConfigurationDlg::AddItems(QTreeWidgetItem* parentItem, Node* node) {
  auto* item = parentItem != nullptr ? new QTreeWidgetItem(parentItem) : new QTreeWidgetItem(m_tree);
  item->setText(0, node->text);
  item->setIcon(0, Image(node->Image()));
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (KCMConfigurationState::CanEditLabel(node)) flags |= Qt::ItemIsEditable;
  item->setFlags(flags);
  m_nodes.insert(item, node);
  m_items.insert(node, item);
  for (auto& child : node->children) AddItems(item, child.get());
}

void CKCMConfigurationDlg::OnCurrentItemChanged(QTreeWidgetItem* current) {
  if (m_filling) return;
  m_state.Select(NodeOf(current));
  FillOffers();
}

void CKCMConfigurationDlg::OnExpandedChanged(QTreeWidgetItem* item, bool expanded) {
  Node* node = NodeOf(item);
  if (node == nullptr) return;
  m_state.SetExpanded(node, expanded);
  const bool filling = m_filling;
  m_filling = true;
  {
    const QSignalBlocker blocker(m_tree);
    item->setIcon(0, Image(node->Image()));
  }
  m_filling = filling;
}

void CKCMConfigurationDlg::OnItemChanged(QTreeWidgetItem* item, int column) {
  if (m_filling || column != 0) return;
  Node* node = NodeOf(item);
  if (node == nullptr) return;
  const QString text = item->text(0);
  // The edit has ended; a message about the name may follow.
  m_labelEditor = nullptr;
  m_state.EndLabelEdit(node, text);
  const QSignalBlocker blocker(m_tree);
  item->setText(0, node->text);
}

void CKCMConfigurationDlg::OnDeleteKey() {
  if (!m_state.DeleteSelected()) return;
  SyncTree();
  FillOffers();
}

void CKCMConfigurationDlg::OnObjectRemoved() {
  // Our own edits rebuild what they touch; removals from elsewhere leave
  // nodes pointing at objects that are gone, so the tree is read again.
  if (m_editing) return;
  m_state.Fill();
  SyncTree();
  FillOffers();
}

// ---- Offer list ---------------------------------------------------------------------

void CKCMConfigurationDlg::FillOffers() {
  const QSignalBlocker blocker(m_list);
  m_list->DeleteAllItems();
  m_list->setSelectionMode(m_state.IsMultiSelect() ? QAbstractItemView::ExtendedSelection
                                                   : QAbstractItemView::SingleSelection);
  for (const KCMConfigurationState::Offer& offer : m_state.Offers()) {
    const int row = m_list->AppendItem({offer.text});
    if (QTreeWidgetItem* item = m_list->topLevelItem(row)) item->setIcon(0, Image(offer.image));
    m_list->SetItemData(row, offer.image);
  }
}

// ---- Dragging -------------------------------------------------------------------------

std::unique_ptr<QMimeData> CKCMConfigurationDlg::MakeOfferMime(int row) {
  auto mime = std::make_unique<QMimeData>();
  mime->setData(QLatin1String(kOfferMimeType), QByteArray::number(row));
  return mime;
}

QDrag* CKCMConfigurationDlg::MakeOfferDrag(int row) {
  if (row < 0 || row >= static_cast<int>(m_state.Offers().size())) return nullptr;
  const int image = m_state.Offers()[static_cast<size_t>(row)].image;
  QPixmap picture;
  if (image == KCMConfigurationState::IMG_ZONE || image == KCMConfigurationState::IMG_OTHER) {
    picture = m_images.Bitmaps().GetImage(kDragBitmap, 0);
  }
  if (picture.isNull()) picture = Image(image).pixmap(16, 16);
  auto* drag = new QDrag(m_list);
  drag->setMimeData(MakeOfferMime(row).release());
  if (!picture.isNull()) drag->setPixmap(picture);
  drag->setHotSpot(QPoint(10, 10));
  // The plain arrow wherever the mouse is in the dialog, the refusing
  // cursor outside it.
  DragCursors::Apply(*drag, DragCursors::ArrowCursor(), Qt::CopyAction);
  return drag;
}

void CKCMConfigurationDlg::StartDrag(int row) {
  QDrag* drag = MakeOfferDrag(row);
  if (drag == nullptr) return;
  drag->exec(Qt::CopyAction);
  SetDropHighlight(nullptr);
}

void CKCMConfigurationDlg::SetDropHighlight(QTreeWidgetItem* item) {
  if (item == m_dropHighlight) return;
  // The highlight only shows the place; the drop goes to the selected item.
  const bool filling = m_filling;
  m_filling = true;
  {
    const QSignalBlocker blocker(m_tree);
    if (m_dropHighlight != nullptr && m_nodes.contains(m_dropHighlight)) m_dropHighlight->setBackground(0, QBrush());
    m_dropHighlight = item;
    if (item != nullptr) item->setBackground(0, palette().brush(QPalette::Highlight));
  }
  m_filling = filling;
}

bool CKCMConfigurationDlg::HandleDrop(QDropEvent* event) {
  SetDropHighlight(nullptr);
  const QMimeData* mime = event->mimeData();
  if (mime == nullptr || !mime->hasFormat(QLatin1String(kOfferMimeType))) return false;
  bool ok = false;
  const int row = mime->data(QLatin1String(kOfferMimeType)).toInt(&ok);
  if (!ok) return false;
  event->acceptProposedAction();
  std::vector<int> selected;
  m_list->GetSelectedItems(&selected);
  m_editing = true;
  m_state.Drop(row, selected);
  m_editing = false;
  SyncTree();
  FillOffers();
  return true;
}

bool CKCMConfigurationDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_list->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      m_pressPos = mouse->position().toPoint();
      QTreeWidgetItem* item = m_list->itemAt(m_pressPos);
      m_pressRow = item != nullptr ? m_list->RowOf(item) : -1;
    } else if (event->type() == QEvent::MouseMove) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if ((mouse->buttons() & Qt::LeftButton) && m_pressRow >= 0 &&
          (mouse->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        const int row = m_pressRow;
        m_pressRow = -1;
        StartDrag(row);
        return true;
      }
    } else if (event->type() == QEvent::MouseButtonRelease) {
      m_pressRow = -1;
    }
    return CResizableDialog::eventFilter(watched, event);
  }
  if (watched == m_tree->viewport()) {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (drag->mimeData() == nullptr || !drag->mimeData()->hasFormat(QLatin1String(kOfferMimeType))) break;
        drag->acceptProposedAction();
        SetDropHighlight(m_tree->itemAt(drag->position().toPoint()));
        return true;
      }
      case QEvent::DragLeave: SetDropHighlight(nullptr); return false;
      case QEvent::Drop:
        if (HandleDrop(static_cast<QDropEvent*>(event))) return true;
        break;
      default: break;
    }
    return CResizableDialog::eventFilter(watched, event);
  }
  if (watched == m_tree && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete && m_labelEditor.isNull()) {
      m_editing = true;
      OnDeleteKey();
      m_editing = false;
      return true;
    }
  }
  return CResizableDialog::eventFilter(watched, event);
}

void CKCMConfigurationDlg::accept() {
  if (QWidget* editor = m_labelEditor.data()) {
    // The edit ends with the text typed so far; the dialog stays open.
    m_labelEditor = nullptr;
    QAbstractItemDelegate* delegate = m_tree->itemDelegate();
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
    return;
  }
  CResizableDialog::accept();
}
