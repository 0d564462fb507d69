#include "model/modelstrings.h"

#include "model/cstringtable.h"

namespace {

// Paths the string table may not carry.
const char* BuiltInText(uint32_t id) {
  switch (id) {
    case IDS_AUDIO_PATH: return "AUDIO";
    case IDS_COLLCALL_PATH: return "/VMX/COLLCALL";
    case IDS_SERVICE_PATH: return "/SERVICE";
    case IDS_MONI_PATH: return "/MONI";
    case IDS_SPAREAMP_PATH: return "/SPAREAMP";
    default: return nullptr;
  }
}

}  // namespace

QString ModelString(uint32_t id) {
  QString text = CStringTable::Load(id);
  if (!text.isEmpty()) return text;
  // A text the current language lacks is shown in English rather than not at all.
  text = CStringTable::Load(id, CStringTable::Language::English);
  if (!text.isEmpty()) return text;
  const char* builtIn = BuiltInText(id);
  return builtIn != nullptr ? QString::fromLatin1(builtIn) : QString();
}
