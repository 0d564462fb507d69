#ifndef SELV_EDITORS_LISTS_CLISTHOVEROVERLAY_H
#define SELV_EDITORS_LISTS_CLISTHOVEROVERLAY_H

#include "editors/lists/listhovertracker.h"

#include <QWidget>

class QAbstractItemView;

// The dotted hover rectangle of the entry lists for an item view that is not
// one of them (the entry lists paint it themselves): a see-through layer over
// the view's cells that follows the mouse and lets every mouse event pass.
// The view owns it (it is a child of the view's viewport).
class CListHoverOverlay final : public QWidget {
  Q_OBJECT

 public:
  explicit CListHoverOverlay(QAbstractItemView* view);

  const ListHoverTracker& Tracker() const noexcept { return m_tracker; }
  // A selection change: the rectangle goes until the mouse reaches another cell.
  void ClearFlag();
  // Before an edit: the rectangle goes and the remembered cell is forgotten.
  void Reset();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect CellRect(const ListCell& cell) const;

  QAbstractItemView* m_view;
  ListHoverTracker m_tracker;
};

#endif
