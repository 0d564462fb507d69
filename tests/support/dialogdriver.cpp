#include "support/dialogdriver.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace {

constexpr int kPollIntervalMs = 10;

struct Driver {
  std::function<void(QWidget*)> action;
  int timeoutMs = 0;
  bool started = false;  // the clock runs from when the driver is first in line
  QElapsedTimer waiting;
};

// A dialog an action has run on; rejected if still open when its time is up.
struct Driven {
  QPointer<QWidget> dialog;
  int timeoutMs = 0;
  QElapsedTimer since;
};

void CloseModal(QWidget* w) {
  if (auto* dlg = qobject_cast<QDialog*>(w))
    dlg->reject();
  else
    w->close();
}

class DriverQueue final {
 public:
  static DriverQueue& Instance() {
    static DriverQueue queue;
    return queue;
  }

  void Arm(std::function<void(QWidget*)> action, int timeoutMs) {
    Driver driver;
    driver.action = std::move(action);
    driver.timeoutMs = timeoutMs;
    m_drivers.push_back(std::move(driver));
    if (!m_timer) {
      m_timer = new QTimer(qApp);
      m_timer->setInterval(kPollIntervalMs);
      QObject::connect(m_timer, &QTimer::timeout, [this] { Poll(); });
    }
    m_timer->start();
  }

  int Pending() const { return static_cast<int>(m_drivers.size()); }

  int Cancel() {
    const int pending = Pending();
    m_drivers.clear();
    m_driven.clear();
    m_handled.clear();
    if (m_timer) m_timer->stop();
    return pending;
  }

 private:
  bool Handled(QWidget* w) const {
    for (const QPointer<QWidget>& p : m_handled)
      if (p == w) return true;
    return false;
  }

  void Poll() {
    for (auto it = m_driven.begin(); it != m_driven.end();) {
      if (!it->dialog || !it->dialog->isVisible()) {
        it = m_driven.erase(it);
      } else if (it->since.elapsed() > it->timeoutMs) {
        ADD_FAILURE() << "DriveNextModal: the action left the dialog open; rejected";
        CloseModal(it->dialog);
        it = m_driven.erase(it);
      } else {
        ++it;
      }
    }

    if (m_drivers.empty()) {
      if (m_driven.empty()) m_timer->stop();
      return;
    }
    Driver& front = m_drivers.front();
    if (!front.started) {
      front.started = true;
      front.waiting.start();
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible() && !Handled(modal)) {
      Driver driver = std::move(front);
      m_drivers.pop_front();
      m_handled.emplace_back(modal);
      Driven driven;
      driven.dialog = modal;
      driven.timeoutMs = driver.timeoutMs;
      driven.since.start();
      m_driven.push_back(driven);
      // Run outside this timer's callback: a timer does not fire again while
      // its callback runs, and an action may open the next dialog itself.
      QPointer<QWidget> target(modal);
      QTimer::singleShot(0, qApp, [action = std::move(driver.action), target] {
        if (target) action(target);
      });
      return;
    }
    if (front.waiting.elapsed() > front.timeoutMs) {
      ADD_FAILURE() << "DriveNextModal: no modal dialog appeared within " << front.timeoutMs << " ms";
      m_drivers.pop_front();
      if (modal) CloseModal(modal);
    }
  }

  QTimer* m_timer = nullptr;
  std::deque<Driver> m_drivers;
  std::vector<Driven> m_driven;
  std::vector<QPointer<QWidget>> m_handled;
};

}  // namespace

bool DriveNextModal(std::function<void(QWidget* dialog)> action, int timeoutMs) {
  if (!qApp) {
    ADD_FAILURE() << "DriveNextModal needs the application object";
    return false;
  }
  DriverQueue::Instance().Arm(std::move(action), timeoutMs);
  return true;
}

int PendingModalDrivers() { return DriverQueue::Instance().Pending(); }

int CancelModalDrivers() { return DriverQueue::Instance().Cancel(); }
