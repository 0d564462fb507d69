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
#include "link/iserialport.h"
#include "link/linkmode.h"
#include "logic/cfault.h"
#include "macros/cmacro.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
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

#include <QBuffer>
#include <QDateTime>
#include <QHash>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include <cstdint>
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
class NullPort final : public ISerialPort {
 public:
  bool Open(const QString&, const QString&, QString*) override { return m_open = true; }
  void Close() override { m_open = false; }
  bool IsOpen() const override { return m_open; }
  bool Output(const QByteArray&) override { return true; }
  QByteArray Input() override { return {}; }
  int InBufferCount() const override { return 0; }
  int OutBufferCount() const override { return 0; }
  bool WaitForInput(int) override { return false; }
  bool WaitForOutput(int) override { return false; }
  void SetHandlers(ReceiveHandler, ErrorHandler onError) override { m_onError = std::move(onError); }

  void Lose() {
    m_open = false;
    if (m_onError) m_onError(QStringLiteral("The device is gone."), true);
  }

 private:
  bool m_open = false;
  ErrorHandler m_onError;
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

// Runs every object's transfer steps (bounded), as a transfer would.
void RunTransfers(CSelvantisDoc& doc, bool bQuery) {
  for (CBaseDevice* object : doc.GetAllObjects()) {
    const int count = object->Download(bQuery, -1);
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

// Whether a line of bytes can reach the project: one with a "/" (the reply
// routing and the on-line windows that keep anything in the project take
// only lines with a path) or that names a path of the project, as the link
// cuts it in either receive event, with or without the line lost between
// them.
bool MayReach(const CSelvantisDoc& doc, const QByteArray& bytes, int cut) {
  for (const QByteArray& piece : {bytes, bytes.left(cut), bytes.mid(cut)}) {
    CLineCutter cutter;
    for (const QString& line : cutter.Feed(piece + "\r")) {
      if (line.contains(QLatin1Char('/')) || doc.FindPathOwner(line) != nullptr) return true;
    }
  }
  return false;
}

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
  for (auto& doc : m_docs) doc.reset();
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
  RunTransfers(doc, bQuery);
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

QString ReplyFuzzDriver::Run(const QByteArray& bytes) {
  const uint8_t steer = bytes.isEmpty() ? 0 : static_cast<uint8_t>(bytes[0]);
  const bool large = (steer & 1) != 0;
  const int slot = large ? 1 : 0;
  QString error;
  if (!m_docs[slot] || m_touched[slot]) {
    m_docs[slot].reset();
    auto fresh = std::make_unique<CSelvantisDoc>();
    ++m_loads;
    if (!Load(*fresh, ProjectBytes(large), &error)) return error;
    m_pristine[slot] = Save(*fresh, &error);
    if (!error.isEmpty()) return error;
    m_docs[slot] = std::move(fresh);
  }
  CSelvantisDoc& doc = *m_docs[slot];
  const int cut = steer % (bytes.size() + 1);
  m_touched[slot] = (steer & 2) != 0 || MayReach(doc, bytes, cut);
  const bool sampled = qHash(bytes) % m_checkEvery == 0;
  // The upload's error file goes beside the project, as in the program.
  doc.SetPathName(m_dir.filePath(QStringLiteral("fuzz.sxm")));

  {
    ScriptedLink scripted;
    DeviceLinkScope scope(&scripted);
    auto port = std::make_unique<NullPort>();
    NullPort* portView = port.get();
    CCommLink link(std::move(port));
    link.SetDocument(&doc);
    doc.SetConnected(true);
    scripted.SetErrorFilePath(link.GetErrorFilePath());
    link.SetLinkMode(LINKMODE_UPLOAD);
    scripted.SetLinkMode(LINKMODE_UPLOAD);
    // As in an upload, the objects' queries go out first (some objects
    // reset what they expect answers for); every other input skips them.
    if ((steer & 2) != 0) RunTransfers(doc, true);
    // In two pieces: a line may arrive cut anywhere.
    link.HandleIncoming(bytes.left(cut));
    // The line may go in the middle of an upload: the rest arrives in
    // normal mode.
    if ((steer & 4) != 0) portView->Lose();
    link.HandleIncoming(bytes.mid(cut));
    link.HandleIncoming(QByteArrayLiteral("\r"));
    error = CheckOwnership(doc, "upload");
    if (!error.isEmpty()) return error;

    link.SetLinkMode(LINKMODE_NORMAL);
    scripted.SetLinkMode(LINKMODE_NORMAL);
    link.HandleIncoming(bytes);
    link.HandleIncoming(QByteArrayLiteral("\r"));
    error = CheckOwnership(doc, "normal");
    if (!error.isEmpty()) return error;
  }

  CLineCutter cutter;
  const QStringList lines = cutter.Feed(bytes + "\r");
  // The fault window takes its answers without a path: what it shows of
  // them is kept in the fault object.
  auto* fault = dynamic_cast<CFault*>(doc.GetIDManager().FindBaseDevice(1, DT_FAULT));
  QString faultBefore, faultAfter;
  if (fault) fault->GetColumnText(faultBefore, 4);
  FeedWindows(doc, lines, QString::fromLatin1(bytes));
  if (fault && doc.Contains(fault)) fault->GetColumnText(faultAfter, 4);
  if (faultAfter != faultBefore) m_touched[slot] = true;
  error = CheckOwnership(doc, "windows");
  if (!error.isEmpty()) return error;
  if (!sampled) return {};
  if (!m_touched[slot]) {
    // The input was taken as harmless: the project must be as it was.
    if (Save(doc, &error) != m_pristine[slot])
      return error.isEmpty() ? QStringLiteral("an input that reaches no object changed the project") : error;
  }
  return CheckSaveAndLoad(doc);
}
