#include "editors/signals/csignallistdlg.h"

#include "editors/signals/caudioeditor.h"
#include "editors/signals/csignalpage.h"
#include "editors/signals/signallistlogic.h"
#include "macros/caudiosignal.h"
#include "model/commandids.h"
#include "model/cstringtable.h"
#include "shell/cbitmapmanager.h"
#include "shell/controls/cgriditemdelegate.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kSignalRole = Qt::UserRole + 1;
constexpr int kColumnWidth = 80;
}  // namespace

CSignalListDlg::CSignalListDlg(CSelvantisDoc& doc, CAudioEditor& sheet, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_sheet(sheet) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_list = new QTreeWidget(this);
  m_list->setObjectName(QStringLiteral("signals"));
  m_list->setRootIsDecorated(false);
  m_list->setColumnCount(2);
  m_list->setHeaderLabels({LoadString(32805), LoadString(32804)});
  m_list->header()->resizeSection(0, kColumnWidth);
  m_list->header()->resizeSection(1, kColumnWidth);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
  m_list->setItemDelegate(new CGridItemDelegate(m_list));
  layout->addWidget(m_list);
  auto* buttons = new QHBoxLayout;
  m_add = new QToolButton(this);
  m_add->setObjectName(QStringLiteral("add"));
  m_add->setIcon(CBitmapManager::Icon(kAddPicture));
  m_add->setToolTip(LoadString(34141));
  m_delete = new QToolButton(this);
  m_delete->setObjectName(QStringLiteral("delete"));
  m_delete->setIcon(CBitmapManager::Icon(kDeletePicture));
  m_delete->setToolTip(LoadString(34142));
  buttons->addWidget(m_add);
  buttons->addWidget(m_delete);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  connect(m_add, &QToolButton::clicked, this, &CSignalListDlg::OnAdd);
  connect(m_delete, &QToolButton::clicked, this, &CSignalListDlg::OnDelete);
  connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CSignalListDlg::OnSelectionChanged);
  connect(m_list, &QTreeWidget::itemChanged, this, &CSignalListDlg::OnItemChanged);
  Fill();
}

void CSignalListDlg::Fill() {
  const QSignalBlocker blocker(m_list);
  m_list->clear();
  for (CAudioSignal* signal : SignalListLogic::ListedSignals(m_doc)) AppendRow(signal);
}

int CSignalListDlg::AppendRow(CAudioSignal* signal) {
  const QSignalBlocker blocker(m_list);
  auto* item = new QTreeWidgetItem(m_list);
  item->setText(0, signal->GetName());
  item->setData(0, kSignalRole, QVariant::fromValue(static_cast<void*>(signal)));
  item->setData(1, kSignalRole, SignalListLogic::ImageOfKind(signal->GetKind()));
  // The row's state image shows the signal's kind.
  item->setIcon(0, CBitmapManager::Icon(kStateImages, SignalListLogic::ImageOfKind(signal->GetKind())));
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  const int row = m_list->indexOfTopLevelItem(item);
  UpdateItemSource(signal, row);
  return row;
}

CAudioSignal* CSignalListDlg::SignalOf(const QTreeWidgetItem* item) const {
  return item ? static_cast<CAudioSignal*>(item->data(0, kSignalRole).value<void*>()) : nullptr;
}

int CSignalListDlg::RowCount() const { return m_list->topLevelItemCount(); }

CAudioSignal* CSignalListDlg::GetSelectedSignal(int* index) const {
  const auto selected = m_list->selectedItems();
  if (selected.isEmpty()) {
    if (index) *index = -1;
    return nullptr;
  }
  if (index) *index = m_list->indexOfTopLevelItem(selected.first());
  return SignalOf(selected.first());
}

void CSignalListDlg::UpdateItemSource(CAudioSignal* signal, int row) {
  QTreeWidgetItem* item = m_list->topLevelItem(row);
  if (!item || SignalOf(item) != signal) return;
  const QSignalBlocker blocker(m_list);
  item->setText(1, SignalListLogic::SourceText(signal));
  m_list->scrollToItem(item);
}

void CSignalListDlg::SelectRow(int row) {
  QTreeWidgetItem* item = m_list->topLevelItem(row);
  if (!item) return;
  m_list->setCurrentItem(item);
  item->setSelected(true);
}

void CSignalListDlg::ClearSelection() {
  if (!m_bUserSelected) return;
  const QSignalBlocker blocker(m_list);
  m_list->clearSelection();
}

void CSignalListDlg::SetButtonsVisible(bool bVisible) {
  m_add->setVisible(bVisible);
  m_delete->setVisible(bVisible);
}

int CSignalListDlg::EnableList(bool bEnable, int row) {
  int selected = -1;
  GetSelectedSignal(&selected);
  const QSignalBlocker blocker(m_list);
  if (bEnable) {
    SelectRow(row);
  } else {
    m_list->clearSelection();
  }
  m_list->setEnabled(bEnable);
  SetButtonsVisible(bEnable);
  return selected;
}

void CSignalListDlg::OnSelectionChanged() {
  CAudioSignal* signal = GetSelectedSignal(nullptr);
  if (!signal) return;
  m_bUserSelected = false;
  const int page = SignalListLogic::PageOfKind(signal->GetKind());
  if (page >= 0) {
    m_sheet.ActivatePage(page);
    if (CSignalPage* active = m_sheet.ActiveSignalPage()) active->SetModified(false);
  }
  m_bUserSelected = true;
}

void CSignalListDlg::OnItemChanged(QTreeWidgetItem* item, int column) {
  CAudioSignal* signal = SignalOf(item);
  if (column != 0 || !signal) return;
  const QString label = item->text(0);
  if (label == signal->GetName()) return;
  const bool bRenamed = !label.isEmpty() && signal->Rename(label);
  if (!bRenamed) {
    const QSignalBlocker blocker(m_list);
    item->setText(0, signal->GetName());
  }
}

void CSignalListDlg::OnAdd() {
  CSignalPage* page = m_sheet.ActiveSignalPage();
  if (!page) return;
  if (CAudioSignal* signal = page->CreateSignal()) {
    m_sheet.CancelToClose();
    const int row = AppendRow(signal);
    {
      // The new row belongs to the page that made it: no page switch.
      const QSignalBlocker blocker(m_list);
      m_list->clearSelection();
      SelectRow(row);
    }
    m_bUserSelected = true;
    UpdateItemSource(signal, row);
  }
  page->SaveToSignal();
  int row = -1;
  if (CAudioSignal* selected = GetSelectedSignal(&row)) UpdateItemSource(selected, row);
}

void CSignalListDlg::OnDelete() {
  int row = -1;
  CAudioSignal* signal = GetSelectedSignal(&row);
  if (!signal) return;
  {
    const QSignalBlocker blocker(m_list);
    delete m_list->takeTopLevelItem(row);
  }
  signal->OnCommand(ID_DELETE_OBJECT);
  if (RowCount() > 0) SelectRow(RowCount() - 1);
  m_sheet.CancelToClose();
}
