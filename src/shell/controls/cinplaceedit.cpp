#include "shell/controls/cinplaceedit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRect>

CInPlaceEdit::CInPlaceEdit(int row, int column, const QString& initialText, QWidget* parent, const QRect& rect)
    : QLineEdit(initialText, parent),
      m_session(row, column, [this](const InPlaceEditResult& result) { Finish(result); }) {
  setObjectName(QStringLiteral("inPlaceEdit"));
  setProperty("controlId", kControlId);
  setFrame(true);
  setAlignment(Qt::AlignCenter);
  setGeometry(rect);
  show();
  setFocus(Qt::OtherFocusReason);
  selectAll();
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event) {
  if (m_session.HandleKey(event->key(), [this] { return text(); })) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  m_session.HandleFocusOut(event->reason());
}

void CInPlaceEdit::Finish(const InPlaceEditResult& result) {
  hide();
  emit endEdit(result.row, result.column, result.text.value_or(QString()), result.Cancelled());
  deleteLater();
}
