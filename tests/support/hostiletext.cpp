#include "support/hostiletext.h"

namespace {

QString Letters(int count) {
  QString text;
  for (int i = 0; i < count; ++i) text += QChar('a' + i % 26);
  return text;
}

}  // namespace

QString HostileText(int chars) {
  const QString head = QStringLiteral("Ab") + QChar(0x01) + "cd" + QChar('\n') + "ef" + QChar(0x7F) + QChar(0x1B);
  return head + Letters(chars - head.size());
}

QString HostileTextCut(int width, int chars) {
  const QString head = QStringLiteral("Ab cd ef  ");
  const int kept = qMin(width, chars);
  return kept <= head.size() ? head.left(kept) : head + Letters(kept - head.size());
}
