// Only the holder's own calls use the line, through the real link on the
// simulated unit: the holder carries its token around its calls, and
// whatever runs while it hands control away (the transfer waits for the
// unit, one of its message boxes waits, Disconnect waits for the unit) or
// in a loop nested inside its call is someone else's and is refused. The
// holder's own lines go all the same, before, between and after.
#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "linktestbench.h"
#include "linktestdevice.h"
#include "support/testtimelimit.h"

#include <QEventLoop>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

namespace {

// A window that tries to use the line on its own timer, as the on-line
// windows poll: every try sends "/WINDOW/<name> n" and asks for the resting
// mode.
class CarryProbeWindow final : public QObject {
 public:
  CarryProbeWindow(IDeviceLink& link, const QString& name) : m_link(link), m_name(name) {
    m_timer.setInterval(1);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Try(); });
  }
  void Start() { m_timer.start(); }
  void Stop() { m_timer.stop(); }
  void Try() {
    ++m_tries;
    m_link.SendCommand(LastLine(), nullptr);
    m_link.SetLinkMode(LINKMODE_NORMAL);
  }
  int Tries() const { return m_tries; }
  QString LastLine() const { return QStringLiteral("/WINDOW/%1 %2").arg(m_name).arg(m_tries); }

 private:
  IDeviceLink& m_link;
  QString m_name;
  QTimer m_timer;
  int m_tries = 0;
};

class LineCarryTest : public LinkTestBench {
 protected:
  static constexpr std::chrono::seconds kCarryLimit{120};

  void SetUp() override {
    m_limit = std::make_unique<TestTimeLimit>(kCarryLimit, [this] { sim.HangUp(); });
    LinkTestBench::SetUp();
  }
  void TearDown() override {
    LinkTestBench::TearDown();
    m_limit.reset();
  }
  QStringList LinesUnder(const QString& prefix) const {
    return sim.FullLines().filter(QRegularExpression(QStringLiteral("^") + QRegularExpression::escape(prefix)));
  }
  // What the unit got, once it has the download's unlock.
  QStringList LinesAfterTheUnlock() {
    EXPECT_TRUE(WaitUntil([&] { return sim.FullLines().contains("/MACRO/LOCK OFF"); }));
    return sim.FullLines();
  }

  std::unique_ptr<TestTimeLimit> m_limit;
};

}  // namespace

// Each row: where another window's request comes while a paced download
// has the line. None reaches the unit, and every line of the download does.
TEST_F(LineCarryTest, AnotherWindowsRequestsDuringADownloadAreRefusedWhereverTheyCome) {
  constexpr int kValues = 60;
  constexpr int kBoxStep = 20;
  enum class Where {
    WhileItWaits,
    FromItsProgressHandler,
    WhileItsBoxWaits,
    InALoopInsideAStep,
    WhileAStepPumps,
    WhileAStepAwaitsEvents
  };
  const struct {
    const char* name;
    Where where;
  } rows[] = {
      {"a timer while the transfer waits for the unit", Where::WhileItWaits},
      {"the transfer's progress handler (between its calls)", Where::FromItsProgressHandler},
      {"a timer while the transfer's own message box waits", Where::WhileItsBoxWaits},
      {"a timer in a dialog's own loop inside a step", Where::InALoopInsideAStep},
      {"a timer while a step has the link pump events", Where::WhileAStepPumps},
      {"a timer while a step has the link wait for events", Where::WhileAStepAwaitsEvents},
  };
  sim.SetPaced(true);
  CLinkTestDevice* device = AddLinkTestDevice(*doc, 1, kValues, 30);
  ASSERT_TRUE(Connect());
  // Once per row, in the transfer itself: its dry run steps the object too,
  // on a link of its own.
  bool asked = false;
  auto onTheLine = [&](int step) {
    if (asked || step != kBoxStep || GetDeviceLink() != link.get()) return false;
    asked = true;
    return true;
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim.ClearLog();
    messages.Clear();
    CarryProbeWindow window(*link, QStringLiteral("W%1").arg(static_cast<int>(row.where)));
    CTransfer transfer;
    device->m_beforeStep = nullptr;
    messages.SetOnShow(nullptr);
    asked = false;
    int triesInside = 0;
    switch (row.where) {
      case Where::WhileItWaits: window.Start(); break;
      case Where::FromItsProgressHandler:
        transfer.SetProgressHandler([&](int done, int) {
          if (done < kBoxStep || asked) return;
          asked = true;
          window.Try();
          window.Try();
          triesInside = 2;
        });
        break;
      case Where::WhileItsBoxWaits:
        device->m_beforeStep = [&](int step) {
          if (onTheLine(step)) AfxMessageBox(QStringLiteral("The unit's value differs."), MB_OK);
        };
        // The box waits until the window's timer has tried, the event loop
        // running as under a box that waits for the user.
        messages.SetOnShow([&](const MessageRequest&) {
          const int before = window.Tries();
          window.Start();
          EXPECT_TRUE(WaitUntil([&] { return window.Tries() >= before + 3; }));
          window.Stop();
          triesInside = window.Tries() - before;
        });
        break;
      case Where::InALoopInsideAStep:
        device->m_beforeStep = [&](int step) {
          if (!onTheLine(step)) return;
          QEventLoop loop;
          QTimer::singleShot(0, &loop, [&] {
            window.Try();
            window.Try();
            loop.quit();
          });
          const int before = window.Tries();
          loop.exec();
          triesInside = window.Tries() - before;
        };
        break;
      case Where::WhileAStepPumps:
      case Where::WhileAStepAwaitsEvents:
        device->m_beforeStep = [&](int step) {
          if (!onTheLine(step)) return;
          const int before = window.Tries();
          window.Start();
          // The window's timer fires within a few turns of the loop.
          while (window.Tries() < before + 2) {
            if (row.where == Where::WhileAStepPumps)
              link->PumpMessages();
            else
              link->AwaitEvents(5);
          }
          window.Stop();
          triesInside = window.Tries() - before;
        };
        break;
    }
    EXPECT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
    window.Stop();
    device->m_beforeStep = nullptr;
    messages.SetOnShow(nullptr);
    EXPECT_GT(window.Tries(), 0) << "the window never asked during the download";
    if (row.where != Where::WhileItWaits) {
      EXPECT_GE(triesInside, 2);
    }
    const QStringList lines = LinesAfterTheUnlock();
    EXPECT_EQ(lines.filter("/WINDOW/").size(), 0) << lines.filter("/WINDOW/").join('\n').toStdString();
    // The download's own lines all went, the ones after the box included.
    EXPECT_EQ(LinesUnder("/TEST1/").size(), kValues);
    EXPECT_EQ(lines.count("/MACRO/LOCK ON"), 1);
    EXPECT_EQ(lines.count("/MACRO/LOCK OFF"), 1);
    EXPECT_EQ(lines.indexOf("/MACRO/LOCK OFF"), lines.size() - 1);
    EXPECT_FALSE(link->LineRefusal().isEmpty());
    // Afterwards the window's requests go again.
    window.Try();
    EXPECT_TRUE(WaitUntil([&] { return sim.FullLines().contains(window.LastLine()); }));
  }
}

// The holder's carries nest, a hand-away lasts until it ends, and a carry
// begun inside a hand-away or inside a nested loop (the transfer's own
// closing, asked for by a Cancel) is the holder's again; what runs in a
// loop nested inside a carried call is not.
TEST_F(LineCarryTest, CarriesNestAndAHandAwayLastsUntilItEnds) {
  ASSERT_TRUE(Connect());
  CLineToken line = link->TakeLine(LinePurpose::Transfer);
  ASSERT_TRUE(line.IsHeld());
  QStringList expected;
  QStringList refused;
  auto send = [&](const QString& what, bool through) {
    link->SendCommand(QStringLiteral("/STEP/") + what + QStringLiteral(" 1"), nullptr);
    (through ? expected : refused) << QStringLiteral("/STEP/") + what + QStringLiteral(" 1");
  };
  send("NOTCARRIED", false);
  {
    const CLineToken::Carried outer = line.Carry();
    send("OUTER", true);
    {
      const CLineToken::Carried inner = line.Carry();
      send("INNER", true);
    }
    send("OUTERAFTERINNER", true);
    {
      const CLineToken::Away away = line.HandAway();
      send("AWAY", false);
      {
        const CLineToken::Carried back = line.Carry();
        send("CARRIEDINAWAY", true);
      }
      send("AWAYAFTERCARRY", false);
    }
    send("OUTERAFTERAWAY", true);
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
      send("NESTEDLOOP", false);
      {
        const CLineToken::Carried mine = line.Carry();
        send("CARRIEDINLOOP", true);
      }
      send("NESTEDLOOPAFTERCARRY", false);
      loop.quit();
    });
    loop.exec();
    send("OUTERAFTERLOOP", true);
  }
  send("AFTERCARRIES", false);
  // Given back (a transfer's mark stays until its token goes): anyone's
  // again.
  line.GiveBack();
  send("GIVENBACK", true);
  ASSERT_TRUE(WaitUntil([&] { return sim.FullLines().contains(expected.last()); }));
  EXPECT_EQ(LinesUnder("/STEP/"), expected) << "refused: " << refused.join(", ").toStdString();
}

// While Disconnect waits for a unit that holds the line, the window's wait
// hook and whatever runs meanwhile are refused; the closing's own lines go
// once the unit takes data again.
TEST_F(LineCarryTest, WhileDisconnectWaitsForTheUnitOthersAreRefused) {
  ASSERT_TRUE(Connect());
  sim.SetStalled(true);
  ASSERT_TRUE(WaitUntil([&] { return link->IsLineHeld(); }));
  CarryProbeWindow window(*link, QStringLiteral("TIMER"));
  struct Seen {
    int turns = 0;
    LineUse use = LineUse::Free;
    bool hookList = true;
    bool hookMode = false;
    bool modalRefused = false;
  } seen;
  link->SetCloseWaitHook([&](qint64 waited, int) {
    if (waited < 0) return true;
    ++seen.turns;
    seen.use = link->CurrentLineUse();
    // The window's own hook is not the closing.
    link->SendCommand(QStringLiteral("/WINDOW/HOOK 1"), nullptr);
    seen.hookList = link->SendCommandList({QStringLiteral("/SERVICE/VER ?")}, true, 0, nullptr, 0);
    link->SetLinkMode(LINKMODE_DOWNLOAD);
    seen.hookMode = link->GetLinkMode() == LINKMODE_DOWNLOAD;
    // The unit takes data again once the window's timer has asked too.
    if (window.Tries() >= 3) sim.SetStalled(false);
    return true;
  });
  window.Start();
  EXPECT_TRUE(link->Disconnect());
  window.Stop();
  EXPECT_GT(seen.turns, 0);
  EXPECT_EQ(seen.use, LineUse::Closing);
  EXPECT_FALSE(seen.hookList);
  EXPECT_FALSE(seen.hookMode);
  EXPECT_GE(window.Tries(), 3);
  EXPECT_EQ(link->CurrentLineUse(), LineUse::Free);
  ASSERT_TRUE(WaitUntil([&] { return sim.FullLines().contains("/PROTECT ON"); }));
  const QStringList lines = sim.FullLines();
  EXPECT_EQ(lines.filter("/WINDOW/").size(), 0) << lines.join('\n').toStdString();
  EXPECT_FALSE(lines.contains("/MACRO/LOCK ON"));
  EXPECT_FALSE(link->IsConnected());
}
