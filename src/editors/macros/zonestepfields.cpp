#include "editors/macros/zonestepfields.h"

#include "macros/cmacro.h"

namespace ZoneStepFields {

namespace {

constexpr int kInputCount = 5;

void Rename(CMacro& macro, bool addSub) {
  const QString name = ModeName(macro.GetName(), addSub, macro.GetParam(CMacro::P_SWITCH) != 0);
  if (name != macro.GetName()) macro.SetUniqueName(name, true);
}

}  // namespace

QString ModeName(const QString& name, bool addSub, bool onMacro) {
  QString result = name;
  if (addSub && onMacro) {
    result.replace(QStringLiteral("ON"), QStringLiteral("ADD"));
    result.replace(QStringLiteral("SUB"), QStringLiteral("OFF"));
  } else if (addSub) {
    result.replace(QStringLiteral("ADD"), QStringLiteral("ON"));
    result.replace(QStringLiteral("OFF"), QStringLiteral("SUB"));
  } else {
    result.replace(QStringLiteral("ADD"), QStringLiteral("ON"));
    result.replace(QStringLiteral("SUB"), QStringLiteral("OFF"));
  }
  return result;
}

void SetMode(CMacro& macro, bool addSub) {
  CMacro* partner = macro.GetPartner();
  macro.SetParam(CMacro::P_ADDSUB, addSub ? 1 : 0);
  Rename(macro, addSub);
  if (partner) {
    partner->SetParam(CMacro::P_ADDSUB, addSub ? 1 : 0);
    Rename(*partner, addSub);
  }
}

MacroStepFields::Choices InputChoices() {
  MacroStepFields::Choices choices;
  choices.push_back({QStringLiteral("OFF"), 0});
  for (int i = 1; i < kInputCount; ++i) choices.push_back({QStringLiteral("IN") + QChar(u'0' + i), i});
  return choices;
}

int InputIndex(int input) { return input >= 0 && input < kInputCount ? input : 0; }

}  // namespace ZoneStepFields
