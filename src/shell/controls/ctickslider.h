#ifndef SELV_SHELL_CONTROLS_CTICKSLIDER_H
#define SELV_SHELL_CONTROLS_CTICKSLIDER_H

#include <QSlider>

#include <vector>

// A slider whose tick marks stand at the positions the caller names rather
// than every n positions from the minimum: scales whose marks are not evenly
// spaced, or not counted from the slider's end.
class CTickSlider final : public QSlider {
  Q_OBJECT

 public:
  explicit CTickSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

  // Positions outside the slider's range are not drawn.
  void SetTickPositions(std::vector<int> positions);
  const std::vector<int>& TickPositions() const noexcept { return m_ticks; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<int> m_ticks;
};

#endif
