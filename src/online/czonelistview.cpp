#include "online/czonelistview.h"

#include "amps/czone.h"
#include "link/ctransfer.h"
#include "link/idevicelink.h"
#include "link/lineuse.h"
#include "macros/czonetestobject.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "online/conlinereplyparser.h"
#include "shell/controls/cinplaceedit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidgetItem>

#include <array>
#include <memory>

namespace {

Qt::Alignment AlignmentOf(int code) {
  switch (code) {
    case 0: return Qt::AlignLeft | Qt::AlignVCenter;
    case 1: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignRight | Qt::AlignVCenter;
  }
}

}  // namespace

CZoneListView::CZoneListView(CSelvantisDoc* doc, QWidget* parent)
    : CEBListView(parent), m_state(doc), m_poll(doc, [this] { OnTimer(kTimerId); }) {
  setObjectName(QStringLiteral("CZoneListView"));
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  EnableCellDoubleClick();
  connect(&m_poll, &COnlinePoll::lineChanged, this, [this](bool online) {
    // A refresh or update under way when the line went cannot get its
    // answers: the list polls again from the start.
    if (online && !IsLineInUse()) {
      EnableButtons(true);
      RestartTimer();
    }
  });
}

CZoneListView::~CZoneListView() {
  m_poll.Stop();
  SaveWidths();
}

void CZoneListView::SaveWidths() {
  if (m_widthsSaved || columnCount() != CZoneListState::kColumnCount) return;
  std::array<int, CZoneListState::kColumnCount> widths{};
  for (int c = 0; c < CZoneListState::kColumnCount; ++c) widths[c] = columnWidth(c);
  CZoneListState::WriteWidths(widths);
  m_widthsSaved = true;
}

void CZoneListView::OnInitialUpdate() {
  CEBListView::OnInitialUpdate(CZoneListState::kColumnCount);
  FillList();
  m_poll.Start(kPollPeriodMs);
}

void CZoneListView::FillList() {
  const auto widths = CZoneListState::ReadWidths();
  for (int c = 0; c < CZoneListState::kColumnCount; ++c)
    SetColumn(c, CZoneListState::ColumnTitle(c), widths[c], AlignmentOf(CZoneListState::kColumns[c].alignment));
  m_state.Fill();
  DeleteAllRows();
  for (int r = 0; r < m_state.RowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < CZoneListState::kColumnCount; ++c) cells << m_state.Cell(r, c);
    AddRow(cells, m_state.ZoneAt(r), CEBListView::kPrintImage);
  }
}

void CZoneListView::ShowRow(int row) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item) return;
  for (int c = 0; c < CZoneListState::kColumnCount; ++c) {
    const QString text = m_state.Cell(row, c);
    if (item->text(c) != text) item->setText(c, text);
  }
}

void CZoneListView::ShowCells() {
  for (int r = 0; r < m_state.RowCount(); ++r) ShowRow(r);
  if (m_statusPane && m_state.StatusText() != m_shownStatus) {
    m_shownStatus = m_state.StatusText();
    m_statusPane(m_shownStatus);
  }
}

std::vector<int> CZoneListView::SelectedRows() const {
  std::vector<int> rows;
  for (int r = 0; r < topLevelItemCount(); ++r) {
    if (topLevelItem(r)->isSelected()) rows.push_back(r);
  }
  return rows;
}

void CZoneListView::SelectAllRows() {
  for (int r = 0; r < topLevelItemCount(); ++r) topLevelItem(r)->setSelected(true);
}

// ---- Unit ------------------------------------------------------------------------------------

void CZoneListView::OnTimer(int timerId) {
  if (timerId == kTimerId) PollZoneTestStatus();
}

void CZoneListView::PollZoneTestStatus() {
  GetDeviceLink()->SendCommandList(CZoneListState::PollLines(), true, 0, this, 0);
}

void CZoneListView::EnableButtons(bool on) {
  if (!m_enableButton) return;
  m_enableButton(kDownloadZoneData, on);
  m_enableButton(kRefreshDisplay, on);
}

void CZoneListView::RestartTimer() {
  // Off line the poll waits for the connection.
  m_poll.Start(kPollPeriodMs);
}

void CZoneListView::ChainStarted() {
  EnableButtons(false);
  m_poll.Stop();
}

void CZoneListView::RunStep(const CZoneListState::Step& step) {
  if (step.kind == CZoneListState::Step::Query) {
    if (GetDeviceLink()->SendCommandList(step.lines, true, 0, this, 0)) return;
    // The unit cannot be asked: the chain ends here rather than waiting
    // for an answer that cannot come.
  }
  EnableButtons(true);
  RestartTimer();
}

void CZoneListView::OnRefreshDisplay() {
  ChainStarted();
  RunStep(m_state.StartRefresh());
}

void CZoneListView::OnUpdateZones() {
  CZoneListState::Step first;
  if (!m_state.StartUpdate(SelectedRows(), &first)) return;
  ChainStarted();
  RunStep(first);
}

void CZoneListView::OnCommReply(int /*tag*/, const QStringList& lines) {
  bool changed = false;
  const std::vector<CZoneListState::Step> steps = m_state.ApplyReply(lines, &changed);
  COnlineReplyParser::ConsumeLinkReplies();
  ShowCells();
  for (const CZoneListState::Step& step : steps) RunStep(step);
}

void CZoneListView::SendMeasurement(CZoneListState::Measurement m) {
  GetDeviceLink()->SendCommandList(QStringList{m_state.MeasurementLine(m, SelectedRows())}, true, 0, this, 0);
}

void CZoneListView::StartLineTestMeasurement() { SendMeasurement(CZoneListState::Measurement::LineTest); }
void CZoneListView::SetLineTestReference() { SendMeasurement(CZoneListState::Measurement::LineReference); }
void CZoneListView::StartImpedanceMeasurement() { SendMeasurement(CZoneListState::Measurement::Impedance); }
void CZoneListView::SetImpedanceReference() { SendMeasurement(CZoneListState::Measurement::ImpedanceReference); }

// ---- Transfers -------------------------------------------------------------------------------

void CZoneListView::Transfer(bool bUpload, const std::vector<int>& rows, bool withZonetest, int downloadMode) {
  if (IsLineInUse()) return;
  m_poll.Stop();
  std::vector<CTransfer::Item> items;
  for (int row : rows) {
    if (CZone* zone = m_state.ZoneAt(row)) items.push_back(CTransfer::Item{zone, 0, -1, -1});
  }
  CSelvantisDoc* doc = m_state.Document();
  if (withZonetest) {
    if (CZonetestObject* zt = CZonetestObject::Find(doc)) items.push_back(CTransfer::Item{zt, 0, -1, -1});
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  CTransfer transfer;
  transfer.SetDownloadLinkMode(downloadMode);
  const int total = static_cast<int>(items.size());
  if (GetProgressHandler()) {
    transfer.SetProgressHandler(GetProgressHandler());
    GetProgressHandler()(0, total);
  }
  const QPointer<CZoneListView> alive(this);
  const CTransfer::Result result = transfer.Run(bUpload, items, doc);
  QApplication::restoreOverrideCursor();
  // The transfer pumped events: the window may have gone meanwhile.
  if (!alive) return;
  if (GetProgressHandler()) GetProgressHandler()(0, 0);
  if (bUpload && result == CTransfer::Result::Done) FillList();
  // The transfer has told how it ended.
  RestartTimer();
}

void CZoneListView::TransferAllZones(bool bUpload) {
  std::vector<int> rows;
  for (int r = 0; r < m_state.RowCount(); ++r) rows.push_back(r);
  Transfer(bUpload, rows, true);
}

// The selected zones go down without the macro lock, replies only to the
// protocol monitor.
void CZoneListView::OnDeviceDownload() { Transfer(false, SelectedRows(), false, LINKMODE_NONE); }

void CZoneListView::OnDeviceUpload() { Transfer(true, SelectedRows(), false); }

void CZoneListView::OnDeviceCommand(uint32_t id) {
  if (id == kDeviceDownload) OnDeviceDownload();
  if (id == kDeviceUpload) OnDeviceUpload();
}

// ---- Mouse and editing ---------------------------------------------------------------------

void CZoneListView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_pressSelection = SelectedRows();
  CEBListView::mousePressEvent(event);
}

void CZoneListView::EditCell(int row, int column) {
  // The press before the double-click narrowed the selection to one row;
  // the edit applies to every row selected before it.
  for (int selected : m_pressSelection) {
    if (QTreeWidgetItem* item = topLevelItem(selected)) item->setSelected(true);
  }
  OnDblClk(row, column);
}

void CZoneListView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F2) {
    const int row = FirstSelectedRow();
    if (row >= 0) {
      ResetHover();
      m_editor = new CInPlaceEdit(row, 0, m_state.Cell(row, 0), viewport(), CellRect(row, 0));
      connect(m_editor, &CInPlaceEdit::endEdit, this, &CZoneListView::OnEndLabelEdit);
    }
    return;
  }
  CEBListView::keyPressEvent(event);
}

void CZoneListView::OnDblClk(int row, int column) {
  if (!m_state.IsRow(row)) return;
  if (column == CZoneListState::kIgnoreColumn) {
    std::vector<int> rows = SelectedRows();
    if (rows.empty()) rows.push_back(row);
    CZone* first = m_state.ZoneAt(rows.front());
    if (!first) return;
    ListChoiceRequest request;
    request.kind = CZone::kIgnoreChoiceKind;
    request.multiple = true;
    request.selection = first->GetColumnText(CZone::COL_IGNORE_DISPLAY);
    const std::optional<ListChoice> choice =
        m_chooser ? m_chooser(request) : RunSelectionDialog(this, first->GetDocument(), request);
    if (!choice) return;
    m_state.ApplyIgnoreMask(choice->number, rows);
    ShowCells();
    return;
  }
  if (!CZoneListState::IsEditColumn(column)) return;
  if (m_editor) m_editor->deleteLater();
  ResetHover();
  m_editor = new CInPlaceEdit(row, column, m_state.Cell(row, column), viewport(), CellRect(row, column));
  m_editor->setObjectName(QStringLiteral("1000"));
  connect(m_editor, &CInPlaceEdit::endEdit, this, &CZoneListView::OnEndLabelEdit);
  m_editor->show();
  m_editor->setFocus();
}

void CZoneListView::OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) {
  if (cancelled) return;
  std::vector<int> rows = SelectedRows();
  if (rows.empty()) rows.push_back(row);
  if (m_state.ApplyEdit(column, row, text, rows)) ShowCells();
}

void CZoneListView::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu(CreateContextMenu());
  menu->addSeparator();
  QAction* update = menu->addAction(LoadString(kUpdate));
  update->setEnabled(IsOnline());
  connect(update, &QAction::triggered, this, [this] { OnUpdateZones(); });
  menu->exec(event->globalPos());
}
