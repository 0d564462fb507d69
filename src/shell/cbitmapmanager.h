#ifndef SELV_SHELL_CBITMAPMANAGER_H
#define SELV_SHELL_CBITMAPMANAGER_H

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QRgb>

#include <map>
#include <memory>

// The program's shared pictures by bitmap id: object pictures of the
// drawing, console key pictures, image-list strips and the tiled bar
// background. Each is drawn once on first use and kept. The main window
// holds the one instance.
class CBitmapManager final {
 public:
  // The tiled background of the tool bars.
  static constexpr int kBarBitmap = 600;

  CBitmapManager();
  CBitmapManager(const CBitmapManager&) = delete;
  CBitmapManager& operator=(const CBitmapManager&) = delete;
  ~CBitmapManager();

  // The shared bitmap of that id, or null for an id it does not hold.
  const QPixmap* GetBitmap(int id);
  // The colour table that pictures are realised with, or null: every
  // picture is true colour, so there is none.
  const QList<QRgb>* GetPalette() const noexcept { return nullptr; }

  // Image-list strips: the width of one image (0 for a plain picture), the
  // colour that stands for "transparent" in the strip, and one image of it
  // cut out with that colour made transparent (null pixmap when out of range).
  static int ImageWidth(int id);
  static QColor MaskColour(int id);
  QPixmap GetImage(int id, int index);

  static bool Holds(int id);
  static QList<int> Ids();

 private:
  std::map<int, std::unique_ptr<QPixmap>> m_bitmaps;
};

#endif
