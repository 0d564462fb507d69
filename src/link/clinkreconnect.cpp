#include "link/clinkreconnect.h"

#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "link/linkprofile.h"
#include "model/cmessagesink.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {

// Keeps the messages of a try from the screen: the user has been told of
// the loss, and a try that fails is no news.
class QuietSink final : public IMessageSink {
 public:
  int Show(const MessageRequest& request) override { return CMessageSink::DefaultAnswer(request.style); }
};

class QuietScope final {
 public:
  QuietScope() : m_previous(CMessageSink::Install(&m_sink)) {}
  QuietScope(const QuietScope&) = delete;
  QuietScope& operator=(const QuietScope&) = delete;
  ~QuietScope() { CMessageSink::Install(m_previous); }

 private:
  QuietSink m_sink;
  IMessageSink* m_previous;
};

}  // namespace

CLinkReconnect::CLinkReconnect(CCommLink& link, QObject* parent) : QObject(parent), m_link(link) {
  m_timer.setSingleShot(false);
  connect(&m_timer, &QTimer::timeout, this, &CLinkReconnect::OnTick);
  connect(&link, &CCommLink::linkError, this, &CLinkReconnect::OnLinkError);
  connect(&link, &CCommLink::connectedChanged, this, &CLinkReconnect::OnConnectedChanged);
  m_connector = [this](const QString& port, CSelvantisDoc* doc) { return m_link.ConnectPort(port, doc); };
}

CLinkReconnect::~CLinkReconnect() = default;

void CLinkReconnect::SetRetry(int retryMs, int maxTries) {
  m_retryMs = qMax(1, retryMs);
  m_maxTries = qMax(1, maxTries);
  if (m_timer.isActive()) m_timer.start(m_retryMs);
}

void CLinkReconnect::SetConnector(Connector connector) { m_connector = std::move(connector); }

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
  m_port = CProfile::GetString(QString::fromLatin1(LinkProfile::kComSection), QString::fromLatin1(LinkProfile::kPort),
                               QString::fromLatin1(LinkProfile::kDefaultPort));
  m_tries = 0;
  m_timer.start(m_retryMs);
  emit statusMessage(tr("The connection to the unit is lost; the program connects again to %1 as soon as it answers")
                         .arg(QDir::toNativeSeparators(m_port)));
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
  // The line belongs to a running transfer; the next tick tries again.
  if (CTransfer::IsRunning()) return;
  ++m_tries;
  if (PortIsThere() && m_connector) {
    bool ok = false;
    QString unclosed;
    m_trying = true;
    {
      // A port lost while the try asks the unit who it is ends the try, and
      // is no new loss to tell: the user was told of the loss once. Only a
      // unit the try may have left unprotected is news.
      const QuietScope quiet;
      m_link.DeferLossMessage(true);
      ok = m_connector(m_port, m_doc.data());
      if (!m_link.TakeLossReason().isEmpty()) unclosed = m_link.UnclosedWarning();
      m_link.DeferLossMessage(false);
    }
    m_trying = false;
    if (!unclosed.isEmpty()) AfxMessageBox(unclosed, MB_OK | MB_ICONEXCLAMATION);
    if (ok && m_link.IsConnected()) {
      Stop();
      emit statusMessage(tr("Connected again to the unit on %1").arg(QDir::toNativeSeparators(m_port)));
      emit reconnected();
      return;
    }
  }
  if (m_tries < m_maxTries) return;
  Stop();
  const QString text = tr("The unit on %1 did not answer again after %2 tries; the program no longer tries by "
                          "itself.\nConnect (F5) when the unit is ready.")
                           .arg(QDir::toNativeSeparators(m_port))
                           .arg(m_maxTries);
  emit statusMessage(text);
  AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void CLinkReconnect::Stop() { m_timer.stop(); }
