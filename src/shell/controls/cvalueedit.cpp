#include "shell/controls/cvalueedit.h"

#include <QFocusEvent>
#include <QKeyEvent>

CValueEdit::CValueEdit(QWidget* parent) : QLineEdit(parent) {}

void CValueEdit::SetInt(int value, bool bForce, const QString& format) {
  if (const std::optional<QString> shown = m_cache.SetInt(value, bForce, format)) {
    setText(*shown);
  }
}

void CValueEdit::SetFloat(double value, bool bForce, const QString& format) {
  if (const std::optional<QString> shown = m_cache.SetFloat(value, bForce, format)) {
    setText(*shown);
  }
}

int CValueEdit::GetInt(bool bRead) { return m_cache.GetInt(bRead, text()); }

double CValueEdit::GetFloat(bool bRead) { return m_cache.GetFloat(bRead, text()); }

void CValueEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    if (QWidget* parent = parentWidget()) {
      parent->setFocus(Qt::OtherFocusReason);
    } else {
      clearFocus();
    }
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void CValueEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (event->reason() != Qt::PopupFocusReason) {
    emit killFocus();
  }
}
