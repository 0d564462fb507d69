// The console print-out: pages, clipping of the housings and title block.
#include "consoles/ui/cconsoleprintjob.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Extension housing red, main housing blue, in screen units.
const KeyBox kDrawing{10, 5, 700, 200};
const KeyBox kExtension{10, 5, 300, 200};

void DrawHousings(QPainter& painter) {
  painter.fillRect(QRect(kExtension.left, kExtension.top, kExtension.Width(), kExtension.Height()), Qt::red);
  const int mainLeft = kExtension.right + 20;
  painter.fillRect(QRect(mainLeft, kDrawing.top, kDrawing.right - mainLeft, kDrawing.Height()), Qt::blue);
}

int CountColour(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == colour) ++count;
  return count;
}

QImage PaintPage(CConsolePrintJob& job, int page) {
  QImage image(800, 1100, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);  // 96 dpi
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  QPainter painter(&image);
  job.PaintPage(painter, image.rect(), page);
  painter.end();
  return image;
}

}  // namespace

TEST(CConsolePrintJobTest, AConsoleWithExtensionPrintsEachHousingOnItsOwnPage) {
  CConsolePrintJob job(kDrawing, kExtension, 51, QStringLiteral("/p/a.prj"), DrawHousings);
  ASSERT_EQ(job.LastPage(), 2);
  const QImage first = PaintPage(job, 1);
  EXPECT_GT(CountColour(first, qRgb(0, 0, 255)), 1000);
  EXPECT_EQ(CountColour(first, qRgb(255, 0, 0)), 0);
  const QImage second = PaintPage(job, 2);
  EXPECT_GT(CountColour(second, qRgb(255, 0, 0)), 1000);
  EXPECT_EQ(CountColour(second, qRgb(0, 0, 255)), 0);
}

TEST(CConsolePrintJobTest, AConsoleWithoutExtensionPrintsOnePageWithTheWholeDrawing) {
  CConsolePrintJob job(kDrawing, kExtension, 50, QStringLiteral("/p/a.prj"), DrawHousings);
  ASSERT_EQ(job.LastPage(), 1);
  const QImage page = PaintPage(job, 1);
  EXPECT_GT(CountColour(page, qRgb(255, 0, 0)), 1000);
  EXPECT_GT(CountColour(page, qRgb(0, 0, 255)), 1000);
}

TEST(CConsolePrintJobTest, ADrawingWiderThanThePageIsReducedAndStaysAboveTheTitleBlock) {
  const KeyBox wide{0, 0, 2000, 150};
  CConsolePrintJob job(wide, KeyBox{}, 30, QString(),
                       [&](QPainter& p) { p.fillRect(QRect(0, 0, 2000, 150), Qt::blue); });
  const QImage page = PaintPage(job, 1);
  EXPECT_EQ(job.LastPlacement().offsetX, 0);
  EXPECT_LE(job.LastDrawingClip().right(), page.width() - 1);
  // Nothing blue under the drawing area (the title block).
  for (int y = job.LastDrawingClip().bottom() + 1; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) ASSERT_NE(page.pixel(x, y), qRgb(0, 0, 255)) << x << "," << y;
}

// Painted on the page, a drawing wider than the page fills the page's width
// and keeps its real height (key caps 10 % taller); one taller than the
// drawing area keeps its real width. Each axis has its own factor.
TEST(CConsolePrintJobTest, ADrawingLargerThanThePageIsReducedAlongEachAxisByItsOwnFactor) {
  struct Row {
    QSize drawing;        // screen units, at the page's 96 dpi
    QSize printedApprox;  // what the blue rectangle covers on the 800-wide page
  };
  const Row rows[] = {
      {QSize(2000, 150), QSize(800, 165)},  // wider: reduced across only
      {QSize(400, 1500), QSize(400, -1)},   // taller: reduced down only (to the drawing area)
  };
  for (const Row& row : rows) {
    const QRect rect(QPoint(0, 0), row.drawing);
    CConsolePrintJob job(KeyBox{0, 0, row.drawing.width(), row.drawing.height()}, KeyBox{}, 30, QString(),
                         [rect](QPainter& p) { p.fillRect(rect, Qt::blue); });
    const QImage page = PaintPage(job, 1);
    QRect blue;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x)
        if (page.pixel(x, y) == qRgb(0, 0, 255)) blue |= QRect(x, y, 1, 1);
    ASSERT_FALSE(blue.isEmpty());
    EXPECT_NEAR(blue.width(), row.printedApprox.width(), 2) << row.drawing.width();
    const int height = row.printedApprox.height() > 0 ? row.printedApprox.height() : job.LastDrawingClip().height();
    EXPECT_NEAR(blue.height(), height, 2) << row.drawing.width();
  }
}

TEST(CConsolePrintJobTest, ALongPathIsShortenedInItsMiddleAndKeepsClearOfTheNameBox) {
  const QString path =
      QStringLiteral("/home/installer/projects/") + QString(300, QLatin1Char('x')) + QStringLiteral("/station.prj");
  CConsolePrintJob job(kDrawing, kExtension, 20, path, nullptr);
  PaintPage(job, 1);
  const QString text = job.LastFileText();
  EXPECT_TRUE(text.startsWith(QStringLiteral("File:  '/home")));
  EXPECT_TRUE(text.endsWith(QStringLiteral("station.prj'")));
  EXPECT_TRUE(text.contains(QChar(0x2026)));
  QFont font(QStringLiteral("Courier New"), 10);
  QImage probe(10, 10, QImage::Format_RGB32);
  probe.setDotsPerMeterX(3780);
  probe.setDotsPerMeterY(3780);
  EXPECT_LE(QFontMetrics(font, &probe).horizontalAdvance(text), job.LastFileBox().width());
}

TEST(CConsolePrintJobTest, TitleTexts) {
  EXPECT_EQ(CConsolePrintJob::PageText(1, 2), QStringLiteral("page 1 of 2"));
  const QString when = CConsolePrintJob::DateTimeText(QDateTime(QDate(2026, 3, 4), QTime(17, 5, 9)));
  EXPECT_TRUE(when.endsWith(QStringLiteral(":  17:05:09"))) << when.toStdString();
  EXPECT_TRUE(when.contains(QStringLiteral(" , "))) << when.toStdString();
}

TEST(CConsolePrintJobTest, PrintsTwoPagesToAPdf) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("console.pdf"));
  {
    QPdfWriter writer(file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    writer.setPageOrientation(QPageLayout::Landscape);
    CConsolePrintJob job(kDrawing, kExtension, 60, QStringLiteral("/p/a.prj"), DrawHousings);
    QString error;
    ASSERT_TRUE(job.Print(writer, &error)) << error.toStdString();
  }
  QFile pdf(file);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2) << "pages";
}
