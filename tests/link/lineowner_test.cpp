// One owner of the line, on the real link and the paced simulated unit: a
// window that keeps polling (as the power window does, through command
// lists on a timer) and closes in the middle cannot cut into a download or
// an upload, and polls again by itself afterwards; a refused line, answers
// that stop while the echoes go on, a stray XOFF at connect, and the
// endings that could leave the unit locked and unprotected.
#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "link/cunclosednotes.h"
#include "link/linkmode.h"
#include "link/linkprofile.h"
#include "linktestbench.h"
#include "linktestdevice.h"
#include "model/devicetype.h"
#include "observedlink.h"
#include "support/messagerecorder.h"
#include "support/quietport.h"
#include "support/tempprofile.h"
#include "support/testtimelimit.h"

#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {

constexpr char kOwnerXoff = 0x13;

// A window polling the unit the way the on-line windows do: a command list
// on a timer, its replies to itself; now and then it "closes", which sets
// the resting mode.
class PollingWindow final : public QObject {
 public:
  explicit PollingWindow(IDeviceLink& link) : m_link(link) {
    m_timer.setInterval(20);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
    m_timer.start();
  }
  void Poll() {
    ++m_polls;
    if (m_link.SendCommandList({QStringLiteral("/SERVICE/VER ?")}, true, 0, this, 0))
      ++m_sent;
    else
      m_refusal = m_link.LineRefusal();
    if (m_polls % 5 == 0) m_link.SetLinkMode(LINKMODE_NORMAL);
  }
  int Sent() const { return m_sent; }
  int Polls() const { return m_polls; }
  const QString& Refusal() const { return m_refusal; }

 private:
  IDeviceLink& m_link;
  QTimer m_timer;
  int m_polls = 0;
  int m_sent = 0;
  QString m_refusal;
};

}  // namespace

class LineOwnerTest : public LinkTestBench {
 protected:
  // Far beyond what a test needs: a line that never comes is cut by the
  // unit hanging up, so that the test fails instead of waiting for ever.
  static constexpr std::chrono::seconds kTestLimit{240};

  void SetUp() override {
    m_limit = std::make_unique<TestTimeLimit>(kTestLimit, [this] { sim.HangUp(); });
    LinkTestBench::SetUp();
    sim.SetPaced(true);
  }
  void TearDown() override {
    LinkTestBench::TearDown();
    m_limit.reset();
  }

  std::vector<CLinkTestDevice*> AddDevices(int n, int count, int width = 0) {
    std::vector<CLinkTestDevice*> devices;
    for (int id = 1; id <= n; ++id) devices.push_back(AddLinkTestDevice(*doc, id, count, width));
    return devices;
  }
  int IndexOf(const QString& line, int from = 0) const { return sim.ReceivedLines().indexOf(line, from); }
  int LastProjectLine() const {
    const QStringList lines = sim.ReceivedLines();
    for (int i = lines.size() - 1; i >= 0; --i)
      if (lines[i].startsWith("/TEST")) return i;
    return -1;
  }
  QString Port() const { return sim.PtyPath(); }

  std::unique_ptr<TestTimeLimit> m_limit;
};

TEST_F(LineOwnerTest, APollingWindowCannotCutIntoADownload) {
  AddDevices(2, 120, 30);
  ASSERT_TRUE(Connect());
  PollingWindow window(*link);
  ASSERT_TRUE(WaitUntil([&] { return window.Sent() >= 2; }));
  CTransfer transfer;
  const int before = window.Sent();
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  EXPECT_TRUE(messages.Requests().empty());
  // The window asked all the time, and was told why it could not.
  EXPECT_EQ(window.Sent(), before);
  EXPECT_FALSE(window.Refusal().isEmpty());
  ASSERT_TRUE(WaitUntil([&] { return IndexOf("/MACRO/LOCK OFF") >= 0; }));
  const int lockOn = IndexOf("/MACRO/LOCK ON");
  const int lockOff = IndexOf("/MACRO/LOCK OFF");
  ASSERT_GE(lockOn, 0);
  // The lock stays on up to the last project line, with nothing between.
  EXPECT_EQ(lockOff, LastProjectLine() + 1);
  EXPECT_EQ(sim.ReceivedLines().mid(lockOn + 1, lockOff - lockOn - 1).filter("/SERVICE/VER").size(), 0);
  EXPECT_EQ(sim.ReceivedLines().mid(lockOn).count("/MACRO/LOCK OFF"), 1);
  // Afterwards the window polls again by itself.
  EXPECT_TRUE(WaitUntil([&] { return IndexOf("/SERVICE/VER ?", lockOff) > lockOff; }));
  EXPECT_GT(window.Sent(), before);
}

TEST_F(LineOwnerTest, APollingWindowLeavesAnUploadDoneAndComplete) {
  AddDevices(3, 60);
  ASSERT_TRUE(Connect());
  for (int id = 1; id <= 3; ++id)
    for (int i = 0; i < 60; ++i) sim.SetValue(QString("/TEST%1/V%2").arg(id).arg(i), QString("unit%1").arg(i));
  PollingWindow window(*link);
  ASSERT_TRUE(WaitUntil([&] { return window.Sent() >= 2; }));
  CTransfer transfer;
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Done);
  EXPECT_TRUE(messages.Requests().empty());
  for (int id = 1; id <= 3; ++id) {
    auto* device = dynamic_cast<CLinkTestDevice*>(doc->FindObjectById(CAT_MISC, id));
    ASSERT_NE(device, nullptr);
    for (int i = 0; i < 60; ++i) EXPECT_EQ(device->m_values.value(i), QString("unit%1").arg(i)) << id << " " << i;
  }
  EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
}

TEST_F(LineOwnerTest, WhileATransferHasTheLineOthersAreRefusedWithAReason) {
  AddDevices(1, 40, 30);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  struct Asked {
    bool list = true;
    bool wait = true;
    QString read = "x";
    int mode = -1;
  } asked;
  bool done = false;
  transfer.SetProgressHandler([&](int count, int) {
    if (done || count < 5) return;
    done = true;
    // What a window's timer would do if it fired here: the link pumps
    // events for the transfer.
    QTimer::singleShot(0, [&] {
      asked.list = link->SendCommandList({"/SERVICE/VER ?"}, true, 0, nullptr, 0);
      QStringList replies;
      asked.wait = link->SendListAndWait({"/SERVICE/VER ?"}, &replies);
      asked.read = link->SendAndRead("/SERVICE/VER ?", 50);
      link->SendCommand("/WINDOW/LINE 1", nullptr);
      link->SetLinkMode(LINKMODE_NORMAL);
      asked.mode = link->GetLinkMode();
    });
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  EXPECT_TRUE(done);
  EXPECT_FALSE(asked.list);
  EXPECT_FALSE(asked.wait);
  EXPECT_EQ(asked.read, "");
  EXPECT_EQ(asked.mode, LINKMODE_DOWNLOAD);
  EXPECT_FALSE(link->LineRefusal().isEmpty());
  ASSERT_TRUE(WaitUntil([&] { return IndexOf("/MACRO/LOCK OFF") >= 0; }));
  EXPECT_EQ(IndexOf("/WINDOW/LINE 1"), -1);
  EXPECT_EQ(link->CurrentLineUse(), LineUse::Free);
}

TEST_F(LineOwnerTest, ALineTheUnitRefusesEndsTheDownloadWithItsOwnResult) {
  AddDevices(1, 10);
  sim.RegisterHandler("/TEST1/V5", [](UnitSimulator&, const UnitSimulator::Command& command, QStringList& replies) {
    replies << QStringLiteral("ERROR ") + command.path;
    return true;
  });
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Refused);
  EXPECT_EQ(transfer.Refused(), 1);
  EXPECT_EQ(transfer.FirstRefused(), "/TEST1/V5");
  EXPECT_TRUE(messages.SawText("The unit refused 1 lines, the first: /TEST1/V5"));
  EXPECT_TRUE(WaitUntil([&] { return IndexOf("/MACRO/LOCK OFF") >= 0; }));
  // The rest went as always.
  EXPECT_GE(IndexOf("/TEST1/V9 v9"), 0);
}

TEST_F(LineOwnerTest, AnUploadWhoseUnitEchoesButNoLongerAnswersEndsUnansweredWithinTheLimit) {
  AddDevices(3, 400);
  ASSERT_TRUE(Connect());
  for (int id = 1; id <= 3; ++id)
    for (int i = 0; i < 400; ++i) sim.SetValue(QString("/TEST%1/V%2").arg(id).arg(i), "unit");
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(1000);
  bool dropping = false;
  transfer.SetProgressHandler([&](int done, int total) {
    if (!dropping && done * 10 >= total * 3) {
      dropping = true;
      sim.SetDropAnswers("/TEST");
    }
  });
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Unanswered);
  // Within a second of the last answer the line carries some 130 queries;
  // had the echoes kept the upload alive, it would have gone on until the
  // most lines it lets wait for the unit were owed.
  EXPECT_GT(transfer.Unanswered(), 0);
  EXPECT_LT(transfer.Unanswered(), CTransfer::kMaxOwedLines);
  EXPECT_TRUE(messages.SawText("stayed unanswered"));
}

TEST_F(LineOwnerTest, AStrayXoffAtConnectDoesNotLoseTheVersion) {
  sim.SetPaced(false);
  // The unit answers its identity, then sends an XOFF that no XON follows.
  sim.RegisterHandler("/SERVICE/DEVID", [](UnitSimulator& unit, const UnitSimulator::Command&, QStringList& replies) {
    unit.Inject(QByteArray(1, kOwnerXoff));
    replies << QStringLiteral("/SERVICE/DEVID 4711");
    return true;
  });
  sim.SetValue("/SERVICE/VER", "V0.8");
  const QString section = QString::fromLatin1(LinkProfile::kUnitSection);
  ASSERT_TRUE(link->Connect(doc.get()));
  EXPECT_EQ(CProfile::GetString(section, "OS Version"), "V0.8");
  EXPECT_EQ(CProfile::GetInt(section, "MONI_CLR", -1), 1);
  EXPECT_EQ(CProfile::GetInt(section, "Device Id", -1), 4711);
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_TRUE(WaitUntil([&] { return IndexOf("/PROTECT OFF") >= 0; }));
}

TEST_F(LineOwnerTest, AUnitThatNeverTellsItsVersionIsNotStoredAsAnOldOne) {
  sim.SetPaced(false);
  sim.RegisterHandler("/SERVICE/VER", [](UnitSimulator&, const UnitSimulator::Command&, QStringList&) { return true; });
  const QString section = QString::fromLatin1(LinkProfile::kUnitSection);
  CProfile::WriteString(section, "OS Version", "V0.8");
  EXPECT_FALSE(link->Connect(doc.get()));
  EXPECT_TRUE(messages.SawText("did not tell its operating-system version"));
  EXPECT_EQ(CProfile::GetString(section, "OS Version"), "V0.8");
  EXPECT_FALSE(link->IsConnected());
}

// Disconnect after a download the unit stopped taking: the unit takes data
// again within the wait (it gets the unlock and the protection), or it
// does not (the user is told, the profile keeps a note, and the next
// connect to the port sends both first and says so).
TEST_F(LineOwnerTest, DisconnectWhileTheUnitHoldsTheLine) {
  const struct {
    const char* name;
    bool releasedInTime;
  } cases[] = {{"released within the wait", true}, {"held past the wait", false}};
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    messages.Clear();
    doc = std::make_unique<CSelvantisDoc>();
    AddDevices(1, 150, 30);
    ASSERT_TRUE(Connect());
    CTransfer transfer;
    transfer.SetNoProgressTimeoutMs(1000);
    bool stalled = false;
    transfer.SetProgressHandler([&](int done, int) {
      if (done >= 10 && !stalled) {
        stalled = true;
        sim.SetStalled(true);
      }
    });
    EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Unconfirmed);
    EXPECT_FALSE(transfer.Closed());
    EXPECT_TRUE(messages.SawText("may still have its macros locked"));
    messages.Clear();
    // Disconnect waits without the event loop: the unit is let go from
    // another thread, well within the wait.
    std::thread release;
    if (row.releasedInTime)
      release = std::thread([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sim.SetStalled(false);
      });
    const bool closed = link->Disconnect();
    if (release.joinable()) release.join();
    EXPECT_EQ(closed, row.releasedInTime);
    EXPECT_EQ(CCommLink::UnclosedPorts().contains(Port()), !row.releasedInTime);
    if (row.releasedInTime) {
      EXPECT_TRUE(messages.Requests().empty());
      ASSERT_TRUE(WaitUntil([&] { return IndexOf("/PROTECT ON") >= 0; }));
      EXPECT_GE(IndexOf("/MACRO/LOCK OFF"), 0);
      EXPECT_LT(IndexOf("/MACRO/LOCK OFF"), IndexOf("/PROTECT ON"));
      continue;
    }
    EXPECT_TRUE(messages.SawText("may still have its macros locked and its settings unprotected"));
    // The next connect to the port finishes the closing first.
    sim.SetStalled(false);
    Pump(300);
    sim.ClearLog();
    messages.Clear();
    ASSERT_TRUE(link->Connect(doc.get()));
    EXPECT_TRUE(messages.SawText("They have been sent now"));
    ASSERT_TRUE(WaitUntil([&] { return IndexOf("/PROTECT OFF") >= 0; }));
    const int lockOff = IndexOf("/MACRO/LOCK OFF");
    const int protectOn = IndexOf("/PROTECT ON");
    ASSERT_GE(lockOff, 0);
    ASSERT_GE(protectOn, 0);
    EXPECT_LT(lockOff, IndexOf("/PROTECT OFF"));
    EXPECT_LT(protectOn, IndexOf("/PROTECT OFF"));
    EXPECT_TRUE(link->Disconnect());
    // Closed: the note goes.
    EXPECT_FALSE(CCommLink::UnclosedPorts().contains(Port()));
  }
}

TEST_F(LineOwnerTest, ALostPortDuringADownloadSaysTheUnitMayStillBeLockedAndKeepsANote) {
  AddDevices(1, 150, 30);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  bool gone = false;
  transfer.SetProgressHandler([&](int done, int) {
    if (done >= 10 && !gone) {
      gone = true;
      sim.HangUp();
    }
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::LinkLost);
  EXPECT_TRUE(messages.SawText("may still have its macros locked and its settings unprotected"));
  EXPECT_TRUE(CCommLink::UnclosedPorts().contains(Port()));
}

// Only the holder of the line's token is let through: a second taker, be
// it a transfer or a closing, gets no token, and a second transfer is Busy.
TEST_F(LineOwnerTest, ASecondTakerIsRefusedWhileATransferHasTheLine) {
  AddDevices(1, 60, 30);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  struct Asked {
    bool transferToken = true;
    bool closingToken = true;
    bool running = false;
    CTransfer::Result second = CTransfer::Result::Done;
  } asked;
  bool done = false;
  transfer.SetProgressHandler([&](int count, int) {
    if (done || count < 5) return;
    done = true;
    QTimer::singleShot(0, [&] {
      CLineToken first = link->TakeLine(LinePurpose::Transfer);
      CLineToken closing = link->TakeLine(LinePurpose::Closing);
      asked.transferToken = first.IsHeld();
      asked.closingToken = closing.IsHeld();
      asked.running = link->CurrentLineUse() == LineUse::Transfer && CTransfer::IsRunning();
      // Carrying a token it did not get lets nothing through either.
      {
        const CLineToken::Carried shown = first.Carry();
        link->SendCommand("/WINDOW/LINE 1", nullptr);
      }
      CTransfer second;
      asked.second = second.SendLines({"/WINDOW/LINE 2"});
    });
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  ASSERT_TRUE(done);
  EXPECT_FALSE(asked.transferToken);
  EXPECT_FALSE(asked.closingToken);
  EXPECT_TRUE(asked.running);
  EXPECT_EQ(asked.second, CTransfer::Result::Busy);
  ASSERT_TRUE(WaitUntil([&] { return IndexOf("/MACRO/LOCK OFF") >= 0; }));
  EXPECT_EQ(IndexOf("/WINDOW/LINE 1"), -1);
  EXPECT_EQ(IndexOf("/WINDOW/LINE 2"), -1);
  EXPECT_EQ(link->CurrentLineUse(), LineUse::Free);
  EXPECT_FALSE(CTransfer::IsRunning());
}

// A window that closes the connection while a download has the line (its
// timer fires while the transfer pumps events) is refused: the download
// goes on to its end, and the unit is closed by the transfer's own ending.
TEST_F(LineOwnerTest, ADisconnectFromAnotherWindowCannotCutIntoADownload) {
  AddDevices(1, 60, 30);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  bool asked = false;
  bool closed = true;
  transfer.SetProgressHandler([&](int count, int) {
    if (asked || count < 5) return;
    asked = true;
    QTimer::singleShot(0, [&] { closed = link->Disconnect(); });
  });
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  ASSERT_TRUE(asked);
  EXPECT_FALSE(closed);
  EXPECT_TRUE(link->IsConnected());
  EXPECT_TRUE(transfer.Closed());
  ASSERT_TRUE(WaitUntil([&] { return IndexOf("/MACRO/LOCK OFF") >= 0; }));
  // Nothing of a closing came between the project's lines.
  EXPECT_EQ(IndexOf("/PROTECT ON"), -1);
  EXPECT_EQ(IndexOf("/MACRO/LOCK OFF"), LastProjectLine() + 1);
  EXPECT_TRUE(link->Disconnect());
  EXPECT_TRUE(messages.Requests().empty());
}

// The unit lost the download's "/MACRO/LOCK OFF" on the wire: the transfer
// says it may still be locked, and Disconnect sends the unlock again.
TEST_F(LineOwnerTest, DisconnectSendsAnUnlockTheUnitLostAgain) {
  AddDevices(1, 20);
  ASSERT_TRUE(Connect());
  sim.LoseNext("/MACRO/LOCK OFF");
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(1000);
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  EXPECT_FALSE(transfer.Closed());
  EXPECT_TRUE(messages.SawText("may still have its macros locked"));
  EXPECT_TRUE(link->UnitMayBeLocked());
  messages.Clear();
  EXPECT_TRUE(link->Disconnect());
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_EQ(sim.DroppedLines(), QStringList{"/MACRO/LOCK OFF"});
  EXPECT_EQ(sim.ReceivedLines().count("/MACRO/LOCK OFF"), 1);
  EXPECT_EQ(sim.Value("/MACRO/LOCK"), "OFF");
  EXPECT_EQ(sim.Value("/PROTECT"), "ON");
  EXPECT_FALSE(CCommLink::UnclosedPorts().contains(Port()));
}

// The unit lost the first question for its version (a garbled line): the
// connect asks again.
TEST_F(LineOwnerTest, ConnectAsksForTheVersionAgainWhenTheUnitLostTheQuestion) {
  const struct {
    const char* name;
    int lost;
    bool connects;
  } cases[] = {{"lost once", 1, true}, {"lost twice", 2, true}, {"lost three times", 3, false}};
  sim.SetPaced(false);
  const QString section = QString::fromLatin1(LinkProfile::kUnitSection);
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    messages.Clear();
    CProfile::Remove(section, "OS Version");
    sim.LoseNext("/SERVICE/VER ?", row.lost);
    EXPECT_EQ(link->Connect(doc.get()), row.connects);
    EXPECT_EQ(CProfile::GetString(section, "OS Version"), row.connects ? "V1.0" : "");
    EXPECT_EQ(messages.SawText("did not tell its operating-system version"), !row.connects);
    if (link->IsConnected()) link->Disconnect();
  }
}

// The note that the unit may be left open is on disk before the first line
// that opens the unit reaches it, and goes once the unit has taken the
// closing lines: a crash in between leaves it.
TEST_F(LineOwnerTest, TheNoteIsWrittenBeforeTheUnitIsOpenedAndGoesWhenItIsClosed) {
  sim.SetPaced(false);
  AddDevices(1, 10);
  const QString file = CUnclosedNotes::FilePath();
  // What the notes' file held when each opening line reached the unit.
  auto notes = std::make_shared<QStringList>();
  auto noted = [file, notes](UnitSimulator&, const UnitSimulator::Command& command, QStringList&) {
    if (command.line != "/PROTECT OFF" && command.line != "/MACRO/LOCK ON") return false;
    QFile held(file);
    const QByteArray text = held.open(QIODevice::ReadOnly) ? held.readAll() : QByteArray();
    const bool has =
        command.line == "/PROTECT OFF" ? text.contains("] unprotected\n") : text.contains("] locked unprotected\n");
    *notes << command.line + (has ? " noted" : " not noted");
    return false;
  };
  sim.RegisterHandler("/PROTECT", noted);
  sim.RegisterHandler("/MACRO/LOCK", noted);
  ASSERT_TRUE(Connect());
  const CUnitIdentity unit("10337", "V1.0");
  EXPECT_EQ(link->Unit(), unit);
  EXPECT_TRUE(CUnclosedNotes::Has(Port(), unit));
  CTransfer transfer;
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  // The macros are unlocked, the settings still open.
  EXPECT_TRUE(CUnclosedNotes::Has(Port(), unit));
  EXPECT_TRUE(link->Disconnect());
  EXPECT_FALSE(CUnclosedNotes::Has(Port(), unit));
  EXPECT_TRUE(CCommLink::UnclosedPorts().isEmpty());
  EXPECT_EQ(*notes, (QStringList{"/PROTECT OFF noted", "/MACRO/LOCK ON noted"}));
}

// A lost idle connection after a download whose unlock the unit took: the
// notice says what is true (the settings may be unprotected, the macros
// are not locked), in plain sentences, and goes when the connection is
// back.
TEST_F(LineOwnerTest, ALostIdleConnectionSaysOnlyWhatIsTrue) {
  AddDevices(1, 20);
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
  ASSERT_TRUE(transfer.Closed());
  messages.Clear();
  sim.HangUp();
  ASSERT_TRUE(WaitUntil([&] { return !messages.Requests().empty(); }));
  ASSERT_EQ(messages.Requests().size(), 1u);
  const QString key = QString::fromLatin1(CCommLink::kLossNotice);
  ASSERT_TRUE(messages.NoticeShown(key));
  const QString text = messages.Notices().at(key).text;
  EXPECT_TRUE(text.startsWith("The connection to the unit was lost (")) << text.toStdString();
  EXPECT_FALSE(text.contains("( ")) << text.toStdString();
  EXPECT_FALSE(text.contains(" )")) << text.toStdString();
  EXPECT_FALSE(text.contains("macros locked")) << text.toStdString();
  EXPECT_TRUE(text.contains("may still have its settings unprotected")) << text.toStdString();
}

// A unit that holds the line past the transfer's limit is not waited for
// once more at the end: the unlock goes when it takes data again, and the
// message says so.
TEST_F(LineOwnerTest, AHoldPastTheLimitIsNotWaitedForAgainAtTheEnd) {
  AddDevices(1, 150, 30);
  ASSERT_TRUE(Connect());
  ObservedLink observed(*link);
  CTransfer transfer(&observed);
  transfer.SetNoProgressTimeoutMs(1000);
  bool stalled = false;
  transfer.SetProgressHandler([&](int done, int) {
    if (done >= 10 && !stalled) {
      stalled = true;
      sim.SetStalled(true);
    }
  });
  const CTransfer::Result result = transfer.DownloadProject(*doc);
  EXPECT_TRUE(result == CTransfer::Result::Unconfirmed || result == CTransfer::Result::NoProgress)
      << static_cast<int>(result);
  ASSERT_TRUE(stalled);
  EXPECT_EQ(observed.endLimits, std::vector<int>{0});
  EXPECT_TRUE(messages.SawText("holds the line"));
  sim.SetStalled(false);
  ASSERT_TRUE(WaitUntil([&] { return IndexOf("/MACRO/LOCK OFF") >= 0; }));
}

namespace {

// A port whose far end echoes every line at once and answers "path ?" with
// the values given; it keeps every byte written, as the wire carries them.
class WirePort final : public QuietPort {
 public:
  bool Output(const QByteArray& bytes) override {
    if (!m_open) return false;
    m_wire += bytes;
    m_line += bytes;
    for (int end = m_line.indexOf('\n'); end >= 0; end = m_line.indexOf('\n')) {
      const QByteArray line = m_line.left(end).trimmed();
      m_line.remove(0, end + 1);
      if (line.isEmpty()) continue;
      m_input += line + "\r\n";
      if (line.endsWith(" ?")) m_input += line.left(line.size() - 2) + " V1.0\r\n";
    }
    // Delivered from the event loop, as a port does; never after the port.
    QTimer::singleShot(0, &m_context, [this] {
      if (!m_input.isEmpty() && m_onReceive) m_onReceive();
    });
    return true;
  }
  QByteArray Input() override {
    QByteArray bytes;
    bytes.swap(m_input);
    return bytes;
  }
  int InBufferCount() const override { return static_cast<int>(m_input.size()); }
  bool WaitForInput(int) override {
    if (m_input.isEmpty() || !m_onReceive) return false;
    m_onReceive();
    return true;
  }
  const QByteArray& Wire() const { return m_wire; }

 private:
  QByteArray m_wire;
  QByteArray m_line;
  QByteArray m_input;
  QObject m_context;
};

}  // namespace

// The unit may hold the start of a line whose rest it lost: a stopped
// download ends that line on its own before "/MACRO/LOCK OFF" goes, so the
// unlock is never glued to it.
TEST(LineEndingTest, AStoppedDownloadEndsALineOfItsOwnBeforeTheUnlock) {
  TempProfile profile;
  MessageRecorder messages;
  auto port = std::make_unique<WirePort>();
  WirePort* wire = port.get();
  CCommLink link(std::move(port));
  DeviceLinkScope scope(&link);
  CSelvantisDoc doc;
  CLinkTestDevice* device = AddLinkTestDevice(doc, 1, 40, 30);
  ASSERT_TRUE(link.ConnectPort("wire", &doc));
  const struct {
    const char* name;
    bool cancel;
    const char* before;  // what precedes "/MACRO/LOCK OFF" on the wire
  } cases[] = {{"cancelled", true, "x\r\n\r\n"}, {"done", false, "xx\r\n"}};
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    CTransfer transfer;
    if (row.cancel)
      transfer.SetProgressHandler([&](int done, int) {
        if (done >= 5) transfer.Cancel();
      });
    const int from = wire->Wire().size();
    transfer.DownloadObject(*device);
    const QByteArray sent = wire->Wire().mid(from);
    const int at = sent.lastIndexOf("/MACRO/LOCK OFF\r\n");
    ASSERT_GT(at, 5);
    EXPECT_EQ(sent.mid(at - static_cast<int>(qstrlen(row.before)), static_cast<int>(qstrlen(row.before))),
              QByteArray(row.before));
    EXPECT_TRUE(transfer.Closed());
  }
}
