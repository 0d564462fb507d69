#ifndef SELV_LINK_CTERMINALPROGRESS_H
#define SELV_LINK_CTERMINALPROGRESS_H

#include <QElapsedTimer>
#include <QString>

class QIODevice;

// The progress of a transfer as one line on a terminal: the percentage, the
// lines done of all and the time left, drawn over itself (carriage return)
// at most a few times a second and ended with a line feed. Writes nothing
// at all unless the output is a terminal: a script's log gets no progress
// lines. Owns nothing; out outlives it.
class CTerminalProgress final {
 public:
  static constexpr int kRedrawMs = 250;

  CTerminalProgress(QIODevice& out, bool terminal);
  CTerminalProgress(const CTerminalProgress&) = delete;
  CTerminalProgress& operator=(const CTerminalProgress&) = delete;
  ~CTerminalProgress();

  void Update(int done, int total);
  // Ends the line, when one was drawn.
  void Finish();

  // The line for done of total after elapsedMs: " 45 %   123 of 456 lines
  // 0:42 left"; the time left is "?:??" until there is something to go by.
  static QString Text(int done, int total, qint64 elapsedMs);

 private:
  QIODevice& m_out;
  bool m_terminal;
  bool m_drawn = false;
  int m_width = 0;
  QElapsedTimer m_clock;
  QElapsedTimer m_sinceDrawn;
};

#endif
