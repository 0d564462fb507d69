#include "shell/cdrawingpdf.h"

#include "model/cselvantisdoc.h"
#include "model/csystemerror.h"
#include "shell/cdrawingprintjob.h"
#include "shell/cprojectdatastate.h"

#include <QCoreApplication>
#include <QDir>
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

QString CDrawingPdf::ProposedPath(const CSelvantisDoc& doc) {
  const QString path = doc.GetPathName();
  if (!path.isEmpty()) {
    const QFileInfo file(path);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
  }
  QString name = doc.GetProjectData(CProjectDataState::kProject).trimmed();
  if (name.isEmpty()) name = doc.GetTitle().trimmed();
  if (name.isEmpty()) name = QStringLiteral("Project");
  // Characters no file system takes become underscores.
  for (QChar& c : name)
    if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.category() == QChar::Other_Control) c = QLatin1Char('_');
  return name + QStringLiteral(".pdf");
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
