#include "shell/cdrawingprintjob.h"

#include "model/cselvantisdoc.h"
#include "shell/cbitmapmanager.h"
#include "shell/ccanvasrenderer.h"
#include "shell/cprojectdatastate.h"
#include "shell/cqtpainter.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

QFont PrintFont(qreal points, bool bold = false) {
  QFont font;
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

// Fonts are made when needed: a font needs the application object.
QFont BodyFont() { return PrintFont(9); }
QFont HeaderFont() { return PrintFont(9, true); }
QFont BlockTitleFont() { return PrintFont(12, true); }
QFont SmallFont() { return PrintFont(7); }
QFont ValueFont() { return PrintFont(10, true); }

// How much larger than on the screen at 100 % a small drawing may print.
constexpr double kMaxPrintScale = 2.0;

int AlignmentOf(int format) {
  switch (format) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}
}  // namespace

CDrawingPrintJob::CDrawingPrintJob(const CSelvantisDoc& doc, CBitmapManager& bitmaps)
    : m_doc(doc), m_bitmaps(bitmaps), m_blocks(CPrintBlock::BuildObjectTables(doc)) {}

int CDrawingPrintJob::PageCount(QPagedPaintDevice& device) {
  if (m_rowHeight != 0) return 1 + static_cast<int>(m_tablePages.size());
  // Fonts in points scale with the device's resolution: measure on it.
  const QFontMetrics body(BodyFont(), &device);
  const QFontMetrics header(HeaderFont(), &device);
  const QFontMetrics title(BlockTitleFont(), &device);
  const QFontMetrics small(SmallFont(), &device);
  m_rowHeight = std::max(1, body.height() * 5 / 4);
  m_headerHeight = header.height() * 3 / 2;
  m_titleHeight = title.height() * 8 / 5;
  m_footerHeight = small.height() * 2;
  m_tablePages.clear();

  const QRect page(0, 0, device.width(), device.height());
  const int bottom = page.bottom() - m_footerHeight;
  Page current;
  int y = page.top();
  for (int b = 0; b < static_cast<int>(m_blocks.size()); ++b) {
    const int rows = static_cast<int>(m_blocks[static_cast<size_t>(b)].Rows().size());
    int row = 0;
    while (row < rows) {
      // A block starts on a new page unless its title, column titles and
      // one row still fit.
      if (y + m_titleHeight + m_headerHeight + m_rowHeight > bottom && !current.empty()) {
        m_tablePages.push_back(current);
        current.clear();
        y = page.top();
      }
      y += m_titleHeight + m_headerHeight;
      const int fit = std::max(1, (bottom - y) / m_rowHeight);
      const int take = std::min(fit, rows - row);
      current.push_back({b, row, take});
      y += (take + 1) * m_rowHeight;
      row += take;
    }
  }
  if (!current.empty()) m_tablePages.push_back(current);
  return 1 + static_cast<int>(m_tablePages.size());
}

bool CDrawingPrintJob::Print(QPagedPaintDevice& device, QString* error) {
  m_rowHeight = 0;
  const int pageCount = PageCount(device);
  QPainter painter;
  if (!painter.begin(&device)) {
    if (error) *error = QCoreApplication::translate("CDrawingPrintJob", "The printer or file cannot be written to.");
    return false;
  }
  const QRect page(0, 0, device.width(), device.height());
  PaintDrawingPage(painter, page, pageCount);
  for (int i = 0; i < static_cast<int>(m_tablePages.size()); ++i) {
    if (!device.newPage()) {
      painter.end();
      if (error) *error = QCoreApplication::translate("CDrawingPrintJob", "A new page could not be started.");
      return false;
    }
    PaintTablePage(painter, page, m_tablePages[static_cast<size_t>(i)], i + 2, pageCount);
  }
  if (!painter.end()) {
    if (error) *error = QCoreApplication::translate("CDrawingPrintJob", "The print-out could not be finished.");
    return false;
  }
  return true;
}

QRect CDrawingPrintJob::TitleBlockRect(const QRect& page) const {
  const int height = std::max(1, page.height() / 9);
  return QRect(page.left(), page.bottom() - height, page.width(), height);
}

void CDrawingPrintJob::PaintTitleBlock(QPainter& painter, const QRect& rect, int pageCount) {
  painter.save();
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect);
  const QString project = m_doc.GetProjectData(CProjectDataState::kProject).isEmpty()
                              ? m_doc.GetTitle()
                              : m_doc.GetProjectData(CProjectDataState::kProject);
  const QString file = m_doc.GetPathName().isEmpty() ? QCoreApplication::translate("CDrawingPrintJob", "(not saved)")
                                                     : QDir::toNativeSeparators(m_doc.GetPathName());
  const QString variant = CProjectDataState::VariantNames().value(m_doc.GetUpgradeFlag() != 0 ? 1 : 0);
  struct Cell {
    QString label;
    QString value;
    int span;  // of 12 columns
  };
  const std::vector<std::vector<Cell>> rows = {
      {{QCoreApplication::translate("CDrawingPrintJob", "Project"), project, 6},
       {QCoreApplication::translate("CDrawingPrintJob", "Customer"), m_doc.GetProjectData(CProjectDataState::kCustomer),
        3},
       {QCoreApplication::translate("CDrawingPrintJob", "Installer"),
        m_doc.GetProjectData(CProjectDataState::kInstaller), 3}},
      {{QCoreApplication::translate("CDrawingPrintJob", "Central unit"), variant, 3},
       {QCoreApplication::translate("CDrawingPrintJob", "File"), file, 5},
       {QCoreApplication::translate("CDrawingPrintJob", "Date"), QDate::currentDate().toString(Qt::ISODate), 2},
       {QCoreApplication::translate("CDrawingPrintJob", "Page"), QStringLiteral("1 / %1").arg(pageCount), 2}}};
  const int rowHeight = rect.height() / static_cast<int>(rows.size());
  const int unit = rect.width() / 12;
  const QFontMetrics smallMetrics(SmallFont(), painter.device());
  for (size_t r = 0; r < rows.size(); ++r) {
    int x = rect.left();
    const int y = rect.top() + static_cast<int>(r) * rowHeight;
    for (size_t c = 0; c < rows[r].size(); ++c) {
      const Cell& cell = rows[r][c];
      const int width = c + 1 == rows[r].size() ? rect.right() - x : cell.span * unit;
      const QRect box(x, y, width, rowHeight);
      painter.drawRect(box);
      const int pad = smallMetrics.averageCharWidth();
      painter.setFont(SmallFont());
      painter.drawText(box.adjusted(pad, pad / 2, -pad, 0), Qt::AlignLeft | Qt::AlignTop, cell.label);
      painter.setFont(ValueFont());
      const QFontMetrics valueMetrics(ValueFont(), painter.device());
      const QRect valueBox = box.adjusted(pad, smallMetrics.height(), -pad, -pad / 2);
      painter.drawText(valueBox, Qt::AlignLeft | Qt::AlignVCenter,
                       valueMetrics.elidedText(cell.value, Qt::ElideMiddle, valueBox.width()));
      x += width;
    }
  }
  painter.restore();
}

void CDrawingPrintJob::PaintDrawingPage(QPainter& painter, const QRect& page, int pageCount) {
  const QRect titleBlock = TitleBlockRect(page);
  const int gap = std::max(1, page.height() / 100);
  const QRect frame(page.left(), page.top(), page.width(), titleBlock.top() - gap - page.top());
  painter.save();
  painter.setPen(QPen(Qt::black, 0));
  painter.drawRect(frame);
  painter.restore();
  PaintTitleBlock(painter, titleBlock, pageCount);

  const QRect inner = frame.adjusted(gap * 2, gap * 2, -gap * 2, -gap * 2);
  m_drawingArea = inner;
  const QRect bounds = CCanvasRenderer::DrawingBounds(m_doc);
  if (bounds.isEmpty()) {
    painter.save();
    painter.setFont(BlockTitleFont());
    painter.drawText(inner, Qt::AlignCenter, QCoreApplication::translate("CDrawingPrintJob", "The drawing is empty."));
    painter.restore();
    return;
  }
  const double maxScale = kMaxPrintScale * painter.device()->logicalDpiX() / 96.0;
  const double scale = std::min({static_cast<double>(inner.width()) / bounds.width(),
                                 static_cast<double>(inner.height()) / bounds.height(), maxScale});
  const double offsetX = inner.left() + (inner.width() - bounds.width() * scale) / 2.0;
  const double offsetY = inner.top() + (inner.height() - bounds.height() * scale) / 2.0;
  painter.save();
  painter.setClipRect(frame);
  painter.translate(offsetX, offsetY);
  painter.scale(scale, scale);
  painter.translate(-bounds.topLeft());
  painter.setRenderHint(QPainter::Antialiasing, true);
  {
    CQtPainter canvas(painter, &m_bitmaps, true);
    CCanvasRenderer::Draw(m_doc, canvas);
  }
  painter.restore();
}

void CDrawingPrintJob::PaintFooter(QPainter& painter, const QRect& page, int pageNumber, int pageCount) {
  painter.save();
  painter.setFont(SmallFont());
  painter.setPen(QPen(Qt::black, 0));
  const QRect footer(page.left(), page.bottom() - m_footerHeight + 1, page.width(), m_footerHeight);
  painter.drawLine(footer.topLeft(), footer.topRight());
  painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, m_doc.GetTitle());
  painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                   QCoreApplication::translate("CDrawingPrintJob", "Page %1 / %2").arg(pageNumber).arg(pageCount));
  painter.restore();
}

void CDrawingPrintJob::PaintTablePage(QPainter& painter, const QRect& page, const Page& slices, int pageNumber,
                                      int pageCount) {
  painter.save();
  painter.setPen(QPen(Qt::black, 0));
  const QFontMetrics body(BodyFont(), painter.device());
  const QFontMetrics header(HeaderFont(), painter.device());
  const int pad = body.averageCharWidth();
  int y = page.top();
  for (const Slice& slice : slices) {
    const CPrintBlock& block = m_blocks[static_cast<size_t>(slice.block)];
    painter.setFont(BlockTitleFont());
    QString title = block.Title();
    if (slice.firstRow > 0) title += QCoreApplication::translate("CDrawingPrintJob", " (continued)");
    painter.drawText(QRect(page.left(), y, page.width(), m_titleHeight), Qt::AlignLeft | Qt::AlignVCenter, title);
    y += m_titleHeight;

    const std::vector<int> left = block.ColumnLeft(body, header);
    auto columnRect = [&](int c, int top, int height) {
      const int x = page.left() + pad + left[static_cast<size_t>(c)];
      const int right =
          c + 1 < static_cast<int>(left.size()) ? page.left() + left[static_cast<size_t>(c) + 1] : page.right() - pad;
      return QRect(x, top, std::max(1, right - x), height);
    };
    auto formatOf = [&](int c) {
      return c < static_cast<int>(block.Columns().size()) ? block.Columns()[static_cast<size_t>(c)].format : 0;
    };
    painter.fillRect(QRect(page.left(), y, page.width(), m_headerHeight), QColor(225, 225, 225));
    painter.drawLine(page.left(), y + m_headerHeight, page.right(), y + m_headerHeight);
    painter.setFont(HeaderFont());
    for (int c = 0; c < static_cast<int>(left.size()); ++c) {
      const QRect cell = columnRect(c, y, m_headerHeight);
      painter.drawText(cell, AlignmentOf(formatOf(c)),
                       header.elidedText(block.Titles().value(c), Qt::ElideRight, cell.width()));
    }
    y += m_headerHeight;
    painter.setFont(BodyFont());
    for (int r = slice.firstRow; r < slice.firstRow + slice.rowCount; ++r) {
      if ((r - slice.firstRow) % 2 == 1)
        painter.fillRect(QRect(page.left(), y, page.width(), m_rowHeight), QColor(244, 244, 244));
      const QStringList& row = block.Rows()[static_cast<size_t>(r)];
      for (int c = 0; c < static_cast<int>(left.size()); ++c) {
        const QRect cell = columnRect(c, y, m_rowHeight);
        painter.drawText(cell, AlignmentOf(formatOf(c)), body.elidedText(row.value(c), Qt::ElideRight, cell.width()));
      }
      y += m_rowHeight;
    }
    y += m_rowHeight;
  }
  painter.restore();
  PaintFooter(painter, page, pageNumber, pageCount);
}
