#include "macros/calarmsignal.h"

#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"

#include <memory>

SELV_IMPLEMENT_SERIAL(CAlarmSignal, 1)

namespace {

const bool kFactoryRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(
      DT_ALARMSIGNAL, [](CSelvantisDoc& doc, int kind) -> std::unique_ptr<CBaseDevice> {
        if (CAudioSignal::TypeOfKind(kind) != DT_ALARMSIGNAL) kind = CAudioSignal::kKindAlarm;
        auto signal = std::make_unique<CAlarmSignal>();
        if (!signal->Create(kind, 3, 1, QString(), QRect(), CAT_MISC, 0,
                            CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc))
          return nullptr;
        return signal;
      });
  return true;
}();

}  // namespace

SELV_REGISTER_SELECTION(CAudioSignal::kKindAlarm, [](const CSelvantisDoc* doc, const SelectionRequest&) {
  SelectionList list;
  if (!doc) return list;
  std::vector<CBaseDevice*> found;
  doc->GetIDManager().GetBaseDeviceList(found, DT_ALARMSIGNAL);
  for (CBaseDevice* s : found) {
    SelectionChoice choice;
    choice.columns << s->GetName() << s->GetIDString();
    choice.number = s->GetID();
    choice.type = DT_ALARMSIGNAL;
    choice.value = s->GetID();
    list.choices.push_back(choice);
  }
  return list;
})

CAlarmSignal::CAlarmSignal() : CAudioSignal(DT_ALARMSIGNAL, kDefaultPriority) { m_nKind = kKindAlarm; }
