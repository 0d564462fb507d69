#ifndef SELV_SHELL_CONTROLS_CSPINBUTTONS_H
#define SELV_SHELL_CONTROLS_CSPINBUTTONS_H

#include <QSpinBox>

// Up and down arrows beside a value shown elsewhere (an edit with its own
// unit): they count, but show no number of their own.
class CSpinButtons final : public QSpinBox {
  Q_OBJECT

 public:
  explicit CSpinButtons(QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
};

#endif
