#include "link/csignalwatch.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

int g_pipe[2] = {-1, -1};
struct sigaction g_previous[3];

// Only async-signal-safe calls here.
void OnSignal(int signalNumber) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signalNumber);
  if (g_pipe[1] >= 0) {
    const ssize_t written = ::write(g_pipe[1], &byte, 1);
    (void)written;
  }
  errno = saved;
}

}  // namespace

CSignalWatch::CSignalWatch(QObject* parent) : QObject(parent) {
  if (g_pipe[0] >= 0) return;
  if (::pipe(g_pipe) != 0) {
    g_pipe[0] = g_pipe[1] = -1;
    return;
  }
  for (int fd : g_pipe) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < 3; ++i) ::sigaction(kSignals[i], &action, &g_previous[i]);
  m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, [this] { Drain(); });
  m_watching = true;
}

CSignalWatch::~CSignalWatch() {
  if (!m_watching) return;
  for (int i = 0; i < 3; ++i) ::sigaction(kSignals[i], &g_previous[i], nullptr);
  delete m_notifier;
  for (int& fd : g_pipe) {
    ::close(fd);
    fd = -1;
  }
}

int CSignalWatch::Caught() {
  Drain();
  return m_caught;
}

void CSignalWatch::Drain() {
  if (!m_watching) return;
  unsigned char bytes[16];
  for (;;) {
    const ssize_t n = ::read(g_pipe[0], bytes, sizeof bytes);
    if (n <= 0) break;
    for (ssize_t i = 0; i < n; ++i) {
      if (m_caught == 0) m_caught = bytes[i];
      emit signalled(bytes[i]);
    }
  }
}

QString CSignalWatch::NameOf(int signalNumber) {
  switch (signalNumber) {
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGTERM: return QStringLiteral("SIGTERM");
    case SIGHUP: return QStringLiteral("SIGHUP");
    default: return QStringLiteral("signal %1").arg(signalNumber);
  }
}
