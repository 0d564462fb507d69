#include "shell/controls/cellipsisstatic.h"

#include "shell/controls/fittexttowidth.h"

#include <QEvent>
#include <QFontMetrics>
#include <QResizeEvent>

CEllipsisStatic::CEllipsisStatic(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
}

void CEllipsisStatic::SetWindowText(const QString& text) {
  m_fullText = text;
  setToolTip(text);
  Refit();
}

void CEllipsisStatic::Refit() {
  const int width = contentsRect().width() - 2 * margin() - (indent() > 0 ? indent() : 0);
  setText(FitTextToWidth(fontMetrics(), width, m_fullText));
}

QSize CEllipsisStatic::sizeHint() const {
  const QSize base = QLabel::sizeHint();
  const int frame = width() - contentsRect().width() + 2 * margin() + (indent() > 0 ? indent() : 0);
  return QSize(fontMetrics().horizontalAdvance(m_fullText) + frame, base.height());
}

QSize CEllipsisStatic::minimumSizeHint() const {
  // Let layouts shrink the control below its text's width: that is what the
  // cut is for.
  const QSize base = QLabel::minimumSizeHint();
  return QSize(fontMetrics().horizontalAdvance(QStringLiteral("...")), base.height());
}

void CEllipsisStatic::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Refit();
}

void CEllipsisStatic::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    Refit();
  }
}
