#include "shell/controls/ctickslider.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <utility>

CTickSlider::CTickSlider(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {
  // The style keeps room for the marks on both sides; this class draws them.
  setTickPosition(QSlider::TicksBothSides);
}

void CTickSlider::SetTickPositions(std::vector<int> positions) {
  m_ticks = std::move(positions);
  update();
}

void CTickSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionSlider option;
  initStyleOption(&option);
  // Groove and handle as the style draws them; the marks below.
  option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
  style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);

  const bool vertical = orientation() == Qt::Vertical;
  const int length = style()->pixelMetric(QStyle::PM_SliderLength, &option, this);
  const int available = style()->pixelMetric(QStyle::PM_SliderSpaceAvailable, &option, this);
  const int thickness = style()->pixelMetric(QStyle::PM_SliderControlThickness, &option, this);
  const int across = vertical ? width() : height();
  const int mark = std::max(2, (across - thickness) / 2 - 2);
  painter.setPen(palette().color(QPalette::WindowText));
  for (int position : m_ticks) {
    if (position < minimum() || position > maximum()) continue;
    const int at =
        QStyle::sliderPositionFromValue(minimum(), maximum(), position, available, option.upsideDown) + length / 2;
    if (vertical) {
      painter.drawLine(0, at, mark, at);
      painter.drawLine(width() - 1 - mark, at, width() - 1, at);
    } else {
      painter.drawLine(at, 0, at, mark);
      painter.drawLine(at, height() - 1 - mark, at, height() - 1);
    }
  }
}
