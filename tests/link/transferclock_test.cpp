// The transfer's clocks and waits at its end, on a scripted link whose
// timing the test sets: the no-progress limit stands still while the user
// answers a box, and a line the unit holds is waited for once at most (not
// again at the end of a transfer the limit stopped, not at all once the
// user has cancelled).
#include "link/ctransfer.h"
#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "support/testtimelimit.h"
#include "linktestdevice.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A unit behind a link whose state the test scripts: queries are owed
// answers until the unit answers them; the unit may hold the line; the link
// may show a box from its event pump, as a reply's handler does.
class ScriptedLink final : public IDeviceLink {
 public:
  ScriptedLink() : m_scope(this) {}

  // IDeviceLink
  void SendDeviceCommand(const QString& command, const CSelvantisDoc*, bool) override {
    if (m_held) {
      m_out += static_cast<int>(command.size()) + 2;
      return;
    }
    ++m_tally.written;
    ++m_tally.echoed;
    if (command.endsWith(QLatin1String(" ?"))) {
      ++m_tally.queries;
      ++m_owed;
    }
  }
  int OutBufferCount() const override { return m_out; }
  int GetLinkMode() const override { return m_mode; }
  void SetLinkMode(int mode) override { m_mode = mode; }
  int64_t GetTimeSinceLastOutput() const override { return 100000; }
  QString SendQuery(const QString&) override { return QString(); }
  QString SendAndRead(const QString&, int) override { return QString(); }
  bool IsConnected() const override { return true; }
  void PumpMessages() override {
    QCoreApplication::processEvents();
    if (m_boxOnFirstQuery && m_owed > 0 && !m_boxShown) {
      m_boxShown = true;
      AfxMessageBox(QStringLiteral("The unit differs."), MB_OK | MB_ICONEXCLAMATION);
      m_sinceBox.start();
    }
    // The unit answers a while after the box has been answered.
    if (m_boxShown && m_sinceBox.elapsed() >= m_answerAfterBoxMs && m_owed > 0) {
      m_tally.answered += m_owed;
      m_tally.replies += m_owed;
      m_owed = 0;
    }
  }
  QString ErrorFilePath() const override { return QString(); }
  bool CountsAnswers() const override { return true; }
  int OwedAnswers() const override { return m_owed; }
  bool IsLineHeld() const override { return m_held; }
  Tally CurrentTally() const override { return m_tally; }
  void StartTally() override { m_tally = Tally(); }
  bool EndTransferMode(bool endLine, int limitMs) override {
    (void)endLine;
    m_closeWaits.push_back(limitMs);
    SetLinkMode(LINKMODE_NORMAL);
    return !m_held;
  }

  // Script
  bool m_held = false;
  int m_out = 0;
  bool m_boxOnFirstQuery = false;
  int m_answerAfterBoxMs = 0;
  // The limits the transfer gave its waits for the unit's closing.
  std::vector<int> m_closeWaits;

 private:
  DeviceLinkScope m_scope;
  int m_mode = LINKMODE_NORMAL;
  Tally m_tally;
  int m_owed = 0;
  bool m_boxShown = false;
  QElapsedTimer m_sinceBox;
};

// A modal box: its own event loop runs until the user answers.
void AnswerAfterMs(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

TEST(TransferClockTest, TheNoProgressLimitStandsStillWhileTheUserAnswersABox) {
  const TestTimeLimit limit(std::chrono::seconds(60));
  MessageRecorder messages;
  ScriptedLink link;
  // The user reads the box for longer than the limit; the unit answers
  // well within the limit once the box is answered.
  link.m_boxOnFirstQuery = true;
  link.m_answerAfterBoxMs = 200;
  messages.SetOnShow([](const MessageRequest&) { AnswerAfterMs(1500); });
  CSelvantisDoc doc;
  CLinkTestDevice* device = AddLinkTestDevice(doc, 1, 3);
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(1000);
  EXPECT_EQ(transfer.UploadObject(*device), CTransfer::Result::Done);
  ASSERT_EQ(messages.Requests().size(), 1u) << messages.Requests().back().text.toStdString();
  EXPECT_EQ(messages.Requests().front().text, QStringLiteral("The unit differs."));
}

// How long the end of a transfer waits for the unit to take its closing,
// by how the transfer ended and whether the unit holds the line.
TEST(TransferClockTest, AHeldLineIsWaitedForOnceAtMost) {
  const TestTimeLimit limit(std::chrono::seconds(60));
  struct Row {
    const char* what;
    bool held;
    bool cancel;
    CTransfer::Result result;
    int closeWaitMs;
  };
  const Row rows[] = {
      {"held past the limit: not waited for once more", true, false, CTransfer::Result::NoProgress, 0},
      {"held, and the user cancels: not waited for", true, true, CTransfer::Result::Canceled, 0},
      {"cancelled on a free line: the unlock is waited for", false, true, CTransfer::Result::Canceled, 300},
      {"done: the unlock is waited for", false, false, CTransfer::Result::Done, 300},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    MessageRecorder messages;
    ScriptedLink link;
    CSelvantisDoc doc;
    CLinkTestDevice* device = AddLinkTestDevice(doc, 1, 3);
    CTransfer transfer;
    transfer.SetNoProgressTimeoutMs(300);
    transfer.SetProgressHandler([&](int, int) {
      link.m_held = row.held;
      if (row.cancel) transfer.Cancel();
    });
    EXPECT_EQ(transfer.DownloadObject(*device), row.result);
    EXPECT_EQ(link.m_closeWaits, std::vector<int>{row.closeWaitMs});
    EXPECT_EQ(transfer.Closed(), !row.held);
  }
}

}  // namespace
