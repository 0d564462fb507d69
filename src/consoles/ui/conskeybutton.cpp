#include "consoles/ui/conskeybutton.h"

#include "consoles/cconskey.h"
#include "model/ctext.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

ConsKeyButton::ConsKeyButton(CConsKey* key, QWidget* parent) : QPushButton(parent), m_pKey(key) {
  setCheckable(true);
  setFocusPolicy(Qt::NoFocus);
  Refresh();
}

void ConsKeyButton::Refresh() {
  if (m_pKey == nullptr) return;
  const QString label = m_pKey->GetLabel();
  setText(label);
  setToolTip(Fmt("%d: ", m_pKey->GetNumber()) + label);
  setChecked(m_pKey->IsSelected());
}

void ConsKeyButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit selectRequested(m_pKey);
    event->accept();
    return;
  }
  QPushButton::mousePressEvent(event);
}

void ConsKeyButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit openPropsRequested(m_pKey);
    event->accept();
    return;
  }
  QPushButton::mouseDoubleClickEvent(event);
}

void ConsKeyButton::contextMenuEvent(QContextMenuEvent* event) {
  emit selectRequested(m_pKey);
  emit openPropsRequested(m_pKey);
  event->accept();
}
