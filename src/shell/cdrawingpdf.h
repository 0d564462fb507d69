#ifndef SELV_SHELL_CDRAWINGPDF_H
#define SELV_SHELL_CDRAWINGPDF_H

#include <QByteArray>
#include <QPageLayout>
#include <QString>

class CBitmapManager;
class CSelvantisDoc;

// A project's print-out (the drawing and the object tables) as a PDF file,
// as File > Export drawing as PDF and the command line's --print write it.
// The PDF is drawn in memory and checked to its end before it goes to the
// file (COutputFile), so a failure leaves no half-written file and an old
// file as it was.
class CDrawingPdf final {
 public:
  // The layout of a print-out nobody has set up: the printer's default
  // paper, landscape (the drawing prints wide).
  static QPageLayout DefaultLayout();
  // The resolution the drawing is made at (dots per inch).
  static constexpr int kResolution = 1200;
  // The name File > Export drawing as PDF proposes: the project's file with
  // ".pdf"; for a project never saved, the project's name from its project
  // data, else its window title ("Hall.pdf", "Project2.pdf").
  static QString ProposedPath(const CSelvantisDoc& doc);
  // False with the reason when the file cannot be written.
  static bool Write(const CSelvantisDoc& doc, CBitmapManager& bitmaps, const QPageLayout& layout, const QString& path,
                    QString* error);
  // Whether bytes are a whole PDF: its start and its end mark.
  static bool IsComplete(const QByteArray& bytes);
};

#endif
