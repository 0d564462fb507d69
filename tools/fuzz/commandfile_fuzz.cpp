// libFuzzer entry for command files (the text files of unit commands that
// File > Send command file sends line by line): any bytes read as lines
// without line ends, which written back read as the same lines
// (tests/model/parserfuzzchecks.h). Replayed by test_model from
// tests/data/commandfile-corpus:
//   build/fuzz/tools/fuzz/commandfile_fuzz -max_len=4096 tests/data/commandfile-corpus
#include "model/parserfuzzchecks.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString fault = CheckCommandFile(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
  if (!fault.isEmpty()) {
    std::fprintf(stderr, "commandfile_fuzz: %s\n", qPrintable(fault));
    std::abort();
  }
  return 0;
}
