#include "link/csignalwatch.h"

#include <QSocketNotifier>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

int g_pipe[2] = {-1, -1};
struct sigaction g_previous[3];

// Signals caught since the watch began, and what a second one does. The
// last words live in two buffers: the handler reads the one the index
// names, SetLastWords fills the other and then turns the index.
std::atomic<int> g_signals{0};
std::atomic<int> g_secondExit{-1};  // the exit status, -1: a second signal is as the first
char g_words[2][CSignalWatch::kLastWordsBytes];
std::atomic<int> g_wordsLength[2] = {{0}, {0}};
std::atomic<int> g_wordsIndex{0};

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads these");

// Only async-signal-safe calls here.
void OnSignal(int signalNumber) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signalNumber);
  if (g_pipe[1] >= 0) {
    const ssize_t written = ::write(g_pipe[1], &byte, 1);
    (void)written;
  }
  const int status = g_secondExit.load();
  if (g_signals.fetch_add(1) >= 1 && status >= 0) {
    const int index = g_wordsIndex.load();
    const ssize_t written = ::write(STDERR_FILENO, g_words[index], static_cast<size_t>(g_wordsLength[index].load()));
    (void)written;
    ::_exit(status);
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
  g_signals = 0;
  g_secondExit = -1;
  g_wordsLength[0] = g_wordsLength[1] = 0;
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
  g_secondExit = -1;
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

void CSignalWatch::EndOnSecondSignal(int status) {
  if (m_watching) g_secondExit = std::max(0, status);
}

void CSignalWatch::SetLastWords(const QByteArray& text) {
  if (!m_watching) return;
  const int next = 1 - g_wordsIndex.load();
  const int length = std::min(static_cast<int>(text.size()), kLastWordsBytes);
  std::memcpy(g_words[next], text.constData(), static_cast<size_t>(length));
  g_wordsLength[next] = length;
  g_wordsIndex = next;
}
