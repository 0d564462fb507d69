// libFuzzer entry for range lists ("1,3-5,9"), which come from the unit, the
// project file and the user: any text is read or refused, and a list that is
// read formats back to the same set (tests/model/parserfuzzchecks.h).
// Replayed by test_model from tests/data/rangelist-corpus:
//   build/fuzz/tools/fuzz/rangelist_fuzz -max_len=512 tests/data/rangelist-corpus
#include "model/parserfuzzchecks.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString fault = CheckRangeList(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
  if (!fault.isEmpty()) {
    std::fprintf(stderr, "rangelist_fuzz: %s\n", qPrintable(fault));
    std::abort();
  }
  return 0;
}
