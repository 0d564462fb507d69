// A transfer whose objects ask the user something while it runs, through
// the real link on the simulated unit: an upload from a unit that differs
// from the project opens the zone's message, and the user takes longer to
// answer it than the transfer's no-progress limit. The transfer's clocks
// stand still meanwhile, and what the unit sent (answers, its XON) is taken
// once the box has closed. A signal while the box is up still closes the
// unit at once.
#include "comparetestproject.h"
#include "everyfamily.h"
#include "link/csignalwatch.h"
#include "link/ctransfer.h"
#include "support/testtimelimit.h"
#include "linktestbench.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

constexpr uint32_t kOutputsDiffer = 34309;

// A modal box: its own event loop runs until the user answers.
void AnswerAfter(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

class TransferAnswerTest : public LinkTestBench {
 protected:
  void SetUp() override {
    LinkTestBench::SetUp();
    RegisterEveryFamily(sim);
    FillCompareTestProject(*doc);
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(doc->OnSaveDocument(dir.filePath("site.sxm")));
  }

  // Connected, with the project in the unit and the unit's zone 1 wired to
  // another output than the project's.
  void ConnectToAUnitThatDiffers(bool paced, int baud) {
    sim.SetPaced(paced);
    sim.SetLineRate(baud);
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kSettings, QStringLiteral("%1,n,8,1").arg(baud));
    ASSERT_TRUE(Connect());
    CTransfer download;
    ASSERT_EQ(download.DownloadProject(*doc), CTransfer::Result::Done);
    sim.SetValue("/VMX/ZONE1/OUTPUT", "1");
    sim.ClearLog();
    messages.Clear();
  }

  QTemporaryDir dir;
};

// Each row: the line, and what the unit does while the user looks at the
// box (well beyond the no-progress limit).
TEST_F(TransferAnswerTest, AnUploadCompletesWhileTheUserTakesLongToAnswerTheDifference) {
  struct Row {
    const char* what;
    bool paced;
    int baud;
    bool holdBeforeBox;  // the unit holds the line just before the box, and releases it while it is up
  };
  const TestTimeLimit limit(std::chrono::seconds(240));
  // The row that teaches the unit to hold the line comes last.
  const Row rows[] = {
      {"the unit's own pace: the answers come in while the box is up", true, 115200, false},
      {"the unit holds the line as the box opens and releases it while the box is up", false, 460800, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    if (link->IsConnected()) link->Disconnect();
    ConnectToAUnitThatDiffers(row.paced, row.baud);
    if (HasFatalFailure()) return;
    if (row.holdBeforeBox) {
      sim.RegisterHandler("/VMX/ZONE1/OUTPUT",
                          [](UnitSimulator& unit, const UnitSimulator::Command& command, QStringList& replies) {
                            if (!command.IsQuery()) return false;
                            replies << QString(QChar(0x13)) + command.path + " " + unit.Value(command.path);
                            return true;
                          });
    }
    CTransfer upload;
    upload.SetNoProgressTimeoutMs(1000);
    int boxes = 0;
    messages.SetOnShow([&](const MessageRequest& request) {
      if (request.id != kOutputsDiffer) return;
      ++boxes;
      AnswerAfter(500);
      if (row.holdBeforeBox) sim.Inject(QByteArray(1, 0x11));
      AnswerAfter(2000);
    });
    EXPECT_EQ(upload.UploadProject(*doc), CTransfer::Result::Done);
    messages.SetOnShow(nullptr);
    EXPECT_EQ(boxes, 1);
    ASSERT_FALSE(messages.Requests().empty());
    EXPECT_EQ(messages.Requests().front().text.toStdString(), "Audiooutputs for zone Zone 1 are different! (1 -> 0)!");
    // Nothing else was said: no unanswered queries, no held line.
    EXPECT_EQ(messages.Requests().size(), 1u) << messages.Requests().back().text.toStdString();
    EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
    EXPECT_FALSE(link->IsLineHeld());
  }
}

// The window program's signal ending while the box is up: the transfer is
// cancelled from the signal, and the connection closes as soon as the
// transfer says it no longer runs. The unit gets its closing line before
// anyone answers the box.
TEST_F(TransferAnswerTest, ASignalWhileTheBoxIsUpClosesTheUnitBeforeTheBoxIsAnswered) {
  const TestTimeLimit limit(std::chrono::seconds(120));
  ConnectToAUnitThatDiffers(false, 460800);
  CSignalWatch watch;
  ASSERT_TRUE(watch.IsWatching());
  QObject::connect(&watch, &CSignalWatch::signalled, &watch, [&](int) {
    CTransfer::CancelRunning();
    auto* retry = new QTimer(&watch);
    // The transfer gives the line back once its closing lines are out (the
    // link refuses the closing until then); it still runs until its message
    // has been answered.
    QObject::connect(retry, &QTimer::timeout, &watch, [&, retry] {
      link->Disconnect();
      if (!link->IsConnected()) retry->stop();
    });
    retry->start(20);
  });
  bool protectedWhileUp = false;
  messages.SetOnShow([&](const MessageRequest& request) {
    if (request.id != kOutputsDiffer) return;
    ::raise(SIGTERM);
    // Nobody answers until the unit is protected, or the hang limit.
    protectedWhileUp = WaitUntil([&] { return sim.FullLines().contains("/PROTECT ON"); }, 20000);
  });
  CTransfer upload;
  EXPECT_EQ(upload.UploadProject(*doc), CTransfer::Result::Canceled);
  messages.SetOnShow(nullptr);
  EXPECT_TRUE(protectedWhileUp);
  EXPECT_FALSE(link->IsConnected());
  EXPECT_EQ(sim.FullLines().count("/PROTECT ON"), 1);
  EXPECT_FALSE(CTransfer::IsRunning());
}

}  // namespace
