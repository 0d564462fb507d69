#include "unitsimulator.h"

#include <algorithm>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;
// Longest line the unit keeps; the rest of a longer line is dropped.
constexpr int kMaxLineChars = 4096;
// Pause between the two halves of a split answer.
constexpr std::chrono::milliseconds kSplitPause{40};
// Upper bound of one wait of the thread, so that a missed wake-up costs
// little.
constexpr std::chrono::milliseconds kMaxIdle{50};
// Paced, the thread wakes this often; it takes whatever the line's
// characters' time has come for.
constexpr std::chrono::microseconds kPacedTick{1000};
// XOFF in force and characters still coming: it goes out again after this.
constexpr std::chrono::milliseconds kXoffRepeat{50};
// Paced, the unit's time goes in steps of this, and never lags the clock by
// more than this (a pause of the thread is taken out of it before).
constexpr std::chrono::milliseconds kSlice{1};
constexpr std::chrono::milliseconds kMaxCatchUp{500};
// Paced, a thread that runs this much later than it meant to was paused
// (it got no processor, or waited for the lock): the time beyond its plan
// is a pause of the wire and the unit, not time they worked in.
constexpr std::chrono::microseconds kPauseTolerance{2000};
// Paced, a wire without characters for this long has carried everything our
// pauses held back.
constexpr std::chrono::milliseconds kIdleForgets{50};

}  // namespace

UnitSimulator::UnitSimulator() {
  // What a unit answers out of the box: its identity and its clock.
  m_store.insert(QStringLiteral("/SERVICE/DEVID"), QStringLiteral("10337"));
  m_store.insert(QStringLiteral("/SERVICE/VER"), QStringLiteral("V1.0"));
  m_store.insert(QStringLiteral("/CLOCK/MAIN/TIME"), QStringLiteral("12:00:00"));
  m_store.insert(QStringLiteral("/CLOCK/MAIN/DATE"), QStringLiteral("01.01.2024"));
}

UnitSimulator::~UnitSimulator() { Stop(); }

bool UnitSimulator::Start(QString* error) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  if (m_running) return true;
  char name[256] = {0};
  if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
    if (error) *error = QString::fromLocal8Bit(strerror(errno));
    return false;
  }
  // Raw from the start: no echo by the line discipline before the
  // application has set the port up.
  termios tio{};
  if (tcgetattr(m_slave, &tio) == 0) {
    cfmakeraw(&tio);
    tcsetattr(m_slave, TCSANOW, &tio);
  }
  fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
  fcntl(m_master, F_SETFD, FD_CLOEXEC);
  fcntl(m_slave, F_SETFD, FD_CLOEXEC);
  int pipeFds[2];
  if (pipe2(pipeFds, O_NONBLOCK | O_CLOEXEC) != 0) {
    if (error) *error = QString::fromLocal8Bit(strerror(errno));
    CloseFds();
    return false;
  }
  m_wakeRead = pipeFds[0];
  m_wakeWrite = pipeFds[1];
  m_ptyPath = QString::fromLocal8Bit(name);
  m_stop = false;
  m_hangUp = false;
  m_running = true;
  m_rx.clear();
  m_line.clear();
  m_out.clear();
  m_xoffSent = false;
  m_peerStopped = false;
  m_wireBusy = false;
  m_afterXoff = 0;
  m_thread = std::thread([this] { Run(); });
  return true;
}

void UnitSimulator::Stop() {
  {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_stop = true;
  }
  Wake();
  if (m_thread.joinable()) m_thread.join();
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  CloseFds();
  m_running = false;
}

bool UnitSimulator::IsRunning() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_running && !m_hangUp;
}

QString UnitSimulator::PtyPath() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_ptyPath;
}

void UnitSimulator::RegisterHandler(const QString& prefix, Handler handler) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  for (auto& entry : m_handlers) {
    if (entry.first == prefix) {
      entry.second = std::move(handler);
      return;
    }
  }
  m_handlers.emplace_back(prefix, std::move(handler));
}

void UnitSimulator::SetValue(const QString& path, const QString& value) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_store.insert(path, value);
}

QString UnitSimulator::Value(const QString& path) const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_store.value(path);
}

bool UnitSimulator::HasValue(const QString& path) const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_store.contains(path);
}

void UnitSimulator::RemoveValue(const QString& path) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_store.remove(path);
}

QMap<QString, QString> UnitSimulator::Values() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_store;
}

QStringList UnitSimulator::ReceivedLines() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_received;
}

QStringList UnitSimulator::FullLines() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_full;
}

int UnitSimulator::ReceivedCount() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_received.size();
}

void UnitSimulator::ClearLog() {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_received.clear();
  m_full.clear();
}

qint64 UnitSimulator::CharsReceived() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_charsIn;
}

qint64 UnitSimulator::CharsSent() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_charsOut;
}

qint64 UnitSimulator::CharsArrived() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_arrived;
}

int UnitSimulator::WireLag() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_paced ? m_debt : 0;
}

int UnitSimulator::Untaken() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  if (m_master < 0) return 0;
  // The terminal hands what a writer put in on to its reader a little
  // later, from a work queue of the kernel; a poll waits for that hand-over,
  // so that what is counted next is all there is.
  pollfd fd{m_master, POLLIN, 0};
  ::poll(&fd, 1, 0);
  return Waiting() + static_cast<int>(m_rx.size());
}

UnitSimulator::FlowStats UnitSimulator::Flow() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_flow;
}

void UnitSimulator::ResetFlowStats() {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_flow = FlowStats();
}

QStringList UnitSimulator::DroppedLines() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_dropped;
}

void UnitSimulator::SetLineRate(int baud) {
  {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    // Ten bits a character: start, eight data bits, stop.
    if (baud > 0) m_charTime = std::chrono::nanoseconds(10'000'000'000LL / baud);
  }
  Wake();
}

void UnitSimulator::SetSilent(bool silent) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_silent = silent;
}

void UnitSimulator::SetDropEveryNthLine(int n) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_dropEvery = qMax(0, n);
  m_lineCount = 0;
}

void UnitSimulator::LoseNext(const QString& line, int count) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_loseLine = line;
  m_loseCount = qMax(0, count);
}

void UnitSimulator::SetPaced(bool paced) {
  {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_paced = paced;
  }
  Wake();
}

void UnitSimulator::SetLimits(const Limits& limits) {
  {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_limits.capacity = std::max(1, limits.capacity);
    m_limits.xoffAbove = std::clamp(limits.xoffAbove, 0, m_limits.capacity - 1);
    m_limits.xonBelow = std::clamp(limits.xonBelow, 1, m_limits.xoffAbove + 1);
    m_limits.msPerLine = std::max(0, limits.msPerLine);
  }
  Wake();
}

void UnitSimulator::PauseThread(int ms) {
  {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_pauseMs = std::max(0, ms);
  }
  Wake();
}

UnitSimulator::Limits UnitSimulator::CurrentLimits() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_limits;
}

void UnitSimulator::SetEcho(bool echo) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_echo = echo;
}

void UnitSimulator::SetAnswerDelay(const QString& pattern, int ms) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_delays.push_back(Rule{pattern, ms});
}

void UnitSimulator::SetDropAnswers(const QString& pattern) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_drops.push_back(pattern);
}

void UnitSimulator::ClearFaults() {
  {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_delays.clear();
    m_drops.clear();
    m_split = false;
    m_stalled = false;
    m_stallAfter = 0;
    m_silent = false;
    m_dropEvery = 0;
    m_loseCount = 0;
  }
  Wake();
}

void UnitSimulator::SetSplitReplies(bool split) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_split = split;
}

void UnitSimulator::SetStalled(bool stalled) {
  {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_stalled = stalled;
    // The flow character goes out at once, ahead of queued output, as a
    // UART sends it.
    if (stalled && !m_xoffSent) SendXoff(Clock::now());
  }
  Wake();
}

void UnitSimulator::StallAfter(int count) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_stallAfter = std::max(0, count);
}

void UnitSimulator::HangUp() {
  {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_hangUp = true;
    m_stop = true;
  }
  Wake();
  if (m_thread.joinable()) m_thread.join();
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  CloseFds();
}

void UnitSimulator::Inject(const QByteArray& bytes) {
  {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    Enqueue(bytes, Clock::now());
  }
  Wake();
}

void UnitSimulator::Preload(const QStringList& lines) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_preloading = true;
  for (const QString& line : lines) HandleLine(line.toLatin1());
  m_preloading = false;
}

void UnitSimulator::Wake() {
  int fd;
  {
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    fd = m_wakeWrite;
  }
  if (fd >= 0) {
    const char c = 1;
    ssize_t ignored = write(fd, &c, 1);
    (void)ignored;
  }
}

void UnitSimulator::CloseFds() {
  for (int* fd : {&m_master, &m_slave, &m_wakeRead, &m_wakeWrite}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
}

bool UnitSimulator::Matches(const QString& pattern, const QString& path) {
  // Prefix match with '*' as any text: "/FUSE/*/BLOWN" matches
  // "/FUSE/SLOT1/A/BLOWN".
  const int star = pattern.indexOf(QLatin1Char('*'));
  if (star < 0) return path.startsWith(pattern);
  if (!path.startsWith(pattern.left(star))) return false;
  const QString rest = pattern.mid(star + 1);
  for (int i = star; i <= path.size(); ++i) {
    if (Matches(rest, path.mid(i))) return true;
  }
  return false;
}

void UnitSimulator::Enqueue(const QByteArray& bytes, Clock::time_point notBefore) {
  if (bytes.isEmpty()) return;
  m_out.push_back(Chunk{bytes, notBefore});
}

int UnitSimulator::WriteNow(const char* data, int size) {
  if (m_master < 0) return 0;
  const ssize_t n = write(m_master, data, static_cast<size_t>(size));
  return n > 0 ? static_cast<int>(n) : 0;
}

void UnitSimulator::SendFlowChar(char c) { WriteNow(&c, 1); }

void UnitSimulator::SendXoff(Clock::time_point now) {
  SendFlowChar(kXoff);
  if (!m_xoffSent) {
    m_afterXoff = 0;
    ++m_flow.xoffs;
    m_firstXoff = now;
    // What our own pauses left in the pseudo-terminal comes after this XOFF
    // through no fault of the application, and so does what it wrote since
    // the unit's time of this XOFF (the thread runs a little behind it).
    m_excuse = m_paced ? std::min(Waiting(), m_debt + LateChars(now)) : 0;
  }
  m_xoffSent = true;
  m_lastXoff = now;
}

void UnitSimulator::Run() {
  std::unique_lock<std::recursive_mutex> lock(m_mutex);
  m_nextIn = Clock::now();
  m_nextOut = Clock::now();
  m_simNow = Clock::now();
  m_plannedWake = Clock::now();
  m_debt = 0;
  m_excuse = 0;
  m_pauseCarry = Clock::duration::zero();
  m_emptySince.reset();
  while (!m_stop) {
    if (m_pauseMs > 0) {
      const auto pause = std::chrono::milliseconds(m_pauseMs);
      m_pauseMs = 0;
      // Woken early for it: the pause runs from now, not from the end of
      // the tick the thread was sleeping through.
      m_plannedWake = std::min(m_plannedWake, Clock::now());
      lock.unlock();
      std::this_thread::sleep_for(pause);
      lock.lock();
    }
    const auto now = Clock::now();
    if (m_paced) {
      Advance(now);
    } else {
      ConsumeInput(now);
      WriteOutput(now);
    }
    if (m_stop) break;

    // Work out how long to sleep. Paced, the thread runs every tick, busy
    // or not, so that it knows when it was paused: what the application
    // writes to an idle wire starts on its way within a tick of the unit's
    // time.
    auto wakeAt = now + kMaxIdle;
    if (m_paced) {
      wakeAt = now + kPacedTick;
    } else {
      if (!m_rx.isEmpty() && !m_stalled) wakeAt = now;
      if (!m_out.empty() && !m_peerStopped) wakeAt = std::min(wakeAt, std::max(m_out.front().notBefore, now));
    }
    pollfd fds[2];
    int count = 0;
    fds[count++] = pollfd{m_wakeRead, POLLIN, 0};
    // Unpaced, reading stops when stalled or when the receive buffer is far
    // over its limit; the pseudo-terminal then holds the rest. Paced, the
    // wire is read at its own rate; the poll only notices that it starts.
    const bool wantInput = m_paced ? !m_wireBusy : !m_stalled && m_rx.size() < 4 * kXoffAt + 4096;
    if (wantInput) fds[count++] = pollfd{m_master, POLLIN, 0};
    const auto wait = std::max(Clock::duration::zero(), wakeAt - now);
    m_plannedWake = now + wait;
    const auto waitUs = std::chrono::duration_cast<std::chrono::microseconds>(wait).count();
    timespec ts{static_cast<time_t>(waitUs / 1000000), static_cast<long>((waitUs % 1000000) * 1000)};
    lock.unlock();
    ppoll(fds, static_cast<nfds_t>(count), &ts, nullptr);
    lock.lock();
    if (fds[0].revents & POLLIN) {
      char buf[64];
      while (read(m_wakeRead, buf, sizeof buf) > 0) {
      }
    }
    if (m_paced) continue;
    if (count > 1 && (fds[1].revents & POLLIN)) {
      ReadInput();
    } else if (m_stalled) {
      RepeatXoffWhileSent(Clock::now());
    }
  }
}

int UnitSimulator::Waiting() const {
  int waiting = 0;
  if (m_master < 0 || ioctl(m_master, FIONREAD, &waiting) != 0) return 0;
  return std::max(0, waiting);
}

int UnitSimulator::LateChars(Clock::time_point now) const {
  const auto late = std::max(Clock::duration::zero(), Clock::now() - now);
  return static_cast<int>(late / m_charTime);
}

void UnitSimulator::ForgetDebtWhenIdle(int waiting, Clock::time_point now) {
  // The kernel hands the application's writes on to us a little late, the
  // more so on a busy machine: an empty pseudo-terminal for a moment does
  // not mean that the wire has caught up. Only a wire idle for a while has.
  if (waiting > 0) {
    m_emptySince.reset();
    return;
  }
  if (!m_emptySince) m_emptySince = now;
  if (now - *m_emptySince >= kIdleForgets) m_debt = 0;
}

void UnitSimulator::PauseFor(Clock::duration pause) {
  const bool inUse = m_wireBusy || !m_rx.isEmpty() || !m_out.empty();
  // The wire would have carried this much of what waits meanwhile; the
  // application's meter counted it as gone, and may write it again.
  // The wire's time goes in whole characters: the part of one carries
  // over to the next pause.
  const auto wireTime = pause + m_pauseCarry;
  const auto lineChars = static_cast<std::int64_t>(wireTime / m_charTime);
  const int owed = static_cast<int>(std::min<std::int64_t>(Waiting(), lineChars));
  m_pauseCarry = owed < lineChars ? Clock::duration::zero() : wireTime - lineChars * m_charTime;
  m_debt += owed;
  m_flow.excused += owed;
  if (inUse || owed > 0) m_flow.pausedMs += std::chrono::duration_cast<std::chrono::milliseconds>(pause).count();
  for (Clock::time_point* t : {&m_simNow, &m_wireAt, &m_nextIn, &m_nextOut, &m_lastXoff, &m_firstXoff}) *t += pause;
  for (Chunk& chunk : m_out) chunk.notBefore += pause;
}

void UnitSimulator::Advance(Clock::time_point now) {
  // Our own pause is a pause of the wire and of the unit: they go on from
  // now at the line's rate, never in a burst.
  if (now - m_plannedWake > kPauseTolerance) PauseFor(now - m_plannedWake);
  // Nothing under way: the unit's time is the clock's.
  if (!m_wireBusy && m_rx.isEmpty() && m_out.empty()) m_simNow = std::max(m_simNow, now - kSlice);
  m_simNow = std::max(m_simNow, now - kMaxCatchUp);
  while (m_simNow < now) {
    m_simNow = std::min(m_simNow + kSlice, now);
    ReadWire(m_simNow);
    ConsumeInput(m_simNow);
    WriteOutput(m_simNow);
  }
}

void UnitSimulator::ReadWire(Clock::time_point now) {
  if (m_master < 0) return;
  int waiting = Waiting();
  ForgetDebtWhenIdle(waiting, now);
  if (waiting <= 0) {
    m_wireBusy = false;
    return;
  }
  // What waits now, less what our pauses left there and what the
  // application wrote since the unit's time of this step (the thread runs
  // a little behind it).
  m_flow.maxBacklog = std::max(m_flow.maxBacklog, waiting - std::min(m_debt, waiting) - LateChars(now));
  // A wire that was idle starts carrying now; a busy one has carried one
  // character every character time since its last.
  if (!m_wireBusy) {
    m_wireBusy = true;
    m_wireAt = now;
    return;
  }
  int due = 0;
  while (due < waiting && m_wireAt + m_charTime <= now) {
    ++due;
    m_wireAt += m_charTime;
  }
  char buf[4096];
  while (due > 0) {
    const ssize_t n = read(m_master, buf, static_cast<size_t>(std::min<int>(due, sizeof buf)));
    if (n <= 0) break;
    for (ssize_t i = 0; i < n; ++i) TakeChar(buf[i], now);
    due -= static_cast<int>(n);
  }
  waiting = Waiting();
  ForgetDebtWhenIdle(waiting, now);
  if (waiting <= 0) m_wireBusy = false;
  if (!m_xoffSent && m_rx.size() > m_limits.xoffAbove) SendXoff(now);
}

void UnitSimulator::RepeatXoffWhileSent(Clock::time_point now) {
  // Unpaced and stalled the unit reads nothing; what the application writes
  // all the same tells it that its XOFF was missed.
  int waiting = 0;
  if (m_xoffSent && now - m_lastXoff >= kXoffRepeat && ioctl(m_master, FIONREAD, &waiting) == 0 && waiting > 0)
    SendXoff(now);
}

void UnitSimulator::TakeChar(char c, Clock::time_point now) {
  // The application's own flow control.
  if (c == kXoff) {
    m_peerStopped = true;
    return;
  }
  if (c == kXon) {
    m_peerStopped = false;
    return;
  }
  ++m_arrived;
  if (m_xoffSent) {
    m_flow.maxAfterXoff = std::max(m_flow.maxAfterXoff, ++m_afterXoff - m_excuse);
    // A sender that does not stop is told again.
    if (now - m_lastXoff >= kXoffRepeat) SendXoff(now);
  }
  // The buffer holds what our own pauses added on top; a unit that had
  // not paused would have stopped the application before it wrote that.
  if (m_rx.size() >= m_limits.capacity + (m_xoffSent ? m_excuse : 0)) {
    ++m_flow.lost;
    return;
  }
  m_rx.append(c);
  m_flow.maxBuffered = std::max(m_flow.maxBuffered, static_cast<int>(m_rx.size()));
}

void UnitSimulator::ReadInput() {
  // Unpaced: whatever has come, at once; the pseudo-terminal holds the rest
  // while the buffer is far over its limit.
  char buf[4096];
  for (;;) {
    const ssize_t n = read(m_master, buf, sizeof buf);
    if (n <= 0) break;
    for (ssize_t i = 0; i < n; ++i) {
      // The application's own flow control.
      if (buf[i] == kXoff) {
        m_peerStopped = true;
      } else if (buf[i] == kXon) {
        m_peerStopped = false;
      } else {
        ++m_arrived;
        m_rx.append(buf[i]);
      }
    }
    if (m_rx.size() >= 4 * kXoffAt + 4096) break;
  }
}

bool UnitSimulator::OutputBacklogged() const {
  if (!m_paced) return false;
  int pending = 0;
  for (const Chunk& chunk : m_out) {
    pending += chunk.bytes.size();
    if (pending >= kOutBacklog) return true;
  }
  return false;
}

void UnitSimulator::ConsumeInput(Clock::time_point now) {
  if (!m_stalled) {
    if (!m_paced) {
      // A planned stall keeps what follows its line in the buffer.
      qsizetype taken = 0;
      while (taken < m_rx.size() && !m_stalled) TakeIntoLine(m_rx.at(taken++));
      m_rx.remove(0, taken);
    } else {
      // At the line's rate, and a unit slow at its work takes its time for
      // each line before it reads on.
      if (m_rx.isEmpty()) m_nextIn = std::max(m_nextIn, now);
      if (m_nextIn < now - std::chrono::milliseconds(20)) m_nextIn = now;
      // The unit's command processor waits while its transmit buffer is
      // full, so answers that take longer to send than their queries hold
      // the application back (through XOFF) instead of piling up.
      while (!m_rx.isEmpty() && m_nextIn <= now && !OutputBacklogged() && !m_stalled) {
        const char c = m_rx.at(0);
        m_rx.remove(0, 1);
        m_nextIn += m_charTime;
        if (TakeIntoLine(c) && m_limits.msPerLine > 0) m_nextIn += std::chrono::milliseconds(m_limits.msPerLine);
      }
    }
  }
  if (m_xoffSent && !m_stalled && m_rx.size() < (m_paced ? m_limits.xonBelow : kXonAt)) {
    SendFlowChar(kXon);
    m_xoffSent = false;
    m_excuse = 0;
    m_flow.heldMs += std::chrono::duration_cast<std::chrono::milliseconds>(now - m_firstXoff).count();
  }
}

bool UnitSimulator::TakeIntoLine(char c) {
  ++m_charsIn;
  if (c == '\r' || c == '\n') {
    if (m_line.isEmpty()) return false;
    const QByteArray line = m_line;
    m_line.clear();
    HandleLine(line);
    return true;
  }
  if (m_line.size() < kMaxLineChars) m_line.append(c);
  return false;
}

void UnitSimulator::HandleLine(const QByteArray& raw) {
  Command cmd;
  cmd.received = QString::fromLatin1(raw);
  cmd.line = cmd.received.startsWith(QLatin1Char(' ')) ? m_lastPath + cmd.received : cmd.received;
  if (!m_preloading && m_dropEvery > 0 && ++m_lineCount % m_dropEvery == 0) {
    m_dropped.append(cmd.line);
    return;
  }
  if (!m_preloading && m_loseCount > 0 && cmd.line == m_loseLine) {
    --m_loseCount;
    m_dropped.append(cmd.line);
    return;
  }
  const int blank = cmd.line.indexOf(QLatin1Char(' '));
  cmd.path = blank < 0 ? cmd.line : cmd.line.left(blank);
  cmd.value = blank < 0 ? QString() : cmd.line.mid(blank + 1);
  m_lastPath = cmd.path;
  if (!m_preloading) {
    m_received.append(cmd.received);
    m_full.append(cmd.line);
  }

  const auto now = Clock::now();
  if (m_echo && !m_silent && !m_preloading) Enqueue(raw + "\r\n", now);
  if (!m_preloading && m_stallAfter > 0 && --m_stallAfter == 0) {
    // The unit finishes this line, then holds the line.
    m_stalled = true;
    if (!m_xoffSent) SendXoff(now);
  }

  QStringList replies;
  const Handler* best = nullptr;
  int bestLength = -1;
  for (const auto& entry : m_handlers) {
    if (cmd.path.startsWith(entry.first) && entry.first.size() > bestLength) {
      best = &entry.second;
      bestLength = entry.first.size();
    }
  }
  bool taken = false;
  // The unit's switches take ON or OFF; a garbled value (the rest of
  // another line glued to it) is refused and changes nothing.
  if (!cmd.IsQuery() && (cmd.path == QLatin1String("/MACRO/LOCK") || cmd.path == QLatin1String("/PROTECT")) &&
      cmd.value != QLatin1String("ON") && cmd.value != QLatin1String("OFF")) {
    replies.append(QStringLiteral("ERROR ") + cmd.path);
    taken = true;
    best = nullptr;
  }
  if (best) {
    const Handler handler = *best;  // a handler may register others
    taken = handler(*this, cmd, replies);
  }
  if (!taken) {
    if (cmd.IsQuery()) {
      if (m_store.contains(cmd.path))
        replies.append(cmd.path + QLatin1Char(' ') + m_store.value(cmd.path));
      else
        replies.append(QStringLiteral("ERROR ") + cmd.path);
    } else if (!cmd.value.isEmpty()) {
      m_store.insert(cmd.path, cmd.value);
    }
  }
  if (replies.isEmpty() || m_silent || m_preloading) return;
  for (const QString& pattern : m_drops) {
    if (Matches(pattern, cmd.path)) return;
  }
  auto at = now;
  for (const Rule& rule : m_delays) {
    if (Matches(rule.pattern, cmd.path)) at = now + std::chrono::milliseconds(rule.delayMs);
  }
  for (const QString& reply : replies) {
    const QByteArray bytes = reply.toLatin1() + "\r\n";
    if (m_split && bytes.size() > 1) {
      const int half = bytes.size() / 2;
      Enqueue(bytes.left(half), at);
      Enqueue(bytes.mid(half), at + kSplitPause);
    } else {
      Enqueue(bytes, at);
    }
  }
}

void UnitSimulator::WriteOutput(Clock::time_point now) {
  while (!m_out.empty() && !m_peerStopped && m_master >= 0) {
    Chunk& chunk = m_out.front();
    if (chunk.notBefore > now) return;
    if (!m_paced) {
      const int written = WriteNow(chunk.bytes.constData(), chunk.bytes.size());
      m_charsOut += written;
      if (written < chunk.bytes.size()) {
        chunk.bytes.remove(0, written);
        return;  // the pseudo-terminal is full; try again later
      }
      m_out.pop_front();
      // The next chunk may carry a later time of its own (a split answer).
      if (!m_out.empty() && m_out.front().notBefore < now) m_out.front().notBefore = now;
      continue;
    }
    if (m_nextOut < now - std::chrono::milliseconds(20)) m_nextOut = now;
    int count = 0;
    while (count < chunk.bytes.size() && m_nextOut <= now) {
      ++count;
      m_nextOut += m_charTime;
    }
    if (count == 0) return;
    const int written = WriteNow(chunk.bytes.constData(), count);
    m_charsOut += written;
    chunk.bytes.remove(0, written);
    if (!chunk.bytes.isEmpty()) return;
    m_out.pop_front();
  }
}

void UnitSimulator::SetStrict(bool strict) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_strict = strict;
}

bool UnitSimulator::IsStrict() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_strict;
}

void UnitSimulator::SetResolvedAnswers(bool resolved) {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  m_resolvedAnswers = resolved;
}

bool UnitSimulator::ResolvedAnswers() const {
  std::lock_guard<std::recursive_mutex> lock(m_mutex);
  return m_resolvedAnswers;
}
