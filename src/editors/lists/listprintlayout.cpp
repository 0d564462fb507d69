#include "editors/lists/listprintlayout.h"

#include <algorithm>

ListPrintLayout::ListPrintLayout(const QSize& listSize, const QSize& page, int screenDpiX, int screenDpiY,
                                 int printerDpiX, int printerDpiY)
    : m_page(page),
      m_screenX(std::max(1, screenDpiX)),
      m_screenY(std::max(1, screenDpiY)),
      m_printerX(std::max(1, printerDpiX)),
      m_printerY(std::max(1, printerDpiY)) {
  m_scaledList = QSize(ScaleX(std::max(0, listSize.width())), ScaleY(std::max(0, listSize.height())));
  m_down = PagesFor(m_scaledList.height(), m_page.height());
  m_across = PagesFor(m_scaledList.width(), m_page.width());
}

int ListPrintLayout::ScaleX(int x) const {
  return static_cast<int>(static_cast<long long>(x) * m_printerX / m_screenX);
}

int ListPrintLayout::ScaleY(int y) const {
  return static_cast<int>(static_cast<long long>(y) * m_printerY / m_screenY);
}

QRect ListPrintLayout::Scale(const QRect& rect) const {
  const int left = ScaleX(rect.left());
  const int top = ScaleY(rect.top());
  const int right = ScaleX(rect.left() + rect.width());
  const int bottom = ScaleY(rect.top() + rect.height());
  return QRect(left, top, right - left, bottom - top);
}

// A list exactly as long as n pages needs n pages, not n + 1; an empty list
// still prints its outline on one page.
int ListPrintLayout::PagesFor(int length, int pageLength) {
  if (pageLength <= 0 || length <= 0) return 1;
  return (length + pageLength - 1) / pageLength;
}

QPoint ListPrintLayout::PageOrigin(int page) const {
  const int p = std::clamp(page, 1, PageCount()) - 1;
  return QPoint((p / m_down) * m_page.width(), (p % m_down) * m_page.height());
}
