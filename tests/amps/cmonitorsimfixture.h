#ifndef SELV_TESTS_AMPS_CMONITORSIMFIXTURE_H
#define SELV_TESTS_AMPS_CMONITORSIMFIXTURE_H

// The real link on the simulated unit that knows the monitor and the backup
// amplifiers, with a saved project (for its error file) and a recorder for
// message boxes.

#include "cmonitortestsupport.h"
#include "link/ccommlink.h"
#include "link/idevicelink.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "monitorhandlers.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unitsimulator.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace monitortest {

class MonitorSimTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterMonitorHandlers(sim);
    ASSERT_TRUE(sim.Start());
    CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
    doc.SetPathName(dir.filePath("site.sxm"));
    link = std::make_unique<CCommLink>();
    scope = std::make_unique<DeviceLinkScope>(link.get());
    link->SetFileViewer([this](const QString& path) { shown << path; });
  }

  void TearDown() override {
    scope.reset();
    link.reset();
    sim.Stop();
  }

  // Connects and then sets the unit's clear tokens as the test wants them.
  bool Connect(bool clearTokens) {
    const bool ok = link->Connect(&doc);
    CProfile::WriteInt("VMX7000", "MONI_CLR", clearTokens ? 1 : 0);
    CProfile::WriteInt("VMX7000", "SPAREAMP_CLR", clearTokens ? 1 : 0);
    sim.ClearLog();
    return ok;
  }

  // What the unit received under prefix.
  QStringList LinesUnder(const QString& prefix) const {
    QStringList lines;
    for (const QString& line : sim.FullLines())
      if (line.startsWith(prefix)) lines << line;
    return lines;
  }

  TempProfile profile;
  MessageRecorder messages;
  UnitSimulator sim;
  QTemporaryDir dir;
  CSelvantisDoc doc;
  std::unique_ptr<CCommLink> link;
  std::unique_ptr<DeviceLinkScope> scope;
  QStringList shown;
};

}  // namespace monitortest

#endif
