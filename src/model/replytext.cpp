#include "model/replytext.h"

namespace ReplyText {

QString Clean(QStringView value) {
  QString text = value.toString();
  for (QChar& c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QLatin1Char(' ');
  }
  return text;
}

QString Field(QStringView value, int width) { return Clean(value.left(qMax(0, width))); }

}  // namespace ReplyText
