#ifndef SELV_TESTS_AMPS_UI_LINESGROUPSTESTSUPPORT_H
#define SELV_TESTS_AMPS_UI_LINESGROUPSTESTSUPPORT_H

#include "model/cbasedevice.h"
#include "shell/controls/ceditablelistctrl.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStringList>
#include <QWidget>

#include <initializer_list>
#include <vector>

// What the zone-and-group dialog tests read and do.

inline QStringList Names(const std::vector<CBaseDevice*>& objects) {
  QStringList names;
  for (const CBaseDevice* object : objects) names << object->GetName();
  return names;
}

inline QStringList Texts(const CEditableListCtrl* list) {
  QStringList texts;
  for (int row = 0; row < list->GetItemCount(); ++row) texts << list->GetItemText(row, 0);
  return texts;
}

// Delivers a drop of data on a control's client area (offscreen a real drag
// does nothing); takes the data.
inline void Drop(QWidget* viewport, QMimeData* data) {
  // The application hands a drop to the control that accepted the drag
  // entering it; one that refused it gets no drop.
  QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(viewport, &drop);
  delete data;
}

inline void SelectRows(CEditableListCtrl* list, std::initializer_list<int> rows) {
  list->clearSelection();
  for (int row : rows) list->SelectRow(row);
}

#endif
