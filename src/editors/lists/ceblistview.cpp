#include "editors/lists/ceblistview.h"

#include "editors/lists/centrylistframe.h"
#include "editors/lists/listprintlayout.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "shell/cbitmapmanager.h"
#include "shell/cmainframe.h"
#include "shell/ifilechooser.h"
#include "shell/printerchoice.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <memory>

namespace {

constexpr int kObjectRole = Qt::UserRole + 1;
constexpr int kPrintTextIndent = 20;

Qt::Alignment Horizontal(Qt::Alignment alignment) { return alignment & Qt::AlignHorizontal_Mask; }

}  // namespace

CEBListView::CEBListView(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setMouseTracking(true);
  setIconSize(QSize(16, 16));
  header()->setStretchLastSection(false);
  connect(this, &QTreeWidget::itemSelectionChanged, this, &CEBListView::OnListItemChanged);
  m_renameTimer.setSingleShot(true);
  connect(&m_renameTimer, &QTimer::timeout, this, &CEBListView::OnRenameTimer);
}

CEBListView::~CEBListView() = default;

void CEBListView::OnInitialUpdate(int columnCount) {
  clear();
  setColumnCount(columnCount);
  auto* headerItem = new QTreeWidgetItem;
  for (int column = 0; column < columnCount; ++column) {
    headerItem->setText(column, QString());
    headerItem->setTextAlignment(column, (column == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    header()->resizeSection(column, kDefaultColumnWidth);
  }
  setHeaderItem(headerItem);
  for (int column = 0; column < columnCount; ++column) header()->resizeSection(column, kDefaultColumnWidth);
  m_currentId = 0;
  m_hover.Reset();
}

void CEBListView::SetColumn(int column, const QString& title, int width, Qt::Alignment alignment) {
  if (column < 0 || column >= columnCount()) return;
  headerItem()->setText(column, title);
  headerItem()->setTextAlignment(column, Horizontal(alignment) | Qt::AlignVCenter);
  // The title is never cut or run into the next one, in any language.
  header()->resizeSection(column, std::max(width, header()->sectionSizeHint(column)));
}

Qt::Alignment CEBListView::ColumnAlignment(int column) const {
  if (column < 0 || column >= columnCount()) return Qt::AlignLeft;
  return Horizontal(Qt::Alignment(headerItem()->textAlignment(column)));
}

int CEBListView::AddRow(const QStringList& cells, CBaseDevice* object, int image) {
  auto* item = new QTreeWidgetItem;
  const int row = topLevelItemCount();
  for (int column = 0; column < columnCount(); ++column) {
    item->setText(column, column < cells.size() ? cells.at(column) : QString());
    item->setTextAlignment(column, ColumnAlignment(column) | Qt::AlignVCenter);
    item->setBackground(column, RowColour(row));
  }
  item->setData(0, kObjectRole, QVariant::fromValue(static_cast<void*>(object)));
  if (image >= 0) item->setIcon(0, QIcon(SmallImage(image)));
  addTopLevelItem(item);
  return row;
}

QString CEBListView::CellText(int row, int column) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->text(column) : QString();
}

CBaseDevice* CEBListView::ObjectAt(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? static_cast<CBaseDevice*>(item->data(0, kObjectRole).value<void*>()) : nullptr;
}

int CEBListView::FirstSelectedRow() const {
  for (int row = 0; row < topLevelItemCount(); ++row) {
    if (topLevelItem(row)->isSelected()) return row;
  }
  return -1;
}

void CEBListView::SelectRow(int row) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item) return;
  setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollToItem(item);
}

std::vector<int> CEBListView::RowIds() const {
  std::vector<int> ids;
  for (int row = 0; row < topLevelItemCount(); ++row) {
    const CBaseDevice* object = ObjectAt(row);
    ids.push_back(object ? object->GetID() : 0);
  }
  return ids;
}

QColor CEBListView::RowColour(int row) { return row % 2 ? QColor(255, 251, 240) : QColor(Qt::white); }

QPixmap CEBListView::SmallImage(int index) {
  if (index < 0) return QPixmap();
  if (CMainFrame* main = AfxGetMainWnd()) return main->BitmapManager().GetImage(kSmallImages, index);
  static CBitmapManager fallback;
  return fallback.GetImage(kSmallImages, index);
}

// ---- Current entry and hover rectangle -------------------------------------------

void CEBListView::OnListItemChanged() {
  QTreeWidgetItem* item = currentItem();
  if (item && item->isSelected()) {
    if (const CBaseDevice* object = ObjectAt(indexOfTopLevelItem(item))) m_currentId = object->GetID();
  }
  if (m_hover.IsShown()) {
    const ListCell cell = m_hover.Remembered();
    m_hover.ClearFlag();
    UpdateCell(cell);
  }
}

void CEBListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeWidget::currentChanged(current, previous);
  OnListItemChanged();
}

ListCell CEBListView::CellAt(const QPoint& pos) const {
  const QModelIndex index = indexAt(pos);
  if (!index.isValid()) return ListCell{-1, -1};
  return ListCell{index.row(), index.column()};
}

QRect CEBListView::CellRect(int row, int column) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  if (!item) return QRect();
  const QRect rowRect = visualItemRect(item);
  return QRect(header()->sectionViewportPosition(column), rowRect.top(), header()->sectionSize(column),
               rowRect.height());
}

void CEBListView::UpdateCell(const ListCell& cell) {
  const QRect rect = CellRect(cell.row, cell.column);
  if (rect.isValid()) viewport()->update(rect.adjusted(-1, -1, 1, 1));
}

void CEBListView::ResetHover() {
  const std::optional<ListCell> shown = m_hover.Shown();
  m_hover.Reset();
  if (shown) UpdateCell(*shown);
}

void CEBListView::mouseMoveEvent(QMouseEvent* event) {
  const ListCell cell = CellAt(event->position().toPoint());
  const ListHoverTracker::Actions actions = m_hover.MouseMove(cell.row, cell.column);
  if (actions.erase) UpdateCell(*actions.erase);
  if (actions.draw) UpdateCell(*actions.draw);
  QTreeWidget::mouseMoveEvent(event);
}

bool CEBListView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Leave) {
    if (const std::optional<ListCell> erase = m_hover.MouseLeave()) UpdateCell(*erase);
  }
  return QTreeWidget::viewportEvent(event);
}

void CEBListView::paintEvent(QPaintEvent* event) {
  QTreeWidget::paintEvent(event);
  const std::optional<ListCell> shown = m_hover.Shown();
  if (!shown) return;
  const QRect rect = CellRect(shown->row, shown->column);
  if (!rect.isValid()) return;
  QPainter painter(viewport());
  QPen pen(palette().color(QPalette::Text));
  pen.setStyle(Qt::DotLine);
  painter.setPen(pen);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

// ---- Keys and context menu -----------------------------------------------------------

void CEBListView::keyPressEvent(QKeyEvent* event) {
  m_renameTimer.stop();
  if (m_rowEditing && event->key() == Qt::Key_Delete) {
    OnDeleteKey();
    event->accept();
    return;
  }
  if (m_rowEditing && event->key() == Qt::Key_F2) {
    const int row = FirstSelectedRow();
    if (row >= 0) BeginLabelEdit(row, 0);
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_E) {
    OnExportList();
  } else if (event->key() == Qt::Key_P) {
    PrintList();
  }
  QTreeWidget::keyPressEvent(event);
}

void CEBListView::OnDeleteKey() {
  const uint32_t command = DeleteCommand();
  if (command == 0) return;
  for (QWidget* widget = parentWidget(); widget; widget = widget->parentWidget()) {
    if (auto* frame = qobject_cast<CEntryListFrame*>(widget)) {
      frame->OnCommand(command);
      return;
    }
  }
}

void CEBListView::mousePressEvent(QMouseEvent* event) {
  if (m_rowEditing) {
    m_renameTimer.stop();
    const ListCell cell = CellAt(event->position().toPoint());
    m_pressedOnSelected = cell.row >= 0 && cell.row == FirstSelectedRow();
  }
  QTreeWidget::mousePressEvent(event);
}

void CEBListView::mouseReleaseEvent(QMouseEvent* event) {
  if (!m_rowEditing) {
    QTreeWidget::mouseReleaseEvent(event);
    return;
  }
  const ListCell cell = CellAt(event->position().toPoint());
  QTreeWidget::mouseReleaseEvent(event);
  // A click on the entry already selected edits its name, but only once it
  // is clear that no double click follows: the rename box would otherwise
  // take the second click, and the double click would never open the
  // row's editor.
  if (m_pressedOnSelected && event->button() == Qt::LeftButton && cell.row == FirstSelectedRow()) {
    m_renameCell = cell;
    m_renameTimer.start(QApplication::doubleClickInterval());
  }
  m_pressedOnSelected = false;
}

void CEBListView::OnRenameTimer() {
  const ListCell cell = m_renameCell;
  if (cell.row >= 0 && cell.row == FirstSelectedRow()) BeginLabelEdit(cell.row, cell.column);
}

void CEBListView::mouseDoubleClickEvent(QMouseEvent* event) {
  // The first click of a double click on the selected row has asked for a
  // label edit, and the press that came with this event would ask again at
  // its release: a double click never renames, so both are taken back.
  m_renameTimer.stop();
  m_pressedOnSelected = false;
  if (!m_cellDoubleClick) {
    QTreeWidget::mouseDoubleClickEvent(event);
    return;
  }
  const ListCell cell = CellAt(event->position().toPoint());
  if (cell.row >= 0) {
    ResetHover();
    EditCell(cell.row, cell.column);
  }
  event->accept();
}

QMenu* CEBListView::CreateContextMenu() {
  auto* menu = new QMenu(this);
  QMenu* device = menu->addMenu(tr("Device"));
  const bool online = IsOnline();
  for (uint32_t id : {33179u, 33180u}) {
    QAction* action = device->addAction(LoadString(id));
    action->setEnabled(online);
    connect(action, &QAction::triggered, this, [this, id] { OnDeviceCommand(id); });
  }
  return menu;
}

void CEBListView::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu(CreateContextMenu());
  menu->exec(event->globalPos());
}

// ---- Export --------------------------------------------------------------------------------

ListTableText CEBListView::TableText() const {
  ListTableText table;
  table.columnCount = columnCount();
  for (int column = 0; column < columnCount(); ++column) table.titles << headerItem()->text(column);
  for (int row = 0; row < topLevelItemCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < columnCount(); ++column) cells << CellText(row, column);
    table.rows.push_back(cells);
  }
  return table;
}

bool CEBListView::ExportTabText(const QString& path) {
  QString error;
  if (WriteListTabText(path, TableText(), &error)) return true;
  AfxMessageBox(tr("The list could not be written to %1: %2").arg(path, error), MB_OK | MB_ICONEXCLAMATION);
  return false;
}

void CEBListView::OnExportList() {
  // The filter reads the same in both languages.
  const QString filter = QStringLiteral("Listen (*.txt);;Alle Dateien (*)");
  QString path;
  if (m_chooser) {
    path = m_chooser->SaveFileName(this, QString(), QString(), filter);
  } else {
    QFileDialog dialog(this, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) path = dialog.selectedFiles().first();
  }
  if (path.isEmpty()) return;
  ExportTabText(path);
}

// ---- Printing -------------------------------------------------------------------------------

QString CEBListView::PrintDocumentName() const {
  const QWidget* ancestor = parentWidget();
  for (int i = 0; i < 2 && ancestor; ++i) ancestor = ancestor->parentWidget();
  return ancestor ? ancestor->windowTitle() : window()->windowTitle();
}

bool CEBListView::PrintList() {
  QPrinter fallback;
  QPrinter* chosen = ChoosePrinter(this, fallback);
  if (chosen == nullptr) return false;
  QPrinter& printer = *chosen;
  printer.setDocName(PrintDocumentName());
  if (!PrintTo(printer)) {
    AfxMessageBox(tr("The list could not be printed."), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

namespace {

QSize ListSize(const CEBListView& view) {
  int height = view.header()->height();
  for (int row = 0; row < view.RowCount(); ++row) height += view.visualItemRect(view.topLevelItem(row)).height();
  return QSize(view.header()->length(), height);
}

ListPrintLayout LayoutFor(const CEBListView& view, QPrinter& printer) {
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  return ListPrintLayout(ListSize(view), page.size(), view.logicalDpiX(), view.logicalDpiY(), printer.logicalDpiX(),
                         printer.logicalDpiY());
}

}  // namespace

int CEBListView::PrintPageCount(QPrinter& printer) const { return LayoutFor(*this, printer).PageCount(); }

bool CEBListView::PrintTo(QPrinter& printer) {
  const ListPrintLayout layout = LayoutFor(*this, printer);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const int headerHeight = header()->height();
  QFont font = header()->font();
  // A point size scales with the printer by itself; a pixel size must be scaled.
  if (font.pixelSize() > 0) font.setPixelSize(std::max(1, layout.ScaleY(font.pixelSize())));
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  const QPixmap image = SmallImage(kPrintImage);
  for (int page = 1; page <= layout.PageCount(); ++page) {
    if (page > 1 && !printer.newPage()) {
      painter.end();
      return false;
    }
    painter.save();
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.translate(-layout.PageOrigin(page));
    painter.setPen(Qt::black);
    painter.drawRect(layout.ListRect());
    for (int column = 0; column < columnCount(); ++column) {
      const QRect headerRect =
          layout.Scale(QRect(header()->sectionPosition(column), 0, header()->sectionSize(column), headerHeight));
      painter.drawRect(headerRect);
      const int textFlags =
          static_cast<int>(ColumnAlignment(column) | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip);
      const QRect titleRect(headerRect.left() + kPrintTextIndent, headerRect.top(),
                            std::max(0, headerRect.width() - kPrintTextIndent), headerRect.height());
      const QString title = headerItem()->text(column).left(kListCellMaxChars);
      painter.drawText(titleRect, textFlags,
                       painter.fontMetrics().elidedText(title, Qt::ElideRight, titleRect.width()));
      for (int row = 0; row < topLevelItemCount(); ++row) {
        const QRect visual = visualItemRect(topLevelItem(row));
        // Rows below the header, in list coordinates without scrolling.
        const int top = headerHeight + row * visual.height();
        const QRect rowRect = layout.Scale(QRect(0, top, header()->length(), visual.height()));
        if (column == 0) {
          if (row % 2) {
            painter.fillRect(QRect(3, rowRect.top(), layout.ListRect().right() - 6, rowRect.height()),
                             QColor(224, 224, 224));
          }
          if (!image.isNull()) {
            const QRect icon = layout.Scale(QRect(0, top, iconSize().width() + 4, visual.height()));
            const QSize size(layout.ScaleX(16), layout.ScaleY(16));
            painter.drawPixmap(QRect(icon.center() - QPoint(size.width() / 2, size.height() / 2), size), image);
          }
        }
        const QRect cellRect(headerRect.left() + kPrintTextIndent, rowRect.top(),
                             std::max(0, headerRect.width() - kPrintTextIndent), rowRect.height());
        const QString text = CellText(row, column).left(kListCellMaxChars);
        painter.drawText(cellRect, textFlags, painter.fontMetrics().elidedText(text, Qt::ElideRight, cellRect.width()));
      }
    }
    painter.restore();
  }
  return painter.end();
}
