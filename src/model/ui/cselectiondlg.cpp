#include "model/ui/cselectiondlg.h"

#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/ctext.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

CSelectionDlg::CSelectionDlg(QWidget* parent, const CSelectionProvider& providers)
    : CResizableDialog(kTemplateId, parent),
      m_state(providers),
      m_kindLabel(new QLabel(this)),
      m_list(new QTreeWidget(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setWindowTitle(tr("Selection"));
  m_kindLabel->setObjectName(QStringLiteral("kind"));
  m_list->setObjectName(QStringLiteral("choices"));
  m_list->setRootIsDecorated(false);
  m_list->setUniformRowHeights(true);
  m_list->setAllColumnsShowFocus(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_kindLabel);
  layout->addWidget(m_list, 1);
  layout->addWidget(m_buttons);
  connect(m_buttons, &QDialogButtonBox::accepted, this, &CSelectionDlg::accept);
  connect(m_buttons, &QDialogButtonBox::rejected, this, &CSelectionDlg::reject);
  // Filling the list selects rows too; those changes are made with the
  // signals blocked, so this only sees the user's.
  connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CSelectionDlg::OnUserSelectionChanged);
  connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (!m_state.Request().multiple && item) {
      accept();
    }
  });
  resize(360, 420);
}

void CSelectionDlg::SetCurrent(int current) {
  m_request.current = current;
  m_result.number = current;
}

void CSelectionDlg::SetSelection(const QString& text) {
  m_request.selection = text;
  m_result.selection = text;
}

bool CSelectionDlg::OnInitDialog() {
  const CSelvantisDoc* doc = m_docSet ? m_doc : GetActiveDoc();
  m_state.Load(doc, m_request);

  const QString kindText = LoadString(m_request.kind);
  m_kindLabel->setText(kindText.isEmpty() ? Fmt("%u", m_request.kind) : kindText);

  const SelectionList& list = m_state.List();
  const QStringList titles = list.titles.isEmpty() ? QStringList{m_kindLabel->text()} : list.titles;
  const QSignalBlocker blocker(m_list);
  m_list->clear();
  m_list->setColumnCount(titles.size());
  m_list->setHeaderLabels(titles);
  m_list->setSelectionMode(m_state.Request().multiple ? QAbstractItemView::MultiSelection
                                                      : QAbstractItemView::SingleSelection);
  QTreeWidgetItem* firstChosen = nullptr;
  for (int row = 0; row < m_state.RowCount(); ++row) {
    auto* item = new QTreeWidgetItem(m_list, list.choices[row].columns);
    if (m_state.IsChosen(row)) {
      item->setSelected(true);
      if (!firstChosen) {
        firstChosen = item;
      }
    }
  }
  if (firstChosen) {
    m_list->setCurrentItem(firstChosen, 0, QItemSelectionModel::NoUpdate);
    m_list->scrollToItem(firstChosen);
  }
  for (int c = 0; c < titles.size(); ++c) {
    m_list->resizeColumnToContents(c);
  }
  FitToChoices();
  UpdateOk();
  return CResizableDialog::OnInitDialog();
}

void CSelectionDlg::FitToChoices() {
  // Every choice in sight without scrolling, and every column whole, as far
  // as the screen allows; the dialog never shrinks below its first size.
  int columns = 0;
  for (int c = 0; c < m_list->columnCount(); ++c) columns += m_list->columnWidth(c);
  const int rows = m_list->topLevelItemCount();
  const int rowHeight = rows > 0 ? std::max(m_list->sizeHintForRow(0), 1) : 0;
  const int frame = 2 * m_list->frameWidth();
  const int scrollBar = m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list);
  const QSize list(columns + frame + scrollBar, m_list->header()->sizeHint().height() + rows * rowHeight + frame + 2);
  // The list is one of a column of controls: it adds its height to theirs.
  const QSize hint = layout()->sizeHint();
  const QMargins margins = layout()->contentsMargins();
  QSize wanted(std::max(hint.width(), list.width() + margins.left() + margins.right()),
               hint.height() - m_list->sizeHint().height() + list.height());
  wanted = wanted.expandedTo(size());
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (screen) wanted = wanted.boundedTo(screen->availableGeometry().size() * 9 / 10);
  resize(wanted);
}

void CSelectionDlg::OnUserSelectionChanged() {
  std::vector<int> rows;
  for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
    if (m_list->topLevelItem(row)->isSelected()) {
      rows.push_back(row);
    }
  }
  m_state.SetChosenRows(rows);
  UpdateOk();
}

void CSelectionDlg::UpdateOk() {
  if (QPushButton* ok = m_buttons->button(QDialogButtonBox::Ok)) {
    ok->setEnabled(m_state.CanAccept());
  }
}

void CSelectionDlg::accept() {
  if (!m_state.CanAccept()) {
    return;
  }
  m_result = m_state.Result();
  CResizableDialog::accept();
}
