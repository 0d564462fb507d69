#include "model/replytext.h"

namespace ReplyText {

namespace {

// A console's display line holds 16 characters.
constexpr int kDisplayLineChars = 16;

}  // namespace

int Width(TextField field) {
  switch (field) {
    case TextField::Name: return kNameChars;
    case TextField::LcdText:
    case TextField::BuzzerPattern: return kDisplayLineChars;
    // A choice: title, unit and fault texts are shown on a console's display
    // as the LCD text is (every fixed fault text of the unit fits 16).
    case TextField::ControllerTitle:
    case TextField::ControllerUnit:
    case TextField::FaultText: return kDisplayLineChars;
    // "POSTOL,NEGTOL,GNDFLT,OVF_U,OVF_I": every fault the line test knows.
    case TextField::ZoneIgnore: return 32;
    // A choice: one keyword ("AMP_OUT" is the longest known, 7), with room
    // for a keyword a later unit may add.
    case TextField::MonitorKind: return 16;
    // The shared range-list buffer: 500 bytes, its terminating zero included.
    case TextField::RangeList: return 499;
  }
  return 0;
}

QString Clean(QStringView value) {
  QString text = value.toString();
  for (QChar& c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QLatin1Char(' ');
  }
  return text;
}

QString Field(QStringView value, int width) { return Clean(value.left(qMax(0, width))); }

QString Field(QStringView value, TextField field) { return Field(value, Width(field)); }

}  // namespace ReplyText
