#ifndef SELV_SHELL_CONTROLS_CRESIZABLEEDIT_H
#define SELV_SHELL_CONTROLS_CRESIZABLEEDIT_H

#include <QLineEdit>

// A QLineEdit that follows its dialog's size; the dialog's layout does the work.
class CResizableEdit : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;
};

#endif
