#include "link/clinkprotocol.h"

#include "link/commandpath.h"
#include "link/commandtext.h"
#include "link/cprotocolmonitor.h"
#include "link/iserialport.h"
#include "link/linkmode.h"
#include "model/ctext.h"

using CommandText::PathOf;
using CommandText::ValueOf;

namespace {

// The line feed that ends the line before an exchange is not part of it.
void DropLeadingLineEnds(QByteArray& bytes) {
  int start = 0;
  while (start < bytes.size() && (bytes[start] == '\n' || bytes[start] == '\r')) ++start;
  bytes.remove(0, start);
}

}  // namespace

CLinkProtocol::CLinkProtocol(ISerialPort& port, CProtocolMonitor& monitor) : m_port(port), m_monitor(monitor) {}

void CLinkProtocol::Reset() {
  m_cutter.Reset();
  m_lastPath.clear();
  m_owed.clear();
  m_owedStale = false;
}

void CLinkProtocol::SetMode(int mode) {
  const int old = m_mode;
  if (mode == LINKMODE_UPLOAD && old != LINKMODE_UPLOAD) {
    m_owed.clear();
    m_owedStale = false;
  }
  if (old == LINKMODE_UPLOAD && mode != LINKMODE_UPLOAD && !m_owed.empty()) m_owedStale = true;
  m_mode = mode;
}

// ---- Writing ------------------------------------------------------------------------

void CLinkProtocol::NotePath(const QString& line) {
  // A shortened line (" value") keeps the path it continues.
  m_lastPath = CommandText::NextPath(line, m_lastPath);
}

bool CLinkProtocol::WriteText(const QByteArray& text, const QString& lastLine) {
  if (text.isEmpty()) return true;
  if (!m_port.IsOpen() || !m_port.Output(text)) {
    // The unit did not get it: the next line must carry its full path.
    m_lastPath.clear();
    return false;
  }
  m_monitor.AddSent(text);
  m_lastOutput.start();
  NotePath(lastLine);
  return true;
}

bool CLinkProtocol::WriteLine(const QString& line) {
  if (!WriteText(ToUnitText(line) + "\r\n", line)) return false;
  NoteWritten(line);
  NoteQuery(line);
  return true;
}

void CLinkProtocol::NoteListWritten(const QStringList& lines) {
  // The list went out as one text; for the tally each line counts. Only
  // its last path is noted, so the lines carry their paths as given.
  const QString last = m_lastPath;
  for (const QString& line : lines) {
    m_lastPath = CommandText::NextPath(line, m_lastPath);
    NoteWritten(line);
  }
  m_lastPath = last;
}

void CLinkProtocol::NoteWritten(const QString& line) {
  // A synchronous exchange takes its echo itself.
  if (!m_tallying || m_capturing) return;
  ++m_tally.written;
  if (m_mode == LINKMODE_UPLOAD && ValueOf(line) == QLatin1String("?")) ++m_tally.queries;
  if (!m_confirming) return;
  // NotePath has run: a shortened line continues the path written last.
  m_unechoed.push_back(SentLine{line, line.startsWith(QLatin1Char(' ')) ? m_lastPath + line : line});
}

void CLinkProtocol::NoteQuery(const QString& line) {
  // A synchronous exchange takes its answer itself.
  if (m_mode != LINKMODE_UPLOAD || m_capturing || ValueOf(line) != QLatin1String("?")) return;
  // A shortened line continues the path written before it.
  m_owed.push_back(CommandText::NextPath(line, m_lastPath));
  if (m_queryObserver) m_queryObserver->QueryWritten(m_owed.back());
}

int CLinkProtocol::DiscardQueued() {
  const int dropped = m_port.DiscardQueued();
  if (dropped > 0) {
    m_monitor.AddNote(tr("%1 characters not sent").arg(dropped));
    // What follows must carry its full path.
    m_lastPath.clear();
  }
  return dropped;
}

// ---- Receiving --------------------------------------------------------------------------

QStringList CLinkProtocol::Cut(const QByteArray& bytes) {
  QStringList lines;
  m_cutter.Feed(bytes, lines);
  return lines;
}

void CLinkProtocol::BeginCapture() {
  m_capturing = true;
  m_capture = m_cutter.TakePartial();
}

QByteArray CLinkProtocol::EndCapture(bool markCut) {
  m_capturing = false;
  QByteArray captured;
  captured.swap(m_capture);
  DropLeadingLineEnds(captured);
  if (markCut) MarkCut(captured);
  return captured;
}

void CLinkProtocol::MarkCut(const QByteArray& captured) {
  if (!captured.isEmpty() && !captured.endsWith('\r') && !captured.endsWith('\n')) m_cutter.SkipToLineEnd();
}

// ---- The tally and the owed queries ------------------------------------------------------

void CLinkProtocol::StartTally(bool confirming) {
  m_tallying = true;
  m_confirming = confirming;
  m_tally = IDeviceLink::Tally();
  m_unechoed.clear();
  m_firstMissed.clear();
  m_firstRefused.clear();
}

void CLinkProtocol::StopTally() {
  m_tallying = false;
  m_unechoed.clear();
}

QString CLinkProtocol::FirstUnconfirmedPath() const {
  if (!m_firstMissed.isEmpty()) return m_firstMissed;
  return m_unechoed.empty() ? QString() : PathOf(m_unechoed.front().full);
}

bool CLinkProtocol::TakeEcho(const QString& line) {
  if (!m_tallying || m_unechoed.empty()) return false;
  // The echo is cut as every received line is.
  auto same = [&line](const QString& sent) {
    return sent.size() > CLineCutter::kDefaultMaxLineChars
               ? QStringView(sent).left(CLineCutter::kDefaultMaxLineChars) == line
               : sent == line;
  };
  for (size_t i = 0; i < m_unechoed.size(); ++i) {
    const SentLine& sent = m_unechoed[i];
    if (!same(sent.text) && !same(sent.full)) continue;
    // The unit echoes in order: the lines before this one never reached it
    // whole.
    for (size_t j = 0; j < i; ++j) {
      ++m_tally.missed;
      if (m_firstMissed.isEmpty()) m_firstMissed = PathOf(m_unechoed[j].full);
    }
    m_unechoed.erase(m_unechoed.begin(), m_unechoed.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    ++m_tally.echoed;
    ++m_tally.replies;
    return true;
  }
  return false;
}

void CLinkProtocol::NoteRefusal(const QString& line) {
  if (!m_tallying || !line.startsWith(QLatin1String("ERROR "))) return;
  ++m_tally.refused;
  if (m_firstRefused.isEmpty()) m_firstRefused = line.mid(6).trimmed();
}

bool CLinkProtocol::TakeAnswer(const QString& line, QString* answered) {
  if (m_owed.empty()) return false;
  QString path;
  if (line.startsWith(QLatin1String("ERROR "))) {
    path = line.mid(6).trimmed();
  } else {
    if (!line.startsWith(QLatin1Char('/')) || ValueOf(line) == QLatin1String("?")) return false;
    path = PathOf(line);
  }
  // Answers come in order; one whose query went unanswered leaves a gap.
  for (auto it = m_owed.begin(); it != m_owed.end(); ++it) {
    if (!CommandPath::Same(*it, path)) continue;
    if (answered) *answered = *it;
    m_owed.erase(it);
    if (m_owed.empty()) m_owedStale = false;
    if (m_tallying && !m_owedStale) {
      ++m_tally.answered;
      ++m_tally.replies;
    }
    return true;
  }
  return false;
}

// ---- Waits ------------------------------------------------------------------------------------

void CLinkProtocol::WaitFor(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (m_port.IsOpen()) {
    const qint64 left = ms - timer.elapsed();
    if (left <= 0) break;
    m_port.WaitForInput(static_cast<int>(left));
  }
}

bool CLinkProtocol::WaitDrained(int noProgressMs) {
  QElapsedTimer progress;
  progress.start();
  int last = m_port.OutBufferCount();
  while (m_port.IsOpen()) {
    const int count = m_port.OutBufferCount();
    if (count == 0) return true;
    if (count < last) {
      last = count;
      progress.restart();
    } else if (progress.elapsed() > noProgressMs) {
      return false;
    }
    m_port.WaitForOutput(50);
  }
  return false;
}
