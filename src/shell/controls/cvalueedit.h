#ifndef SELV_SHELL_CONTROLS_CVALUEEDIT_H
#define SELV_SHELL_CONTROLS_CVALUEEDIT_H

#include "shell/controls/valueeditcache.h"

#include <QLineEdit>

// An edit for live values: a value is written only when it changed (or when
// forced), so periodic refreshes leave the user's typing alone. Enter hands
// the focus back to the parent, so that the owner's focus-loss handling
// (killFocus) takes the value, as it does when the user tabs away.
class CValueEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CValueEdit(QWidget* parent = nullptr);

  void SetInt(int value, bool bForce = false, const QString& format = QStringLiteral("%d"));
  void SetFloat(double value, bool bForce = false, const QString& format = QStringLiteral("%f"));
  // With bRead the text is read into the cached value first; text that is not
  // a number keeps the cached value.
  int GetInt(bool bRead = true);
  double GetFloat(bool bRead = true);

 signals:
  // The edit lost the focus (after Enter, Tab or a click elsewhere).
  void killFocus();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  ValueEditCache m_cache;
};

#endif
