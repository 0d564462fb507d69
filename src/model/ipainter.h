#ifndef SELV_MODEL_IPAINTER_H
#define SELV_MODEL_IPAINTER_H

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

// Colour as 0xAARRGGBB (the same layout as the widget library's QRgb).
using PaintColor = uint32_t;

constexpr PaintColor MakePaintColor(int r, int g, int b, int a = 255) noexcept {
  return (static_cast<uint32_t>(a & 0xFF) << 24) | (static_cast<uint32_t>(r & 0xFF) << 16) |
         (static_cast<uint32_t>(g & 0xFF) << 8) | static_cast<uint32_t>(b & 0xFF);
}

namespace PaintColors {
constexpr PaintColor kBlack = MakePaintColor(0, 0, 0);
constexpr PaintColor kWhite = MakePaintColor(255, 255, 255);
constexpr PaintColor kGray = MakePaintColor(128, 128, 128);
constexpr PaintColor kLightGray = MakePaintColor(192, 192, 192);
constexpr PaintColor kRed = MakePaintColor(255, 0, 0);
constexpr PaintColor kBlue = MakePaintColor(0, 0, 255);
constexpr PaintColor kDarkBlue = MakePaintColor(0, 0, 128);
constexpr PaintColor kTransparent = 0;
}  // namespace PaintColors

enum class PenStyle { Solid, Dash, Dot, None };

// Text placement flags of DrawText (our own values, combined with |).
enum PaintTextFlag : uint32_t {
  PT_LEFT = 0x0001,
  PT_RIGHT = 0x0002,
  PT_HCENTER = 0x0004,
  PT_TOP = 0x0010,
  PT_BOTTOM = 0x0020,
  PT_VCENTER = 0x0040,
  PT_CENTER = PT_HCENTER | PT_VCENTER,
  PT_WORDBREAK = 0x0100,
  PT_ELLIPSIS = 0x0200,  // cut with "..." to fit the rectangle's width
};

// What model objects draw on. The canvas implements it over QPainter (also for
// printing); tests implement it with a recorder. Coordinates are logical
// canvas units; the implementation applies zoom and scrolling.
class IPainter {
 public:
  virtual ~IPainter() = default;

  virtual void Save() = 0;
  virtual void Restore() = 0;

  virtual void SetPen(PaintColor color, int width = 1, PenStyle style = PenStyle::Solid) = 0;
  // A fully transparent colour (alpha 0) means no fill.
  virtual void SetBrush(PaintColor color) = 0;
  virtual void SetTextColor(PaintColor color) = 0;
  // pointSize in points; an empty family keeps the canvas's default face.
  virtual void SetFont(const QString& family, int pointSize, bool bold = false, bool italic = false) = 0;

  virtual void DrawLine(const QPoint& from, const QPoint& to) = 0;
  virtual void DrawPolyline(const std::vector<QPoint>& points) = 0;
  // Outline with the pen, filled with the brush.
  virtual void DrawRect(const QRect& rect) = 0;
  virtual void FillRect(const QRect& rect, PaintColor color) = 0;
  virtual void DrawEllipse(const QRect& rect) = 0;
  virtual void DrawText(const QRect& rect, const QString& text, uint32_t flags = PT_LEFT | PT_TOP) = 0;
  virtual void DrawText(const QPoint& baselineStart, const QString& text) = 0;
  virtual QSize TextExtent(const QString& text) const = 0;
  // A bitmap of the application's bitmap manager by id; nothing for an
  // unknown id. BitmapSize gives an empty size for an unknown id.
  virtual void DrawBitmap(int bitmapId, const QPoint& topLeft) = 0;
  virtual QSize BitmapSize(int bitmapId) const = 0;

  // True while printing (objects leave out selection marks and highlights).
  virtual bool IsPrinting() const = 0;
};

#endif
