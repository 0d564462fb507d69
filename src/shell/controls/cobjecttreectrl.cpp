#include "shell/controls/cobjecttreectrl.h"

#include "model/cbasedevice.h"
#include "model/cselvantisdoc.h"

#include <QLineEdit>
#include <QTreeWidgetItem>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <vector>

namespace {

constexpr int kObjectRole = Qt::UserRole + 2;

}  // namespace

CObjectTreeCtrl::CObjectTreeCtrl(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
}

void CObjectTreeCtrl::SetDocument(CSelvantisDoc* doc) {
  if (m_doc) {
    disconnect(m_doc, nullptr, this, nullptr);
  }
  m_doc = doc;
  if (doc) {
    connect(doc, &CSelvantisDoc::objectAboutToBeRemoved, this, &CObjectTreeCtrl::RemoveObjectItems);
    connect(doc, &CSelvantisDoc::aboutToClear, this, &QTreeWidget::clear);
  }
}

QTreeWidgetItem* CObjectTreeCtrl::AddObjectItem(CBaseDevice* object, QTreeWidgetItem* parent) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  item->setData(0, kObjectRole, QVariant::fromValue(reinterpret_cast<quintptr>(object)));
  if (object) {
    item->setText(0, object->GetName());
    item->setFlags(item->flags() | Qt::ItemIsEditable);
  }
  return item;
}

CBaseDevice* CObjectTreeCtrl::ObjectOf(const QTreeWidgetItem* item) {
  return item ? reinterpret_cast<CBaseDevice*>(item->data(0, kObjectRole).value<quintptr>()) : nullptr;
}

QTreeWidgetItem* CObjectTreeCtrl::FindObjectItem(const CBaseDevice* object) const {
  for (QTreeWidgetItemIterator it(const_cast<CObjectTreeCtrl*>(this)); *it; ++it) {
    if (object && ObjectOf(*it) == object) {
      return *it;
    }
  }
  return nullptr;
}

void CObjectTreeCtrl::RefreshObject(const CBaseDevice* object) {
  for (QTreeWidgetItemIterator it(this); *it; ++it) {
    if (object && ObjectOf(*it) == object) {
      (*it)->setText(0, object->GetName());
    }
  }
}

bool CObjectTreeCtrl::RenameFromLabel(QTreeWidgetItem* item, const QString& text) {
  CBaseDevice* object = ObjectOf(item);
  if (!object) {
    return false;
  }
  const bool renamed = text != object->GetName() && object->Rename(text, true);
  RefreshObject(object);
  if (renamed) {
    emit objectRenamed(object);
  }
  return renamed;
}

bool CObjectTreeCtrl::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const bool started = QTreeWidget::edit(index, trigger, event);
  if (started) {
    m_editIndex = index;
    auto* line = qobject_cast<QLineEdit*>(indexWidget(index));
    if (line && m_nameWidth > 0) {
      line->setMaxLength(m_nameWidth);
    }
  }
  return started;
}

void CObjectTreeCtrl::commitData(QWidget* editor) {
  // The object is renamed instead of the item's text being written: the
  // object may refuse the name, and then the item keeps the old one.
  auto* line = qobject_cast<QLineEdit*>(editor);
  QTreeWidgetItem* item = m_editIndex.isValid() ? itemFromIndex(m_editIndex) : nullptr;
  m_editIndex = QPersistentModelIndex();
  if (line && item) {
    RenameFromLabel(item, line->text());
  }
}

void CObjectTreeCtrl::RemoveObjectItems(CBaseDevice* object) {
  std::vector<QTreeWidgetItem*> doomed;
  for (QTreeWidgetItemIterator it(this); *it; ++it) {
    if (ObjectOf(*it) == object) {
      doomed.push_back(*it);
    }
  }
  // An item inside another doomed item goes with it; decide every item
  // before freeing any, so no freed item is looked at.
  std::vector<QTreeWidgetItem*> roots;
  for (QTreeWidgetItem* item : doomed) {
    bool ancestorDoomed = false;
    for (QTreeWidgetItem* p = item->parent(); p && !ancestorDoomed; p = p->parent()) {
      ancestorDoomed = std::find(doomed.begin(), doomed.end(), p) != doomed.end();
    }
    if (!ancestorDoomed) {
      roots.push_back(item);
    }
  }
  for (QTreeWidgetItem* item : roots) {
    delete item;
  }
}
