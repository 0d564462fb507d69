#include "shell/ccomparewnd.h"

#include "editors/lists/ceblistview.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kColumnWidths[CCompareReport::kColumnCount] = {130, 150, 260, 140, 140, 160};

}  // namespace

CCompareWnd::CCompareWnd(const CCompareReport& report, const QString& project, IFileChooser* fileChooser,
                         QWidget* parent)
    : QDialog(parent),
      m_report(report),
      m_project(project),
      m_summary(new QLabel(this)),
      m_notCompared(new QLabel(this)),
      m_list(new CEBListView(this)),
      m_export(new QPushButton(this)),
      m_print(new QPushButton(this)) {
  setObjectName(QStringLiteral("CompareWnd"));
  m_summary->setObjectName(QStringLiteral("summary"));
  m_summary->setWordWrap(true);
  QFont bold = m_summary->font();
  bold.setBold(true);
  m_summary->setFont(bold);
  m_notCompared->setObjectName(QStringLiteral("notCompared"));
  m_notCompared->setWordWrap(true);
  m_list->setObjectName(QStringLiteral("differences"));
  m_list->SetFileChooser(fileChooser);
  // The rows are settings, not entries of the project: nothing to send.
  m_list->setContextMenuPolicy(Qt::NoContextMenu);
  m_list->OnInitialUpdate(CCompareReport::kColumnCount);
  m_list->header()->setSectionsClickable(true);
  m_list->header()->setSortIndicatorShown(false);
  connect(m_list->header(), &QHeaderView::sectionClicked, this, &CCompareWnd::OnHeaderClicked);
  m_export->setObjectName(QStringLiteral("export"));
  m_print->setObjectName(QStringLiteral("print"));
  connect(m_export, &QPushButton::clicked, m_list, &CEBListView::OnExportList);
  connect(m_print, &QPushButton::clicked, m_list, &CEBListView::PrintList);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->addButton(m_export, QDialogButtonBox::ActionRole);
  buttons->addButton(m_print, QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_summary);
  layout->addWidget(m_notCompared);
  layout->addWidget(m_list, 1);
  layout->addWidget(buttons);
  RetranslateUi();
  // As wide as the columns want, within the screen; where that is too
  // narrow, the columns give up room down to their titles, so that every
  // title, the last one too, is whole at the size the window opens with.
  const int width = OpeningWidth();
  resize(width, kOpeningHeight);
  FitColumns(width - Besides());
}

int CCompareWnd::Besides() const {
  const QMargins margins = layout()->contentsMargins();
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list);
  return 2 * m_list->frameWidth() + scrollBar + margins.left() + margins.right();
}

int CCompareWnd::OpeningWidth() const {
  int columns = 0;
  for (int column = 0; column < CCompareReport::kColumnCount; ++column) columns += m_list->columnWidth(column);
  const int width = std::max(columns + Besides(), kMinOpeningWidth);
  const QScreen* shown = parentWidget() ? parentWidget()->screen() : screen();
  return shown ? std::min(width, shown->availableGeometry().width()) : width;
}

void CCompareWnd::FitColumns(int room) {
  QHeaderView* header = m_list->header();
  int total = 0;
  int spare = 0;
  for (int column = 0; column < CCompareReport::kColumnCount; ++column) {
    total += header->sectionSize(column);
    spare += std::max(0, header->sectionSize(column) - header->sectionSizeHint(column));
  }
  const int cut = total - room;
  if (cut <= 0 || spare <= 0) return;
  // Each column gives up its share of the room it has beyond its title.
  for (int column = 0; column < CCompareReport::kColumnCount; ++column) {
    const int size = header->sectionSize(column);
    const int beyond = std::max(0, size - header->sectionSizeHint(column));
    const int share = static_cast<int>((static_cast<qint64>(std::min(cut, spare)) * beyond + spare - 1) / spare);
    header->resizeSection(column, size - std::min(beyond, share));
  }
}

void CCompareWnd::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    RetranslateUi();
    FitColumns(m_list->viewport()->width());
  }
  QDialog::changeEvent(event);
}

void CCompareWnd::RetranslateUi() {
  setWindowTitle(tr("Compare with the unit: %1").arg(m_project));
  m_export->setText(tr("&Export..."));
  m_print->setText(tr("&Print..."));
  for (int column = 0; column < CCompareReport::kColumnCount; ++column)
    m_list->SetColumn(column, CCompareReport::ColumnTitle(column), kColumnWidths[column], Qt::AlignLeft);
  Fill();
}

void CCompareWnd::Fill() {
  m_summary->setText(m_report.Summary());
  // What the upload noted outside the settings, the families taken as
  // cleared and the kinds not compared, one line each.
  QStringList lines = m_report.Notes();
  if (!m_report.ClearedLine().isEmpty()) lines << m_report.ClearedLine();
  if (!m_report.NotComparedLine().isEmpty()) lines << m_report.NotComparedLine();
  m_notCompared->setText(lines.join(QLatin1Char('\n')));
  m_notCompared->setVisible(!lines.isEmpty());
  m_list->DeleteAllRows();
  for (const CompareRow& row : m_report.Rows()) {
    QStringList cells;
    for (int column = 0; column < CCompareReport::kColumnCount; ++column)
      cells << CCompareReport::CellText(row, column);
    m_list->AddRow(cells, nullptr);
  }
  const bool sorted = m_report.SortColumn() >= 0;
  m_list->header()->setSortIndicatorShown(sorted);
  if (sorted) m_list->header()->setSortIndicator(m_report.SortColumn(), m_report.GetSortOrder());
  m_export->setEnabled(true);
  m_print->setEnabled(m_list->RowCount() > 0);
}

void CCompareWnd::OnHeaderClicked(int column) {
  const bool again = m_report.SortColumn() == column && m_report.GetSortOrder() == Qt::AscendingOrder;
  m_report.SortBy(column, again ? Qt::DescendingOrder : Qt::AscendingOrder);
  Fill();
}
