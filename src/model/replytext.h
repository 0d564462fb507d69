#ifndef SELV_MODEL_REPLYTEXT_H
#define SELV_MODEL_REPLYTEXT_H

#include <QString>
#include <QStringView>

// Values from the unit's reply lines are checked before they are stored:
// control characters (below 0x20, and 0x7F) become blanks, and a text is
// cut to the width of its field. Every parse of a reply's text goes through
// here, and so does every text field a download sends, so that neither a
// damaged reply nor an over-long text of a project file puts more into a
// command line than the field holds.
namespace ReplyText {

// The text fields the unit and the program exchange. docs/command-language.md
// lists them with their command paths and where each width comes from.
enum class TextField {
  Name,             // a zone's or a console's name
  LcdText,          // the text of a "Display text on LCD" macro
  BuzzerPattern,    // the pattern of a buzzer macro
  ControllerTitle,  // the title of a virtual-controller macro
  ControllerUnit,   // the unit of a virtual-controller macro
  FaultText,        // one of the five user fault texts of the ready inputs
  ZoneIgnore,       // the faults a zone's line test ignores
  MonitorKind,      // the source keyword of a monitor table entry
  RangeList,        // member lists, event-log masks, amplifier selections
};

// An object's name on the unit.
constexpr int kNameChars = 32;

// The number of characters field holds.
int Width(TextField field);

// value with every control character replaced by a blank.
QString Clean(QStringView value);
// Clean, then cut to width characters.
QString Field(QStringView value, int width);
// Clean, then cut to the field's width.
QString Field(QStringView value, TextField field);

}  // namespace ReplyText

#endif
