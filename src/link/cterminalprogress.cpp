#include "link/cterminalprogress.h"

#include <QCoreApplication>
#include <QIODevice>

#include <algorithm>

CTerminalProgress::CTerminalProgress(QIODevice& out, bool terminal) : m_out(out), m_terminal(terminal) {
  m_clock.start();
}

CTerminalProgress::~CTerminalProgress() { Finish(); }

QString CTerminalProgress::Text(int done, int total, qint64 elapsedMs) {
  total = std::max(total, 0);
  done = std::clamp(done, 0, total);
  const int percent = total > 0 ? static_cast<int>(static_cast<qint64>(done) * 100 / total) : 0;
  QString left = QStringLiteral("?:??");
  if (done > 0 && elapsedMs >= 0) {
    const qint64 seconds = (elapsedMs * (total - done) / done + 999) / 1000;
    left = QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
  }
  return QCoreApplication::translate("CTerminalProgress", "%1 %   %2 of %3 lines   %4 left")
      .arg(percent, 3)
      .arg(done)
      .arg(total)
      .arg(left);
}

void CTerminalProgress::Update(int done, int total) {
  if (!m_terminal) return;
  // The last step is always drawn, so the line ends at 100 %.
  if (m_drawn && done < total && m_sinceDrawn.isValid() && m_sinceDrawn.elapsed() < kRedrawMs) return;
  QString text = Text(done, total, m_clock.elapsed());
  const int width = static_cast<int>(text.size());
  // A shorter line must cover the longer one before it.
  if (width < m_width) text += QString(m_width - width, QLatin1Char(' '));
  m_width = std::max(m_width, width);
  m_out.write("\r" + text.toLocal8Bit());
  m_drawn = true;
  m_sinceDrawn.start();
}

void CTerminalProgress::Finish() {
  if (!m_drawn) return;
  m_out.write("\n");
  m_drawn = false;
  m_width = 0;
}
