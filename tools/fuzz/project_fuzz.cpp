// libFuzzer entry for the project loader: any input must either load into a
// consistent document or be refused with a message. A crash, a hang or a
// sanitizer report is a fault. Seed it with saved projects (File > Save of
// the program, or the files the tests write):
//   build/fuzz/tools/fuzz/project_fuzz -max_len=65536 corpus-dir
#include "model/cselvantisdoc.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
QCoreApplication* g_app = nullptr;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  g_app = new QCoreApplication(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  CSelvantisDoc doc;
  const ProjectFileResult result = doc.LoadFrom(buffer);
  if (!result.ok && result.message.isEmpty()) std::abort();  // a refusal must say why
  if (result.ok) {
    for (CBaseDevice* object : doc.GetAllObjects())
      if (object->GetDocument() != &doc) std::abort();
  }
  return 0;
}
