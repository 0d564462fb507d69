#ifndef SELV_SHELL_CQTPAINTER_H
#define SELV_SHELL_CQTPAINTER_H

#include "model/ipainter.h"

#include <QColor>
#include <QFont>
#include <QStaticText>

class CBitmapManager;
class QPainter;

// The model's painter interface over a QPainter, for the screen and the
// printer alike. Coordinates are canvas units: the caller sets the
// QPainter's transform (zoom, scrolling, page scale) before handing it over.
// Fonts are sized in canvas units, so text keeps its place on any device.
// Owns nothing: the painter and the bitmap manager outlive it.
class CQtPainter final : public IPainter {
 public:
  // Canvas units per point of a font size: one unit is one pixel at 100 %.
  static constexpr double kUnitsPerPoint = 96.0 / 72.0;
  static constexpr int kDefaultPointSize = 8;

  CQtPainter(QPainter& painter, CBitmapManager* bitmaps, bool printing);

  void Save() override;
  void Restore() override;
  void SetPen(PaintColor color, int width = 1, PenStyle style = PenStyle::Solid) override;
  void SetBrush(PaintColor color) override;
  void SetTextColor(PaintColor color) override;
  void SetFont(const QString& family, int pointSize, bool bold = false, bool italic = false) override;
  void DrawLine(const QPoint& from, const QPoint& to) override;
  void DrawPolyline(const std::vector<QPoint>& points) override;
  void DrawRect(const QRect& rect) override;
  void FillRect(const QRect& rect, PaintColor color) override;
  void DrawEllipse(const QRect& rect) override;
  void DrawText(const QRect& rect, const QString& text, uint32_t flags = PT_LEFT | PT_TOP) override;
  void DrawText(const QPoint& baselineStart, const QString& text) override;
  QSize TextExtent(const QString& text) const override;
  void DrawBitmap(int bitmapId, const QPoint& topLeft) override;
  QSize BitmapSize(int bitmapId) const override;
  bool IsPrinting() const override { return m_printing; }

  // The font a canvas text of that size is drawn with.
  static QFont CanvasFont(const QString& family, int pointSize, bool bold = false, bool italic = false);

 private:
  // How many laid-out texts are kept before the cache starts again.
  static constexpr int kLaidOutCacheSize = 20000;
  // The layout of a one-line text in the current font (screen only).
  const QStaticText& LaidOut(const QString& text);

  struct State {
    QColor textColor;
    QFont font;
    QColor penColor;
  };

  QPainter& m_painter;
  CBitmapManager* m_bitmaps;
  bool m_printing;
  QColor m_textColor;
  QColor m_penColor;
  std::vector<State> m_saved;
};

#endif
