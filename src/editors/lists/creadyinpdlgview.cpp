#include "editors/lists/creadyinpdlgview.h"

#include "editors/lists/centrylisttransfer.h"
#include "editors/lists/entrylistrules.h"
#include "editors/lists/readyinputlistmodel.h"
#include "link/ctransfer.h"
#include "link/idevicelink.h"
#include "logic/cglobalreadyinput.h"
#include "logic/creadyinput.h"
#include "model/cselvantisdoc.h"

#include <QApplication>
#include <QPointer>
#include <QSignalBlocker>

CReadyInpDlgView::CReadyInpDlgView(CSelvantisDoc* doc, QWidget* parent)
    : CLogicEntryListView(doc, ReadyInputListModel::kColumnCount, ReadyInputListModel::kKind.deleteCommand, parent) {
  EnableStatusPoll(ReadyInputListModel::kState);
}

CReadyInput* CReadyInpDlgView::ReadyInputAt(int row) const { return dynamic_cast<CReadyInput*>(ObjectAt(row)); }

void CReadyInpDlgView::FillList() {
  const QStringList titles = ReadyInputListModel::ColumnTitles();
  for (int column = 0; column < ReadyInputListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), ReadyInputListModel::ColumnWidth(column),
              ReadyInputListModel::ColumnAlignment(column));
  }
  StopStatusPoll();
  const int current = GetCurrentID();
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (GetDocument()) {
      const CGlobalReadyInput* global = ReadyInputListModel::Global(*GetDocument());
      for (CReadyInput* input : ReadyInputListModel::ReadyInputs(*GetDocument())) {
        AddRow(ReadyInputListModel::RowTexts(*input, global), input, ReadyInputListModel::kImage);
      }
    }
  }
  SetCurrentID(current);
  const int row = EntryListRules::RowToSelect(RowIds(), current);
  if (row >= 0) SelectRow(row);
}

void CReadyInpDlgView::NewReadyInput() {
  if (!GetDocument()) return;
  if (CReadyInput* input = ReadyInputListModel::NewReadyInput(*GetDocument())) SetCurrentID(input->GetID());
}

void CReadyInpDlgView::TransferReadyInputs(bool bUpload) {
  if (!GetDocument()) return;
  CEntryListTransfer transfer(*GetDocument(), ReadyInputListModel::kKind);
  const QPointer<CReadyInpDlgView> self(this);
  transfer.TransferAll(bUpload, GetProgressHandler());
  // The transfer lets events in: the list may have gone.
  if (self && bUpload && m_settingsChanged) m_settingsChanged();
}

void CReadyInpDlgView::TransferSelected(bool bUpload) {
  CSelvantisDoc* doc = GetDocument();
  if (!doc) return;
  const int row = FirstSelectedRow();
  int id = 0;
  if (row >= 0) {
    const CReadyInput* input = ReadyInputAt(row);
    if (!input) return;
    id = input->GetID();
  }
  CTransfer::Item item;
  item.object = ReadyInputListModel::Global(*doc);
  if (!item.object) return;
  item.firstStep = ReadyInputListModel::FirstStep(id);
  item.endStep = ReadyInputListModel::EndStep(id);
  item.countStep = ReadyInputListModel::kKind.selector;
  const QPointer<CReadyInpDlgView> self(this);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  CTransfer transfer;
  transfer.Run(bUpload, {item}, doc);
  QApplication::restoreOverrideCursor();
  if (self && bUpload) {
    FillList();
    if (id == 0 && m_settingsChanged) m_settingsChanged();
  }
}

void CReadyInpDlgView::DownloadSelected() { TransferSelected(false); }

void CReadyInpDlgView::UploadSelected() { TransferSelected(true); }

void CReadyInpDlgView::OnDeviceCommand(uint32_t id) {
  if (id == EntryListRules::kDeviceDownload) DownloadSelected();
  if (id == EntryListRules::kDeviceUpload) UploadSelected();
}

void CReadyInpDlgView::EditCell(int row, int column) {
  ResetHover();
  CReadyInput* input = ReadyInputAt(row);
  if (!input) return;
  switch (ReadyInputListModel::EditOf(column)) {
    case ReadyInputListModel::Edit::Select: {
      const std::optional<int> choice = Choose(ReadyInputListModel::SelectionKindOf(column), CellText(row, column));
      // The ready input may have gone while the dialog was open.
      if (!choice || ReadyInputAt(row) != input) return;
      ReadyInputListModel::ApplyChoice(*input, column, *choice);
      FillList();
      break;
    }
    case ReadyInputListModel::Edit::Toggle:
      ReadyInputListModel::Toggle(*input, column);
      FillList();
      break;
    case ReadyInputListModel::Edit::InPlace: OpenEditor(row, column); break;
    case ReadyInputListModel::Edit::None: break;
  }
}

void CReadyInpDlgView::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) {
  if (cancelled || text.isNull()) return;
  if (CReadyInput* input = ReadyInputAt(row)) ReadyInputListModel::ApplyText(*input, column, text);
  FillList();
}

void CReadyInpDlgView::PollStatus() {
  IDeviceLink* link = GetDeviceLink();
  const BitSet ready = ReadyInputListModel::ParseStates(
      link->SendAndRead(ReadyInputListModel::ReadyQuery(), StatusPollColumn::kReplyWaitMs));
  const BitSet fault = ReadyInputListModel::ParseStates(
      link->SendAndRead(ReadyInputListModel::FaultQuery(), StatusPollColumn::kReplyWaitMs));
  for (int row = 0; row < RowCount(); ++row) {
    const CBaseDevice* object = ObjectAt(row);
    if (!object) continue;
    topLevelItem(row)->setText(ReadyInputListModel::kState,
                               ReadyInputListModel::StateText(ready, fault, object->GetID()));
  }
}
