#ifndef SELV_SHELL_CONTROLS_CRESIZABLETREECTRL_H
#define SELV_SHELL_CONTROLS_CRESIZABLETREECTRL_H

#include <QTreeWidget>

class QTreeWidgetItem;

// A tree that follows its dialog's size, whose items carry a number (their
// item data) by which they are found again.
class CResizableTreeCtrl : public QTreeWidget {
  Q_OBJECT

 public:
  static constexpr int kItemDataRole = Qt::UserRole + 1;

  explicit CResizableTreeCtrl(QWidget* parent = nullptr);

  static void SetItemData(QTreeWidgetItem* item, qint64 data);
  static qint64 GetItemData(const QTreeWidgetItem* item);

  // Sets the text of every item, at any depth, whose item data equals data.
  // Returns how many items were changed.
  int SetItemTextByData(qint64 data, const QString& text, int column = 0);
  // The first item, in tree order, whose item data equals data; null if none.
  QTreeWidgetItem* FindItemByData(qint64 data) const;
};

#endif
