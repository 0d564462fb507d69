#include "support/popupdriver.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QAction* FindEntry(const QMenu& menu, const std::function<bool(const QAction*)>& match) {
  for (QAction* action : menu.actions()) {
    if (!action->isEnabled() || action->isSeparator()) continue;
    if (action->menu() != nullptr) {
      if (QAction* inner = FindEntry(*action->menu(), match)) return inner;
    } else if (match(action)) {
      return action;
    }
  }
  return nullptr;
}

}  // namespace

QString ChooseFromPopup(const std::function<void()>& open, const std::function<bool(const QAction*)>& match) {
  bool shown = false;
  QString chosen;
  // The popup's own event loop runs the timer; it acts once, on the first
  // popup that is on the screen.
  QTimer timer;
  timer.setInterval(5);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QPointer<QMenu> menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr || !menu->isVisible()) return;
    timer.stop();
    shown = true;
    // As a click does: the menu closes, then the action runs.
    QPointer<QAction> action = FindEntry(*menu, match);
    menu->close();
    if (action != nullptr) {
      chosen = action->text();
      action->trigger();
    }
  });
  timer.start();
  open();
  timer.stop();
  if (!shown)
    ADD_FAILURE() << "ChooseFromPopup: no popup menu appeared";
  else if (chosen.isEmpty())
    ADD_FAILURE() << "ChooseFromPopup: no entry of the popup matched";
  return chosen;
}
