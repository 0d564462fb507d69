#include "editors/lists/cspareampview.h"

#include "amps/cspareamp.h"
#include "editors/lists/centrylisttransfer.h"
#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "model/ui/cselectiondlg.h"
#include "shell/controls/cinplaceedit.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {

constexpr int kDataRole = Qt::UserRole + 2;
constexpr uint32_t kDeleteEntryCommand = 32980;
constexpr uint32_t kDeleteWatchCommand = 32984;
// The spare-amplifier object is its own container: step -1 gives the count.
constexpr EntryListKind kSpareAmpTransfer{DT_SPAREAMP, DT_SPAREAMP, -1, 0, 0, 0, 0, 0, 1};

}  // namespace

CSpareAmpView::CSpareAmpView(CSelvantisDoc* doc, QWidget* parent) : CEBListView(parent), m_doc(doc) {
  OnInitialUpdate(SpareAmpListModel::kColumnCount);
  // The list's clicks: a double click chooses, a click on the selected
  // entry's name renames it; Delete and F2 are this view's own (below).
  EnableRowEditing();
  header()->setSectionsClickable(true);
  connect(header(), &QHeaderView::sectionClicked, this, &CSpareAmpView::OnColumnClick);
  connect(this, &QTreeWidget::itemSelectionChanged, this, &CSpareAmpView::OnSelectionChanged);
  m_pollTimer.setInterval(kPollIntervalMs);
  connect(&m_pollTimer, &QTimer::timeout, this, &CSpareAmpView::PollStatus);
}

IDeviceLink* CSpareAmpView::Link() const { return m_link ? m_link : GetDeviceLink(); }

uint32_t CSpareAmpView::ModeKind() const {
  return m_mode == Mode::Entries ? SpareAmpListModel::kSelectEntry : SpareAmpListModel::kSelectWatched;
}

int CSpareAmpView::RowData(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->data(0, kDataRole).toInt() : -1;
}

void CSpareAmpView::OnSelectionChanged() {
  const int row = FirstSelectedRow();
  if (row < 0 || currentItem() != topLevelItem(row)) return;
  if (m_mode == Mode::Entries) {
    m_currentEntryRow = row;
    emit entrySelected(RowData(row));
  } else {
    m_currentWatchRow = row;
  }
}

void CSpareAmpView::SetTitles() {
  const bool entries = m_mode == Mode::Entries;
  const QStringList titles = entries ? SpareAmpListModel::EntryTitles(m_polling) : SpareAmpListModel::WatchTitles();
  for (int column = 0; column < SpareAmpListModel::kColumnCount; ++column) {
    const int width = entries ? SpareAmpListModel::EntryWidth(column) : SpareAmpListModel::WatchWidth(column);
    const Qt::Alignment alignment =
        entries && column == SpareAmpListModel::kEntryNumber ? Qt::AlignRight : Qt::AlignLeft;
    SetColumn(column, titles.at(column), width, alignment);
  }
}

void CSpareAmpView::AddRows(const std::vector<SpareAmpListModel::Row>& rows) {
  const QSignalBlocker block(this);
  DeleteAllRows();
  for (const SpareAmpListModel::Row& row : rows) {
    const int index = AddRow(row.cells, nullptr, row.image);
    topLevelItem(index)->setData(0, kDataRole, row.data);
  }
}

void CSpareAmpView::SelectCurrent(int row) {
  if (RowCount() == 0) return;
  SelectRow(std::clamp(row, 0, RowCount() - 1));
}

void CSpareAmpView::FillEntryList() {
  m_mode = Mode::Entries;
  StopPoll();
  SetTitles();
  std::vector<SpareAmpListModel::Row> rows;
  if (const CSpareAmp* spare = SpareAmpListModel::SpareAmp(m_doc)) rows = SpareAmpListModel::EntryRows(*spare, *m_doc);
  AddRows(rows);
  SelectCurrent(m_currentEntryRow);
}

void CSpareAmpView::FillWatchList(int entry) {
  m_mode = Mode::Watches;
  m_watchEntry = entry;
  SetTitles();
  std::vector<SpareAmpListModel::Row> rows;
  if (const CSpareAmp* spare = SpareAmpListModel::SpareAmp(m_doc)) {
    rows = SpareAmpListModel::WatchRows(*spare, *m_doc, entry);
  }
  AddRows(rows);
  SelectCurrent(m_currentWatchRow);
}

void CSpareAmpView::FillList() {
  if (m_mode == Mode::Entries) {
    FillEntryList();
  } else {
    FillWatchList(m_watchEntry);
  }
}

std::optional<SpareAmpListModel::Target> CSpareAmpView::Choose(uint32_t kind) {
  if (m_chooser) return m_chooser(kind);
  CSelectionDlg dialog(this);
  dialog.SetKind(kind);
  if (m_doc) dialog.SetDocument(m_doc);
  if (dialog.DoModal() != QDialog::Accepted) return std::nullopt;
  // The control-pad kinds answer with the pad's ID.
  if (kind == SpareAmpListModel::kSelectKCM208 || kind == SpareAmpListModel::kSelectKCM209) {
    return SpareAmpListModel::Target{DT_CONTROLPAD, dialog.GetResult(), 0};
  }
  return SpareAmpListModel::Target{dialog.GetResultType(), dialog.GetResultValue(), dialog.GetResultChannel()};
}

void CSpareAmpView::NewEntry() {
  CSpareAmp* spare = SpareAmpListModel::SpareAmp(m_doc);
  if (!spare) return;
  const std::optional<SpareAmpListModel::Target> target = Choose(SpareAmpListModel::kSelectEntry);
  if (!target) return;
  const int n = SpareAmpListModel::NewEntry(*spare, *target);
  if (n < 0) return;
  FillEntryList();
  // Select the new entry's row (it need not be the last one).
  for (int row = 0; row < RowCount(); ++row) {
    if (RowData(row) == n) SelectRow(row);
  }
}

void CSpareAmpView::DeleteEntry() {
  CSpareAmp* spare = SpareAmpListModel::SpareAmp(m_doc);
  const int n = SelectedData();
  if (!spare || n < 0) return;
  SpareAmpListModel::DeleteEntry(*spare, n);
}

void CSpareAmpView::NewWatch(int entry) {
  CSpareAmp* spare = SpareAmpListModel::SpareAmp(m_doc);
  if (!spare || entry < 0) return;
  const std::optional<SpareAmpListModel::Target> target = Choose(SpareAmpListModel::kSelectWatched);
  if (!target) return;
  const int w = SpareAmpListModel::NewWatch(*spare, entry, *target);
  if (w < 0) return;
  FillWatchList(entry);
  for (int row = 0; row < RowCount(); ++row) {
    if (RowData(row) == w) SelectRow(row);
  }
}

void CSpareAmpView::DeleteWatch(int entry) {
  CSpareAmp* spare = SpareAmpListModel::SpareAmp(m_doc);
  const int w = SelectedData();
  if (!spare || entry < 0 || w < 0) return;
  SpareAmpListModel::DeleteWatch(*spare, w, entry);
}

void CSpareAmpView::TransferSpareAmp(bool bUpload) {
  if (!m_doc) return;
  StopPoll();
  CEntryListTransfer transfer(*m_doc, kSpareAmpTransfer, m_link);
  transfer.TransferAll(bUpload, GetProgressHandler());
}

void CSpareAmpView::EditCell(int row, int column) {
  ResetHover();
  if (row < 0 || row >= RowCount()) return;
  SelectRow(row);
  CSpareAmp* spare = SpareAmpListModel::SpareAmp(m_doc);
  if (!spare) return;
  if (m_mode == Mode::Entries) {
    const int n = RowData(row);
    const std::optional<SpareAmpListModel::Target> target = Choose(SpareAmpListModel::kSelectEntry);
    if (!target) return;
    SpareAmpListModel::SetTarget(*spare, n, *target);
    FillEntryList();
    return;
  }
  // The watch items shown are those of m_watchEntry, the entry selected on
  // the left when they were filled.
  const int entry = m_watchEntry;
  const int w = RowData(row);
  if (entry < 0) return;
  if (column == SpareAmpListModel::kWatched) {
    const std::optional<SpareAmpListModel::Target> target = Choose(SpareAmpListModel::kSelectWatched);
    if (!target) return;
    SpareAmpListModel::SetWatchTarget(*spare, w, entry, *target);
  } else if (column == SpareAmpListModel::kOutRelay || column == SpareAmpListModel::kInRelay) {
    const bool kcm208 = column == SpareAmpListModel::kOutRelay;
    const std::optional<SpareAmpListModel::Target> pad =
        Choose(kcm208 ? SpareAmpListModel::kSelectKCM208 : SpareAmpListModel::kSelectKCM209);
    if (!pad) return;
    SpareAmpListModel::SetWatchRelay(*spare, *m_doc, w, entry, kcm208, pad->value);
  } else {
    return;
  }
  FillWatchList(entry);
}

bool CSpareAmpView::BeginLabelEdit(int row, int column) {
  if (m_mode != Mode::Entries || column != SpareAmpListModel::kName || row < 0 || row >= RowCount()) return false;
  if (m_editor) return false;
  ResetHover();
  auto* edit = new CInPlaceEdit(row, column, CellText(row, column), viewport(), CellRect(row, column));
  m_editor = edit;
  connect(edit, &CInPlaceEdit::endEdit, this, &CSpareAmpView::OnEndLabelEdit);
  return true;
}

void CSpareAmpView::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) {
  m_editor = nullptr;
  if (m_mode != Mode::Entries || column != SpareAmpListModel::kName) return;
  CSpareAmp* spare = SpareAmpListModel::SpareAmp(m_doc);
  if (!cancelled && !text.isEmpty() && spare) SpareAmpListModel::Rename(*spare, *m_doc, RowData(row), text);
  FillEntryList();
}

void CSpareAmpView::OnColumnClick(int column) {
  if (m_mode != Mode::Entries || column != SpareAmpListModel::kReplaces) return;
  if (m_polling) {
    StopPoll();
  } else if (Link()->IsConnected()) {
    StartPoll();
  }
}

void CSpareAmpView::StartPoll() {
  if (m_mode != Mode::Entries) return;
  m_polling = true;
  SetTitles();
  m_pollTimer.start();
}

void CSpareAmpView::StopPoll() {
  m_pollTimer.stop();
  if (!m_polling) return;
  m_polling = false;
  if (m_mode == Mode::Entries) SetTitles();
}

void CSpareAmpView::PollStatus() {
  IDeviceLink* link = Link();
  // A lost link would cost half a second per row on every tick.
  if (!link->IsConnected()) {
    StopPoll();
    return;
  }
  for (int row = 0; row < RowCount(); ++row) {
    const int n = RowData(row);
    if (n < 0 || n >= CSpareAmp::kEntryCount) continue;
    const QString reply = link->SendAndRead(SpareAmpListModel::PollCommand(n), kPollReadMs);
    const std::optional<QString> state = SpareAmpListModel::ParsePollReply(reply, n);
    // The rows may have been refilled while the read pumped events.
    if (state && row < RowCount() && RowData(row) == n) {
      topLevelItem(row)->setText(SpareAmpListModel::kReplaces, *state);
    }
  }
}

void CSpareAmpView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    emit command(m_mode == Mode::Entries ? kDeleteEntryCommand : kDeleteWatchCommand);
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_F2) {
    BeginLabelEdit(FirstSelectedRow(), SpareAmpListModel::kName);
    event->accept();
    return;
  }
  CEBListView::keyPressEvent(event);
}

void CSpareAmpView::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }
