// libFuzzer entry for the archive reader: any input must either read or end
// in CArchiveException. Another exception, a crash or a sanitizer report is
// a fault. Seed it with tests/data/archive-corpus (hand-made damaged files)
// and the grown corpus tests/data/archive-fuzz-corpus, which test_model
// replays:
//   build/fuzz/tools/fuzz/archive_fuzz -max_len=4096 work-dir tests/data/archive-fuzz-corpus tests/data/archive-corpus
#include "model/carchiveexception.h"
#include "support/archivesamples.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    ReadSampleArchive(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
  } catch (const CArchiveException&) {
    // the expected answer to a damaged file
  }
  return 0;
}
