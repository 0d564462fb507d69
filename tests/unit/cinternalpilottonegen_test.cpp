// The pilot-tone generator: downloaded only for the upgrade unit, in the
// order switch, frequency, levels; uploads clamp through the setters and
// read the switch case-sensitively; output indexes outside 0..3 are refused;
// the switch is not stored.
#include "unit/cinternalpilottonegen.h"
#include "link/linkmode.h"
#include "model/cselvantisdoc.h"
#include "support/commalocale.h"
#include "support/projectbytes.h"
#include "unitmoduletest.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Gen = CInternalPilottoneGen;

class CInternalPilottoneGenTest : public UnitModuleTest<Gen> {
 protected:
  Gen*& pilot = module;
};

TEST_F(CInternalPilottoneGenTest, OnlyTheUpgradeUnitGetsThePilotTone) {
  EXPECT_EQ(pilot->Download(false, -1), 0);
  EXPECT_TRUE(DownloadAll(false).isEmpty());
  doc.SetUpgradeFlag(1);
  EXPECT_EQ(pilot->Download(false, -1), 6);
  EXPECT_EQ(DownloadAll(false), (QStringList{"/PILOT/GEN OFF", "/PILOT/FREQU 10.0", "/PILOT/VOL1 -150.0",
                                             "/PILOT/VOL2 -150.0", "/PILOT/VOL3 -150.0", "/PILOT/VOL4 -150.0"}));
  pilot->SetParam(Gen::P_ON, 7);
  pilot->SetParamFloat(Gen::P_FREQUENCY, 20000.0f);
  pilot->SetParamFloat(Gen::VolumeCode(2), -12.34f);
  EXPECT_EQ(DownloadAll(false), (QStringList{"/PILOT/GEN ON", "/PILOT/FREQU 20000.0", "/PILOT/VOL1 -150.0",
                                             "/PILOT/VOL2 -150.0", "/PILOT/VOL3 -12.3", "/PILOT/VOL4 -150.0"}));
  EXPECT_EQ(DownloadAll(true), (QStringList{"/PILOT/GEN ?", "/PILOT/FREQU ?", "/PILOT/VOL1 ?", "/PILOT/VOL2 ?",
                                            "/PILOT/VOL3 ?", "/PILOT/VOL4 ?"}));
}

TEST_F(CInternalPilottoneGenTest, FullBufferRepeatsTheStep) {
  doc.SetUpgradeFlag(1);
  link.SetOutBufferCount(600);
  for (int step = 0; step < 6; ++step) EXPECT_EQ(pilot->Download(false, step), step);
  link.SetOutBufferCount(0);
  EXPECT_EQ(pilot->Download(false, 6), 6);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST_F(CInternalPilottoneGenTest, UploadClampsAndReadsTheSwitchExactly) {
  pilot->SetParam(Gen::P_ON, 1);
  struct Row {
    const char* line;
    int mode;
    int code;
    const char* text;
  };
  const Row rows[] = {
      {"/PILOT/FREQU 5", LINKMODE_UPLOAD, Gen::P_FREQUENCY, "10.0"},
      {"/PILOT/FREQU 20000.0", LINKMODE_UPLOAD, Gen::P_FREQUENCY, "20000.0"},
      {"/PILOT/FREQU 99999", LINKMODE_UPLOAD, Gen::P_FREQUENCY, "23000.0"},
      {"/PILOT/FREQU ?", LINKMODE_UPLOAD, Gen::P_FREQUENCY, "23000.0"},
      {"/PILOT/FREQU abc", LINKMODE_UPLOAD, Gen::P_FREQUENCY, "23000.0"},
      {"/PILOT/FREQU 100", LINKMODE_NORMAL, Gen::P_FREQUENCY, "23000.0"},
      {"/PILOT/VOL2 12.5", LINKMODE_UPLOAD, Gen::VolumeCode(1), "0.0"},
      {"/PILOT/VOL4 -200", LINKMODE_UPLOAD, Gen::VolumeCode(3), "-150.0"},
      {"/PILOT/VOL1 -33.3", LINKMODE_UPLOAD, Gen::VolumeCode(0), "-33.3"},
      {"/PILOT/VOL5 -3", LINKMODE_UPLOAD, Gen::VolumeCode(0), "-33.3"},
      {"/PILOT/VOL1/X -3", LINKMODE_UPLOAD, Gen::VolumeCode(0), "-33.3"},
      {"/PILOT/GEN ON", LINKMODE_DOWNLOAD, Gen::P_ON, "ON"},
      {"/PILOT/GEN on", LINKMODE_UPLOAD, Gen::P_ON, "OFF"},
      {"/PILOT/GEN ON", LINKMODE_UPLOAD, Gen::P_ON, "ON"},
      {"/PILOT/GEN ?", LINKMODE_UPLOAD, Gen::P_ON, "ON"},
      {"/PILOT/GEN ONX", LINKMODE_UPLOAD, Gen::P_ON, "OFF"},
  };
  for (const Row& row : rows) {
    Route(QString::fromLatin1(row.line), row.mode);
    EXPECT_EQ(pilot->GetParamText(row.code), row.text) << row.line;
  }
}

TEST_F(CInternalPilottoneGenTest, WireNumbersIgnoreTheUserLocale) {
  CommaLocale comma;
  if (!comma.Ok()) GTEST_SKIP() << "no locale with a decimal comma is installed";
  doc.SetUpgradeFlag(1);
  Route(QStringLiteral("/PILOT/FREQU 20000.0"));
  Route(QStringLiteral("/PILOT/VOL1 -12.5"));
  EXPECT_FLOAT_EQ(pilot->GetParamFloat(Gen::P_FREQUENCY), 20000.0f);
  const QStringList lines = DownloadAll(false);
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[1], "/PILOT/FREQU 20000.0");
  EXPECT_EQ(lines[2], "/PILOT/VOL1 -12.5");
}

TEST_F(CInternalPilottoneGenTest, OutputIndexesOutsideTheFourAreRefused) {
  pilot->SetParamFloat(Gen::VolumeCode(3), -10.0f);
  for (int bad : {4, 7, 0xFFFF}) {
    const int code = Gen::P_VOLUME | (bad << 16);
    pilot->SetParamFloat(code, -20.0f);
    EXPECT_FLOAT_EQ(pilot->GetParamFloat(code), 0.0f) << bad;
    EXPECT_EQ(pilot->GetParamText(code), "") << bad;
  }
  EXPECT_EQ(pilot->GetParamText(Gen::VolumeCode(3)), "-10.0");
  EXPECT_EQ(pilot->GetParamText(Gen::VolumeCode(0)), "-150.0");
  EXPECT_EQ(pilot->GetParamText(3), "");
  EXPECT_EQ(pilot->GetParam(0), 0);
}

TEST_F(CInternalPilottoneGenTest, RecordHoldsFrequencyAndLevelsButNotTheSwitch) {
  pilot->SetParam(Gen::P_ON, 1);
  pilot->SetParamFloat(Gen::P_FREQUENCY, 19000.0f);
  pilot->SetParamFloat(Gen::VolumeCode(1), -6.5f);
  const QByteArray own = OwnRecord(*pilot);
  ASSERT_EQ(own.size(), 20);
  float values[5];
  std::memcpy(values, own.constData(), sizeof values);
  EXPECT_FLOAT_EQ(values[0], 19000.0f);
  EXPECT_FLOAT_EQ(values[1], -150.0f);
  EXPECT_FLOAT_EQ(values[2], -6.5f);
  EXPECT_FLOAT_EQ(values[3], -150.0f);
  EXPECT_FLOAT_EQ(values[4], -150.0f);

  auto back = RoundTrip(doc);
  Gen* loaded = Gen::Find(back.get());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->GetParam(Gen::P_ON), 0);
  EXPECT_EQ(loaded->GetParamText(Gen::P_FREQUENCY), "19000.0");
  EXPECT_EQ(loaded->GetParamText(Gen::VolumeCode(1)), "-6.5");
  EXPECT_EQ(loaded->GetParamText(Gen::VolumeCode(3)), "-150.0");
}

}  // namespace
