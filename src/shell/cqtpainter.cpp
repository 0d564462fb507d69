#include "shell/cqtpainter.h"

#include "shell/cbitmapmanager.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QStaticText>
#include <QTransform>

#include <cmath>

namespace {
QColor ToColor(PaintColor c) { return QColor::fromRgba(c); }

Qt::PenStyle ToPenStyle(PenStyle style) {
  switch (style) {
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::None: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

int ToAlignment(uint32_t flags) {
  int a = 0;
  if (flags & PT_RIGHT)
    a |= Qt::AlignRight;
  else if (flags & PT_HCENTER)
    a |= Qt::AlignHCenter;
  else
    a |= Qt::AlignLeft;
  if (flags & PT_BOTTOM)
    a |= Qt::AlignBottom;
  else if (flags & PT_VCENTER)
    a |= Qt::AlignVCenter;
  else
    a |= Qt::AlignTop;
  if (flags & PT_WORDBREAK) a |= Qt::TextWordWrap;
  return a;
}
}  // namespace

CQtPainter::CQtPainter(QPainter& painter, CBitmapManager* bitmaps, bool printing)
    : m_painter(painter), m_bitmaps(bitmaps), m_printing(printing), m_textColor(Qt::black), m_penColor(Qt::black) {
  m_painter.setFont(CanvasFont(QString(), kDefaultPointSize));
  m_painter.setPen(QPen(Qt::black, 1));
  m_painter.setBrush(Qt::NoBrush);
}

QFont CQtPainter::CanvasFont(const QString& family, int pointSize, bool bold, bool italic) {
  QFont font;
  if (!family.isEmpty()) font.setFamily(family);
  const int size = pointSize > 0 ? pointSize : kDefaultPointSize;
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(size * kUnitsPerPoint))));
  font.setBold(bold);
  font.setItalic(italic);
  // Metrics taken from the screen must hold on the printer too.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

void CQtPainter::Save() {
  m_painter.save();
  m_saved.push_back({m_textColor, m_painter.font(), m_penColor});
}

void CQtPainter::Restore() {
  if (m_saved.empty()) return;  // an unbalanced Restore must not undo the caller's state
  m_painter.restore();
  m_textColor = m_saved.back().textColor;
  m_penColor = m_saved.back().penColor;
  m_saved.pop_back();
}

void CQtPainter::SetPen(PaintColor color, int width, PenStyle style) {
  m_penColor = ToColor(color);
  // Width 0 or 1 is a hair line of one device pixel on screen, a thin line on paper.
  QPen pen(m_penColor, width <= 1 ? 0 : width, ToPenStyle(style));
  pen.setCosmetic(width <= 1);
  m_painter.setPen(pen);
}

void CQtPainter::SetBrush(PaintColor color) {
  const QColor c = ToColor(color);
  if (c.alpha() == 0)
    m_painter.setBrush(Qt::NoBrush);
  else
    m_painter.setBrush(c);
}

void CQtPainter::SetTextColor(PaintColor color) { m_textColor = ToColor(color); }

void CQtPainter::SetFont(const QString& family, int pointSize, bool bold, bool italic) {
  m_painter.setFont(CanvasFont(family, pointSize, bold, italic));
}

void CQtPainter::DrawLine(const QPoint& from, const QPoint& to) { m_painter.drawLine(from, to); }

void CQtPainter::DrawPolyline(const std::vector<QPoint>& points) {
  if (points.size() < 2) return;
  m_painter.drawPolyline(points.data(), static_cast<int>(points.size()));
}

void CQtPainter::DrawRect(const QRect& rect) {
  // The model's rectangles are edge to edge (right = left + width); QPainter
  // outlines one pixel wider, so draw the outline inside.
  m_painter.drawRect(QRectF(rect.x(), rect.y(), rect.width(), rect.height()));
}

void CQtPainter::FillRect(const QRect& rect, PaintColor color) { m_painter.fillRect(rect, ToColor(color)); }

void CQtPainter::DrawEllipse(const QRect& rect) { m_painter.drawEllipse(QRectF(rect)); }

const QStaticText& CQtPainter::LaidOut(const QString& text) {
  // Laying a text out is the dearest part of a repaint: the same names are
  // drawn frame after frame, so their layouts are kept, per font.
  static QHash<QString, QStaticText> cache;
  static QString cachedFont;
  const QString fontKey = m_painter.font().key();
  if (fontKey != cachedFont || cache.size() > kLaidOutCacheSize) {
    cache.clear();
    cachedFont = fontKey;
  }
  auto it = cache.find(text);
  if (it == cache.end()) {
    QStaticText laidOut(text);
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
    laidOut.prepare(QTransform(), m_painter.font());
    it = cache.insert(text, laidOut);
  }
  return it.value();
}

void CQtPainter::DrawText(const QRect& rect, const QString& text, uint32_t flags) {
  const QPen pen = m_painter.pen();
  m_painter.setPen(m_textColor);
  QString shown = text;
  if (flags & PT_ELLIPSIS) shown = QFontMetrics(m_painter.font()).elidedText(text, Qt::ElideRight, rect.width());
  if (m_printing || (flags & PT_WORDBREAK) || shown.contains(QLatin1Char('\n'))) {
    m_painter.drawText(rect, ToAlignment(flags), shown);
  } else {
    // One line: placed in the rectangle as drawText would place it.
    const QStaticText& laidOut = LaidOut(shown);
    const QSizeF size = laidOut.size();
    double x = rect.x();
    if (flags & PT_RIGHT)
      x = rect.x() + rect.width() - size.width();
    else if (flags & PT_HCENTER)
      x = rect.x() + (rect.width() - size.width()) / 2.0;
    double y = rect.y();
    if (flags & PT_BOTTOM)
      y = rect.y() + rect.height() - size.height();
    else if (flags & PT_VCENTER)
      y = rect.y() + (rect.height() - size.height()) / 2.0;
    m_painter.drawStaticText(QPointF(x, y), laidOut);
  }
  m_painter.setPen(pen);
}

void CQtPainter::DrawText(const QPoint& baselineStart, const QString& text) {
  const QPen pen = m_painter.pen();
  m_painter.setPen(m_textColor);
  if (m_printing) {
    m_painter.drawText(baselineStart, text);
  } else {
    // A static text is placed by its top left corner.
    const QFontMetricsF metrics(m_painter.font());
    m_painter.drawStaticText(QPointF(baselineStart.x(), baselineStart.y() - metrics.ascent()), LaidOut(text));
  }
  m_painter.setPen(pen);
}

QSize CQtPainter::TextExtent(const QString& text) const {
  const QFontMetrics metrics(m_painter.font());
  return QSize(metrics.horizontalAdvance(text), metrics.height());
}

void CQtPainter::DrawBitmap(int bitmapId, const QPoint& topLeft) {
  if (!m_bitmaps) return;
  const QPixmap* pm = m_bitmaps->GetBitmap(bitmapId);
  if (!pm) return;
  m_painter.drawPixmap(topLeft, *pm);
}

QSize CQtPainter::BitmapSize(int bitmapId) const {
  if (!m_bitmaps) return QSize();
  const QPixmap* pm = m_bitmaps->GetBitmap(bitmapId);
  return pm ? pm->deviceIndependentSize().toSize() : QSize();
}
