#include "shell/controls/cresizabletreectrl.h"

#include <QTreeWidgetItemIterator>

CResizableTreeCtrl::CResizableTreeCtrl(QWidget* parent) : QTreeWidget(parent) {}

void CResizableTreeCtrl::SetItemData(QTreeWidgetItem* item, qint64 data) {
  if (item) {
    item->setData(0, kItemDataRole, data);
  }
}

qint64 CResizableTreeCtrl::GetItemData(const QTreeWidgetItem* item) {
  return item ? item->data(0, kItemDataRole).toLongLong() : 0;
}

int CResizableTreeCtrl::SetItemTextByData(qint64 data, const QString& text, int column) {
  int changed = 0;
  for (QTreeWidgetItemIterator it(this); *it; ++it) {
    QTreeWidgetItem* item = *it;
    if (item->data(0, kItemDataRole).isValid() && GetItemData(item) == data) {
      item->setText(column, text);
      ++changed;
    }
  }
  return changed;
}

QTreeWidgetItem* CResizableTreeCtrl::FindItemByData(qint64 data) const {
  for (QTreeWidgetItemIterator it(const_cast<CResizableTreeCtrl*>(this)); *it; ++it) {
    if ((*it)->data(0, kItemDataRole).isValid() && GetItemData(*it) == data) {
      return *it;
    }
  }
  return nullptr;
}
