// The zone's command lines: the six or twelve download lines, their query
// form, the busy output buffer, what an upload takes over and what it only
// compares, and the single-zone transfer of the context menu.

#include "czonetestsupport.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "model/commandids.h"
#include "model/ctext.h"
#include "model/modelstrings.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zonetest;

namespace {

// Zone 3, fed through a plain amplifier by both outputs of slot 1, with
// zone relays 6 and 7.
class CZoneLinesTest : public testing::Test {
 protected:
  void SetUp() override {
    AddZones(doc, 2);
    zone = AddZone(doc);
    ASSERT_NE(zone, nullptr);
    ASSERT_EQ(zone->GetID(), 3);
    auto* slot = AddObject(doc, DT_AUDIOOUTPUTSLOT, CAT_OUTPUTSLOTS, 2);
    CAmplifier* amp = AddAmplifier(doc, kAmpPlain2);
    CBaseDevice::Connect(slot, 0, amp, 0);
    CBaseDevice::Connect(slot, 1, amp, 1);
    CBaseDevice::Connect(amp, 0, zone, 0);
    zone->GetOrCreateRelay(6, CRelais::KIND_ZONE, true);
    CBaseDevice::Connect(zone, 1, RelayR(doc, 6), 0);
    CBaseDevice::Connect(zone, 2, RelayR(doc, 7), 0);
  }

  // Steps from 0 to the count, following the returned step.
  QStringList Run(bool query) {
    link.Clear();
    const int count = zone->Download(query, -1);
    for (int step = 0; step < count;) {
      const int next = zone->Download(query, step);
      EXPECT_GT(next, step);
      if (next <= step) break;
      step = next;
    }
    return link.TakeLines();
  }

  bool Upload(const QString& line, int mode = LINKMODE_UPLOAD) {
    QString errorFile = errorPath;
    return doc.RouteReplyLine(line, errorFile, mode);
  }

  RecordingLink link;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CZone* zone = nullptr;
  QString errorPath;
};

}  // namespace

TEST_F(CZoneLinesTest, SmallUnitGetsTheSixWiringLines) {
  EXPECT_EQ(zone->Download(false, -1), 6);
  EXPECT_EQ(Run(false),
            (QStringList{"/VMX/ZONE3/OUTPUT 1,2", "/VMX/ZONE3/RELAY 6,7", "/VMX/ZONE3/PRIOCALL/RELAY 0",
                         "/VMX/ZONE3/PRIOCALL/TYPE 208", "/VMX/ZONE3/CONTROL/RELAY 0", "/VMX/ZONE3/CONTROL/TYPE 208"}));
}

TEST_F(CZoneLinesTest, UpgradedUnitAlsoGetsLanGroupAndLineTest) {
  doc.SetUpgradeFlag(1);
  zone->SetValue(CZone::COL_POSTOL, 10);
  zone->SetValue(CZone::COL_IGNORE, CZone::IGN_GNDFLT);
  EXPECT_EQ(zone->Download(false, -1), 12);
  const QStringList lines = Run(false);
  ASSERT_EQ(lines.size(), 12);
  EXPECT_EQ(lines.mid(6),
            (QStringList{"/VMX/ZONE3/LANGRP OFF", "/VMX/ZONE3/TEST/POSTOL 10", "/VMX/ZONE3/TEST/NEGTOL 0",
                         "/VMX/ZONE3/TEST/IGNORE GNDFLT", "/VMX/ZONE3/AMPCHAN ", "/VMX/ZONE3/TESTVOL -26"}));
}

TEST_F(CZoneLinesTest, QueriesAskEveryKeyInTheSameOrder) {
  doc.SetUpgradeFlag(1);
  const QStringList lines = Run(true);
  ASSERT_EQ(lines.size(), 12);
  const char* keys[] = {"OUTPUT", "RELAY",       "PRIOCALL/RELAY", "PRIOCALL/TYPE", "CONTROL/RELAY", "CONTROL/TYPE",
                        "LANGRP", "TEST/POSTOL", "TEST/NEGTOL",    "TEST/IGNORE",   "AMPCHAN",       "TESTVOL"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(lines[i], Fmt("/VMX/ZONE3/%s ?", keys[i])) << i;
  EXPECT_EQ(lines[11], "/VMX/ZONE3/TESTVOL ?");
}

TEST_F(CZoneLinesTest, FullOutputBufferRepeatsTheStep) {
  link.SetOutBufferCount(512);
  EXPECT_EQ(zone->Download(false, 0), 0);
  EXPECT_EQ(zone->Download(true, 4), 4);
  EXPECT_TRUE(link.Lines().isEmpty());
  link.SetOutBufferCount(511);
  EXPECT_EQ(zone->Download(false, 0), 1);
  // Steps beyond the table send nothing.
  link.Clear();
  EXPECT_EQ(zone->Download(false, 12), 12);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST_F(CZoneLinesTest, UploadTakesOverNameAndLineTestSettings) {
  EXPECT_TRUE(Upload("/VMX/ZONE3/TEST/POSTOL 30"));
  EXPECT_TRUE(Upload("/VMX/ZONE3/TEST/POSTOL OFF"));
  EXPECT_EQ(zone->GetPositiveTolerance(), 0);
  EXPECT_TRUE(Upload("/VMX/ZONE3/TEST/NEGTOL 120"));
  EXPECT_EQ(zone->GetNegativeTolerance(), 100);
  EXPECT_TRUE(Upload("/VMX/ZONE3/TESTVOL -30"));
  EXPECT_FALSE(Upload("/VMX/ZONE3/TESTVOL abc"));
  EXPECT_EQ(zone->GetTestVolume(), -30);
  EXPECT_TRUE(Upload("/VMX/ZONE3/TEST/IGNORE POSTOL,OVF_U"));
  EXPECT_EQ(zone->GetIgnoreText(), "POSTOL,OVF_U");
  EXPECT_TRUE(Upload("/VMX/ZONE3/NAME Hall"));
  EXPECT_EQ(zone->GetName(), "Hall");
  // Echoed queries and lines outside an upload change nothing.
  EXPECT_FALSE(Upload("/VMX/ZONE3/TESTVOL ?"));
  EXPECT_FALSE(Upload("/VMX/ZONE3/TESTVOL -10", LINKMODE_DOWNLOAD));
  EXPECT_FALSE(Upload("/VMX/ZONE3/NAME Foyer", LINKMODE_NORMAL));
  EXPECT_EQ(zone->GetTestVolume(), -30);
  EXPECT_EQ(zone->GetName(), "Hall");
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CZoneLinesTest, DifferentWiringIsReportedAndKept) {
  EXPECT_TRUE(Upload("/VMX/ZONE3/RELAY 6"));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].id, 34310u);
  EXPECT_EQ(messages.Requests()[0].text, "Zone relays for zone Zone 3 are different! (6 -> 6,7)!");
  EXPECT_EQ(zone->GetColumnText(CZone::COL_RELAYS), "6,7");
  messages.Clear();
  // The unit reports "OFF" or "0" where the project has no relay, "" where
  // it has no type: the same meaning, no message.
  for (const char* line :
       {"/VMX/ZONE3/RELAY 6,7", "/VMX/ZONE3/OUTPUT 1,2", "/VMX/ZONE3/PRIOCALL/RELAY OFF",
        "/VMX/ZONE3/PRIOCALL/RELAY 0", "/VMX/ZONE3/CONTROL/RELAY OFF", "/VMX/ZONE3/CONTROL/RELAY 0",
        "/VMX/ZONE3/CONTROL/TYPE 208", "/VMX/ZONE3/LANGRP OFF", "/VMX/ZONE3/LANGRP 4"})
    EXPECT_TRUE(Upload(line)) << line;
  EXPECT_TRUE(messages.Requests().empty());
  struct Row {
    const char* line;
    uint32_t id;
    const char* text;
  };
  const Row rows[] = {
      {"/VMX/ZONE3/OUTPUT 3,4", 34309, "Audiooutputs for zone Zone 3 are different! (3,4 -> 1,2)!"},
      {"/VMX/ZONE3/PRIOCALL/RELAY 5", 34311, "Priocallrelay for zone Zone 3 is different! (5 -> OFF)!"},
      {"/VMX/ZONE3/PRIOCALL/TYPE 209", 34312, "Priocallrelay type for zone Zone 3 is different! (209 -> 208)!"},
      {"/VMX/ZONE3/CONTROL/RELAY 12", 34313, "Controlrelay for zone Zone 3 is different! (12 -> OFF)!"},
      {"/VMX/ZONE3/CONTROL/TYPE INT", 34314, "Controlrelay type for zone Zone 3 is different! (INT -> 208)!"},
  };
  for (const Row& row : rows) {
    messages.Clear();
    EXPECT_TRUE(Upload(row.line));
    ASSERT_EQ(messages.Requests().size(), 1u) << row.line;
    EXPECT_EQ(messages.Requests()[0].id, row.id);
    EXPECT_EQ(messages.Requests()[0].text, row.text);
  }
  EXPECT_EQ(zone->GetColumnText(CZone::COL_OUTPUTS), "1,2");
}

// A zone without relays downloads "0"; the unit answers "OFF" for it.
TEST_F(CZoneLinesTest, AZoneWithoutRelaysTakesOffAsItsRelays) {
  auto* bare = AddZone(doc);
  ASSERT_NE(bare, nullptr);
  ASSERT_EQ(bare->GetColumnText(CZone::COL_RELAYS), "0");
  const int id = bare->GetID();
  for (const char* value : {"OFF", "0"}) {
    EXPECT_TRUE(Upload(Fmt("/VMX/ZONE%d/RELAY %s", id, value))) << value;
    EXPECT_TRUE(messages.Requests().empty()) << value;
  }
  EXPECT_TRUE(Upload(Fmt("/VMX/ZONE%d/RELAY 4", id)));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].id, 34310u);
}

TEST_F(CZoneLinesTest, LanGroupDifferenceIsReportedOnlyWhenTheZoneHasOne) {
  CBaseDevice* lan = zone->AddNewLanGroup();
  ASSERT_NE(lan, nullptr);
  EXPECT_TRUE(Upload(Fmt("/VMX/ZONE3/LANGRP %d", lan->GetID())));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_TRUE(Upload("/VMX/ZONE3/LANGRP OFF"));
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_EQ(messages.Requests()[0].id, 34576u);
}

TEST_F(CZoneLinesTest, DifferentAmplifierChannelGoesToTheErrorFile) {
  QTemporaryDir dir;
  errorPath = dir.filePath("site.err");
  EXPECT_TRUE(Upload("/VMX/ZONE3/AMPCHAN 9"));
  EXPECT_TRUE(Upload("/VMX/ZONE3/AMPCHAN "));  // the same as the project's empty channel
  QFile file(errorPath);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("Zone 3 : 9 is missing\r\n"));
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CZoneLinesTest, RepliesOfZoneFiftyNeverReachZoneFive) {
  AddZones(doc, 2);
  auto* five = dynamic_cast<CZone*>(doc.GetIDManager().FindBaseDevice(5, DT_ZONE));
  ASSERT_NE(five, nullptr);
  EXPECT_FALSE(Upload("/VMX/ZONE50/NAME Stage"));
  EXPECT_FALSE(Upload("/VMX/ZONE50/TESTVOL -50"));
  EXPECT_EQ(five->GetName(), "Zone 5");
  EXPECT_EQ(five->GetTestVolume(), -26);
}

TEST_F(CZoneLinesTest, ContextMenuDownloadRunsUnderTheDownloadModeAndEndsNormal) {
  EXPECT_TRUE(zone->OnCommand(ID_DEVICE_DOWNLOAD));
  EXPECT_EQ(link.Modes(), (QList<int>{LINKMODE_DOWNLOAD, LINKMODE_NORMAL}));
  const QStringList lines = link.Lines();
  ASSERT_EQ(lines.size(), 8);
  EXPECT_EQ(lines.front(), "/MACRO/LOCK ON");
  EXPECT_EQ(lines[1], "/VMX/ZONE3/OUTPUT 1,2");
  EXPECT_EQ(lines.back(), "/MACRO/LOCK OFF");
}

TEST_F(CZoneLinesTest, ContextMenuUploadQueriesAndShowsTheErrorFile) {
  link.SetResponder(
      [](const QString& line) {
        if (line == "/VMX/ZONE3/NAME ?") return QStringList{};
        if (line == "/VMX/ZONE3/RELAY ?") return QStringList{"/VMX/ZONE3/RELAY 6,7"};
        if (line == "/VMX/ZONE3/OUTPUT ?") return QStringList{"/VMX/ZONE3/OUTPUT 1,2"};
        return QStringList{};
      },
      &doc);
  EXPECT_TRUE(zone->OnCommand(ID_DEVICE_UPLOAD));
  EXPECT_EQ(link.Modes(), (QList<int>{LINKMODE_UPLOAD, LINKMODE_NORMAL}));
  EXPECT_EQ(link.Lines().first(), "/VMX/ZONE3/OUTPUT ?");
  EXPECT_EQ(link.ErrorFileShows(), 1);
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CZoneLinesTest, TransferOfAZoneOnALinkThatNeverDrainsEndsInNormalMode) {
  link.SetOutBufferCount(600);
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(50);
  EXPECT_EQ(transfer.DownloadObject(*zone), CTransfer::Result::NoProgress);
  EXPECT_EQ(link.GetLinkMode(), LINKMODE_NORMAL);
  EXPECT_EQ(link.Modes().last(), LINKMODE_NORMAL);
  // Nothing of the zone went out.
  for (const QString& line : link.Lines()) EXPECT_FALSE(line.startsWith("/VMX")) << line.toStdString();
}
