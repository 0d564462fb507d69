#include "unit/ui/terminaledit.h"

#include <QLineEdit>
#include <QString>

void ShowTickedTerminal(QLineEdit* edit, const QString& name, bool checked) {
  edit->setText(name);
  edit->setEnabled(checked);
  if (!checked) return;
  edit->setFocus();
  edit->setCursorPosition(0);
  edit->selectAll();
}
