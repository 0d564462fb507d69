#include "editors/macros/consolestepfields.h"

#include "macros/cmacro.h"
#include "model/cstringtable.h"
#include "model/ctext.h"
#include "model/devicetype.h"

#include <algorithm>

namespace ConsoleStepFields {

namespace {
constexpr uint32_t kStrAllConsoles = 34273;
}

MacroStepFields::Choices ConsoleChoices(const CSelvantisDoc* doc) {
  QString all = LoadString(kStrAllConsoles);
  if (all.isEmpty()) all = QStringLiteral("All Consoles");
  return MacroStepFields::ObjectChoices(doc, DT_CONSOLE, all);
}

int ReadNumber(const QString& text) {
  int value = 0;
  return ScanInt(text, &value) ? value : 0;
}

// Console steps are single macros: a pairing they still carry (from an
// older kind or a damaged file) is dropped rather than followed.
void WriteConsole(CMacro& macro, int consoleId) {
  macro.SetParam(CMacro::P_CONSOLE, consoleId);
  if (CMacro* partner = macro.GetPartner()) partner->SetParam(CMacro::P_PARTNER, 0);
}

void WriteText(CMacro& macro, const QString& text) { macro.SetParamText(CMacro::P_TEXT, text.left(kTextMax)); }

void WriteDisplayDuration(CMacro& macro, const QString& text) {
  MacroStepFields::WriteMirrored(macro, CMacro::P_TIME, std::max(0, ReadNumber(text)));
}

void WriteLine(CMacro& macro, int line) {
  if (line == 1 || line == 2) macro.SetParam(CMacro::P_LINE, line);
}

void WriteFlag(CMacro& macro, int param, bool checked) { macro.SetParam(param, checked ? 1 : 0); }

void WritePatternTime(CMacro& macro, const QString& text) {
  macro.SetParam(CMacro::P_TIME, std::max(0, ReadNumber(text)));
}

void WriteBuzzerCount(CMacro& macro, int param, const QString& text) {
  macro.SetParam(param, std::clamp(ReadNumber(text), 0, 255));
}

QString NumberText(const CMacro& macro, int param) { return Fmt("%d", macro.GetParam(param)); }

}  // namespace ConsoleStepFields
