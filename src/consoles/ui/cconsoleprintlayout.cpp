#include "consoles/ui/cconsoleprintlayout.h"

#include "consoles/ui/ckeyviewlogic.h"

#include <algorithm>

namespace {

int Positive(int value) { return value > 0 ? value : 1; }

}  // namespace

CConsolePrintLayout::CConsolePrintLayout(int pageWidth, int pageHeight, int printerDpiX, int printerDpiY,
                                         int screenDpiX, int screenDpiY)
    : m_pageWidth(std::max(pageWidth, 1)),
      m_pageHeight(std::max(pageHeight, 1)),
      m_printerDpiX(Positive(printerDpiX)),
      m_printerDpiY(Positive(printerDpiY)),
      m_screenDpiX(Positive(screenDpiX)),
      m_screenDpiY(Positive(screenDpiY)) {}

int CConsolePrintLayout::LastPage(int programmableKeys) {
  return CKeyViewLogic::HasExtension(programmableKeys) ? 2 : 1;
}

CConsolePrintLayout::Page CConsolePrintLayout::Fit(const KeyBox& source) const {
  Page page;
  page.source = source;
  const double realX = static_cast<double>(m_printerDpiX) / m_screenDpiX;
  const double realY = static_cast<double>(m_printerDpiY) / m_screenDpiY * kStretchNum / kStretchDen;
  const double w = std::max(source.Width(), 1) * realX;
  const double h = std::max(source.Height(), 1) * realY;
  // Each axis is reduced on its own, only as far as the page needs: what
  // fits keeps its real size, so a wide console keeps its key height for
  // the labels cut from the print-out. The stretch is part of the height
  // that must fit, so a drawing that just fits never runs off the page.
  const double reduceX = std::min(1.0, m_pageWidth / w);
  const double reduceY = std::min(1.0, m_pageHeight / h);
  page.scaleX = realX * reduceX;
  page.scaleY = realY * reduceY;
  page.offsetX = (m_pageWidth - w * reduceX) / 2;
  page.offsetY = (m_pageHeight - h * reduceY) / 2;
  return page;
}

CConsolePrintLayout::Page CConsolePrintLayout::PageSetup(const KeyBox& drawing, const KeyBox& extension,
                                                         bool bExtension, int page) const {
  if (!bExtension) return Fit(drawing);
  if (page <= 1) {
    const int left = std::min(extension.right + kExtensionGap, drawing.right);
    return Fit(KeyBox{left, drawing.top, drawing.right, drawing.bottom});
  }
  const int right = std::min(extension.right, drawing.right);
  return Fit(KeyBox{drawing.left, drawing.top, std::max(right, drawing.left), drawing.bottom});
}

int CConsolePrintLayout::PenWidth() const { return std::max(1, m_printerDpiX * 100 / 8382); }
