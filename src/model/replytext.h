#ifndef SELV_MODEL_REPLYTEXT_H
#define SELV_MODEL_REPLYTEXT_H

#include <QString>
#include <QStringView>

// Values from the unit's reply lines are checked before they are stored:
// control characters (below 0x20, and 0x7F) become blanks, and a text is
// cut to the width its field has in the project file and on the unit. Every
// parse of a reply's text goes through here.
namespace ReplyText {

// An object's name on the unit and in the project file.
constexpr int kNameChars = 32;

// value with every control character replaced by a blank.
QString Clean(QStringView value);
// Clean, then cut to width characters.
QString Field(QStringView value, int width);

}  // namespace ReplyText

#endif
