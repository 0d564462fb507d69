#ifndef SELV_SHELL_CONTROLS_CRESIZABLECOMBOBOX_H
#define SELV_SHELL_CONTROLS_CRESIZABLECOMBOBOX_H

#include <QComboBox>

// A QComboBox that follows its dialog's size; the dialog's layout does the work.
class CResizableComboBox : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;
};

#endif
