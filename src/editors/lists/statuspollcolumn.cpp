#include "editors/lists/statuspollcolumn.h"

#include "model/cstringtable.h"

namespace {

constexpr uint32_t kStateTitle = 34388;  // "State"

}  // namespace

QString StatusPollColumn::Title() const {
  const QString title = LoadString(kStateTitle);
  return m_polling ? title + QStringLiteral(" *") : title;
}

bool StatusPollColumn::OnHeaderClick(int column, bool online) {
  if (column != m_column || !online) return false;
  m_polling = !m_polling;
  return true;
}

BitSet StatusPollColumn::ParseReply(const QString& reply, unsigned count) {
  BitSet bits = MakeBitSet(count);
  const QString trimmed = reply.trimmed();
  // The last word; the reply may hold the echoed query and line ends first.
  qsizetype start = trimmed.size();
  while (start > 0 && !trimmed.at(start - 1).isSpace()) --start;
  QString word = trimmed.mid(start);
  if (word.compare(QLatin1String("NONE"), Qt::CaseInsensitive) == 0) word = QStringLiteral("0");
  // A damaged list shows nothing rather than part of it.
  if (word.isEmpty() || !ParseRangeList(word, bits, count)) bits = MakeBitSet(count);
  return bits;
}
