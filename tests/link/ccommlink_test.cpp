// The serial link on the simulated unit over a real pseudo-terminal:
// connecting, command lines and lists, synchronous exchanges, the routing of
// replies by link mode, the macro lock, and what the unit can do wrong.
#include "link/ccommlink.h"
#include "link/cserialports.h"
#include "link/linkmode.h"
#include "linktestbench.h"
#include "linktestdevice.h"
#include "support/testtimelimit.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A window that sends command lists and collects the replies.
class ReplyTarget : public QObject {
  Q_OBJECT
 public:
  std::function<void()> onReply;
  int calls = 0;
  int lastTag = -1;
  QStringList lastLines;
  QList<QStringList> all;

 public slots:
  void OnCommReply(int tag, const QStringList& lines) {
    ++calls;
    lastTag = tag;
    lastLines = lines;
    all.append(lines);
    if (onReply) onReply();
  }
};

QString Now(const char* format) { return QDateTime::currentDateTime().toString(QString::fromLatin1(format)); }

}  // namespace

class CCommLinkTest : public LinkTestBench {
 protected:
  // Far beyond what a test needs: a hang fails.
  TestTimeLimit limit{std::chrono::seconds(180), [this] { sim.HangUp(); }};
};

TEST_F(CCommLinkTest, ConnectAsksTheUnitWhoItIsAndStoresItsCapabilities) {
  sim.SetValue("/SERVICE/DEVID", "10336");
  sim.SetValue("/SERVICE/VER", "V0.7");
  ASSERT_TRUE(link->Connect(doc.get()));
  EXPECT_TRUE(link->IsConnected());
  EXPECT_TRUE(doc->IsConnected());
  EXPECT_EQ(link->GetDocument(), doc.get());
  ASSERT_TRUE(WaitForLines(3));
  EXPECT_EQ(sim.ReceivedLines(), (QStringList{"/SERVICE/DEVID ?", "/SERVICE/VER ?", "/PROTECT OFF"}));
  const QString section = LinkProfile::kUnitSection;
  EXPECT_EQ(CProfile::GetInt(section, "Device Id", 0), 10336);
  EXPECT_EQ(CProfile::GetString(section, "OS Version"), "V0.7");
  EXPECT_EQ(CProfile::GetInt(section, "READYINP_CLR", -1), 1);
  EXPECT_EQ(CProfile::GetInt(section, "MONI_CLR", -1), 0);
  EXPECT_TRUE(messages.Requests().empty());
}

// A program killed in the middle of a line left its start in the unit: the
// connect's line end ends it on its own, so the first question reaches the
// unit whole.
TEST_F(CCommLinkTest, AConnectEndsAHalfLineAKilledProgramLeftInTheUnit) {
  const QByteArray half = "/MACRO/LOCK O";
  {
    const int killed = ::open(sim.PtyPath().toLocal8Bit().constData(), O_WRONLY | O_NOCTTY);
    ASSERT_GE(killed, 0);
    EXPECT_EQ(::write(killed, half.constData(), static_cast<size_t>(half.size())), half.size());
    ::close(killed);
  }
  ASSERT_TRUE(WaitUntil([&] { return sim.CharsReceived() >= half.size(); }));
  ASSERT_TRUE(link->Connect(doc.get()));
  ASSERT_TRUE(WaitForLines(4));
  EXPECT_EQ(sim.ReceivedLines(), (QStringList{"/MACRO/LOCK O", "/SERVICE/DEVID ?", "/SERVICE/VER ?", "/PROTECT OFF"}));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CCommLinkTest, ConnectFailsWithAMessageWhenTheUnitDoesNotAnswer) {
  sim.SetDropAnswers("/");
  EXPECT_FALSE(link->Connect(doc.get()));
  EXPECT_FALSE(link->IsConnected());
  EXPECT_FALSE(link->Port().IsOpen());
  EXPECT_FALSE(doc->IsConnected());
  EXPECT_TRUE(messages.SawText("does not answer"));
}

TEST_F(CCommLinkTest, ConnectFailsWithAMessageForAMissingPort) {
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, "/dev/no-such-port");
  EXPECT_FALSE(link->Connect(doc.get()));
  EXPECT_FALSE(link->IsConnected());
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains("/dev/no-such-port"));
}

// A profile without a port: Connect takes the port the command line and the
// preferences would, the first the system has; with none it opens nothing
// and says where to choose one.
TEST_F(CCommLinkTest, ConnectWithoutAProfilePortTakesTheFirstPortTheSystemHas) {
  struct Row {
    const char* what;
    bool systemHasTheUnitsPort;
    bool connects;
  };
  const Row rows[] = {{"the system lists the unit's port", true, true}, {"the system has no port", false, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    messages.Clear();
    sim.ClearLog();
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, "");
    std::vector<CSerialPorts::SystemPort> ports;
    if (row.systemHasTheUnitsPort) ports.push_back({sim.PtyPath(), QString(), QString(), true});
    CSerialPorts::SetSource([ports] { return ports; });
    const bool connected = link->Connect(doc.get());
    CSerialPorts::SetSource({});
    EXPECT_EQ(connected, row.connects);
    EXPECT_EQ(link->IsConnected(), row.connects);
    if (row.connects) {
      EXPECT_TRUE(messages.Requests().empty());
      ASSERT_TRUE(WaitForLines(3));
      EXPECT_EQ(sim.ReceivedLines().first(), "/SERVICE/DEVID ?");
      link->Disconnect();
    } else {
      EXPECT_FALSE(link->Port().IsOpen());
      ASSERT_EQ(messages.Requests().size(), 1u);
      EXPECT_TRUE(messages.Requests()[0].text.contains("no serial port")) << messages.Requests()[0].text.toStdString();
      EXPECT_TRUE(messages.Requests()[0].text.contains("Preferences")) << messages.Requests()[0].text.toStdString();
      EXPECT_TRUE(sim.ReceivedLines().isEmpty());
    }
  }
}

TEST_F(CCommLinkTest, DisconnectSetsTheClockAndAccessTimeAndProtectsTheUnit) {
  ASSERT_TRUE(Connect());
  link->Disconnect(true);
  EXPECT_FALSE(link->IsConnected());
  EXPECT_FALSE(doc->IsConnected());
  ASSERT_TRUE(WaitForLines(8));
  const QStringList lines = sim.ReceivedLines();
  ASSERT_EQ(lines.size(), 8) << lines.join(" | ").toStdString();
  EXPECT_EQ(lines[0], "/CLOCK/MAIN/TIME ?");
  EXPECT_EQ(lines[1], "/CLOCK/MAIN/DATE ?");
  // The simulator's clock says 12:00:00 on 01.01.2024: it is set.
  EXPECT_TRUE(lines[2].startsWith("/CLOCK/MAIN/TIME ")) << lines[2].toStdString();
  EXPECT_EQ(lines[3], "/CLOCK/MAIN/DATE " + Now("dd.MM.yyyy"));
  EXPECT_TRUE(lines[4].startsWith("/SERVICE/ACCESS/TIME ")) << lines[4].toStdString();
  EXPECT_EQ(lines[5], "/SERVICE/ACCESS/DATE " + Now("dd.MM.yyyy"));
  EXPECT_EQ(lines[6], "/PROTECT ON");
  EXPECT_EQ(lines[7], "/SERVICE/START FASTSAVE");
}

TEST_F(CCommLinkTest, DisconnectLeavesAClockThatIsRightAlone) {
  ASSERT_TRUE(Connect());
  sim.SetValue("/CLOCK/MAIN/TIME", Now("HH:mm:ss"));
  sim.SetValue("/CLOCK/MAIN/DATE", Now("dd.MM.yyyy"));
  link->Disconnect(false);
  ASSERT_TRUE(WaitForLines(5));
  const QStringList lines = sim.ReceivedLines();
  EXPECT_EQ(lines.size(), 5) << lines.join(" | ").toStdString();
  EXPECT_EQ(lines.last(), "/PROTECT ON");
}

TEST_F(CCommLinkTest, CommandListRepliesReachTheTargetWithEchoesAndTag) {
  ASSERT_TRUE(Connect());
  ReplyTarget target;
  ASSERT_TRUE(link->SendCommandList({"/SERVICE/VER ?", "/SERVICE/DEVID ?"}, true, 0, &target, 7));
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_COMMANDLIST);
  EXPECT_EQ(link->ExpectedReplyCount(), 4);  // two answers, two echoes
  ASSERT_TRUE(WaitUntil([&] { return target.lastLines.size() == 4; }));
  EXPECT_EQ(target.lastTag, 7);
  EXPECT_EQ(target.lastLines,
            (QStringList{"/SERVICE/VER ?", "/SERVICE/VER V1.0", "/SERVICE/DEVID ?", "/SERVICE/DEVID 10337"}));
  // A second list from another window while the first one's target lives:
  // the replies still go to the first target, the list starts afresh.
  ReplyTarget other;
  ASSERT_TRUE(link->SendCommandList({"/SERVICE/VER ?"}, true, 0, &other, 9));
  ASSERT_TRUE(WaitUntil([&] { return target.lastLines.size() == 2; }));
  EXPECT_EQ(target.lastLines, (QStringList{"/SERVICE/VER ?", "/SERVICE/VER V1.0"}));
  EXPECT_EQ(other.calls, 0);
  EXPECT_EQ(link->ExpectedReplyCount(), 6);
}

TEST_F(CCommLinkTest, CommandListCountsEchoesOnlyWhileTheUnitEchoes) {
  ASSERT_TRUE(Connect());
  CProfile::WriteInt(LinkProfile::kUnitSection, LinkProfile::kEchoOn, 0);
  ReplyTarget target;
  ASSERT_TRUE(link->SendCommandList({"/A ?", "/B ?", "/C ?"}, true, 0, &target, 0));
  EXPECT_EQ(link->ExpectedReplyCount(), 3);
  ASSERT_TRUE(link->SendCommandList({"/D ?"}, false, 0, &target, 0));
  EXPECT_EQ(link->ExpectedReplyCount(), 3);
}

TEST_F(CCommLinkTest, CommandListOfMoreThan512CharactersIsRefusedAndNothingSent) {
  ASSERT_TRUE(Connect());
  ReplyTarget target;
  // 16 commands of 30 characters, each with CR LF: exactly 512.
  QStringList fits;
  for (int i = 0; i < 16; ++i) fits << QString("/Q%1 ?").arg(i, 2, 10, QChar('0')).leftJustified(30, 'X');
  QStringList tooLong = fits;
  tooLong.last() += "X";
  EXPECT_FALSE(link->SendCommandList(tooLong, true, 0, &target, 0));
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  Pump(100);
  EXPECT_EQ(sim.ReceivedCount(), 0);
  EXPECT_TRUE(link->SendCommandList(fits, true, 0, &target, 0));
  EXPECT_TRUE(WaitForLines(16));
}

TEST_F(CCommLinkTest, ATargetThatGoesAwayPutsTheLinkBackToNormal) {
  ASSERT_TRUE(Connect());
  // The connect asked for the version too: wait for one answer more than it got.
  const auto versionAnswers = [&] {
    int count = 0;
    for (const MonitorEntry& entry : link->Monitor().Entries())
      if (entry.direction == MonitorEntry::Received && entry.text == "/SERVICE/VER V1.0") ++count;
    return count;
  };
  const int answersBefore = versionAnswers();
  auto target = std::make_unique<ReplyTarget>();
  ASSERT_TRUE(link->SendCommandList({"/SERVICE/VER ?"}, true, 0, target.get(), 1));
  ASSERT_EQ(link->GetLinkMode(), LINKMODE_COMMANDLIST);
  target.reset();
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_EQ(link->ReplyTarget(), nullptr);
  // Replies that still come are routed, not handed to the gone window.
  ASSERT_TRUE(WaitUntil([&] { return versionAnswers() > answersBefore; }));
  ReplyTarget next;
  ASSERT_TRUE(link->SendCommandList({"/SERVICE/DEVID ?"}, true, 0, &next, 2));
  EXPECT_EQ(link->ReplyTarget(), &next);
  ASSERT_TRUE(WaitUntil([&] { return next.lastLines.size() >= 2; }));
  EXPECT_EQ(next.lastLines.mid(next.lastLines.size() - 2), (QStringList{"/SERVICE/DEVID ?", "/SERVICE/DEVID 10337"}));
  EXPECT_EQ(next.lastTag, 2);
}

TEST_F(CCommLinkTest, ATargetMaySendANewListFromItsReplyHandler) {
  ASSERT_TRUE(Connect());
  ReplyTarget target;
  int rounds = 0;
  QStringList walked;
  target.onReply = [&] {
    const QStringList& lines = target.lastLines;
    if (lines.size() < 2 || rounds >= 3) return;
    ++rounds;
    link->SendCommandList({"/SERVICE/VER ?"}, true, 0, &target, 0);
    walked = lines;  // still the lines it was given
  };
  ASSERT_TRUE(link->SendCommandList({"/SERVICE/VER ?"}, true, 0, &target, 0));
  ASSERT_TRUE(WaitUntil([&] { return rounds == 3; }));
  EXPECT_EQ(walked, (QStringList{"/SERVICE/VER ?", "/SERVICE/VER V1.0"}));
}

TEST_F(CCommLinkTest, SendAndReadReturnsEchoAndAnswerWithoutRoutingThem) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 2);
  ASSERT_NE(device, nullptr);
  ASSERT_TRUE(Connect());
  sim.SetValue("/TEST1/V0", "zz");
  const QString reply = link->SendAndRead("/TEST1/V0 ?", kAnswerWaitMs);
  EXPECT_EQ(reply, "/TEST1/V0 ?\r\n/TEST1/V0 zz\r\n");
  Pump(50);
  EXPECT_TRUE(device->m_routed.isEmpty());
  EXPECT_EQ(link->SendAndRead("/NOTHING", kAnswerWaitMs), "/NOTHING\r\n");
}

TEST_F(CCommLinkTest, SendAndReadLeavesEarlierTrafficToTheRouting) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 2);
  ASSERT_TRUE(Connect());
  // The echo of this line is still on its way when the exchange starts.
  link->SendCommand("/TEST1/V0 x");
  EXPECT_EQ(link->SendAndRead("/SERVICE/VER ?", kAnswerWaitMs), "/SERVICE/VER ?\r\n/SERVICE/VER V1.0\r\n");
  EXPECT_EQ(device->m_routed, QStringList{"TEST1/V0 x"});
}

TEST_F(CCommLinkTest, SendQueryStripsTheEchoOnlyWhenTheReplyStartsWithTheCommand) {
  ASSERT_TRUE(Connect());
  EXPECT_EQ(link->SendQuery("/SERVICE/VER ?"), "/SERVICE/VER V1.0\r\n");
  sim.SetEcho(false);
  // Without an echo the answer comes whole, not cut by the command's length.
  EXPECT_EQ(link->SendQuery("/SERVICE/VER ?"), "/SERVICE/VER V1.0\r\n");
  sim.SetDropAnswers("/SERVICE/VER");
  EXPECT_EQ(link->SendQuery("/SERVICE/VER ?"), "");
}

TEST_F(CCommLinkTest, SendQueryWaitsLongEnoughForThePacedUnit) {
  sim.SetPaced(true);
  ASSERT_TRUE(Connect());
  EXPECT_EQ(link->SendQuery("/SERVICE/DEVID ?"), "/SERVICE/DEVID 10337\r\n");
}

TEST_F(CCommLinkTest, SendListAndWaitReturnsTheAnswersWithoutTheEchoes) {
  ASSERT_TRUE(Connect());
  sim.SetValue("/MONI/VOL", "-12");
  QStringList replies;
  ASSERT_TRUE(link->SendListAndWait({"/MONI/VOL ?", "/SERVICE/VER ?", "/MONI/NONE ?"}, &replies));
  EXPECT_EQ(replies, (QStringList{"/MONI/VOL -12", "/SERVICE/VER V1.0", "ERROR /MONI/NONE"}));
}

TEST_F(CCommLinkTest, SendListAndWaitGivesUpWhenTheOutputDoesNotDrain) {
  ASSERT_TRUE(Connect());
  sim.SetStalled(true);
  Pump(50);
  // More than the pseudo-terminal takes while stopped, so it backs up.
  QStringList commands;
  for (int i = 0; i < 12; ++i) commands << QString("/FILL/%1 %2").arg(i).arg(QString(30, 'f'));
  for (int i = 0; i < 40 && link->OutBufferCount() == 0; ++i) link->SendCommandList(commands, false, 0, nullptr, 0);
  link->SetLinkMode(LINKMODE_NORMAL);
  ASSERT_GT(link->OutBufferCount(), 0);
  QStringList replies{"stale"};
  QElapsedTimer timer;
  timer.start();
  EXPECT_FALSE(link->SendListAndWait({"/SERVICE/VER ?"}, &replies));
  EXPECT_LT(timer.elapsed(), CCommLink::kNoProgressTimeoutMs + kHangLimitMs);
  EXPECT_TRUE(replies.isEmpty());
  sim.SetStalled(false);
}

TEST_F(CCommLinkTest, ShortensOnlyWhenThePathEqualsTheLastPathActuallyWritten) {
  ASSERT_TRUE(Connect());
  link->SendDeviceCommand("/AMP/ADR1/VOL 1", nullptr, true);
  link->SendDeviceCommand("/AMP/ADR1/VOL 2", nullptr, true);
  link->SendCommandList({"/OTHER ?"}, false, 0, nullptr, 0);  // another route
  link->SetLinkMode(LINKMODE_NORMAL);
  link->SendDeviceCommand("/AMP/ADR1/VOL 3", nullptr, true);
  link->SendAndRead("/AMP/ADR1/VOL ?", 30);
  link->SendDeviceCommand("/AMP/ADR1/VOL 4", nullptr, true);
  link->SendDeviceCommand("/AMP/ADR1/VOLUME 5", nullptr, true);
  link->SendDeviceCommand("/AMP/ADR1/VOLUME 6", nullptr, false);
  ASSERT_TRUE(WaitForLines(8));
  EXPECT_EQ(sim.ReceivedLines(), (QStringList{"/AMP/ADR1/VOL 1", " 2", "/OTHER ?", "/AMP/ADR1/VOL 3", "/AMP/ADR1/VOL ?",
                                              " 4", "/AMP/ADR1/VOLUME 5", "/AMP/ADR1/VOLUME 6"}));
  EXPECT_EQ(sim.Value("/AMP/ADR1/VOL"), "4");
  // A new connection starts with full paths.
  link->Disconnect();
  sim.ClearLog();
  ASSERT_TRUE(Connect());
  link->SendDeviceCommand("/AMP/ADR1/VOLUME 7", nullptr, true);
  ASSERT_TRUE(WaitForLines(1));
  EXPECT_EQ(sim.ReceivedLines(), QStringList{"/AMP/ADR1/VOLUME 7"});
}

TEST_F(CCommLinkTest, WritesOnlyForTheServedDocument) {
  ASSERT_TRUE(Connect());
  CSelvantisDoc other;
  link->SendDeviceCommand("/A 1", &other, false);
  link->SendCommand("/B 1", &other);
  link->SendDeviceCommand("/C 1", doc.get(), false);
  link->SendCommand("/D 1", nullptr);
  ASSERT_TRUE(WaitForLines(2));
  Pump(30);
  EXPECT_EQ(sim.ReceivedLines(), (QStringList{"/C 1", "/D 1"}));
}

TEST_F(CCommLinkTest, MacroLockIsOnExactlyWhileInDownloadMode) {
  ASSERT_TRUE(Connect());
  struct Row {
    int mode;
    const char* line;  // sent by the change, or null
  } rows[] = {
      {LINKMODE_DOWNLOAD, "/MACRO/LOCK ON"},
      {LINKMODE_DOWNLOAD, nullptr},
      {LINKMODE_NORMAL, "/MACRO/LOCK OFF"},
      {LINKMODE_UPLOAD, nullptr},
      {LINKMODE_DOWNLOAD, "/MACRO/LOCK ON"},
      {LINKMODE_UPLOAD, "/MACRO/LOCK OFF"},
      {LINKMODE_DOWNLOAD, "/MACRO/LOCK ON"},
      {LINKMODE_COMMANDLIST, "/MACRO/LOCK OFF"},
      {LINKMODE_DOWNLOAD, "/MACRO/LOCK ON"},
      {LINKMODE_NONE, "/MACRO/LOCK OFF"},
      {LINKMODE_NORMAL, nullptr},
  };
  QStringList expected;
  for (const Row& row : rows) {
    link->SetLinkMode(row.mode);
    EXPECT_EQ(link->GetLinkMode(), row.mode);
    if (row.line) expected << row.line;
  }
  // A command list leaves a download too.
  link->SetLinkMode(LINKMODE_DOWNLOAD);
  link->SendCommandList({"/X ?"}, false, 0, nullptr, 0);
  expected << "/MACRO/LOCK ON"
           << "/MACRO/LOCK OFF"
           << "/X ?";
  ASSERT_TRUE(WaitForLines(expected.size()));
  EXPECT_EQ(sim.ReceivedLines(), expected);
}

TEST_F(CCommLinkTest, RoutesRepliesByLinkMode) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 2);
  ASSERT_TRUE(Connect());
  const QByteArray traffic = "/TEST1/V0 ?\r\n/TEST1/V0 Who?\r\nTEST1/V1 no slash\r\n/TEST1/V1 b\r\n";
  struct Row {
    int mode;
    QStringList routed;
    QString v0;
  } rows[] = {
      {LINKMODE_NONE, {}, "v0"},
      {LINKMODE_DOWNLOAD, {}, "v0"},
      {LINKMODE_NORMAL, {"TEST1/V0 ?", "TEST1/V0 Who?", "TEST1/V1 b"}, "v0"},
      // Only the echoed query is dropped, not a value that ends in "?".
      {LINKMODE_UPLOAD, {"TEST1/V0 Who?", "TEST1/V1 b"}, "Who?"},
  };
  auto arrived = [&] {
    int count = 0;
    for (const MonitorEntry& entry : link->Monitor().Entries())
      count += entry.direction == MonitorEntry::Received && entry.text == "/TEST1/V1 b";
    return count;
  };
  for (const Row& row : rows) {
    device->m_routed.clear();
    device->m_values = QStringList{"v0", "v1"};
    link->SetLinkMode(row.mode);
    const int before = arrived();
    sim.Inject(traffic);
    ASSERT_TRUE(WaitUntil([&] { return arrived() > before; }));
    EXPECT_EQ(device->m_routed, row.routed) << row.mode;
    EXPECT_EQ(device->m_values[0], row.v0) << row.mode;
  }
}

TEST_F(CCommLinkTest, DeliversALineSplitAcrossTwoReceiveEventsOnceWhole) {
  ASSERT_TRUE(Connect());
  sim.SetSplitReplies(true);
  ReplyTarget target;
  ASSERT_TRUE(link->SendCommandList({"/SERVICE/VER ?", "/SERVICE/DEVID ?"}, true, 0, &target, 0));
  ASSERT_TRUE(WaitUntil([&] { return target.lastLines.size() == 4; }));
  for (const QStringList& lines : target.all) {
    for (const QString& line : lines) {
      EXPECT_TRUE(line == "/SERVICE/VER ?" || line == "/SERVICE/VER V1.0" || line == "/SERVICE/DEVID ?" ||
                  line == "/SERVICE/DEVID 10337")
          << line.toStdString();
    }
  }
  EXPECT_EQ(target.lastLines.count("/SERVICE/VER V1.0"), 1);
}

TEST_F(CCommLinkTest, GarbageAndOverLongLinesFromTheUnitChangeNothing) {
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, 2);
  ASSERT_TRUE(Connect());
  link->SetLinkMode(LINKMODE_UPLOAD);
  QByteArray garbage;
  for (int i = 0; i < 256; ++i) garbage.append(static_cast<char>(i == 0x11 || i == 0x13 || i == '\r' ? 'g' : i));
  sim.Inject(garbage + QByteArray(200000, 'x') + "\r\n");
  sim.Inject("\x01\x02/TEST1/V0 broken\r\n/TEST1/V1 ok\r\n");
  ASSERT_TRUE(WaitUntil([&] { return device->m_values[1] == "ok"; }));
  EXPECT_EQ(device->m_values[0], "v0");
  EXPECT_TRUE(link->IsConnected());
  EXPECT_LE(link->Monitor().Count(), link->Monitor().Capacity());
  for (const MonitorEntry& entry : link->Monitor().Entries())
    EXPECT_LE(entry.text.size(), CProtocolMonitor::kMaxEntryChars * 4);
  // The link still works.
  EXPECT_EQ(link->SendQuery("/SERVICE/VER ?"), "/SERVICE/VER V1.0\r\n");
}

TEST_F(CCommLinkTest, HangUpClosesThePortAndReportsItOnce) {
  ASSERT_TRUE(Connect());
  link->SetLinkMode(LINKMODE_DOWNLOAD);
  int changes = 0;
  QObject::connect(link.get(), &CCommLink::connectedChanged, [&](bool connected) { changes += connected ? 100 : 1; });
  sim.HangUp();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected() && !messages.Requests().empty(); }));
  Pump(100);  // a second report would come now
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(doc->IsConnected());
  EXPECT_FALSE(link->Port().IsOpen());
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.Requests()[0].text.contains("lost"));
  // Nothing more happens on a closed link.
  EXPECT_EQ(link->SendAndRead("/X ?", 10), "");
  EXPECT_FALSE(link->SendListAndWait({"/X ?"}, nullptr));
  link->Disconnect();
  EXPECT_EQ(messages.Requests().size(), 1u);
}

TEST_F(CCommLinkTest, ErrorFileSitsBesideTheProjectAndIsShownOnlyWhenNotEmpty) {
  QTemporaryDir dir;
  doc->SetPathName(dir.filePath("plant.v2.sxm"));
  link->SetDocument(doc.get());
  QStringList shown;
  link->SetFileViewer([&](const QString& path) { shown << path; });
  const QString path = link->GetErrorFilePath();
  EXPECT_EQ(path, dir.filePath("plant.v2.err"));
  EXPECT_TRUE(QFile::exists(path));
  link->ShowErrorFile();
  EXPECT_TRUE(shown.isEmpty());
  EXPECT_EQ(link->ErrorFilePath(), "");

  link->GetErrorFilePath();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write("ERROR: something\r\n");
  file.close();
  link->ShowErrorFile();
  EXPECT_EQ(shown, QStringList{path});
  // Prepared again it is empty.
  link->GetErrorFilePath();
  EXPECT_EQ(QFile(path).size(), 0);

  CSelvantisDoc unsaved;
  link->SetDocument(&unsaved);
  EXPECT_EQ(link->GetErrorFilePath(), "");
}

TEST_F(CCommLinkTest, MonitorShowsAllTrafficInOrder) {
  ASSERT_TRUE(Connect());
  link->Monitor().Clear();
  link->SendAndRead("/SERVICE/VER ?", 100);
  link->OnSaveVmxSettings();
  ASSERT_TRUE(WaitForLines(2));
  ASSERT_TRUE(WaitUntil([&] { return link->Monitor().Count() >= 5; }));
  EXPECT_EQ(link->Monitor().ToText(),
            "> /SERVICE/VER ?\n< /SERVICE/VER ?\n< /SERVICE/VER V1.0\n> /SERVICE/START FASTSAVE\n"
            "< /SERVICE/START FASTSAVE\n");
}

TEST_F(CCommLinkTest, TimeSinceLastOutputRunsOnAMonotonicClock) {
  EXPECT_GT(link->GetTimeSinceLastOutput(), 1000);  // nothing written yet
  ASSERT_TRUE(Connect());
  QElapsedTimer sinceSend;
  sinceSend.start();
  link->SendCommand("/A 1");
  EXPECT_LE(link->GetTimeSinceLastOutput(), sinceSend.elapsed());
  Pump(60);
  EXPECT_GE(link->GetTimeSinceLastOutput(), 60);
}

TEST_F(CCommLinkTest, QueueingCollectsLinesInsteadOfWritingThem) {
  ASSERT_TRUE(Connect());
  link->SendDeviceCommand("/Q/A 0", nullptr, true);
  link->StartQueue(doc.get());
  EXPECT_TRUE(link->IsQueueing());
  // The collected lines start with a full path even if it was written last.
  link->SendDeviceCommand("/Q/A 1", doc.get(), true);
  link->SendDeviceCommand("/Q/A 2", doc.get(), true);
  link->SendDeviceCommand("/Q/B 3", nullptr, true);
  CSelvantisDoc other;
  link->SendDeviceCommand("/Q/C 4", &other, true);
  EXPECT_EQ(link->OutBufferCount(), 0);
  EXPECT_EQ(link->TakeQueue(), (QStringList{"/Q/A 1", " 2", "/Q/B 3"}));
  EXPECT_FALSE(link->IsQueueing());
  ASSERT_TRUE(WaitForLines(1));
  Pump(30);
  EXPECT_EQ(sim.ReceivedLines(), QStringList{"/Q/A 0"});
}

TEST_F(CCommLinkTest, AHoldIsNewsOnlyOnceItHasLastedASecond) {
  ASSERT_TRUE(Connect());
  QList<bool> told;
  QObject::connect(link.get(), &CCommLink::lineHeld, [&](bool held) { told << held; });
  auto notes = [&] {
    int count = 0;
    for (const MonitorEntry& entry : link->Monitor().Entries())
      if (entry.direction == MonitorEntry::Note && entry.text.contains("XOFF")) ++count;
    return count;
  };
  const int notesBefore = notes();
  // The unit's ordinary pacing: a short hold is no news.
  sim.Inject(QByteArray(1, 0x13));
  ASSERT_TRUE(WaitUntil([&] { return link->IsLineHeld(); }));
  Pump(300);
  sim.Inject(QByteArray(1, 0x11));
  ASSERT_TRUE(WaitUntil([&] { return !link->IsLineHeld(); }));
  Pump(CCommLink::kHoldNewsMs + 200);
  EXPECT_TRUE(told.isEmpty());
  EXPECT_EQ(notes(), notesBefore);

  // A hold that lasts is told once, and its end.
  QElapsedTimer held;
  held.start();
  sim.Inject(QByteArray(1, 0x13));
  ASSERT_TRUE(WaitUntil([&] { return !told.isEmpty(); }));
  EXPECT_GE(held.elapsed(), CCommLink::kHoldNewsMs);
  EXPECT_EQ(told, QList<bool>{true});
  sim.Inject(QByteArray(1, 0x11));
  ASSERT_TRUE(WaitUntil([&] { return told.size() == 2; }));
  EXPECT_EQ(told, (QList<bool>{true, false}));
  EXPECT_EQ(notes(), notesBefore + 1);
}

TEST_F(CCommLinkTest, CountsTheEchoesAndNamesTheFirstLineTheUnitLost) {
  ASSERT_TRUE(Connect());
  sim.SetDropEveryNthLine(3);
  link->StartTally();
  ASSERT_TRUE(link->ConfirmsLines());
  // A shortened line is echoed as it was sent.
  for (const char* line : {"/A 1", "/B 2", "/C 3", "/D 4", "/D 5", "/F 6"})
    link->SendDeviceCommand(QString::fromLatin1(line), nullptr, true);
  ASSERT_TRUE(WaitUntil([&] { return link->CurrentTally().echoed == 4; }));
  Pump(100);
  const IDeviceLink::Tally tally = link->CurrentTally();
  EXPECT_EQ(tally.written, 6);
  EXPECT_EQ(tally.echoed, 4);
  // The echo of "/D 4" passed over "/C 3"; "/F 6" still waits for its echo.
  EXPECT_EQ(tally.missed, 1);
  EXPECT_EQ(tally.Unechoed(), 1);
  EXPECT_EQ(link->FirstUnconfirmedPath(), "/C");
  EXPECT_EQ(sim.DroppedLines(), (QStringList{"/C 3", "/F 6"}));
  EXPECT_TRUE(sim.ReceivedLines().contains(" 5"));
  link->StopTally();
}

#include "ccommlink_test.moc"
