// libFuzzer entry for values read from the profile: numbers, serial
// settings, dialog rectangles, column widths and volume limits, as single
// values and as a whole damaged profile (tests/model/profilefuzzchecks.h).
// Replayed by test_model from tests/data/profile-corpus:
//   build/fuzz/tools/fuzz/profile_fuzz -max_len=1024 tests/data/profile-corpus
#include "model/profilefuzzchecks.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
QCoreApplication* g_app = nullptr;
ProfileValueChecker* g_checker = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  g_app = new QCoreApplication(*argc, *argv);
  g_checker = new ProfileValueChecker();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString fault = g_checker->Check(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
  if (!fault.isEmpty()) {
    std::fprintf(stderr, "profile_fuzz: %s\n", qPrintable(fault));
    std::abort();
  }
  return 0;
}
