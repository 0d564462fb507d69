// The checksum at the end of a project file: every save writes it, every
// load checks it, a file whose bytes changed afterwards is refused as
// damaged (naming the backup when there is one), and files written before
// the checksum existed still open.
#include "model/cprojectfile.h"
#include "model/cselvantisdoc.h"
#include "modeltestdevices.h"
#include "support/messagerecorder.h"
#include "support/projectbytes.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace {

QByteArray ChecksumReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void FillProject(CSelvantisDoc& doc) {
  doc.SetProjectData(0, QStringLiteral("Terminal 2"));
  CBaseDevice* group = AddTestObjectWithID(doc, DT_GROUP, CAT_GROUPS, 0, "ALL");
  CBaseDevice* amp = AddTestObject(doc, DT_AMPLIFIER, CAT_AMPLIFIERS, "Amp");
  for (int i = 0; i < 6; ++i) {
    CBaseDevice* zone = AddTestObject(doc, DT_ZONE, CAT_ZONES, QStringLiteral("Zone %1").arg(i));
    CBaseDevice::Connect(amp, 0, zone, 0);
    CBaseDevice::Connect(zone, 0, group, 0);
  }
}

}  // namespace

TEST(ProjectChecksumTest, ASaveEndsWithTheChecksumOfEverythingBeforeIt) {
  CSelvantisDoc doc;
  FillProject(doc);
  const QByteArray bytes = SaveProject(doc);
  ASSERT_TRUE(CProjectFile::HasChecksumTrailer(bytes));
  const QByteArray content = bytes.left(bytes.size() - CProjectFile::kTrailerBytes);
  // The end marker, then "HSUM" and the SHA-256 of the content.
  EXPECT_EQ(content.right(4), QByteArray("!DNE"));
  EXPECT_EQ(bytes.mid(content.size(), 4), QByteArray("HSUM"));
  EXPECT_EQ(bytes.right(32), QCryptographicHash::hash(content, QCryptographicHash::Sha256));
  EXPECT_EQ(CProjectFile::WithMatchingChecksum(bytes), bytes);
}

TEST(ProjectChecksumTest, FiftyFilesWithRandomBytesChangedAreAllRefusedAsDamaged) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Plant.sxm"));
  const QString backup = dir.filePath(QStringLiteral("Plant.bak"));
  CSelvantisDoc saved;
  FillProject(saved);
  ASSERT_TRUE(saved.OnSaveDocument(path));
  ASSERT_TRUE(saved.OnSaveDocument(path));  // and a backup beside it
  ASSERT_TRUE(QFileInfo(backup).isFile());
  const QByteArray good = ChecksumReadAll(path);

  CSelvantisDoc doc;
  CBaseDevice* keep = AddTestObject(doc, DT_ZONE, CAT_ZONES, "Keep me");
  std::mt19937 random(20);
  std::uniform_int_distribution<int> position(0, good.size() - 1);
  std::uniform_int_distribution<int> flip(1, 255);
  std::set<int> trailerHits;
  for (int round = 0; round < 50; ++round) {
    SCOPED_TRACE(round);
    QByteArray bytes = good;
    const int changes = 1 + round % 16;
    for (int i = 0; i < changes; ++i) {
      const int at = position(random);
      bytes[at] = char(bytes[at] ^ flip(random));
      if (at >= good.size() - CProjectFile::kTrailerBytes) trailerHits.insert(round);
    }
    ASSERT_TRUE(WriteAll(path, bytes));
    MessageRecorder messages;
    EXPECT_FALSE(doc.OnOpenDocument(path));
    ASSERT_EQ(messages.Requests().size(), 1u);
    const QString text = messages.Requests()[0].text;
    EXPECT_TRUE(text.contains(QStringLiteral("damaged"))) << text.toStdString();
    EXPECT_TRUE(text.contains(backup)) << text.toStdString();
    EXPECT_EQ(doc.GetAllObjects(), std::vector<CBaseDevice*>{keep});
  }

  // The backup it names opens.
  CSelvantisDoc fromBackup;
  EXPECT_TRUE(fromBackup.OnOpenDocument(backup));
  EXPECT_EQ(fromBackup.GetObjectCount(CAT_ZONES), 6);
}

TEST(ProjectChecksumTest, ADamagedTrailerOrDataAfterTheEndAreRefused) {
  CSelvantisDoc doc;
  FillProject(doc);
  const QByteArray good = SaveProject(doc);
  const int trailerAt = good.size() - CProjectFile::kTrailerBytes;
  QByteArray marker = good;
  marker[trailerAt] = 'X';
  QByteArray sum = good;
  sum[good.size() - 1] = char(sum[good.size() - 1] ^ 1);
  const QByteArray extra = good.left(trailerAt) + "junk";
  const QByteArray twice = good + good.right(CProjectFile::kTrailerBytes);
  for (const QByteArray& bytes : {marker, sum, extra, twice}) {
    CSelvantisDoc target;
    const ProjectFileResult result = TryLoadProject(target, bytes);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.damaged);
    EXPECT_TRUE(result.message.contains(QStringLiteral("damaged"))) << result.message.toStdString();
  }
  // Damage of another kind is not reported as a changed file.
  CSelvantisDoc target;
  const ProjectFileResult wrongSignature = TryLoadProject(target, "NOTAPROJ" + good.mid(8));
  EXPECT_FALSE(wrongSignature.ok);
}

TEST(ProjectChecksumTest, AFileWithoutChecksumFromAnOlderVersionOpensAndGetsOneOnSave) {
  const QString old = QStringLiteral(SELV_TEST_DATA_DIR "/old-projects/demo-before-checksum.sxm");
  const QByteArray oldBytes = ChecksumReadAll(old);
  ASSERT_FALSE(oldBytes.isEmpty());
  ASSERT_FALSE(CProjectFile::HasChecksumTrailer(oldBytes));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("Demo.sxm"));
  ASSERT_TRUE(WriteAll(path, oldBytes));
  CSelvantisDoc doc;
  MessageRecorder messages;
  ASSERT_TRUE(doc.OnOpenDocument(path));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_GT(doc.GetObjectCount(CAT_ZONES), 0);

  ASSERT_TRUE(doc.OnSaveDocument(path));
  const QByteArray resaved = ChecksumReadAll(path);
  EXPECT_TRUE(CProjectFile::HasChecksumTrailer(resaved));
  // The content is what the older version wrote, but for the zones: they no
  // longer carry the unit's last measurements (five empty texts there) and
  // are written with the schema of their four settings. Else only the
  // trailer is new.
  QByteArray expected = oldBytes;
  ASSERT_TRUE(PatchSchema(expected, "CZone", 3));
  std::vector<CBaseDevice*> zones;
  doc.GetIDManager().GetBaseDeviceList(zones, DT_ZONE);
  ASSERT_FALSE(zones.empty());
  for (CBaseDevice* zone : zones) {
    const QByteArray settings = OwnRecord(*zone);
    expected.replace(settings + QByteArray(5, '\0'), settings);
  }
  EXPECT_EQ(resaved.left(resaved.size() - CProjectFile::kTrailerBytes), expected);
  EXPECT_EQ(ChecksumReadAll(dir.filePath(QStringLiteral("Demo.bak"))), oldBytes);
  CSelvantisDoc again;
  EXPECT_TRUE(again.OnOpenDocument(path));
  EXPECT_EQ(again.GetTotalObjectCount(), doc.GetTotalObjectCount());

  // A file of this version without its trailer reads as such a file.
  CSelvantisDoc project;
  FillProject(project);
  const QByteArray bytes = SaveProject(project);
  CSelvantisDoc stripped;
  EXPECT_TRUE(TryLoadProject(stripped, bytes.left(bytes.size() - CProjectFile::kTrailerBytes)).ok);
  EXPECT_EQ(stripped.GetObjectCount(CAT_ZONES), 6);
}
