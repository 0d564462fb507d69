#include "support/waituntil.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

bool WaitUntil(const std::function<bool()>& cond, int limitMs) {
  QElapsedTimer limit;
  limit.start();
  while (!cond()) {
    if (limit.elapsed() > limitMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    // Other threads (the simulated unit) get the processor.
    QThread::usleep(500);
  }
  return true;
}
