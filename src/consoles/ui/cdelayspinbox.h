#ifndef SELV_CONSOLES_UI_CDELAYSPINBOX_H
#define SELV_CONSOLES_UI_CDELAYSPINBOX_H

#include <QSpinBox>

// The activation delay of a key: the value is the unit's step count (0 to
// 255 steps of 35.55 ms), which the arrows change one by one; the text shows
// the seconds they last ("%.2f"), and seconds typed into it become the
// nearest step count once the user presses Enter or leaves the box.
class CDelaySpinBox final : public QSpinBox {
  Q_OBJECT

 public:
  explicit CDelaySpinBox(QWidget* parent = nullptr);

 protected:
  QString textFromValue(int steps) const override;
  int valueFromText(const QString& text) const override;
  QValidator::State validate(QString& input, int& pos) const override;
};

#endif
