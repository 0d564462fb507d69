#include "link/ctransfer.h"

#include "link/ccommandfile.h"
#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QThread>

#include <memory>
#include <set>

Q_LOGGING_CATEGORY(lcTransfer, "selv.link.transfer")

namespace {

bool g_running = false;

// Set while a transfer runs, whatever way it ends.
class RunningFlag final {
 public:
  RunningFlag() { g_running = true; }
  ~RunningFlag() { g_running = false; }
};

}  // namespace

CTransfer::CTransfer(IDeviceLink* link, QObject* parent)
    : QObject(parent), m_link(link), m_downloadMode(LINKMODE_DOWNLOAD) {}

CTransfer::Liveness::Liveness(IDeviceLink& link) : m_link(link), m_lastOut(link.OutBufferCount()) { m_clock.start(); }

qint64 CTransfer::Liveness::Check() {
  const int out = m_link.OutBufferCount();
  // Every character that leaves and every one that comes is progress: an
  // object waiting for its answer behind a backlog of answers is alive.
  if (out < m_lastOut || m_link.GetTimeSinceLastInput() < m_clock.elapsed()) m_clock.restart();
  m_lastOut = out;
  return m_clock.elapsed();
}

void CTransfer::Liveness::Restart() {
  m_clock.restart();
  m_lastOut = m_link.OutBufferCount();
}

CTransfer::~CTransfer() = default;

bool CTransfer::IsRunning() { return g_running; }

IDeviceLink& CTransfer::Link() const { return m_link ? *m_link : *GetDeviceLink(); }

QString CTransfer::ResultMessage(Result result, bool restored) {
  QString text;
  switch (result) {
    case Result::Done:
    case Result::Canceled: break;
    case Result::NoProgress:
      text = tr("The transfer was stopped: the unit has neither taken data nor answered for some seconds.");
      break;
    case Result::LinkLost: text = tr("The transfer was stopped: the connection to the unit was lost."); break;
    case Result::Busy: text = tr("A transfer is already running. Wait until it has ended."); break;
    case Result::NotConnected: text = tr("The unit is not connected."); break;
    case Result::Failed: text = tr("The transfer was stopped: the project was closed or changed."); break;
    case Result::Unanswered:
      text = tr("The upload was stopped: the unit has not answered every query for some seconds.");
      break;
  }
  if (restored && result != Result::Done) {
    if (!text.isEmpty()) text += QLatin1Char('\n');
    text += tr("The project was left as it was before the upload.");
  }
  return text;
}

void CTransfer::Report(int done, int total) {
  if (m_progress) m_progress(done, total);
  emit progress(done, total);
}

void CTransfer::Idle() {
  // Let the port send and receive, and the progress dialog react.
  Link().PumpMessages();
  QThread::usleep(500);
}

CTransfer::Result CTransfer::DownloadObject(CBaseDevice& object) {
  return Run(false, {Item{&object}}, object.GetDocument());
}

CTransfer::Result CTransfer::UploadObject(CBaseDevice& object) {
  return Run(true, {Item{&object}}, object.GetDocument());
}

CTransfer::Result CTransfer::DownloadProject(CSelvantisDoc& doc) {
  std::vector<Item> items;
  for (CBaseDevice* object : doc.GetAllObjects()) items.push_back(Item{object});
  return Run(false, std::move(items), &doc);
}

CTransfer::Result CTransfer::UploadProject(CSelvantisDoc& doc) {
  std::vector<Item> items;
  for (CBaseDevice* object : doc.GetAllObjects()) items.push_back(Item{object});
  return Run(true, std::move(items), &doc, true);
}

CTransfer::Result CTransfer::Run(bool bUpload, std::vector<Item> items, CSelvantisDoc* doc, bool restoreOnFailure) {
  if (g_running) {
    AfxMessageBox(ResultMessage(Result::Busy, false), MB_OK | MB_ICONEXCLAMATION);
    return Result::Busy;
  }
  if (!Link().IsConnected()) {
    AfxMessageBox(ResultMessage(Result::NotConnected, false), MB_OK | MB_ICONEXCLAMATION);
    return Result::NotConnected;
  }
  // Objects deleted while the transfer pumps events are skipped from then on.
  auto removed = std::make_shared<std::set<const CBaseDevice*>>();
  std::vector<QMetaObject::Connection> connections;
  if (doc) {
    connections.push_back(connect(doc, &CSelvantisDoc::objectAboutToBeRemoved, this,
                                  [removed](CBaseDevice* object) { removed->insert(object); }));
  }
  std::vector<Job> jobs;
  for (const Item& item : items) {
    CBaseDevice* object = item.object;
    if (!object) continue;
    const int count = object->Download(bUpload, item.countStep);
    const int end = item.endStep < 0 ? count : qMin(item.endStep, count);
    if (end <= item.firstStep) continue;
    Job job;
    job.first = qMax(0, item.firstStep);
    job.end = end;
    job.alive = [removed, object] { return removed->count(object) == 0; };
    job.step = [object, bUpload](int step) { return object->Download(bUpload, step); };
    jobs.push_back(std::move(job));
  }
  const Result result = Execute(bUpload ? LINKMODE_UPLOAD : LINKMODE_DOWNLOAD, jobs, doc, restoreOnFailure);
  for (const auto& connection : connections) disconnect(connection);
  return result;
}

CTransfer::Result CTransfer::SendLines(const QStringList& lines) {
  if (g_running) {
    AfxMessageBox(ResultMessage(Result::Busy, false), MB_OK | MB_ICONEXCLAMATION);
    return Result::Busy;
  }
  if (!Link().IsConnected()) {
    AfxMessageBox(ResultMessage(Result::NotConnected, false), MB_OK | MB_ICONEXCLAMATION);
    return Result::NotConnected;
  }
  std::vector<Job> jobs;
  if (!lines.isEmpty()) {
    Job job;
    job.first = 0;
    job.end = lines.size();
    job.alive = [] { return true; };
    job.step = [this, &lines](int step) {
      if (Link().OutBufferCount() >= kOutBufferLimit) return step;
      Link().SendCommand(lines[step], nullptr);
      return step + 1;
    };
    jobs.push_back(std::move(job));
  }
  return Execute(LINKMODE_DOWNLOAD, jobs, nullptr, false);
}

CTransfer::Result CTransfer::SendCommandFile(const QString& path) {
  QStringList lines;
  QString error;
  if (!CCommandFile::Read(path, &lines, &error)) {
    AfxMessageBox(error, MB_OK | MB_ICONSTOP);
    return Result::Failed;
  }
  return SendLines(lines);
}

CTransfer::Result CTransfer::Execute(int mode, std::vector<Job>& jobs, CSelvantisDoc* doc, bool restoreOnFailure) {
  RunningFlag running;
  m_canceled = false;
  m_docCleared = false;
  IDeviceLink& link = Link();
  QPointer<CSelvantisDoc> guard(doc);

  // A snapshot to go back to when an upload does not complete.
  QByteArray snapshot;
  const bool wasModified = doc && doc->IsModified();
  if (restoreOnFailure && doc) {
    QBuffer buffer(&snapshot);
    buffer.open(QIODevice::WriteOnly);
    if (!doc->SaveTo(buffer).ok) {
      qCWarning(lcTransfer) << "no snapshot of the project: an incomplete upload cannot be undone";
      snapshot.clear();
    }
  }
  QMetaObject::Connection clearConnection;
  if (doc) clearConnection = connect(doc, &CSelvantisDoc::aboutToClear, this, [this] { m_docCleared = true; });

  int total = 0;
  for (const Job& job : jobs) total += job.end - job.first;

  const bool upload = mode == LINKMODE_UPLOAD;
  m_unanswered = 0;
  m_firstUnanswered.clear();
  // A stray XOFF of the unit must not hold this transfer.
  link.ReleaseLine();
  // The error file holds what the last upload found: only an upload
  // prepares it (and writes its mismatches into it).
  if (upload) link.GetErrorFilePath();
  link.SetLinkMode(mode);
  Report(0, total);

  Result result = Steps(jobs, total);
  if (result == Result::Done) result = upload ? WaitAnswers() : WaitQuiet();
  if (!guard && doc) result = Result::Failed;
  if (upload && result == Result::NoProgress && link.CountsAnswers() && link.OwedAnswers() > 0) {
    // The unit stopped answering while objects still waited.
    m_unanswered = link.OwedAnswers();
    m_firstUnanswered = link.FirstOwedPath();
    result = Result::Unanswered;
  }

  // Every ending: back to the resting mode (this unlocks the unit's macros
  // after a download; answers still owed to the upload are dropped from
  // now on).
  link.SetLinkMode(LINKMODE_NORMAL);
  // Shown when something was written to it (an upload's mismatches), and
  // forgotten in any case, so later replies cannot write into it.
  if (upload) link.ShowErrorFile();
  if (clearConnection) disconnect(clearConnection);

  bool restored = false;
  if (result != Result::Done && guard && !snapshot.isEmpty() && !m_docCleared) {
    QBuffer buffer(&snapshot);
    buffer.open(QIODevice::ReadOnly);
    restored = guard->LoadFrom(buffer).ok;
    if (restored) guard->SetModifiedFlag(wasModified);
  }
  if (result != Result::Done) qCInfo(lcTransfer) << "transfer ended:" << static_cast<int>(result);
  const QString message = EndMessage(result, mode, restored);
  if (!message.isEmpty()) AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
  return result;
}

QString CTransfer::EndMessage(Result result, int mode, bool restored) const {
  if (result == Result::Done) return QString();
  QStringList parts;
  // A lost link reports itself; the transfer adds a box only when it has
  // more to say.
  if (result != Result::LinkLost || restored) {
    const QString text = ResultMessage(result, false);
    if (!text.isEmpty()) parts << text;
  }
  if (result == Result::Unanswered)
    parts << tr("%1 queries stayed unanswered, the first: %2").arg(m_unanswered).arg(m_firstUnanswered);
  if (result == Result::NoProgress && Link().IsLineHeld())
    parts << tr(
        "The unit holds the line (XOFF). The connection stays open; the unit gets the rest when it takes "
        "data again.");
  if (mode != LINKMODE_UPLOAD && result != Result::Busy && result != Result::NotConnected)
    parts << tr("The unit now holds only part of the project. A whole download puts it right.");
  if (restored) parts << tr("The project was left as it was before the upload.");
  return parts.join(QLatin1Char('\n'));
}

CTransfer::Result CTransfer::Steps(std::vector<Job>& jobs, int total) {
  IDeviceLink& link = Link();
  Liveness alive(link);
  int done = 0;
  for (Job& job : jobs) {
    int step = job.first;
    while (step < job.end) {
      if (m_canceled) return Result::Canceled;
      if (m_docCleared) return Result::Failed;
      if (!link.IsConnected()) return Result::LinkLost;
      if (!job.alive()) break;
      const int next = job.step(step);
      if (next < 0) break;
      if (next == step) {
        // Output buffer full, or the object waits for the unit's answer.
        Idle();
        if (alive.Check() > m_noProgressMs) return Result::NoProgress;
        continue;
      }
      if (next < step) {
        // An object that steps backwards would never end.
        qCWarning(lcTransfer) << "a transfer step went back from" << step << "to" << next;
        break;
      }
      done += qMin(next, job.end) - step;
      step = next;
      alive.Restart();
      Report(done, total);
      link.PumpMessages();
    }
    // Skipped steps of an object that ended early still count as done.
    done += job.end - qMin(step, job.end);
  }
  Report(total, total);
  return Result::Done;
}

CTransfer::Result CTransfer::WaitQuiet() {
  IDeviceLink& link = Link();
  Liveness alive(link);
  QElapsedTimer empty;  // since the output buffer was last seen empty
  for (;;) {
    if (m_canceled) return Result::Canceled;
    if (m_docCleared) return Result::Failed;
    if (!link.IsConnected()) return Result::LinkLost;
    const int out = link.OutBufferCount();
    if (out == 0) {
      // Quiet both ways: the answers to the last queries of an upload trail
      // the queries on a slow line, and a mode change before they are in
      // would lose them.
      if (link.GetTimeSinceLastOutput() > kQuietMs && link.GetTimeSinceLastInput() > kQuietMs) return Result::Done;
      // Everything has gone out; a window that keeps polling must not keep
      // the transfer open for ever.
      if (!empty.isValid()) empty.start();
      if (empty.elapsed() > kQuietMs + m_noProgressMs) return Result::Done;
      alive.Check();
    } else {
      empty.invalidate();
      if (alive.Check() > m_noProgressMs) return Result::NoProgress;
    }
    Idle();
  }
}

CTransfer::Result CTransfer::WaitAnswers() {
  IDeviceLink& link = Link();
  // A link that cannot count answers: wait for a quiet line as a download
  // does.
  if (!link.CountsAnswers()) return WaitQuiet();
  Liveness alive(link);
  for (;;) {
    if (m_canceled) return Result::Canceled;
    if (m_docCleared) return Result::Failed;
    if (!link.IsConnected()) return Result::LinkLost;
    const int owed = link.OwedAnswers();
    if (owed == 0 && link.OutBufferCount() == 0) return Result::Done;
    if (alive.Check() > m_noProgressMs) {
      if (owed == 0) return Result::NoProgress;
      m_unanswered = owed;
      m_firstUnanswered = link.FirstOwedPath();
      return Result::Unanswered;
    }
    Idle();
  }
}
