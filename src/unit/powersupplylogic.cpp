// The power supply's settings, carried out by auxiliary objects (see
// powersupplylogic.h for the wiring).
#include "unit/powersupplylogic.h"

#include "logic/ccondition.h"
#include "logic/clogicout.h"
#include "logic/ctrigger.h"
#include "macros/auxobjects.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "unit/caudioinputdevice.h"

#include <utility>

using namespace PowerSupplyLogic;

namespace {

// Default LCD texts of the three modes.
constexpr uint32_t kStrMainsText = 34569;    // "<Mains mode>"
constexpr uint32_t kStrBatteryText = 34570;  // "<Battery mode>"
constexpr uint32_t kStrStandbyText = 34571;  // "<System Standby>"
constexpr int kLcdLine = 1;

DialogHook& Hook() {
  static DialogHook hook;
  return hook;
}

// Mode m (0 mains, 1 battery, 2 standby): its pin, default text id and name.
struct Mode {
  int pin;
  uint32_t textId;
  const char* name;
};
const Mode kModes[3] = {{kPinMainsText, kStrMainsText, "PS Mains text"},
                        {kPinBatteryText, kStrBatteryText, "PS Battery text"},
                        {kPinStandbyText, kStrStandbyText, "PS Standby text"}};

template <class T>
T* Aux(const CAudioInputDevice& ps, int pin, int type) {
  return dynamic_cast<T*>(GetAuxObject(ps, pin, type));
}

// Removes an auxiliary object from the project (its links with it).
void DropAux(CAudioInputDevice& ps, int pin, int type) {
  CBaseDevice* object = GetAuxObject(ps, pin, type);
  SetAuxObject(ps, pin, nullptr);
  if (object && ps.GetDocument()) ps.GetDocument()->DeleteObject(object);
}

CCondition* EnsureCondition(CAudioInputDevice& ps, int pin, const char* name) {
  if (auto* c = Aux<CCondition>(ps, pin, DT_CONDITION)) return c;
  auto* c =
      CreateAuxObject<CCondition>(*ps.GetDocument(), CCondition::kKindInput, CAT_ENTRIES, QString::fromLatin1(name));
  if (c) SetAuxObject(ps, pin, c);
  return c;
}

CMacro* EnsureTextMacro(CAudioInputDevice& ps, int mode) {
  const Mode& m = kModes[mode];
  if (auto* macro = Aux<CMacro>(ps, m.pin, DT_MACRO)) return macro;
  CMacro* macro = CMacro::CreateMacro(CMacro::kKindLCDText, *ps.GetDocument());
  if (!macro) return nullptr;
  macro->SetUniqueName(QString::fromLatin1(m.name), false);
  macro->SetParam(CMacro::P_SWITCH, 1);
  macro->SetParam(CMacro::P_LINE, kLcdLine);
  macro->SetParamText(CMacro::P_TEXT, LoadString(m.textId));
  SetAuxObject(ps, m.pin, macro);
  return macro;
}

CTrigger* EnsureTrigger(CAudioInputDevice& ps, int pin, const char* name) {
  if (auto* t = Aux<CTrigger>(ps, pin, DT_TRIGGER)) return t;
  auto* t =
      CreateAuxObject<CTrigger>(*ps.GetDocument(), CTrigger::kKindTrigger, CAT_ENTRIES, QString::fromLatin1(name));
  if (t) SetAuxObject(ps, pin, t);
  return t;
}

// The project's "Operating voltage" pair (one per project), made when there
// is none.
std::pair<CMacro*, CMacro*> EnsureSystemMacros(CAudioInputDevice& ps) {
  auto* on = Aux<CMacro>(ps, kPinSystemOn, DT_MACRO);
  auto* off = Aux<CMacro>(ps, kPinSystemOff, DT_MACRO);
  if (on && off) return {on, off};
  CSelvantisDoc& doc = *ps.GetDocument();
  std::vector<CBaseDevice*> existing;
  doc.GetIDManager().GetBaseDeviceListByKind(existing, DT_MACRO, CMacro::kKindPower);
  on = off = nullptr;
  for (CBaseDevice* object : existing) {
    auto* macro = dynamic_cast<CMacro*>(object);
    if (macro && macro->GetParam(CMacro::P_SWITCH) != 0) {
      on = macro;
      off = macro->GetPartner();
      if (off) break;
    }
  }
  if (!on || !off) {
    on = CMacro::CreateMacro(CMacro::kKindPower, doc);
    off = on ? CMacro::CreateMacro(CMacro::kKindPower, doc) : nullptr;
    if (!on || !off) return {nullptr, nullptr};
    on->SetUniqueName(QStringLiteral("PS System ON"), false);
    off->SetUniqueName(QStringLiteral("PS System OFF"), false);
    on->SetParam(CMacro::P_SWITCH, 1);
    off->SetParam(CMacro::P_SWITCH, 0);
    CMacro::MakePair(*on, *off);
  }
  SetAuxObject(ps, kPinSystemOn, on);
  SetAuxObject(ps, kPinSystemOff, off);
  return {on, off};
}

int Selection(const CAudioInputDevice& ps, int index) { return ps.GetInputValue(kValueSelectionBase + index); }

// Makes the mode trigger follow the power-failure condition and the chosen
// texts: on a power failure the battery text (with a charger) or the standby
// text, when mains returns the mains text.
void RewireModeTrigger(CAudioInputDevice& ps) {
  const bool battery = ps.GetInputValue(kValueBattery) != 0;
  const bool any = Selection(ps, 3) != 0 || Selection(ps, 4) != 0 || Selection(ps, 5) != 0;
  if (!any) {
    DropAux(ps, kPinModeTrigger, DT_TRIGGER);
    return;
  }
  CTrigger* trigger = EnsureTrigger(ps, kPinModeTrigger, "PS Power mode");
  if (!trigger) return;
  const CBaseDevice* fail = GetAuxObject(ps, kPinFailCondition, DT_CONDITION);
  trigger->SetParam(0, fail ? fail->GetID() : 0);
  auto idOf = [&](int mode, int selection) {
    const CBaseDevice* m = Selection(ps, selection) != 0 ? GetAuxObject(ps, kModes[mode].pin, DT_MACRO) : nullptr;
    return m ? m->GetID() : 0;
  };
  trigger->SetParam(3, idOf(0, 3));
  trigger->SetParam(2, battery ? idOf(1, 4) : idOf(2, 5));
}

bool Usable(const CAudioInputDevice& ps) { return ps.IsPowerSupply() && ps.GetDocument() != nullptr; }

int ModeOfIndex(int index) {
  // 3/6/9 mains, 4/7/10 battery, 5/8/11 standby
  if (index >= 3 && index <= 11) return (index - 3) % 3;
  return -1;
}

}  // namespace

PowerSupplyLogic::DialogHook PowerSupplyLogic::SetDialogHook(DialogHook hook) {
  DialogHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

int CAudioInputDevice::GetPowerSupplyParam(int index) {
  if (!Usable(*this)) return 0;
  switch (index) {
    case 0:
    case 2: {
      const auto* c = Aux<CCondition>(*this, index == 0 ? kPinFailCondition : kPinExtCondition, DT_CONDITION);
      return c ? c->GetValue(4) : 0;
    }
    case 1: {
      const auto* out = Aux<CLogicOut>(*this, kPinOnOffOutput, DT_LOGICOUT);
      return out ? out->GetValue(4) : 0;
    }
    case 3:
    case 4:
    case 5: return Selection(*this, index);
    case 9:
    case 10:
    case 11: {
      const auto* macro = Aux<CMacro>(*this, kModes[ModeOfIndex(index)].pin, DT_MACRO);
      return macro ? macro->GetParam(CMacro::P_CONSOLE) : 0;
    }
    case 12: return GetInputValue(kValueBattery);
    case 13: {
      const CBaseDevice* c = GetAuxObject(*this, kPinFailCondition, DT_CONDITION);
      return c ? c->GetID() : 0;
    }
    default: return 0;
  }
}

void CAudioInputDevice::GetPowerSupplyText(QString& out, int index) {
  out.clear();
  if (!Usable(*this) || index < 6 || index > 8) return;
  if (const auto* macro = Aux<CMacro>(*this, kModes[ModeOfIndex(index)].pin, DT_MACRO))
    out = macro->GetParamText(CMacro::P_TEXT);
}

void CAudioInputDevice::SetPowerSupplyParam(int index, int value, int) {
  if (!Usable(*this)) return;
  switch (index) {
    case 0:
      // The power-failure condition stays once made: the power management
      // may name it as its mains condition.
      if (CCondition* c = EnsureCondition(*this, kPinFailCondition, "PS Power failure")) c->SetValue(4, value);
      RewireModeTrigger(*this);
      break;
    case 1:
      if (value == 0) {
        DropAux(*this, kPinOnOffOutput, DT_LOGICOUT);
        break;
      }
      if (auto* out = Aux<CLogicOut>(*this, kPinOnOffOutput, DT_LOGICOUT)) {
        out->SetValue(4, value);
      } else if (auto* created = CreateAuxObject<CLogicOut>(*GetDocument(), CLogicOut::kKindLogicOut, CAT_ENTRIES,
                                                            QStringLiteral("PS Power ON/OFF"))) {
        SetAuxObject(*this, kPinOnOffOutput, created);
        created->SetValue(4, value);
      }
      // The output passes the external switch on to the supply.
      if (auto* out = Aux<CLogicOut>(*this, kPinOnOffOutput, DT_LOGICOUT)) {
        const CBaseDevice* ext = GetAuxObject(*this, kPinExtCondition, DT_CONDITION);
        out->SetValue(2, ext ? ext->GetID() : 0);
      }
      break;
    case 2: {
      if (value == 0) {
        DropAux(*this, kPinExtTrigger, DT_TRIGGER);
        DropAux(*this, kPinExtCondition, DT_CONDITION);
        break;
      }
      CCondition* c = EnsureCondition(*this, kPinExtCondition, "PS External ON/OFF");
      if (!c) break;
      c->SetValue(4, value);
      const auto [on, off] = EnsureSystemMacros(*this);
      if (CTrigger* trigger = EnsureTrigger(*this, kPinExtTrigger, "PS External ON/OFF")) {
        trigger->SetParam(0, c->GetID());
        trigger->SetParam(2, on ? on->GetID() : 0);
        trigger->SetParam(3, off ? off->GetID() : 0);
      }
      if (auto* out = Aux<CLogicOut>(*this, kPinOnOffOutput, DT_LOGICOUT)) out->SetValue(2, c->GetID());
      break;
    }
    case 3:
    case 4:
    case 5:
      SetInputValue(kValueSelectionBase + index, value);
      if (value != 0) EnsureTextMacro(*this, ModeOfIndex(index));
      RewireModeTrigger(*this);
      break;
    case 9:
    case 10:
    case 11:
      if (CMacro* macro = EnsureTextMacro(*this, ModeOfIndex(index))) macro->SetParam(CMacro::P_CONSOLE, value);
      break;
    case 12:
      SetInputValue(kValueBattery, value != 0 ? 1 : 0);
      RewireModeTrigger(*this);
      break;
    default: return;
  }
  SetModified();
}

void CAudioInputDevice::SetPowerSupplyText(int index, const QString& text, int) {
  if (!Usable(*this) || index < 6 || index > 8) return;
  if (CMacro* macro = EnsureTextMacro(*this, ModeOfIndex(index))) macro->SetParamText(CMacro::P_TEXT, text);
  SetModified();
}

void CAudioInputDevice::ShowPowerSupplyDialog() {
  if (!IsPowerSupply()) return;
  if (const DialogHook& hook = Hook()) hook(*this);
}
