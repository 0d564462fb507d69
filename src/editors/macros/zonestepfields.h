#ifndef SELV_EDITORS_MACROS_ZONESTEPFIELDS_H
#define SELV_EDITORS_MACROS_ZONESTEPFIELDS_H

#include "editors/macros/macrostepfields.h"

#include <QString>

class CMacro;

// What the zone-switching step editors (alarm, message, chime, page,
// background) decide, as plain functions the editors and tests call.
namespace ZoneStepFields {

// The name a macro gets when its pair changes between ON/OFF and ADD/SUB
// mode. Every occurrence is replaced, in this order:
//   ADD/SUB, ON macro:  "ON" -> "ADD", then "SUB" -> "OFF"
//   ADD/SUB, OFF macro: "ADD" -> "ON", then "OFF" -> "SUB"
//   ON/OFF:             "ADD" -> "ON", then "SUB" -> "OFF"
QString ModeName(const QString& name, bool addSub, bool onMacro);

// Parameter 18 := addSub on the macro and its partner, each renamed by its
// own switch parameter (a clashing name is made unique and reported).
void SetMode(CMacro& macro, bool addSub);

// The page input list: "OFF", "IN1" ... "IN4" with their index as value.
MacroStepFields::Choices InputChoices();
// The entry of the input list for parameter 4; 0 ("OFF") when out of range.
int InputIndex(int input);

}  // namespace ZoneStepFields

#endif
