// The PDF export (File > Export drawing as PDF and the command line's
// --print): a whole PDF or nothing, the old file kept when the disk fills.
#include "shell/cdrawingpdf.h"

#include "model/cselvantisdoc.h"
#include "shell/cbitmapmanager.h"
#include "shelltestblock.h"
#include "support/filebytes.h"
#include "support/fulldisk.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CDrawingPdfTest, APdfIsWrittenWholeOrNotAtAll) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  doc.SetTitle(QStringLiteral("Hall"));
  for (int i = 0; i < 4; ++i) ShellTestBlock::Place(doc, QPoint(60 + i * 200, 60), QStringLiteral("Block %1").arg(i));
  CBitmapManager bitmaps;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("hall.pdf"));
  QString error;
  ASSERT_TRUE(CDrawingPdf::Write(doc, bitmaps, CDrawingPdf::DefaultLayout(), path, &error)) << error.toStdString();
  const QByteArray whole = FileBytes(path);
  EXPECT_TRUE(CDrawingPdf::IsComplete(whole));
  // A cut PDF is no PDF.
  EXPECT_FALSE(CDrawingPdf::IsComplete(whole.left(whole.size() / 2)));
  EXPECT_FALSE(CDrawingPdf::IsComplete(whole.mid(1)));

  for (const qint64 room : {0LL, 8192LL, static_cast<qint64>(whole.size()) - 10}) {
    FullDisk disk(room);
    EXPECT_FALSE(CDrawingPdf::Write(doc, bitmaps, CDrawingPdf::DefaultLayout(), path, &error)) << room;
    EXPECT_EQ(error, QStringLiteral("No space left on device")) << room;
    EXPECT_TRUE(FileBytes(path) == whole) << room;
    EXPECT_EQ(NamesIn(dir.path()), QList<QByteArray>{"hall.pdf"}) << room;
  }
}
