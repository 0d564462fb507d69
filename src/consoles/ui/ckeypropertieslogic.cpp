#include "consoles/ui/ckeypropertieslogic.h"

#include "consoles/cconskey.h"
#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "macros/caudiosignal.h"
#include "model/cbasedevice.h"
#include "model/cmessagesink.h"
#include "model/ctext.h"
#include "model/devicetype.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct TableRow {
  int bit;
  const char* text;
  int function;
};

constexpr std::array<TableRow, 12> kFunctions = {
    {{0x001, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "Selection"), CConsKey::SEL},
     {0x002, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "Text"), CConsKey::TEXT},
     {0x004, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "Alarm"), CConsKey::ALARM},
     {0x008, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "Chime"), CConsKey::CHIME},
     {0x010, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "Talk"), CConsKey::TALK},
     {0x020, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "PTT"), CConsKey::TALKEXT},
     {0x040, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "On"), CConsKey::ON},
     {0x080, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "Stop"), CConsKey::STOP},
     {0x100, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "Program"), CConsKey::PROGRAM},
     {0x200, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "Clear"), CConsKey::CLEAR},
     {0x400, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "Aux"), CConsKey::AUX},
     {0x800, QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "Macro"), CConsKey::MACRO}}};

constexpr std::array<int, 16> kControlFlags = {0x000, 0x024, 0x038, 0x000, 0x000, 0x033, 0x001, 0x073,
                                               0x0B3, 0x133, 0x2B3, 0x2B3, 0xC20, 0xC20, 0xC20, 0xC20};

QString Tr(const char* text) { return QCoreApplication::translate("CKeyPropertiesDlg", text); }

bool Program(CConsKey& key, const CConsKey::Function& f) { return key.SetFunction(f, true); }

}  // namespace

std::vector<CKeyPropertiesLogic::FunctionEntry> CKeyPropertiesLogic::FunctionList(int allowedMask, bool bAll) {
  std::vector<FunctionEntry> list;
  if (!bAll && (allowedMask & 0x7FE) == 0) return list;
  list.push_back({Tr(QT_TRANSLATE_NOOP("CKeyPropertiesDlg", "Disabled")), 4, CConsKey::DISABLED});
  for (const TableRow& row : kFunctions)
    if (bAll || (allowedMask & row.bit) != 0) list.push_back({Tr(row.text), row.function + 4, row.function});
  return list;
}

int CKeyPropertiesLogic::ControlFlags(int function) {
  if (function < 0 || function >= static_cast<int>(kControlFlags.size())) return 0;
  return kControlFlags[static_cast<size_t>(function)];
}

int CKeyPropertiesLogic::SignalListKind(int function, bool bPreChime) {
  const int flags = ControlFlags(function);
  if ((flags & kMacroList) != 0) return 8;
  const int kind = (flags & kSignalBits) >> kSignalShift;
  if ((flags & kPreChime) != 0 && !bPreChime) return 0;
  return kind;
}

QString CKeyPropertiesLogic::DelayText(int steps) { return Fmt("%.2f", steps * kDelayStepMs * 0.001); }

int CKeyPropertiesLogic::ClampDelay(int steps) { return std::clamp(steps, 0, kMaxDelaySteps); }

bool CKeyPropertiesLogic::IsDelayInput(const QString& text) {
  static const QRegularExpression kInput(QStringLiteral("^\\s*[0-9]*([.,][0-9]*)?\\s*$"));
  return kInput.match(text).hasMatch();
}

std::optional<int> CKeyPropertiesLogic::DelayStepsOf(const QString& seconds) {
  if (!IsDelayInput(seconds)) return std::nullopt;
  QString number = seconds.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
  if (!number.contains(QRegularExpression(QStringLiteral("[0-9]")))) return std::nullopt;
  if (number.startsWith(QLatin1Char('.'))) number.prepend(QLatin1Char('0'));
  if (number.endsWith(QLatin1Char('.'))) number.append(QLatin1Char('0'));
  // A well-formed number that does not convert is too big for a double.
  bool ok = false;
  const double value = QLocale::c().toDouble(number, &ok);
  if (!ok) return kMaxDelaySteps;
  // Bounded before rounding, which must not overflow.
  const double ms = std::min(value * 1000.0, (kMaxDelaySteps + 1) * kDelayStepMs);
  return ClampDelay(static_cast<int>(std::lround(ms / kDelayStepMs)));
}

bool CKeyPropertiesLogic::IsOfferedInList(int type, const CBaseDevice& object) {
  return type != DT_MACRO || (object.GetID() >= 1 && object.GetID() <= CConsKey::kMaxKeyMacro);
}

int CKeyPropertiesLogic::ClampPriority(int priority) { return std::clamp(priority, kMinPriority, kMaxPriority); }

bool CKeyPropertiesLogic::CheckExtConnector(const CConsKey& key) {
  const CConsole* console = key.GetOwner();
  if (console == nullptr) return true;
  const CConsProp& prop = console->GetProp();
  if (prop.GetParamText(CConsProp::P_EXT) == QLatin1String("2")) {
    AfxMessageBox(QCoreApplication::translate("CKeyPropertiesLogic", "The EXT connector is in use by  RCX6350 !"),
                  MB_OK | MB_ICONSTOP);
    return false;
  }
  // The key being changed does not count: an AUX key may become a PTT key.
  auto usesExt = [&key](const std::vector<std::unique_ptr<CConsKey>>& keys) {
    for (const auto& other : keys) {
      if (other.get() == &key) continue;
      const int type = other->GetKeyType();
      if (type == CConsKey::AUX || type == CConsKey::TALKEXT) return true;
    }
    return false;
  };
  if (usesExt(prop.GetProgrammableKeys()) || usesExt(prop.GetFixedKeys())) {
    AfxMessageBox(
        QCoreApplication::translate("CKeyPropertiesLogic", "The EXT connector is in use by  another PTT or AUX key  !"),
        MB_OK | MB_ICONSTOP);
    return false;
  }
  return true;
}

bool CKeyPropertiesLogic::SetKeyFunction(CConsKey& key, int function) {
  const int old = key.GetKeyType();
  auto norm = [](int f) { return f > CConsKey::TALKEXT ? CConsKey::MACRO : f; };
  if (norm(function) == norm(old)) return false;
  if ((function == CConsKey::AUX || function == CConsKey::TALKEXT) && !CheckExtConnector(key)) return false;
  CConsole* console = key.GetOwner();
  const QString text = console != nullptr ? console->DefaultKeyParamText(function) : QString();
  const KeyTarget previousSecond = key.GetSecondTarget();
  key.SetSecondTarget(KeyTarget::None());
  if (!key.SetFunctionFromText(function, text, true)) {
    key.SetSecondTarget(previousSecond);
    return false;
  }
  if (console != nullptr && key.GetKeyType() == function) {
    if (function == CConsKey::AUX) console->GetProp().SetParamText(CConsProp::P_EXT, QStringLiteral("1"));
    if (function == CConsKey::TALKEXT) console->GetProp().SetParamText(CConsProp::P_EXT, QStringLiteral("3"));
    // The connector is free again once its only user is disabled.
    if (function == CConsKey::DISABLED && (old == CConsKey::AUX || old == CConsKey::TALKEXT))
      console->GetProp().SetParamText(CConsProp::P_EXT, QStringLiteral("0"));
  }
  return true;
}

int CKeyPropertiesLogic::SetDelay(CConsKey& key, int steps) {
  CConsKey::Function f = key.GetFunction();
  f.p1 = ClampDelay(steps);
  Program(key, f);
  return f.p1;
}

int CKeyPropertiesLogic::SetPriority(CConsKey& key, int priority) {
  const int value = ClampPriority(priority);
  CConsKey::Function f = key.GetFunction();
  f.p3 = value * 10;
  Program(key, f);
  return value;
}

void CKeyPropertiesLogic::SetStopRange(CConsKey& key, int index) {
  CConsKey::Function f = key.GetFunction();
  f.p1 = std::clamp(index, 0, 2);
  Program(key, f);
}

void CKeyPropertiesLogic::SetActiveInProtectedMode(CConsKey& key, bool bActive) {
  CConsKey::Function f = key.GetFunction();
  f.bProtected = !bActive;
  Program(key, f);
}

int CKeyPropertiesLogic::ChooseSignal(CConsKey& key, const KeyTarget& destination, CBaseDevice* signal, int slot) {
  if (signal == nullptr) return 0;
  int priority = 0;
  const int type = key.GetEditFunction().type;
  if (type == CConsKey::ALARM || type == CConsKey::CHIME || type == CConsKey::TEXT) {
    int value = 0;
    const auto* audio = dynamic_cast<const CAudioSignal*>(signal);
    if (audio != nullptr && ScanInt(audio->GetValueText(1), &value) && value >= kMinPriority) {
      priority = ClampPriority(value);
      key.EditFunction().p3 = priority * 10;
    }
  }
  key.SetSecondTarget(KeyTarget::Of(signal));
  key.SetTargetFromSelection(destination.IsSet() ? destination : key.GetTarget(), signal, slot);
  return priority;
}

void CKeyPropertiesLogic::SetPreChime(CConsKey& key, bool bOn) {
  CConsKey::Function f = key.GetFunction();
  if (bOn) {
    const CBaseDevice* chime = key.GetSecondTarget().object;
    f.p2 = chime != nullptr ? chime->GetID() : kDefaultPreChime;
  } else {
    f.p2 = 0;
    key.SetSecondTarget(KeyTarget::None());
  }
  Program(key, f);
  CConsole* console = key.GetOwner();
  if (console != nullptr && key.GetNumber() == CConsKey::kTalkKey)
    console->GetProp().SetParamText(CConsProp::P_PRECHIME, bOn ? QStringLiteral("1") : QStringLiteral("0"));
}
