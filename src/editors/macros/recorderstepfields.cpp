#include "editors/macros/recorderstepfields.h"

#include "macros/cmacro.h"
#include "model/ctext.h"
#include "unit/cinternalmessagerec.h"

#include <QStringList>

namespace RecorderStepFields {

namespace {

MacroStepFields::Choices Indexed(const QStringList& texts) {
  MacroStepFields::Choices choices;
  for (int i = 0; i < texts.size(); ++i) choices.push_back({texts.at(i), i});
  return choices;
}

}  // namespace

MacroStepFields::Choices MessageChoices(const CSelvantisDoc* doc) {
  QStringList texts{QStringLiteral("OFF")};
  if (const CInternalMessageRec* recorder = CInternalMessageRec::Find(doc)) {
    QStringList names;
    recorder->ListChoices(CInternalMessageRec::P_NAME, &names);
    texts += names.mid(0, CInternalMessageRec::kMessageCount);
  }
  return Indexed(texts);
}

MacroStepFields::Choices InputChoices() {
  return Indexed({QStringLiteral("OFF"), QStringLiteral("IN1"), QStringLiteral("IN2"), QStringLiteral("IN3"),
                  QStringLiteral("IN4")});
}

MacroStepFields::Choices FormatChoices() {
  return Indexed({QStringLiteral("20KHZ LINEAR"), QString::fromLatin1("10KHZ \xB5-LAW")});
}

int EnsureFormat(CMacro& macro) {
  const MacroStepFields::Choices formats = FormatChoices();
  const QString current = macro.GetParamText(CMacro::P_QUALITY);
  for (size_t i = 0; i < formats.size(); ++i) {
    if (formats[i].text == current) return static_cast<int>(i);
  }
  MacroStepFields::WriteMirroredText(macro, CMacro::P_QUALITY, formats.front().text);
  return 0;
}

void WriteMessage(CMacro& macro, int index) {
  if (index >= 0) MacroStepFields::WriteMirrored(macro, CMacro::P_FILE, index);
}

void WriteInput(CMacro& macro, int index) {
  if (index >= 0) MacroStepFields::WriteMirrored(macro, CMacro::P_INPUT, index);
}

void WriteFormat(CMacro& macro, const QString& text) {
  MacroStepFields::WriteMirroredText(macro, CMacro::P_QUALITY, text);
}

QString WriteTime(CMacro& macro, double seconds) {
  MacroStepFields::WriteMirroredFloat(macro, CMacro::P_MAXTIME, static_cast<float>(seconds));
  return TimeText(macro);
}

QString TimeText(const CMacro& macro) {
  return Fmt("%.1f", static_cast<double>(macro.GetParamFloat(CMacro::P_MAXTIME)));
}

}  // namespace RecorderStepFields
