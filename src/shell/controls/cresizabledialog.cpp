#include "shell/controls/cresizabledialog.h"

#include "model/cmessagesink.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QMetaObject>
#include <QScreen>

CResizableDialog::CResizableDialog(unsigned templateId, QWidget* parent)
    : QDialog(parent), m_templateId(templateId), m_rectStore(DialogRectStore::ForTemplate(templateId)) {
  setSizeGripEnabled(true);
}

int CResizableDialog::DoModal() { return exec() == QDialog::Accepted ? IDOK : IDCANCEL; }

void CResizableDialog::setVisible(bool visible) {
  if (visible && !m_initDone) {
    m_initDone = true;
    if (!OnInitDialog()) {
      m_initFailed = true;
      // exec() has already started its loop when it shows the dialog; a
      // rejection posted now ends it cleanly.
      QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    }
  }
  QDialog::setVisible(visible);
}

bool CResizableDialog::OnInitDialog() {
  if (const std::optional<QRect> saved = m_rectStore.Load()) {
    QRect rect = *saved;
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
      rect = DialogRectStore::FitToScreen(rect, screen->availableGeometry());
    }
    setGeometry(rect);
  }
  return true;
}

void CResizableDialog::hideEvent(QHideEvent* event) {
  if (!m_initFailed && !event->spontaneous()) {
    // A maximised dialog comes back at its normal size, not over the screen.
    m_rectStore.Save(isMaximized() || isMinimized() ? normalGeometry() : geometry());
  }
  QDialog::hideEvent(event);
}
