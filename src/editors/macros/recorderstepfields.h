#ifndef SELV_EDITORS_MACROS_RECORDERSTEPFIELDS_H
#define SELV_EDITORS_MACROS_RECORDERSTEPFIELDS_H

#include "editors/macros/macrostepfields.h"

#include <QString>

class CMacro;
class CSelvantisDoc;

// What the recorder step editors (record, erase) show and write. Every
// write goes to the macro and to its partner.
namespace RecorderStepFields {

// "OFF", then the recorder's message names in order: index n is message n.
// Only "OFF" when the project has no internal message recorder.
MacroStepFields::Choices MessageChoices(const CSelvantisDoc* doc);
// "OFF", "IN1" .. "IN4".
MacroStepFields::Choices InputChoices();
// "20KHZ LINEAR", "10KHZ µ-LAW".
MacroStepFields::Choices FormatChoices();

// The format entry whose text equals the macro's format. When there is
// none, the first format is stored in the macro and its partner and 0 is
// returned.
int EnsureFormat(CMacro& macro);

void WriteMessage(CMacro& macro, int index);
void WriteInput(CMacro& macro, int index);
void WriteFormat(CMacro& macro, const QString& text);
// Stores the recording time (limited to 0.0 .. 360.4 s) and returns the
// text of the stored value, which the edit shows.
QString WriteTime(CMacro& macro, double seconds);
QString TimeText(const CMacro& macro);

}  // namespace RecorderStepFields

#endif
