#include "macros/cgong.h"

#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CGong, 1)

namespace {

const bool kFactoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_GONG, [](CSelvantisDoc& doc, int) -> std::unique_ptr<CBaseDevice> {
    auto source = std::make_unique<CGong>();
    if (!source->Create(CGong::kKind, 0, 1, QString(), QRect(), CAT_SOURCES, 0,
                        CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
      return nullptr;
    source->SetUniqueName(Fmt("Gong %d", source->GetID()), false);
    return source;
  });
  return true;
}();

}  // namespace

CGong::CGong() {
  m_nType = DT_GONG;
  m_nKind = kKind;
}

void CGong::Serialize(CArchive& ar) { CBaseDevice::Serialize(ar); }

CGong* CGong::CreateIn(CSelvantisDoc& doc) { return dynamic_cast<CGong*>(doc.CreateObject(DT_GONG, kKind)); }
