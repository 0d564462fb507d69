#include "editors/lists/ccalendarlistview.h"

#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/centrylistframe.h"
#include "editors/lists/centrylisttransfer.h"
#include "editors/lists/entrylistrules.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/ui/cselectiondlg.h"
#include "shell/controls/cinplacedatetimectrl.h"
#include "shell/controls/cinplaceedit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QPointer>

namespace {

// Restores the cursor however the transfer ends.
class WaitCursor final {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CCalendarListView::CCalendarListView(CSelvantisDoc* doc, const EntryListKind& kind, QWidget* parent)
    : CEBListView(parent), m_doc(doc), m_kind(kind) {
  EnableRowEditing();
  // Objects of this document may vanish under the list (another editor, an
  // upload): drop their rows before they point at freed objects.
  if (m_doc) {
    connect(m_doc, &CSelvantisDoc::objectAboutToBeRemoved, this, [this](CBaseDevice* object) { DropRowsOf(object); });
    connect(m_doc, &CSelvantisDoc::aboutToClear, this, [this] { DeleteAllRows(); });
  }
}

void CCalendarListView::DropRowsOf(const CBaseDevice* object) {
  for (int row = RowCount() - 1; row >= 0; --row) {
    if (ObjectAt(row) == object) delete topLevelItem(row);
  }
}

// ---- Transfers -----------------------------------------------------------------------

void CCalendarListView::TransferAll(bool bUpload) {
  if (!m_doc) return;
  CEntryListTransfer transfer(*m_doc, m_kind);
  transfer.TransferAll(bUpload, GetProgressHandler());
}

void CCalendarListView::TransferSelected(bool bUpload) {
  const CBaseDevice* entry = ObjectAt(FirstSelectedRow());
  if (!m_doc) return;
  // The appointment list downloads with no row selected too: ID 0 gives the
  // calendar block's own step 2.
  const bool blockStep = !entry && !bUpload && m_kind.entryType == calendarlists::kAppoint.entryType;
  if (!entry && !blockStep) return;
  // An upload prepares every part of the container: the answers of one
  // entry may name entries of the other parts.
  EntryListKind kind = m_kind;
  if (bUpload) kind.selector = calendarlists::kUploadSelector;
  CEntryListTransfer transfer(*m_doc, kind);
  const QPointer<CCalendarListView> self(this);
  {
    WaitCursor wait;
    if (entry)
      transfer.TransferEntry(bUpload, entry->GetID());
    else
      transfer.TransferSteps(false, 0);
  }
  // The transfer lets events in: the list may have gone.
  if (self && bUpload) FillList();
}

void CCalendarListView::OnDeviceCommand(uint32_t id) {
  if (!HasContextMenu()) return;
  if (id == EntryListRules::kDeviceDownload) TransferSelected(false);
  if (id == EntryListRules::kDeviceUpload) TransferSelected(true);
}

// ---- Editing ------------------------------------------------------------------------------

std::optional<int> CCalendarListView::Choose(uint32_t kind, const QString& current) {
  if (m_chooser) return m_chooser(kind, current);
  CSelectionDlg dialog(this);
  dialog.SetKind(kind);
  dialog.SetSelection(current);
  if (m_doc) dialog.SetDocument(m_doc);
  if (dialog.DoModal() != QDialog::Accepted) return std::nullopt;
  return dialog.GetResult();
}

bool CCalendarListView::CanEditLabel(int row, int column) const { return column == 0 && ObjectAt(row) != nullptr; }

bool CCalendarListView::BeginLabelEdit(int row, int column) {
  if (!CanEditLabel(row, column)) return false;
  ResetHover();
  OpenTextEditor(row, column);
  return m_editor != nullptr;
}

void CCalendarListView::OpenTextEditor(int row, int column) {
  if (m_editor) return;
  auto* edit = new CInPlaceEdit(row, column, CellText(row, column), viewport(), CellRect(row, column));
  m_editor = edit;
  connect(edit, &CInPlaceEdit::endEdit, this, &CCalendarListView::OnEndLabelEdit);
}

void CCalendarListView::OpenPicker(int row, int column, CellDateTimeFormat::Kind kind, const QString& initialText,
                                   int extraHeight) {
  if (m_editor) return;
  const QRect rect = CellRect(row, column).adjusted(0, 0, 0, extraHeight);
  auto* picker = new CInPlaceDateTimeCtrl(row, column, initialText, kind, viewport(), rect);
  m_editor = picker;
  connect(picker, &CInPlaceDateTimeCtrl::endEdit, this, &CCalendarListView::OnEndLabelEdit);
}

void CCalendarListView::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) {
  // The editor deletes itself once it has reported; another may open now.
  m_editor = nullptr;
  if (!cancelled && !text.isNull() && !ApplyText(row, column, text)) return;
  FillList();
}

// ---- Mouse, keys and menu ------------------------------------------------------------

void CCalendarListView::OnDeleteKey() {
  if (m_deleteKey) {
    m_deleteKey();
    return;
  }
  CEBListView::OnDeleteKey();
}

void CCalendarListView::contextMenuEvent(QContextMenuEvent* event) {
  if (!HasContextMenu()) {
    event->accept();
    return;
  }
  CEBListView::contextMenuEvent(event);
}
