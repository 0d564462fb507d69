#ifndef SELV_TESTS_SUPPORT_POPUPDRIVER_H
#define SELV_TESTS_SUPPORT_POPUPDRIVER_H

#include <QString>

#include <functional>

class QAction;

// Chooses an entry of the popup menu that open() shows with exec() (a
// context menu): the first enabled action, in its sub-menus too, that match
// accepts is triggered and the menu closed, as a click on it does. Returns
// the chosen action's text; empty, with a test failure, when open() showed
// no popup or no entry matched (the popup is closed then).
QString ChooseFromPopup(const std::function<void()>& open, const std::function<bool(const QAction*)>& match);

#endif
