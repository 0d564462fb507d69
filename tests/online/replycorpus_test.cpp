// Damaged and hostile reply lines from the unit (tests/data/reply-corpus,
// written by tools/fuzz/make-reply-corpus.py; inputs reply_fuzz finds go
// there too), replayed through the fuzzer's driver: the link's line cutting
// and the document's reply routing on a project with objects of every
// family, and the on-line windows' reply handling. None may crash, and the
// project must save and load afterwards.
#include "replyfuzzdriver.h"

#include "model/cselvantisdoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(ReplyCorpusTest, EveryDamagedReplyIsSurvivedAndTheProjectStillSaves) {
  ReplyFuzzDriver driver;
  const QDir corpus(QStringLiteral(SELV_TEST_DATA_DIR "/reply-corpus"));
  const QFileInfoList files = corpus.entryInfoList(QDir::Files);
  ASSERT_FALSE(files.isEmpty());
  for (const QFileInfo& info : files) {
    QFile file(info.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(driver.Run(file.readAll()).toStdString(), "") << info.fileName().toStdString();
  }
}

TEST(ReplyCorpusTest, TheProjectsOwnLinesAndTheirDamageAreSurvived) {
  ReplyFuzzDriver driver;
  for (bool large : {false, true}) {
    CSelvantisDoc doc;
    FillWithEveryFamily(doc, large);
    EXPECT_GT(doc.GetTotalObjectCount(), 100);
    // The unit answering an upload with the project's own values, then the
    // same lines cut short, without values and with garbage values.
    const QByteArray lines = driver.SeedLines(large, false);
    ASSERT_GT(lines.count('\n'), 500);
    QByteArray cut, bare, garbage;
    for (const QByteArray& line : lines.split('\n')) {
      const QByteArray text = line.trimmed();
      const int blank = text.indexOf(' ');
      cut += text.left(text.size() * 2 / 3) + "\r\n";
      bare += (blank < 0 ? text : text.left(blank + 1)) + "\r\n";
      garbage += (blank < 0 ? text : text.left(blank + 1)) + "-99999999999 ,,;\xff/ALL 1-\r\n";
    }
    const char size = large ? '\x01' : '\x02';
    for (const QByteArray& input : {lines, cut, bare, garbage}) EXPECT_EQ(driver.Run(size + input).toStdString(), "");
  }
}
