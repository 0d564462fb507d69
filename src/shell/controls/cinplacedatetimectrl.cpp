#include "shell/controls/cinplacedatetimectrl.h"

#include <QDate>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRect>
#include <QTime>

CInPlaceDateTimeCtrl::CInPlaceDateTimeCtrl(int row, int column, const QString& initialText,
                                           CellDateTimeFormat::Kind kind, QWidget* parent, const QRect& rect,
                                           const QLocale& locale)
    : QDateTimeEdit(parent),
      m_format(kind, locale),
      m_session(row, column, [this](const InPlaceEditResult& result) { Finish(result); }) {
  setObjectName(QStringLiteral("inPlaceDateTime"));
  setProperty("controlId", kControlId);
  setLocale(locale);
  setDisplayFormat(m_format.Pattern());
  if (kind == CellDateTimeFormat::Kind::Date) {
    const QDate date = m_format.ParseDate(initialText);
    setDate(date.isValid() ? date : QDate::currentDate());
    setCalendarPopup(true);
  } else {
    const QTime time = m_format.ParseTime(initialText);
    setTime(time.isValid() ? time : QTime::currentTime());
  }
  setGeometry(rect);
  show();
  setFocus(Qt::OtherFocusReason);
}

QString CInPlaceDateTimeCtrl::CurrentText() const {
  return m_format.GetKind() == CellDateTimeFormat::Kind::Date ? m_format.FormatDate(date())
                                                              : m_format.FormatTime(time());
}

void CInPlaceDateTimeCtrl::keyPressEvent(QKeyEvent* event) {
  const bool handled = m_session.HandleKey(event->key(), [this] {
    // Text typed into a section is taken over before it is read.
    interpretText();
    return CurrentText();
  });
  if (handled) {
    event->accept();
    return;
  }
  QDateTimeEdit::keyPressEvent(event);
}

void CInPlaceDateTimeCtrl::focusOutEvent(QFocusEvent* event) {
  QDateTimeEdit::focusOutEvent(event);
  m_session.HandleFocusOut(event->reason());
}

void CInPlaceDateTimeCtrl::Finish(const InPlaceEditResult& result) {
  hide();
  emit endEdit(result.row, result.column, result.text.value_or(QString()), result.Cancelled());
  deleteLater();
}
