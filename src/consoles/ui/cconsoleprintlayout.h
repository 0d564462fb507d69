#pragma once
#include "consoles/keybox.h"

// Where the console's drawing goes on paper: the drawing keeps its real
// size (screen inch -> printer inch, keys 10 % taller so that cut labels fit
// the key caps) and is centred; a drawing larger than the page is reduced
// until it fits, each axis by its own factor. A console with an extension
// prints the main housing on page 1 and the extension on page 2, each page
// clipped to its own housing. Holds only numbers; the print job paints with
// them.
class CConsolePrintLayout final {
 public:
  static constexpr int kExtensionGap = 20;  // drawing units between extension and main housing
  static constexpr int kStretchNum = 11;    // vertical stretch of the key caps
  static constexpr int kStretchDen = 10;

  struct Page {
    KeyBox source;      // the part of the drawing this page shows (drawing units)
    double scaleX = 1;  // device units per drawing unit
    double scaleY = 1;
    double offsetX = 0;  // where source.left/top lands on the page (device units)
    double offsetY = 0;
  };

  // pageWidth/pageHeight: the printable area in device units; the dpi
  // values of the printer and of the screen the drawing was made for.
  CConsolePrintLayout(int pageWidth, int pageHeight, int printerDpiX, int printerDpiY, int screenDpiX, int screenDpiY);

  // 2 when the console has an extension (more than 50 programmable keys).
  static int LastPage(int programmableKeys);

  // The page's placement: drawing is the whole housing, extension the
  // extension's housing (ignored when bExtension is false). page is 1-based.
  Page PageSetup(const KeyBox& drawing, const KeyBox& extension, bool bExtension, int page) const;
  // Fits a source rectangle: real size and centred along an axis where it
  // fits, else reduced to the page along that axis.
  Page Fit(const KeyBox& source) const;

  // Frame pen width: about 0.3 mm, never below one device unit.
  int PenWidth() const;

 private:
  int m_pageWidth;
  int m_pageHeight;
  int m_printerDpiX;
  int m_printerDpiY;
  int m_screenDpiX;
  int m_screenDpiY;
};
