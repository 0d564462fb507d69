#include "shell/cdrawingpdf.h"

#include "model/cselvantisdoc.h"
#include "model/csystemerror.h"
#include "shell/cdrawingprintjob.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>

#include <cerrno>
#include <cstdio>

QPageLayout CDrawingPdf::DefaultLayout() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  return printer.pageLayout();
}

bool CDrawingPdf::Write(const CSelvantisDoc& doc, CBitmapManager& bitmaps, const QPageLayout& layout,
                        const QString& path, QString* error) {
  const QFileInfo target(path);
  const QString partial = target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                          QStringLiteral(".%1.part").arg(QCoreApplication::applicationPid());
  bool written = false;
  {
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(partial);
    pdf.setPageLayout(layout);
    pdf.setDocName(doc.GetTitle());
    CDrawingPrintJob job(doc, bitmaps);
    written = job.Print(pdf, error);
  }
  if (written && std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) != 0) {
    if (error) *error = CSystemError::Text(errno);
    written = false;
  }
  if (!written) QFile::remove(partial);
  return written;
}
