#include "amps/ui/linesgroupsform.h"

#include "model/cbasedevice.h"
#include "shell/controls/ceditablelistctrl.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

qint64 LinesGroupsForm::DataOf(const CBaseDevice* object) {
  return static_cast<qint64>(reinterpret_cast<quintptr>(object));
}

int LinesGroupsForm::AppendRow(CEditableListCtrl* list, CBaseDevice* object, int image,
                               const std::vector<QIcon>& icons) {
  const int row = list->AppendItem({object->GetName()});
  list->SetItemData(row, DataOf(object));
  if (image >= 0 && image < static_cast<int>(icons.size()))
    list->topLevelItem(row)->setIcon(0, icons[static_cast<size_t>(image)]);
  return row;
}

void LinesGroupsForm::LayOut(QWidget* dialog, QWidget* leftCaption, QWidget* rightCaption, QWidget* left,
                             QWidget* right, std::initializer_list<QWidget*> buttons) {
  auto* grid = new QGridLayout();
  grid->addWidget(leftCaption, 0, 0);
  grid->addWidget(rightCaption, 0, 1);
  grid->addWidget(left, 1, 0);
  grid->addWidget(right, 1, 1);
  auto* row = new QHBoxLayout();
  row->addStretch(1);
  for (QWidget* button : buttons) row->addWidget(button);
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(grid, 1);
  layout->addLayout(row);
}
