#include "macros/czonetestformstate.h"

#include "macros/czonetestobject.h"
#include "model/cbasedevice.h"
#include "model/cidmanager.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "model/devicetype.h"
#include "unit/ccontrolpad.h"
#include "unit/ckcm.h"

#include <algorithm>

namespace {

void SortById(std::vector<CBaseDevice*>& list) {
  std::sort(list.begin(), list.end(), [](CBaseDevice* a, CBaseDevice* b) { return a->GetID() < b->GetID(); });
}

}  // namespace

CZonetestFormState::CZonetestFormState(CSelvantisDoc* doc) : m_doc(doc) {}

CZonetestObject* CZonetestFormState::Object() const { return m_doc ? CZonetestObject::Find(m_doc) : nullptr; }

int CZonetestFormState::Param(int index) const {
  const CZonetestObject* object = Object();
  return object ? object->GetParam(index) : 0;
}

void CZonetestFormState::Set(int index, int value) {
  CZonetestObject* object = Object();
  if (!object) return;
  object->SetParam(index, value);
  m_doc->SetModifiedFlag();
}

std::vector<CZonetestFormState::Entry> CZonetestFormState::ConsoleEntries() const {
  std::vector<Entry> entries{{LoadString(34235), 0}, {LoadString(34273), CZonetestObject::kAllConsoles}};
  if (!m_doc) return entries;
  std::vector<CBaseDevice*> consoles;
  m_doc->GetIDManager().GetBaseDeviceList(consoles, DT_CONSOLE);
  SortById(consoles);
  for (CBaseDevice* console : consoles) entries.push_back({console->GetName(), console->GetID()});
  return entries;
}

std::vector<CZonetestFormState::Entry> CZonetestFormState::OutputEntries() const {
  std::vector<Entry> entries{{LoadString(34235), 0}};
  if (!m_doc) return entries;
  for (int kind :
       {CControlPad::kKindDigitalOutput, static_cast<int>(CKCM::KIND_KCM208), static_cast<int>(CKCM::KIND_KCM209)}) {
    std::vector<CBaseDevice*> pads;
    m_doc->GetIDManager().GetBaseDeviceListByKind(pads, DT_CONTROLPAD, kind);
    SortById(pads);
    for (CBaseDevice* pad : pads) entries.push_back({pad->GetName(), pad->GetID()});
  }
  return entries;
}

int CZonetestFormState::IndexOfData(const std::vector<Entry>& entries, int value) {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].data == value) return static_cast<int>(i);
  }
  return 0;
}

int CZonetestFormState::OutputSelection(const std::vector<Entry>& entries) const {
  const CZonetestObject* object = Object();
  const int pad = object ? object->GetOutputPadID() : 0;
  return pad == 0 ? 0 : IndexOfData(entries, pad);
}

CZonetestFormState::Enables CZonetestFormState::EnablesFor(bool lineOn, bool impedanceOn) {
  Enables enables;
  enables.output = lineOn || impedanceOn;
  enables.time = lineOn;
  enables.lineConsoles = lineOn;
  enables.impedanceConsoles = impedanceOn;
  return enables;
}

CZonetestFormState::Enables CZonetestFormState::OpeningEnables(bool lineOn, bool impedanceOn) {
  return lineOn ? EnablesFor(true, impedanceOn) : Enables{};
}

CZonetestFormState::Effects CZonetestFormState::LineTestEffects(bool checked, bool impedanceChecked) {
  Effects effects;
  if (checked) {
    effects.outputEnabled = true;
    effects.timeEnabled = true;
    effects.consolesEnabled = true;
    return effects;
  }
  // The output stays while the impedance test still needs it.
  effects.outputEnabled = impedanceChecked;
  effects.resetOutput = !impedanceChecked;
  effects.resetConsoles = true;
  return effects;
}

CZonetestFormState::Effects CZonetestFormState::ImpedanceTestEffects(bool checked, bool lineChecked) {
  Effects effects;
  if (checked) {
    effects.outputEnabled = true;
    effects.consolesEnabled = true;
    return effects;
  }
  effects.outputEnabled = lineChecked;
  effects.resetOutput = !lineChecked;
  effects.resetConsoles = true;
  return effects;
}

CZonetestFormState::Effects CZonetestFormState::LineTestClicked(bool checked, bool impedanceChecked, int secondsOfDay) {
  const Effects effects = LineTestEffects(checked, impedanceChecked);
  if (checked) {
    Set(CZonetestObject::P_LINETEST, 1);
    StoreTime(secondsOfDay);
    return effects;
  }
  if (effects.resetOutput) {
    Set(CZonetestObject::P_CONDITION, 0);
    Set(CZonetestObject::P_OUTPUT, 0);
  }
  Set(CZonetestObject::P_LINETEST, 0);
  Set(CZonetestObject::P_TIME, 0);
  Set(CZonetestObject::P_LINE_CONS, 0);
  return effects;
}

CZonetestFormState::Effects CZonetestFormState::ImpedanceTestClicked(bool checked, bool lineChecked) {
  const Effects effects = ImpedanceTestEffects(checked, lineChecked);
  if (checked) {
    Set(CZonetestObject::P_IMPTEST, 1);
    return effects;
  }
  if (effects.resetOutput) {
    Set(CZonetestObject::P_CONDITION, 0);
    Set(CZonetestObject::P_OUTPUT, 0);
  }
  Set(CZonetestObject::P_IMPTEST, 0);
  Set(CZonetestObject::P_IMP_CONS, 0);
  return effects;
}

// A value of a whole day or more would be read by the object as a date, so
// the time is kept inside one day here.
void CZonetestFormState::StoreTime(int secondsOfDay) {
  Set(CZonetestObject::P_TIME, std::max(0, std::min(CZonetestObject::kSecondsPerDay - 1, secondsOfDay)));
}
void CZonetestFormState::StoreLineConsole(int data) { Set(CZonetestObject::P_LINE_CONS, data); }
void CZonetestFormState::StoreImpedanceConsole(int data) { Set(CZonetestObject::P_IMP_CONS, data); }
void CZonetestFormState::StoreOutput(int padId) { Set(CZonetestObject::P_OUTPUT, padId); }
