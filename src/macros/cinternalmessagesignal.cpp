#include "macros/cinternalmessagesignal.h"

#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CInternalMessageSignal, 1)

namespace {

const bool kFactoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(
      DT_INTMESSAGESIGNAL, [](CSelvantisDoc& doc, int kind) -> std::unique_ptr<CBaseDevice> {
        if (CAudioSignal::TypeOfKind(kind) != DT_INTMESSAGESIGNAL) kind = CAudioSignal::kKindText;
        auto signal = std::make_unique<CInternalMessageSignal>();
        if (!signal->Create(kind, 3, 1, QString(), QRect(), CAT_MISC, 0,
                            CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
          return nullptr;
        return signal;
      });
  return true;
}();

}  // namespace

SELV_REGISTER_SELECTION(CAudioSignal::kKindText, [](const CSelvantisDoc* doc, const SelectionRequest&) {
  SelectionList list;
  if (!doc) return list;
  std::vector<CBaseDevice*> found;
  doc->GetIDManager().GetBaseDeviceList(found, DT_INTMESSAGESIGNAL);
  for (CBaseDevice* s : found) {
    SelectionChoice choice;
    choice.columns << s->GetName() << s->GetIDString();
    choice.number = s->GetID();
    choice.type = DT_INTMESSAGESIGNAL;
    choice.value = s->GetID();
    list.choices.push_back(choice);
  }
  return list;
})

CInternalMessageSignal::CInternalMessageSignal() : CAudioSignal(DT_INTMESSAGESIGNAL, kDefaultPriority) {
  m_nKind = kKindText;
}
