// The print-out: the drawing on the first page, the object tables after it,
// written to a PDF file and looked at as a picture.
#include "shell/cdrawingprintjob.h"
#include "model/cselvantisdoc.h"
#include "model/modelstrings.h"
#include "shell/cbitmapmanager.h"
#include "shell/controls/qstringprinter.h"
#include "shell/cprintblock.h"
#include "shelltestblock.h"
#include "unit/ckcm.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CDrawingPrintJobTest : public testing::Test {
 protected:
  void SetUp() override {
    doc.OnNewDocument();
    doc.SetTitle(QStringLiteral("Hall"));
    for (int i = 0; i < 6; ++i) {
      blocks.push_back(ShellTestBlock::Place(doc, QPoint(60 + (i % 3) * 260, 60 + (i / 3) * 200),
                                             QStringLiteral("Block %1").arg(i + 1)));
    }
    CBaseDevice::Connect(blocks[0], 0, blocks[1], 0);
    CBaseDevice::Connect(blocks[1], 1, blocks[2], 1);
    CBaseDevice::Connect(blocks[0], 1, blocks[4], 0);
  }

  CSelvantisDoc doc;
  CBitmapManager bitmaps;
  std::vector<ShellTestBlock*> blocks;
};

// Fraction of dark pixels in a rectangle of the picture.
double DarkShare(const QImage& image, const QRect& rect) {
  int dark = 0;
  int all = 0;
  const QRect r = rect.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x, ++all)
      if (qGray(image.pixel(x, y)) < 128) ++dark;
  return all ? static_cast<double>(dark) / all : 0.0;
}

TEST_F(CDrawingPrintJobTest, PrintsTheDrawingToAPdfThatShowsIt) {
  const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
  if (pdftoppm.isEmpty()) GTEST_SKIP() << "pdftoppm is not installed";
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("drawing.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setPageOrientation(QPageLayout::Landscape);
  CDrawingPrintJob job(doc, bitmaps);
  QString error;
  ASSERT_TRUE(job.Print(printer, &error)) << error.toStdString();
  EXPECT_EQ(job.PageCount(printer), 2) << "the drawing and one page of object table";
  ASSERT_GT(QFileInfo(pdf).size(), 1000);

  const QString prefix = dir.filePath(QStringLiteral("page"));
  QProcess process;
  process.start(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
                           QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                           QStringLiteral("-singlefile"), pdf, prefix});
  ASSERT_TRUE(process.waitForFinished(30000));
  ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  QImage page(prefix + QStringLiteral(".png"));
  ASSERT_FALSE(page.isNull());
  EXPECT_GT(page.width(), page.height()) << "landscape";

  // The drawing's frame in device units maps onto the picture by scale.
  const double sx = static_cast<double>(page.width()) / printer.width();
  const double sy = static_cast<double>(page.height()) / printer.height();
  const QRect area = job.DrawingArea();
  const QRect shown(static_cast<int>(area.x() * sx), static_cast<int>(area.y() * sy),
                    static_cast<int>(area.width() * sx), static_cast<int>(area.height() * sy));
  const double ink = DarkShare(page, shown.adjusted(4, 4, -4, -4));
  EXPECT_GT(ink, 0.002) << "the drawing is on the page";
  EXPECT_LT(ink, 0.5) << "and not a black box";
  // Blocks are where the drawing puts them: the top-left block's outline lies
  // in the upper left third, the empty corner below right of the sixth has none.
  EXPECT_GT(DarkShare(page, QRect(shown.topLeft(), shown.size() / 3)), 0.001);
}

TEST_F(CDrawingPrintJobTest, AnEmptyProjectPrintsOnePage) {
  CSelvantisDoc empty;  // no objects at all, so no object tables either
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath(QStringLiteral("empty.pdf")));
  CDrawingPrintJob job(empty, bitmaps);
  ASSERT_TRUE(job.Print(printer));
  EXPECT_EQ(job.PageCount(printer), 1);
}

TEST_F(CDrawingPrintJobTest, ALongObjectTableContinuesOnFurtherPages) {
  for (int i = 0; i < 120; ++i) ShellTestBlock::Place(doc, QPoint(900 + (i % 10) * 100, 60 + (i / 10) * 90));
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath(QStringLiteral("long.pdf")));
  printer.setPageOrientation(QPageLayout::Landscape);
  CDrawingPrintJob job(doc, bitmaps);
  ASSERT_TRUE(job.Print(printer));
  EXPECT_GE(job.PageCount(printer), 3);
}

TEST(CPrintBlockTest, BuildsOneTableOfTheObjectsOfAClass) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  ShellTestBlock::Place(doc, QPoint(0, 0), QStringLiteral("One"));
  ShellTestBlock::Place(doc, QPoint(100, 0), QStringLiteral("Two"));
  std::vector<CPrintBlock> blocks = CPrintBlock::BuildObjectTables(doc);
  const CPrintBlock* table = nullptr;
  for (const CPrintBlock& b : blocks)
    if (!b.Rows().empty() && b.Rows()[0].value(2) == QStringLiteral("Test block")) table = &b;
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->Titles(), QStringList({"Name", "ID", "Type"}));
  ASSERT_EQ(table->Rows().size(), 2u);
  EXPECT_EQ(table->Rows()[0].value(0), QStringLiteral("One"));
  EXPECT_EQ(table->Rows()[1].value(0), QStringLiteral("Two"));
}

TEST(CPrintBlockTest, EachCardModelGetsItsOwnTable) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  // A relay card first, then the bus card: one class, two kinds of object.
  for (int kind : {CKCM::KIND_KCM208, CKCM::KIND_KCM201, CKCM::KIND_KCM208}) {
    auto card = std::make_unique<CKCM>();
    const int pins = CKCM::InputCountOfKind(kind);
    ASSERT_TRUE(card->Create(kind, pins, pins, ModelString(uint32_t(kind)), QRect(), CAT_ENTRIES, 0, 3, &doc));
    doc.Adopt(std::move(card));
  }
  std::vector<QString> titles;
  std::vector<std::vector<QStringList>> rows;
  for (const CPrintBlock& block : CPrintBlock::BuildObjectTables(doc)) {
    if (!block.Title().startsWith(QStringLiteral("KCM"))) continue;  // the new project's own blocks
    titles.push_back(block.Title());
    rows.push_back(block.Rows());
  }
  ASSERT_EQ(titles, (std::vector<QString>{"KCM208", "KCM201"}));
  ASSERT_EQ(rows[0].size(), 2u);
  EXPECT_EQ(rows[0][0], QStringList({"KCM208", "1"}));
  EXPECT_EQ(rows[0][1], QStringList({"KCM208", "2"}));
  ASSERT_EQ(rows[1].size(), 1u);
  EXPECT_EQ(rows[1][0], QStringList({"KCM201", "1"}));
}

TEST(CPrintBlockTest, ColumnsAtTheSamePositionDoNotOverlap) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  ShellTestBlock::Place(doc, QPoint(0, 0), QStringLiteral("A rather long block name"));
  const std::vector<CPrintBlock> blocks = CPrintBlock::BuildObjectTables(doc);
  ASSERT_FALSE(blocks.empty());
  const CPrintBlock& table = blocks.back();
  // The block reports (2, 0), (30, 0), (30, 0): the third column must start
  // after the second column's widest text.
  QFont font;
  const QFontMetrics metrics(font);
  const std::vector<int> left = table.ColumnLeft(metrics, metrics);
  ASSERT_EQ(left.size(), 3u);
  EXPECT_EQ(left[0], 2 * metrics.averageCharWidth());
  EXPECT_EQ(left[1], std::max(30 * metrics.averageCharWidth(),
                              left[0] + metrics.horizontalAdvance(QStringLiteral("A rather long block name")) +
                                  2 * metrics.averageCharWidth()));
  EXPECT_GT(left[2], left[1] + metrics.horizontalAdvance(QStringLiteral("ID")));
}

}  // namespace
