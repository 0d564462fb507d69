#pragma once
#include "consoles/keybox.h"
#include "consoles/ui/cconsoleprintlayout.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

class QFontMetrics;
class QPagedPaintDevice;
class QPainter;

// The print-out of a console's key layout at real size, for key labels: one
// page, or two for a console with an extension (page 1 the main housing,
// page 2 the extension), each in a page frame with the title block (family
// name, project file, date and time, page number). The key view paints the
// drawing through a callback in its own screen units; the job places and
// clips it. Painted with QPainter on a printer or a PDF file.
class CConsolePrintJob final {
  Q_DECLARE_TR_FUNCTIONS(CConsolePrintJob)

 public:
  // Paints the whole drawing in screen units (keys with their labels).
  using DrawFn = std::function<void(QPainter&)>;

  CConsolePrintJob(const KeyBox& drawing, const KeyBox& extension, int programmableKeys, const QString& pathName,
                   DrawFn draw);
  CConsolePrintJob(const CConsolePrintJob&) = delete;
  CConsolePrintJob& operator=(const CConsolePrintJob&) = delete;

  // The resolution the drawing was made for (default 96 dpi).
  void SetScreenDpi(int dpiX, int dpiY);
  // The time printed in the title block (default: when Print starts).
  void SetPrintTime(const QDateTime& when) { m_when = when; }

  int LastPage() const { return CConsolePrintLayout::LastPage(m_keys); }

  // Prints every page; false with the reason when the device cannot be
  // painted on.
  bool Print(QPagedPaintDevice& device, QString* error = nullptr);
  // One page on an open painter whose device is page units wide and high.
  void PaintPage(QPainter& painter, const QRect& page, int pageNumber);

  // What the last painted page used (for tests).
  const CConsolePrintLayout::Page& LastPlacement() const noexcept { return m_placement; }
  QRect LastDrawingClip() const noexcept { return m_drawingClip; }
  QRect LastFileBox() const noexcept { return m_fileBox; }
  QString LastFileText() const { return m_fileText; }

  // "File:  '<path>'", the path shortened in its middle so that the whole
  // text fits width.
  static QString FileText(const QString& pathName, const QFontMetrics& metrics, int width);
  static QString DateTimeText(const QDateTime& when);
  static QString PageText(int page, int lastPage);

 private:
  void PaintTitleBlock(QPainter& painter, const QRect& page, int pageNumber);

  KeyBox m_drawing;
  KeyBox m_extension;
  int m_keys;
  QString m_pathName;
  DrawFn m_draw;
  int m_screenDpiX = 96;
  int m_screenDpiY = 96;
  QDateTime m_when;
  CConsolePrintLayout::Page m_placement;
  QRect m_drawingClip;
  QRect m_fileBox;
  QString m_fileText;
};
