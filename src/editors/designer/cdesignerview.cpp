#include "editors/designer/cdesignerview.h"

#include "editors/designer/ccurvedlg.h"
#include "editors/designer/designertransfer.h"
#include "editors/designer/virtctrlvaluequeue.h"
#include "macros/cvirtctrl.h"
#include "macros/cvirtctrlitem.h"
#include "model/cmessagesink.h"
#include "model/commandids.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "model/ui/cselectiondlg.h"
#include "shell/controls/cframehostdialog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QToolTip>

namespace {
constexpr uint32_t kDeleteCommand = 32971;

// A tip text in red (RGB 255,0,0), its line breaks kept.
QString RedToolTip(const QString& text) {
  QString html = text.toHtmlEscaped();
  html.replace(QLatin1Char('\n'), QLatin1String("<br>"));
  return QStringLiteral("<font color=\"#ff0000\">%1</font>").arg(html);
}

constexpr uint32_t kDeviceDownload = 33179;
constexpr uint32_t kDeviceUpload = 33180;
}  // namespace

CDesignerView::CDesignerView(CSelvantisDoc* doc, QWidget* parent)
    : CEBListView(parent), m_doc(doc), m_model(std::make_unique<DesignerPaneModel>(doc, DesignerPaneModel::ItemsRole)) {
  OnInitialUpdate(2);
  SetColumn(0, QString(), 140, Qt::AlignLeft);
  SetColumn(1, QString(), 140, Qt::AlignRight);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(false);
  setMouseTracking(true);
  connect(this, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item, int column) { OnDoubleClick(indexOfTopLevelItem(item), column); });
  connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (m_filling) return;
    const int row = FirstSelectedRow();
    if (row < 0) return;
    m_model->SetSelectedRow(row);
    if (GetRole() != DesignerPaneModel::ItemsRole) return;
    SetCurrentID(m_model->SelectedItemId());
    m_model->SetCurrentId(m_model->SelectedItemId());
  });
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (m_filling || column != 0) return;
    OnEndLabelEdit(indexOfTopLevelItem(item), item->text(0));
  });
}

CDesignerView::~CDesignerView() = default;

void CDesignerView::Fill(DesignerPaneModel::Role role) {
  if (m_model->GetRole() != role) {
    const int selected = m_model->SelectedRow();
    m_model = std::make_unique<DesignerPaneModel>(m_doc, role);
    m_model->SetSelectedRow(selected);
  }
  m_model->Fill();
  Show();
}

void CDesignerView::FillItems() {
  if (!m_values) m_values = new VirtCtrlValueQueue(m_doc, nullptr, this);
  Fill(DesignerPaneModel::ItemsRole);
}
void CDesignerView::FillSources() { Fill(DesignerPaneModel::SourcesRole); }
void CDesignerView::FillDestinations() { Fill(DesignerPaneModel::DestinationsRole); }
void CDesignerView::FillList() { Fill(m_model->GetRole()); }

void CDesignerView::Show() {
  m_filling = true;
  const bool items = GetRole() == DesignerPaneModel::ItemsRole;
  headerItem()->setText(0, m_model->Title(0));
  headerItem()->setText(1, m_model->Title(1));
  if (items) {
    setColumnWidth(0, 105);
    setColumnWidth(1, 25);
  }
  DeleteAllRows();
  for (const DesignerPaneModel::Row& row : m_model->Rows()) {
    CBaseDevice* object = items && m_doc ? m_doc->GetIDManager().FindBaseDevice(row.index, DT_VIRTCTRLITEM) : nullptr;
    const int r = AddRow({row.label, row.name}, object, row.image);
    QTreeWidgetItem* item = topLevelItem(r);
    if (items) item->setFlags(item->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
  }
  if (items) SetCurrentID(m_model->CurrentId());
  SelectRow(m_model->SelectedRow());
  m_filling = false;
}

CVirtCtrlItem* CDesignerView::NewItem() {
  CVirtCtrlItem* item = m_model->NewItem();
  if (item) SetCurrentID(item->GetID());
  return item;
}

bool CDesignerView::DeleteItem() {
  m_model->SetSelectedRow(FirstSelectedRow());
  return m_model->DeleteItem();
}

void CDesignerView::TransferAll(bool bUpload) {
  if (!m_doc) return;
  const QPointer<CDesignerView> self(this);
  DesignerTransfer(*m_doc).TransferAll(bUpload, GetProgressHandler());
  // The transfer lets events in: the pane may have gone.
  if (!self) return;
  if (const ProgressHandler& progress = GetProgressHandler()) progress(0, 0);
}

void CDesignerView::OnDeviceCommand(uint32_t id) {
  if (!m_doc || GetRole() != DesignerPaneModel::ItemsRole) return;
  if (id != kDeviceDownload && id != kDeviceUpload) return;
  m_model->SetSelectedRow(FirstSelectedRow());
  const int itemId = m_model->SelectedItemId();
  if (itemId == 0) return;
  const QPointer<CDesignerView> self(this);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  DesignerTransfer(*m_doc).TransferItem(id == kDeviceUpload, itemId);
  QApplication::restoreOverrideCursor();
  if (self && id == kDeviceUpload) FillItems();
}

void CDesignerView::QueueVirtCtrlValue(int entry, double value) {
  if (GetRole() != DesignerPaneModel::ItemsRole || !m_values) return;
  m_values->QueueVirtCtrlValue(entry, value);
}

bool CDesignerView::CanAccept(const QMimeData* data) const {
  return data && data->hasFormat(DesignerPaneModel::MimeType());
}

bool CDesignerView::DropData(const QMimeData* data) {
  if (!CanAccept(data)) return false;
  const QByteArray record = data->data(DesignerPaneModel::MimeType());
  if (GetRole() == DesignerPaneModel::ItemsRole) {
    // The new item becomes current; the panes are refilled by the frame
    // on its next command, as the drop itself changes no wiring.
    return NewItem() != nullptr;
  }
  m_model->SetSelectedRow(FirstSelectedRow());
  if (FirstSelectedRow() < 0 || !m_model->Drop(record)) return false;
  // Wiring refills this pane only: a row of the other pane that was just
  // cleared stays where it is, with its selection.
  Show();
  return true;
}

QMimeData* CDesignerView::CreateDragData(int row) const {
  if (GetRole() != DesignerPaneModel::ItemsRole || row < 0 || row >= static_cast<int>(m_model->Rows().size()))
    return nullptr;
  auto* data = new QMimeData;
  data->setData(DesignerPaneModel::MimeType(), DesignerPaneModel::DragRecord(m_model->Rows()[row].index));
  return data;
}

void CDesignerView::startDrag(Qt::DropActions) {
  QMimeData* data = CreateDragData(FirstSelectedRow());
  if (!data) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  const QIcon icon = topLevelItem(FirstSelectedRow())->icon(0);
  if (!icon.isNull()) {
    drag->setPixmap(icon.pixmap(32, 32));
    drag->setHotSpot(QPoint(16, 16));
  }
  drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::MoveAction);
}

void CDesignerView::dragEnterEvent(QDragEnterEvent* event) {
  if (CanAccept(event->mimeData())) {
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void CDesignerView::dragMoveEvent(QDragMoveEvent* event) {
  if (CanAccept(event->mimeData())) {
    event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void CDesignerView::dropEvent(QDropEvent* event) {
  if (!CanAccept(event->mimeData())) {
    event->ignore();
    return;
  }
  DropData(event->mimeData());
  event->setDropAction((event->modifiers() & Qt::ControlModifier) ? Qt::CopyAction : Qt::MoveAction);
  event->accept();
}

void CDesignerView::OnDoubleClick(int row, int column) {
  if (row < 0 || row >= static_cast<int>(m_model->Rows().size())) return;
  if (GetRole() == DesignerPaneModel::ItemsRole) {
    OnItemProperties(row);
    return;
  }
  if (column != 1) return;
  SelectRow(row);
  m_model->SetSelectedRow(row);
  CSelectionDlg dlg(this);
  dlg.SetKind(CVirtCtrlItem::kKind);
  dlg.SetDocument(m_doc);
  if (const CVirtCtrl* block = m_model->Block()) {
    const DesignerPaneModel::Row& r = m_model->Rows()[static_cast<size_t>(row)];
    dlg.SetCurrent(block->GetLink(r.image, r.index));
  }
  if (dlg.DoModal() != IDOK) return;
  const int id = dlg.GetResult();
  if (id == 0) {
    // Clearing empties the cell in place: no pane is refilled, so a row
    // kept only by its link stays listed until the next refill.
    if (m_model->Clear() && topLevelItem(row)) topLevelItem(row)->setText(1, QString());
    return;
  }
  // As a drop: this pane only.
  if (m_model->Wire(id)) Show();
}

void CDesignerView::OnItemProperties(int row) {
  auto* item = dynamic_cast<CVirtCtrlItem*>(ObjectAt(row));
  if (!item) return;
  SelectRow(row);
  CCurveDlg dlg(item, this, this);
  dlg.DoModal();
  if (!dlg.State().Renamed()) return;
  // The item keeps its row (rows are in ID order) and stays the current one.
  FillList();
  emit panesChanged();
}

void CDesignerView::OnDeleteKey() {
  QToolTip::hideText();
  // A transfer may still use the items and their links.
  if (CFrameHostDialog::RefusesWhileLineInUse(this)) return;
  if (GetRole() == DesignerPaneModel::ItemsRole) {
    emit frameCommand(kDeleteCommand);
    return;
  }
  const int row = FirstSelectedRow();
  if (row < 0) return;
  m_model->SetSelectedRow(row);
  if (m_model->Clear()) topLevelItem(row)->setText(1, QString());
}

bool CDesignerView::OnEndLabelEdit(int row, const QString& text) {
  if (GetRole() != DesignerPaneModel::ItemsRole || row < 0) return false;
  m_model->SetSelectedRow(row);
  const bool renamed = m_model->Rename(text);
  // Also after a refused name the row shows the item's real name again.
  Show();
  if (renamed) emit panesChanged();
  return renamed;
}

void CDesignerView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    OnDeleteKey();
    event->accept();
    return;
  }
  CEBListView::keyPressEvent(event);
}

bool CDesignerView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    QTreeWidgetItem* item = itemAt(help->pos());
    const int row = item ? indexOfTopLevelItem(item) : -1;
    // The row's tip, over every column of the row, in red.
    const QString text = row >= 0 ? m_model->ToolTip(row) : QString();
    if (!text.isEmpty()) {
      QToolTip::showText(help->globalPos(), RedToolTip(text), viewport(), visualItemRect(item));
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return CEBListView::viewportEvent(event);
}

void CDesignerView::contextMenuEvent(QContextMenuEvent* event) {
  if (GetRole() != DesignerPaneModel::ItemsRole) {
    event->accept();
    return;
  }
  CEBListView::contextMenuEvent(event);
}
