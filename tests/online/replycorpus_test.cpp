// Damaged and hostile reply lines from the unit (tests/data/reply-corpus,
// written by tools/fuzz/make-reply-corpus.py; inputs reply_fuzz finds go
// there too), replayed through the fuzzer's driver: the link's line cutting
// and the document's reply routing on a project with objects of every
// family, and the on-line windows' reply handling. None may crash, and the
// project must save and load afterwards.
#include "replyfuzzdriver.h"

#include "model/cselvantisdoc.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <vector>

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

namespace {

// The lines as they are, cut short, without values and with garbage values.
std::vector<QByteArray> Damaged(const QByteArray& lines) {
  QByteArray cut, bare, garbage;
  for (const QByteArray& line : lines.split('\n')) {
    const QByteArray text = line.trimmed();
    const int blank = text.indexOf(' ');
    cut += text.left(text.size() * 2 / 3) + "\r\n";
    bare += (blank < 0 ? text : text.left(blank + 1)) + "\r\n";
    garbage += (blank < 0 ? text : text.left(blank + 1)) + "-99999999999 ,,;\xff/ALL 1-\r\n";
  }
  return {lines, cut, bare, garbage};
}

}  // namespace

TEST(ReplyCorpusTest, TheProjectsOwnLinesAndTheirDamageAreSurvived) {
  ReplyFuzzDriver driver;
  for (bool large : {false, true}) {
    CSelvantisDoc doc;
    FillWithEveryFamily(doc, large);
    EXPECT_GT(doc.GetTotalObjectCount(), 100);
    // The unit answering an upload with the project's own values, and the
    // same lines damaged.
    const QByteArray lines = driver.SeedLines(large, false);
    ASSERT_GT(lines.count('\n'), 500);
    const char size = large ? '\x01' : '\x02';
    for (const QByteArray& input : Damaged(lines)) EXPECT_EQ(driver.Run(size + input).toStdString(), "");
  }
  // The answers to the on-line windows' queries, to the windows.
  const QByteArray answers = driver.WindowSeedLines();
  ASSERT_GT(answers.count('\n'), 50);
  for (const QByteArray& input : Damaged(answers)) EXPECT_EQ(driver.Run('\x09' + input).toStdString(), "");
}

namespace {

QByteArray FreshlyLoadedAndSaved(const QByteArray& bytes) {
  CSelvantisDoc doc;
  QByteArray input = bytes;
  QBuffer in(&input);
  in.open(QIODevice::ReadOnly);
  if (!doc.LoadFrom(in).ok) return {};
  QByteArray saved;
  QBuffer out(&saved);
  out.open(QIODevice::WriteOnly);
  if (!doc.SaveTo(out).ok) return {};
  return saved;
}

}  // namespace

// The driver serves one loaded project to many inputs and puts back only what
// an input changed: after every input of the corpus the project saves to the
// same bytes as a fresh load of it, and most inputs were undone in place.
TEST(ReplyCorpusTest, WhatAnInputChangedIsPutBackExactly) {
  ReplyFuzzDriver driver(0xFFFFFFFFu);  // no sampled check: this test compares every input itself
  const QByteArray fresh[2] = {FreshlyLoadedAndSaved(driver.ProjectBytes(false)),
                               FreshlyLoadedAndSaved(driver.ProjectBytes(true))};
  ASSERT_FALSE(fresh[0].isEmpty());
  ASSERT_FALSE(fresh[1].isEmpty());
  const QFileInfoList files =
      QDir(QStringLiteral(SELV_TEST_DATA_DIR "/reply-corpus")).entryInfoList(QDir::Files, QDir::Name);
  ASSERT_FALSE(files.isEmpty());
  int putBack = 0;
  for (const QFileInfo& info : files) {
    QFile file(info.filePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const int loadsBefore = driver.Loads();
    ASSERT_EQ(driver.Run(bytes).toStdString(), "") << info.fileName().toStdString();
    const bool large = !bytes.isEmpty() && (static_cast<uint8_t>(bytes[0]) & 1) != 0;
    const QByteArray served = driver.ServedProjectBytes(large);
    // Empty: the project is loaded anew for the next input.
    if (served.isEmpty()) continue;
    EXPECT_TRUE(served == fresh[large ? 1 : 0]) << info.fileName().toStdString();
    if (driver.Loads() == loadsBefore) ++putBack;
  }
  EXPECT_GT(driver.RestoredObjects(), 0);
  EXPECT_GT(driver.RestoredConnectionLists(), 0);
  EXPECT_GT(putBack, files.size() * 3 / 4);
}
