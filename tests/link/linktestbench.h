#ifndef SELV_TESTS_LINK_LINKTESTBENCH_H
#define SELV_TESTS_LINK_LINKTESTBENCH_H

#include "link/ccommlink.h"
#include "link/idevicelink.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "support/waituntil.h"
#include "unitsimulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// The real link on the simulated unit's pseudo-terminal, installed as the
// device link, with an empty project and a message recorder. The simulator
// answers at once unless a test paces it.
class LinkTestBench : public testing::Test {
 protected:
  // Every wait of a test on the simulator ends after this at the latest.
  static constexpr int kWaitMs = kHangLimitMs;
  // SendAndRead always waits the time it is given, and what has come by
  // then is its answer: long enough for the simulated unit to answer on a
  // fully loaded machine.
  static constexpr int kAnswerWaitMs = 1500;

  void SetUp() override {
    ASSERT_TRUE(sim.Start());
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
    doc = std::make_unique<CSelvantisDoc>();
    link = std::make_unique<CCommLink>();
    scope = std::make_unique<DeviceLinkScope>(link.get());
  }

  void TearDown() override {
    scope.reset();
    link.reset();
    doc.reset();
    sim.Stop();
  }

  // Connects and waits until the unit has taken the connect lines and their
  // echoes are back, so a test starts on a quiet line with an empty log.
  bool Connect() {
    // The monitor may still hold the echo of an earlier connection: wait for
    // one more.
    auto protectEchoes = [&] {
      int count = 0;
      for (const MonitorEntry& entry : link->Monitor().Entries())
        if (entry.direction == MonitorEntry::Received && entry.text == "/PROTECT OFF") ++count;
      return count;
    };
    const int before = protectEchoes();
    if (!link->Connect(doc.get())) return false;
    const bool quiet = WaitForLines(3) && WaitUntil([&] { return protectEchoes() > before; });
    sim.ClearLog();
    return quiet;
  }

  // Processes events until cond holds or the time is up.
  static bool WaitUntil(const std::function<bool()>& cond, int timeoutMs = kWaitMs) {
    return ::WaitUntil(cond, timeoutMs);
  }
  // Until the simulator has received count lines.
  bool WaitForLines(int count) {
    return WaitUntil([&] { return sim.ReceivedCount() >= count; });
  }
  // Lets the event loop run for ms.
  static void Pump(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      QThread::usleep(500);
    }
  }

  TempProfile profile;
  MessageRecorder messages;
  UnitSimulator sim;
  std::unique_ptr<CSelvantisDoc> doc;
  std::unique_ptr<CCommLink> link;
  std::unique_ptr<DeviceLinkScope> scope;
};

#endif
