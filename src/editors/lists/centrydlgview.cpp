#include "editors/lists/centrydlgview.h"

#include "editors/lists/centrylisttransfer.h"
#include "editors/lists/entrylistkind.h"
#include "editors/lists/entrylistrules.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cinplaceedit.h"

#include <QApplication>
#include <QPointer>

CEntryDlgView::CEntryDlgView(CSelvantisDoc* doc, const EntryListKind& kind, int columnCount, QWidget* parent)
    : CEBListView(parent), m_doc(doc), m_kind(kind) {
  EnableRowEditing();
  OnInitialUpdate(columnCount);
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, [this](CBaseDevice* object) {
      for (int row = RowCount() - 1; row >= 0; --row) {
        if (ObjectAt(row) == object) delete topLevelItem(row);
      }
    });
  }
}

void CEntryDlgView::TransferAllEntries(bool bUpload) {
  if (!m_doc) return;
  CEntryListTransfer transfer(*m_doc, m_kind);
  transfer.TransferAll(bUpload, GetProgressHandler());
}

void CEntryDlgView::TransferSelected(bool bUpload) {
  // Every row holds an entry of this list.
  const CBaseDevice* entry = ObjectAt(FirstSelectedRow());
  if (!entry || !m_doc) return;
  const int id = entry->GetID();
  CEntryListTransfer transfer(*m_doc, m_kind);
  const QPointer<CEntryDlgView> self(this);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  transfer.TransferEntry(bUpload, id);
  QApplication::restoreOverrideCursor();
  // The transfer lets events in: the list may have gone.
  if (self && bUpload) FillList();
}

void CEntryDlgView::OnDeviceCommand(uint32_t id) {
  if (id == EntryListRules::kDeviceDownload) TransferSelected(false);
  if (id == EntryListRules::kDeviceUpload) TransferSelected(true);
}

std::optional<ListChoice> CEntryDlgView::Choose(const ListChoiceRequest& request) {
  if (m_chooser) return m_chooser(request);
  return RunSelectionDialog(this, m_doc, request);
}

void CEntryDlgView::OpenEditor(int row, int column) {
  if (m_editor) return;
  auto* edit = new CInPlaceEdit(row, column, CellText(row, column), viewport(), CellRect(row, column));
  m_editor = edit;
  connect(edit, &CInPlaceEdit::endEdit, this, &CEntryDlgView::OnEndLabelEdit);
}

void CEntryDlgView::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) {
  m_editor = nullptr;
  if (!cancelled && !text.isNull()) ApplyText(row, column, text);
  FillList();
}

uint32_t CEntryDlgView::DeleteCommand() const { return m_kind.deleteCommand; }
