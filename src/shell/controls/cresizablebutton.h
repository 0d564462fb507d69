#ifndef SELV_SHELL_CONTROLS_CRESIZABLEBUTTON_H
#define SELV_SHELL_CONTROLS_CRESIZABLEBUTTON_H

#include <QPushButton>

// A QPushButton that follows its dialog's size; the dialog's layout does the work.
class CResizableButton : public QPushButton {
  Q_OBJECT

 public:
  using QPushButton::QPushButton;
};

#endif
