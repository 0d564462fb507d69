#include "link/clinecutter.h"

#include "model/ctext.h"

CLineCutter::CLineCutter(int maxLineChars) : m_max(maxLineChars > 0 ? maxLineChars : kDefaultMaxLineChars) {}

QStringList CLineCutter::Feed(const QByteArray& bytes) {
  QStringList out;
  Feed(bytes, out);
  return out;
}

int CLineCutter::Feed(const QByteArray& bytes, QStringList& out) {
  int count = 0;
  int pos = 0;
  const int size = bytes.size();
  while (pos < size) {
    const int cr = bytes.indexOf('\r', pos);
    const int end = cr < 0 ? size : cr;
    if (m_skipping) {
      if (cr >= 0) m_skipping = false;
    } else {
      const int room = m_max - m_partial.size();
      const int take = qMin(room, end - pos);
      if (take > 0) m_partial.append(bytes.constData() + pos, take);
      m_truncated += (end - pos) - qMax(take, 0);
      if (cr >= 0) Complete(out, count);
    }
    pos = end + 1;
  }
  return count;
}

void CLineCutter::Complete(QStringList& out, int& count) {
  int start = 0;
  while (start < m_partial.size() && m_partial[start] == '\n') ++start;
  if (start < m_partial.size()) {
    out.append(FromUnitText(start == 0 ? m_partial : m_partial.mid(start)));
    ++count;
  }
  m_partial.clear();
}

QByteArray CLineCutter::TakePartial() {
  QByteArray partial = m_partial;
  m_partial.clear();
  return partial;
}

void CLineCutter::Reset() {
  m_partial.clear();
  m_skipping = false;
}
