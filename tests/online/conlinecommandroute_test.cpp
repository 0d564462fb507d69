// The command routing of the on-line frames: which windows open on which
// unit and project, and what the save buttons do.
#include "online/conlinecommandroute.h"

#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/cselvantisdoc.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"

#include <gtest/gtest.h>

namespace {

using Action = COnlineCommandRoute::Action;

class COnlineCommandRouteTest : public ::testing::Test {
 protected:
  void SetUnit(int deviceId, const char* version) {
    CProfile::WriteInt(QString::fromLatin1(LinkProfile::kUnitSection), QString::fromLatin1(LinkProfile::kDeviceId),
                       deviceId);
    CProfile::WriteString(QString::fromLatin1(LinkProfile::kUnitSection), QString::fromLatin1(LinkProfile::kOsVersion),
                          QString::fromLatin1(version));
  }
  TempProfile m_profile;
  MessageRecorder m_messages;
  CSelvantisDoc m_doc;
};

TEST_F(COnlineCommandRouteTest, FuseAndPowerAlwaysSwitch) {
  SetUnit(1, "V0.1");
  for (bool online : {false, true}) {
    EXPECT_EQ(COnlineCommandRoute::Decide(33159, &m_doc, online), Action::Forward);
    EXPECT_EQ(COnlineCommandRoute::Decide(33163, &m_doc, online), Action::Forward);
  }
  EXPECT_TRUE(m_messages.Requests().empty());
}

TEST_F(COnlineCommandRouteTest, SmallProjectRefusesGuardedWindowsEvenOffLine) {
  for (uint32_t command : {33162u, 33164u, 34589u, 34590u}) {
    m_messages.Clear();
    EXPECT_EQ(COnlineCommandRoute::Decide(command, &m_doc, false), Action::Refuse) << command;
    ASSERT_EQ(m_messages.Requests().size(), 1u);
    EXPECT_EQ(m_messages.Requests()[0].id, 34564u);
    EXPECT_EQ(m_messages.Requests()[0].style & MB_TYPEMASK, MB_OK);
  }
}

TEST_F(COnlineCommandRouteTest, OldUnitIsRefusedOnLine) {
  m_doc.SetUpgradeFlag(1);
  SetUnit(10336, "V0.551");
  EXPECT_EQ(COnlineCommandRoute::Decide(33162, &m_doc, true), Action::Refuse);
  EXPECT_TRUE(m_messages.Saw(34564));
  // Off line the unit's data do not count.
  m_messages.Clear();
  EXPECT_EQ(COnlineCommandRoute::Decide(33162, &m_doc, false), Action::Forward);
  EXPECT_TRUE(m_messages.Requests().empty());
}

TEST_F(COnlineCommandRouteTest, VersionOrDeviceIdOpensTheWindow) {
  m_doc.SetUpgradeFlag(1);
  SetUnit(10336, "V0.8");
  EXPECT_EQ(COnlineCommandRoute::Decide(33162, &m_doc, true), Action::Forward);
  SetUnit(10336, "V1.0");
  EXPECT_EQ(COnlineCommandRoute::Decide(34589, &m_doc, true), Action::Forward);
  // Texts compare byte by byte: "V0.10" sorts below "V0.8".
  SetUnit(10336, "V0.10");
  EXPECT_EQ(COnlineCommandRoute::Decide(34589, &m_doc, true), Action::Refuse);
  SetUnit(10337, "");
  EXPECT_EQ(COnlineCommandRoute::Decide(34590, &m_doc, true), Action::Forward);
  // The id compares unsigned: a negative stored id is a very large one.
  SetUnit(-1, "");
  EXPECT_EQ(COnlineCommandRoute::Decide(33164, &m_doc, true), Action::Forward);
}

TEST_F(COnlineCommandRouteTest, NewUnitStillNeedsTheLargeProject) {
  SetUnit(20000, "V2.0");
  EXPECT_EQ(COnlineCommandRoute::Decide(33164, &m_doc, true), Action::Refuse);
  EXPECT_EQ(COnlineCommandRoute::Decide(33164, nullptr, true), Action::Refuse);
}

TEST_F(COnlineCommandRouteTest, SaveCommandsAndOthers) {
  EXPECT_EQ(COnlineCommandRoute::Decide(32852, &m_doc, true), Action::SaveVmxSettings);
  EXPECT_EQ(COnlineCommandRoute::Decide(57603, &m_doc, false), Action::SaveDocument);
  // Entry lists, hardware, clock and volume are not switched from here.
  for (uint32_t command : {32992u, 34519u, 34585u, 34584u, 33157u, 33173u})
    EXPECT_EQ(COnlineCommandRoute::Decide(command, &m_doc, true), Action::Default) << command;
  EXPECT_TRUE(m_messages.Requests().empty());
}

}  // namespace
