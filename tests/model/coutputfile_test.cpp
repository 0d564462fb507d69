// The program's outputs written whole or not at all: a disk that fills up
// half-way, a folder, a device or a FIFO as the output, a link, the
// permissions of a replaced file and names that are not UTF-8.
#include "model/coutputfile.h"

#include "model/cfilename.h"
#include "model/cselvantisdoc.h"
#include "model/listtabexport.h"
#include "modeltestdevices.h"
#include "support/filebytes.h"
#include "support/fulldisk.h"
#include "support/messagerecorder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace {

const QByteArray kOld = "the old contents\r\n";

QString Write(const QString& path, const QByteArray& bytes) {
  QString reason;
  return COutputFile::WriteFile(path, bytes, &reason) ? QString() : reason;
}

mode_t ModeOf(const QString& path) {
  struct stat st {};
  return ::lstat(CFileName::ToSystem(path).constData(), &st) == 0 ? st.st_mode : 0;
}

}  // namespace

// Every output of the model through the same file: the table export, the
// project's save and a plain write each fail on a full disk with the
// system's reason; the old file stays byte for byte and nothing is left
// beside it.
TEST(COutputFileTest, AFullDiskFailsEveryOutputWithTheSystemsReasonAndKeepsTheOldFile) {
  ListTableText table;
  table.titles = QStringList{QStringLiteral("Object"), QStringLiteral("Name")};
  table.columnCount = 2;
  for (int i = 0; i < 2000; ++i) table.rows.push_back({QStringLiteral("Zone"), QStringLiteral("Zone %1").arg(i)});
  CSelvantisDoc doc;
  for (int i = 0; i < 40; ++i) AddTestObject(doc, DT_ZONE, CAT_ZONES, QStringLiteral("Zone %1").arg(i));

  const struct {
    const char* name;
    std::function<QString(const QString& path)> write;
  } outputs[] = {
      {"a plain write", [](const QString& path) { return Write(path, QByteArray(64 * 1024, 'x')); }},
      {"the table export",
       [&](const QString& path) {
         QString error;
         return WriteListTabText(path, table, &error) ? QString() : error;
       }},
      {"the project's save",
       [&](const QString& path) {
         MessageRecorder messages;
         if (doc.OnSaveDocument(path)) return QString();
         return messages.Requests().empty() ? QStringLiteral("<no message>") : messages.Requests().back().text;
       }},
  };
  for (const qint64 room : {0, 100, 4096}) {
    for (const auto& output : outputs) {
      QTemporaryDir dir;
      const QString path = dir.filePath(QStringLiteral("out.sxm"));
      ASSERT_TRUE(Write(path, kOld).isEmpty());
      const QList<QByteArray> before = NamesIn(dir.path());
      QString said;
      {
        FullDisk disk(room);
        said = output.write(path);
        EXPECT_GT(disk.Refused(), 0) << output.name;
      }
      EXPECT_TRUE(said.contains(QStringLiteral("No space left on device")))
          << output.name << " with room for " << room << ": " << said.toStdString();
      EXPECT_FALSE(said.contains(QStringLiteral("Unknown error"))) << output.name;
      EXPECT_EQ(FileBytes(path), kOld) << output.name << " with room for " << room;
      EXPECT_EQ(NamesIn(dir.path()), before) << output.name << " with room for " << room;
    }
  }
}

TEST(COutputFileTest, ADeviceOrAFifoIsWrittenInPlaceAndNeverReplaced) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath(QStringLiteral("pipe"));
  QString reason;
  ASSERT_TRUE(MakeFifo(fifo, &reason)) << reason.toStdString();

  // Nobody reads: refused at once instead of waiting for ever.
  EXPECT_EQ(Write(fifo, "lines\r\n"), QStringLiteral("No program reads from this FIFO"));
  EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));

  // A reader gets the bytes; the FIFO stays.
  const int reader = ::open(CFileName::ToSystem(fifo).constData(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(Write(fifo, "lines\r\n"), QString());
  char buffer[64] = {};
  EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7);
  EXPECT_EQ(QByteArray(buffer), QByteArray("lines\r\n"));
  ::close(reader);
  EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
  EXPECT_EQ(NamesIn(dir.path()), QList<QByteArray>{"pipe"});

  // A folder is no output.
  EXPECT_EQ(Write(dir.path(), "x"), QStringLiteral("Is a directory"));
  EXPECT_TRUE(QFileInfo(dir.path()).isDir());

  // Device nodes of their own, so that the system's are never at stake.
  const QString null = dir.filePath(QStringLiteral("null"));
  const QString full = dir.filePath(QStringLiteral("full"));
  if (!MakeCharacterDevice(null, 1, 3, &reason) || !MakeCharacterDevice(full, 1, 7, &reason))
    GTEST_SKIP() << "no device nodes can be made here (" << reason.toStdString() << ")";
  EXPECT_EQ(Write(null, QByteArray(100000, 'x')), QString());
  EXPECT_EQ(Write(full, "x"), QStringLiteral("No space left on device"));
  EXPECT_TRUE(IsCharacterDevice(null, 1, 3));
  EXPECT_TRUE(IsCharacterDevice(full, 1, 7));
  EXPECT_EQ(NamesIn(dir.path()), (QList<QByteArray>{"full", "null", "pipe"}));
}

TEST(COutputFileTest, AReplacedFileKeepsItsPermissionsAndALinkStays) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("kept.txt"));
  ASSERT_TRUE(Write(file, kOld).isEmpty());
  ASSERT_EQ(::chmod(CFileName::ToSystem(file).constData(), 0640), 0);
  const QString link = dir.filePath(QStringLiteral("link.txt"));
  ASSERT_TRUE(QFile::link(file, link));

  EXPECT_EQ(Write(link, "new\r\n"), QString());
  EXPECT_TRUE(S_ISLNK(ModeOf(link)));
  EXPECT_EQ(FileBytes(file), QByteArray("new\r\n"));
  EXPECT_EQ(ModeOf(file) & 07777, 0640u);
  EXPECT_EQ(NamesIn(dir.path()), (QList<QByteArray>{"kept.txt", "link.txt"}));
}

// Names as the system has them: Latin-1 bytes, a stray byte, a character
// beyond U+FFFF whose second half looks like a stored byte.
TEST(COutputFileTest, NamesThatAreNotUtf8AreWrittenUnderTheirOwnBytes) {
  const QByteArray names[] = {"caf\xe9.sxm",  "out\xff.txt",          "plain.txt",       "\xc3\xa9t\xc3\xa9.sxm",
                              "half\xc3.sxm", "\xf0\x90\x82\x80.sxm", "\xed\xa0\x80.sxm"};
  QTemporaryDir dir;
  const QString folder = dir.filePath(CFileName::FromSystem(QByteArray("dir\xe9")));
  ASSERT_EQ(::mkdir(CFileName::ToSystem(folder).constData(), 0700), 0);
  for (const QByteArray& bytes : names) {
    const QString name = CFileName::FromSystem(bytes);
    EXPECT_EQ(CFileName::ToSystem(name), bytes) << bytes.toHex().toStdString();
    EXPECT_EQ(Write(folder + QLatin1Char('/') + name, bytes), QString()) << bytes.toHex().toStdString();
  }
  QList<QByteArray> expected(std::begin(names), std::end(names));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(NamesIn(folder), expected);
  EXPECT_EQ(CFileName::Display(CFileName::FromSystem(QByteArray("caf\xe9.sxm"))), QStringLiteral("caf\\xE9.sxm"));
  EXPECT_EQ(CFileName::FromSystem(QByteArray("\xc3\xa9t\xc3\xa9")), QStringLiteral("été"));
}
