#include "editors/macros/macrostepfields.h"

#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "model/ctext.h"

namespace MacroStepFields {

Choices PriorityChoices(bool withOff) {
  Choices choices;
  if (withOff) choices.push_back({QStringLiteral("OFF"), 0});
  for (int step = 1; step <= 10; ++step) choices.push_back({Fmt("%d", step), step * 10});
  return choices;
}

int PriorityIndex(const Choices& choices, int priority) {
  for (size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].data / 10 == priority / 10) return static_cast<int>(i);
  }
  return 0;
}

Choices ObjectChoices(const CSelvantisDoc* doc, int type, const QString& firstText) {
  Choices choices{{firstText, 0}};
  if (!doc) return choices;
  std::vector<CBaseDevice*> objects;
  doc->GetIDManager().GetBaseDeviceList(objects, type);
  for (const CBaseDevice* object : objects) {
    if (object) choices.push_back({object->GetName(), object->GetID()});
  }
  return choices;
}

int ChoiceIndex(const Choices& choices, int value) {
  for (size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].data == value) return static_cast<int>(i);
  }
  return 0;
}

std::pair<QString, QString> PairRows(const CMacro& macro) {
  const QString own = macro.GetName();
  const QString partner = macro.GetParamText(CMacro::P_PARTNER);
  if (macro.GetParam(CMacro::P_SWITCH) != 0) return {own, partner};
  return {partner, own};
}

// Only a partner that names this macro back is followed: an identifier left
// behind by a deleted partner may belong to an unrelated macro by now.
void WriteMirrored(CMacro& macro, int index, int value) {
  macro.SetParam(index, value);
  if (CMacro* partner = macro.GetPartner()) partner->SetParam(index, value);
}

void WriteMirroredFloat(CMacro& macro, int index, float value) {
  macro.SetParamFloat(index, value);
  if (CMacro* partner = macro.GetPartner()) partner->SetParamFloat(index, value);
}

void WriteMirroredText(CMacro& macro, int index, const QString& text) {
  macro.SetParamText(index, text);
  if (CMacro* partner = macro.GetPartner()) partner->SetParamText(index, text);
}

void ApplyZonesMirrored(CMacro& macro, const std::vector<CBaseDevice*>& zonesAndGroups) {
  macro.SetZones(zonesAndGroups);
  if (CMacro* partner = macro.GetPartner()) partner->SetZones(zonesAndGroups);
}

}  // namespace MacroStepFields
