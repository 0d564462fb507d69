#ifndef SELV_EDITORS_LISTS_LISTPRINTLAYOUT_H
#define SELV_EDITORS_LISTS_LISTPRINTLAYOUT_H

#include <QPoint>
#include <QRect>
#include <QSize>

// How a report list is laid onto printer pages: screen lengths are scaled by
// the ratio of printer to screen resolution, the scaled list is cut into
// strips of page width, and the pages run down the first strip, then down
// the next one to the right.
class ListPrintLayout final {
 public:
  // page: the printable area in printer units; dpi values of both devices
  // (a value below 1 is taken as 1).
  ListPrintLayout(const QSize& listSize, const QSize& page, int screenDpiX, int screenDpiY, int printerDpiX,
                  int printerDpiY);

  int ScaleX(int x) const;
  int ScaleY(int y) const;
  QRect Scale(const QRect& rect) const;

  // The whole list in printer units, at the origin.
  QRect ListRect() const { return QRect(QPoint(0, 0), m_scaledList); }
  int PagesDown() const noexcept { return m_down; }
  int PagesAcross() const noexcept { return m_across; }
  int PageCount() const noexcept { return m_down * m_across; }
  // Pages a preview shows side by side.
  int PreviewPages() const noexcept { return PageCount() >= 2 ? 2 : 1; }
  // The list position shown at the top left of page (1-based); pages out of
  // range give the origin of the nearest page.
  QPoint PageOrigin(int page) const;

 private:
  static int PagesFor(int length, int pageLength);

  QSize m_page;
  int m_screenX;
  int m_screenY;
  int m_printerX;
  int m_printerY;
  QSize m_scaledList;
  int m_down = 1;
  int m_across = 1;
};

#endif
