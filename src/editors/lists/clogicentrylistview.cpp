#include "editors/lists/clogicentrylistview.h"

#include "editors/lists/centrylistframe.h"
#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"
#include "model/ui/cselectiondlg.h"
#include "shell/controls/cinplaceedit.h"

#include <QHeaderView>

CLogicEntryListView::CLogicEntryListView(CSelvantisDoc* doc, int columnCount, uint32_t deleteCommand, QWidget* parent)
    : CEBListView(parent), m_doc(doc), m_deleteCommand(deleteCommand) {
  EnableRowEditing();
  OnInitialUpdate(columnCount);
  // Objects may vanish under the list (another editor, an upload): drop
  // their rows before they point at freed objects.
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
  m_pollTimer.setInterval(StatusPollColumn::kIntervalMs);
  connect(&m_pollTimer, &QTimer::timeout, this, [this] { PollStatus(); });
  header()->setSectionsClickable(true);
  connect(header(), &QHeaderView::sectionClicked, this, &CLogicEntryListView::OnColumnClick);
}

CLogicEntryListView::~CLogicEntryListView() = default;

std::optional<int> CLogicEntryListView::Choose(uint32_t kind, const QString& current) {
  if (m_chooser) return m_chooser(kind, current);
  CSelectionDlg dialog(this);
  dialog.SetKind(kind);
  dialog.SetSelection(current);
  if (m_doc) dialog.SetDocument(m_doc);
  if (dialog.DoModal() != QDialog::Accepted) return std::nullopt;
  return dialog.GetResult();
}

bool CLogicEntryListView::BeginLabelEdit(int row, int column) {
  if (!CanEditLabel(column) || !ObjectAt(row)) return false;
  ResetHover();
  OpenEditor(row, column);
  return m_editor != nullptr;
}

void CLogicEntryListView::OpenEditor(int row, int column) {
  if (m_editor) return;
  auto* edit = new CInPlaceEdit(row, column, CellText(row, column), viewport(), CellRect(row, column));
  if (column != 0) edit->setAlignment(Qt::AlignCenter);
  m_editor = edit;
  connect(edit, &CInPlaceEdit::endEdit, this, [this](int r, int c, const QString& text, bool cancelled) {
    // The edit deletes itself once it has reported; another may open now.
    m_editor = nullptr;
    OnEndLabelEdit(r, c, cancelled ? QString() : text, cancelled);
  });
}

void CLogicEntryListView::EnableStatusPoll(int column) { m_poll = std::make_unique<StatusPollColumn>(column); }

void CLogicEntryListView::StopStatusPoll() {
  if (!m_poll) return;
  m_pollTimer.stop();
  m_poll->Stop();
  ShowPollTitle();
}

void CLogicEntryListView::ShowPollTitle() {
  if (m_poll && m_poll->Column() < columnCount()) headerItem()->setText(m_poll->Column(), m_poll->Title());
}

void CLogicEntryListView::OnColumnClick(int column) {
  if (!m_poll || !m_poll->OnHeaderClick(column, IsOnline())) return;
  if (m_poll->IsPolling()) {
    m_pollTimer.start();
  } else {
    m_pollTimer.stop();
  }
  ShowPollTitle();
}
