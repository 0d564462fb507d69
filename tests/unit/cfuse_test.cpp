// The fuse ratings: the exact download lines (also the relative boot
// priority line), the full output buffer, which upload lines are taken, the
// file record, and the unit's modules as every project has them. One whole
// transfer of the modules runs against the simulated unit over the real
// serial link.
#include "unit/cfuse.h"
#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "model/cselvantisdoc.h"
#include "modulehandlers.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"
#include "unit/cinternalmessagerec.h"
#include "unit/cinternalpilottonegen.h"
#include "unit/cinternalpowermanagement.h"
#include "unit/cmiscaudio.h"
#include "unitmoduletest.h"
#include "unitsimulator.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CFuseTest : public UnitModuleTest<CFuse> {
 protected:
  CFuse*& fuse = module;
};

TEST_F(CFuseTest, DownloadsTheFiveRatingsAndTheBootPriority) {
  EXPECT_EQ(fuse->Download(false, -1), 6);
  EXPECT_TRUE(link.Lines().isEmpty());  // the count sends nothing
  EXPECT_EQ(DownloadAll(false),
            (QStringList{"/FUSE/SLOT1/A/VALUE 3", "/FUSE/SLOT1/B/VALUE 3", "/FUSE/SLOT2/A/VALUE 3",
                         "/FUSE/SLOT2/B/VALUE 3", "/FUSE/AMP485/VALUE 3", "/FUSE/../EVENT/PRIO_BOOT 50"}));
  fuse->SetRating(CFuse::SLOT2_B, 1);
  fuse->SetRating(CFuse::AMP485, 0);
  const QStringList lines = DownloadAll(false);
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[3], "/FUSE/SLOT2/B/VALUE 1");
  EXPECT_EQ(lines[4], "/FUSE/AMP485/VALUE 0");
}

TEST_F(CFuseTest, QueryEndsEveryLineWithAQuestionMark) {
  EXPECT_EQ(DownloadAll(true),
            (QStringList{"/FUSE/SLOT1/A/VALUE ?", "/FUSE/SLOT1/B/VALUE ?", "/FUSE/SLOT2/A/VALUE ?",
                         "/FUSE/SLOT2/B/VALUE ?", "/FUSE/AMP485/VALUE ?", "/FUSE/../EVENT/PRIO_BOOT ?"}));
}

TEST_F(CFuseTest, FullBufferAndStepsOutsideTheTableSendNothing) {
  link.SetOutBufferCount(512);
  for (int step = 0; step < 6; ++step) EXPECT_EQ(fuse->Download(false, step), step) << step;
  EXPECT_EQ(fuse->Download(false, -1), 6);  // the count comes before the buffer test
  link.SetOutBufferCount(511);
  EXPECT_EQ(fuse->Download(false, 6), 6);
  EXPECT_EQ(fuse->Download(false, -2), -2);
  EXPECT_TRUE(link.Lines().isEmpty());
  EXPECT_EQ(fuse->Download(false, 0), 1);  // 511 still has room
  EXPECT_EQ(link.Lines().size(), 1);
}

TEST_F(CFuseTest, UploadTakesOnlyTheRatingKeysInUploadMode) {
  struct Row {
    const char* line;
    int mode;
    int fuse;
    int expected;
  };
  const Row rows[] = {
      {"/FUSE/AMP485/VALUE 2", LINKMODE_UPLOAD, CFuse::AMP485, 2},
      {"/FUSE/SLOT2/B/VALUE 1", LINKMODE_UPLOAD, CFuse::SLOT2_B, 1},
      {"/FUSE/SLOT1/A/VALUE 7", LINKMODE_UPLOAD, CFuse::SLOT1_A, 7},    // not clamped
      {"/FUSE/SLOT1/B/VALUE 0", LINKMODE_NORMAL, CFuse::SLOT1_B, 3},    // wrong mode
      {"/FUSE/SLOT1/B/VALUE 0", LINKMODE_DOWNLOAD, CFuse::SLOT1_B, 3},  // wrong mode
      {"/FUSE/SLOT2/A/VALUE ?", LINKMODE_UPLOAD, CFuse::SLOT2_A, 3},    // echoed query
      {"/FUSE/SLOT2/A/VALUE abc", LINKMODE_UPLOAD, CFuse::SLOT2_A, 3},  // no number
      {"/FUSE/SLOT2/A/BLOWN 1", LINKMODE_UPLOAD, CFuse::SLOT2_A, 3},    // state, not rating
      {"/FUSE/slot2/a/value 1", LINKMODE_UPLOAD, CFuse::SLOT2_A, 3},    // keys match with case
      {"/FUSE/SLOT2/A/VALUE/X 1", LINKMODE_UPLOAD, CFuse::SLOT2_A, 3},  // the key is the whole path
  };
  for (const Row& row : rows) {
    Route(QString::fromLatin1(row.line), row.mode);
    EXPECT_EQ(fuse->GetRating(row.fuse), row.expected) << row.line;
  }
}

TEST_F(CFuseTest, StateRepliesAndTheBootPriorityChangeNothing) {
  MessageRecorder messages;
  for (const char* line : {"/FUSE/SLOT1/A/BLOWN YES", "/FUSE/SLOT1/A/COOLING YES", "/FUSE/../EVENT/PRIO_BOOT 50",
                           "/FUSE/AMP485/VALUE", "/FUSE/AMP485/VALUE  "}) {
    Route(QString::fromLatin1(line), LINKMODE_UPLOAD);
  }
  for (int i = 0; i < CFuse::kFuseCount; ++i) EXPECT_EQ(fuse->GetRating(i), 3) << i;
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_EQ(fuse->GetRating(5), 0);
  EXPECT_EQ(fuse->GetRating(-1), 0);
  fuse->SetRating(5, 2);  // no sixth fuse: ignored
}

TEST_F(CFuseTest, RecordIsFiveIntegersInTableOrder) {
  fuse->SetRating(CFuse::SLOT1_A, 0);
  fuse->SetRating(CFuse::SLOT1_B, 1);
  fuse->SetRating(CFuse::SLOT2_A, 2);
  fuse->SetRating(CFuse::SLOT2_B, 9);
  fuse->SetRating(CFuse::AMP485, -1);
  EXPECT_EQ(OwnRecord(*fuse), Int32s({0, 1, 2, 9, -1}));

  auto back = RoundTrip(doc);
  CFuse* loaded = CFuse::Find(back.get());
  ASSERT_NE(loaded, nullptr);
  const int expected[] = {0, 1, 2, 9, -1};
  for (int i = 0; i < CFuse::kFuseCount; ++i) EXPECT_EQ(loaded->GetRating(i), expected[i]) << i;
  EXPECT_EQ(loaded->GetPath(), "/FUSE");
  EXPECT_EQ(back->FindObjectByPath(QStringLiteral("/FUSE")), loaded);
}

// Every project has the five module objects under identifier 1, and a loaded
// project that lacks one gets it with its defaults.
TEST(CUnitModulesTest, EveryProjectHasTheUnitModules) {
  struct Row {
    int type;
    const char* path;
  };
  const Row rows[] = {{DT_FUSE, "/FUSE"},
                      {DT_MISCAUDIO, "/AUDIO"},
                      {DT_PILOTTONEGEN, "/PILOT"},
                      {DT_POWERMANAGEMENT, "/POWER"},
                      {DT_MESSAGEREC, "/RECORDER"}};
  for (const Row& row : rows) {
    CSelvantisDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CBaseDevice* module = doc.GetIDManager().FindBaseDevice(1, row.type);
    ASSERT_NE(module, nullptr) << row.path;
    EXPECT_EQ(module->GetCategory(), CAT_MODULES);
    EXPECT_EQ(doc.FindObjectByPath(QString::fromLatin1(row.path)), module) << row.path;
    EXPECT_FALSE(doc.IsModified());

    ASSERT_TRUE(doc.DeleteObject(module));
    doc.PurgeDeleted();
    ASSERT_EQ(doc.GetIDManager().FindBaseDevice(1, row.type), nullptr);
    auto back = RoundTrip(doc);
    CBaseDevice* added = back->GetIDManager().FindBaseDevice(1, row.type);
    ASSERT_NE(added, nullptr) << row.path;
    EXPECT_EQ(back->FindObjectByPath(QString::fromLatin1(row.path)), added) << row.path;
    EXPECT_EQ(back->GetIDManager().GetCount(row.type), 1);
  }
  CSelvantisDoc doc;
  doc.OnNewDocument();
  auto* power = CInternalPowerManagement::Find(&doc);
  ASSERT_NE(power, nullptr);
  EXPECT_EQ(power->GetInputCount(), 1);
  EXPECT_EQ(power->GetOutputCount(), 1);
}

// The modules downloaded to the simulated unit over the serial link, then
// changed in the project and uploaded back: what the unit holds comes back.
TEST(CUnitModulesTest, ModulesTravelToTheSimulatedUnitAndBack) {
  CSelvantisDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  doc.SetUpgradeFlag(1);  // the pilot tone travels only for the upgrade unit
  CFuse* fuse = CFuse::Find(&doc);
  CMiscAudio* audio = CMiscAudio::Find(&doc);
  CInternalPilottoneGen* pilot = CInternalPilottoneGen::Find(&doc);
  CInternalPowerManagement* power = CInternalPowerManagement::Find(&doc);
  CInternalMessageRec* recorder = CInternalMessageRec::Find(&doc);
  ASSERT_TRUE(fuse && audio && pilot && power && recorder);
  fuse->SetRating(CFuse::SLOT2_B, 1);
  ASSERT_TRUE(audio->SetParamText(CMiscAudio::ALARM_VOL, QStringLiteral("-95")));
  ASSERT_TRUE(audio->SetParamText(CMiscAudio::BACK_INP, QStringLiteral("1")));
  pilot->SetParamFloat(CInternalPilottoneGen::P_FREQUENCY, 20000.0f);
  pilot->SetParam(CInternalPilottoneGen::P_ON, 1);
  power->SetParam(CInternalPowerManagement::P_BATT_PRIO, 90);
  power->SetParam(CInternalPowerManagement::P_BOOT_MAC, 12);

  UnitSimulator sim;
  RegisterModuleHandlers(sim);
  sim.SetValue(QStringLiteral("/SERVICE/DEVID"), QStringLiteral("7000"));
  sim.SetValue(QStringLiteral("/SERVICE/VER"), QStringLiteral("V3.10"));
  ASSERT_TRUE(sim.Start());
  MessageRecorder messages;
  CCommLink link;
  ASSERT_TRUE(link.ConnectPort(sim.PtyPath(), &doc));
  DeviceLinkScope scope(&link);
  CTransfer transfer(&link);
  const std::vector<CTransfer::Item> items = {{fuse}, {audio}, {pilot}, {power}, {recorder}};

  ASSERT_EQ(transfer.Run(false, items, &doc), CTransfer::Result::Done);
  QStringList sent;
  for (const QString& line : sim.FullLines()) {
    if (!line.startsWith(QLatin1String("/MACRO/")) && !line.startsWith(QLatin1String("/SERVICE/")) &&
        !line.startsWith(QLatin1String("/PROTECT")))
      sent << line;
  }
  EXPECT_EQ(
      sent,
      (QStringList{
          "/FUSE/SLOT1/A/VALUE 3",   "/FUSE/SLOT1/B/VALUE 3",       "/FUSE/SLOT2/A/VALUE 3",   "/FUSE/SLOT2/B/VALUE 1",
          "/FUSE/AMP485/VALUE 3",    "/FUSE/../EVENT/PRIO_BOOT 50", "/AUDIO/ALARM_VOL -150.0", "/AUDIO/CHIME_VOL -9.0",
          "/AUDIO/MESSAGE_VOL -3.6", "/AUDIO/PANIC_VOL 0.0",        "/AUDIO/BACK_ATT -127",    "/AUDIO/EXT_ALARM_INP 3",
          "/AUDIO/EXT_MSG_INP 3",    "/AUDIO/BACK_INP 2",           "/PILOT/GEN ON",           "/PILOT/FREQU 20000.0",
          "/PILOT/VOL1 -150.0",      "/PILOT/VOL2 -150.0",          "/PILOT/VOL3 -150.0",      "/PILOT/VOL4 -150.0",
          "/POWER/BATT_PRIO 90",     "/POWER/MAINS_PRIO 30",        "/POWER/MAINS_COND 0",     "/POWER/BOOT_MAC 12",
          "/POWER/SHUT_MAC 0",       "/POWER/DROP_SHUT NO",         "/POWER/BATT_AVLBL NO",    "/POWER/SHUT_PRIO 0"}));
  EXPECT_EQ(sim.Value(QStringLiteral("/EVENT/PRIO_BOOT")), "50");
  EXPECT_EQ(sim.Value(QStringLiteral("/FUSE/SLOT2/B/VALUE")), "1");

  // The project forgets; the unit remembers.
  fuse->SetRating(CFuse::SLOT2_B, 3);
  audio->SetParamText(CMiscAudio::ALARM_VOL, QStringLiteral("0"));
  audio->SetParamText(CMiscAudio::BACK_INP, QStringLiteral("3"));
  pilot->SetParamFloat(CInternalPilottoneGen::P_FREQUENCY, 50.0f);
  power->SetParam(CInternalPowerManagement::P_BATT_PRIO, 10);
  power->SetParam(CInternalPowerManagement::P_BOOT_MAC, 0);
  sim.SetValue(QStringLiteral("/POWER/SHUT_PRIO"), QStringLiteral("77"));  // not taken by an upload

  ASSERT_EQ(transfer.Run(true, items, &doc), CTransfer::Result::Done);
  EXPECT_EQ(fuse->GetRating(CFuse::SLOT2_B), 1);
  EXPECT_EQ(audio->GetParamText(CMiscAudio::ALARM_VOL), "-80.0");
  EXPECT_EQ(audio->GetParamText(CMiscAudio::BACK_INP), "1");
  EXPECT_EQ(pilot->GetParamText(CInternalPilottoneGen::P_FREQUENCY), "20000.0");
  EXPECT_EQ(pilot->GetParam(CInternalPilottoneGen::P_ON), 1);
  EXPECT_EQ(power->GetParam(CInternalPowerManagement::P_BATT_PRIO), 90);
  EXPECT_EQ(power->GetParam(CInternalPowerManagement::P_BOOT_MAC), 12);
  EXPECT_EQ(power->GetParam(CInternalPowerManagement::P_SHUT_PRIO), 0);
  EXPECT_FALSE(messages.Saw(CMiscAudio::kParserError));
  link.Disconnect();
  sim.Stop();
}

}  // namespace
