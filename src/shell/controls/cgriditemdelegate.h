#ifndef SELV_SHELL_CONTROLS_CGRIDITEMDELEGATE_H
#define SELV_SHELL_CONTROLS_CGRIDITEMDELEGATE_H

#include <QStyledItemDelegate>

// Draws a report list's cells with grid lines: a line at the right and at
// the bottom of every cell, in the style's grid colour.
class CGridItemDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

#endif
