// libFuzzer entry for the project loader: any input must either load into a
// consistent document that saves and loads again, or be refused with a
// message. A crash, a hang or a sanitizer report is a fault. Seed it with
// saved projects (File > Save of the program, demo-project, or
// reply_fuzz -write_projects=DIR):
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
  if (!result.ok) return 0;
  for (CBaseDevice* object : doc.GetAllObjects())
    if (object->GetDocument() != &doc) std::abort();
  // What loads must save and load again: a file the program accepts may not
  // turn into a project it cannot write or read back.
  QByteArray saved;
  QBuffer out(&saved);
  out.open(QIODevice::WriteOnly);
  if (!doc.SaveTo(out).ok) std::abort();
  out.close();
  QBuffer in(&saved);
  in.open(QIODevice::ReadOnly);
  CSelvantisDoc again;
  if (!again.LoadFrom(in).ok) std::abort();
  if (again.GetTotalObjectCount() != doc.GetTotalObjectCount()) std::abort();
  return 0;
}
