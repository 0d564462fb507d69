#ifndef SELV_TESTS_SUPPORT_SIMLINKTEST_H
#define SELV_TESTS_SUPPORT_SIMLINKTEST_H

#include "link/ccommlink.h"
#include "link/idevicelink.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unitsimulator.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Fixture of the transfer tests that run the real link on the simulated
// unit: a profile of its own pointing the link at the simulator's
// pseudo-terminal, a saved project (so transfers have an error file), a
// recorder for message boxes and the paths of the error files the link
// showed. A derived fixture starts it from its SetUp with the command
// families the unit should know:
//
//   void SetUp() override { StartSim(RegisterZoneHandlers); }
//   ...
//   ASSERT_TRUE(Connect());
//   EXPECT_EQ(LinesUnder("/VMX/ZONE1/").size(), 12);
class SimLinkTest : public testing::Test {
 protected:
  using Families = std::function<void(UnitSimulator& sim)>;

  // Starts the simulator and installs a real link on it (not yet connected).
  void StartSim(const Families& registerFamilies);
  void TearDown() override;

  // Connects the link to the project; what the connection sent is dropped
  // from the simulator's log.
  bool Connect();
  // What the unit received under prefix.
  QStringList LinesUnder(const QString& prefix) const;

  TempProfile profile;
  MessageRecorder messages;
  UnitSimulator sim;
  QTemporaryDir dir;
  CSelvantisDoc doc;
  std::unique_ptr<CCommLink> link;
  std::unique_ptr<DeviceLinkScope> scope;
  QStringList shown;
};

#endif
