#include "replyfuzzdriver.h"

#include "amps/amptypeinfo.h"
#include "amps/camp.h"
#include "amps/camplifier.h"
#include "amps/ccollectioncall.h"
#include "amps/cgroup.h"
#include "amps/clangroup.h"
#include "amps/cmonitor.h"
#include "amps/crelaistopology.h"
#include "amps/cspareamp.h"
#include "amps/czone.h"
#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "link/ccommlink.h"
#include "link/clinecutter.h"
#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "logic/cfault.h"
#include "macros/cmacro.h"
#include "model/carchive.h"
#include "model/carchiveexception.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/cobject.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "online/cclockwindowstate.h"
#include "online/ceventlogstate.h"
#include "online/cfaultwindowstate.h"
#include "online/cfusewindowstate.h"
#include "online/chardwarescan.h"
#include "online/conlinereplyparser.h"
#include "online/cpilotwindowstate.h"
#include "online/cpowerwindowstate.h"
#include "online/crecorderwindowstate.h"
#include "online/cremoteampstate.h"
#include "online/cservicestate.h"
#include "online/cvolumewindowstate.h"
#include "online/czoneliststate.h"
#include "support/quietport.h"

#include <QBuffer>
#include <QDateTime>
#include <QHash>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

namespace {

// Answers every message box with its default button, silently.
class SilentSink final : public IMessageSink {
 public:
  int Show(const MessageRequest& request) override { return CMessageSink::DefaultAnswer(request.style); }
};

// A port that takes everything and never receives: the bytes come through
// CCommLink::HandleIncoming instead. Lose() reports the line gone, as a
// pulled cable does.
class NullPort final : public QuietPort {
 public:
  void Lose() {
    m_open = false;
    if (m_onError) m_onError(QStringLiteral("The device is gone."), true);
  }
};

// The link objects and windows see while the bytes are handed around:
// connected, never busy, recording what is sent, and answering synchronous
// queries with the reply lines in turn (nothing once they are used up).
class ScriptedLink final : public IDeviceLink {
 public:
  explicit ScriptedLink(QStringList answers = {}) : m_answers(std::move(answers)) {}

  void SendDeviceCommand(const QString& command, const CSelvantisDoc*, bool) override { Record(command); }
  int OutBufferCount() const override { return 0; }
  int GetLinkMode() const override { return m_mode; }
  void SetLinkMode(int mode) override { m_mode = mode; }
  int64_t GetTimeSinceLastOutput() const override { return 1000; }
  QString SendQuery(const QString& command) override {
    Record(command);
    return Next();
  }
  QString SendAndRead(const QString& command, int) override {
    Record(command);
    const QString answer = Next();
    return answer.isEmpty() ? answer : answer + QStringLiteral("\r\n");
  }
  bool IsConnected() const override { return true; }
  void PumpMessages() override {}
  QString ErrorFilePath() const override { return m_errorFilePath; }
  bool SendListAndWait(const QStringList& commands, QStringList* replies) override {
    for (const QString& command : commands) Record(command);
    if (replies) {
      replies->clear();
      // As many answers as commands, or what is left.
      for (int i = 0; i < commands.size() && m_next < m_answers.size(); ++i) replies->append(Next());
    }
    return true;
  }

  void SetErrorFilePath(const QString& path) { m_errorFilePath = path; }
  const QStringList& Sent() const { return m_sent; }

 private:
  void Record(const QString& command) {
    // Downloads of a large project send thousands of lines; seeds need the
    // first ones of each object only.
    if (m_sent.size() < kMaxRecorded) m_sent.append(command);
  }
  QString Next() { return m_next < m_answers.size() ? m_answers[m_next++] : QString(); }

  static constexpr int kMaxRecorded = 200000;
  QStringList m_answers;
  int m_next = 0;
  int m_mode = LINKMODE_NORMAL;
  QString m_errorFilePath;
  QStringList m_sent;
};

QByteArray Save(const CSelvantisDoc& doc, QString* error) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const ProjectFileResult result = doc.SaveTo(buffer);
  if (!result.ok) {
    *error = QStringLiteral("the project cannot be saved: ") + result.message;
    return {};
  }
  return bytes;
}

bool Load(CSelvantisDoc& doc, QByteArray bytes, QString* error) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  const ProjectFileResult result = doc.LoadFrom(buffer);
  if (!result.ok) *error = QStringLiteral("the project cannot be loaded: ") + result.message;
  return result.ok;
}

// Runs the objects' transfer steps (at most maxSteps each, and bounded), as
// a transfer would.
void RunTransfers(const std::vector<CBaseDevice*>& objects, bool bQuery, int maxSteps = 1 << 30) {
  for (CBaseDevice* object : objects) {
    const int count = std::min(object->Download(bQuery, -1), maxSteps);
    int step = 0;
    for (int guard = 0; step < count && guard < 4 * count + 8; ++guard) {
      const int next = object->Download(bQuery, step);
      if (next <= step) break;
      step = next;
    }
  }
}

QString CheckOwnership(CSelvantisDoc& doc, const char* when) {
  for (CBaseDevice* object : doc.GetAllObjects()) {
    if (object->GetDocument() != &doc)
      return QStringLiteral("%1: %2 left its document").arg(QLatin1String(when), object->GetName());
  }
  return {};
}

// Whatever the replies changed, the project must save and load again.
QString CheckSaveAndLoad(CSelvantisDoc& doc) {
  QString error;
  const QByteArray saved = Save(doc, &error);
  if (!error.isEmpty()) return error;
  CSelvantisDoc again;
  if (!Load(again, saved, &error)) return error;
  return CheckOwnership(again, "reloaded");
}

// The lines the link hands on for bytes cut in two at cut: every line of the
// whole, and the two pieces of the line the cut falls in (the link may lose
// the line between them).
QStringList RoutedLines(const QByteArray& bytes, int cut) {
  CLineCutter cutter;
  QStringList lines = cutter.Feed(bytes + "\r");
  const int start = cut > 0 ? bytes.lastIndexOf('\r', cut - 1) + 1 : 0;
  int end = bytes.indexOf('\r', cut);
  if (end < 0) end = bytes.size();
  if (start < cut && cut < end) {
    cutter.Reset();
    cutter.Feed(bytes.mid(start, cut - start) + "\r", lines);
    cutter.Reset();
    cutter.Feed(bytes.mid(cut, end - cut) + "\r", lines);
  }
  return lines;
}

// The objects lines are routed to, each once, added to reached.
void AddReached(const CSelvantisDoc& doc, const QStringList& lines, std::vector<CBaseDevice*>& reached) {
  for (const QString& line : lines) {
    CBaseDevice* owner = doc.FindPathOwner(line);
    if (owner != nullptr && std::find(reached.begin(), reached.end(), owner) == reached.end()) reached.push_back(owner);
  }
}

// The records of objects one after another in one archive; ends[i] is where
// the record of objects[i] ends.
QByteArray RecordsOf(const std::vector<CBaseDevice*>& objects, std::vector<int>& ends) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  ends.clear();
  try {
    CArchive ar(&buffer, CArchive::store);
    for (const CBaseDevice* object : objects) {
      ar.WriteObject(object);
      ends.push_back(static_cast<int>(buffer.pos()));
    }
  } catch (const CArchiveException&) {
    ends.clear();
    return {};
  }
  return bytes;
}

// Adds the watched objects whose records differ from those in the block;
// false when they cannot be written.
template <class Watched>
bool AddChanged(const Watched& watched, std::vector<CBaseDevice*>& changed) {
  std::vector<int> ends;
  const QByteArray records = RecordsOf(watched.objects, ends);
  if (records == watched.records) return true;
  if (ends.size() != watched.objects.size()) return false;
  for (size_t i = 0; i < ends.size(); ++i) {
    const int start = i == 0 ? 0 : ends[i - 1];
    const int then = i == 0 ? 0 : watched.ends[i - 1];
    if (QByteArrayView(records).sliced(start, ends[i] - start) !=
        QByteArrayView(watched.records).sliced(then, watched.ends[i] - then))
      changed.push_back(watched.objects[i]);
  }
  return true;
}

// An object's record, and the same read back into the object it was written
// from. A wrapper record of the harness's own class carries the object's
// current schema, so that the object's Serialize reads as it does from a
// file (classes convert older records by the schema).
CBaseDevice* g_recordTarget = nullptr;

class InPlaceRecord final : public CObject {
 public:
  static constexpr const char* kClassName = "ReplyFuzzInPlaceRecord";
  const char* GetClassName() const override { return kClassName; }
  void Serialize(CArchive& ar) override {
    if (g_recordTarget != nullptr) g_recordTarget->Serialize(ar);
  }
};

// Above every class's schema, so that any schema may be written for it.
const bool g_inPlaceRecordRegistered =
    CRuntimeClass::Register(InPlaceRecord::kClassName, 0x7FFF, []() -> CObject* { return new InPlaceRecord; });

class RecordTargetScope final {
 public:
  explicit RecordTargetScope(CBaseDevice* object) { g_recordTarget = object; }
  ~RecordTargetScope() { g_recordTarget = nullptr; }
  RecordTargetScope(const RecordTargetScope&) = delete;
  RecordTargetScope& operator=(const RecordTargetScope&) = delete;
};

// Empty when the object cannot be written.
QByteArray RecordOf(CBaseDevice* object) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  try {
    CArchive ar(&buffer, CArchive::store);
    ar.SetStoreSchemaOverride(QLatin1String(InPlaceRecord::kClassName),
                              CRuntimeClass::GetSchema(QLatin1String(object->GetClassName())));
    RecordTargetScope scope(object);
    InPlaceRecord wrapper;
    ar.WriteObject(&wrapper);
  } catch (const CArchiveException&) {
    return {};
  }
  return bytes;
}

bool ReadBackInPlace(CBaseDevice* object, QByteArray record) {
  QBuffer buffer(&record);
  buffer.open(QIODevice::ReadOnly);
  try {
    CArchive ar(&buffer, CArchive::load);
    RecordTargetScope scope(object);
    const std::unique_ptr<CObject> wrapper(ar.ReadObject());
    return wrapper != nullptr && ar.BytesLeft() == 0;
  } catch (const CArchiveException&) {
    return false;
  }
}

// Rebuilds an object's input or output list as records, in their order.
// Only the primitives: the mirrors are rebuilt with their own lists.
void RebuildConnections(CBaseDevice* object, bool inputs, const std::vector<ConnectionRecord>& records) {
  const std::vector<ConnectionRecord> current = inputs ? object->GetInputConnections() : object->GetOutputConnections();
  for (const ConnectionRecord& r : current) {
    if (inputs)
      object->RemoveInputConnection(r.nOwnPin, r.pPeer, r.nPeerPin, r.nPeerCategory);
    else
      object->RemoveOutputConnection(r.nOwnPin, r.pPeer, r.nPeerPin, r.nPeerCategory);
  }
  for (const ConnectionRecord& r : records) {
    if (inputs)
      object->AddInputConnection(r.nOwnPin, r.pPeer, r.nPeerPin, r.nPeerCategory);
    else
      object->AddOutputConnection(r.nOwnPin, r.pPeer, r.nPeerPin, r.nPeerCategory);
  }
}

// The query steps each reached object sends before the replies arrive.
constexpr int kQuerySteps = 8;

// What a routed line may change besides the object it reaches, its
// connections and objects it adds, by the type of that object: the objects of
// its list (entries without a path of their own, kNone: none). Objects of a
// type not named here may change any object without a path.
constexpr int kNone = -1;
struct ReachedEntries {
  int type;
  std::array<int, 4> entries;
};
constexpr ReachedEntries kReachedEntries[] = {
    {DT_CONSOLE, {kNone}},
    {DT_CONSOLEOBJECT, {kNone}},
    {DT_ZONE, {kNone}},
    {DT_GROUP, {kNone}},
    {DT_LANGROUP, {kNone}},
    {DT_COLLCALL, {kNone}},
    {DT_ALARMSIGNAL, {kNone}},
    {DT_CHIMESIGNAL, {kNone}},
    {DT_MESSAGESIGNAL, {kNone}},
    {DT_INTMESSAGESIGNAL, {kNone}},
    {DT_ZONETEST, {kNone}},
    {DT_FAULT, {kNone}},
    {DT_FUSE, {kNone}},
    {DT_EVENTLOG, {kNone}},
    {DT_CLOCK, {kNone}},
    {DT_WEEK, {kNone}},
    {DT_PILOTTONEGEN, {kNone}},
    {DT_POWERMANAGEMENT, {kNone}},
    {DT_TRIGGEROBJECT, {DT_TRIGGER, kNone}},
    {DT_CONDITIONOBJECT, {DT_CONDITION, DT_ANALOGCONDITION, DT_COMBINECONDITION, DT_BUSYCONDITION}},
    {DT_LOGICOUTOBJECT, {DT_LOGICOUT, kNone}},
    {DT_GLOBALREADYINPUT, {DT_READYINPUT, kNone}},
    {DT_CALOBJECT, {DT_APPOINT, DT_HOLIDAY, DT_DAYPROG, kNone}},
    {DT_VIRTCTRL, {DT_VIRTCTRLITEM, kNone}},
    {DT_MISCAUDIO, {DT_AUDIOINPUTSLOT, kNone}},
};

// Adds to types what a line to an object of the type may change; false for
// anything.
bool AddEntryTypes(int type, std::vector<int>& types) {
  for (const ReachedEntries& known : kReachedEntries) {
    if (known.type != type) continue;
    for (int entry : known.entries) {
      if (entry == kNone) break;
      if (std::find(types.begin(), types.end(), entry) == types.end()) types.push_back(entry);
    }
    return true;
  }
  return false;
}

// Types whose objects keep what the unit reports of its state (the fault
// object its active fault sources, the message recorder its source,
// message, destination, quality and record time), which the replies and the
// on-line windows change without marking the project modified: compared
// after every input.
constexpr int kLiveStateTypes[] = {DT_FAULT, DT_MESSAGEREC};

// The types whose objects the on-line windows keep values in.
constexpr int kWindowTypes[] = {DT_FUSE,     DT_PILOTTONEGEN, DT_POWERMANAGEMENT, DT_MESSAGEREC,
                                DT_EVENTLOG, DT_ZONE,         DT_CLOCK,           DT_FAULT};

// The on-line windows and the scans on the project, each given the lines.
void FeedWindows(CSelvantisDoc& doc, const QStringList& lines, const QString& rawText) {
  {
    ScriptedLink link(lines);
    DeviceLinkScope scope(&link);

    for (const char* root : {"/FUSE/", "/PILOT/", "/POWER/", "/REC/", "/AUDIO/", "/", ""})
      (void)COnlineReplyParser::Parse(lines, QString::fromLatin1(root));

    CFuseWindowState fuse(&doc);
    fuse.Load();
    fuse.ApplyReply(lines);
    CPilotWindowState pilot(&doc);
    pilot.ApplyReply(lines);
    CPowerWindowState power(&doc);
    power.ApplyReply(lines);
    CRecorderWindowState recorder(&doc);
    recorder.ApplyReply(lines);
    (void)CVolumeWindowState::ParseReply(lines);

    CEventLogState eventLog(&doc);
    eventLog.ApplyReply(lines);
    for (const QString& line : lines) (void)CEventLogState::ReplaceNames(line, &doc);

    CZoneListState zoneList(&doc);
    zoneList.Fill();
    zoneList.StartRefresh();
    for (int round = 0; round < 3; ++round) zoneList.ApplyReply(lines);

    for (int address : {-1, 0, 1, 0x1F}) {
      CRemoteAmpState amp(address);
      amp.ApplyReply(lines);
      amp.SelectTab(1);
      amp.ApplyReply(lines);
    }

    CServiceState service;
    CClockWindowState clock(&doc);
    for (const QString& line : lines) {
      service.ParseReply(line.startsWith(QLatin1Char('/')) ? line.mid(1) : line);
      clock.ParseClockReply(line);
    }
    (void)clock.AgreedLocalTime();

    CFaultWindowState fault(&doc);
    fault.ApplyAnswers(lines.value(0), lines.value(1), lines.value(2));
    fault.ApplyAnswers(rawText, rawText, rawText);
  }
  // The scans and the poll read the same lines as answers, each from the
  // start.
  for (int kind = CHardwareScan::kAmplifiers; kind <= CHardwareScan::kSlots; ++kind) {
    ScriptedLink link(lines);
    DeviceLinkScope scope(&link);
    CHardwareScan scan(&link);
    switch (kind) {
      case CHardwareScan::kAmplifiers: scan.ScanAmplifiers(); break;
      case CHardwareScan::kConsoles: scan.ScanConsoles(); break;
      case CHardwareScan::kCards: scan.ScanCards(); break;
      default: scan.ScanSlots(); break;
    }
    const int items = static_cast<int>(scan.Items().size());
    for (int i = 0; i < items && i < 8; ++i) scan.ExpandItem(i);
  }
  {
    ScriptedLink link(lines);
    DeviceLinkScope scope(&link);
    CFaultWindowState fault(&doc);
    fault.Poll(link);
  }
}

// What routed lines changed: the objects of the lines after which the
// project was marked modified.
struct Modifiers {
  std::vector<CBaseDevice*> objects;
  bool any = false;
  // Marked modified by something that is no line of an object's.
  bool unknown = false;

  // False when the line is no object's.
  bool Note(const CSelvantisDoc& doc, const QByteArray& text) {
    QByteArray line = text;
    if (line.endsWith('\r')) line.chop(1);
    while (line.startsWith('\n')) line.remove(0, 1);
    CBaseDevice* owner = doc.FindPathOwner(QString::fromLatin1(line));
    if (owner == nullptr) return false;
    if (std::find(objects.begin(), objects.end(), owner) == objects.end()) objects.push_back(owner);
    return true;
  }
};

// Hands part to the link a line at a time (each piece ends with its CR) and
// notes what each line changed. carry is the start of a line that an earlier
// part left unfinished.
void FeedByLine(CCommLink& link, CSelvantisDoc& doc, const QByteArray& part, QByteArray& carry, Modifiers& modifiers) {
  int pos = 0;
  while (pos < part.size()) {
    const int cr = part.indexOf('\r', pos);
    const int end = cr < 0 ? part.size() : cr + 1;
    const QByteArray piece = QByteArray::fromRawData(part.constData() + pos, end - pos);
    doc.SetModifiedFlag(false);
    link.HandleIncoming(piece);
    if (doc.IsModified()) {
      modifiers.any = true;
      // The line is the piece, or the carry and the piece when the link kept
      // the carry: both are taken.
      bool known = modifiers.Note(doc, piece);
      if (!carry.isEmpty()) known = modifiers.Note(doc, carry + piece) || known;
      if (!known) modifiers.unknown = true;
    }
    carry = cr < 0 ? carry + piece : QByteArray();
    pos = end;
  }
}

// The bytes through the serial link's receive path, cut at the steering
// byte's value into two receive events: in upload mode (after the reached
// objects' queries when the steering byte says so), or in normal mode
// (bit 4), with the line lost between the events when the steering byte
// says so. The link gets them a line at a time, which cuts them into the same
// lines.
QString Route(CSelvantisDoc& doc, const QByteArray& bytes, uint8_t steer, const std::vector<CBaseDevice*>& reached,
              Modifiers& modifiers) {
  const int cut = steer % (bytes.size() + 1);
  const int mode = (steer & 16) != 0 ? LINKMODE_NORMAL : LINKMODE_UPLOAD;
  ScriptedLink scripted;
  DeviceLinkScope scope(&scripted);
  auto port = std::make_unique<NullPort>();
  NullPort* portView = port.get();
  CCommLink link(std::move(port));
  link.SetDocument(&doc);
  doc.SetConnected(true);
  scripted.SetErrorFilePath(link.GetErrorFilePath());
  link.SetLinkMode(mode);
  scripted.SetLinkMode(mode);
  // As in an upload, the objects' queries go out first (some objects reset
  // what they expect answers for); every other input skips them. Only the
  // objects the lines reach can take note of them, and the first steps are
  // enough: some objects have thousands.
  if (mode == LINKMODE_UPLOAD && (steer & 2) != 0) RunTransfers(reached, true, kQuerySteps);
  if (doc.IsModified()) modifiers.any = modifiers.unknown = true;
  QByteArray carry;
  // In two pieces: a line may arrive cut anywhere.
  FeedByLine(link, doc, bytes.left(cut), carry, modifiers);
  // The line may go in the middle of an upload: the rest arrives in normal
  // mode.
  if ((steer & 4) != 0) {
    doc.SetModifiedFlag(false);
    portView->Lose();
    if (doc.IsModified()) modifiers.any = modifiers.unknown = true;
  }
  FeedByLine(link, doc, bytes.mid(cut), carry, modifiers);
  FeedByLine(link, doc, QByteArrayLiteral("\r"), carry, modifiers);
  if (modifiers.any) doc.SetModifiedFlag(true);
  return CheckOwnership(doc, mode == LINKMODE_UPLOAD ? "upload" : "normal");
}

}  // namespace

void FillWithEveryFamily(CSelvantisDoc& doc, bool large) {
  doc.OnNewDocument();
  if (large) doc.SetUpgradeFlag(1);

  for (int type = DT_FIRST; type <= DT_LAST; ++type) {
    if (CSelvantisDoc::HasObjectFactory(type)) doc.CreateObject(type, 0);
  }

  int x = 100;
  for (int index = 0;; ++index) {
    const AmpTypeInfo* row = CAmplifier::GetTypeRow(index);
    if (row == nullptr || row->kind == kAmpKindNotUsed) break;
    doc.Adopt(CAmplifier::Make(doc, row->kind, QPoint(x, 100)));
    x += 120;
  }

  std::vector<CZone*> zones;
  x = 100;
  for (int kind : {CRelaisTopology::KIND_DIRECT, CRelaisTopology::KIND_1INN, CRelaisTopology::KIND_NIN1,
                   CRelaisTopology::KIND_PROGPAGE}) {
    auto* topology = dynamic_cast<CRelaisTopology*>(doc.CreateObject(DT_RELAYTOPOLOGY, kind));
    if (topology == nullptr) continue;
    topology->Move(x - topology->GetRect().left(), 600 - topology->GetRect().top(), false);
    topology->ChangeKind(kind, 3);
    for (CZone* zone : topology->GetZones()) zones.push_back(zone);
    x += 400;
  }
  if (!zones.empty()) {
    if (auto* group = dynamic_cast<CGroup*>(zones.front()->AddNewGroup())) {
      if (zones.size() > 1) CBaseDevice::Connect(zones[1], CZone::kGroupPin, group, 0);
      group->AddSubGroup();
    }
  }
  CGroup::CreateIn(doc, QRect(2000, 100, 60, 40), 1);
  CLANGroup::CreateIn(doc, QRect(2000, 300, 60, 40));

  x = 100;
  for (int model : {CConsProp::RCX6010, CConsProp::RCX6020, CConsProp::RCX6510, CConsProp::RCX6520, CConsProp::RCX6550,
                    CConsProp::RCX6010X, CConsProp::RCX6020X, CConsProp::RCX6510X, CConsProp::RCX6520X,
                    CConsProp::RCX6550X, CConsProp::RCX6530, CConsProp::RCX6530X, CConsProp::RCX6106}) {
    CConsole::CreateIn(doc, model, QRect(x, 1200, 64, 48));
    x += 100;
  }

  CMonitor::EnsureIn(doc);
  CSpareAmp::EnsureIn(doc);
  CCollectionCall::EnsureAll(doc);
  CAmp::EnsureIn(doc);
  for (int kind : CMacro::UserKinds()) CMacro::CreateMacro(kind, doc);
  doc.PurgeDeleted();
}

// A loaded project and what it was when loaded: its saved bytes, its lists,
// each object's record, identity and connections, and the project data.
struct ReplyFuzzDriver::Served {
  struct Object {
    QByteArray record;
    int type = 0;
    int id = 0;
    QString path;
    std::vector<ConnectionRecord> inputs;
    std::vector<ConnectionRecord> outputs;
  };

  std::unique_ptr<CSelvantisDoc> doc = std::make_unique<CSelvantisDoc>();
  QByteArray saved;
  std::array<std::vector<CBaseDevice*>, CAT_COUNT + 1> lists;
  std::unordered_map<const CBaseDevice*, Object> objects;
  // What an input that marks the project modified may have changed besides
  // the objects its lines reach, with their records in one block each:
  // objects without a path of their own (list entries, slots, relays) change
  // through the objects that own them, the routed lines' objects; the on-line
  // windows keep values in others.
  struct Watched {
    std::vector<CBaseDevice*> objects;
    QByteArray records;
    std::vector<int> ends;
  };
  std::map<int, Watched> pathless;  // by type
  Watched windows;
  std::vector<CBaseDevice*> liveState;
  int upgradeFlag = 0;
  QStringList projectData;
  QString password;
  int pathCount = 0;
};

ReplyFuzzDriver::ReplyFuzzDriver(unsigned checkEvery)
    : m_sink(std::make_unique<SilentSink>()), m_checkEvery(checkEvery == 0 ? 1 : checkEvery) {
  m_previousProfile = CProfile::IniFile();
  CProfile::UseIniFile(m_dir.filePath(QStringLiteral("profile.ini")));
  m_previousSink = CMessageSink::Install(m_sink.get());
  // A reply must never reach the computer's clock.
  m_previousClockSetter = CClockWindowState::SetClockSetter([](const QDateTime&) { return true; });

  QString error;
  for (bool large : {false, true}) {
    CSelvantisDoc doc;
    FillWithEveryFamily(doc, large);
    (large ? m_large : m_small) = Save(doc, &error);
  }
}

ReplyFuzzDriver::~ReplyFuzzDriver() {
  for (auto& served : m_served) served.reset();
  CClockWindowState::SetClockSetter(m_previousClockSetter);
  CMessageSink::Install(m_previousSink);
  CProfile::UseIniFile(m_previousProfile);
}

QByteArray ReplyFuzzDriver::SeedLines(bool large, bool bQuery) const {
  CSelvantisDoc doc;
  QString error;
  if (!Load(doc, ProjectBytes(large), &error)) return {};
  ScriptedLink link;
  DeviceLinkScope scope(&link);
  RunTransfers(doc.GetAllObjects(), bQuery);
  return link.Sent().join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

QByteArray ReplyFuzzDriver::WindowSeedLines() const {
  CSelvantisDoc doc;
  QString error;
  if (!Load(doc, ProjectBytes(true), &error)) return {};
  QStringList queries;
  queries << CFuseWindowState::PollQueries() << CPilotWindowState::PollCommands() << CPowerWindowState::PollCommands()
          << CRecorderWindowState::InfoCommands() << CRecorderWindowState::QueryCommands()
          << CRecorderWindowState::PollCommands() << CVolumeWindowState::QueryLines()
          << CEventLogState::UploadCommands() << CEventLogState(&doc).PollCommands(0) << CZoneListState::PollLines()
          << CZoneListState::ZoneQueryLines(1) << CClockWindowState::OpeningQueries()
          << CClockWindowState::TickQueries();
  CServiceState service;
  queries << service.OpeningCommands() << service.TimerCommands() << service.ReadRegisterCommands();
  CRemoteAmpState amp(1);
  queries << amp.IdentityQueries() << amp.MeterQueries();
  for (int step = 0; step < 13; ++step) queries << amp.StatusPollList(step);
  for (int kind = CHardwareScan::kAmplifiers; kind <= CHardwareScan::kSlots; ++kind)
    queries << CHardwareScan::DetailQueries(kind, 1);
  // The answers carry a value where the queries ask.
  QByteArray lines;
  for (const QString& query : queries) {
    QString line = query;
    if (line.endsWith(QLatin1String(" ?")))
      line.chop(1);
    else if (!line.contains(QLatin1Char(' ')))
      line += QLatin1Char(' ');
    lines += line.toLatin1() + "1\r\n";
  }
  return lines;
}

QByteArray ReplyFuzzDriver::ServedProjectBytes(bool large) const {
  const Served* served = m_served[large ? 1 : 0].get();
  QString error;
  return served != nullptr ? Save(*served->doc, &error) : QByteArray();
}

ReplyFuzzDriver::Served* ReplyFuzzDriver::Serve(bool large, QString* error) {
  std::unique_ptr<Served>& slot = m_served[large ? 1 : 0];
  if (slot) return slot.get();
  auto served = std::make_unique<Served>();
  CSelvantisDoc& doc = *served->doc;
  ++m_loads;
  if (!Load(doc, ProjectBytes(large), error)) return nullptr;
  // An upload's error file goes beside the project, as in the program.
  doc.SetPathName(m_dir.filePath(QStringLiteral("fuzz.sxm")));
  served->saved = Save(doc, error);
  if (!error->isEmpty()) return nullptr;
  for (int category = CAT_FIRST; category <= CAT_LAST; ++category)
    served->lists[static_cast<size_t>(category)] = doc.GetObjectList(category);
  for (CBaseDevice* object : doc.GetAllObjects()) {
    Served::Object& kept = served->objects[object];
    kept.record = RecordOf(object);
    if (kept.record.isEmpty()) {
      *error = QStringLiteral("%1 cannot be written on its own").arg(object->GetName());
      return nullptr;
    }
    kept.type = object->GetType();
    kept.id = object->GetID();
    kept.path = object->GetPath();
    kept.inputs = object->GetInputConnections();
    kept.outputs = object->GetOutputConnections();
  }
  for (CBaseDevice* object : doc.GetAllObjects()) {
    const int type = object->GetType();
    if (std::find(std::begin(kLiveStateTypes), std::end(kLiveStateTypes), type) != std::end(kLiveStateTypes))
      served->liveState.push_back(object);
    if (std::find(std::begin(kWindowTypes), std::end(kWindowTypes), type) != std::end(kWindowTypes))
      served->windows.objects.push_back(object);
    else if (object->GetPath().isEmpty())
      served->pathless[type].objects.push_back(object);
  }
  for (auto& [type, watched] : served->pathless) watched.records = RecordsOf(watched.objects, watched.ends);
  served->windows.records = RecordsOf(served->windows.objects, served->windows.ends);
  served->upgradeFlag = doc.GetUpgradeFlag();
  served->projectData = doc.GetProjectDataList();
  served->password = doc.GetPassword();
  served->pathCount = doc.GetPathCount();
  slot = std::move(served);
  return slot.get();
}

bool ReplyFuzzDriver::PutBack(int slot, std::vector<CBaseDevice*> candidates, const std::vector<int>& pathlessTypes,
                              bool checkWindows) {
  Served& served = *m_served[slot];
  CSelvantisDoc& doc = *served.doc;
  auto reload = [&]() {
    m_served[slot].reset();
    return false;
  };
  // Objects the input added are deleted; one gone or moved takes a load.
  std::vector<CBaseDevice*> added;
  for (int category = CAT_FIRST; category <= CAT_LAST; ++category) {
    const std::vector<CBaseDevice*> now = doc.GetObjectList(category);
    const std::vector<CBaseDevice*>& then = served.lists[static_cast<size_t>(category)];
    if (now.size() < then.size() || !std::equal(then.begin(), then.end(), now.begin())) return reload();
    added.insert(added.end(), now.begin() + static_cast<std::ptrdiff_t>(then.size()), now.end());
  }
  for (CBaseDevice* object : added) {
    if (served.objects.count(object) != 0 || !doc.DeleteObject(object)) return reload();
  }
  doc.PurgeDeleted();

  for (const auto& [type, watched] : served.pathless) {
    const bool all = !pathlessTypes.empty() && pathlessTypes.front() == kNone;
    if ((all || std::find(pathlessTypes.begin(), pathlessTypes.end(), type) != pathlessTypes.end()) &&
        !AddChanged(watched, candidates))
      return reload();
  }
  if (checkWindows && !AddChanged(served.windows, candidates)) return reload();
  for (CBaseDevice* object : candidates) {
    auto kept = served.objects.find(object);
    if (kept == served.objects.end()) continue;  // an object the input added, gone now
    if (RecordOf(object) == kept->second.record) continue;
    if (object->GetType() != kept->second.type || object->GetID() != kept->second.id ||
        object->GetPath() != kept->second.path)
      return reload();
    if (!ReadBackInPlace(object, kept->second.record) || RecordOf(object) != kept->second.record) return reload();
    ++m_restoredObjects;
  }
  for (auto& [object, kept] : served.objects) {
    auto* mutableObject = const_cast<CBaseDevice*>(object);
    if (object->GetInputConnections() != kept.inputs) {
      RebuildConnections(mutableObject, true, kept.inputs);
      ++m_restoredLists;
    }
    if (object->GetOutputConnections() != kept.outputs) {
      RebuildConnections(mutableObject, false, kept.outputs);
      ++m_restoredLists;
    }
  }
  if (doc.GetUpgradeFlag() != served.upgradeFlag || doc.GetProjectDataList() != served.projectData ||
      doc.GetPassword() != served.password || doc.GetPathCount() != served.pathCount)
    return reload();
  doc.SetModifiedFlag(false);
  return true;
}

QString ReplyFuzzDriver::Run(const QByteArray& bytes) {
  const uint8_t steer = bytes.isEmpty() ? 0 : static_cast<uint8_t>(bytes[0]);
  const bool large = (steer & 1) != 0;
  const int slot = large ? 1 : 0;
  QString error;
  Served* served = Serve(large, &error);
  if (served == nullptr) return error;
  CSelvantisDoc& doc = *served->doc;
  // Whatever goes wrong below, the next input gets a fresh load.
  struct DropUnlessKept {
    std::unique_ptr<Served>& slot;
    bool keep = false;
    ~DropUnlessKept() {
      if (!keep) slot.reset();
    }
  } guard{m_served[slot]};

  const bool sampled = qHash(bytes) % m_checkEvery == 0;
  const bool toWindows = (steer & 8) != 0;
  Modifiers modifiers;
  if (toWindows) {
    doc.SetModifiedFlag(false);
    CLineCutter cutter;
    FeedWindows(doc, cutter.Feed(bytes + "\r"), QString::fromLatin1(bytes));
    modifiers.any = doc.IsModified();
    error = CheckOwnership(doc, "windows");
  } else {
    // The objects the lines reach: their queries may go out first, and they
    // are compared when a change cannot be put down to a line.
    const QStringList routed = RoutedLines(bytes, steer % (bytes.size() + 1));
    std::vector<CBaseDevice*> reached;
    if ((steer & 2) != 0) AddReached(doc, routed, reached);
    error = Route(doc, bytes, steer, reached, modifiers);
    if (modifiers.unknown) AddReached(doc, routed, modifiers.objects);
  }
  if (!error.isEmpty()) return error;
  if (sampled) {
    error = CheckSaveAndLoad(doc);
    if (!error.isEmpty()) return error;
  }

  // Every change a reply makes marks the project modified (or closing the
  // program would lose it without a question): an input that did not is
  // taken to have left the project as it was, which the sampled inputs check.
  // Of the routed lines, only those after which the project was modified
  // changed it: their objects are compared (one whose identifier or path
  // moved takes a new load), and of the objects without a path those that
  // the lines' objects may change (kNone first: all of them).
  const bool modified = modifiers.any;
  std::vector<int> pathlessTypes;
  bool allPathless = modifiers.unknown;
  for (const CBaseDevice* object : modifiers.objects)
    allPathless = allPathless || !AddEntryTypes(object->GetType(), pathlessTypes);
  if (allPathless) pathlessTypes.assign(1, kNone);
  std::vector<CBaseDevice*> candidates = modifiers.objects;
  candidates.insert(candidates.end(), served->liveState.begin(), served->liveState.end());
  if (!PutBack(slot, candidates, pathlessTypes, toWindows && modified)) return {};
  guard.keep = true;
  if (sampled && Save(doc, &error) != served->saved) {
    guard.keep = false;
    if (!error.isEmpty()) return error;
    QStringList changed;
    for (const auto& [object, kept] : served->objects) {
      auto* mutableObject = const_cast<CBaseDevice*>(object);
      if (RecordOf(mutableObject) != kept.record)
        changed << object->GetName() + QStringLiteral(" [%1]").arg(QLatin1String(object->GetClassName()));
      if (object->GetInputConnections() != kept.inputs || object->GetOutputConnections() != kept.outputs)
        changed << object->GetName() + QStringLiteral(" (connections)");
    }
    changed.sort();
    return (modified ? QStringLiteral("the project was not put back as it was loaded: ")
                     : QStringLiteral("a reply changed the project without marking it modified: ")) +
           changed.join(QStringLiteral(", "));
  }
  return {};
}
