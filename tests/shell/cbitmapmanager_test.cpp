// The shared pictures, the icons and the tiled tool-bar background.
#include "shell/cbitmapmanager.h"
#include "model/ipainter.h"
#include "shell/ccontrolbarbackground.h"
#include "shell/ciconfactory.h"
#include "shell/cmessageboxsink.h"
#include "shell/cqtpainter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

TEST(CBitmapManagerTest, HoldsThePicturesThePartsNameAndNothingElse) {
  CBitmapManager bitmaps;
  for (int id : {131, 134, 136, 150, 193, 211, 212, 233, 274, 279, 280, 301,
                 303, 309, 313, 351, 422, 450, 456, 458, 461, 463, 530, CBitmapManager::kBarBitmap}) {
    const QPixmap* pm = bitmaps.GetBitmap(id);
    ASSERT_NE(pm, nullptr) << id;
    EXPECT_FALSE(pm->isNull()) << id;
    EXPECT_EQ(bitmaps.GetBitmap(id), pm) << "shared, drawn once: " << id;
  }
  EXPECT_EQ(bitmaps.GetBitmap(0), nullptr);
  EXPECT_EQ(bitmaps.GetBitmap(99999), nullptr);
  EXPECT_EQ(bitmaps.GetPalette(), nullptr);
}

TEST(CBitmapManagerTest, ImageListStripsCutIntoMaskedImages) {
  CBitmapManager bitmaps;
  // Bitmap 136: 16-pixel images with magenta as the mask; image 34 is used by print-outs.
  EXPECT_EQ(CBitmapManager::ImageWidth(136), 16);
  EXPECT_EQ(CBitmapManager::MaskColour(136), QColor(255, 0, 255));
  EXPECT_GE(bitmaps.GetBitmap(136)->width(), 35 * 16);
  const QPixmap image = bitmaps.GetImage(136, 34);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(16, 16));
  const QImage pixels = image.toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(qAlpha(pixels.pixel(0, 0)), 0) << "the mask colour became transparent";
  bool magenta = false;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (qAlpha(pixels.pixel(x, y)) != 0 && QColor(pixels.pixel(x, y)) == QColor(255, 0, 255)) magenta = true;
  EXPECT_FALSE(magenta);
  EXPECT_TRUE(bitmaps.GetImage(136, 400).isNull());
  EXPECT_TRUE(bitmaps.GetImage(150, 0).isNull()) << "a plain picture is no strip";
}

TEST(CBitmapManagerTest, EveryPictureIsAListedVectorFile) {
  QStringList listed;
  for (int id : CBitmapManager::Ids()) {
    const int count = CBitmapManager::ImageCount(id);
    for (int i = count == 0 ? -1 : 0; i < std::max(count, 0); ++i) {
      const QString path = CBitmapManager::FileOf(id, i);
      ASSERT_FALSE(path.isEmpty()) << id << "/" << i;
      listed << path.section(QLatin1Char('/'), -1);
    }
  }
  for (const QString& name : CIconFactory::Names())
    EXPECT_FALSE(CIconFactory::OwnIcon(name).isNull()) << name.toStdString();
  const QStringList files = QDir(QStringLiteral(":/pictures")).entryList({QStringLiteral("*.svg")});
  EXPECT_GT(files.size(), 90);
  for (const QString& file : files) {
    QFile svg(QStringLiteral(":/pictures/") + file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly)) << file.toStdString();
    const QByteArray text = svg.readAll();
    EXPECT_FALSE(text.contains("<image")) << file.toStdString() << " embeds a raster picture";
    EXPECT_FALSE(text.contains("data:")) << file.toStdString();
    EXPECT_TRUE(QSvgRenderer(text).isValid()) << file.toStdString();
  }
}

TEST(CIconFactoryTest, StandardActionsFollowTheDesktopThemeWithTheProgramsOwnAsFallback) {
  for (const char* name : {"new", "open", "save", "print", "preview", "cut", "delete", "zoomin", "zoomout", "zoomfit",
                           "properties", "about"}) {
    EXPECT_FALSE(CIconFactory::ThemeName(QLatin1String(name)).isEmpty()) << name;
    EXPECT_FALSE(CIconFactory::Icon(QLatin1String(name)).isNull()) << name;
  }
  EXPECT_EQ(CIconFactory::ThemeName(QStringLiteral("new")), QStringLiteral("document-new"));
  EXPECT_EQ(CIconFactory::ThemeName(QStringLiteral("zoomfit")), QStringLiteral("zoom-fit-best"));
  EXPECT_TRUE(CIconFactory::ThemeName(QStringLiteral("savevmx")).isEmpty()) << "the program's own action";
  // Without a theme the program's own picture shows.
  const QString theme = QIcon::themeName();
  QIcon::setThemeName(QStringLiteral("no-such-theme"));
  EXPECT_FALSE(CIconFactory::Pixmap(QStringLiteral("save"), 24).isNull());
  QIcon::setThemeName(theme);
}

TEST(CIconFactoryTest, DrawsEveryNamedIconAtTheAskedSize) {
  for (const QString& name : CIconFactory::Names()) {
    const QPixmap pm = CIconFactory::Pixmap(name, 24);
    ASSERT_EQ(pm.size(), QSize(24, 24)) << name.toStdString();
    const QImage img = pm.toImage();
    int opaque = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) opaque += qAlpha(img.pixel(x, y)) > 0;
    EXPECT_GT(opaque, 20) << name.toStdString() << " is not blank";
  }
  EXPECT_TRUE(CIconFactory::Icon(QStringLiteral("no such icon")).isNull());
  EXPECT_FALSE(CIconFactory::AppPixmap(48).isNull());
}

TEST(ControlBarBackgroundProcTest, FillsTheBarWithTheTiledBitmap) {
  QMainWindow window;
  QToolBar* bar = window.addToolBar(QStringLiteral("bar"));
  bar->addAction(QStringLiteral("x"));
  QPixmap tile(8, 8);
  tile.fill(QColor(10, 200, 30));
  CControlBarBackground background(tile, &window);
  background.Attach(bar);
  window.resize(400, 200);
  window.show();
  const QImage shot = bar->grab().toImage();
  // Far right of the bar holds no button: the tile shows there.
  EXPECT_EQ(QColor(shot.pixel(shot.width() - 6, shot.height() / 2)), QColor(10, 200, 30));
  // Other events pass on to the bar.
  QEvent other(QEvent::Enter);
  EXPECT_FALSE(ControlBarBackgroundProc(bar, &other, tile));
  EXPECT_FALSE(ControlBarBackgroundProc(nullptr, &other, tile));
}

TEST(CQtPainterTest, DrawsInCanvasUnitsWithBitmapsFromTheManager) {
  CBitmapManager bitmaps;
  QImage image(200, 200, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter qp(&image);
    qp.scale(2.0, 2.0);  // 200 % zoom
    CQtPainter painter(qp, &bitmaps, false);
    painter.SetPen(PaintColors::kBlack, 1);
    painter.SetBrush(PaintColors::kRed);
    painter.DrawRect(QRect(10, 10, 20, 20));
    EXPECT_EQ(painter.BitmapSize(212), QSize(32, 32));
    EXPECT_TRUE(painter.BitmapSize(99999).isEmpty());
    painter.DrawBitmap(99999, QPoint(0, 0));  // unknown: nothing, no crash
    painter.Save();
    painter.SetBrush(PaintColors::kTransparent);
    painter.Restore();
    painter.Restore();  // unbalanced: ignored
    EXPECT_FALSE(painter.IsPrinting());
    EXPECT_GT(painter.TextExtent(QStringLiteral("Zone 1")).width(), 0);
  }
  EXPECT_EQ(QColor(image.pixel(40, 40)), QColor(Qt::red)) << "the fill at twice the coordinates";
  EXPECT_EQ(QColor(image.pixel(70, 70)), QColor(Qt::white));
}

TEST(CMessageBoxSinkTest, MapsStylesToButtonsAndAnswersBack) {
  EXPECT_EQ(CMessageBoxSink::Buttons(MB_YESNOCANCEL), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(CMessageBoxSink::Buttons(MB_OK | MB_ICONSTOP), QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(CMessageBoxSink::IconOf(MB_ICONSTOP), QMessageBox::Critical);
  EXPECT_EQ(CMessageBoxSink::IconOf(MB_ICONQUESTION | MB_YESNO), QMessageBox::Question);
  EXPECT_EQ(CMessageBoxSink::DefaultButton(MB_YESNO | MB_DEFBUTTON2), QMessageBox::No);
  EXPECT_EQ(CMessageBoxSink::Answer(QMessageBox::Yes), IDYES);
  EXPECT_EQ(CMessageBoxSink::Answer(QMessageBox::Retry), IDRETRY);
  EXPECT_EQ(CMessageBoxSink::Answer(QMessageBox::Escape), IDCANCEL);
}

}  // namespace
