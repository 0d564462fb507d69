#ifndef SELV_EDITORS_MACROS_MACROSTEPFIELDS_H
#define SELV_EDITORS_MACROS_MACROSTEPFIELDS_H

#include <QString>

#include <utility>
#include <vector>

class CBaseDevice;
class CMacro;
class CSelvantisDoc;

// What the step editors show and write, as plain functions the editors
// (and the tests) call: choice lists, the priority list, the pair rows and
// the writes that follow the partner of a pair.
namespace MacroStepFields {

struct Choice {
  QString text;
  int data = 0;
};
using Choices = std::vector<Choice>;

// "OFF", "1" ... "10" with 0, 10 ... 100; without OFF only "1" ... "10".
Choices PriorityChoices(bool withOff);
// The first entry whose value / 10 equals priority / 10 (45 and 41 show
// "4"); 0 when none matches.
int PriorityIndex(const Choices& choices, int priority);

// firstText with 0, then the objects of the type by identifier: name, ID.
Choices ObjectChoices(const CSelvantisDoc* doc, int type, const QString& firstText);
// The entry whose value equals value; 0 when none does.
int ChoiceIndex(const Choices& choices, int value);

// The names of the ON row and the OFF row of a pair (the macro's own name
// on the side its switch parameter says).
std::pair<QString, QString> PairRows(const CMacro& macro);

// Writes a parameter to the macro and the same value to its partner.
void WriteMirrored(CMacro& macro, int index, int value);
void WriteMirroredFloat(CMacro& macro, int index, float value);
void WriteMirroredText(CMacro& macro, int index, const QString& text);
// Links the zones and groups of the list to the macro and its partner.
void ApplyZonesMirrored(CMacro& macro, const std::vector<CBaseDevice*>& zonesAndGroups);

}  // namespace MacroStepFields

#endif
