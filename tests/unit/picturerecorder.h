#ifndef SELV_TESTS_UNIT_PICTURERECORDER_H
#define SELV_TESTS_UNIT_PICTURERECORDER_H

#include "model/ipainter.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <utility>
#include <vector>

// A painter that records the pictures drawn and counts everything else.
class PictureRecorder final : public IPainter {
 public:
  std::vector<std::pair<int, QPoint>> bitmaps;
  int others = 0;

  void Save() override {}
  void Restore() override {}
  void SetPen(PaintColor, int, PenStyle) override {}
  void SetBrush(PaintColor) override {}
  void SetTextColor(PaintColor) override {}
  void SetFont(const QString&, int, bool, bool) override {}
  void DrawLine(const QPoint&, const QPoint&) override { ++others; }
  void DrawPolyline(const std::vector<QPoint>&) override { ++others; }
  void DrawRect(const QRect&) override { ++others; }
  void FillRect(const QRect&, PaintColor) override { ++others; }
  void DrawEllipse(const QRect&) override { ++others; }
  void DrawText(const QRect&, const QString&, uint32_t) override { ++others; }
  void DrawText(const QPoint&, const QString&) override { ++others; }
  QSize TextExtent(const QString& text) const override { return QSize(7 * static_cast<int>(text.size()), 12); }
  void DrawBitmap(int bitmapId, const QPoint& topLeft) override { bitmaps.emplace_back(bitmapId, topLeft); }
  QSize BitmapSize(int) const override { return QSize(); }
  bool IsPrinting() const override { return false; }
};

#endif
