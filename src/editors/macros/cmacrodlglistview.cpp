#include "editors/macros/cmacrodlglistview.h"

#include "editors/lists/centrylisttransfer.h"
#include "editors/macros/macrolistmodel.h"
#include "link/idevicelink.h"
#include "macros/cmacro.h"
#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ui/cselectiondlg.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QSignalBlocker>

CMacroDlgListView::CMacroDlgListView(CSelvantisDoc* doc, QWidget* parent) : CEBListView(parent), m_doc(doc) {
  OnInitialUpdate(MacroListModel::kColumnCount);
  // The name is edited as the row's label (a click on the selected row or
  // F2); a double click chooses the kind and does nothing elsewhere.
  EnableRowEditing();
  SetColumn(MacroListModel::kName, QString(), kDefaultColumnWidth, Qt::AlignHCenter);
  SetColumn(MacroListModel::kKind, QString(), kDefaultColumnWidth, Qt::AlignLeft);
  SetColumn(MacroListModel::kId, QString(), kDefaultColumnWidth, Qt::AlignRight);
  connect(this, &QTreeWidget::itemChanged, this, &CMacroDlgListView::OnItemChanged);
  connect(this, &QTreeWidget::itemSelectionChanged, this, &CMacroDlgListView::OnSelectionChanged);
}

// The column widths are kept when the list goes away with its frame.
CMacroDlgListView::~CMacroDlgListView() { SaveColumnWidths(); }

void CMacroDlgListView::SaveColumnWidths() {
  CProfile::WriteString(QString::fromLatin1(MacroListModel::kSection),
                        QString::fromLatin1(MacroListModel::kColumnWidthKey),
                        MacroListModel::FormatColumnWidths({columnWidth(0), columnWidth(1), columnWidth(2)}));
}

CMacro* CMacroDlgListView::MacroAt(int row) const { return dynamic_cast<CMacro*>(ObjectAt(row)); }

CMacro* CMacroDlgListView::SelectedMacro() const { return MacroAt(FirstSelectedRow()); }

void CMacroDlgListView::FillList() {
  const std::array<int, 3> widths = MacroListModel::ParseColumnWidths(CProfile::GetString(
      QString::fromLatin1(MacroListModel::kSection), QString::fromLatin1(MacroListModel::kColumnWidthKey)));
  SetColumn(MacroListModel::kName, LoadString(32806), widths[0], Qt::AlignHCenter);
  SetColumn(MacroListModel::kKind, LoadString(32804), widths[1], Qt::AlignLeft);
  SetColumn(MacroListModel::kId, LoadString(34244), widths[2], Qt::AlignRight);
  const int current = GetCurrentID();
  m_filling = true;
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (m_doc) {
      for (const MacroListModel::Row& row : MacroListModel::Rows(*m_doc)) {
        const int index = AddRow(row.cells, row.macro, 0);
        topLevelItem(index)->setFlags(topLevelItem(index)->flags() | Qt::ItemIsEditable);
      }
    }
  }
  if (RowCount() > 0 && m_doc) {
    const int row = MacroListModel::RowOfId(MacroListModel::Rows(*m_doc), current);
    const QSignalBlocker block(this);
    SelectRow(row);
  }
  SetCurrentID(SelectedMacro() ? SelectedMacro()->GetID() : current);
  m_filling = false;
}

std::optional<int> CMacroDlgListView::Choose(uint32_t kind, const QString& preset) {
  if (m_chooser) return m_chooser(kind, preset);
  CSelectionDlg dialog(this);
  dialog.SetKind(kind);
  if (!preset.isEmpty()) dialog.SetSelection(preset);
  if (m_doc) dialog.SetDocument(m_doc);
  if (dialog.DoModal() != QDialog::Accepted) return std::nullopt;
  return dialog.GetResult();
}

void CMacroDlgListView::NewMacro() {
  if (!m_doc) return;
  const std::optional<int> kind = Choose(CMacro::kSelectMacroKind, QString());
  if (!kind) return;
  const MacroListModel::NewResult result = MacroListModel::NewMacro(*m_doc, *kind);
  if (!result.message.isEmpty()) AfxMessageBox(result.message, MB_OK | MB_ICONEXCLAMATION);
  if (!result.created.empty()) SetCurrentID(result.created.front()->GetID());
}

void CMacroDlgListView::ExecuteMacro() {
  const CMacro* macro = SelectedMacro();
  if (!macro) return;
  IDeviceLink* link = m_link ? m_link : GetDeviceLink();
  if (link) link->SendDeviceCommand(MacroListModel::ExecuteLine(macro->GetID()), m_doc, false);
}

void CMacroDlgListView::TransferAll(bool bUpload) {
  if (!m_doc) return;
  CEntryListTransfer transfer(*m_doc, MacroListModel::kMacroTransfer, m_link);
  transfer.TransferAll(bUpload, GetProgressHandler());
}

void CMacroDlgListView::OnDeviceCommand(uint32_t id) {
  const CMacro* macro = SelectedMacro();
  if (!macro || !m_doc) return;
  const bool upload = id == 33180;
  if (!upload && id != 33179) return;
  CEntryListTransfer transfer(*m_doc, MacroListModel::kMacroTransfer, m_link);
  const QPointer<CMacroDlgListView> self(this);
  transfer.TransferEntry(upload, macro->GetID());
  // The transfer lets events in: the list may have gone.
  if (self && upload) FillList();
}

void CMacroDlgListView::EditCell(int row, int column) {
  ResetHover();
  CMacro* macro = MacroAt(row);
  if (!macro || column != MacroListModel::kKind) return;
  const std::optional<int> kind = Choose(CMacro::kSelectMacroKind, macro->GetParamText(CMacro::P_KIND));
  if (!kind) return;
  macro->SetParam(CMacro::P_KIND, *kind);
  SetCurrentID(macro->GetID());
  FillList();
  emit macroSelected();
}

bool CMacroDlgListView::BeginLabelEdit(int row, int column) {
  ResetHover();
  if (column != MacroListModel::kName || !MacroAt(row)) return false;
  m_editRow = row;
  editItem(topLevelItem(row), MacroListModel::kName);
  return true;
}

void CMacroDlgListView::EndLabelEdit(int row, const std::optional<QString>& text) {
  m_editRow = -1;
  CMacro* macro = MacroAt(row);
  if (!macro) return;
  if (text && !text->isEmpty()) macro->SetUniqueName(*text, true);
  SetCurrentID(macro->GetID());
  FillList();
  emit macroSelected();
}

void CMacroDlgListView::OnItemChanged(QTreeWidgetItem* item, int column) {
  if (m_filling || column != MacroListModel::kName) return;
  const int row = indexOfTopLevelItem(item);
  if (row < 0) return;
  const QString text = item->text(MacroListModel::kName);
  // The refill replaces the item; finish outside the model's signal.
  QMetaObject::invokeMethod(
      this, [this, row, text] { EndLabelEdit(row, text); }, Qt::QueuedConnection);
}

void CMacroDlgListView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  const int row = m_editRow;
  CEBListView::closeEditor(editor, hint);
  if (hint == QAbstractItemDelegate::RevertModelCache && row >= 0) {
    QMetaObject::invokeMethod(
        this, [this, row] { EndLabelEdit(row, std::nullopt); }, Qt::QueuedConnection);
  }
}

void CMacroDlgListView::OnSelectionChanged() {
  if (m_filling) return;
  QTreeWidgetItem* item = currentItem();
  if (item && item->isSelected()) {
    if (const CMacro* macro = MacroAt(indexOfTopLevelItem(item))) SetCurrentID(macro->GetID());
  }
  emit macroSelected();
}

void CMacroDlgListView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    emit command(kDeleteMacro);
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_F2) {
    BeginLabelEdit(FirstSelectedRow(), MacroListModel::kName);
    event->accept();
    return;
  }
  CEBListView::keyPressEvent(event);
}

void CMacroDlgListView::resizeEvent(QResizeEvent* event) {
  CEBListView::resizeEvent(event);
  // The pane's own width: the event also comes for the inner viewport,
  // which is narrower by the frame.
  CProfile::WriteInt(QString::fromLatin1(MacroListModel::kSection), QString::fromLatin1(MacroListModel::kListWidthKey),
                     width());
}
