#ifndef SELV_SHELL_CONTROLS_COBJECTTREECTRL_H
#define SELV_SHELL_CONTROLS_COBJECTTREECTRL_H

#include <QPersistentModelIndex>
#include <QPointer>
#include <QTreeWidget>

class CBaseDevice;
class CSelvantisDoc;
class QTreeWidgetItem;

// A tree of model objects whose labels the user edits to rename the objects.
// The object decides (an empty name or one that is taken is refused with a
// message); the item then shows the name the object has. Items of an object
// that the document removes disappear with it.
class CObjectTreeCtrl : public QTreeWidget {
  Q_OBJECT

 public:
  explicit CObjectTreeCtrl(QWidget* parent = nullptr);

  // Follows the document's removals; null stops following.
  void SetDocument(CSelvantisDoc* doc);

  // An item that shows the object's name, under parent (null: top level).
  QTreeWidgetItem* AddObjectItem(CBaseDevice* object, QTreeWidgetItem* parent = nullptr);
  static CBaseDevice* ObjectOf(const QTreeWidgetItem* item);
  QTreeWidgetItem* FindObjectItem(const CBaseDevice* object) const;
  // Sets every item of the object to its current name.
  void RefreshObject(const CBaseDevice* object);

  // The longest name the label editor takes (0, the default: any length),
  // for trees of objects whose names go to the unit.
  void SetNameWidth(int width) { m_nameWidth = width; }

  // Renames the object from an edited label: true when the object took the
  // name. The item (if any) shows the object's name afterwards either way.
  bool RenameFromLabel(QTreeWidgetItem* item, const QString& text);

 signals:
  void objectRenamed(CBaseDevice* object);

 protected:
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
 protected slots:
  void commitData(QWidget* editor) override;

 private:
  void RemoveObjectItems(CBaseDevice* object);

  QPointer<CSelvantisDoc> m_doc;
  QPersistentModelIndex m_editIndex;
  int m_nameWidth = 0;
};

#endif
