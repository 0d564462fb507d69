#include "link/cunitcompare.h"

#include "link/ccommandfile.h"
#include "link/ccommlink.h"
#include "link/cdryrun.h"
#include "link/commandtext.h"
#include "link/csettingvalue.h"
#include "link/iqueryobserver.h"
#include "link/linkmode.h"
#include "model/cbasedevice.h"
#include "model/cfilename.h"
#include "model/cidmanager.h"
#include "model/cmessagesink.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"
#include "model/replytext.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QLoggingCategory>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

Q_LOGGING_CATEGORY(lcCompare, "selv.link.compare")

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("CUnitCompare", text); }

struct KindRow {
  int type;
  const char* text;
};

const KindRow kKinds[] = {
    {DT_ALARM, QT_TRANSLATE_NOOP("CUnitCompare", "Alarm generator")},
    {DT_AMPLIFIER, QT_TRANSLATE_NOOP("CUnitCompare", "Amplifier")},
    {DT_APPOINT, QT_TRANSLATE_NOOP("CUnitCompare", "Appointment")},
    {DT_AUDIOINPUTDEVICE, QT_TRANSLATE_NOOP("CUnitCompare", "Audio source")},
    {DT_AUDIOINPUTSLOT, QT_TRANSLATE_NOOP("CUnitCompare", "Audio input slot")},
    {DT_AUDIOOUTPUTSLOT, QT_TRANSLATE_NOOP("CUnitCompare", "Audio output slot")},
    {DT_CONSOLE, QT_TRANSLATE_NOOP("CUnitCompare", "Console")},
    {DT_CONTROLPAD, QT_TRANSLATE_NOOP("CUnitCompare", "Control pad")},
    {DT_DAYPROG, QT_TRANSLATE_NOOP("CUnitCompare", "Day program")},
    {DT_DIGITALSLOT, QT_TRANSLATE_NOOP("CUnitCompare", "Digital slot")},
    {DT_GONG, QT_TRANSLATE_NOOP("CUnitCompare", "Chime generator")},
    {DT_GROUP, QT_TRANSLATE_NOOP("CUnitCompare", "Group")},
    {DT_HOLIDAY, QT_TRANSLATE_NOOP("CUnitCompare", "Holiday")},
    {DT_INFOSLOT, QT_TRANSLATE_NOOP("CUnitCompare", "Central unit")},
    {DT_INTERFACESLOT, QT_TRANSLATE_NOOP("CUnitCompare", "Interface slot")},
    {DT_INTERNALSLOT, QT_TRANSLATE_NOOP("CUnitCompare", "Module")},
    {DT_MACRO, QT_TRANSLATE_NOOP("CUnitCompare", "Macro")},
    {DT_MONITOR, QT_TRANSLATE_NOOP("CUnitCompare", "Monitor")},
    {DT_RELAYTOPOLOGY, QT_TRANSLATE_NOOP("CUnitCompare", "Relay topology")},
    {DT_TRIGGER, QT_TRANSLATE_NOOP("CUnitCompare", "Trigger")},
    {DT_WEEK, QT_TRANSLATE_NOOP("CUnitCompare", "Weekly program")},
    {DT_ZONE, QT_TRANSLATE_NOOP("CUnitCompare", "Zone")},
    {DT_COLLCALL, QT_TRANSLATE_NOOP("CUnitCompare", "Collection call")},
    {DT_MESSAGE, QT_TRANSLATE_NOOP("CUnitCompare", "Message")},
    {DT_MISCAUDIO, QT_TRANSLATE_NOOP("CUnitCompare", "Audio")},
    {DT_ALARMSIGNAL, QT_TRANSLATE_NOOP("CUnitCompare", "Audio signal")},
    {DT_CHIMESIGNAL, QT_TRANSLATE_NOOP("CUnitCompare", "Audio signal")},
    {DT_MESSAGESIGNAL, QT_TRANSLATE_NOOP("CUnitCompare", "Audio signal")},
    {DT_INTMESSAGESIGNAL, QT_TRANSLATE_NOOP("CUnitCompare", "Audio signal")},
    {DT_CLOCK, QT_TRANSLATE_NOOP("CUnitCompare", "Clock")},
    {DT_FUSE, QT_TRANSLATE_NOOP("CUnitCompare", "Fuses")},
    {DT_CONDITION, QT_TRANSLATE_NOOP("CUnitCompare", "Condition")},
    {DT_MEMOFLAG, QT_TRANSLATE_NOOP("CUnitCompare", "Memo flag")},
    {DT_KCM201, QT_TRANSLATE_NOOP("CUnitCompare", "Card")},
    {DT_RELAY, QT_TRANSLATE_NOOP("CUnitCompare", "Relay")},
    {DT_READYINPUT, QT_TRANSLATE_NOOP("CUnitCompare", "Ready input")},
    {DT_VIRTCTRL, QT_TRANSLATE_NOOP("CUnitCompare", "Virtual controllers")},
    {DT_GLOBALREADYINPUT, QT_TRANSLATE_NOOP("CUnitCompare", "Ready inputs")},
    {DT_KCM208, QT_TRANSLATE_NOOP("CUnitCompare", "Card")},
    {DT_KCM209, QT_TRANSLATE_NOOP("CUnitCompare", "Card")},
    {DT_KCM212, QT_TRANSLATE_NOOP("CUnitCompare", "Card")},
    {DT_KCM216, QT_TRANSLATE_NOOP("CUnitCompare", "Card")},
    {DT_SPAREAMP, QT_TRANSLATE_NOOP("CUnitCompare", "Backup amplifiers")},
    {DT_KCMEX, QT_TRANSLATE_NOOP("CUnitCompare", "Card")},
    {DT_AMPTABLE, QT_TRANSLATE_NOOP("CUnitCompare", "Amplifier table")},
    {DT_LOGICOUT, QT_TRANSLATE_NOOP("CUnitCompare", "Logic output")},
    {DT_VIRTCTRLITEM, QT_TRANSLATE_NOOP("CUnitCompare", "Virtual controller")},
    {DT_TRIGGEROBJECT, QT_TRANSLATE_NOOP("CUnitCompare", "Triggers")},
    {DT_CALOBJECT, QT_TRANSLATE_NOOP("CUnitCompare", "Calendar")},
    {DT_CONDITIONOBJECT, QT_TRANSLATE_NOOP("CUnitCompare", "Conditions")},
    {DT_ANALOGCONDITION, QT_TRANSLATE_NOOP("CUnitCompare", "Condition")},
    {DT_COMBINECONDITION, QT_TRANSLATE_NOOP("CUnitCompare", "Condition")},
    {DT_BUSYCONDITION, QT_TRANSLATE_NOOP("CUnitCompare", "Condition")},
    {DT_LOGICOUTOBJECT, QT_TRANSLATE_NOOP("CUnitCompare", "Logic outputs")},
    {DT_MACROOBJECT, QT_TRANSLATE_NOOP("CUnitCompare", "Macros")},
    {DT_FAULT, QT_TRANSLATE_NOOP("CUnitCompare", "Collective fault")},
    {DT_POWERMANAGEMENT, QT_TRANSLATE_NOOP("CUnitCompare", "Power management")},
    {DT_PILOTTONEGEN, QT_TRANSLATE_NOOP("CUnitCompare", "Pilot tone generator")},
    {DT_MESSAGEREC, QT_TRANSLATE_NOOP("CUnitCompare", "Message recorder")},
    {DT_LANGROUP, QT_TRANSLATE_NOOP("CUnitCompare", "LAN group")},
    {DT_EVENTLOG, QT_TRANSLATE_NOOP("CUnitCompare", "Event log")},
    {DT_ZONETEST, QT_TRANSLATE_NOOP("CUnitCompare", "Zone test")},
    {DT_CONSOLEOBJECT, QT_TRANSLATE_NOOP("CUnitCompare", "Consoles")},
};

// Records, for one run, what the upload's queries got, and takes the
// mismatches the objects report while they take an answer (their messages
// and their lines in the upload's error file) instead of showing them.
class UploadRecorder final : public IQueryObserver, public IMessageSink {
 public:
  explicit UploadRecorder(CCommLink& link) : m_link(link) {
    m_link.SetQueryObserver(this);
    m_previousSink = CMessageSink::Install(this);
  }
  ~UploadRecorder() override { Stop(); }
  // Ends the recording; what was recorded stays readable.
  void Stop() {
    if (m_stopped) return;
    m_stopped = true;
    m_link.SetQueryObserver(nullptr);
    CMessageSink::Install(m_previousSink);
  }
  UploadRecorder(const UploadRecorder&) = delete;
  UploadRecorder& operator=(const UploadRecorder&) = delete;

  void QueryWritten(const QString& path) override {
    // Lines noted before this query are no answer's (not while an answer
    // is being taken: those are its own).
    if (m_current.isEmpty()) TakeNotes();
    if (!m_asked.contains(path)) m_askedInOrder.append(path);
    m_asked.insert(path);
  }
  void AnswerArrived(const QString& path, const QString& line) override {
    // What the error file holds now was written before this answer came (a
    // step's own note, a line that answered no query): it is not about
    // this answer.
    TakeNotes();
    m_current = path;
    m_answers.insert(path, line);
  }
  void AnswerRouted(const QString& path) override {
    const QString text = TakeErrorFileText();
    if (!text.isEmpty()) {
      qCDebug(lcCompare) << "mismatch at" << path << ":" << text;
      m_mismatches[path] << text;
    }
    m_current.clear();
  }
  // The error file's lines that belong to no answer, once the upload has
  // ended.
  void TakeNotes() {
    const QString text = TakeErrorFileText();
    if (text.isEmpty()) return;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
      if (!m_notes.contains(line.trimmed())) m_notes << line.trimmed();
  }
  int Show(const MessageRequest& request) override {
    if (!m_current.isEmpty()) {
      qCDebug(lcCompare) << "mismatch at" << m_current << ":" << request.text;
      m_mismatches[m_current] << request.text;
      return CMessageSink::DefaultAnswer(request.style);
    }
    // Not about an answer (the transfer's own messages): shown as always.
    CMessageSink::Install(m_previousSink);
    const int answer = CMessageSink::Current()->Show(request);
    CMessageSink::Install(this);
    return answer;
  }

  bool WasAsked(const QString& path) const { return m_asked.contains(path); }
  const QStringList& AskedInOrder() const { return m_askedInOrder; }
  // "path value" or "ERROR path"; "" when no answer came.
  QString Answer(const QString& path) const { return m_answers.value(path); }
  bool HasMismatch(const QString& path) const { return m_mismatches.contains(path); }
  // What the objects noted outside their answers (a unit too old to
  // report something), each line once.
  const QStringList& Notes() const { return m_notes; }

 private:
  QString TakeErrorFileText() {
    const QString name = m_link.ErrorFilePath();
    if (name.isEmpty()) return QString();
    if (CFileName::Size(name) <= 0) return QString();
    QFile file;
    if (!CFileName::OpenForReading(file, name, nullptr)) return QString();
    const QString text = QString::fromLatin1(file.readAll()).trimmed();
    file.close();
    // Emptied each time: the next answer's lines are its own, and the end
    // of the upload finds nothing to show.
    QFile emptied;
    CFileName::OpenForWriting(emptied, name, false, nullptr);
    return text;
  }

  CCommLink& m_link;
  IMessageSink* m_previousSink = nullptr;
  bool m_stopped = false;
  QString m_current;
  QSet<QString> m_asked;
  QStringList m_askedInOrder;
  QHash<QString, QString> m_answers;
  QHash<QString, QStringList> m_mismatches;
  QStringList m_notes;
};

// One download line as a setting: its path (the n-th line with that path),
// its value and the object it belongs to.
using SettingKey = QPair<QString, int>;

struct Setting {
  QString value;
  QString kind;
  QString name;
};

struct Settings {
  std::vector<SettingKey> order;
  std::map<SettingKey, Setting> byKey;
};

using CommandText::PathOf;
using CommandText::ValueOf;

// The download lines as settings; a shortened line (" value") continues the
// path of the line before it.
Settings SettingsOf(const CSelvantisDoc& doc, const QStringList& lines) {
  Settings out;
  QHash<QString, int> seen;
  QString last;
  for (const QString& line : lines) {
    const QString full = line.startsWith(QLatin1Char(' ')) ? last + line : line;
    const QString path = PathOf(full);
    last = path;
    const SettingKey key(path, seen[path]++);
    Setting setting;
    setting.value = ValueOf(full).toString();
    if (const CBaseDevice* owner = doc.FindPathOwner(path)) {
      setting.kind = CUnitCompare::KindText(owner->GetType(), owner->GetCategory());
      setting.name = owner->GetName();
    }
    out.order.push_back(key);
    out.byKey.emplace(key, setting);
  }
  return out;
}

// The lines that empty the unit's tables before a download.
bool IsClearAction(const QString& path, const QString& value) {
  return path.split(QLatin1Char('/'), Qt::SkipEmptyParts).contains(QLatin1String("CLEAR"), Qt::CaseInsensitive) ||
         value.trimmed().endsWith(QLatin1String("_CLR"), Qt::CaseInsensitive);
}

bool IsRefusal(const QString& answer) { return answer.isEmpty() || answer.startsWith(QLatin1String("ERROR ")); }

QString AnswerValue(const QString& answer) { return ReplyText::Clean(ValueOf(answer)).trimmed(); }

QString StopReason(CTransfer::Result result) {
  switch (result) {
    case CTransfer::Result::Canceled: return Tr(QT_TRANSLATE_NOOP("CUnitCompare", "cancelled"));
    case CTransfer::Result::NoProgress:
    case CTransfer::Result::Unanswered:
    case CTransfer::Result::Unconfirmed: return Tr(QT_TRANSLATE_NOOP("CUnitCompare", "the unit stopped answering"));
    case CTransfer::Result::LinkLost:
      return Tr(QT_TRANSLATE_NOOP("CUnitCompare", "the connection to the unit was lost"));
    case CTransfer::Result::Busy: return Tr(QT_TRANSLATE_NOOP("CUnitCompare", "another transfer was running"));
    case CTransfer::Result::NotConnected: return Tr(QT_TRANSLATE_NOOP("CUnitCompare", "the unit is not connected"));
    case CTransfer::Result::Failed:
    case CTransfer::Result::Refused:
    case CTransfer::Result::Done: break;
  }
  return Tr(QT_TRANSLATE_NOOP("CUnitCompare", "the copy of the project went away"));
}

// Asks a fixed list of settings, as an object's upload step would; the
// answers reach the objects that own the paths.
class QueryLines final : public CBaseDevice {
 public:
  explicit QueryLines(QStringList paths) : m_paths(std::move(paths)) {}
  const char* GetClassName() const override { return "QueryLines"; }
  int Download(bool bQuery, int nStep) override {
    if (nStep < 0) return bQuery ? static_cast<int>(m_paths.size()) : 0;
    if (!bQuery || nStep >= m_paths.size()) return -1;
    if (IsLinkBusy()) return nStep;
    SendCommandLine(m_paths[nStep] + QStringLiteral(" ?"), true);
    return nStep + 1;
  }

 private:
  QStringList m_paths;
};

// The lines (or queries) each step of object sends, by a dry run.
std::vector<QStringList> LinesByStep(CDryRun& dry, CBaseDevice& object, bool bQuery) {
  const int count = object.Download(bQuery, -1);
  std::vector<QStringList> out(static_cast<size_t>(qMax(0, count)));
  QString last;
  int step = 0;
  int idle = 0;
  while (step < count) {
    const qsizetype before = dry.Lines().size();
    const int next = object.Download(bQuery, step);
    // The last step may end the object (-1) and still send.
    for (qsizetype i = before; i < dry.Lines().size(); ++i) {
      const QString& line = dry.Lines()[i];
      const QString full = line.startsWith(QLatin1Char(' ')) ? last + line : line;
      last = CommandText::PathOf(full);
      out[static_cast<size_t>(step)] << full;
    }
    const bool sent = dry.Lines().size() > before;
    if (next < 0 || next < step) break;
    if (next > step) {
      step = next;
      idle = 0;
    } else if (!sent && ++idle >= 3) {
      break;
    }
  }
  return out;
}

// An unused entry: the download sends it only as "OFF".
bool OnlyOff(const QStringList& lines) {
  if (lines.isEmpty()) return false;
  for (const QString& line : lines)
    if (CommandText::ValueOf(line).trimmed().compare(QLatin1String("OFF"), Qt::CaseInsensitive) != 0) return false;
  return true;
}

// The steps of each object that send download lines, as transfer items:
// the upload asks what those steps would send, and nothing of the entries
// the download leaves out. An entry the download sends only as unused
// ("OFF") is asked for just that line, not for every field of it. upload is
// a second copy of doc for the dry run of the queries (an upload's steps
// change what they upload into); extra keeps the query objects.
std::vector<CTransfer::Item> DownloadedSteps(CSelvantisDoc& doc, CSelvantisDoc* upload,
                                             const std::vector<CBaseDevice*>& objects,
                                             std::vector<std::unique_ptr<CBaseDevice>>& extra) {
  std::vector<CTransfer::Item> items;
  std::vector<std::vector<QStringList>> sent;
  {
    CDryRun dry(&doc, LINKMODE_DOWNLOAD);
    for (CBaseDevice* object : objects) sent.push_back(LinesByStep(dry, *object, false));
  }
  std::vector<std::vector<QStringList>> asked(objects.size());
  if (upload) {
    CDryRun dry(upload, LINKMODE_UPLOAD);
    for (size_t i = 0; i < objects.size(); ++i)
      if (CBaseDevice* twin = upload->GetIDManager().FindBaseDevice(objects[i]->GetID(), objects[i]->GetType()))
        asked[i] = LinesByStep(dry, *twin, true);
  }
  for (size_t i = 0; i < objects.size(); ++i) {
    CBaseDevice* object = objects[i];
    const std::vector<QStringList>& lines = sent[i];
    const int count = static_cast<int>(lines.size());
    // A step asked for what it sends alone: an unused entry whose upload
    // asks more than its "OFF".
    auto narrowed = [&](int step) {
      const auto s = static_cast<size_t>(step);
      if (!OnlyOff(lines[s]) || s >= asked[i].size()) return false;
      return asked[i][s].size() > lines[s].size();
    };
    bool whole = count > 0;
    for (int step = 0; step < count && whole; ++step)
      whole = !lines[static_cast<size_t>(step)].isEmpty() && !narrowed(step);
    if (whole || count <= 0) {
      items.push_back(CTransfer::Item{object});
      continue;
    }
    for (int first = 0; first < count;) {
      if (lines[static_cast<size_t>(first)].isEmpty()) {
        ++first;
        continue;
      }
      if (narrowed(first)) {
        QStringList paths;
        for (const QString& line : lines[static_cast<size_t>(first)]) paths << CommandText::PathOf(line);
        extra.push_back(std::make_unique<QueryLines>(paths));
        items.push_back(CTransfer::Item{extra.back().get()});
        ++first;
        continue;
      }
      int end = first;
      while (end < count && !lines[static_cast<size_t>(end)].isEmpty() && !narrowed(end)) ++end;
      items.push_back(CTransfer::Item{object, first, end, -1});
      first = end;
    }
  }
  return items;
}

}  // namespace

CUnitCompare::CUnitCompare(CCommLink& link) : m_link(link) {}

QString CUnitCompare::KindText(int type, int category) {
  for (const KindRow& row : kKinds)
    if (row.type == type) return Tr(row.text);
  const QString name = GetCategoryName(category);
  return name.isEmpty() ? Tr(QT_TRANSLATE_NOOP("CUnitCompare", "Object")) : name;
}

CCompareReport CUnitCompare::Run(const CSelvantisDoc& project, CTransfer& transfer) {
  CCompareReport report;
  m_result = CTransfer::Result::Failed;

  // The copy, made with the project file's own code.
  QByteArray bytes;
  QBuffer out(&bytes);
  out.open(QIODevice::WriteOnly);
  const ProjectFileResult saved = project.SaveTo(out);
  out.close();
  CSelvantisDoc copy;
  QBuffer in(&bytes);
  in.open(QIODevice::ReadOnly);
  const ProjectFileResult loaded = saved.ok ? copy.LoadFrom(in) : saved;
  if (!loaded.ok) {
    report.SetStopped(Tr(QT_TRANSLATE_NOOP("CUnitCompare", "the project could not be copied: %1")).arg(loaded.message),
                      0, 0);
    return report;
  }
  // The upload's error file lies beside the copy, where the objects' lines
  // can be read as they come; the project's own error file stays as it was.
  QTemporaryDir scratch;
  if (scratch.isValid()) copy.SetPathName(scratch.filePath(QStringLiteral("compare.sxm")));

  // The file code adds to the copy what every project has: only the
  // project's own objects take part.
  QSet<QPair<int, int>> own;
  for (const CBaseDevice* object : project.GetAllObjects()) own.insert(qMakePair(object->GetType(), object->GetID()));
  auto ownObjects = [&own, &copy] {
    std::vector<CBaseDevice*> objects;
    for (CBaseDevice* object : copy.GetAllObjects())
      if (own.contains(qMakePair(object->GetType(), object->GetID()))) objects.push_back(object);
    return objects;
  };
  const std::vector<CBaseDevice*> objects = ownObjects();
  const Settings before = SettingsOf(copy, CCommandFile::CollectDownload(copy, objects));

  int done = 0;
  int total = 0;
  const QMetaObject::Connection progress = QObject::connect(&transfer, &CTransfer::progress, [&](int d, int t) {
    done = d;
    total = t;
  });
  // Only the steps the download takes are asked: a family the download
  // clears and sends only its used entries of is asked for those entries.
  std::vector<std::unique_ptr<CBaseDevice>> queries;
  std::vector<CTransfer::Item> items;
  {
    // The dry run of the queries changes what it uploads into: a copy of
    // its own.
    CSelvantisDoc twin;
    QBuffer again(&bytes);
    again.open(QIODevice::ReadOnly);
    const bool twinLoaded = twin.LoadFrom(again).ok;
    items = DownloadedSteps(copy, twinLoaded ? &twin : nullptr, objects, queries);
  }
  const QPointer<CSelvantisDoc> served(m_link.GetDocument());
  UploadRecorder recorder(m_link);
  m_link.SetDocument(&copy);
  m_result = transfer.Run(true, std::move(items), &copy, false);
  m_link.SetDocument(served.data());
  recorder.TakeNotes();
  recorder.Stop();
  QObject::disconnect(progress);
  // A note written after the last answer is still in the copy's error file.
  if (scratch.isValid()) {
    QFile rest(scratch.filePath(QStringLiteral("compare.err")));
    if (rest.open(QIODevice::ReadOnly))
      for (const QString& line : QString::fromLatin1(rest.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        report.AddNote(line.trimmed());
  }
  for (const QString& note : recorder.Notes()) report.AddNote(note);

  // A verdict needs every answer: any other ending leaves a part.
  const bool complete = m_result == CTransfer::Result::Done;
  const Settings after = SettingsOf(copy, CCommandFile::CollectDownload(copy, ownObjects()));

  std::vector<SettingKey> keys = before.order;
  for (const SettingKey& key : after.order)
    if (before.byKey.count(key) == 0) keys.push_back(key);
  QSet<QString> downloaded;
  QSet<QString> notAnswered;
  int compared = 0;
  // A value as the setting's dialog shows it: in the object's own words
  // where it has them (a macro's type), else in the setting's general form.
  auto inWords = [&copy](const QString& path, const QString& value) {
    if (const CBaseDevice* object = copy.FindPathOwner(path)) {
      const QString words = object->SettingInWords(path, value);
      if (!words.isEmpty()) return words;
    }
    return CSettingValue(path).UserForm(value);
  };
  auto addNotAnswered = [&](const QString& path, const Setting& owner, const QString& projectValue) {
    if (notAnswered.contains(path)) return;
    notAnswered.insert(path);
    CompareRow row{owner.kind, owner.name, path, inWords(path, projectValue), QString(), false};
    row.projectCommand = projectValue;
    report.AddRow(row);
  };
  auto addDifference = [&](const QString& path, const Setting& owner, const QString& projectValue,
                           const QString& unitValue) {
    CompareRow row{owner.kind, owner.name, path, inWords(path, projectValue), inWords(path, unitValue), true};
    row.projectCommand = projectValue;
    row.unitCommand = unitValue;
    report.AddRow(row);
  };
  for (const SettingKey& key : keys) {
    const QString& path = key.first;
    const auto b = before.byKey.find(key);
    const auto a = after.byKey.find(key);
    const bool inBefore = b != before.byKey.end();
    const bool inAfter = a != after.byKey.end();
    const Setting& owner = inBefore ? b->second : a->second;
    const QString projectValue = inBefore ? b->second.value : QString();
    const QString copyValue = inAfter ? a->second.value : QString();
    if (IsClearAction(path, inBefore ? projectValue : copyValue)) {
      // A table the clear token empties: its unused entries are not sent.
      if (projectValue.trimmed().endsWith(QLatin1String("_CLR"), Qt::CaseInsensitive)) report.AddCleared(owner.kind);
      continue;
    }
    downloaded.insert(path);
    const CSettingValue value(path);
    // The copy took the answer and now sends something else.
    const bool changed = inBefore != inAfter || !value.SameMeaning(projectValue, copyValue);
    if (recorder.WasAsked(path)) {
      const QString answer = recorder.Answer(path);
      // Asked, and the upload stopped before the answer came: not read.
      if (answer.isEmpty() && !complete) continue;
      if (IsRefusal(answer)) {
        addNotAnswered(path, owner, projectValue);
        continue;
      }
      const QString unitValue = AnswerValue(answer);
      // The same meaning is no difference, whatever the object that took
      // the answer made of the other spelling.
      if (inBefore && value.SameMeaning(projectValue, unitValue)) continue;
      if (changed || recorder.HasMismatch(path)) addDifference(path, owner, projectValue, unitValue);
    } else if (!complete) {
      continue;
    } else if (changed) {
      // Changed through the answer to another query.
      ++compared;
      addDifference(path, owner, projectValue, copyValue);
    } else {
      report.AddNotCompared(owner.kind);
    }
  }
  // Queries of settings the project does not download.
  for (const QString& path : recorder.AskedInOrder()) {
    const QString answer = recorder.Answer(path);
    if (answer.isEmpty()) continue;
    const bool refused = IsRefusal(answer);
    if (downloaded.contains(path)) {
      if (!refused) ++compared;
      continue;
    }
    // Refused: the unit holds nothing there, as the project sends nothing.
    ++compared;
    if (refused || !recorder.HasMismatch(path)) continue;
    Setting owner;
    if (const CBaseDevice* object = copy.FindPathOwner(path)) {
      owner.kind = KindText(object->GetType(), object->GetCategory());
      owner.name = object->GetName();
    }
    addDifference(path, owner, QString(), AnswerValue(answer));
  }
  report.SetComparedCount(compared);
  if (!complete) report.SetStopped(StopReason(m_result), done, total);
  return report;
}
