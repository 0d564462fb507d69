// libFuzzer entry for the project loader: any input must either load into a
// consistent document that saves and loads again, or be refused with a
// message (tests/model/parserfuzzchecks.h). A crash, a hang or a sanitizer
// report is a fault. Seed it with saved projects (File > Save of the
// program, demo-project, or reply_fuzz -write_projects=DIR); the minimised
// corpus is tests/data/project-corpus, which test_model replays:
//   build/fuzz/tools/fuzz/project_fuzz -max_len=65536 tests/data/project-corpus
// A saved file ends in a checksum, which would refuse nearly every mutation
// before a record is read; the check makes it match the mutated contents
// (the refusal of a wrong checksum is tested in tests/model).
#include "model/parserfuzzchecks.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
QCoreApplication* g_app = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  g_app = new QCoreApplication(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString fault = CheckProjectFile(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
  if (!fault.isEmpty()) {
    std::fprintf(stderr, "project_fuzz: %s\n", qPrintable(fault));
    std::abort();
  }
  return 0;
}
