#include "shell/controls/cinplaceedit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRect>

CInPlaceEdit::CInPlaceEdit(int row, int column, const QString& initialText, QWidget* parent,
                           const QRect& rect)
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
  switch (InPlaceEditSession::ActionForKey(event->key())) {
    case InPlaceEditSession::Action::Commit:
      m_session.Commit(text());
      event->accept();
      return;
    case InPlaceEditSession::Action::Cancel:
      m_session.Cancel();
      event->accept();
      return;
    case InPlaceEditSession::Action::None:
      break;
  }
  QLineEdit::keyPressEvent(event);
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // The edit's own context menu takes the focus for a moment; that is not
  // the user leaving the cell.
  if (event->reason() != Qt::PopupFocusReason) {
    m_session.FocusLost();
  }
}

void CInPlaceEdit::Finish(const InPlaceEditResult& result) {
  hide();
  emit endEdit(result.row, result.column, result.text.value_or(QString()), result.Cancelled());
  deleteLater();
}
