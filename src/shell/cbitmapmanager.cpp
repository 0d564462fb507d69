#include "shell/cbitmapmanager.h"

#include <QBitmap>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cstdlib>

namespace {

// Small pictograms shared by the pictures and the image-list strips.
enum class Glyph {
  Speaker,
  Group,
  Box,
  Card,
  CardOpen,
  Relay,
  Label,
  Channel,
  Amplifier,
  Console,
  Clock,
  Trigger,
  Condition,
  Macro,
  Flag,
  Calendar,
  Network,
  Computer,
  Battery,
  Plug,
  Key,
  Bell,
  Microphone,
  Text,
  Folder,
  FolderOpen,
  Check,
  Stop
};

const QColor kInk(40, 48, 64);

void DrawGlyph(QPainter& p, Glyph glyph, const QRectF& r, const QColor& colour) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  const qreal w = r.width(), h = r.height();
  const qreal pen = std::max<qreal>(1.0, w / 16.0);
  p.setPen(QPen(kInk, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(colour);
  auto at = [&](qreal fx, qreal fy) { return QPointF(r.x() + fx * w, r.y() + fy * h); };
  auto box = [&](qreal fx, qreal fy, qreal fw, qreal fh) { return QRectF(at(fx, fy), QSizeF(fw * w, fh * h)); };
  switch (glyph) {
    case Glyph::Speaker: {
      QPolygonF body;
      body << at(0.12, 0.38) << at(0.32, 0.38) << at(0.58, 0.14) << at(0.58, 0.86) << at(0.32, 0.62) << at(0.12, 0.62);
      p.drawPolygon(body);
      p.setBrush(Qt::NoBrush);
      p.drawArc(box(0.52, 0.3, 0.25, 0.4), -50 * 16, 100 * 16);
      p.drawArc(box(0.52, 0.16, 0.4, 0.68), -50 * 16, 100 * 16);
      break;
    }
    case Glyph::Group:
      p.drawRoundedRect(box(0.3, 0.1, 0.6, 0.45), w / 12, h / 12);
      p.drawRoundedRect(box(0.2, 0.25, 0.6, 0.45), w / 12, h / 12);
      p.drawRoundedRect(box(0.1, 0.4, 0.6, 0.45), w / 12, h / 12);
      break;
    case Glyph::Box: p.drawRoundedRect(box(0.15, 0.2, 0.7, 0.6), w / 10, h / 10); break;
    case Glyph::Card:
    case Glyph::CardOpen:
      p.drawRect(box(0.1, 0.2, 0.8, 0.6));
      p.setBrush(QColor(250, 210, 60));
      for (int i = 0; i < 4; ++i) p.drawRect(box(0.18 + i * 0.18, 0.8, 0.1, 0.12));
      if (glyph == Glyph::CardOpen) {
        p.setBrush(Qt::white);
        p.drawRect(box(0.25, 0.32, 0.5, 0.3));
      }
      break;
    case Glyph::Relay:
      p.drawRect(box(0.15, 0.15, 0.7, 0.7));
      p.drawLine(at(0.3, 0.65), at(0.7, 0.38));
      p.setBrush(kInk);
      p.drawEllipse(at(0.3, 0.65), w * 0.06, h * 0.06);
      p.drawEllipse(at(0.7, 0.65), w * 0.06, h * 0.06);
      break;
    case Glyph::Label: {
      QPolygonF tag;
      tag << at(0.1, 0.3) << at(0.65, 0.3) << at(0.9, 0.5) << at(0.65, 0.7) << at(0.1, 0.7);
      p.drawPolygon(tag);
      p.setBrush(Qt::white);
      p.drawEllipse(at(0.68, 0.5), w * 0.06, h * 0.06);
      break;
    }
    case Glyph::Channel:
      p.drawEllipse(box(0.15, 0.15, 0.7, 0.7));
      p.drawLine(at(0.5, 0.3), at(0.5, 0.7));
      break;
    case Glyph::Amplifier: {
      QPolygonF tri;
      tri << at(0.15, 0.12) << at(0.88, 0.5) << at(0.15, 0.88);
      p.drawPolygon(tri);
      break;
    }
    case Glyph::Console:
      p.drawRoundedRect(box(0.08, 0.3, 0.84, 0.5), w / 12, h / 12);
      p.setBrush(Qt::white);
      for (int i = 0; i < 3; ++i) p.drawRect(box(0.18 + i * 0.24, 0.42, 0.16, 0.12));
      p.drawLine(at(0.5, 0.3), at(0.5, 0.08));
      p.drawEllipse(at(0.5, 0.1), w * 0.06, h * 0.06);
      break;
    case Glyph::Clock:
      p.drawEllipse(box(0.12, 0.12, 0.76, 0.76));
      p.drawLine(at(0.5, 0.5), at(0.5, 0.25));
      p.drawLine(at(0.5, 0.5), at(0.68, 0.58));
      break;
    case Glyph::Trigger: {
      QPolygonF bolt;
      bolt << at(0.58, 0.06) << at(0.22, 0.56) << at(0.48, 0.56) << at(0.38, 0.94) << at(0.78, 0.4) << at(0.52, 0.4);
      p.drawPolygon(bolt);
      break;
    }
    case Glyph::Condition: {
      QPolygonF diamond;
      diamond << at(0.5, 0.08) << at(0.92, 0.5) << at(0.5, 0.92) << at(0.08, 0.5);
      p.drawPolygon(diamond);
      break;
    }
    case Glyph::Macro:
      p.drawEllipse(box(0.18, 0.18, 0.64, 0.64));
      p.setBrush(Qt::white);
      p.drawEllipse(box(0.38, 0.38, 0.24, 0.24));
      for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(at(0.5, 0.5));
        p.rotate(i * 45);
        p.setBrush(colour);
        p.drawRect(QRectF(-w * 0.06, -h * 0.46, w * 0.12, h * 0.14));
        p.restore();
      }
      break;
    case Glyph::Flag:
      p.drawLine(at(0.2, 0.1), at(0.2, 0.92));
      p.drawRect(box(0.2, 0.12, 0.6, 0.38));
      break;
    case Glyph::Calendar:
      p.drawRect(box(0.12, 0.2, 0.76, 0.68));
      p.setBrush(QColor(200, 40, 40));
      p.drawRect(box(0.12, 0.2, 0.76, 0.18));
      break;
    case Glyph::Network:
      p.drawLine(at(0.5, 0.3), at(0.2, 0.75));
      p.drawLine(at(0.5, 0.3), at(0.8, 0.75));
      p.drawLine(at(0.2, 0.75), at(0.8, 0.75));
      p.drawEllipse(at(0.5, 0.28), w * 0.16, h * 0.16);
      p.drawEllipse(at(0.2, 0.75), w * 0.14, h * 0.14);
      p.drawEllipse(at(0.8, 0.75), w * 0.14, h * 0.14);
      break;
    case Glyph::Computer:
      p.drawRect(box(0.12, 0.12, 0.76, 0.52));
      p.setBrush(QColor(120, 180, 230));
      p.drawRect(box(0.2, 0.2, 0.6, 0.36));
      p.setBrush(colour);
      p.drawRect(box(0.3, 0.72, 0.4, 0.14));
      break;
    case Glyph::Battery:
      p.drawRect(box(0.12, 0.28, 0.7, 0.44));
      p.drawRect(box(0.82, 0.4, 0.08, 0.2));
      p.setBrush(QColor(80, 180, 80));
      p.drawRect(box(0.18, 0.34, 0.4, 0.32));
      break;
    case Glyph::Plug:
      p.drawRoundedRect(box(0.25, 0.35, 0.5, 0.4), w / 12, h / 12);
      p.drawLine(at(0.38, 0.35), at(0.38, 0.12));
      p.drawLine(at(0.62, 0.35), at(0.62, 0.12));
      p.drawLine(at(0.5, 0.75), at(0.5, 0.95));
      break;
    case Glyph::Key:
      p.drawEllipse(box(0.08, 0.3, 0.4, 0.4));
      p.drawLine(at(0.48, 0.5), at(0.92, 0.5));
      p.drawLine(at(0.78, 0.5), at(0.78, 0.68));
      p.drawLine(at(0.9, 0.5), at(0.9, 0.64));
      break;
    case Glyph::Bell: {
      QPainterPath bell;
      bell.moveTo(at(0.2, 0.78));
      bell.cubicTo(at(0.3, 0.7), at(0.22, 0.18), at(0.5, 0.16));
      bell.cubicTo(at(0.78, 0.18), at(0.7, 0.7), at(0.8, 0.78));
      bell.closeSubpath();
      p.drawPath(bell);
      p.drawEllipse(at(0.5, 0.86), w * 0.07, h * 0.07);
      break;
    }
    case Glyph::Microphone:
      p.drawRoundedRect(box(0.36, 0.08, 0.28, 0.5), w * 0.14, w * 0.14);
      p.setBrush(Qt::NoBrush);
      p.drawArc(box(0.24, 0.3, 0.52, 0.42), 180 * 16, 180 * 16);
      p.drawLine(at(0.5, 0.72), at(0.5, 0.9));
      p.drawLine(at(0.34, 0.9), at(0.66, 0.9));
      break;
    case Glyph::Text:
      p.drawRect(box(0.18, 0.1, 0.64, 0.8));
      for (int i = 0; i < 4; ++i) p.drawLine(at(0.28, 0.26 + i * 0.15), at(0.72, 0.26 + i * 0.15));
      break;
    case Glyph::Folder:
    case Glyph::FolderOpen: {
      QPolygonF f;
      f << at(0.08, 0.22) << at(0.38, 0.22) << at(0.46, 0.32) << at(0.92, 0.32) << at(0.92, 0.82) << at(0.08, 0.82);
      p.drawPolygon(f);
      if (glyph == Glyph::FolderOpen) {
        QPolygonF lid;
        lid << at(0.2, 0.45) << at(0.98, 0.45) << at(0.86, 0.82) << at(0.08, 0.82);
        p.setBrush(colour.lighter(130));
        p.drawPolygon(lid);
      }
      break;
    }
    case Glyph::Check:
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(colour.darker(140), w / 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawPolyline(QPolygonF() << at(0.18, 0.52) << at(0.42, 0.76) << at(0.84, 0.24));
      break;
    case Glyph::Stop:
      p.setBrush(QColor(210, 50, 50));
      p.drawEllipse(box(0.12, 0.12, 0.76, 0.76));
      p.setPen(QPen(Qt::white, w / 8));
      p.drawLine(at(0.3, 0.5), at(0.7, 0.5));
      break;
  }
  p.restore();
}

const QColor kColours[] = {QColor(90, 150, 220),  QColor(240, 170, 60), QColor(110, 190, 110), QColor(200, 90, 90),
                           QColor(160, 120, 200), QColor(80, 180, 180), QColor(220, 200, 90),  QColor(150, 150, 150)};
constexpr int kColourCount = sizeof(kColours) / sizeof(kColours[0]);

struct StripInfo {
  int id;
  int imageWidth;
  int count;
  QRgb mask;
};

const QRgb kGreyMask = qRgb(192, 192, 192);
const QRgb kMagentaMask = qRgb(255, 0, 255);

const StripInfo kStrips[] = {
    {131, 16, 3, kGreyMask}, {134, 32, 40, kMagentaMask}, {136, 16, 40, kMagentaMask}, {274, 16, 12, kMagentaMask},
    {279, 16, 8, kGreyMask}, {280, 16, 6, kGreyMask},     {351, 16, 8, kGreyMask},     {422, 16, 26, kGreyMask},
};

const StripInfo* FindStrip(int id) {
  for (const StripInfo& s : kStrips)
    if (s.id == id) return &s;
  return nullptr;
}

// The images of the strips whose meaning the callers fix; other positions
// get a glyph of their own so that neighbouring entries stay distinguishable.
Glyph StripGlyph(int id, int index) {
  if (id == 131) {
    static const Glyph g[] = {Glyph::Speaker, Glyph::Group, Glyph::Box};
    return g[index % 3];
  }
  if (id == 422) {
    switch (index) {
      case 0:
      case 4:
      case 15:
      case 18:
      case 23: return Glyph::Card;
      case 1:
      case 5:
      case 16:
      case 19:
      case 24: return Glyph::CardOpen;
      case 6: return Glyph::Speaker;
      case 7:
      case 10: return Glyph::Label;
      case 8:
      case 11:
      case 12:
      case 13:
      case 14: return Glyph::Relay;
      case 9: return Glyph::Network;
      case 17: return Glyph::Box;
      case 20: return Glyph::Channel;
      case 21: return Glyph::Speaker;
      case 22: return Glyph::Group;
      default: return Glyph::Box;
    }
  }
  if (id == 280) {
    static const Glyph g[] = {Glyph::Folder, Glyph::FolderOpen, Glyph::Relay, Glyph::Network, Glyph::Group, Glyph::Box};
    return g[index % 6];
  }
  if (id == 274) {
    static const Glyph g[] = {Glyph::Console, Glyph::Key, Glyph::Speaker, Glyph::Group, Glyph::Macro, Glyph::Bell};
    return g[index % 6];
  }
  if (id == 279) return index % 2 ? Glyph::Channel : Glyph::Amplifier;
  static const Glyph g[] = {Glyph::Box,     Glyph::Trigger, Glyph::Calendar, Glyph::Condition, Glyph::Flag,
                            Glyph::Macro,   Glyph::Clock,   Glyph::Speaker,  Glyph::Group,     Glyph::Relay,
                            Glyph::Console, Glyph::Key,     Glyph::Bell,     Glyph::Text,      Glyph::Check,
                            Glyph::Stop,    Glyph::Label,   Glyph::Channel,  Glyph::Network,   Glyph::Amplifier};
  return g[index % (sizeof(g) / sizeof(g[0]))];
}

QPixmap DrawStrip(const StripInfo& strip) {
  const int side = strip.imageWidth;
  QPixmap pixmap(side * strip.count, side);
  pixmap.fill(QColor(strip.mask));
  QPainter p(&pixmap);
  for (int i = 0; i < strip.count; ++i) {
    const QRectF cell(i * side + 0.5, 0.5, side - 1.0, side - 1.0);
    DrawGlyph(p, StripGlyph(strip.id, i), cell, kColours[i % kColourCount]);
  }
  // Anti-aliased edges blend into the mask colour; snap such pixels so that
  // cutting out the mask leaves no fringe of it.
  p.end();
  QImage img = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
  const QColor mask(strip.mask);
  for (int y = 0; y < img.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const QColor c(line[x]);
      if (c != mask && std::abs(c.red() - mask.red()) < 12 && std::abs(c.green() - mask.green()) < 12 &&
          std::abs(c.blue() - mask.blue()) < 12)
        line[x] = strip.mask;
    }
  }
  return QPixmap::fromImage(img);
}

QPixmap Picture(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  return pm;
}

// The canvas pictures are drawn at their object's rectangle, so that the
// pins the object lays out on its edges sit on the picture's edges.
constexpr int kAmplifierWidth = 60;
constexpr int kAmplifierHeight = 80;
constexpr int kGroupWidth = 40;
constexpr int kGroupHeight = 30;

// An amplifier as a rack unit: the amplifier symbol and one lamp per
// channel. The outputs are the pins on the right edge, which the model
// spaces by its own output count, so the picture shows no output rows.
QPixmap DrawAmplifier(int channels) {
  const int w = kAmplifierWidth, h = kAmplifierHeight;
  QPixmap pm = Picture(w, h);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(110, 160, 230));
  g.setColorAt(1, QColor(50, 90, 170));
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(0.75, 0.75, w - 1.5, h - 1.5), 5, 5);
  // Channel lamps along the top.
  const qreal lampStep = (w - 16.0) / channels;
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(120, 230, 120));
  for (int i = 0; i < channels; ++i) p.drawEllipse(QPointF(8 + lampStep * (i + 0.5), 10), 3, 3);
  // The amplifier symbol.
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(Qt::white);
  QPolygonF tri;
  tri << QPointF(16, 24) << QPointF(46, 44) << QPointF(16, 64);
  p.drawPolygon(tri);
  p.drawLine(QPointF(4, 44), QPointF(16, 44));
  p.drawLine(QPointF(46, 44), QPointF(w - 4.0, 44));
  return pm;
}

// A group or a LAN group: a frame holding two loudspeakers, a LAN group
// with the network sign in front of them.
QPixmap DrawGroup(const QColor& frame, bool lan) {
  const int w = kGroupWidth, h = kGroupHeight;
  QPixmap pm = Picture(w, h);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(frame);
  p.drawRoundedRect(QRectF(0.6, 0.6, w - 1.2, h - 1.2), 5, 5);
  if (lan) {
    DrawGlyph(p, Glyph::Network, QRectF(1, 2, 24, 24), QColor(110, 190, 110));
    DrawGlyph(p, Glyph::Speaker, QRectF(21, 6, 18, 18), QColor(240, 170, 60));
  } else {
    DrawGlyph(p, Glyph::Speaker, QRectF(2, 5, 20, 20), QColor(240, 170, 60));
    DrawGlyph(p, Glyph::Speaker, QRectF(18, 5, 20, 20), QColor(240, 170, 60));
  }
  return pm;
}

QPixmap DrawPictogram(Glyph glyph, const QColor& colour, int w = 32, int h = 32) {
  QPixmap pm = Picture(w, h);
  QPainter p(&pm);
  DrawGlyph(p, glyph, QRectF(0.5, 0.5, w - 1.0, h - 1.0), colour);
  return pm;
}

QPixmap DrawKeyPicture(Glyph glyph, const QColor& colour) {
  QPixmap pm = Picture(32, 32);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(235, 235, 230));
  p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 5, 5);
  DrawGlyph(p, glyph, QRectF(5, 5, 22, 22), colour);
  return pm;
}

QPixmap DrawBar() {
  // A quiet brushed-metal tile; 64 by 32 so that the repeat is not obvious.
  QImage img(64, 32, QImage::Format_RGB32);
  for (int y = 0; y < img.height(); ++y) {
    const int base = 232 - y / 3;
    for (int x = 0; x < img.width(); ++x) {
      const int grain = ((x * 7 + y * 13) % 11 == 0) ? -6 : ((x * 5 + y * 3) % 17 == 0 ? 4 : 0);
      const int v = std::clamp(base + grain, 0, 255);
      img.setPixel(x, y, qRgb(v - 6, v - 2, v + 2 > 255 ? 255 : v + 2));
    }
  }
  return QPixmap::fromImage(img);
}

}  // namespace

CBitmapManager::CBitmapManager() = default;
CBitmapManager::~CBitmapManager() = default;

QList<int> CBitmapManager::Ids() {
  QList<int> ids;
  for (const StripInfo& s : kStrips) ids.append(s.id);
  ids << 150 << 193 << 211 << 212 << 233 << 301 << 303 << 309 << 313 << 314 << 450 << 456 << 458 << 461 << 463 << 530
      << kBarBitmap;
  // The central unit's info block (connected) and its internal slots.
  ids << 140 << 334 << 335 << 336 << 338 << 339 << 340;
  return ids;
}

bool CBitmapManager::Holds(int id) { return Ids().contains(id); }

int CBitmapManager::ImageWidth(int id) {
  const StripInfo* s = FindStrip(id);
  return s ? s->imageWidth : 0;
}

QColor CBitmapManager::MaskColour(int id) {
  const StripInfo* s = FindStrip(id);
  return s ? QColor(s->mask) : QColor(Qt::transparent);
}

const QPixmap* CBitmapManager::GetBitmap(int id) {
  auto it = m_bitmaps.find(id);
  if (it != m_bitmaps.end()) return it->second.get();
  QPixmap pm;
  if (const StripInfo* s = FindStrip(id)) {
    pm = DrawStrip(*s);
  } else {
    switch (id) {
      // One-, two- and four-channel amplifiers.
      case 150: pm = DrawAmplifier(1); break;
      case 456: pm = DrawAmplifier(2); break;
      case 193: pm = DrawAmplifier(4); break;
      case 211: pm = DrawPictogram(Glyph::Console, QColor(150, 175, 210), 64, 48); break;
      case 212: pm = DrawPictogram(Glyph::Speaker, QColor(240, 170, 60)); break;
      case 233: pm = DrawPictogram(Glyph::Computer, QColor(200, 200, 205)); break;
      // Groups; relays and collection calls share the id but are never
      // placed on the drawing.
      case 313: pm = DrawGroup(QColor(225, 225, 240), false); break;
      // The pictogram inside a relay topology's block.
      case 314: pm = DrawPictogram(Glyph::Relay, QColor(225, 225, 240)); break;
      case 458: pm = DrawPictogram(Glyph::Plug, QColor(250, 210, 60)); break;
      case 450: pm = DrawPictogram(Glyph::Battery, QColor(200, 200, 205)); break;
      case 461: pm = DrawPictogram(Glyph::Plug, QColor(200, 200, 205), 48, 48); break;
      case 463: pm = DrawPictogram(Glyph::Battery, QColor(200, 200, 205), 48, 48); break;
      case 530: pm = DrawGroup(QColor(215, 235, 215), true); break;
      case 301: pm = DrawKeyPicture(Glyph::Key, QColor(240, 200, 60)); break;
      case 303: pm = DrawKeyPicture(Glyph::Bell, QColor(220, 60, 60)); break;
      case 309: pm = DrawKeyPicture(Glyph::Microphone, QColor(150, 150, 160)); break;
      case kBarBitmap: pm = DrawBar(); break;
      // The link to the unit is up (info block), and the unit's functions:
      // calendar, clock, audio signals, triggers, system, macros.
      case 140: pm = DrawPictogram(Glyph::Plug, QColor(110, 190, 110)); break;
      case 334: pm = DrawPictogram(Glyph::Calendar, QColor(90, 150, 220)); break;
      case 335: pm = DrawPictogram(Glyph::Clock, QColor(220, 200, 90)); break;
      case 336: pm = DrawPictogram(Glyph::Speaker, QColor(240, 170, 60)); break;
      case 338: pm = DrawPictogram(Glyph::Trigger, QColor(200, 90, 90)); break;
      case 339: pm = DrawPictogram(Glyph::Box, QColor(150, 150, 150)); break;
      case 340: pm = DrawPictogram(Glyph::Macro, QColor(160, 120, 200)); break;
      default: return nullptr;
    }
  }
  auto stored = std::make_unique<QPixmap>(pm);
  const QPixmap* result = stored.get();
  m_bitmaps.emplace(id, std::move(stored));
  return result;
}

QPixmap CBitmapManager::GetImage(int id, int index) {
  const StripInfo* s = FindStrip(id);
  const QPixmap* strip = s ? GetBitmap(id) : nullptr;
  if (!strip || index < 0 || index >= s->count) return QPixmap();
  QPixmap image = strip->copy(index * s->imageWidth, 0, s->imageWidth, strip->height());
  image.setMask(image.createMaskFromColor(QColor(s->mask), Qt::MaskInColor));
  return image;
}
