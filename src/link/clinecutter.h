#ifndef SELV_LINK_CLINECUTTER_H
#define SELV_LINK_CLINECUTTER_H

#include <QByteArray>
#include <QString>
#include <QStringList>

// Cuts the unit's output into lines: a line ends at CR, a LF at the start of
// a line is dropped (the unit ends lines with CR LF), empty lines carry
// nothing and are dropped. A line may arrive in any number of pieces; it is
// handed out once, whole. A line longer than the limit keeps its first
// maxLineChars characters, so garbage without line ends cannot grow without
// bound.
class CLineCutter final {
 public:
  static constexpr int kDefaultMaxLineChars = 1024;

  explicit CLineCutter(int maxLineChars = kDefaultMaxLineChars);

  // Appends received bytes; returns the lines completed by them.
  QStringList Feed(const QByteArray& bytes);
  // Feeds and appends completed lines to out; returns how many.
  int Feed(const QByteArray& bytes, QStringList& out);
  // The incomplete line so far.
  const QByteArray& Partial() const { return m_partial; }
  // Takes the incomplete line (for a reader that takes the raw stream over).
  QByteArray TakePartial();
  // Drops everything up to and including the next CR: the rest of a line
  // whose start someone else has taken.
  void SkipToLineEnd() { m_skipping = true; }
  void Reset();
  // Characters dropped from over-long lines so far.
  qint64 TruncatedChars() const { return m_truncated; }

 private:
  void Complete(QStringList& out, int& count);

  int m_max;
  QByteArray m_partial;
  bool m_skipping = false;
  qint64 m_truncated = 0;
};

#endif
