// The link connects again by itself after a lost port: to the same port,
// only after a loss (never after the user's disconnect), a limited number of
// times and with one message when it gives up.
#include "link/clinkreconnect.h"
#include "linktestbench.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <memory>
#include <thread>

namespace {

class CLinkReconnectTest : public LinkTestBench {
 protected:
  void SetUp() override {
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
};

TEST_F(CLinkReconnectTest, ConnectsAgainToTheSamePortWhenTheUnitIsBack) {
  ASSERT_TRUE(Connect());
  CLinkReconnect& reconnect = Reconnect(20, 1000);
  QStringList status;
  QObject::connect(&reconnect, &CLinkReconnect::statusMessage, [&](const QString& text) { status << text; });
  sim.HangUp();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
  EXPECT_TRUE(reconnect.IsWaiting());
  EXPECT_EQ(reconnect.Port(), m_port);

  m_back = std::make_unique<UnitSimulator>();
  ASSERT_TRUE(m_back->Start());
  PointPortAt(m_back->PtyPath());
  ASSERT_TRUE(WaitUntil([&] { return link->IsConnected(); }));
  EXPECT_FALSE(reconnect.IsWaiting());
  EXPECT_TRUE(doc->IsConnected());
  // The new unit got the connect's lines; only the loss was told in a box.
  EXPECT_TRUE(WaitUntil([&] { return m_back->FullLines().contains("/PROTECT OFF"); }));
  EXPECT_EQ(messages.Requests().size(), 1u);
  ASSERT_FALSE(status.isEmpty());
  EXPECT_TRUE(status.last().contains("again")) << status.last().toStdString();
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
  // The adapter is pulled: its device goes with it (else another program's
  // new terminal could take the number the name pointed at).
  QFile::remove(m_port);
  sim.HangUp();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
  ASSERT_TRUE(WaitUntil([&] { return !reconnect.IsWaiting(); }));
  EXPECT_EQ(reconnect.Tries(), 3);
  EXPECT_FALSE(link->IsConnected());
  ASSERT_TRUE(WaitUntil([&] { return messages.Requests().size() >= 2; }));
  Pump(100);  // another message would come now
  ASSERT_EQ(messages.Requests().size(), 2u);
  EXPECT_TRUE(messages.SawText("did not answer again after 3 tries"));
}

// A try whose port is lost while it asks the unit who it is says nothing
// either: the user was told of the loss once, and hears of the end of the
// tries once.
TEST_F(CLinkReconnectTest, ATryWhosePortIsLostWhileConnectingSaysNothing) {
  ASSERT_TRUE(Connect());
  // The first try comes a while after the loss, when the next unit is there.
  CLinkReconnect& reconnect = Reconnect(500, 1);
  QFile::remove(m_port);
  sim.HangUp();
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
  CLinkReconnect& reconnect = Reconnect(10, 2);
  sim.HangUp();
  ASSERT_TRUE(WaitUntil([&] { return !link->IsConnected(); }));
  m_back = std::make_unique<UnitSimulator>();
  m_back->SetSilent(true);
  ASSERT_TRUE(m_back->Start());
  PointPortAt(m_back->PtyPath());
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
