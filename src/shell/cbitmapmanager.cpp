#include "shell/cbitmapmanager.h"

#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

constexpr QRgb kNoMask = 0;
constexpr QRgb kGreyMask = 0xFFC0C0C0;
constexpr QRgb kMagentaMask = 0xFFFF00FF;

// Every picture by id. A plain picture has one row with strip width 0 and
// is drawn at the size its file gives; an image-list strip has one row per
// image, in the strip's order, each drawn at the strip width.
struct PictureRow {
  int id;
  const char* file;
  int stripWidth;
  QRgb mask;
};

const PictureRow kPictures[] = {
    {131, "loudspeaker-blue.svg", 16, kGreyMask},
    {131, "group-orange.svg", 16, kGreyMask},
    {131, "box-green.svg", 16, kGreyMask},
    {134, "box-blue.svg", 32, kMagentaMask},
    {134, "trigger-orange.svg", 32, kMagentaMask},
    {134, "calendar-green.svg", 32, kMagentaMask},
    {134, "condition-red.svg", 32, kMagentaMask},
    {134, "flag-violet.svg", 32, kMagentaMask},
    {134, "macro-teal.svg", 32, kMagentaMask},
    {134, "clock-yellow.svg", 32, kMagentaMask},
    {134, "loudspeaker-grey.svg", 32, kMagentaMask},
    {134, "group-blue.svg", 32, kMagentaMask},
    {134, "relay-orange.svg", 32, kMagentaMask},
    {134, "console-green.svg", 32, kMagentaMask},
    {134, "key-red.svg", 32, kMagentaMask},
    {134, "bell-violet.svg", 32, kMagentaMask},
    {134, "text-teal.svg", 32, kMagentaMask},
    {134, "check-yellow.svg", 32, kMagentaMask},
    {134, "stop-grey.svg", 32, kMagentaMask},
    {134, "label-blue.svg", 32, kMagentaMask},
    {134, "channel-orange.svg", 32, kMagentaMask},
    {134, "network-green.svg", 32, kMagentaMask},
    {134, "amplifier-red.svg", 32, kMagentaMask},
    {134, "box-violet.svg", 32, kMagentaMask},
    {134, "trigger-teal.svg", 32, kMagentaMask},
    {134, "calendar-yellow.svg", 32, kMagentaMask},
    {134, "condition-grey.svg", 32, kMagentaMask},
    {134, "flag-blue.svg", 32, kMagentaMask},
    {134, "macro-orange.svg", 32, kMagentaMask},
    {134, "clock-green.svg", 32, kMagentaMask},
    {134, "loudspeaker-red.svg", 32, kMagentaMask},
    {134, "group-violet.svg", 32, kMagentaMask},
    {134, "relay-teal.svg", 32, kMagentaMask},
    {134, "console-yellow.svg", 32, kMagentaMask},
    {134, "key-grey.svg", 32, kMagentaMask},
    {134, "bell-blue.svg", 32, kMagentaMask},
    {134, "text-orange.svg", 32, kMagentaMask},
    {134, "check-green.svg", 32, kMagentaMask},
    {134, "stop-red.svg", 32, kMagentaMask},
    {134, "label-violet.svg", 32, kMagentaMask},
    {134, "channel-teal.svg", 32, kMagentaMask},
    {134, "network-yellow.svg", 32, kMagentaMask},
    {134, "amplifier-grey.svg", 32, kMagentaMask},
    {136, "box-blue.svg", 16, kMagentaMask},
    {136, "trigger-orange.svg", 16, kMagentaMask},
    {136, "calendar-green.svg", 16, kMagentaMask},
    {136, "condition-red.svg", 16, kMagentaMask},
    {136, "flag-violet.svg", 16, kMagentaMask},
    {136, "macro-teal.svg", 16, kMagentaMask},
    {136, "clock-yellow.svg", 16, kMagentaMask},
    {136, "loudspeaker-grey.svg", 16, kMagentaMask},
    {136, "group-blue.svg", 16, kMagentaMask},
    {136, "relay-orange.svg", 16, kMagentaMask},
    {136, "console-green.svg", 16, kMagentaMask},
    {136, "key-red.svg", 16, kMagentaMask},
    {136, "bell-violet.svg", 16, kMagentaMask},
    {136, "text-teal.svg", 16, kMagentaMask},
    {136, "check-yellow.svg", 16, kMagentaMask},
    {136, "stop-grey.svg", 16, kMagentaMask},
    {136, "label-blue.svg", 16, kMagentaMask},
    {136, "channel-orange.svg", 16, kMagentaMask},
    {136, "network-green.svg", 16, kMagentaMask},
    {136, "amplifier-red.svg", 16, kMagentaMask},
    {136, "box-violet.svg", 16, kMagentaMask},
    {136, "trigger-teal.svg", 16, kMagentaMask},
    {136, "calendar-yellow.svg", 16, kMagentaMask},
    {136, "condition-grey.svg", 16, kMagentaMask},
    {136, "flag-blue.svg", 16, kMagentaMask},
    {136, "macro-orange.svg", 16, kMagentaMask},
    {136, "clock-green.svg", 16, kMagentaMask},
    {136, "loudspeaker-red.svg", 16, kMagentaMask},
    {136, "group-violet.svg", 16, kMagentaMask},
    {136, "relay-teal.svg", 16, kMagentaMask},
    {136, "console-yellow.svg", 16, kMagentaMask},
    {136, "key-grey.svg", 16, kMagentaMask},
    {136, "bell-blue.svg", 16, kMagentaMask},
    {136, "text-orange.svg", 16, kMagentaMask},
    {136, "check-green.svg", 16, kMagentaMask},
    {136, "stop-red.svg", 16, kMagentaMask},
    {136, "label-violet.svg", 16, kMagentaMask},
    {136, "channel-teal.svg", 16, kMagentaMask},
    {136, "network-yellow.svg", 16, kMagentaMask},
    {136, "amplifier-grey.svg", 16, kMagentaMask},
    {274, "console-blue.svg", 16, kMagentaMask},
    {274, "key-orange.svg", 16, kMagentaMask},
    {274, "loudspeaker-green.svg", 16, kMagentaMask},
    {274, "group-red.svg", 16, kMagentaMask},
    // From 4 on: the key functions (function number + 4), then the destinations.
    {274, "stop-grey.svg", 16, kMagentaMask},          // disabled
    {274, "check-green.svg", 16, kMagentaMask},        // ON
    {274, "stop-red.svg", 16, kMagentaMask},           // STOP
    {274, "text-teal.svg", 16, kMagentaMask},          // PROGRAM
    {274, "edit-delete.svg", 16, kMagentaMask},        // CLEAR
    {274, "power-supply.svg", 16, kMagentaMask},       // AUX
    {274, "key-orange.svg", 16, kMagentaMask},         // SEL
    {274, "bell-red.svg", 16, kMagentaMask},           // ALARM
    {274, "bell-teal.svg", 16, kMagentaMask},          // CHIME
    {274, "text-orange.svg", 16, kMagentaMask},        // TEXT
    {274, "microphone.svg", 16, kMagentaMask},         // TALK
    {274, "key-microphone.svg", 16, kMagentaMask},     // TALKEXT
    {274, "macro-violet.svg", 16, kMagentaMask},       // MACRO
    {274, "macro-green.svg", 16, kMagentaMask},        // MACRO
    {274, "macro-orange.svg", 16, kMagentaMask},       // MACRO
    {274, "macro-teal.svg", 16, kMagentaMask},         // MACRO
    {274, "current-selection.svg", 16, kMagentaMask},  // current selection
    {274, "group-orange.svg", 16, kMagentaMask},       // group
    {274, "loudspeaker-green.svg", 16, kMagentaMask},  // zone
    {274, "group-used.svg", 16, kMagentaMask},         // group used by a selection key
    {274, "zone-used.svg", 16, kMagentaMask},          // zone used by a selection key
    {279, "folder-blue.svg", 16, kGreyMask},           // the root, closed
    {279, "folder-open-orange.svg", 16, kGreyMask},    // the root, open
    {279, "amplifier-green.svg", 16, kGreyMask},
    {279, "channel-red.svg", 16, kGreyMask},
    {279, "amplifier-violet.svg", 16, kGreyMask},
    {279, "channel-teal.svg", 16, kGreyMask},
    {279, "amplifier-yellow.svg", 16, kGreyMask},
    {279, "channel-grey.svg", 16, kGreyMask},
    {280, "folder-blue.svg", 16, kGreyMask},
    {280, "folder-open-orange.svg", 16, kGreyMask},
    {280, "relay-green.svg", 16, kGreyMask},
    {280, "network-red.svg", 16, kGreyMask},
    {280, "group-violet.svg", 16, kGreyMask},
    {280, "box-teal.svg", 16, kGreyMask},
    {351, "box-blue.svg", 16, kMagentaMask},      // no kind
    {351, "bell-red.svg", 16, kMagentaMask},      // alarm
    {351, "bell-teal.svg", 16, kMagentaMask},     // chime
    {351, "text-orange.svg", 16, kMagentaMask},   // text message
    {351, "macro-violet.svg", 16, kMagentaMask},  // macro
    {351, "macro-teal.svg", 16, kMagentaMask},
    {351, "clock-yellow.svg", 16, kMagentaMask},
    {351, "loudspeaker-grey.svg", 16, kMagentaMask},
    {422, "card-blue.svg", 16, kGreyMask},
    {422, "card-open-orange.svg", 16, kGreyMask},
    {422, "box-green.svg", 16, kGreyMask},
    {422, "box-red.svg", 16, kGreyMask},
    {422, "card-violet.svg", 16, kGreyMask},
    {422, "card-open-teal.svg", 16, kGreyMask},
    {422, "loudspeaker-yellow.svg", 16, kGreyMask},
    {422, "label-grey.svg", 16, kGreyMask},
    {422, "relay-blue.svg", 16, kGreyMask},
    {422, "network-orange.svg", 16, kGreyMask},
    {422, "label-green.svg", 16, kGreyMask},
    {422, "relay-red.svg", 16, kGreyMask},
    {422, "relay-violet.svg", 16, kGreyMask},
    {422, "relay-teal.svg", 16, kGreyMask},
    {422, "relay-yellow.svg", 16, kGreyMask},
    {422, "card-grey.svg", 16, kGreyMask},
    {422, "card-open-blue.svg", 16, kGreyMask},
    {422, "box-orange.svg", 16, kGreyMask},
    {422, "card-green.svg", 16, kGreyMask},
    {422, "card-open-red.svg", 16, kGreyMask},
    {422, "channel-violet.svg", 16, kGreyMask},
    {422, "loudspeaker-teal.svg", 16, kGreyMask},
    {422, "group-yellow.svg", 16, kGreyMask},
    {422, "card-grey.svg", 16, kGreyMask},
    {422, "card-open-blue.svg", 16, kGreyMask},
    {422, "box-orange.svg", 16, kGreyMask},
    {150, "amplifier-1-channel.svg", 0, kNoMask},
    {456, "amplifier-2-channels.svg", 0, kNoMask},
    {193, "amplifier-4-channels.svg", 0, kNoMask},
    {211, "console.svg", 0, kNoMask},
    {212, "loudspeaker-orange.svg", 0, kNoMask},
    {233, "computer-silver.svg", 0, kNoMask},
    {313, "group.svg", 0, kNoMask},
    {314, "relay-lavender.svg", 0, kNoMask},
    {458, "power-supply.svg", 0, kNoMask},
    {450, "battery-silver.svg", 0, kNoMask},
    {461, "mains-supply.svg", 0, kNoMask},
    {463, "battery-supply.svg", 0, kNoMask},
    {530, "lan-group.svg", 0, kNoMask},
    {301, "key-selection.svg", 0, kNoMask},
    {303, "key-alarm.svg", 0, kNoMask},
    {309, "key-microphone.svg", 0, kNoMask},
    {140, "link-up.svg", 0, kNoMask},
    {334, "calendar-blue.svg", 0, kNoMask},
    {335, "clock-yellow.svg", 0, kNoMask},
    {336, "loudspeaker-orange.svg", 0, kNoMask},
    {338, "trigger-red.svg", 0, kNoMask},
    {339, "box-grey.svg", 0, kNoMask},
    {340, "macro-violet.svg", 0, kNoMask},
    // The audio signal list: add and delete.
    {379, "list-add.svg", 0, kNoMask},
    {378, "list-remove.svg", 0, kNoMask},
    // The button that opens the zones and groups of a zone-switching step.
    {447, "zones-and-groups.svg", 0, kNoMask},
    // The clock window: edit the main clock, take the edit (also the service
    // dialog's start), set the slave clock; reception and line state.
    {310, "clock-set.svg", 0, kNoMask},
    {311, "apply.svg", 0, kNoMask},
    {312, "slave-clock-set.svg", 0, kNoMask},
    {245, "lamp-green.svg", 0, kNoMask},
    {251, "lamp-red.svg", 0, kNoMask},
    {489, "marker-active.svg", 0, kNoMask},
    // The radio-clock reception animation, frame by frame.
    {1374, "reception-1.svg", 32, kNoMask},
    {1374, "reception-2.svg", 32, kNoMask},
    {1374, "reception-3.svg", 32, kNoMask},
    {1374, "reception-4.svg", 32, kNoMask},
    {1374, "reception-5.svg", 32, kNoMask},
    {1374, "reception-6.svg", 32, kNoMask},
    {1374, "reception-7.svg", 32, kNoMask},
    {1374, "reception-8.svg", 32, kNoMask},
    // The hardware tree.
    {525, "folder-blue.svg", 16, kGreyMask},
    {525, "card-blue.svg", 16, kGreyMask},
    {525, "amplifier-blue.svg", 16, kGreyMask},
    {525, "console-blue.svg", 16, kGreyMask},
    {525, "text-teal.svg", 16, kGreyMask},
    {525, "folder-open-orange.svg", 16, kGreyMask},
    {525, "card-open-blue.svg", 16, kGreyMask},
    // Drag cursors: a drop is taken here, and not here.
    {448, "cursor-drop.svg", 0, kNoMask},
    {106, "cursor-no-drop.svg", 0, kNoMask},
    {600, "toolbar-background.svg", 0, kNoMask},
    // The message recorder's buttons: info, play, record, stop, erase, format.
    {533, "recorder-info.svg", 0, kNoMask},
    {534, "recorder-play.svg", 0, kNoMask},
    {535, "recorder-record.svg", 0, kNoMask},
    {536, "recorder-stop.svg", 0, kNoMask},
    {541, "recorder-erase.svg", 0, kNoMask},
    {542, "recorder-format.svg", 0, kNoMask},
    // "Relay configuration" in the relay topologies dialog.
    {281, "relay-configuration.svg", 0, kNoMask},
};

QString PathOf(const char* file) { return QStringLiteral(":/pictures/") + QLatin1String(file); }

const PictureRow* FindRow(int id, int index) {
  int seen = 0;
  for (const PictureRow& row : kPictures) {
    if (row.id != id) continue;
    if (row.stripWidth == 0) return index < 0 ? &row : nullptr;
    if (seen++ == index) return &row;
  }
  return nullptr;
}

const PictureRow* FirstRow(int id) {
  for (const PictureRow& row : kPictures)
    if (row.id == id) return &row;
  return nullptr;
}

QImage Washed(const QImage& source) {
  QImage img = source.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      // Washed-out grey, so that a disabled icon reads as such even when
      // its colours were grey already.
      const int grey = 150 + qGray(line[x]) * 2 / 5;
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 5);
    }
  }
  return img;
}

// Renders the SVG at the size actually asked for instead of scaling a
// pixmap, so that icons stay sharp at every size and screen scale.
class SvgIconEngine final : public QIconEngine {
 public:
  explicit SvgIconEngine(QString path) : m_path(std::move(path)) {}
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const QPixmap pm = Draw(rect.size(), mode, ratio);
    const QSize shown = pm.deviceIndependentSize().toSize();
    painter->drawPixmap(
        QRect(rect.topLeft() + QPoint((rect.width() - shown.width()) / 2, (rect.height() - shown.height()) / 2), shown),
        pm);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override { return Draw(size, mode, 1.0); }
  // Qt asks with the size in device pixels and the scale it stands for.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
    if (scale <= 0) scale = 1.0;
    return Draw((QSizeF(size) / scale).toSize(), mode, scale);
  }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return Fitted(size); }
  QIconEngine* clone() const override { return new SvgIconEngine(m_path); }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48)};
  }
  QString key() const override { return QStringLiteral("selvantis-svg"); }
  bool isNull() override { return !QFile::exists(m_path); }

 private:
  QPixmap Draw(const QSize& logical, QIcon::Mode mode, qreal ratio) const {
    QPixmap pm = CBitmapManager::Render(m_path, Fitted(logical), ratio);
    if (mode == QIcon::Disabled && !pm.isNull()) {
      static std::map<qint64, QPixmap> washedPictures;
      auto it = washedPictures.find(pm.cacheKey());
      if (it == washedPictures.end()) {
        QPixmap washed = QPixmap::fromImage(Washed(pm.toImage()));
        washed.setDevicePixelRatio(pm.devicePixelRatio());
        it = washedPictures.emplace(pm.cacheKey(), washed).first;
      }
      pm = it->second;
    }
    return pm;
  }
  // The picture's own proportions inside the asked box.
  QSize Fitted(const QSize& box) const {
    const QSize own = CBitmapManager::DefaultSize(m_path);
    if (own.isEmpty() || box.isEmpty()) return box;
    return own.scaled(box, Qt::KeepAspectRatio);
  }
  QString m_path;
};

}  // namespace

CBitmapManager::CBitmapManager() = default;
CBitmapManager::~CBitmapManager() = default;

qreal CBitmapManager::Ratio() {
  // With no application there is no screen: pictures are drawn 1:1.
  if (!qGuiApp) return 1.0;
  return std::max<qreal>(1.0, qGuiApp->devicePixelRatio());
}

QSize CBitmapManager::DefaultSize(const QString& path) {
  // Parsed once per file: windows ask for the same pictures again and again.
  static std::map<QString, QSize> sizes;
  auto it = sizes.find(path);
  if (it == sizes.end()) it = sizes.emplace(path, QSvgRenderer(path).defaultSize()).first;
  return it->second;
}

QPixmap CBitmapManager::Render(const QString& path, const QSize& logicalSize, qreal ratio) {
  if (ratio <= 0) ratio = Ratio();
  if (logicalSize.isEmpty()) return QPixmap();
  const QSize device(static_cast<int>(std::ceil(logicalSize.width() * ratio)),
                     static_cast<int>(std::ceil(logicalSize.height() * ratio)));
  // Rendered once per file, size and scale; pixmaps share their data.
  static std::map<std::tuple<QString, int, int, qreal>, QPixmap> rendered;
  const auto key = std::make_tuple(path, device.width(), device.height(), ratio);
  if (auto it = rendered.find(key); it != rendered.end()) return it->second;
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) return QPixmap();
  QImage image(device, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(device)));
  }
  QPixmap pm = QPixmap::fromImage(image);
  pm.setDevicePixelRatio(ratio);
  rendered.emplace(key, pm);
  return pm;
}

QList<int> CBitmapManager::Ids() {
  QList<int> ids;
  for (const PictureRow& row : kPictures)
    if (!ids.contains(row.id)) ids.append(row.id);
  return ids;
}

bool CBitmapManager::Holds(int id) { return FirstRow(id) != nullptr; }

int CBitmapManager::ImageWidth(int id) {
  const PictureRow* row = FirstRow(id);
  return row ? row->stripWidth : 0;
}

QColor CBitmapManager::MaskColour(int id) {
  const PictureRow* row = FirstRow(id);
  return row && row->mask != kNoMask ? QColor(row->mask) : QColor(Qt::transparent);
}

int CBitmapManager::ImageCount(int id) {
  int count = 0;
  for (const PictureRow& row : kPictures) count += row.id == id && row.stripWidth > 0;
  return count;
}

QString CBitmapManager::FileOf(int id, int index) {
  const PictureRow* row = FindRow(id, index);
  return row ? PathOf(row->file) : QString();
}

QIcon CBitmapManager::SvgIcon(const QString& file) {
  const QString path = file.startsWith(QLatin1Char(':')) ? file : QStringLiteral(":/pictures/") + file;
  if (!QFile::exists(path)) return QIcon();
  return QIcon(new SvgIconEngine(path));
}

QIcon CBitmapManager::Icon(int id, int index) {
  const QString path = FileOf(id, index);
  return path.isEmpty() ? QIcon() : QIcon(new SvgIconEngine(path));
}

const QPixmap* CBitmapManager::GetBitmap(int id) {
  auto it = m_bitmaps.find(id);
  if (it != m_bitmaps.end()) return it->second.get();
  const PictureRow* first = FirstRow(id);
  if (!first) return nullptr;
  QPixmap pm;
  if (first->stripWidth == 0) {
    pm = Render(PathOf(first->file), DefaultSize(PathOf(first->file)));
  } else {
    // The whole strip: its images side by side on the mask colour.
    const int side = first->stripWidth, count = ImageCount(id);
    const qreal ratio = Ratio();
    QImage strip(QSize(side * count, side) * ratio, QImage::Format_ARGB32_Premultiplied);
    strip.setDevicePixelRatio(ratio);
    strip.fill(QColor(first->mask));
    QPainter p(&strip);
    for (int i = 0; i < count; ++i) p.drawPixmap(QPoint(i * side, 0), GetImage(id, i));
    p.end();
    pm = QPixmap::fromImage(strip);
  }
  if (pm.isNull()) return nullptr;
  auto stored = std::make_unique<QPixmap>(pm);
  const QPixmap* result = stored.get();
  m_bitmaps.emplace(id, std::move(stored));
  return result;
}

QPixmap CBitmapManager::GetImage(int id, int index) {
  const PictureRow* row = index < 0 ? nullptr : FindRow(id, index);
  if (!row) return QPixmap();
  const auto key = std::make_pair(id, index);
  auto it = m_images.find(key);
  if (it != m_images.end()) return it->second;
  const QPixmap image = Render(PathOf(row->file), QSize(row->stripWidth, row->stripWidth));
  m_images.emplace(key, image);
  return image;
}
