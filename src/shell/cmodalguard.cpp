#include "shell/cmodalguard.h"

#include "link/ctransfernotifier.h"
#include "link/lineuse.h"
#include "shell/controls/cprogressdlg.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QMetaObject>
#include <QWidget>

namespace {

bool g_ending = false;

// Set on a dialog the guard closed as it showed; it may show another time.
constexpr const char* kRefusedProperty = "modalGuardRefused";

// A window of the program's messages: they are shown, whatever runs.
bool InMessageBox(const QObject* object) {
  const auto* widget = qobject_cast<const QWidget*>(object);
  return widget && qobject_cast<const QMessageBox*>(widget->window());
}

// The transfer's own windows: its messages and its progress.
bool IsTransfersOwn(const QDialog& dialog) {
  return qobject_cast<const QMessageBox*>(&dialog) || qobject_cast<const CProgressDlg*>(&dialog);
}

}  // namespace

CModalGuard::CModalGuard(QObject* parent) : QObject(parent) {
  qApp->installEventFilter(this);
  connect(&CTransferNotifier::Instance(), &CTransferNotifier::lineUseChanged, this,
          [this](LineUse use) { emit transferRunningChanged(use == LineUse::Transfer); });
}

CModalGuard::~CModalGuard() {
  if (qApp) qApp->removeEventFilter(this);
}

// The line in use by anyone (a transfer, or Disconnect waiting for the unit
// with the window painting) runs the event loop for its user: a modal
// window opened there would hold it.
bool CModalGuard::MayOpen() { return !g_ending && !IsLineInUse(); }

void CModalGuard::SetEnding(bool ending) { g_ending = ending; }

bool CModalGuard::IsEnding() { return g_ending; }

QString CModalGuard::RefusalText() {
  if (g_ending) return tr("The program is ending.");
  const LineUse use = CurrentLineUse();
  return LineUseRefusal(use == LineUse::Free ? LineUse::Transfer : use);
}

bool CModalGuard::Ask() {
  if (MayOpen()) return true;
  emit refused(RefusalText());
  return false;
}

void CModalGuard::Refuse(QDialog& dialog) {
  // The show event comes before the window reaches the screen: it never
  // does, and the rejection ends the loop exec() is about to start.
  dialog.setAttribute(Qt::WA_DontShowOnScreen, true);
  dialog.setProperty(kRefusedProperty, true);
  QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
  emit refused(RefusalText());
}

bool CModalGuard::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Show: {
      auto* dialog = qobject_cast<QDialog*>(watched);
      if (!dialog || !dialog->isWindow() || MayOpen()) break;
      if (dialog->testAttribute(Qt::WA_ShowModal) && !IsTransfersOwn(*dialog)) Refuse(*dialog);
      break;
    }
    case QEvent::Hide: {
      auto* dialog = qobject_cast<QDialog*>(watched);
      if (dialog && dialog->property(kRefusedProperty).toBool()) {
        dialog->setProperty(kRefusedProperty, QVariant());
        dialog->setAttribute(Qt::WA_DontShowOnScreen, false);
      }
      break;
    }
    case QEvent::ContextMenu:
      if (MayOpen() || InMessageBox(watched)) break;
      emit refused(RefusalText());
      return true;
    default: break;
  }
  return false;
}
