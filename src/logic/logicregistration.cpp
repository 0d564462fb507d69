// Registers the control-logic and calendar classes with the document: the
// fixed objects every project has, the factories the editors create entries
// through, and the choices of the selection dialog these classes answer.
#include "logic/canalogcondition.h"
#include "logic/cappoint.h"
#include "logic/cbusycondition.h"
#include "logic/ccalobject.h"
#include "logic/cclock.h"
#include "logic/ccombinecondition.h"
#include "logic/ccondition.h"
#include "logic/cconditionobject.h"
#include "logic/cdayprog.h"
#include "logic/cfault.h"
#include "logic/cglobalreadyinput.h"
#include "logic/choliday.h"
#include "logic/clogicout.h"
#include "logic/clogicoutobject.h"
#include "logic/cmemoflag.h"
#include "logic/creadyinput.h"
#include "logic/ctrigger.h"
#include "logic/ctriggerobject.h"
#include "logic/cweek.h"
#include "logic/logicstrings.h"
#include "model/cselectionprovider.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

#include <QRect>

#include <memory>

namespace {

// After the unit's own fixed objects and the macro block.
constexpr int kProviderOrder = 600;

template <class T>
void EnsureFixed(CSelvantisDoc& doc, int type, int kind, uint32_t nameId, int category) {
  if (doc.GetIDManager().FindBaseDevice(1, type) != nullptr) return;
  auto object = std::make_unique<T>();
  if (object->CreateWithID(kind, LogicString(nameId), 1, category, &doc)) doc.AddObject(std::move(object));
}

const bool kFixedRegistered = [] {
  CSelvantisDoc::RegisterFixedObjectProvider(kProviderOrder, [](CSelvantisDoc& doc) {
    EnsureFixed<CConditionObject>(doc, DT_CONDITIONOBJECT, 0, IDS_CONDITION_BLOCK, CAT_LOGIC);
    EnsureFixed<CTriggerObject>(doc, DT_TRIGGEROBJECT, 0, IDS_TRIGGER_BLOCK, CAT_LOGIC);
    EnsureFixed<CLogicOutObject>(doc, DT_LOGICOUTOBJECT, 0, IDS_LOGICOUT_BLOCK, CAT_LOGIC);
    EnsureFixed<CGlobalReadyInput>(doc, DT_GLOBALREADYINPUT, 0, IDS_GLOBAL_READY_INPUT, CAT_LOGIC);
    EnsureFixed<CFault>(doc, DT_FAULT, 0, IDS_FAULT, CAT_LOGIC);
    EnsureFixed<CCalObject>(doc, DT_CALOBJECT, 0, IDS_CALENDAR_BLOCK, CAT_LOGIC);
    EnsureFixed<CWeek>(doc, DT_WEEK, IDS_WEEKLY_PROGRAM, IDS_WEEKLY_PROGRAM, CAT_CALENDAR);
    EnsureFixed<CClock>(doc, DT_CLOCK, 0, IDS_CLOCK, CAT_LOGIC);
  });
  return true;
}();

// Entries are made as the lists make them: one input, one output, no
// picture, name and identifier below the symbol.
template <class T>
CSelvantisDoc::ObjectFactory EntryFactory(int category, int defaultKind) {
  return [category, defaultKind](CSelvantisDoc& doc, int kind) -> std::unique_ptr<CBaseDevice> {
    auto object = std::make_unique<T>();
    if (!object->Create(kind != 0 ? kind : defaultKind, 1, 1, QString(), QRect(), category, 0,
                        CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW, &doc)) {
      return nullptr;
    }
    return object;
  };
}

const bool kFactoriesRegistered = [] {
  CSelvantisDoc::RegisterObjectFactory(DT_CONDITION, [](CSelvantisDoc& doc, int kind) -> std::unique_ptr<CBaseDevice> {
    if (!CCondition::IsConditionType(kind)) kind = CCondition::kKindCondition;
    auto condition = std::make_unique<CCondition>();
    if (!condition->Create(kind, 1, 1, QString(), QRect(), CAT_ENTRIES, 0, CBaseDevice::TF_NAME | CBaseDevice::TF_BELOW,
                           &doc)) {
      return nullptr;
    }
    if (kind == CCondition::kKindAmplifierError) condition->SetValue(4, CCondition::kAllAmplifiers);
    return condition;
  });
  CSelvantisDoc::RegisterObjectFactory(DT_ANALOGCONDITION,
                                       EntryFactory<CAnalogCondition>(CAT_ENTRIES, CAnalogCondition::kKindAnalog));
  CSelvantisDoc::RegisterObjectFactory(DT_BUSYCONDITION,
                                       EntryFactory<CBusyCondition>(CAT_ENTRIES, CBusyCondition::kKindBusy));
  CSelvantisDoc::RegisterObjectFactory(DT_COMBINECONDITION,
                                       EntryFactory<CCombineCondition>(CAT_ENTRIES, CCombineCondition::kKindCombine));
  CSelvantisDoc::RegisterObjectFactory(DT_TRIGGER, EntryFactory<CTrigger>(CAT_ENTRIES, CTrigger::kKindTrigger));
  CSelvantisDoc::RegisterObjectFactory(DT_LOGICOUT, EntryFactory<CLogicOut>(CAT_ENTRIES, CLogicOut::kKindLogicOut));
  CSelvantisDoc::RegisterObjectFactory(DT_MEMOFLAG, EntryFactory<CMemoFlag>(CAT_ENTRIES, CMemoFlag::kKindMemoFlag));
  CSelvantisDoc::RegisterObjectFactory(DT_READYINPUT,
                                       EntryFactory<CReadyInput>(CAT_ENTRIES, CReadyInput::kKindReadyInput));
  CSelvantisDoc::RegisterObjectFactory(DT_APPOINT, EntryFactory<CAppoint>(CAT_CALENDAR, CAppoint::kKindEvent));
  CSelvantisDoc::RegisterObjectFactory(DT_DAYPROG, EntryFactory<CDayprog>(CAT_CALENDAR, CDayprog::kKindDayprog));
  CSelvantisDoc::RegisterObjectFactory(DT_HOLIDAY, EntryFactory<CHoliday>(CAT_CALENDAR, CHoliday::kKindHoliday));
  return true;
}();

// ---- Selection dialog -------------------------------------------------------------

// One choice per object of the type: its name, the ID as result.
SelectionList ObjectChoices(const CSelvantisDoc* doc, int type, const SelectionRequest& request) {
  SelectionList list;
  if (doc == nullptr) return list;
  std::vector<CBaseDevice*> objects;
  doc->GetIDManager().GetBaseDeviceList(objects, type);
  for (const CBaseDevice* object : objects) {
    SelectionChoice choice;
    choice.columns = {object->GetName(), object->GetIDString()};
    choice.number = object->GetID();
    choice.type = type;
    choice.value = object->GetID();
    choice.preselected = !request.selection.isEmpty() && object->GetName() == request.selection;
    list.choices.push_back(choice);
  }
  return list;
}

// One choice per string id: its text, the id as result.
SelectionList IdChoices(const std::vector<int>& ids, const SelectionRequest& request) {
  SelectionList list;
  for (int id : ids) {
    SelectionChoice choice;
    choice.columns = {LogicString(static_cast<uint32_t>(id))};
    choice.number = id;
    choice.preselected =
        request.current == id || (!request.selection.isEmpty() && choice.columns[0] == request.selection);
    list.choices.push_back(choice);
  }
  return list;
}

SELV_REGISTER_SELECTION(IDS_CONDITION_TYPE, [](const CSelvantisDoc*, const SelectionRequest& request) {
  return IdChoices(CCondition::ConditionTypes(), request);
})

SELV_REGISTER_SELECTION(IDS_CONDITION, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return ObjectChoices(doc, DT_CONDITION, request);
})

SELV_REGISTER_SELECTION(IDS_MEMO_FLAG, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return ObjectChoices(doc, DT_MEMOFLAG, request);
})

SELV_REGISTER_SELECTION(IDS_RANGE_CHECK, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return ObjectChoices(doc, DT_ANALOGCONDITION, request);
})

SELV_REGISTER_SELECTION(IDS_BUSY_CONDITION, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return ObjectChoices(doc, DT_BUSYCONDITION, request);
})

SELV_REGISTER_SELECTION(IDS_COMBINATION, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return ObjectChoices(doc, DT_COMBINECONDITION, request);
})

SELV_REGISTER_SELECTION(IDS_SELECT_READY_INPUTS, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return ObjectChoices(doc, DT_READYINPUT, request);
})

SELV_REGISTER_SELECTION(IDS_DAILY_PROGRAM, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  return ObjectChoices(doc, DT_DAYPROG, request);
})

SELV_REGISTER_SELECTION(IDS_EVENT, [](const CSelvantisDoc*, const SelectionRequest& request) {
  std::vector<int> ids;
  CAppoint::ListChoices(2, ids);
  return IdChoices(ids, request);
})

SELV_REGISTER_SELECTION(IDS_HOLIDAY_PROGRAM, [](const CSelvantisDoc*, const SelectionRequest& request) {
  std::vector<int> ids;
  CHoliday::ListChoices(1, ids);
  return IdChoices(ids, request);
})

SELV_REGISTER_SELECTION(IDS_LOGIC, [](const CSelvantisDoc*, const SelectionRequest& request) {
  return IdChoices(CCombineCondition::Functions(), request);
})

// The audio sources of a busy condition, several at a time: the result is
// the OR of their bits.
SELV_REGISTER_SELECTION(IDS_BUSY_PROPERTIES, [](const CSelvantisDoc*, const SelectionRequest& request) {
  SelectionList list;
  for (int i = 0; i < CBusyCondition::kSourceCount; ++i) {
    SelectionChoice choice;
    choice.columns = {CBusyCondition::SourceText(i)};
    choice.bits = 1u << i;
    choice.number = static_cast<int>(choice.bits);
    choice.preselected = (static_cast<uint32_t>(request.current) & choice.bits) != 0 ||
                         request.selection.split(QLatin1Char(',')).contains(choice.columns[0]);
    list.choices.push_back(choice);
  }
  return list;
})

// The ready inputs' fault texts; the result is the 0-based index.
SELV_REGISTER_SELECTION(IDS_ERROR_TEXTS, [](const CSelvantisDoc* doc, const SelectionRequest& request) {
  SelectionList list;
  const auto* global =
      doc != nullptr
          ? dynamic_cast<const CGlobalReadyInput*>(doc->GetIDManager().FindBaseDevice(1, DT_GLOBALREADYINPUT))
          : nullptr;
  if (global == nullptr) return list;
  for (int i = 0; i < global->GetTextCount(0); ++i) {
    SelectionChoice choice;
    choice.columns = {global->GetText(i), Fmt("%d", i + 1)};
    choice.number = i;
    choice.preselected =
        request.current == i + 1 || (!request.selection.isEmpty() && choice.columns[0] == request.selection);
    list.choices.push_back(choice);
  }
  return list;
})

}  // namespace
