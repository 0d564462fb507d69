#ifndef SELV_TESTS_EDITORS_LISTS_LISTMOUSESUPPORT_H
#define SELV_TESTS_EDITORS_LISTS_LISTMOUSESUPPORT_H

#include "editors/lists/ceblistview.h"
#include "shell/controls/cinplaceedit.h"

#include <QPoint>
#include <QTest>
#include <QWidget>
#include <QWindow>

// Mouse clicks on a list's cell as the window system delivers them: through
// the list's top-level window, so each press and release reaches the widget
// under the mouse (a rename box that opened over the cell takes the next
// click, as it does for the user).
class ListMouse final {
 public:
  explicit ListMouse(CEBListView* list) : m_list(list) {}

  // False when the window cannot be shown.
  bool Ready() const {
    QWidget* top = m_list->window();
    top->show();
    return QTest::qWaitForWindowExposed(top) && top->windowHandle() != nullptr;
  }
  // One click: press and release.
  void Click(int row, int column) const {
    QTest::mouseClick(Window(), Qt::LeftButton, Qt::NoModifier, At(row, column));
  }
  // A double click: press, release, press (the double click), release.
  void DoubleClick(int row, int column) const {
    QTest::mouseDClick(Window(), Qt::LeftButton, Qt::NoModifier, At(row, column));
  }
  // The rename box over the list, or null.
  CInPlaceEdit* RenameBox() const { return m_list->viewport()->findChild<CInPlaceEdit*>(); }

 private:
  QWindow* Window() const { return m_list->window()->windowHandle(); }
  QPoint At(int row, int column) const {
    const QPoint inView = m_list->CellRect(row, column).center();
    return m_list->viewport()->mapTo(m_list->window(), inView);
  }

  CEBListView* m_list;
};

#endif
