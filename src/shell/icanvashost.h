#ifndef SELV_SHELL_ICANVASHOST_H
#define SELV_SHELL_ICANVASHOST_H

#include <QRect>
#include <QString>

class CBaseDevice;

// What the canvas controller asks of the widget that shows the drawing.
class ICanvasHost {
 public:
  virtual ~ICanvasHost() = default;
  // Repaint the part of the drawing (canvas units); a null rect repaints all.
  virtual void InvalidateCanvas(const QRect& canvasRect) = 0;
  // The current object changed (selection, status text, command states).
  virtual void CurrentObjectChanged(CBaseDevice* object) = 0;
  // A hint for the status bar (how to do what the user just tried).
  virtual void ShowHint(const QString& text) { (void)text; }
};

#endif
