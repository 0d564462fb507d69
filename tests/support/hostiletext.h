#ifndef SELV_TESTS_SUPPORT_HOSTILETEXT_H
#define SELV_TESTS_SUPPORT_HOSTILETEXT_H

#include <QString>

#include <functional>

class CBaseDevice;

// A reply text no field can hold: 308 characters (or chars) with control
// bytes and a line feed among the first ten (never XON or XOFF, which the
// line takes for flow control), then lower-case letters. The unit's store
// answers it as it is; what the program keeps of it is
// HostileTextCut(width).
//
//   sim.SetValue("/MACRO/ENTRY1/PARAM/TEXT", HostileText());
//   ... upload ...
//   EXPECT_EQ(macro->GetParamText(CMacro::P_TEXT), HostileTextCut(16));
QString HostileText(int chars = 308);
// The first width characters of HostileText(chars), its control characters
// and line feed written as blanks.
QString HostileTextCut(int width, int chars = 308);

// A text field as the width tests go through them: the unit holds a hostile
// text of chars characters at path; an upload and a download step object;
// stored reads the field back from the project.
struct HostileTextField {
  QString path;
  int width;
  int chars;
  CBaseDevice* object;
  std::function<QString()> stored;
  bool sentBack = true;  // a download sends the field
};

#endif
