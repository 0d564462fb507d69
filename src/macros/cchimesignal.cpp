#include "macros/cchimesignal.h"

#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CChimeSignal, 1)

namespace {

const bool kFactoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(
      DT_CHIMESIGNAL, [](CSelvantisDoc& doc, int kind) -> std::unique_ptr<CBaseDevice> {
        if (CAudioSignal::TypeOfKind(kind) != DT_CHIMESIGNAL) kind = CAudioSignal::kKindChime;
        auto signal = std::make_unique<CChimeSignal>();
        if (!signal->Create(kind, 3, 1, QString(), QRect(), CAT_MISC, 0,
                            CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
          return nullptr;
        return signal;
      });
  return true;
}();

}  // namespace

SELV_REGISTER_SELECTION(CAudioSignal::kKindChime, [](const CSelvantisDoc* doc, const SelectionRequest&) {
  SelectionList list;
  if (!doc) return list;
  std::vector<CBaseDevice*> found;
  doc->GetIDManager().GetBaseDeviceList(found, DT_CHIMESIGNAL);
  for (CBaseDevice* s : found) {
    SelectionChoice choice;
    choice.columns << s->GetName() << s->GetIDString();
    choice.number = s->GetID();
    choice.type = DT_CHIMESIGNAL;
    choice.value = s->GetID();
    list.choices.push_back(choice);
  }
  return list;
})

CChimeSignal::CChimeSignal() : CAudioSignal(DT_CHIMESIGNAL, kDefaultPriority) { m_nKind = kKindChime; }
