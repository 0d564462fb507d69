#include "shell/controls/cspinbuttons.h"

#include <QLineEdit>
#include <QStyle>

CSpinButtons::CSpinButtons(QWidget* parent) : QSpinBox(parent) {
  lineEdit()->hide();
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize CSpinButtons::sizeHint() const {
  // As wide as the arrows and the frame around them.
  const int arrows = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int frame = style()->pixelMetric(QStyle::PM_SpinBoxFrameWidth, nullptr, this);
  return {arrows + 2 * frame + 2, QSpinBox::sizeHint().height()};
}

QSize CSpinButtons::minimumSizeHint() const { return sizeHint(); }
