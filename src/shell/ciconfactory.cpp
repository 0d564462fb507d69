#include "shell/ciconfactory.h"

#include <QFont>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <functional>
#include <map>

namespace {

using DrawFn = std::function<void(QPainter&, qreal)>;

const QColor kOutline(45, 55, 75);
const QColor kPaper(250, 250, 246);
const QColor kBlue(70, 130, 210);
const QColor kGreen(60, 160, 80);
const QColor kRed(200, 60, 55);
const QColor kAmber(235, 170, 40);

QPen Outline(qreal s) {
  return QPen(kOutline, std::max<qreal>(1.0, s / 16.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, qreal s) {
  QPolygonF page;
  page << QPointF(s * 0.2, s * 0.08) << QPointF(s * 0.62, s * 0.08) << QPointF(s * 0.8, s * 0.26)
       << QPointF(s * 0.8, s * 0.92) << QPointF(s * 0.2, s * 0.92);
  p.setPen(Outline(s));
  p.setBrush(kPaper);
  p.drawPolygon(page);
  p.drawPolyline(QPolygonF() << QPointF(s * 0.62, s * 0.08) << QPointF(s * 0.62, s * 0.26)
                             << QPointF(s * 0.8, s * 0.26));
}

void Arrow(QPainter& p, qreal s, QPointF from, QPointF to, const QColor& c) {
  p.setPen(QPen(c, s / 9, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  const QLineF l(to, from);
  QLineF a = l, b = l;
  a.setLength(s * 0.22);
  b.setLength(s * 0.22);
  a.setAngle(l.angle() + 35);
  b.setAngle(l.angle() - 35);
  p.drawLine(a);
  p.drawLine(b);
}

void Magnifier(QPainter& p, qreal s) {
  p.setPen(QPen(kOutline, s / 10, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(s * 0.62, s * 0.62), QPointF(s * 0.9, s * 0.9));
  p.setPen(Outline(s));
  p.setBrush(QColor(215, 235, 250));
  p.drawEllipse(QPointF(s * 0.42, s * 0.42), s * 0.3, s * 0.3);
}

void Plug(QPainter& p, qreal s, qreal dx, bool left) {
  p.setPen(Outline(s));
  p.setBrush(QColor(200, 200, 205));
  const qreal x = left ? s * 0.08 + dx : s * 0.56 - dx;
  p.drawRoundedRect(QRectF(x, s * 0.34, s * 0.36, s * 0.32), s * 0.06, s * 0.06);
  p.setPen(QPen(kOutline, s / 12, Qt::SolidLine, Qt::RoundCap));
  if (left) {
    p.drawLine(QPointF(x + s * 0.36, s * 0.42), QPointF(x + s * 0.5, s * 0.42));
    p.drawLine(QPointF(x + s * 0.36, s * 0.58), QPointF(x + s * 0.5, s * 0.58));
  } else {
    p.drawLine(QPointF(x, s * 0.5), QPointF(x - s * 0.08, s * 0.5));
  }
}

void Unit(QPainter& p, qreal s) {
  QLinearGradient g(0, s * 0.2, 0, s * 0.8);
  g.setColorAt(0, QColor(120, 130, 150));
  g.setColorAt(1, QColor(70, 80, 100));
  p.setPen(Outline(s));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(s * 0.08, s * 0.5, s * 0.84, s * 0.4), s * 0.06, s * 0.06);
  p.setBrush(QColor(120, 230, 120));
  p.drawEllipse(QPointF(s * 0.22, s * 0.7), s * 0.05, s * 0.05);
}

const std::map<QString, DrawFn>& Table() {
  static const std::map<QString, DrawFn> table = {
      {"new",
       [](QPainter& p, qreal s) {
         Page(p, s);
         p.setPen(QPen(kAmber, s / 12));
         p.drawLine(QPointF(s * 0.72, s * 0.56), QPointF(s * 0.72, s * 0.88));
         p.drawLine(QPointF(s * 0.56, s * 0.72), QPointF(s * 0.88, s * 0.72));
       }},
      {"open",
       [](QPainter& p, qreal s) {
         p.setPen(Outline(s));
         p.setBrush(QColor(240, 200, 90));
         QPolygonF back;
         back << QPointF(s * 0.06, s * 0.2) << QPointF(s * 0.36, s * 0.2) << QPointF(s * 0.44, s * 0.3)
              << QPointF(s * 0.86, s * 0.3) << QPointF(s * 0.86, s * 0.84) << QPointF(s * 0.06, s * 0.84);
         p.drawPolygon(back);
         p.setBrush(QColor(250, 220, 120));
         QPolygonF front;
         front << QPointF(s * 0.2, s * 0.44) << QPointF(s * 0.98, s * 0.44) << QPointF(s * 0.86, s * 0.84)
               << QPointF(s * 0.06, s * 0.84);
         p.drawPolygon(front);
       }},
      {"save",
       [](QPainter& p, qreal s) {
         p.setPen(Outline(s));
         p.setBrush(kBlue);
         p.drawRoundedRect(QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8), s * 0.06, s * 0.06);
         p.setBrush(kPaper);
         p.drawRect(QRectF(s * 0.24, s * 0.1, s * 0.52, s * 0.32));
         p.setBrush(QColor(210, 215, 225));
         p.drawRect(QRectF(s * 0.28, s * 0.58, s * 0.44, s * 0.32));
       }},
      {"print",
       [](QPainter& p, qreal s) {
         p.setPen(Outline(s));
         p.setBrush(kPaper);
         p.drawRect(QRectF(s * 0.26, s * 0.08, s * 0.48, s * 0.34));
         p.setBrush(QColor(150, 155, 165));
         p.drawRoundedRect(QRectF(s * 0.08, s * 0.36, s * 0.84, s * 0.36), s * 0.06, s * 0.06);
         p.setBrush(kPaper);
         p.drawRect(QRectF(s * 0.26, s * 0.6, s * 0.48, s * 0.32));
         p.setBrush(kGreen);
         p.drawEllipse(QPointF(s * 0.8, s * 0.46), s * 0.04, s * 0.04);
       }},
      {"preview",
       [](QPainter& p, qreal s) {
         Page(p, s);
         p.save();
         p.translate(s * 0.2, s * 0.25);
         p.scale(0.7, 0.7);
         Magnifier(p, s);
         p.restore();
       }},
      {"delete",
       [](QPainter& p, qreal s) {
         p.setPen(QPen(kRed, s / 7, Qt::SolidLine, Qt::RoundCap));
         p.drawLine(QPointF(s * 0.22, s * 0.22), QPointF(s * 0.78, s * 0.78));
         p.drawLine(QPointF(s * 0.78, s * 0.22), QPointF(s * 0.22, s * 0.78));
       }},
      {"properties",
       [](QPainter& p, qreal s) {
         p.setPen(Outline(s));
         p.setBrush(kPaper);
         p.drawRect(QRectF(s * 0.12, s * 0.1, s * 0.76, s * 0.8));
         for (int i = 0; i < 3; ++i) {
           p.setBrush(i == 1 ? kBlue : QColor(200, 205, 215));
           p.drawRect(QRectF(s * 0.22, s * (0.22 + i * 0.22), s * 0.14, s * 0.12));
           p.drawLine(QPointF(s * 0.44, s * (0.28 + i * 0.22)), QPointF(s * 0.78, s * (0.28 + i * 0.22)));
         }
       }},
      {"connect",
       [](QPainter& p, qreal s) {
         Plug(p, s, s * 0.08, true);
         Plug(p, s, s * 0.02, false);
       }},
      {"disconnect",
       [](QPainter& p, qreal s) {
         Plug(p, s, -s * 0.04, true);
         Plug(p, s, -s * 0.04, false);
         p.setPen(QPen(kRed, s / 10, Qt::SolidLine, Qt::RoundCap));
         p.drawLine(QPointF(s * 0.42, s * 0.18), QPointF(s * 0.58, s * 0.82));
       }},
      {"download",
       [](QPainter& p, qreal s) {
         Unit(p, s);
         Arrow(p, s, QPointF(s * 0.5, s * 0.06), QPointF(s * 0.5, s * 0.46), kGreen);
       }},
      {"upload",
       [](QPainter& p, qreal s) {
         Unit(p, s);
         Arrow(p, s, QPointF(s * 0.5, s * 0.46), QPointF(s * 0.5, s * 0.06), kBlue);
       }},
      {"export",
       [](QPainter& p, qreal s) {
         Page(p, s);
         Arrow(p, s, QPointF(s * 0.36, s * 0.6), QPointF(s * 0.92, s * 0.6), kGreen);
       }},
      {"sendfile",
       [](QPainter& p, qreal s) {
         Page(p, s);
         p.setPen(QPen(kOutline, s / 20));
         for (int i = 0; i < 3; ++i)
           p.drawLine(QPointF(s * 0.3, s * (0.36 + i * 0.14)), QPointF(s * 0.66, s * (0.36 + i * 0.14)));
         Arrow(p, s, QPointF(s * 0.6, s * 0.86), QPointF(s * 0.96, s * 0.86), kBlue);
       }},
      {"savevmx",
       [](QPainter& p, qreal s) {
         Unit(p, s);
         p.setPen(Outline(s));
         p.setBrush(kAmber);
         p.drawRoundedRect(QRectF(s * 0.28, s * 0.06, s * 0.44, s * 0.38), s * 0.04, s * 0.04);
         p.setBrush(kPaper);
         p.drawRect(QRectF(s * 0.36, s * 0.06, s * 0.28, s * 0.14));
       }},
      {"errorfile",
       [](QPainter& p, qreal s) {
         Page(p, s);
         p.setPen(Qt::NoPen);
         p.setBrush(kRed);
         p.drawEllipse(QPointF(s * 0.66, s * 0.7), s * 0.22, s * 0.22);
         p.setPen(QPen(Qt::white, s / 10, Qt::SolidLine, Qt::RoundCap));
         p.drawLine(QPointF(s * 0.66, s * 0.58), QPointF(s * 0.66, s * 0.7));
         p.drawPoint(QPointF(s * 0.66, s * 0.82));
       }},
      {"zoomin",
       [](QPainter& p, qreal s) {
         Magnifier(p, s);
         p.setPen(QPen(kOutline, s / 12));
         p.drawLine(QPointF(s * 0.28, s * 0.42), QPointF(s * 0.56, s * 0.42));
         p.drawLine(QPointF(s * 0.42, s * 0.28), QPointF(s * 0.42, s * 0.56));
       }},
      {"zoomout",
       [](QPainter& p, qreal s) {
         Magnifier(p, s);
         p.setPen(QPen(kOutline, s / 12));
         p.drawLine(QPointF(s * 0.28, s * 0.42), QPointF(s * 0.56, s * 0.42));
       }},
      {"zoom100",
       [](QPainter& p, qreal s) {
         Magnifier(p, s);
         QFont f;
         f.setPixelSize(std::max(5, static_cast<int>(s * 0.3)));
         f.setBold(true);
         p.setFont(f);
         p.drawText(QRectF(s * 0.12, s * 0.12, s * 0.6, s * 0.6), Qt::AlignCenter, QStringLiteral("1:1"));
       }},
      {"zoomfit",
       [](QPainter& p, qreal s) {
         p.setPen(QPen(kOutline, s / 14));
         p.setBrush(QColor(215, 235, 250));
         p.drawRect(QRectF(s * 0.24, s * 0.24, s * 0.52, s * 0.52));
         Arrow(p, s * 0.7, QPointF(s * 0.2, s * 0.2), QPointF(s * 0.06, s * 0.06), kOutline);
         p.save();
         p.translate(s, s);
         p.rotate(180);
         Arrow(p, s * 0.7, QPointF(s * 0.2, s * 0.2), QPointF(s * 0.06, s * 0.06), kOutline);
         p.restore();
       }},
      {"monitor",
       [](QPainter& p, qreal s) {
         p.setPen(Outline(s));
         p.setBrush(QColor(30, 40, 50));
         p.drawRoundedRect(QRectF(s * 0.08, s * 0.12, s * 0.84, s * 0.76), s * 0.06, s * 0.06);
         p.setPen(QPen(QColor(120, 230, 120), s / 14));
         for (int i = 0; i < 3; ++i)
           p.drawLine(QPointF(s * 0.18, s * (0.3 + i * 0.18)),
                      QPointF(s * (0.5 + 0.1 * (i % 2)), s * (0.3 + i * 0.18)));
       }},
      {"project",
       [](QPainter& p, qreal s) {
         p.setPen(Outline(s));
         p.setBrush(kPaper);
         p.drawRect(QRectF(s * 0.12, s * 0.08, s * 0.76, s * 0.84));
         p.setBrush(kBlue);
         p.drawRect(QRectF(s * 0.12, s * 0.08, s * 0.76, s * 0.2));
         p.setPen(QPen(kOutline, s / 20));
         for (int i = 0; i < 3; ++i)
           p.drawLine(QPointF(s * 0.24, s * (0.44 + i * 0.14)), QPointF(s * 0.76, s * (0.44 + i * 0.14)));
       }},
      {"preferences",
       [](QPainter& p, qreal s) {
         p.setPen(Outline(s));
         p.setBrush(QColor(170, 175, 185));
         p.save();
         p.translate(s * 0.5, s * 0.5);
         for (int i = 0; i < 8; ++i) {
           p.drawRect(QRectF(-s * 0.07, -s * 0.44, s * 0.14, s * 0.18));
           p.rotate(45);
         }
         p.drawEllipse(QPointF(0, 0), s * 0.3, s * 0.3);
         p.setBrush(kPaper);
         p.drawEllipse(QPointF(0, 0), s * 0.12, s * 0.12);
         p.restore();
       }},
      {"about",
       [](QPainter& p, qreal s) {
         p.setPen(Outline(s));
         p.setBrush(kBlue);
         p.drawEllipse(QRectF(s * 0.1, s * 0.1, s * 0.8, s * 0.8));
         p.setPen(QPen(Qt::white, s / 8, Qt::SolidLine, Qt::RoundCap));
         p.drawPoint(QPointF(s * 0.5, s * 0.3));
         p.drawLine(QPointF(s * 0.5, s * 0.46), QPointF(s * 0.5, s * 0.72));
       }},
  };
  return table;
}

void DrawApp(QPainter& p, qreal s) {
  QLinearGradient g(0, 0, 0, s);
  g.setColorAt(0, QColor(80, 140, 220));
  g.setColorAt(1, QColor(30, 70, 150));
  p.setPen(QPen(QColor(20, 40, 90), std::max<qreal>(1, s / 32)));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(s * 0.04, s * 0.04, s * 0.92, s * 0.92), s * 0.18, s * 0.18);
  // A loudspeaker with sound waves: what the program drives.
  QPolygonF body;
  body << QPointF(s * 0.2, s * 0.4) << QPointF(s * 0.34, s * 0.4) << QPointF(s * 0.54, s * 0.22)
       << QPointF(s * 0.54, s * 0.78) << QPointF(s * 0.34, s * 0.6) << QPointF(s * 0.2, s * 0.6);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPolygon(body);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, s / 16, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(s * 0.46, s * 0.34, s * 0.2, s * 0.32), -55 * 16, 110 * 16);
  p.drawArc(QRectF(s * 0.44, s * 0.22, s * 0.36, s * 0.56), -55 * 16, 110 * 16);
}

// Draws the pixmap at the size actually asked for instead of scaling one.
class DrawnIconEngine final : public QIconEngine {
 public:
  explicit DrawnIconEngine(DrawFn fn) : m_fn(std::move(fn)) {}
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, QIcon::Off));
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const int side = std::max(1, std::min(size.width(), size.height()));
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    {
      QPainter p(&pm);
      p.setRenderHint(QPainter::Antialiasing);
      m_fn(p, side);
    }
    if (mode == QIcon::Disabled) {
      QImage img = pm.toImage().convertToFormat(QImage::Format_ARGB32);
      for (int y = 0; y < img.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
          // Washed-out grey, so that a disabled icon reads as such even
          // when its colours were grey already.
          const int grey = 150 + qGray(line[x]) * 2 / 5;
          line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 5);
        }
      }
      pm = QPixmap::fromImage(img);
    }
    return pm;
  }
  QIconEngine* clone() const override { return new DrawnIconEngine(m_fn); }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48)};
  }

 private:
  DrawFn m_fn;
};

}  // namespace

QIcon CIconFactory::Icon(const QString& name) {
  const auto& table = Table();
  auto it = table.find(name);
  if (it == table.end()) return QIcon();
  return QIcon(new DrawnIconEngine(it->second));
}

QPixmap CIconFactory::Pixmap(const QString& name, int size) { return Icon(name).pixmap(size, size); }

QStringList CIconFactory::Names() {
  QStringList names;
  for (const auto& entry : Table()) names.append(entry.first);
  return names;
}

QIcon CIconFactory::AppIcon() { return QIcon(new DrawnIconEngine(DrawApp)); }

QPixmap CIconFactory::AppPixmap(int size) { return AppIcon().pixmap(size, size); }
