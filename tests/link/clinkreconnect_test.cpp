// The link connects again by itself after a lost port: to the port that
// was lost and only to the unit that was lost, only after a loss (never
// after the user's disconnect, never while a transfer runs), a limited
// number of times, until the user stops it, and with one notice when it
// gives up or finds another unit.
#include "link/clinkreconnect.h"
#include "link/ctransfer.h"
#include "link/cunclosednotes.h"
#include "linktestbench.h"
#include "linktestdevice.h"
#include "support/testtimelimit.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <thread>

namespace {

class CLinkReconnectTest : public LinkTestBench {
 protected:
  void SetUp() override {
    // Far beyond what a test needs; a hang fails.
    m_limit = std::make_unique<TestTimeLimit>(std::chrono::seconds(240), [this] { sim.HangUp(); });
    LinkTestBench::SetUp();
    ASSERT_TRUE(m_dir.isValid());
    // A port name that stays while the unit behind it changes, as a serial
    // adapter's device does.
    m_port = m_dir.filePath("ttyUnit");
    PointPortAt(sim.PtyPath());
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, m_port);
  }
  void TearDown() override {
    m_reconnect.reset();
    LinkTestBench::TearDown();
    m_back.reset();
    m_limit.reset();
  }
  QString LossNotice() const {
    const auto it = messages.Notices().find(QString::fromLatin1(CCommLink::kLossNotice));
    return it == messages.Notices().end() ? QString() : it->second.text;
  }
  // The adapter is pulled: the unit's terminal goes, and its device name
  // with it. A name left pointing at the lost terminal would send the tries
  // to whatever terminal another program opens next under that number.
  void Unplug() {
    QFile::remove(m_port);
    sim.HangUp();
  }
  void PointPortAt(const QString& pty) {
    QFile::remove(m_port);
    ASSERT_TRUE(QFile::link(pty, m_port));
  }
  CLinkReconnect& Reconnect(int retryMs, int tries) {
    m_reconnect = std::make_unique<CLinkReconnect>(*link);
    m_reconnect->SetRetry(retryMs, tries);
    return *m_reconnect;
  }

  QTemporaryDir m_dir;
  QString m_port;
  std::unique_ptr<CLinkReconnect> m_reconnect;
  std::unique_ptr<UnitSimulator> m_back;
  std::unique_ptr<TestTimeLimit> m_limit;
};

TEST_F(CLinkReconnectTest, ConnectsAgainToTheSamePortWhenTheUnitIsBack) {
  ASSERT_TRUE(Connect());
  CLinkReconnect& reconnect = Reconnect(20, 1000);
  QStringList status;
  QObject::connect(&reconnect, &CLinkReconnect::statusMessage, [&](const QString& text) { status << text; });
  Unplug();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
  EXPECT_TRUE(reconnect.IsWaiting());
  EXPECT_EQ(reconnect.Port(), m_port);

  m_back = std::make_unique<UnitSimulator>();
  ASSERT_TRUE(m_back->Start());
  PointPortAt(m_back->PtyPath());
  ASSERT_TRUE(WaitUntil([&] { return link->IsConnected(); }));
  EXPECT_FALSE(reconnect.IsWaiting());
  EXPECT_TRUE(doc->IsConnected());
  // The unit was left unprotected by the lost connection (its macros were
  // never locked): the try closes it first, then connects as always.
  EXPECT_TRUE(WaitUntil([&] { return m_back->FullLines().contains("/PROTECT OFF"); }));
  EXPECT_EQ(m_back->FullLines(), (QStringList{"/SERVICE/DEVID ?", "/SERVICE/VER ?", "/PROTECT ON", "/PROTECT OFF"}));
  // The loss, then what the try's connect said in its place: only what was
  // open, and nothing of a protection that the connection lifts again.
  EXPECT_EQ(messages.Requests().size(), 2u);
  const QString told = LossNotice();
  EXPECT_TRUE(
      told.contains("ended before the unit had taken \"/PROTECT ON\". It has been sent now, and the unit "
                    "has taken it."))
      << told.toStdString();
  EXPECT_FALSE(told.contains("MACRO")) << told.toStdString();
  EXPECT_FALSE(told.contains("protected")) << told.toStdString();
  ASSERT_FALSE(status.isEmpty());
  EXPECT_TRUE(status.last().contains("again")) << status.last().toStdString();
}

// The tries go to the port that was lost, whatever the profile names.
TEST_F(CLinkReconnectTest, TheTriesUseThePortThatWasLost) {
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, "/dev/no-such-port-of-the-profile");
  ASSERT_TRUE(link->ConnectPort(m_port, doc.get()));
  ASSERT_TRUE(WaitUntil([&] { return sim.FullLines().contains("/PROTECT OFF"); }));
  CLinkReconnect& reconnect = Reconnect(20, 1000);
  Unplug();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
  EXPECT_EQ(reconnect.Port(), m_port);
  m_back = std::make_unique<UnitSimulator>();
  ASSERT_TRUE(m_back->Start());
  PointPortAt(m_back->PtyPath());
  ASSERT_TRUE(WaitUntil([&] { return link->IsConnected() || !reconnect.IsWaiting(); }));
  EXPECT_TRUE(link->IsConnected());
  EXPECT_EQ(link->PortName(), m_port);
}

// Another unit behind the same port name (an adapter plugged into another
// unit): it is asked who it is and gets nothing that changes it; the tries
// stop and the user is told which unit answered and that Connect takes it.
TEST_F(CLinkReconnectTest, AnotherUnitBehindThePortGetsNothingThatChangesIt) {
  ASSERT_TRUE(Connect());
  CLinkReconnect& reconnect = Reconnect(20, 1000);
  Unplug();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
  m_back = std::make_unique<UnitSimulator>();
  m_back->SetValue("/SERVICE/DEVID", "4711");
  m_back->SetValue("/SERVICE/VER", "V0.8");
  ASSERT_TRUE(m_back->Start());
  PointPortAt(m_back->PtyPath());
  ASSERT_TRUE(WaitUntil([&] { return !reconnect.IsWaiting(); }));
  EXPECT_FALSE(link->IsConnected());
  EXPECT_EQ(reconnect.Tries(), 1);
  EXPECT_EQ(m_back->FullLines(), (QStringList{"/SERVICE/DEVID ?", "/SERVICE/VER ?"}));
  EXPECT_FALSE(m_back->HasValue("/PROTECT"));
  EXPECT_FALSE(m_back->HasValue("/MACRO/LOCK"));
  const QString told = LossNotice();
  EXPECT_TRUE(told.contains("Another unit answers")) << told.toStdString();
  EXPECT_TRUE(told.contains("device id 4711, version V0.8")) << told.toStdString();
  EXPECT_TRUE(told.contains("device id 10337, version V1.0")) << told.toStdString();
  EXPECT_TRUE(told.contains("Connect (F5) takes this unit")) << told.toStdString();
  const int asked = m_back->ReceivedCount();
  Pump(200);  // another try would come now
  EXPECT_EQ(m_back->ReceivedCount(), asked);
  EXPECT_EQ(messages.Requests().size(), 2u);
  // The lost unit's note stays for when it is back.
  EXPECT_TRUE(CUnclosedNotes::Has(m_port, CUnitIdentity("10337", "V1.0")));
  // The user's Connect takes the other unit.
  ASSERT_TRUE(link->Connect(doc.get()));
  EXPECT_EQ(link->Unit(), CUnitIdentity("4711", "V0.8"));
  EXPECT_TRUE(WaitUntil([&] { return m_back->FullLines().contains("/PROTECT OFF"); }));
  EXPECT_FALSE(m_back->FullLines().contains("/PROTECT ON"));
  EXPECT_TRUE(messages.SawText("is another one (device id 4711, version V0.8)"));
}

// Who the unit is, for the tries: its device id and its version. A unit
// whose operating system was updated meanwhile is not the unit the program
// knew (what it sends follows from the version): the tries stop, and
// Connect takes it. Two units of the same device id and version are one
// unit to the program: nothing else tells them apart.
TEST_F(CLinkReconnectTest, TheTriesGoOnOnlyWithTheSameDeviceIdAndVersion) {
  const struct {
    const char* name;
    const char* id;
    const char* version;
    bool connects;
  } rows[] = {
      {"another unit of the same device id and version", "10337", "V1.0", true},
      {"the unit with its operating system updated", "10337", "V1.1", false},
      {"another device id", "4711", "V1.0", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    messages.Clear();
    if (!sim.IsRunning()) {
      m_back.reset();
      ASSERT_TRUE(sim.Start());
      PointPortAt(sim.PtyPath());
    }
    ASSERT_TRUE(link->ConnectPort(m_port, doc.get()));
    CLinkReconnect& reconnect = Reconnect(20, 1000);
    Unplug();
    ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
    m_back = std::make_unique<UnitSimulator>();
    m_back->SetValue("/SERVICE/DEVID", row.id);
    m_back->SetValue("/SERVICE/VER", row.version);
    ASSERT_TRUE(m_back->Start());
    PointPortAt(m_back->PtyPath());
    ASSERT_TRUE(WaitUntil([&] { return link->IsConnected() || !reconnect.IsWaiting(); }));
    EXPECT_EQ(link->IsConnected(), row.connects);
    if (row.connects) {
      EXPECT_EQ(link->Unit(), CUnitIdentity("10337", "V1.0"));
      EXPECT_TRUE(link->Disconnect());
    } else {
      EXPECT_FALSE(m_back->HasValue("/PROTECT"));
      EXPECT_TRUE(LossNotice().contains(QStringLiteral("device id %1, version %2").arg(row.id, row.version)))
          << LossNotice().toStdString();
    }
    m_reconnect.reset();
    m_back.reset();
    sim.Stop();
  }
}

// The same, checked against the simulator program run by itself with
// another device id and version: the lines it received, as it prints them.
TEST_F(CLinkReconnectTest, AnotherUnitRunByTheSimulatorProgramIsToldAndLeftAlone) {
  ASSERT_TRUE(Connect());
  CLinkReconnect& reconnect = Reconnect(20, 1000);
  Unplug();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
  QProcess other;
  other.start(QStringLiteral(SELV_UNIT_SIM_PATH), {"--verbose", "/SERVICE/DEVID=4712", "/SERVICE/VER=V0.9"});
  ASSERT_TRUE(other.waitForStarted(kHangLimitMs));
  ASSERT_TRUE(WaitUntil([&] { return other.canReadLine(); }));
  const QString path = QString::fromLocal8Bit(other.readLine()).trimmed();
  ASSERT_TRUE(path.startsWith("/dev/")) << path.toStdString();
  PointPortAt(path);
  ASSERT_TRUE(WaitUntil([&] { return !reconnect.IsWaiting(); }));
  Pump(300);  // the program prints what it got every 100 ms
  other.terminate();
  ASSERT_TRUE(other.waitForFinished(kHangLimitMs));
  QStringList received;
  for (const QByteArray& line : other.readAllStandardOutput().split('\n'))
    if (line.startsWith("> ")) received << QString::fromLatin1(line.mid(2));
  EXPECT_EQ(received, (QStringList{"/SERVICE/DEVID ?", "/SERVICE/VER ?"}));
  EXPECT_FALSE(link->IsConnected());
  EXPECT_TRUE(LossNotice().contains("device id 4712, version V0.9")) << LossNotice().toStdString();
}

// The user's Disconnect stops the tries at once; nothing is said afterwards.
TEST_F(CLinkReconnectTest, TheUserStopsTheTriesWithNothingSaidAfterwards) {
  ASSERT_TRUE(Connect());
  CLinkReconnect& reconnect = Reconnect(10, 20);
  Unplug();
  ASSERT_TRUE(WaitUntil([&] { return reconnect.Tries() >= 2; }));
  reconnect.StopTries();
  const int tries = reconnect.Tries();
  EXPECT_FALSE(reconnect.IsWaiting());
  Pump(400);  // the last try and the message of giving up would have come
  EXPECT_EQ(reconnect.Tries(), tries);
  EXPECT_EQ(messages.Requests().size(), 1u);
  EXPECT_FALSE(messages.SawText("did not answer again"));
}

// A transfer has the line until its run is over, its closing message
// included: no try comes meanwhile, however many are due.
TEST_F(CLinkReconnectTest, NoTryComesWhileATransferRuns) {
  AddLinkTestDevice(*doc, 1, 200, 30);
  sim.SetPaced(true);
  ASSERT_TRUE(Connect());
  CLinkReconnect& reconnect = Reconnect(10, 1000);
  m_back = std::make_unique<UnitSimulator>();
  ASSERT_TRUE(m_back->Start());
  CTransfer transfer;
  bool gone = false;
  transfer.SetProgressHandler([&](int done, int) {
    if (gone || done < 10) return;
    gone = true;
    // The unit is back at once behind the same name.
    sim.HangUp();
    PointPortAt(m_back->PtyPath());
  });
  struct AtMessage {
    bool seen = false;
    int tries = -1;
    bool connected = true;
  } atMessage;
  messages.SetOnShow([&](const MessageRequest&) {
    if (atMessage.seen || !CTransfer::IsRunning()) return;
    atMessage.seen = true;
    // The transfer's closing message: many tries would be due by now.
    Pump(300);
    atMessage.tries = reconnect.Tries();
    atMessage.connected = link->IsConnected();
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::LinkLost);
  ASSERT_TRUE(atMessage.seen);
  EXPECT_EQ(atMessage.tries, 0);
  EXPECT_FALSE(atMessage.connected);
  EXPECT_TRUE(m_back->FullLines().isEmpty());
  messages.SetOnShow(nullptr);
  // Once the transfer is over, the tries come.
  EXPECT_TRUE(WaitUntil([&] { return link->IsConnected(); }));
}

TEST_F(CLinkReconnectTest, TheUsersDisconnectIsNoLoss) {
  ASSERT_TRUE(Connect());
  CLinkReconnect& reconnect = Reconnect(20, 1000);
  link->Disconnect();
  Pump(100);  // a try would come now
  EXPECT_FALSE(reconnect.IsWaiting());
  EXPECT_FALSE(link->IsConnected());
  EXPECT_EQ(reconnect.Tries(), 0);
}

TEST_F(CLinkReconnectTest, GivesUpAfterItsTriesAndSaysSoOnce) {
  ASSERT_TRUE(Connect());
  CLinkReconnect& reconnect = Reconnect(10, 3);
  Unplug();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
  ASSERT_TRUE(WaitUntil([&] { return !reconnect.IsWaiting(); }));
  EXPECT_EQ(reconnect.Tries(), 3);
  EXPECT_FALSE(link->IsConnected());
  ASSERT_TRUE(WaitUntil([&] { return messages.Requests().size() >= 2; }));
  Pump(100);  // another message would come now
  ASSERT_EQ(messages.Requests().size(), 2u);
  EXPECT_TRUE(messages.SawText("did not answer again after 3 tries"));
  // In place of the loss notice, which said the program would try.
  EXPECT_TRUE(LossNotice().contains("did not answer again after 3 tries")) << LossNotice().toStdString();
  EXPECT_TRUE(LossNotice().contains("may still have its settings unprotected")) << LossNotice().toStdString();
}

// A try whose port is lost while it asks the unit who it is says nothing
// either: the user was told of the loss once, and hears of the end of the
// tries once.
TEST_F(CLinkReconnectTest, ATryWhosePortIsLostWhileConnectingSaysNothing) {
  ASSERT_TRUE(Connect());
  // The first try comes a while after the loss, when the next unit is there.
  CLinkReconnect& reconnect = Reconnect(500, 1);
  Unplug();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
  ASSERT_TRUE(WaitUntil([&] { return messages.Requests().size() >= 1; }));
  m_back = std::make_unique<UnitSimulator>();
  m_back->SetSilent(true);
  ASSERT_TRUE(m_back->Start());
  UnitSimulator& back = *m_back;
  // Gone as soon as the try has asked its first question.
  std::thread goes([&back] {
    QDeadlineTimer limit(30000);
    while (back.FullLines().isEmpty() && !limit.hasExpired()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    back.HangUp();
  });
  PointPortAt(m_back->PtyPath());
  const bool ended = WaitUntil([&] { return !reconnect.IsWaiting(); });
  goes.join();
  ASSERT_TRUE(ended);
  EXPECT_EQ(reconnect.Tries(), 1);
  EXPECT_FALSE(link->IsConnected());
  Pump(100);  // a message posted by the lost try would come now
  ASSERT_EQ(messages.Requests().size(), 2u);
  EXPECT_TRUE(messages.SawText("did not answer again after 1 tries"));
}

// A port that opens but whose unit does not answer: each try says nothing.
TEST_F(CLinkReconnectTest, ATryThatFailsSaysNothing) {
  ASSERT_TRUE(Connect());
  CLinkReconnect& reconnect = Reconnect(10, 1000);
  Unplug();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
  m_back = std::make_unique<UnitSimulator>();
  m_back->SetSilent(true);
  ASSERT_TRUE(m_back->Start());
  PointPortAt(m_back->PtyPath());
  // Two tries more, now that the port is there again.
  reconnect.SetRetry(10, reconnect.Tries() + 2);
  ASSERT_TRUE(WaitUntil([&] { return !reconnect.IsWaiting(); }));
  EXPECT_FALSE(link->IsConnected());
  // The tries reached the unit, which kept silent.
  EXPECT_GT(m_back->ReceivedCount(), 0);
  Pump(100);
  // The loss and the end of the tries; never "does not answer".
  ASSERT_EQ(messages.Requests().size(), 2u);
  EXPECT_FALSE(messages.SawText("does not answer"));
}

}  // namespace
