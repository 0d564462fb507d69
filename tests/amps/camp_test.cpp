// The amplifier table: 64 fixed-width records stored field by field, the
// clear line, and texts from a file that do not fit their fields.

#include "amps/camp.h"
#include "ampstestsupport.h"
#include "link/ctransfer.h"
#include "model/carchive.h"
#include "model/cselvantisdoc.h"
#include "support/recordinglink.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A record whose every field is filled to its full width, different per
// index, so a shifted or swapped field shows.
AmpRecord FullRecord(int index) {
  AmpRecord r;
  const QString tag = QString::number(index % 10);
  r.text1.Set(QString(19, QLatin1Char('A')) + tag);  // one too many: cut to 19
  r.text2.Set(QString(15, QLatin1Char('b')));
  r.text3.Set(QStringLiteral("c%1xyz").arg(tag));
  for (int v = 0; v < 6; ++v) r.values[static_cast<size_t>(v)] = static_cast<uint16_t>(index * 100 + v);
  for (int c = 0; c < AmpRecord::kChannelBlocks; ++c) {
    AmpChannelBlock& block = r.channels[static_cast<size_t>(c)];
    for (int v = 0; v < 8; ++v)
      block.values[static_cast<size_t>(v)] = static_cast<uint16_t>(0xF000 + index * 32 + c * 8 + v);
    block.text1.Set(QString(63, QChar(0xB5)));  // 8-bit text
    block.text2.Set(QStringLiteral("ch%1-%2").arg(c).arg(index).leftJustified(31, QLatin1Char('.')));
  }
  return r;
}

CAmp* Table(CSelvantisDoc& doc) { return dynamic_cast<CAmp*>(doc.GetIDManager().FindBaseDevice(1, DT_AMPTABLE)); }

TEST(CAmpTest, NewProjectHasAnEmptyTable) {
  CSelvantisDoc doc;
  doc.OnNewDocument();
  CAmp* table = Table(doc);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->GetPath(), QStringLiteral("/AMP/TABLE"));
  EXPECT_EQ(doc.FindObjectByPath(QStringLiteral("/AMP/TABLE")), table);
  for (int i = 0; i < CAmp::kRecordCount; ++i) EXPECT_EQ(table->GetRecord(i), AmpRecord{}) << i;
  for (uint8_t b : table->GetWorkTable()) ASSERT_EQ(b, 0xFF);
  EXPECT_TRUE(table->GetRect().isNull());  // not drawn
  EXPECT_EQ(CAmp::EnsureIn(doc), table);   // never a second one
}

TEST(CAmpTest, FieldsAreCutToTheirWidth) {
  const AmpRecord r = FullRecord(3);
  EXPECT_EQ(r.text1.Get(), QString(19, QLatin1Char('A')));
  EXPECT_EQ(r.text2.Get().size(), 15);
  EXPECT_EQ(r.text3.Get(), QStringLiteral("c3xyz"));
  EXPECT_EQ(r.channels[0].text1.Get().size(), 63);
  EXPECT_EQ(r.channels[0].text2.Get().size(), 31);
  EXPECT_EQ(r.text1.Bytes()[19], '\0');
}

TEST(CAmpTest, ProjectFileKeepsEveryRecord) {
  CSelvantisDoc doc;
  CAmp* table = CAmp::EnsureIn(doc);
  ASSERT_NE(table, nullptr);
  for (int i = 0; i < CAmp::kRecordCount; ++i) ASSERT_TRUE(table->SetRecord(i, FullRecord(i)));
  EXPECT_FALSE(table->SetRecord(64, FullRecord(0)));
  EXPECT_FALSE(table->SetRecord(-1, FullRecord(0)));

  auto back = RoundTrip(doc);
  CAmp* loaded = Table(*back);
  ASSERT_NE(loaded, nullptr);
  for (int i = 0; i < CAmp::kRecordCount; ++i) {
    const AmpRecord& r = loaded->GetRecord(i);
    const AmpRecord expected = FullRecord(i);
    EXPECT_EQ(r.text1.Get(), expected.text1.Get()) << i;
    EXPECT_EQ(r.text2.Get(), expected.text2.Get()) << i;
    EXPECT_EQ(r.text3.Get(), expected.text3.Get()) << i;
    EXPECT_EQ(r.values, expected.values) << i;
    for (int c = 0; c < AmpRecord::kChannelBlocks; ++c) {
      EXPECT_EQ(r.channels[size_t(c)].values, expected.channels[size_t(c)].values) << i << "/" << c;
      EXPECT_EQ(r.channels[size_t(c)].text1.Get(), expected.channels[size_t(c)].text1.Get()) << i << "/" << c;
      EXPECT_EQ(r.channels[size_t(c)].text2.Get(), expected.channels[size_t(c)].text2.Get()) << i << "/" << c;
    }
  }
  EXPECT_EQ(loaded->GetRecord(0).channels[0].text1.Bytes()[0], char(0xB5));
  for (uint8_t b : loaded->GetWorkTable()) ASSERT_EQ(b, 0xFF);
}

TEST(CAmpTest, OverlongTextsFromAFileAreCut) {
  // A record written by another program: text 1 of record 0 has 40
  // characters; every other text is short.
  CSelvantisDoc doc;
  auto old = std::make_unique<ampstest::RecordStandIn>("CAmp", DT_AMPTABLE, [](CArchive& ar) {
    for (int i = 0; i < CAmp::kRecordCount; ++i) {
      ar << (i == 0 ? QString(40, QLatin1Char('x')) : QStringLiteral("t1")) << QString(30, QLatin1Char('y'))
         << QStringLiteral("t3-long");
      for (int v = 0; v < 6; ++v) ar << uint16_t(i + v);
      for (int c = 0; c < 4; ++c) {
        for (int v = 0; v < 8; ++v) ar << uint16_t(c);
        ar << QString(100, QLatin1Char('z')) << QString(50, QLatin1Char('w'));
      }
    }
  });
  ASSERT_TRUE(old->CreateWithID(0, QStringLiteral("table"), 1, CAT_MODULES, &doc));
  doc.Adopt(std::move(old));
  auto back = LoadProject(SaveProject(doc));
  CAmp* table = Table(*back);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->GetRecord(0).text1.Get(), QString(19, QLatin1Char('x')));
  EXPECT_EQ(table->GetRecord(0).text2.Get(), QString(15, QLatin1Char('y')));
  EXPECT_EQ(table->GetRecord(0).text3.Get(), QStringLiteral("t3-lo"));
  EXPECT_EQ(table->GetRecord(0).channels[3].text1.Get(), QString(63, QLatin1Char('z')));
  EXPECT_EQ(table->GetRecord(0).channels[3].text2.Get(), QString(31, QLatin1Char('w')));
  // The fields after the long texts are still in step.
  EXPECT_EQ(table->GetRecord(63).text1.Get(), QStringLiteral("t1"));
  EXPECT_EQ(table->GetRecord(63).values[5], 68);
  EXPECT_EQ(table->GetRecord(63).channels[2].values[7], 2);
}

TEST(CAmpTest, DownloadSendsOnlyTheClearLine) {
  RecordingLink link;
  CSelvantisDoc doc;
  CAmp* table = CAmp::EnsureIn(doc);
  ASSERT_NE(table, nullptr);
  table->SetRecord(5, FullRecord(5));

  EXPECT_EQ(table->Download(false, -1), 0);
  EXPECT_TRUE(link.Lines().isEmpty());

  EXPECT_EQ(table->Download(false, 0), 1);
  EXPECT_EQ(link.Lines(), QStringList{"/AMP/TABLE/CLEAR ALL"});
  EXPECT_EQ(table->GetRecord(5), FullRecord(5));  // a download keeps the table

  EXPECT_EQ(table->Download(false, 1), 1);  // no further steps
  EXPECT_EQ(link.Lines().size(), 1);

  link.SetOutBufferCount(512);
  EXPECT_EQ(table->Download(true, 0), 0);
  EXPECT_EQ(link.Lines().size(), 1);
  EXPECT_EQ(table->GetRecord(5), FullRecord(5));  // nothing happens while the line is busy

  link.SetOutBufferCount(511);
  EXPECT_EQ(table->Download(true, 0), 1);
  // The same path again: the line goes out shortened to its value.
  EXPECT_EQ(link.Lines(), QStringList({"/AMP/TABLE/CLEAR ALL", " ?"}));
  EXPECT_EQ(table->GetRecord(5), AmpRecord{});

  link.Clear();
  CAmp::EnsureIn(doc)->Download(true, 0);
  EXPECT_EQ(link.Lines(), QStringList{" ?"});
}

TEST(CAmpTest, LinesGoOutForTheTablesOwnDocument) {
  RecordingLink link;
  CSelvantisDoc served, other;
  CAmp* table = CAmp::EnsureIn(other);
  ASSERT_NE(table, nullptr);
  link.SetServedDocument(&served);
  EXPECT_EQ(table->Download(false, 0), 1);
  EXPECT_TRUE(link.Lines().isEmpty());
  link.SetServedDocument(&other);
  table->Download(false, 0);
  EXPECT_EQ(link.Lines(), QStringList{"/AMP/TABLE/CLEAR ALL"});
}

TEST(CAmpTest, TransfersLeaveTheTableOut) {
  // The clear line is for a direct caller only: a transfer asks for the step
  // count first and gets 0.
  RecordingLink link;
  CSelvantisDoc doc;
  CAmp* table = CAmp::EnsureIn(doc);
  ASSERT_NE(table, nullptr);
  CTransfer transfer;
  EXPECT_EQ(transfer.DownloadProject(doc), CTransfer::Result::Done);
  EXPECT_EQ(transfer.DownloadObject(*table), CTransfer::Result::Done);
  EXPECT_FALSE(link.Lines().join(QLatin1Char('|')).contains(QStringLiteral("CLEAR")));
  EXPECT_EQ(link.GetLinkMode(), LINKMODE_NORMAL);
}

TEST(CAmpTest, RepliesAreNotStored) {
  CSelvantisDoc doc;
  CAmp* table = CAmp::EnsureIn(doc);
  ASSERT_NE(table, nullptr);
  table->SetRecord(0, FullRecord(0));
  QString errorFile;
  EXPECT_TRUE(doc.RouteReplyLine(QStringLiteral("/AMP/TABLE/CLEAR 0-63"), errorFile, 7));
  doc.RouteReplyLine(QStringLiteral("/AMP/TABLE/CLEAR ?"), errorFile, 7);
  EXPECT_EQ(table->GetRecord(0), FullRecord(0));
}

TEST(CAmpTest, ObjectWithoutPathSendsNothing) {
  RecordingLink link;
  CAmp loose;  // never registered: no path
  EXPECT_EQ(loose.Download(false, 0), 1);
  EXPECT_EQ(loose.Download(true, 0), 1);
  EXPECT_TRUE(link.Lines().isEmpty());
}

TEST(CAmpTest, LoadedProjectKeepsWhatItsFileHeld) {
  CSelvantisDoc doc;  // no default system
  auto back = RoundTrip(doc);
  EXPECT_EQ(Table(*back), nullptr);
  CSelvantisDoc fresh;
  fresh.OnNewDocument();
  auto again = RoundTrip(fresh);
  EXPECT_NE(Table(*again), nullptr);
}

}  // namespace
