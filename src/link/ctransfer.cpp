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

CTransfer::CTransfer(IDeviceLink* link, QObject* parent) : QObject(parent), m_link(link) {}

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

  // The error file is emptied before every transfer; an upload writes into it.
  link.GetErrorFilePath();
  link.SetLinkMode(mode);
  Report(0, total);

  Result result = Steps(jobs, total);
  if (result == Result::Done) result = WaitQuiet();
  if (!guard && doc) result = Result::Failed;

  // Every ending: back to the resting mode (this unlocks the unit's macros
  // after a download).
  link.SetLinkMode(LINKMODE_NORMAL);
  // Shown when something was written to it (an upload's mismatches), and
  // forgotten in any case, so later replies cannot write into it.
  link.ShowErrorFile();
  if (clearConnection) disconnect(clearConnection);

  bool restored = false;
  if (result != Result::Done && guard && !snapshot.isEmpty() && !m_docCleared) {
    QBuffer buffer(&snapshot);
    buffer.open(QIODevice::ReadOnly);
    restored = guard->LoadFrom(buffer).ok;
    if (restored) guard->SetModifiedFlag(wasModified);
  }
  if (result != Result::Done) qCInfo(lcTransfer) << "transfer ended:" << static_cast<int>(result);
  const QString message = ResultMessage(result, restored);
  // A lost link reports itself; the transfer adds a box only when it has
  // put the project back.
  if (!message.isEmpty() && (result != Result::LinkLost || restored))
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
  return result;
}

CTransfer::Result CTransfer::Steps(std::vector<Job>& jobs, int total) {
  IDeviceLink& link = Link();
  QElapsedTimer progress;
  progress.start();
  int lastOut = link.OutBufferCount();
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
        const int out = link.OutBufferCount();
        if (out < lastOut) progress.restart();
        lastOut = out;
        if (progress.elapsed() > m_noProgressMs) return Result::NoProgress;
        continue;
      }
      if (next < step) {
        // An object that steps backwards would never end.
        qCWarning(lcTransfer) << "a transfer step went back from" << step << "to" << next;
        break;
      }
      done += qMin(next, job.end) - step;
      step = next;
      progress.restart();
      lastOut = link.OutBufferCount();
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
  QElapsedTimer progress;
  progress.start();
  QElapsedTimer empty;  // since the output buffer was last seen empty
  int lastOut = link.OutBufferCount();
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
      progress.restart();
    } else {
      empty.invalidate();
      if (out < lastOut) progress.restart();
      if (progress.elapsed() > m_noProgressMs) return Result::NoProgress;
    }
    lastOut = out;
    Idle();
  }
}
