#include "shell/cprogramending.h"

#include "link/csignalwatch.h"
#include "link/ctransfer.h"
#include "model/cselvantisdoc.h"
#include "shell/cdocmanager.h"
#include "shell/clinkpanel.h"
#include "shell/cmainframe.h"
#include "shell/cmodalguard.h"
#include "shell/crecoverystore.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

void Say(const QString& text) {
  std::fprintf(stderr, "selvantis: %s\n", text.toLocal8Bit().constData());
  std::fflush(stderr);
}

}  // namespace

int CProgramEnding::QuietSink::Show(const MessageRequest& request) {
  Say(request.text);
  return CMessageSink::DefaultAnswer(request.style);
}

CProgramEnding::CProgramEnding(CMainFrame& frame, CRecoveryStore& recovery, QObject* parent)
    : QObject(parent), m_frame(frame), m_recovery(recovery) {
  m_timer.setInterval(kStepMs);
  connect(&m_timer, &QTimer::timeout, this, &CProgramEnding::Step);
}

CProgramEnding::~CProgramEnding() {
  if (m_begun) {
    CMessageSink::Install(m_previousSink);
    CModalGuard::SetEnding(false);
  }
}

void CProgramEnding::Begin(int signalNumber) {
  if (m_begun) return;
  m_begun = true;
  m_clock.start();
  Say(tr("Stopped by %1.").arg(CSignalWatch::NameOf(signalNumber)));
  m_previousSink = CMessageSink::Install(&m_sink);
  CModalGuard::SetEnding(true);
  m_recovery.Hold();
  CloseModalWindows();
  CTransfer::CancelRunning();
  // Kept at once, in case the end is cut short; kept again once a running
  // transfer has ended (a cancelled upload puts the project back).
  m_kept = !CTransfer::IsRunning();
  KeepRecoveryCopies(m_kept);
  // The rest once the loops of the closed windows have unwound.
  m_timer.start();
}

void CProgramEnding::CloseModalWindows() {
  for (int i = 0; i < 16; ++i) {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) break;
    popup->close();
  }
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog && dialog->isVisible() && dialog->testAttribute(Qt::WA_ShowModal)) dialog->reject();
  }
}

void CProgramEnding::KeepRecoveryCopies(bool tell) {
  CDocManager& docs = m_frame.DocManager();
  for (int i = 0; i < docs.Count(); ++i) {
    CSelvantisDoc& doc = *docs.At(i);
    if (!doc.IsModified()) {
      m_recovery.Drop(doc);
      continue;
    }
    QString reason;
    const bool kept = m_recovery.Keep(doc, &reason);
    if (!tell) continue;
    if (kept)
      Say(tr("The unsaved changes of \"%1\" are kept in a recovery copy; the next start offers it.")
              .arg(doc.GetTitle()));
    else
      Say(tr("The unsaved changes of \"%1\" could not be kept: %2").arg(doc.GetTitle(), reason));
  }
}

void CProgramEnding::Step() {
  if (m_inStep) return;
  m_inStep = true;
  // Whatever opened meanwhile (a window shown outside the guard).
  CloseModalWindows();
  const bool late = m_clock.elapsed() >= kLimitMs;
  if (CTransfer::IsRunning()) {
    CTransfer::CancelRunning();
    m_inStep = false;
    if (late) GiveUp();
    return;
  }
  if (!m_kept) {
    KeepRecoveryCopies(true);
    m_kept = true;
  }
  CLinkPanel& link = m_frame.Link();
  // Disconnect sends "/PROTECT ON" (and an unlock the unit has not taken);
  // the link says on standard error when the unit may still be open. It
  // waits while the link is busy with a connect of its own.
  if (link.IsConnected()) link.Disconnect();
  if (link.IsConnected()) {
    if (!late) {
      m_inStep = false;
      return;
    }
    Say(
        tr("The connection to the unit did not close in time. The unit may still have its settings unprotected: "
           "connect to it again, or send it \"/PROTECT ON\"."));
  }
  m_timer.stop();
  m_finished = true;
  m_frame.close();
  m_inStep = false;
  QCoreApplication::exit(0);
}

void CProgramEnding::GiveUp() {
  m_timer.stop();
  KeepRecoveryCopies(true);
  Say(
      tr("The transfer did not end in time. The unit may still have its macros locked and its settings unprotected: "
         "connect to it again, or send it \"/MACRO/LOCK OFF\" and \"/PROTECT ON\"."));
  std::_Exit(2);
}
