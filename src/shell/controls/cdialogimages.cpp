#include "shell/controls/cdialogimages.h"

#include "shell/cbitmapmanager.h"
#include "shell/cmainframe.h"

#include <QTreeWidget>

CDialogImages::CDialogImages() = default;
CDialogImages::~CDialogImages() = default;

CBitmapManager& CDialogImages::Bitmaps() {
  if (CMainFrame* frame = AfxGetMainWnd()) return frame->BitmapManager();
  if (!m_own) m_own = std::make_unique<CBitmapManager>();
  return *m_own;
}

QIcon CDialogImages::Icon(int strip, int index) {
  // Drawn from the picture file at the size and scale the view asks for.
  return CBitmapManager::Icon(strip, index);
}

void CDialogImages::FollowExpansion(QTreeWidget* tree, int strip) {
  QObject::connect(tree, &QTreeWidget::itemExpanded, tree,
                   [this, strip](QTreeWidgetItem* item) { item->setIcon(0, Icon(strip, 1)); });
  QObject::connect(tree, &QTreeWidget::itemCollapsed, tree,
                   [this, strip](QTreeWidgetItem* item) { item->setIcon(0, Icon(strip, 0)); });
}
