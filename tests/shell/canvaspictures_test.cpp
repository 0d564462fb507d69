// The pictures of the objects on the drawing: each covers its object's
// rectangle exactly, so the pins laid out on the rectangle's edges sit on the
// picture's edges; a relay topology draws its block at any zone count.

#include "amps/camplifier.h"
#include "amps/cgroup.h"
#include "amps/clangroup.h"
#include "amps/crelaistopology.h"
#include "amps/czone.h"
#include "consoles/cconsole.h"
#include "model/cselvantisdoc.h"
#include "shell/cbitmapmanager.h"
#include "shell/cqtpainter.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QSize PictureSize(CBitmapManager& bitmaps, int id) {
  const QPixmap* pm = bitmaps.GetBitmap(id);
  return pm != nullptr ? pm->deviceIndependentSize().toSize() : QSize();
}

// The share of the picture's pixels that are not transparent.
double Coverage(CBitmapManager& bitmaps, int id) {
  const QImage img = bitmaps.GetBitmap(id)->toImage().convertToFormat(QImage::Format_ARGB32);
  int opaque = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) opaque += qAlpha(img.pixel(x, y)) > 0;
  return double(opaque) / (img.width() * img.height());
}

void ExpectPinsOnTheEdges(const CBaseDevice& object) {
  const QRect r = object.GetRect();
  for (int pin = 0; pin < object.GetInputCount(); ++pin) {
    const QPoint p = object.GetInputPinPoint(pin);
    EXPECT_EQ(p.x() + CBaseDevice::kPinSize / 2, r.left()) << object.GetName().toStdString() << " in " << pin;
    EXPECT_TRUE(p.y() > r.top() && p.y() < r.top() + r.height()) << object.GetName().toStdString() << " in " << pin;
  }
  for (int pin = 0; pin < object.GetOutputCount(); ++pin) {
    const QPoint p = object.GetOutputPinPoint(pin);
    EXPECT_EQ(p.x() - CBaseDevice::kPinSize / 2, r.left() + r.width())
        << object.GetName().toStdString() << " out " << pin;
    EXPECT_TRUE(p.y() > r.top() && p.y() < r.top() + r.height()) << object.GetName().toStdString() << " out " << pin;
  }
}

TEST(CanvasPicturesTest, EveryAmplifierModelsPictureIsItsBlock) {
  CBitmapManager bitmaps;
  CSelvantisDoc doc;
  for (int index = 0; const AmpTypeInfo* row = CAmplifier::GetTypeRow(index); ++index) {
    std::unique_ptr<CAmplifier> amp = CAmplifier::Make(doc, row->kind, QPoint(0, 0));
    ASSERT_NE(amp, nullptr) << row->kind;
    EXPECT_EQ(PictureSize(bitmaps, row->bitmap), amp->GetRect().size()) << "model " << row->kind;
    EXPECT_GT(Coverage(bitmaps, row->bitmap), 0.9) << "the picture fills the block: " << row->bitmap;
    ExpectPinsOnTheEdges(*amp);
  }
}

TEST(CanvasPicturesTest, GroupsLanGroupsZonesAndConsolesFitTheirPictures) {
  CBitmapManager bitmaps;
  CSelvantisDoc doc;
  CGroup* group = CGroup::CreateIn(doc, QRect(100, 100, 0, 0), CGroup::kLevelAdded);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(PictureSize(bitmaps, group->GetBitmapID()), group->GetRect().size());
  EXPECT_GT(Coverage(bitmaps, group->GetBitmapID()), 0.9);
  ExpectPinsOnTheEdges(*group);

  CLANGroup* lan = CLANGroup::CreateIn(doc, QRect(300, 100, 0, 0));
  ASSERT_NE(lan, nullptr);
  EXPECT_EQ(PictureSize(bitmaps, lan->GetBitmapID()), lan->GetRect().size());
  EXPECT_GT(Coverage(bitmaps, lan->GetBitmapID()), 0.9);
  EXPECT_NE(lan->GetBitmapID(), group->GetBitmapID());

  auto topology = std::make_unique<CRelaisTopology>();
  ASSERT_TRUE(topology->Create(CRelaisTopology::KIND_DIRECT, 1, 2, QString(), QRect(10, 300, 0, 0), CAT_TOPOLOGIES, 0,
                               3, &doc));
  CRelaisTopology* added = doc.Adopt(std::move(topology));
  ASSERT_NE(added, nullptr);
  for (CZone* zone : added->GetZones()) EXPECT_EQ(PictureSize(bitmaps, zone->GetBitmapID()), zone->GetRect().size());

  CConsole* console = CConsole::CreateIn(doc, CConsProp::RCX6010, QRect(500, 500, 64, 48));
  ASSERT_NE(console, nullptr);
  EXPECT_EQ(PictureSize(bitmaps, console->GetBitmapID()), console->GetRect().size());

  // Its pictogram is one the manager draws.
  EXPECT_TRUE(CBitmapManager::Holds(CRelaisTopology::kBitmap));
  EXPECT_FALSE(PictureSize(bitmaps, CRelaisTopology::kBitmap).isEmpty());
}

TEST(CanvasPicturesTest, TopologyBlockShowsItsPictogramAndAContactPerZone) {
  CBitmapManager bitmaps;
  CSelvantisDoc doc;
  auto made = std::make_unique<CRelaisTopology>();
  ASSERT_TRUE(
      made->Create(CRelaisTopology::KIND_1INN, 1, 4, QString(), QRect(0, 20, 0, 0), CAT_TOPOLOGIES, 0, 3, &doc));
  CRelaisTopology* topology = doc.Adopt(std::move(made));
  ASSERT_NE(topology, nullptr);
  const QRect r = topology->GetRect();
  ASSERT_EQ(r.size(), QSize(CRelaisTopology::kWidth, 4 * CRelaisTopology::kHeightPerZone));

  QImage image(r.right() + 40, r.bottom() + 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter qp(&image);
    CQtPainter painter(qp, &bitmaps, false);
    topology->Draw(painter);
  }
  // No longer a plain white box: the inside is tinted...
  EXPECT_NE(QColor(image.pixel(r.left() + 5, r.bottom() - 3)), QColor(Qt::white));
  // ...the pictogram sits in the first row...
  int pictogram = 0;
  for (int y = r.top() + 2; y < r.top() + CRelaisTopology::kHeightPerZone; ++y)
    for (int x = r.left() + 2; x < r.left() + 36; ++x) pictogram += qGray(image.pixel(x, y)) < 128;
  EXPECT_GT(pictogram, 20);
  // ...and every zone's contact runs out to its pin on the right edge.
  for (int pin = 0; pin < topology->GetOutputCount(); ++pin) {
    const int y = topology->GetOutputPinPoint(pin).y();
    EXPECT_LT(qGray(image.pixel(r.right() - 4, y)), 128) << "pin " << pin;
    EXPECT_GT(qGray(image.pixel(r.right() - 4, y + 8)), 128) << "between the rows " << pin;
  }
}

}  // namespace
