#include "editors/lists/creadyinpoptionsview.h"

#include "editors/lists/ceblistview.h"
#include "editors/lists/readyinputlistmodel.h"
#include "logic/cglobalreadyinput.h"
#include "model/cselvantisdoc.h"
#include "model/replytext.h"
#include "shell/controls/cinplaceedit.h"
#include "shell/controls/cvalueedit.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTreeWidget>

CReadyInpOptionsView::CReadyInpOptionsView(CSelvantisDoc* doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_list(new QTreeWidget(this)), m_maskEdit(new CValueEdit(this)) {
  m_list->setRootIsDecorated(false);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_list->setAllColumnsShowFocus(true);
  m_list->setColumnCount(2);
  m_list->setIconSize(QSize(16, 16));
  m_list->header()->setStretchLastSection(false);
  m_list->viewport()->installEventFilter(this);
  m_list->installEventFilter(this);
  m_maskEdit->setAlignment(Qt::AlignRight);

  auto* layout = new QGridLayout(this);
  layout->addWidget(m_list, 0, 0, 1, 3);
  layout->addWidget(new QLabel(tr("Delay time for\nmasked signals"), this), 1, 0);
  layout->addWidget(m_maskEdit, 1, 1);
  layout->addWidget(new QLabel(tr("s"), this), 1, 2);
  layout->setRowStretch(0, 1);

  connect(m_maskEdit, &CValueEdit::killFocus, this, &CReadyInpOptionsView::OnMaskTimeEdited);
}

CGlobalReadyInput* CReadyInpOptionsView::Global() const {
  return m_doc ? ReadyInputListModel::Global(*m_doc) : nullptr;
}

void CReadyInpOptionsView::FillOptions() {
  const QStringList titles = ReadyInputListModel::OptionTitles();
  m_list->setHeaderLabels(titles);
  for (int column = 0; column < 2; ++column)
    m_list->header()->resizeSection(column, ReadyInputListModel::OptionWidth(column));
  const QSignalBlocker block(m_list);
  m_list->clear();
  const CGlobalReadyInput* global = Global();
  if (!global) {
    m_maskEdit->clear();
    m_maskEdit->setEnabled(false);
    return;
  }
  m_maskEdit->setEnabled(true);
  int row = 0;
  for (const QStringList& cells : ReadyInputListModel::OptionRows(*global)) {
    auto* item = new QTreeWidgetItem(cells);
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    item->setIcon(0, QIcon(CEBListView::SmallImage(ReadyInputListModel::kOptionsImage)));
    for (int column = 0; column < 2; ++column) item->setBackground(column, CEBListView::RowColour(row));
    m_list->addTopLevelItem(item);
    ++row;
  }
  if (QTreeWidgetItem* first = m_list->topLevelItem(0)) m_list->setCurrentItem(first);
  m_maskEdit->setText(ReadyInputListModel::MaskTimeText(*global));
}

bool CReadyInpOptionsView::BeginTextEdit(int row) {
  QTreeWidgetItem* item = m_list->topLevelItem(row);
  if (!item || m_editor) return false;
  const QRect rowRect = m_list->visualItemRect(item);
  const QRect rect(m_list->header()->sectionViewportPosition(0), rowRect.top(), m_list->header()->sectionSize(0),
                   rowRect.height());
  auto* edit = new CInPlaceEdit(row, 0, item->text(0), m_list->viewport(), rect);
  // The unit shows a fault text on a console's display line.
  edit->setMaxLength(ReplyText::Width(ReplyText::TextField::FaultText));
  m_editor = edit;
  connect(edit, &CInPlaceEdit::endEdit, this, [this](int r, int, const QString& text, bool cancelled) {
    m_editor = nullptr;
    OnEndTextEdit(r, cancelled ? QString() : text, cancelled);
  });
  return true;
}

void CReadyInpOptionsView::OnEndTextEdit(int row, const QString& text, bool cancelled) {
  if (cancelled || text.isNull()) return;
  CGlobalReadyInput* global = Global();
  if (!global) return;
  ReadyInputListModel::SetUserText(*global, row, text);
  if (m_changed) {
    m_changed();
  } else {
    FillOptions();
  }
}

void CReadyInpOptionsView::OnMaskTimeEdited() {
  CGlobalReadyInput* global = Global();
  if (!global) return;
  ReadyInputListModel::SetMaskTime(*global, m_maskEdit->text());
  m_maskEdit->setText(ReadyInputListModel::MaskTimeText(*global));
}

bool CReadyInpOptionsView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_list->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const QTreeWidgetItem* item = m_list->itemAt(mouse->position().toPoint());
      m_pressedOnSelected = item && item->isSelected();
    } else if (event->type() == QEvent::MouseButtonRelease) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      QTreeWidgetItem* item = m_list->itemAt(mouse->position().toPoint());
      // A click on the text already selected edits it.
      if (m_pressedOnSelected && item && item->isSelected() && mouse->button() == Qt::LeftButton) {
        BeginTextEdit(m_list->indexOfTopLevelItem(item));
      }
      m_pressedOnSelected = false;
    } else if (event->type() == QEvent::MouseButtonDblClick) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (QTreeWidgetItem* item = m_list->itemAt(mouse->position().toPoint())) {
        BeginTextEdit(m_list->indexOfTopLevelItem(item));
      }
      return true;
    }
  } else if (watched == m_list && event->type() == QEvent::KeyPress) {
    if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
      if (QTreeWidgetItem* item = m_list->currentItem()) BeginTextEdit(m_list->indexOfTopLevelItem(item));
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
