#ifndef SELV_TESTS_AMPS_CMONITORSIMFIXTURE_H
#define SELV_TESTS_AMPS_CMONITORSIMFIXTURE_H

// The real link on the simulated unit that knows the monitor and the backup
// amplifiers, with a saved project (for its error file) and a recorder for
// message boxes.

#include "cmonitortestsupport.h"
#include "model/cprofile.h"
#include "monitorhandlers.h"
#include "support/simlinktest.h"

#include <gtest/gtest.h>

namespace monitortest {

class MonitorSimTest : public SimLinkTest {
 protected:
  void SetUp() override { StartSim(RegisterMonitorHandlers); }

  // Connects and then sets the unit's clear tokens as the test wants them.
  bool Connect(bool clearTokens) {
    const bool ok = SimLinkTest::Connect();
    CProfile::WriteInt("VMX7000", "MONI_CLR", clearTokens ? 1 : 0);
    CProfile::WriteInt("VMX7000", "SPAREAMP_CLR", clearTokens ? 1 : 0);
    return ok;
  }
};

}  // namespace monitortest

#endif
