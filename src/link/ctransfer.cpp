#include "link/ctransfer.h"

#include "link/ccommandfile.h"
#include "link/ccommlink.h"
#include "link/cdryrun.h"
#include "link/ctransfernotifier.h"
#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "model/cbasedevice.h"
#include "model/cidmanager.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QScopeGuard>

#include <memory>
#include <set>

Q_LOGGING_CATEGORY(lcTransfer, "selv.link.transfer")

namespace {

// The time the user has spent answering message boxes while transfers
// ran, and the box that is up now.
struct Answering {
  int open = 0;
  qint64 answeredMs = 0;
  QElapsedTimer box;  // since the outermost box that is up opened
};
Answering g_answering;

qint64 AnsweringMs() { return g_answering.answeredMs + (g_answering.open > 0 ? g_answering.box.elapsed() : 0); }

// Every message box shown while a transfer has the line passes through it
// on its way to the sink that shows it: the transfer's clocks stand still
// while the user answers, and the transfer hands control away meanwhile
// (whatever runs while the box waits is not the transfer's own).
class AnsweringSink final : public IMessageSink {
 public:
  explicit AnsweringSink(const CLineToken& token)
      : m_token(token), m_shows(CMessageSink::Current()), m_previous(CMessageSink::Install(this)) {}
  ~AnsweringSink() override {
    if (CMessageSink::Current() == this) CMessageSink::Install(m_previous);
  }
  AnsweringSink(const AnsweringSink&) = delete;
  AnsweringSink& operator=(const AnsweringSink&) = delete;

  int Show(const MessageRequest& request) override {
    const CLineToken::Away away = m_token.HandAway();
    if (g_answering.open++ == 0) g_answering.box.start();
    const int answer = m_shows->Show(request);
    if (--g_answering.open == 0) g_answering.answeredMs += g_answering.box.elapsed();
    return answer;
  }

 private:
  const CLineToken& m_token;
  IMessageSink* m_shows;
  IMessageSink* m_previous;
};

bool IsQuery(const QString& line) { return line.endsWith(QLatin1String(" ?")); }

}  // namespace

// The one place where a transfer takes the line and gives it back: it has
// it from its start until its closing lines are out, and runs (the line's
// use is Transfer) until its token goes, once its end message has been
// answered. The token keeps the transfer's Cancel for whoever must stop it
// (CancelRunning). The message boxes shown meanwhile pass the answering
// sink.
class CTransfer::Line final {
 public:
  Line(IDeviceLink& link, CTransfer& transfer) : m_link(link), m_token(link.TakeLine(LinePurpose::Transfer)) {
    if (!m_token) return;
    m_token.SetCancelHook([&transfer] { transfer.Cancel(); });
    m_sink = std::make_unique<AnsweringSink>(m_token);
  }
  Line(const Line&) = delete;
  Line& operator=(const Line&) = delete;

  bool Taken() const { return static_cast<bool>(m_token); }
  bool Closed() const { return m_closed; }
  // The owner's own calls on the line: let through while it lives.
  [[nodiscard]] CLineToken::Carried Carry() const { return m_token.Carry(); }
  // The transfer's last use of the line: back to LINKMODE_NORMAL (see
  // IDeviceLink::EndTransferMode) under the token, then the line is given
  // back: the connection may close (Disconnect, a signal's ending under the
  // transfer's message) while the transfer still runs until its message
  // has been answered. Nothing runs in between.
  bool Close(bool endLine, int limitMs) {
    m_closed = true;
    bool taken;
    {
      const CLineToken::Carried mine = m_token.Carry();
      taken = m_link.EndTransferMode(endLine, limitMs);
    }
    m_token.GiveBack();
    return taken;
  }

 private:
  IDeviceLink& m_link;
  CLineToken m_token;
  bool m_closed = false;
  // Until the transfer has unwound: a box may still be up after the close.
  // It goes before the token: the transfer no longer runs once both have.
  std::unique_ptr<AnsweringSink> m_sink;
};

void CTransfer::Clock::Start() {
  m_clock.start();
  m_answeredAtStart = AnsweringMs();
}

qint64 CTransfer::Clock::Elapsed() const {
  if (!m_clock.isValid()) return 0;
  return m_clock.elapsed() - (AnsweringMs() - m_answeredAtStart);
}

CTransfer::CTransfer(IDeviceLink* link, QObject* parent)
    : QObject(parent), m_link(link), m_downloadMode(LINKMODE_DOWNLOAD) {}

CTransfer::Liveness::Liveness(CTransfer& transfer)
    : m_transfer(transfer), m_lastOut(transfer.Link().OutBufferCount()), m_lastReplies(Signs()) {
  m_clock.Start();
}

int64_t CTransfer::Liveness::Signs() const {
  const IDeviceLink::Tally tally = m_transfer.Link().CurrentTally();
  // An upload's queries are owed answers: their echoes are no answer.
  return m_transfer.m_upload ? tally.answered : tally.replies;
}

qint64 CTransfer::Liveness::Check(bool stepped) {
  IDeviceLink& link = m_transfer.Link();
  const int out = link.OutBufferCount();
  const int64_t replies = Signs();
  if (replies > m_lastReplies) {
    m_clock.Start();
  } else if (m_transfer.Owed() == 0 &&
             (stepped || out < m_lastOut || link.GetTimeSinceLastInput() < m_clock.Elapsed())) {
    // Nothing owed: every character that leaves or comes is a sign of
    // life, as is a step that went on.
    m_clock.Start();
  }
  m_lastOut = out;
  m_lastReplies = replies;
  return m_clock.Elapsed();
}

CTransfer::~CTransfer() = default;

bool CTransfer::IsRunning() { return CurrentLineUse() == LineUse::Transfer; }

void CTransfer::CancelRunning() { GetDeviceLink()->CancelTransfer(); }

void CTransfer::Cancel() {
  m_canceled = true;
  // Cancelled while the user reads one of the transfer's messages: the
  // transfer stands still until the box is answered, its closing does not.
  if (g_answering.open > 0 && m_line && m_line->Taken()) CloseLine(true);
}

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
    case Result::Unconfirmed: text = tr("The download is not complete: the unit did not confirm every line."); break;
    case Result::Refused: text = tr("The download is not complete: the unit refused lines."); break;
  }
  if (restored && result != Result::Done) {
    if (!text.isEmpty()) text += QLatin1Char('\n');
    text += tr("The project was left as it was before the upload.");
  }
  return text;
}

int CTransfer::Owed() const {
  IDeviceLink& link = Link();
  int owed = link.CountsAnswers() ? link.OwedAnswers() : 0;
  if (m_counting && !m_upload) owed = qMax(owed, link.CurrentTally().Unechoed());
  return owed;
}

void CTransfer::Report(int done, int total) {
  if (m_progress) m_progress(done, total);
  emit progress(done, total);
}

void CTransfer::ReportProgress(bool force) {
  int done = m_stepsDone;
  int total = m_stepsTotal;
  if (m_counting) {
    const IDeviceLink::Tally tally = Link().CurrentTally();
    const int written = m_upload ? tally.queries : tally.written;
    // The lines before the first step (the macro lock) are the link's own.
    done = qMax(0, (m_upload ? tally.answered : tally.echoed + tally.missed) - m_base);
    total = 0;
    for (size_t j = 0; j < m_expected.size(); ++j) {
      const int job = static_cast<int>(j);
      if (job < m_currentJob) {
        total += m_jobUnits[j];
        continue;
      }
      // An object that writes more than its dry run did makes the whole
      // larger; one that has not begun counts what the dry run wrote.
      const int actual = job == m_currentJob ? written - m_jobStart : 0;
      total += qMax(actual, m_expected[j]);
    }
    done = qMin(done, total);
  }
  if (!force && done == m_lastDone && total == m_lastTotal) return;
  m_lastDone = done;
  m_lastTotal = total;
  Report(done, total);
}

void CTransfer::Idle() {
  // Until the port has news (the unit's echoes, room for more output) or
  // the clock has: the port sends and receives meanwhile, and the progress
  // dialog reacts.
  Link().AwaitEvents(kIdleMs);
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

void CTransfer::Estimate(bool bUpload, const std::vector<Item>& items, CSelvantisDoc* doc,
                         std::vector<Job>& jobs) const {
  // jobs[i] belongs to items[i] here; Run drops the empty ones afterwards.
  if (!bUpload) {
    CDryRun dry(doc, LINKMODE_DOWNLOAD);
    for (size_t i = 0; i < items.size(); ++i) {
      const Item& item = items[i];
      if (item.object) jobs[i].expected = dry.Run(*item.object, false, item.firstStep, item.endStep, item.countStep);
    }
    return;
  }
  CSelvantisDoc* source = doc;
  for (size_t i = 0; !source && i < items.size(); ++i)
    if (items[i].object) source = items[i].object->GetDocument();
  if (!source) return;
  QByteArray bytes;
  QBuffer out(&bytes);
  out.open(QIODevice::WriteOnly);
  if (!source->SaveTo(out).ok) return;
  CSelvantisDoc copy;
  QBuffer in(&bytes);
  in.open(QIODevice::ReadOnly);
  if (!copy.LoadFrom(in).ok) return;
  CDryRun dry(&copy, LINKMODE_UPLOAD);
  for (size_t i = 0; i < items.size(); ++i) {
    const Item& item = items[i];
    if (!item.object) continue;
    CBaseDevice* twin = copy.GetIDManager().FindBaseDevice(item.object->GetID(), item.object->GetType());
    if (!twin) continue;
    const int from = static_cast<int>(dry.Lines().size());
    dry.Run(*twin, true, item.firstStep, item.endStep, item.countStep);
    int queries = 0;
    for (int k = from; k < dry.Lines().size(); ++k) queries += IsQuery(dry.Lines()[k]) ? 1 : 0;
    jobs[i].expected = queries;
  }
}

CTransfer::Result CTransfer::Unstarted(Result result, const QString& text, uint32_t style) {
  if (m_onEnd) m_onEnd();
  AfxMessageBox(text, style);
  return result;
}

CTransfer::Result CTransfer::Refuse() {
  // Someone uses the line (a transfer, or the connection's closing), or
  // there is no line.
  const LineUse use = Link().CurrentLineUse();
  if (use == LineUse::Closing) return Unstarted(Result::Busy, LineUseRefusal(use), MB_OK | MB_ICONEXCLAMATION);
  if (use != LineUse::Free)
    return Unstarted(Result::Busy, ResultMessage(Result::Busy, false), MB_OK | MB_ICONEXCLAMATION);
  if (!Link().IsConnected())
    return Unstarted(Result::NotConnected, ResultMessage(Result::NotConnected, false), MB_OK | MB_ICONEXCLAMATION);
  return Result::Done;
}

CTransfer::Result CTransfer::Run(bool bUpload, std::vector<Item> items, CSelvantisDoc* doc, bool restoreOnFailure) {
  if (const Result refused = Refuse(); refused != Result::Done) return refused;
  // Objects deleted while the transfer pumps events are skipped from then on.
  auto removed = std::make_shared<std::set<const CBaseDevice*>>();
  std::vector<QMetaObject::Connection> connections;
  if (doc) {
    connections.push_back(connect(doc, &CSelvantisDoc::objectAboutToBeRemoved, this,
                                  [removed](CBaseDevice* object) { removed->insert(object); }));
  }
  // The dry run comes first: the counts below start every object afresh.
  std::vector<Job> estimated(items.size());
  Estimate(bUpload, items, doc, estimated);
  std::vector<Job> jobs;
  for (size_t i = 0; i < items.size(); ++i) {
    const Item& item = items[i];
    CBaseDevice* object = item.object;
    if (!object) continue;
    const int count = object->Download(bUpload, item.countStep);
    const int end = item.endStep < 0 ? count : qMin(item.endStep, count);
    if (end <= item.firstStep) continue;
    Job job;
    job.first = qMax(0, item.firstStep);
    job.end = end;
    job.expected = estimated[i].expected;
    job.alive = [removed, object] { return removed->count(object) == 0; };
    job.step = [object, bUpload](int step) { return object->Download(bUpload, step); };
    jobs.push_back(std::move(job));
  }
  const Result result = Execute(bUpload ? LINKMODE_UPLOAD : m_downloadMode, jobs, doc, restoreOnFailure);
  for (const auto& connection : connections) disconnect(connection);
  return result;
}

CTransfer::Result CTransfer::SendLines(const QStringList& lines) {
  if (const Result refused = Refuse(); refused != Result::Done) return refused;
  std::vector<Job> jobs;
  if (!lines.isEmpty()) {
    Job job;
    job.first = 0;
    job.end = lines.size();
    job.expected = lines.size();
    job.alive = [] { return true; };
    job.step = [this, &lines](int step) {
      if (Link().OutBufferCount() >= kOutBufferLimit) return step;
      Link().SendCommand(lines[step], nullptr);
      return step + 1;
    };
    jobs.push_back(std::move(job));
  }
  return Execute(m_downloadMode, jobs, nullptr, false);
}

CTransfer::Result CTransfer::SendCommandFile(const QString& path) {
  QStringList lines;
  QString error;
  if (!CCommandFile::Read(path, &lines, &error)) return Unstarted(Result::Failed, error, MB_OK | MB_ICONSTOP);
  return SendLines(lines);
}

CTransfer::Result CTransfer::Execute(int mode, std::vector<Job>& jobs, CSelvantisDoc* doc, bool restoreOnFailure) {
  IDeviceLink& link = Link();
  m_line = std::make_unique<Line>(link, *this);
  if (!m_line->Taken()) {
    m_line.reset();
    // Someone uses the line: Refuse says who.
    const Result refused = Refuse();
    return refused != Result::Done
               ? refused
               : Unstarted(Result::Busy, ResultMessage(Result::Busy, false), MB_OK | MB_ICONEXCLAMATION);
  }
  // The transfer runs until its message has been answered (IsRunning): no
  // other transfer starts meanwhile, and the reconnect waits.
  const auto ended = qScopeGuard([this] { m_line.reset(); });
  m_canceled = false;
  m_docCleared = false;
  m_stopped = false;
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

  const bool upload = mode == LINKMODE_UPLOAD;
  m_upload = upload;
  m_counting = upload ? link.CountsAnswers() : link.ConfirmsLines();
  m_stepsDone = 0;
  m_stepsTotal = 0;
  for (const Job& job : jobs) m_stepsTotal += job.end - job.first;
  m_expected.clear();
  m_jobUnits.assign(jobs.size(), 0);
  for (const Job& job : jobs) m_expected.push_back(job.expected >= 0 ? job.expected : job.end - job.first);
  m_currentJob = -1;
  m_lastDone = m_lastTotal = -1;
  m_unanswered = 0;
  m_firstUnanswered.clear();
  m_unconfirmed = 0;
  m_firstUnconfirmed.clear();
  m_refused = 0;
  m_firstRefused.clear();
  m_closed = true;
  m_allStepped = false;
  // A stray XOFF of the unit must not hold this transfer.
  link.ReleaseLine();
  // A lost connection is told once, by this transfer's message, which also
  // says what the loss left behind.
  link.DeferLossMessage(true);
  // The error file holds what the last upload found: only an upload
  // prepares it (and writes its mismatches into it).
  if (upload) link.GetErrorFilePath();
  link.StartTally();
  {
    // The transfer's own calls on the line are let through only under its
    // token; what runs between them (the progress handler, the events it
    // pumps, a box that waits) is someone else's.
    const CLineToken::Carried mine = m_line->Carry();
    link.SetLinkMode(mode);
  }
  m_base = upload ? link.CurrentTally().queries : link.CurrentTally().written;
  m_jobStart = m_base;
  ReportProgress(true);

  Result result = Steps(jobs);
  m_allStepped = result == Result::Done;
  if (result == Result::Done) result = upload ? WaitAnswers() : WaitQuiet();
  if (!guard && doc) result = Result::Failed;
  if (upload && result == Result::NoProgress && link.CountsAnswers() && link.OwedAnswers() > 0) {
    // The unit stopped answering while objects still waited.
    m_unanswered = link.OwedAnswers();
    m_firstUnanswered = link.FirstOwedPath();
    result = Result::Unanswered;
  }
  m_stopped = result == Result::NoProgress;
  if (!upload && m_counting && (result == Result::Done || result == Result::NoProgress)) {
    const IDeviceLink::Tally tally = link.CurrentTally();
    if (tally.missed > 0 || tally.Unechoed() > 0) {
      m_unconfirmed = tally.missed + tally.Unechoed();
      m_firstUnconfirmed = link.FirstUnconfirmedPath();
      result = Result::Unconfirmed;
    }
  }
  if (!upload) {
    // Lines the unit answered with "ERROR path" are not in it.
    const IDeviceLink::Tally tally = link.CurrentTally();
    if (tally.refused > 0) {
      m_refused = tally.refused;
      m_firstRefused = link.FirstRefusedPath();
      if (result == Result::Done) result = Result::Refused;
    }
  }
  if (result == Result::Done) ReportProgress();
  CloseLine(result != Result::Done && result != Result::Refused);
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
  // A loss during the transfer is this transfer's to tell.
  const QString lossReason = link.TakeLossReason();
  if (!lossReason.isEmpty() && result != Result::Done) result = Result::LinkLost;
  const QString message = EndMessage(result, mode, restored, lossReason);
  if (m_onEnd) m_onEnd();
  if (!message.isEmpty()) AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
  link.DeferLossMessage(false);
  return result;
}

void CTransfer::CloseLine(bool stopped) {
  if (!m_line || m_line->Closed()) return;
  IDeviceLink& link = Link();
  link.StopTally();
  // What still waits in the link's own buffer never reaches the unit: it
  // stops getting lines once what is on its way has arrived.
  if (stopped && link.IsConnected()) link.DiscardQueued();
  // Every ending: back to the resting mode (this unlocks the unit's macros
  // after a download, and waits until the unit has taken it; answers still
  // owed to the upload are dropped from now on). A stopped transfer may
  // have left the unit with half a line: that is ended first.
  // A unit that holds the line is not waited for once more when it has held
  // it past the limit already, nor once the user has cancelled: the unlock
  // goes when it takes data again, and the message says so.
  const int closeWaitMs = (m_stopped || m_canceled) && link.IsLineHeld() ? 0 : m_noProgressMs;
  m_closed = m_line->Close(stopped, closeWaitMs);
}

QString CTransfer::EndMessage(Result result, int mode, bool restored, const QString& lossReason) const {
  // Lost after the last line was confirmed: the transfer is whole.
  if (result == Result::Done) {
    QStringList parts;
    if (!lossReason.isEmpty())
      parts << CCommLink::LossText(lossReason);
    const QString unclosed = UnclosedText();
    if (!unclosed.isEmpty()) parts << unclosed;
    return parts.join(QLatin1Char('\n'));
  }
  QStringList parts;
  switch (result) {
    case Result::LinkLost:
      parts << (lossReason.trimmed().isEmpty()
                    ? tr("The transfer was stopped: the connection to the unit was lost.")
                    : tr("The transfer was stopped: the connection to the unit was lost (%1).").arg(lossReason.trimmed()));
      break;
    case Result::Unconfirmed:
      // Stopped at the limit, or ended with lines the unit lost on the way.
      if (m_stopped) parts << tr("The download was stopped: the unit has not confirmed its lines for some seconds.");
      parts << tr("The unit did not confirm %1 lines, the first: %2").arg(m_unconfirmed).arg(m_firstUnconfirmed);
      break;
    case Result::Unanswered:
      parts << ResultMessage(result, false)
            << tr("%1 queries stayed unanswered, the first: %2").arg(m_unanswered).arg(m_firstUnanswered);
      break;
    case Result::Refused:
      parts << tr("The unit refused %1 lines, the first: %2").arg(m_refused).arg(m_firstRefused);
      break;
    default: {
      const QString text = ResultMessage(result, false);
      if (!text.isEmpty()) parts << text;
      break;
    }
  }
  // Refused lines also where the download ended otherwise.
  if (result != Result::Refused && m_refused > 0)
    parts << tr("The unit refused %1 lines, the first: %2").arg(m_refused).arg(m_firstRefused);
  if (result != Result::LinkLost && result != Result::Canceled && Link().IsLineHeld())
    parts << (m_callerCloses ? tr("The unit holds the line (XOFF).")
                             : tr("The unit holds the line (XOFF). The connection stays open; the unit gets the "
                                  "rest when it takes data again."));
  if (mode != LINKMODE_UPLOAD && result != Result::Busy && result != Result::NotConnected)
    parts << tr("The unit now holds only part of the project. A whole download puts it right.");
  // The unit may still have its macros locked (its settings unprotected
  // when the connection went).
  const QString unclosed = UnclosedText();
  if (!unclosed.isEmpty()) parts << unclosed;
  if (restored) parts << tr("The project was left as it was before the upload.");
  return parts.join(QLatin1Char('\n'));
}

QString CTransfer::UnclosedText() const {
  // The caller says it once the connection is closed, when it is known.
  if (m_callerCloses) return QString();
  IDeviceLink& link = Link();
  const QString warning = link.UnclosedWarning();
  // The unit took this transfer's closing (the unlock of a download; an
  // upload has none) before the connection went: only its protection may
  // still be off.
  if (m_closed && !link.IsConnected() && !warning.isEmpty())
    return tr(
        "The unit may still have its settings unprotected: the connection ended before it had taken \"/PROTECT "
        "ON\". Connect to it again (the program then sends it first), or send \"/PROTECT ON\" to the unit.");
  return warning;
}

CTransfer::Result CTransfer::Steps(std::vector<Job>& jobs) {
  IDeviceLink& link = Link();
  Liveness alive(*this);
  auto written = [&] {
    const IDeviceLink::Tally tally = link.CurrentTally();
    return m_upload ? tally.queries : tally.written;
  };
  for (size_t j = 0; j < jobs.size(); ++j) {
    Job& job = jobs[j];
    m_currentJob = static_cast<int>(j);
    m_jobStart = written();
    int step = job.first;
    while (step < job.end) {
      if (m_canceled) return Result::Canceled;
      if (m_docCleared) return Result::Failed;
      if (!link.IsConnected()) return Result::LinkLost;
      if (!job.alive()) break;
      // Too much waits for the unit: the steps wait with it.
      int next = step;
      if (Owed() < kMaxOwedLines) {
        const CLineToken::Carried mine = m_line->Carry();
        next = job.step(step);
      }
      if (next < 0) break;
      if (next == step) {
        // Output buffer full, lines owed, or the object waits for the
        // unit's answer.
        Idle();
        ReportProgress();
        if (alive.Check() > m_noProgressMs) return Result::NoProgress;
        continue;
      }
      if (next < step) {
        // An object that steps backwards would never end.
        qCWarning(lcTransfer) << "a transfer step went back from" << step << "to" << next;
        break;
      }
      m_stepsDone += qMin(next, job.end) - step;
      step = next;
      if (alive.Check(true) > m_noProgressMs) return Result::NoProgress;
      ReportProgress();
      link.PumpMessages();
    }
    // Skipped steps of an object that ended early still count as done.
    m_stepsDone += job.end - qMin(step, job.end);
    m_jobUnits[j] = written() - m_jobStart;
  }
  m_currentJob = static_cast<int>(jobs.size());
  ReportProgress();
  return Result::Done;
}

CTransfer::Result CTransfer::WaitQuiet() {
  IDeviceLink& link = Link();
  Liveness alive(*this);
  Clock empty;  // since the output buffer was last seen empty
  for (;;) {
    if (m_canceled) return Result::Canceled;
    if (m_docCleared) return Result::Failed;
    if (!link.IsConnected()) return Result::LinkLost;
    ReportProgress();
    const int out = link.OutBufferCount();
    if (out == 0 && Owed() == 0) {
      // Quiet both ways: the answers to the last queries of an upload trail
      // the queries on a slow line, and a mode change before they are in
      // would lose them.
      if (link.GetTimeSinceLastOutput() > kQuietMs && link.GetTimeSinceLastInput() > kQuietMs) return Result::Done;
      // Everything has gone out; a window that keeps polling must not keep
      // the transfer open for ever.
      if (!empty.IsValid()) empty.Start();
      if (empty.Elapsed() > kQuietMs + m_noProgressMs) return Result::Done;
      alive.Check();
    } else {
      empty.Invalidate();
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
  Liveness alive(*this);
  for (;;) {
    if (m_canceled) return Result::Canceled;
    if (m_docCleared) return Result::Failed;
    if (!link.IsConnected()) return Result::LinkLost;
    ReportProgress();
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
