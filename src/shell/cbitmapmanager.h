#ifndef SELV_SHELL_CBITMAPMANAGER_H
#define SELV_SHELL_CBITMAPMANAGER_H

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QRgb>
#include <QString>

#include <map>
#include <memory>
#include <utility>

// The program's shared pictures by bitmap id: object pictures of the
// drawing, console key pictures, image-list strips, button pictures and the
// tiled bar background. Every picture is an SVG file of the resources
// (":/pictures/<name>.svg"), rendered at the screen's device pixel ratio
// once on first use and kept. The main window holds the one instance.
class CBitmapManager final {
 public:
  // The tiled background of the tool bars.
  static constexpr int kBarBitmap = 600;
  // The picture of the buttons that open a step's zones and groups.
  static constexpr int kZonesBitmap = 447;

  CBitmapManager();
  CBitmapManager(const CBitmapManager&) = delete;
  CBitmapManager& operator=(const CBitmapManager&) = delete;
  ~CBitmapManager();

  // The shared bitmap of that id, or null for an id it does not hold. A
  // strip comes as one row of its images on its mask colour.
  const QPixmap* GetBitmap(int id);
  // The colour table that pictures are realised with, or null: every
  // picture is true colour, so there is none.
  const QList<QRgb>* GetPalette() const noexcept { return nullptr; }

  // Image-list strips: the width of one image (0 for a plain picture), the
  // colour that stands for "transparent" in the strip, and one image of it
  // with a transparent background (null pixmap when out of range).
  static int ImageWidth(int id);
  static QColor MaskColour(int id);
  static int ImageCount(int id);
  QPixmap GetImage(int id, int index);

  // The picture as an icon that renders its SVG at whatever size and scale
  // it is asked for (index -1 for a plain picture); null when unknown.
  static QIcon Icon(int id, int index = -1);
  // An icon of any picture file of the resources, by file name.
  static QIcon SvgIcon(const QString& file);
  // The resource path of a picture ("" when unknown).
  static QString FileOf(int id, int index = -1);

  static bool Holds(int id);
  static QList<int> Ids();

  // Renders an SVG resource at a logical size for the device pixel ratio
  // of the screens (a pixmap of that ratio); null when the file is missing.
  static QPixmap Render(const QString& path, const QSize& logicalSize, qreal ratio = 0);
  // The size a picture file gives itself.
  static QSize DefaultSize(const QString& path);
  // The device pixel ratio pictures are rendered for.
  static qreal Ratio();

 private:
  std::map<int, std::unique_ptr<QPixmap>> m_bitmaps;
  std::map<std::pair<int, int>, QPixmap> m_images;
};

#endif
