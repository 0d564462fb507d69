// libFuzzer entry for the unit's reply lines: the input is what the unit
// sends, cut into lines by the link and routed to a project with objects of
// every family (upload and normal mode), or handed to the on-line windows'
// reply handling (tests/online/replyfuzzdriver.h; the first byte steers). A
// crash, a hang, a sanitizer report or a project left unsaveable is a fault.
// Seeds:
//   build/fuzz/tools/fuzz/reply_fuzz -write_seeds=DIR   (then run on DIR)
//   build/fuzz/tools/fuzz/reply_fuzz -max_len=4096 DIR tests/data/reply-corpus
// -write_projects=DIR saves the two projects the lines go to (small and
// large), seeds for project_fuzz. -write_dict=FILE writes the path parts and
// values of those lines as a libFuzzer dictionary (-dict=FILE): the string
// comparisons happen inside Qt, which gives the fuzzer no hints.
// One loaded project of each size serves every input and only what an input
// changed is put back; the save-and-load check runs on one input in 256
// (-check_every=N; see tests/online/replyfuzzdriver.h). A crashing input,
// minimised, goes into tests/data/reply-corpus, which test_online replays
// with every check.
#include "online/replyfuzzdriver.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {

QCoreApplication* g_app = nullptr;
ReplyFuzzDriver* g_driver = nullptr;

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Download lines of both projects, in pieces of about 2 KB, and the answers
// to the on-line windows' queries. Each piece starts with the byte that
// steers the driver: odd for the large project, 8 added for the windows.
int WriteSeeds(const QString& dir) {
  QDir().mkpath(dir);
  int n = 0;
  for (bool large : {false, true}) {
    const QByteArray lines = g_driver->SeedLines(large, false);
    int start = 0;
    while (start < lines.size()) {
      int end = lines.indexOf('\n', start + 2048);
      end = end < 0 ? lines.size() : end + 1;
      const QByteArray piece = QByteArray(1, large ? '\x01' : '\x02') + "\r\n" + lines.mid(start, end - start);
      if (!WriteFile(QStringLiteral("%1/seed-%2").arg(dir).arg(n++, 4, 10, QLatin1Char('0')), piece)) return 1;
      start = end;
    }
  }
  if (!WriteFile(QStringLiteral("%1/seed-%2").arg(dir).arg(n++, 4, 10, QLatin1Char('0')),
                 "\x09\r\n" + g_driver->WindowSeedLines()))
    return 1;
  std::printf("%d seeds in %s\n", n, qPrintable(dir));
  return 0;
}

int WriteDictionary(const QString& path) {
  std::set<QByteArray> words;  // sorted: the same file each time
  const QByteArray lines =
      g_driver->SeedLines(false, false) + g_driver->SeedLines(true, false) + g_driver->WindowSeedLines();
  for (const QByteArray& line : lines.split('\n')) {
    const QByteArray text = line.trimmed();
    const int blank = text.indexOf(' ');
    for (const QByteArray& part : text.left(blank < 0 ? text.size() : blank).split('/')) {
      if (!part.isEmpty()) words.insert('/' + part);
    }
    if (blank >= 0) {
      for (const QByteArray& value : text.mid(blank + 1).split(' ')) {
        if (!value.isEmpty() && value.size() <= 24) words.insert(value);
      }
    }
  }
  QByteArray dict;
  for (const QByteArray& word : words) {
    dict += "\"";
    for (char c : word) {
      if (c == '"' || c == '\\' || static_cast<uint8_t>(c) < 0x20 || static_cast<uint8_t>(c) > 0x7E)
        dict += QByteArray("\\x") + QByteArray::number(static_cast<uint8_t>(c), 16).rightJustified(2, '0');
      else
        dict += c;
    }
    dict += "\"\n";
  }
  return WriteFile(path, dict) ? 0 : 1;
}

int WriteProjects(const QString& dir) {
  QDir().mkpath(dir);
  for (bool large : {false, true}) {
    const QString path = QStringLiteral("%1/every-family-%2.sxm").arg(dir, large ? "large" : "small");
    if (!WriteFile(path, g_driver->ProjectBytes(large))) return 1;
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  g_app = new QCoreApplication(*argc, *argv);
  unsigned checkEvery = 256;
  for (int i = 1; i < *argc; ++i) {
    const char* arg = (*argv)[i];
    if (std::strncmp(arg, "-check_every=", 13) == 0) checkEvery = static_cast<unsigned>(std::atoi(arg + 13));
  }
  g_driver = new ReplyFuzzDriver(checkEvery);
  for (int i = 1; i < *argc; ++i) {
    const char* arg = (*argv)[i];
    if (std::strncmp(arg, "-write_seeds=", 13) == 0) std::exit(WriteSeeds(QString::fromLocal8Bit(arg + 13)));
    if (std::strncmp(arg, "-write_dict=", 12) == 0) std::exit(WriteDictionary(QString::fromLocal8Bit(arg + 12)));
    if (std::strncmp(arg, "-write_projects=", 16) == 0) std::exit(WriteProjects(QString::fromLocal8Bit(arg + 16)));
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString fault = g_driver->Run(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
  if (!fault.isEmpty()) {
    std::fprintf(stderr, "reply_fuzz: %s\n", qPrintable(fault));
    std::abort();
  }
  return 0;
}
