// What a relay topology draws inside its block: a contact level with each
// zone pin, the pictogram, and nothing outside the block, at any size.

#include "amps/crelaistopology.h"
#include "model/cselvantisdoc.h"
#include "model/ipainter.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Records the lines, ellipses, fills and bitmaps drawn. The base draws pins
// as rectangles and its frame with DrawRect, so fills, ellipses and bitmaps
// are the topology's own.
class ShapeRecorder final : public IPainter {
 public:
  std::vector<std::pair<QPoint, QPoint>> lines;
  std::vector<QRect> ellipses;
  std::vector<QRect> fills;
  std::vector<std::pair<int, QPoint>> bitmaps;
  QSize bitmapSize{32, 32};

  void Save() override {}
  void Restore() override {}
  void SetPen(PaintColor, int, PenStyle) override {}
  void SetBrush(PaintColor) override {}
  void SetTextColor(PaintColor) override {}
  void SetFont(const QString&, int, bool, bool) override {}
  void DrawLine(const QPoint& from, const QPoint& to) override { lines.emplace_back(from, to); }
  void DrawPolyline(const std::vector<QPoint>&) override {}
  void DrawRect(const QRect&) override {}
  void FillRect(const QRect& rect, PaintColor) override { fills.push_back(rect); }
  void DrawEllipse(const QRect& rect) override { ellipses.push_back(rect); }
  void DrawText(const QRect&, const QString&, uint32_t) override {}
  void DrawText(const QPoint&, const QString&) override {}
  QSize TextExtent(const QString& text) const override { return QSize(7 * static_cast<int>(text.size()), 12); }
  void DrawBitmap(int id, const QPoint& at) override { bitmaps.emplace_back(id, at); }
  // The topology's stored bitmap id is 0: only its pictogram has a size.
  QSize BitmapSize(int id) const override { return id == CRelaisTopology::kBitmap ? bitmapSize : QSize(); }
  bool IsPrinting() const override { return false; }
};

CRelaisTopology* AddTopology(CSelvantisDoc& doc, int zones) {
  auto topology = std::make_unique<CRelaisTopology>();
  if (!topology->Create(CRelaisTopology::KIND_DIRECT, 1, zones, QString(), QRect(0, 40, 0, 0), CAT_TOPOLOGIES, 0, 3,
                        &doc))
    return nullptr;
  return doc.Adopt(std::move(topology));
}

TEST(CRelaisTopologyDrawTest, OneContactPerZoneAndAllInsideTheBlock) {
  CSelvantisDoc doc;
  CRelaisTopology* topology = AddTopology(doc, 5);
  ASSERT_NE(topology, nullptr);
  ShapeRecorder painter;
  topology->Draw(painter);
  const QRect block = topology->GetRect();
  ASSERT_EQ(painter.bitmaps.size(), 1u);
  EXPECT_EQ(painter.bitmaps[0].first, CRelaisTopology::kBitmap);
  EXPECT_TRUE(block.contains(QRect(painter.bitmaps[0].second, painter.bitmapSize)));
  ASSERT_EQ(painter.fills.size(), 1u);
  EXPECT_TRUE(block.contains(painter.fills[0]));
  // Two terminals per contact.
  ASSERT_EQ(painter.ellipses.size(), 10u);
  for (const QRect& e : painter.ellipses) EXPECT_TRUE(block.contains(e));
  for (int pin = 0; pin < 5; ++pin) {
    const int y = topology->GetOutputPinPoint(pin).y();
    int toTheEdge = 0;
    for (const auto& [from, to] : painter.lines)
      if (from.y() == y && to.y() == y && to.x() == block.right() - 1) ++toTheEdge;
    EXPECT_EQ(toTheEdge, 1) << "pin " << pin;
  }
}

TEST(CRelaisTopologyDrawTest, ShrunkenBlockShowsJustItsFrame) {
  CSelvantisDoc doc;
  CRelaisTopology* topology = AddTopology(doc, 2);
  ASSERT_NE(topology, nullptr);
  topology->SetRect(QRect(0, 40, 30, 10));
  ShapeRecorder painter;
  topology->Draw(painter);
  EXPECT_TRUE(painter.bitmaps.empty());
  EXPECT_TRUE(painter.fills.empty());
  EXPECT_TRUE(painter.ellipses.empty());
}

TEST(CRelaisTopologyDrawTest, TallPictogramIsLeftOut) {
  CSelvantisDoc doc;
  CRelaisTopology* topology = AddTopology(doc, 1);
  ASSERT_NE(topology, nullptr);
  ShapeRecorder painter;
  painter.bitmapSize = QSize(32, 200);
  topology->Draw(painter);
  EXPECT_TRUE(painter.bitmaps.empty());
  EXPECT_EQ(painter.ellipses.size(), 2u);
}

}  // namespace
