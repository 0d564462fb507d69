#ifndef SELV_EDITORS_MACROS_CONSOLESTEPFIELDS_H
#define SELV_EDITORS_MACROS_CONSOLESTEPFIELDS_H

#include "editors/macros/macrostepfields.h"

#include <QString>

class CMacro;
class CSelvantisDoc;

// What the console step editors (LCD text, buzzer) show and write. Every
// write goes straight into the macro, as the user types.
namespace ConsoleStepFields {

// The longest LCD text and buzzer pattern a console takes.
constexpr int kTextMax = 16;

// "All Consoles" with 0, then the project's consoles by name with their IDs.
MacroStepFields::Choices ConsoleChoices(const CSelvantisDoc* doc);

// The leading decimal number of an edit's text (C locale); 0 when the text
// does not begin with a number.
int ReadNumber(const QString& text);

// The console (0 = all); a partner, if there is one, no longer names
// this macro.
void WriteConsole(CMacro& macro, int consoleId);
// Text and pattern are kept to kTextMax characters.
void WriteText(CMacro& macro, const QString& text);
// LCD: display duration in seconds (0 = infinite, never negative); a
// partner follows.
void WriteDisplayDuration(CMacro& macro, const QString& text);
// LCD: line 1 or 2; other values are ignored.
void WriteLine(CMacro& macro, int line);
// LCD: "clear other line" (71) and "buzzer when new text" (70).
void WriteFlag(CMacro& macro, int param, bool checked);
// Buzzer: time for one pattern in tenths of a second, typed after a fixed
// "0." (5 is 0.5 s); any number the parameter holds, never negative.
void WritePatternTime(CMacro& macro, const QString& text);
// Buzzer: repeat counter (75) or pause (76), 0 .. 255.
void WriteBuzzerCount(CMacro& macro, int param, const QString& text);

// The text an integer parameter shows ("%d").
QString NumberText(const CMacro& macro, int param);

}  // namespace ConsoleStepFields

#endif
