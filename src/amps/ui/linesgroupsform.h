#ifndef SELV_AMPS_UI_LINESGROUPSFORM_H
#define SELV_AMPS_UI_LINESGROUPSFORM_H

#include <QAbstractItemView>
#include <QIcon>

#include <functional>
#include <initializer_list>
#include <vector>

class CBaseDevice;
class CEditableListCtrl;
class QWidget;

// A list or tree of the zone-and-group dialogs whose drags the dialog runs
// itself: picking up rows calls onBeginDrag instead of Qt's own drag, and the
// drags reaching the viewport go to the dialog (the view's parent), whose
// event filter takes them.
template <class View>
class LinesGroupsDragView final : public View {
 public:
  explicit LinesGroupsDragView(QWidget* dialog) : View(dialog) {
    this->setDragEnabled(true);
    this->setAcceptDrops(true);
    this->setDragDropMode(QAbstractItemView::DragDrop);
    this->viewport()->setAcceptDrops(true);
    this->viewport()->installEventFilter(dialog);
  }
  std::function<void()> onBeginDrag;

 protected:
  void startDrag(Qt::DropActions) override {
    if (onBeginDrag) onBeginDrag();
  }
};

// What the zone-and-group dialogs share besides their drags: the form and
// the rows.
class LinesGroupsForm final {
 public:
  // The data a row or item carries: the object it stands for.
  static qint64 DataOf(const CBaseDevice* object);
  // Appends a row with the object's name and its picture (one of icons,
  // none when image is out of range) carrying the object as its data.
  static int AppendRow(CEditableListCtrl* list, CBaseDevice* object, int image, const std::vector<QIcon>& icons);
  // A caption over each of the two views side by side, the buttons at the
  // lower right.
  static void LayOut(QWidget* dialog, QWidget* leftCaption, QWidget* rightCaption, QWidget* left, QWidget* right,
                     std::initializer_list<QWidget*> buttons);
};

#endif
