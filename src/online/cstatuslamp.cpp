#include "online/cstatuslamp.h"

#include <QAbstractButton>
#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QVariant>

namespace {

constexpr const char* kProperty = "iconId";

}  // namespace

QPixmap CStatusLamp::Pixmap(int iconId, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor fill = iconId == kGood ? QColor(0x20, 0xa0, 0x30) : QColor(0xd0, 0x20, 0x20);
  painter.setPen(QPen(fill.darker(150), 1));
  painter.setBrush(fill);
  const qreal margin = iconId == kActiveMarker ? size * 0.3 : 1.5;
  painter.drawEllipse(QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
  return pixmap;
}

void CStatusLamp::Show(QLabel* label, int iconId) {
  if (!label || IconOf(label) == iconId) return;
  label->setPixmap(Pixmap(iconId));
  label->setProperty(kProperty, iconId);
}

void CStatusLamp::Show(QAbstractButton* button, int iconId) {
  if (!button || IconOf(button) == iconId) return;
  button->setIcon(QIcon(Pixmap(iconId)));
  button->setProperty(kProperty, iconId);
}

int CStatusLamp::IconOf(const QObject* widget) { return widget ? widget->property(kProperty).toInt() : 0; }
