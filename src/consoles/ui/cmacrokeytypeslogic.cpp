#include "consoles/ui/cmacrokeytypeslogic.h"

#include "consoles/cconsole.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace {

struct ActivityRow {
  const char* text;
  const char* word;
};

constexpr std::array<ActivityRow, CMacroKeyTypesLogic::kActivityCount> kActivities{{
    {QT_TRANSLATE_NOOP("CMacroKeyTypesLogic", "Release key : no action"), "trigger"},
    {QT_TRANSLATE_NOOP("CMacroKeyTypesLogic", "Release key : start macro B"), "button"},
    {QT_TRANSLATE_NOOP("CMacroKeyTypesLogic", "Press key second time: start makro B"), "switch"},
    {QT_TRANSLATE_NOOP("CMacroKeyTypesLogic", "Hold key down: repeat makro A"), "repeat"},
    {QT_TRANSLATE_NOOP("CMacroKeyTypesLogic", "Key is a radio button"), "radio"},
}};

bool IsMacroFunction(int type) { return type >= CConsKey::MACRO && type <= CConsKey::MACSWT; }

CBaseDevice* FindMacro(const CConsKey& key, int id) {
  if (id < 1 || id > CConsKey::kMaxKeyMacro || key.GetOwner() == nullptr) return nullptr;
  CSelvantisDoc* doc = key.GetOwner()->GetDocument();
  return doc != nullptr ? doc->FindObjectById(CAT_MACROS, id) : nullptr;
}

}  // namespace

QString CMacroKeyTypesLogic::ActivityText(int index) {
  if (index < 0 || index >= kActivityCount) return QString();
  return QCoreApplication::translate("CMacroKeyTypesLogic", kActivities[static_cast<size_t>(index)].text);
}

QString CMacroKeyTypesLogic::TypeWord(int index) {
  if (index < 0 || index >= kActivityCount) return QString();
  return QString::fromLatin1(kActivities[static_cast<size_t>(index)].word);
}

QString CMacroKeyTypesLogic::EntryText(int index) {
  if (index < 0 || index >= kActivityCount) return QString();
  // The type words start in one column, a few blanks after the longest text.
  constexpr int kGap = 4;
  qsizetype column = 0;
  for (int i = 0; i < kActivityCount; ++i) column = std::max(column, ActivityText(i).size());
  return ActivityText(index).leftJustified(column + kGap, QLatin1Char(' ')) + QStringLiteral("type=\"") +
         TypeWord(index) + QLatin1Char('"');
}

int CMacroKeyTypesLogic::ActivityOf(const CConsKey::Function& function) {
  switch (function.type) {
    case CConsKey::MACRO: return function.p2 != 0 ? kButton : kTrigger;
    case CConsKey::MACREP: return kRepeat;
    case CConsKey::MACRAD: return kRadio;
    case CConsKey::MACSWT: return kSwitch;
    default: return kTrigger;
  }
}

int CMacroKeyTypesLogic::ActivityOfKey(CConsKey& key) {
  const CConsKey::Function& f = key.GetFunction();
  if (!IsMacroFunction(f.type) && f.p2 != 0) {
    CConsKey::Function cleared = f;
    cleared.p2 = 0;
    key.SetProgramming(cleared.type, cleared.p1, 0, cleared.p3, key.GetTarget(), key.GetTargetCategory(), true);
  }
  return ActivityOf(key.GetFunction());
}

QString CMacroKeyTypesLogic::Description(const CConsKey& key) {
  const KeyTarget& target = key.GetTarget();
  if (target.object != nullptr) return target.object->GetName();
  return key.GetLabel();
}

int CMacroKeyTypesLogic::ClampRate(int rate) { return std::clamp(rate, kMinRate, kMaxRate); }
int CMacroKeyTypesLogic::ClampRadio(int radio) { return std::clamp(radio, kMinRadio, kMaxRadio); }

void CMacroKeyTypesLogic::Write(CConsKey& key, int type, int p2) {
  const CConsKey::Function& f = key.GetFunction();
  const bool bMacroB = (type == CConsKey::MACRO && p2 != 0) || type == CConsKey::MACSWT;
  CBaseDevice* macroB = bMacroB ? FindMacro(key, p2) : nullptr;
  // A rate or radio number in the second parameter is no macro: the old
  // macro B link must not survive the change.
  key.SetSecondTarget(macroB != nullptr ? KeyTarget::Of(macroB) : KeyTarget::None());
  key.SetProgramming(type, f.p1, p2, f.p3, key.GetTarget(), key.GetTargetCategory(), true);
}

int CMacroKeyTypesLogic::SetActivity(CConsKey& key, int index, int selectedMacroB) {
  const int p2 = key.GetFunction().p2;
  const int macroB = selectedMacroB > 0 ? selectedMacroB : kDefaultMacroB;
  switch (index) {
    case kTrigger: Write(key, CConsKey::MACRO, 0); break;
    case kButton: Write(key, CConsKey::MACRO, macroB); break;
    case kSwitch: Write(key, CConsKey::MACSWT, macroB); break;
    case kRepeat: Write(key, CConsKey::MACREP, ClampRate(p2)); break;
    case kRadio: Write(key, CConsKey::MACRAD, ClampRadio(p2)); break;
    default: break;
  }
  return key.GetFunction().p2;
}

void CMacroKeyTypesLogic::SetMacroB(CConsKey& key, int macroId) {
  if (macroId <= 0) return;
  const int type = key.GetFunction().type;
  if (type != CConsKey::MACRO && type != CConsKey::MACSWT) return;
  Write(key, type, macroId);
}

int CMacroKeyTypesLogic::StepRate(CConsKey& key, int position, int step) {
  const int value = ClampRate(position + step);
  if (key.GetFunction().type == CConsKey::MACREP) Write(key, CConsKey::MACREP, value);
  return value;
}

int CMacroKeyTypesLogic::StepRadio(CConsKey& key, int position, int step) {
  const int value = ClampRadio(position + step);
  if (key.GetFunction().type == CConsKey::MACRAD) Write(key, CConsKey::MACRAD, value);
  return value;
}

int CMacroKeyTypesLogic::ChangedFlags(const CConsKey& key, int index) {
  if (index != kButton && index != kSwitch) return 1;
  return FindMacro(key, key.GetFunction().p2) != nullptr ? 3 : 1;
}
