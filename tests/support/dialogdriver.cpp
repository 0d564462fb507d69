#include "support/dialogdriver.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace {

constexpr int kPollIntervalMs = 10;

struct Driver {
  std::function<void(QWidget*)> action;
  int timeoutMs = 0;
  bool started = false;  // the clock runs from when the driver is first in line
  QElapsedTimer waiting;
};

// A dialog an action runs on; rejected if still open when its time is up.
// The clock starts once the action has returned: an action may take as long
// as it needs (it may open and drive further dialogs itself).
struct Driven {
  QPointer<QWidget> dialog;
  int timeoutMs = 0;
  bool acting = true;
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
      const Driven& driven = **it;
      if (!driven.dialog || !driven.dialog->isVisible()) {
        it = m_driven.erase(it);
      } else if (!driven.acting && driven.since.elapsed() > driven.timeoutMs) {
        ADD_FAILURE() << "DriveNextModal: the action left the dialog open; rejected";
        CloseModal(driven.dialog);
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
      auto driven = std::make_shared<Driven>();
      driven->dialog = modal;
      driven->timeoutMs = driver.timeoutMs;
      m_driven.push_back(driven);
      // Run outside this timer's callback: a timer does not fire again while
      // its callback runs, and an action may open the next dialog itself.
      QPointer<QWidget> target(modal);
      QTimer::singleShot(0, qApp, [action = std::move(driver.action), target, driven] {
        if (target) action(target);
        driven->acting = false;
        driven->since.start();
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
  std::vector<std::shared_ptr<Driven>> m_driven;
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
