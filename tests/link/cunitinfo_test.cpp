// The unit's identity and the clear-token capabilities derived from its
// operating-system version.
#include "link/cunitinfo.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "support/tempprofile.h"

#include <gtest/gtest.h>

TEST(CUnitInfoTest, ReadsVersionTextsAsTheUnitComparesThem) {
  struct Row {
    const char* text;
    bool ok;
    double version;
  } rows[] = {
      {"V0.8", true, 0.8},    {"V0.551", true, 0.551}, {"V1.10", true, 1.1}, {"v2", true, 2.0},
      {" V0.7b ", true, 0.7}, {"", false, 0},          {"ERROR", false, 0},  {"V", false, 0},
  };
  for (const Row& row : rows) {
    double version = -1;
    EXPECT_EQ(CUnitInfo::ParseVersion(row.text, &version), row.ok) << row.text;
    if (row.ok) {
      EXPECT_DOUBLE_EQ(version, row.version) << row.text;
    }
  }
  // "V0.551" is older than "V0.8", as a byte-wise comparison of the texts says.
  double a = 0, b = 0;
  CUnitInfo::ParseVersion("V0.551", &a);
  CUnitInfo::ParseVersion("V0.8", &b);
  EXPECT_LT(a, b);
}

TEST(CUnitInfoTest, TakesTheValueOfTheRightReplyLine) {
  EXPECT_EQ(CUnitInfo::ReplyValue("/SERVICE/VER V0.8\r\n", "/SERVICE/VER"), "V0.8");
  EXPECT_EQ(CUnitInfo::ReplyValue("/SERVICE/VER ?\r\n/SERVICE/VER V1.0\r\n", "/SERVICE/VER"), "V1.0");
  EXPECT_EQ(CUnitInfo::ReplyValue("ERROR /SERVICE/VER\r\n", "/SERVICE/VER"), "");
  EXPECT_EQ(CUnitInfo::ReplyValue("/SERVICE/VERSION 3\r\n", "/SERVICE/VER"), "");
  EXPECT_EQ(CUnitInfo::ReplyValue("", "/SERVICE/VER"), "");
}

TEST(CUnitInfoTest, StoresIdentityAndCapabilitiesByVersion) {
  TempProfile profile;
  const QString section = LinkProfile::kUnitSection;
  struct Row {
    const char* version;
    int macro, readyInp, moni;
  } rows[] = {{"V0.5", 0, 0, 0}, {"V0.6", 1, 0, 0}, {"V0.7", 1, 1, 0},
              {"V0.8", 1, 1, 1}, {"V1.2", 1, 1, 1}, {"garbage", 0, 0, 0}};
  for (const Row& row : rows) {
    CUnitInfo::Store(10337, row.version);
    EXPECT_EQ(CProfile::GetInt(section, "Device Id", 0), 10337);
    EXPECT_EQ(CProfile::GetString(section, "OS Version"), row.version);
    EXPECT_EQ(CProfile::GetInt(section, "MACRO_CLR", -1), row.macro) << row.version;
    EXPECT_EQ(CProfile::GetInt(section, "TRIGGER_CLR", -1), row.macro) << row.version;
    EXPECT_EQ(CProfile::GetInt(section, "COND_CLR", -1), row.macro) << row.version;
    EXPECT_EQ(CProfile::GetInt(section, "READYINP_CLR", -1), row.readyInp) << row.version;
    EXPECT_EQ(CProfile::GetInt(section, "MONI_CLR", -1), row.moni) << row.version;
    EXPECT_EQ(CProfile::GetInt(section, "SPAREAMP_CLR", -1), row.moni) << row.version;
  }
}
