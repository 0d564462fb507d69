#include "macros/calarmgenerator.h"

#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CAlarmGenerator, 1)

namespace {

const bool kFactoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_ALARM, [](CSelvantisDoc& doc, int) -> std::unique_ptr<CBaseDevice> {
    auto source = std::make_unique<CAlarmGenerator>();
    if (!source->Create(CAlarmGenerator::kKind, 0, 1, QString(), QRect(), CAT_SOURCES, 0,
                        CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
      return nullptr;
    source->SetUniqueName(Fmt("Alarm generator %d", source->GetID()), false);
    return source;
  });
  return true;
}();

}  // namespace

CAlarmGenerator::CAlarmGenerator() {
  m_nType = DT_ALARM;
  m_nKind = kKind;
}

void CAlarmGenerator::Serialize(CArchive& ar) { CBaseDevice::Serialize(ar); }

CAlarmGenerator* CAlarmGenerator::CreateIn(CSelvantisDoc& doc) {
  return dynamic_cast<CAlarmGenerator*>(doc.CreateObject(DT_ALARM, kKind));
}
