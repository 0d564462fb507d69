#ifndef SELV_LOGIC_CSTEPSENDER_H
#define SELV_LOGIC_CSTEPSENDER_H

#include <QString>
#include <QStringList>

#include <functional>

class CSelvantisDoc;

// Sends the command lines of one download step of a container. A step may
// carry several lines; they go out one after the other while the link's
// output buffer holds less than its limit, and the step is repeated (the
// same step returned) until the last line is out. Owns nothing.
class CStepSender final {
 public:
  CStepSender() = default;
  CStepSender(const CStepSender&) = delete;
  CStepSender& operator=(const CStepSender&) = delete;

  // The first call for nStep asks makeLines for the step's lines. Returns
  // next once every line is sent (at once for a step without lines), nStep
  // while some still wait.
  int Send(int nStep, int next, const std::function<QStringList()>& makeLines, const CSelvantisDoc* doc);
  // Forgets a half-sent step (a container being prepared again).
  void Reset();
  bool IsPending() const { return !m_pending.isEmpty(); }

 private:
  int m_step = -1;
  QStringList m_pending;
};

#endif
