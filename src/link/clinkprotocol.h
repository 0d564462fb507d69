#ifndef SELV_LINK_CLINKPROTOCOL_H
#define SELV_LINK_CLINKPROTOCOL_H

#include "link/clinecutter.h"
#include "link/idevicelink.h"
#include "link/iqueryobserver.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

class CProtocolMonitor;
class ISerialPort;

// The lines on the line to the unit, below the connection: writing lines
// (to the port and the monitor, with the path the next shortened line
// continues), cutting what the unit sends into lines, and keeping count of
// what the unit owes: the echo of every line a transfer writes (the tally)
// and the answer to every query of an upload (the owed queries). Also the
// raw capture of the synchronous exchanges, and the clocks of the last
// output and input. Knows nothing of documents, windows or the unit's
// closing state.
class CLinkProtocol final {
  Q_DECLARE_TR_FUNCTIONS(CLinkProtocol)

 public:
  CLinkProtocol(ISerialPort& port, CProtocolMonitor& monitor);
  CLinkProtocol(const CLinkProtocol&) = delete;
  CLinkProtocol& operator=(const CLinkProtocol&) = delete;

  // A new connection, or none: nothing half cut, no path, nothing owed.
  void Reset();
  // The link's mode changes: a new upload counts its own queries; when one
  // ends, the answers it is still owed belong to nothing any more.
  void SetMode(int mode);

  // ---- Writing ----------------------------------------------------------------
  // Writes text (lastLine: the last line in it, for the path); false when
  // the port did not take it (the next line then carries its full path).
  bool WriteText(const QByteArray& text, const QString& lastLine);
  // One line with CR LF, counted for the tally and the owed queries.
  bool WriteLine(const QString& line);
  // Lines written as one text (a command list): each counts for the tally.
  void NoteListWritten(const QStringList& lines);
  QString LastPath() const { return m_lastPath; }
  // A line collected instead of written (queueing) continues the path too.
  void NotePath(const QString& line);
  // The next line must carry its full path.
  void ForgetPath() { m_lastPath.clear(); }
  // Drops what waits in the port's own buffer; the characters dropped.
  int DiscardQueued();

  // ---- Receiving -----------------------------------------------------------------
  // Cuts bytes into lines (the monitor has them already).
  QStringList Cut(const QByteArray& bytes);
  // While capturing (a synchronous exchange), what comes is kept raw.
  bool Capturing() const { return m_capturing; }
  void Capture(const QByteArray& bytes) { m_capture.append(bytes); }
  const QByteArray& Captured() const { return m_capture; }
  // Starts a capture with the line the cutter has begun.
  void BeginCapture();
  // Ends it and returns what came, line ends before it dropped; with
  // markCut a line cut off at the end is marked, so that its rest does not
  // reach the routing as a line of its own.
  QByteArray EndCapture(bool markCut);
  void MarkCut(const QByteArray& captured);
  void NoteInput() { m_lastInput.start(); }

  // ---- The tally and the owed queries ----------------------------------------------
  // Counting what a transfer's lines got (see IDeviceLink::Tally).
  void StartTally(bool confirming);
  void StopTally();
  bool Tallying() const { return m_tallying; }
  const IDeviceLink::Tally& Tally() const { return m_tally; }
  QString FirstUnconfirmedPath() const;
  QString FirstRefusedPath() const { return m_firstRefused; }
  // True when line is the echo of a line still owed one (lines passed over
  // count as missed).
  bool TakeEcho(const QString& line);
  // A line of a download the unit answered with "ERROR path".
  void NoteRefusal(const QString& line);
  int OwedAnswers() const { return static_cast<int>(m_owed.size()); }
  QString FirstOwedPath() const { return m_owed.empty() ? QString() : m_owed.front(); }
  // The answers owed belong to an upload that has ended.
  bool OwedStale() const { return m_owedStale; }
  // True when line answers an owed query (then no longer owed); *path is
  // the query's path.
  bool TakeAnswer(const QString& line, QString* path = nullptr);
  void SetQueryObserver(IQueryObserver* observer) { m_queryObserver = observer; }
  IQueryObserver* QueryObserver() const { return m_queryObserver; }

  // ---- Time -------------------------------------------------------------------------
  int64_t SinceLastOutput() const { return m_lastOutput.isValid() ? m_lastOutput.elapsed() : INT64_MAX / 2; }
  int64_t SinceLastInput() const { return m_lastInput.isValid() ? m_lastInput.elapsed() : INT64_MAX / 2; }

  // ---- Waits on the port, without the event loop ----------------------------------
  // Until the port's output buffer is empty; false when nothing left it for
  // noProgressMs or the port closed.
  bool WaitDrained(int noProgressMs);
  // Drives the port for ms (what comes reaches the receive handler).
  void WaitFor(int ms);

 private:
  void NoteWritten(const QString& line);
  void NoteQuery(const QString& line);

  ISerialPort& m_port;
  CProtocolMonitor& m_monitor;
  CLineCutter m_cutter;
  int m_mode = 0;
  QString m_lastPath;
  // Paths of the upload's queries still owed an answer, in the order sent.
  std::deque<QString> m_owed;
  bool m_owedStale = false;
  IQueryObserver* m_queryObserver = nullptr;
  // Lines written and not yet echoed, as sent and as full lines (a
  // shortened line with its path).
  struct SentLine {
    QString text;
    QString full;
  };
  bool m_tallying = false;
  bool m_confirming = false;  // the unit echoes: lines wait for their echo
  IDeviceLink::Tally m_tally;
  std::deque<SentLine> m_unechoed;
  QString m_firstMissed;
  QString m_firstRefused;
  bool m_capturing = false;
  QByteArray m_capture;
  QElapsedTimer m_lastOutput;
  QElapsedTimer m_lastInput;
};

#endif
