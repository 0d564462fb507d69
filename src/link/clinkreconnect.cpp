#include "link/clinkreconnect.h"

#include "link/ccommlink.h"
#include "model/cfilename.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"

#include <QFileInfo>
#include <QScopedValueRollback>

CLinkReconnect::CLinkReconnect(CCommLink& link, QObject* parent) : QObject(parent), m_link(link) {
  m_timer.setSingleShot(false);
  connect(&m_timer, &QTimer::timeout, this, &CLinkReconnect::OnTick);
  connect(&link, &CCommLink::linkError, this, &CLinkReconnect::OnLinkError);
  connect(&link, &CCommLink::connectedChanged, this, &CLinkReconnect::OnConnectedChanged);
}

CLinkReconnect::~CLinkReconnect() = default;

void CLinkReconnect::SetRetry(int retryMs, int maxTries) {
  m_retryMs = qMax(1, retryMs);
  m_maxTries = qMax(1, maxTries);
  if (m_timer.isActive()) m_timer.start(m_retryMs);
}

void CLinkReconnect::OnLinkError() {
  // A lost port tells its error and then that the link is no longer
  // connected, in one go; a disconnect the user asked for comes without an
  // error.
  m_errorJustSeen = true;
  QTimer::singleShot(0, this, [this] { m_errorJustSeen = false; });
}

void CLinkReconnect::OnConnectedChanged(bool connected) {
  if (m_trying) return;
  if (connected) {
    Stop();
    return;
  }
  if (!m_errorJustSeen) return;
  m_errorJustSeen = false;
  m_doc = m_link.GetDocument();
  // The port that was lost, whatever the profile names meanwhile.
  m_port = m_link.PortName();
  m_unit = m_link.Unit();
  m_tries = 0;
  m_timer.start(m_retryMs);
  emit waitingChanged(true);
  emit statusMessage(tr("The connection to the unit is lost; the program connects again to %1 as soon as it answers")
                         .arg(CFileName::Display(m_port)));
}

bool CLinkReconnect::PortIsThere() const {
  // A device that has gone (an adapter pulled, a terminal closed) has no
  // file: nothing to open.
  return !m_port.startsWith(QLatin1Char('/')) || QFileInfo::exists(m_port);
}

void CLinkReconnect::OnTick() {
  if (m_link.IsConnected()) {
    Stop();
    return;
  }
  // The line is in use (a transfer runs); the next tick tries again.
  if (m_link.CurrentLineUse() != LineUse::Free) return;
  ++m_tries;
  if (PortIsThere()) {
    CCommLink::TryResult result = CCommLink::TryResult::Failed;
    {
      const QScopedValueRollback<bool> trying(m_trying, true);
      result = m_link.Reconnect(m_port, m_doc.data(), m_unit);
    }
    // The user may have stopped the tries while the try ran.
    if (!m_timer.isActive()) return;
    if (result == CCommLink::TryResult::Connected && m_link.IsConnected()) {
      Stop();
      emit statusMessage(tr("Connected again to the unit on %1").arg(CFileName::Display(m_port)));
      emit reconnected();
      return;
    }
    if (result == CCommLink::TryResult::OtherUnit) {
      Stop();
      const QString text =
          tr("Another unit answers on %1 (%2), not the one whose connection was lost (%3). The program sent it "
             "nothing that changes it and no longer tries by itself.\nConnect (F5) takes this unit.")
              .arg(CFileName::Display(m_port), m_link.Answered().Text(), m_unit.Text());
      emit statusMessage(text);
      CMessageSink::ShowNotice(QString::fromLatin1(CCommLink::kLossNotice), text, MB_OK | MB_ICONEXCLAMATION);
      return;
    }
  }
  if (m_tries < m_maxTries) return;
  Stop();
  const QString text = tr("The unit on %1 did not answer again after %2 tries; the program no longer tries by "
                          "itself.\nConnect (F5) when the unit is ready.")
                           .arg(CFileName::Display(m_port))
                           .arg(m_maxTries);
  emit statusMessage(text);
  // Takes the place of the loss notice, which said the program would try.
  QString notice = text;
  const QString unclosed = m_link.UnclosedWarning();
  if (!unclosed.isEmpty()) notice += QLatin1Char('\n') + unclosed;
  CMessageSink::ShowNotice(QString::fromLatin1(CCommLink::kLossNotice), notice, MB_OK | MB_ICONEXCLAMATION);
}

void CLinkReconnect::StopTries() {
  if (!m_timer.isActive()) return;
  Stop();
  emit statusMessage(tr("The program no longer tries to connect again to %1").arg(CFileName::Display(m_port)));
}

void CLinkReconnect::Stop() {
  if (!m_timer.isActive()) return;
  m_timer.stop();
  emit waitingChanged(false);
}
