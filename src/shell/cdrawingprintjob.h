#ifndef SELV_SHELL_CDRAWINGPRINTJOB_H
#define SELV_SHELL_CDRAWINGPRINTJOB_H

#include "shell/cprintblock.h"

#include <QRect>
#include <QString>

#include <vector>

class CBitmapManager;
class CSelvantisDoc;
class QPagedPaintDevice;
class QPainter;

// The print-out of a project: the drawing on the first page in a frame with
// the title block (project, customer, unit variant, file, date, page), then
// the object tables (CPrintBlock), continued over as many pages as they
// need with their column titles repeated. Painted with QPainter on any paged
// device: a printer, a PDF file or the print preview.
class CDrawingPrintJob final {
 public:
  CDrawingPrintJob(const CSelvantisDoc& doc, CBitmapManager& bitmaps);

  // Prints every page; false with the reason when the device cannot be
  // painted on.
  bool Print(QPagedPaintDevice& device, QString* error = nullptr);
  // The number of pages the print-out needs on the device (after Print or
  // PageCount has laid it out).
  int PageCount(QPagedPaintDevice& device);
  // The drawing's frame on the first page, in device units (for tests).
  QRect DrawingArea() const noexcept { return m_drawingArea; }
  const std::vector<CPrintBlock>& Blocks() const noexcept { return m_blocks; }

 private:
  // A run of rows of one block on one page.
  struct Slice {
    int block = 0;
    int firstRow = 0;
    int rowCount = 0;
  };
  using Page = std::vector<Slice>;

  void PaintDrawingPage(QPainter& painter, const QRect& page, int pageCount);
  void PaintTablePage(QPainter& painter, const QRect& page, const Page& slices, int pageNumber, int pageCount);
  void PaintFooter(QPainter& painter, const QRect& page, int pageNumber, int pageCount);
  QRect TitleBlockRect(const QRect& page) const;
  void PaintTitleBlock(QPainter& painter, const QRect& rect, int pageCount);

  const CSelvantisDoc& m_doc;
  CBitmapManager& m_bitmaps;
  std::vector<CPrintBlock> m_blocks;
  std::vector<Page> m_tablePages;
  QRect m_drawingArea;
  int m_rowHeight = 0;
  int m_headerHeight = 0;
  int m_titleHeight = 0;
  int m_footerHeight = 0;
};

#endif
