#include "shell/cdrawingpdf.h"

#include "model/coutputfile.h"
#include "model/cselvantisdoc.h"
#include "shell/cdrawingprintjob.h"
#include "shell/cprojectdatastate.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>

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
  // Drawn in memory first: a file takes the PDF only once it is complete,
  // and the file's own writes say why they fail (the print engine does not).
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kResolution);
    pdf.setPageLayout(layout);
    pdf.setTitle(doc.GetTitle());
    pdf.setCreator(QCoreApplication::applicationName());
    CDrawingPrintJob job(doc, bitmaps);
    if (!job.Print(pdf, error)) return false;
  }
  if (!IsComplete(bytes)) {
    if (error) *error = QCoreApplication::translate("CDrawingPdf", "The print-out could not be completed.");
    return false;
  }
  QString reason;
  if (COutputFile::WriteFile(path, bytes, &reason)) return true;
  if (error) *error = reason;
  return false;
}

bool CDrawingPdf::IsComplete(const QByteArray& bytes) {
  return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
}
