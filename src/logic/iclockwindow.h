#ifndef SELV_LOGIC_ICLOCKWINDOW_H
#define SELV_LOGIC_ICLOCKWINDOW_H

#include <QString>

// What the project's clock needs of an open clock window: every clock reply
// line, with its leading "/", while the window is registered.
class IClockWindow {
 public:
  virtual ~IClockWindow() = default;
  virtual void ParseClockReply(const QString& line) = 0;
};

#endif
