// The one rule by which the link, a transfer's dry run and the comparison
// with the unit shorten and read command lines.
#include "link/commandtext.h"

#include <gtest/gtest.h>

TEST(CommandTextTest, ALineShortensOnlyAfterItsOwnPathAndOnlyWhenAsked) {
  using CommandText::Shortened;
  EXPECT_EQ(Shortened("/VMX/ZONE1/NAME Hall", "/VMX/ZONE1/NAME", true), " Hall");
  EXPECT_EQ(Shortened("/VMX/ZONE1/NAME Hall", "/VMX/ZONE1/NAME", false), "/VMX/ZONE1/NAME Hall");
  // A path that only begins like the last one is another path.
  EXPECT_EQ(Shortened("/VMX/ZONE10/NAME Hall", "/VMX/ZONE1", true), "/VMX/ZONE10/NAME Hall");
  EXPECT_EQ(Shortened("/VMX/ZONE1/NAME Hall", "", true), "/VMX/ZONE1/NAME Hall");
  // A bare path has no value to send alone.
  EXPECT_EQ(Shortened("/MACRO/LOCK", "/MACRO/LOCK", true), "/MACRO/LOCK");
}

TEST(CommandTextTest, AShortenedLineContinuesThePathBeforeIt) {
  using CommandText::NextPath;
  EXPECT_EQ(NextPath("/CONS/ADR1/KEY3 MACRO,1", "/AUDIO/ALARM_VOL"), "/CONS/ADR1/KEY3");
  EXPECT_EQ(NextPath(" MACRO,2", "/CONS/ADR1/KEY3"), "/CONS/ADR1/KEY3");
  EXPECT_EQ(NextPath("/SERVICE/ZONETEST/MODE", ""), "/SERVICE/ZONETEST/MODE");
  EXPECT_EQ(CommandText::PathOf("/AUDIO/ALARM_VOL -14.8 dB"), "/AUDIO/ALARM_VOL");
  EXPECT_EQ(CommandText::ValueOf("/AUDIO/ALARM_VOL -14.8 dB").toString(), "-14.8 dB");
  EXPECT_TRUE(CommandText::ValueOf("/AUDIO/ALARM_VOL").isEmpty());
}
