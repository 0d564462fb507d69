// libFuzzer entry for the file of the notes of units that may have been
// left open ("Selvantis.conf.unclosed"), which anyone may edit: any bytes
// read as notes that write back as the same notes
// (tests/link/notesfuzzchecks.h). Replayed by test_link from
// tests/data/notes-corpus:
//   build/fuzz/tools/fuzz/notes_fuzz -max_len=4096 tests/data/notes-corpus
#include "link/notesfuzzchecks.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString fault = CheckNotesFile(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
  if (!fault.isEmpty()) {
    std::fprintf(stderr, "notes_fuzz: %s\n", qPrintable(fault));
    std::abort();
  }
  return 0;
}
