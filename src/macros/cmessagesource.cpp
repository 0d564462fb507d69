#include "macros/cmessagesource.h"

#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CMessageSource, 1)

namespace {

const bool kFactoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_MESSAGE, [](CSelvantisDoc& doc, int) -> std::unique_ptr<CBaseDevice> {
    auto source = std::make_unique<CMessageSource>();
    if (!source->Create(CMessageSource::kKind, 0, 1, QString(), QRect(), CAT_SOURCES, 0,
                        CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
      return nullptr;
    source->SetUniqueName(Fmt("Message %d", source->GetID()), false);
    return source;
  });
  return true;
}();

}  // namespace

CMessageSource::CMessageSource() {
  m_nType = DT_MESSAGE;
  m_nKind = kKind;
}

void CMessageSource::Serialize(CArchive& ar) { CBaseDevice::Serialize(ar); }

CMessageSource* CMessageSource::CreateIn(CSelvantisDoc& doc) {
  return dynamic_cast<CMessageSource*>(doc.CreateObject(DT_MESSAGE, kKind));
}
