#include "editors/macros/levelstepfields.h"

#include "amps/cmonitor.h"
#include "macros/cmacro.h"
#include "model/cbasedevice.h"
#include "model/connectionrecord.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"
#include "model/devicetype.h"
#include "unit/caudioinputslot.h"

#include <algorithm>

namespace LevelStepFields {

namespace {

constexpr int kOutputKinds[] = {34322, 32796, 32797};

void Reconnect(CMacro& macro, CBaseDevice* pad) {
  if (macro.FindInputConnection(CMacro::kPinDigitalOutput)) macro.DisconnectInputPin(CMacro::kPinDigitalOutput);
  if (pad) CBaseDevice::Connect(pad, 0, &macro, CMacro::kPinDigitalOutput);
}

}  // namespace

MacroStepFields::Choices DigitalOutputChoices(const CSelvantisDoc* doc) {
  MacroStepFields::Choices choices{{QStringLiteral("OFF"), 0}};
  if (!doc) return choices;
  std::vector<CBaseDevice*> pads;
  doc->GetIDManager().GetBaseDeviceList(pads, DT_CONTROLPAD);
  for (int kind : kOutputKinds) {
    for (const CBaseDevice* pad : pads) {
      if (pad && pad->GetKind() == kind) choices.push_back({pad->GetName(), pad->GetID()});
    }
  }
  return choices;
}

CBaseDevice* ConnectedOutput(const CMacro& macro) {
  const ConnectionRecord* record = macro.FindInputConnection(CMacro::kPinDigitalOutput);
  return record ? record->pPeer : nullptr;
}

void SetDigitalOutput(CMacro& macro, const CSelvantisDoc* doc, int padId) {
  CBaseDevice* pad = doc && padId != 0 ? doc->GetIDManager().GetBaseDevice(padId, DT_CONTROLPAD) : nullptr;
  Reconnect(macro, pad);
  if (CMacro* partner = macro.GetPartner()) Reconnect(*partner, pad);
}

MacroStepFields::Choices AuxInputChoices(const CSelvantisDoc* doc) {
  MacroStepFields::Choices choices{{QStringLiteral("OFF"), 0}};
  if (!doc) return choices;
  std::vector<CBaseDevice*> inputSlots;
  doc->GetIDManager().GetBaseDeviceList(inputSlots, DT_AUDIOINPUTSLOT);
  std::sort(inputSlots.begin(), inputSlots.end(),
            [](const CBaseDevice* a, const CBaseDevice* b) { return a->GetID() < b->GetID(); });
  const auto add = [&choices](int input, const char* name, int sub) {
    choices.push_back({Fmt(name, input), input * 65536 + sub});
  };
  for (CBaseDevice* device : inputSlots) {
    const auto* slot = dynamic_cast<const CAudioInputSlot*>(device);
    if (!slot) continue;
    const int s = slot->GetID();
    const int first = slot->GetModuleKind(0);
    const int second = slot->GetModuleKind(1);
    if (first == CAudioInputSlot::MODULE_AUX) {
      add(2 * s - 1, "IN%d AUX1", 1);
      add(2 * s - 1, "IN%d AUX2", 2);
    }
    if (first == CAudioInputSlot::MODULE_MIC || second == CAudioInputSlot::MODULE_LINE)
      add(2 * s - 1, "IN%d MIC/LINE", 1);
    if (second == CAudioInputSlot::MODULE_AUX) {
      add(2 * s, "IN%d AUX1", 1);
      add(2 * s, "IN%d AUX2", 2);
    }
    if (second == CAudioInputSlot::MODULE_MIC || second == CAudioInputSlot::MODULE_LINE) add(2 * s, "IN%d MIC/LINE", 1);
  }
  return choices;
}

int AuxInputValue(const CMacro& macro) {
  return macro.GetParam(CMacro::P_INPUT) * 65536 + (macro.GetParam(CMacro::P_ADDSUB) % 65536);
}

void SetAuxInput(CMacro& macro, int data) {
  if (data != 0) {
    macro.SetParam(CMacro::P_ADDSUB, data % 65536);
    macro.SetParam(CMacro::P_INPUT, data / 65536);
  } else {
    macro.SetParam(CMacro::P_ADDSUB, 1);
    macro.SetParam(CMacro::P_INPUT, 0);
  }
}

QStringList VolumeSources() {
  return {QStringLiteral("OFF"),    QStringLiteral("IN1"),   QStringLiteral("IN2"),   QStringLiteral("IN3"),
          QStringLiteral("IN4"),    QStringLiteral("OUT1"),  QStringLiteral("OUT2"),  QStringLiteral("OUT3"),
          QStringLiteral("OUT4"),   QStringLiteral("CHIME"), QStringLiteral("ALARM"), QStringLiteral("MESSAGE"),
          QStringLiteral("MONITOR")};
}

std::pair<int, int> VolumeRange(bool controller) { return controller ? std::pair{0, 6} : std::pair{-150, 6}; }

QString VolumeName(const QString& name, bool controller, bool on) {
  QString result = name;
  if (controller && on)
    result.replace(QLatin1String("SET"), QLatin1String("UP"));
  else
    result.replace(QLatin1String("UP"), QLatin1String("SET"));
  if (controller && !on)
    result.replace(QLatin1String("SET"), QLatin1String("DOWN"));
  else
    result.replace(QLatin1String("DOWN"), QLatin1String("SET"));
  return result;
}

namespace {

// True when no object but the macro and its partner has the name.
bool OnlyThePairHas(const CMacro& macro, const CMacro* partner, const QString& name) {
  const CSelvantisDoc* doc = macro.GetDocument();
  if (!doc) return false;
  for (const CBaseDevice* other : doc->GetAllObjects()) {
    if (other != &macro && other != partner && other->GetName() == name) return false;
  }
  return true;
}

void ApplyVolumeMode(CMacro& macro, CMacro* partner, bool controller) {
  const bool on = macro.GetParam(CMacro::P_SWITCH) != 0;
  macro.SetParam(CMacro::P_INC, controller ? (on ? 1 : -1) : 0);
  const QString name = VolumeName(macro.GetName(), controller, on);
  if (name == macro.GetName()) return;
  // The two macros of a pair share the name of a "SET" pair: a suffix on
  // one of them would survive switching back to "UP" / "DOWN".
  if (partner && (name == partner->GetName() || VolumeName(partner->GetName(), controller, !on) == name) &&
      OnlyThePairHas(macro, partner, name)) {
    macro.SetName(name);
    macro.SetModified();
    return;
  }
  macro.SetUniqueName(name, true);
}

}  // namespace

void SetVolumeMode(CMacro& macro, bool controller) {
  CMacro* partner = macro.GetPartner();
  ApplyVolumeMode(macro, partner, controller);
  if (partner) ApplyVolumeMode(*partner, &macro, controller);
}

MacroStepFields::Choices MonitorChoices(const CSelvantisDoc* doc, int selectedEntry) {
  MacroStepFields::Choices choices{{QStringLiteral("OFF"), 0}};
  const CMonitor* monitor = CMonitor::Find(doc);
  if (!monitor) return choices;
  const int count = monitor->GetMaxEntries();
  for (int i = 1; i <= count; ++i) {
    const int choice = monitor->GetValue(((i - 1) << 16) | CMonitor::FIELD_CHOICE);
    const bool off = (choice & 0xFFFF) == CMonitor::KC_OFF;
    if (off) {
      if (i == selectedEntry) choices.push_back({Fmt("(%d) OFF", i), i});
      continue;
    }
    QString text;
    monitor->GetColumnText(text, choice);
    choices.push_back({Fmt("(%d) ", i) + text, i});
  }
  return choices;
}

void SetMonitorMode(CMacro& macro, bool table) {
  const int sign = macro.GetParam(CMacro::P_SWITCH) != 0 ? 1 : -1;
  macro.SetParam(CMacro::P_MONI_NEXT, table ? sign : 0);
  if (CMacro* partner = macro.GetPartner()) partner->SetParam(CMacro::P_MONI_NEXT, table ? -sign : 0);
}

int ParseInt(const QString& text, int fallback) {
  int value = 0;
  return ScanInt(text.trimmed(), &value) ? value : fallback;
}

double ParseFloat(const QString& text, double fallback) {
  double value = 0;
  return ScanDouble(text.trimmed(), &value) ? value : fallback;
}

}  // namespace LevelStepFields
