#include "online/ceventlogselections.h"

#include "macros/ceventlog.h"
#include "macros/rangelist.h"
#include "model/cbasedevice.h"
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"

#include <vector>

namespace {

constexpr uint32_t kStrNoEntry = 34421;
constexpr uint32_t kStrAll = 34487;

struct BitChoice {
  uint32_t bit;
  const char* word;
};

const BitChoice kAudioChoices[] = {{CEventLog::AB_ALARM, "ALARM"},     {CEventLog::AB_CHIME, "CHIME"},
                                   {CEventLog::AB_MESSAGE, "MESSAGE"}, {CEventLog::AB_PAGE1, "PAGE1"},
                                   {CEventLog::AB_PAGE2, "PAGE2"},     {CEventLog::AB_PAGE3, "PAGE3"},
                                   {CEventLog::AB_PAGE4, "PAGE4"},     {CEventLog::AB_BPROG, "BPROG"}};

const BitChoice kFaultChoices[] = {{0x001, "UNKNOWN"},  {0x002, "RDYINP"},     {0x004, "KCM"},
                                   {0x008, "AMP"},      {0x010, "VMXINT"},     {0x020, "CONS"},
                                   {0x040, "SPAREAMP"}, {0x080, "MANUAL"},     {0x100, "ANYGNDFLT"},
                                   {0x200, "ZONEMEAS"}, {0x400, "ZONEGNDFLT"}, {CEventLog::kFaultLan, "LAN"}};

template <size_t N>
SelectionList BitList(const BitChoice (&table)[N], const SelectionRequest& request) {
  SelectionList list;
  const QStringList current = request.selection.split(QLatin1Char(','));
  const bool all = request.selection.trimmed() == LoadString(kStrAll) ||
                   request.selection.trimmed().compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0;
  for (const BitChoice& entry : table) {
    SelectionChoice choice;
    choice.columns = {QString::fromLatin1(entry.word)};
    choice.bits = entry.bit;
    choice.number = static_cast<int>(entry.bit);
    choice.preselected =
        all || (static_cast<uint32_t>(request.current) & entry.bit) != 0 || current.contains(choice.columns[0]);
    list.choices.push_back(choice);
  }
  list.noneText = QStringLiteral("NONE");
  return list;
}

// Every object of a type, chosen by identifier; the result is their range
// list ("No entry" when none is chosen, "All" when all are).
SelectionList ObjectList(const CSelvantisDoc* doc, int type, const SelectionRequest& request) {
  SelectionList list;
  const unsigned count = static_cast<unsigned>(CIDManager::GetPoolMaxID(type));
  BitSet preset = MakeBitSet(count);
  const QString text = request.selection.trimmed();
  const bool all = text == LoadString(kStrAll) || text.compare(QLatin1String("ALL"), Qt::CaseInsensitive) == 0;
  if (!all) ParseRangeList(text, preset, count);
  if (doc) {
    std::vector<CBaseDevice*> objects;
    doc->GetIDManager().GetBaseDeviceList(objects, type);
    for (CBaseDevice* object : objects) {
      SelectionChoice choice;
      choice.columns << object->GetName() << object->GetIDString();
      choice.number = object->GetID();
      choice.type = type;
      choice.value = object->GetID();
      choice.preselected = all || TestBit(preset, static_cast<unsigned>(object->GetID() - 1));
      list.choices.push_back(choice);
    }
  }
  const size_t total = list.choices.size();
  list.formatSelection = [count, total](const std::vector<const SelectionChoice*>& chosen) {
    if (chosen.empty()) return LoadString(kStrNoEntry);
    if (chosen.size() == total) return LoadString(kStrAll);
    BitSet bits = MakeBitSet(count);
    for (const SelectionChoice* choice : chosen) SetBit(bits, static_cast<unsigned>(choice->value - 1), true);
    return FormatRangeList(bits, count);
  };
  list.noneText = LoadString(kStrNoEntry);
  return list;
}

CSelectionProvider& Build() {
  static CSelectionProvider providers;
  providers.Register(CEventLogSelections::kAudio,
                     [](const CSelvantisDoc*, const SelectionRequest& r) { return BitList(kAudioChoices, r); });
  providers.Register(CEventLogSelections::kFault,
                     [](const CSelvantisDoc*, const SelectionRequest& r) { return BitList(kFaultChoices, r); });
  providers.Register(CEventLogSelections::kMacros,
                     [](const CSelvantisDoc* doc, const SelectionRequest& r) { return ObjectList(doc, DT_MACRO, r); });
  providers.Register(CEventLogSelections::kReadyInputs, [](const CSelvantisDoc* doc, const SelectionRequest& r) {
    return ObjectList(doc, DT_READYINPUT, r);
  });
  providers.Register(CEventLogSelections::kVirtualControllers, [](const CSelvantisDoc* doc, const SelectionRequest& r) {
    return ObjectList(doc, DT_VIRTCTRLITEM, r);
  });
  return providers;
}

}  // namespace

const CSelectionProvider& CEventLogSelections::Providers() {
  static CSelectionProvider& providers = Build();
  return providers;
}
