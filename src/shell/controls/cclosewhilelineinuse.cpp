#include "shell/controls/cclosewhilelineinuse.h"

#include "link/ctransfer.h"
#include "link/ctransfernotifier.h"
#include "shell/cmodalguard.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

CCloseWhileLineInUse::CCloseWhileLineInUse(QWidget& window, QString question, std::function<void()> close)
    : QObject(&window), m_window(window), m_question(std::move(question)), m_close(std::move(close)) {
  connect(&CTransferNotifier::Instance(), &CTransferNotifier::lineUseChanged, this,
          &CCloseWhileLineInUse::OnLineUseChanged);
}

CCloseWhileLineInUse::~CCloseWhileLineInUse() = default;

QMessageBox* CCloseWhileLineInUse::Question() const { return m_box.data(); }

QString CCloseWhileLineInUse::StopQuestionText() {
  return tr(
      "A transfer with the unit is running.\n\nStop the transfer and close? The unit gets its closing lines first.");
}

bool CCloseWhileLineInUse::MayClose() {
  // After a Yes the window closes by itself once the transfer has returned.
  if (m_closeWhenFree) return false;
  switch (CurrentLineUse()) {
    case LineUse::Free:
      // A question nobody answered before the transfer ended goes with the
      // window.
      if (m_box) m_box->close();
      return true;
    case LineUse::Transfer:
      // The program ends (a signal): nobody answers, and the ending stops
      // the transfer itself.
      if (m_waits || CModalGuard::IsEnding())
        m_closeWhenFree = true;
      else
        Ask();
      return false;
    case LineUse::Closing: emit refused(LineUseRefusal(LineUse::Closing)); return false;
  }
  return false;
}

void CCloseWhileLineInUse::Ask() {
  if (m_box) {
    m_box->raise();
    m_box->activateWindow();
    return;
  }
  // Not a modal box: the transfer goes on while the user reads it.
  auto* box = new QMessageBox(QMessageBox::Question, QApplication::applicationDisplayName(), m_question,
                              QMessageBox::Yes | QMessageBox::No, &m_window);
  box->setObjectName(QStringLiteral("StopTransferQuestion"));
  box->setDefaultButton(QMessageBox::No);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  connect(box, &QMessageBox::finished, this,
          [this, box](int) { OnAnswered(box->clickedButton() == box->button(QMessageBox::Yes)); });
  m_box = box;
  box->show();
}

void CCloseWhileLineInUse::OnAnswered(bool yes) {
  if (!yes) return;
  m_closeWhenFree = true;
  if (CurrentLineUse() == LineUse::Transfer) {
    emit stopping();
    CTransfer::CancelRunning();
  }
  // It has ended meanwhile: the window closes as it would have.
  if (!IsLineInUse()) OnLineUseChanged(LineUse::Free);
}

void CCloseWhileLineInUse::OnLineUseChanged(LineUse use) {
  if (use != LineUse::Free || !m_closeWhenFree) return;
  if (m_box) m_box->close();
  // The user of the line may still use the window until its call has
  // returned: the close comes from the event loop.
  QTimer::singleShot(0, this, [this] {
    if (!m_closeWhenFree || IsLineInUse()) return;
    m_closeWhenFree = false;
    m_close();
  });
}
