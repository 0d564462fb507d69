#include "editors/lists/ctriggerdlgview.h"

#include "editors/lists/centrylisttransfer.h"
#include "editors/lists/entrylistkind.h"
#include "editors/lists/entrylistrules.h"
#include "editors/lists/triggerlistmodel.h"
#include "logic/ctrigger.h"
#include "model/cselvantisdoc.h"
#include "model/ui/cselectiondlg.h"
#include "shell/controls/cinplaceedit.h"

#include <QApplication>
#include <QPointer>

namespace {

constexpr int kTriggerImage = 1;

}  // namespace

CTriggerDlgView::CTriggerDlgView(CSelvantisDoc* doc, QWidget* parent) : CEBListView(parent), m_doc(doc) {
  EnableRowEditing();
  OnInitialUpdate(TriggerListModel::kColumnCount);
  // Objects of this document may vanish under the list (another editor, an
  // upload): drop the rows before they point at freed objects.
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, [this](CBaseDevice* object) {
      for (int row = 0; row < RowCount(); ++row) {
        if (ObjectAt(row) == object) {
          delete topLevelItem(row);
          break;
        }
      }
    });
  }
}

CTrigger* CTriggerDlgView::TriggerAt(int row) const { return dynamic_cast<CTrigger*>(ObjectAt(row)); }

void CTriggerDlgView::FillList() {
  const QStringList titles = TriggerListModel::ColumnTitles();
  for (int column = 0; column < TriggerListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), TriggerListModel::ColumnWidth(column),
              TriggerListModel::ColumnAlignment(column));
  }
  const int current = GetCurrentID();
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (m_doc) {
      for (CTrigger* trigger : TriggerListModel::Triggers(*m_doc)) {
        AddRow(TriggerListModel::RowTexts(*trigger), trigger, kTriggerImage);
      }
    }
  }
  SetCurrentID(current);
  const int row = EntryListRules::RowToSelect(RowIds(), current);
  if (row >= 0) SelectRow(row);
}

void CTriggerDlgView::NewTrigger() {
  if (!m_doc) return;
  if (CTrigger* trigger = TriggerListModel::NewTrigger(*m_doc)) SetCurrentID(trigger->GetID());
}

void CTriggerDlgView::TransferAllTriggers(bool bUpload) {
  if (!m_doc) return;
  CEntryListTransfer transfer(*m_doc, entrylists::kTrigger);
  transfer.TransferAll(bUpload, GetProgressHandler());
}

void CTriggerDlgView::TransferSelected(bool bUpload) {
  const CTrigger* trigger = TriggerAt(FirstSelectedRow());
  if (!trigger || !m_doc) return;
  const int id = trigger->GetID();
  CEntryListTransfer transfer(*m_doc, entrylists::kTrigger);
  const QPointer<CTriggerDlgView> self(this);
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    transfer.TransferEntry(bUpload, id);
    QApplication::restoreOverrideCursor();
  }
  // The transfer lets events in: the list may have gone.
  if (self && bUpload) FillList();
}

void CTriggerDlgView::OnDeviceCommand(uint32_t id) {
  if (id == EntryListRules::kDeviceDownload) TransferSelected(false);
  if (id == EntryListRules::kDeviceUpload) TransferSelected(true);
}

std::optional<int> CTriggerDlgView::Choose(uint32_t kind, const QString& current) {
  if (m_chooser) return m_chooser(kind, current);
  CSelectionDlg dialog(this);
  dialog.SetKind(kind);
  dialog.SetSelection(current);
  if (m_doc) dialog.SetDocument(m_doc);
  if (dialog.DoModal() != QDialog::Accepted) return std::nullopt;
  return dialog.GetResult();
}

void CTriggerDlgView::EditCell(int row, int column) {
  ResetHover();
  CTrigger* trigger = TriggerAt(row);
  if (!trigger) return;
  switch (TriggerListModel::EditOf(column)) {
    case TriggerListModel::Edit::Select: {
      const std::optional<int> id = Choose(TriggerListModel::SelectionKindOf(column), CellText(row, column));
      // The trigger may have gone while the dialog was open.
      if (!id || TriggerAt(row) != trigger) return;
      TriggerListModel::ApplyChoice(*trigger, column, *id);
      FillList();
      break;
    }
    case TriggerListModel::Edit::InPlace: OpenEditor(row, column); break;
    case TriggerListModel::Edit::None: break;
  }
}

bool CTriggerDlgView::BeginLabelEdit(int row, int column) {
  if (!TriggerListModel::CanEditLabel(column) || !TriggerAt(row)) return false;
  ResetHover();
  OpenEditor(row, column);
  return m_editor != nullptr;
}

void CTriggerDlgView::OpenEditor(int row, int column) {
  if (m_editor) return;
  auto* edit = new CInPlaceEdit(row, column, CellText(row, column), viewport(), CellRect(row, column));
  m_editor = edit;
  connect(edit, &CInPlaceEdit::endEdit, this, &CTriggerDlgView::OnEndLabelEdit);
}

void CTriggerDlgView::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) {
  // The edit deletes itself once it has reported; another may open now.
  m_editor = nullptr;
  if (!cancelled && !text.isNull()) {
    if (CTrigger* trigger = TriggerAt(row)) TriggerListModel::ApplyText(*trigger, column, text);
  }
  FillList();
}

uint32_t CTriggerDlgView::DeleteCommand() const { return entrylists::kTrigger.deleteCommand; }
