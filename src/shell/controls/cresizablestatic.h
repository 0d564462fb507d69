#ifndef SELV_SHELL_CONTROLS_CRESIZABLESTATIC_H
#define SELV_SHELL_CONTROLS_CRESIZABLESTATIC_H

#include <QLabel>

// A QLabel that follows its dialog's size; the dialog's layout does the work.
class CResizableStatic : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;
};

#endif
