#include "shell/controls/picturebar.h"

#include "shell/cbitmapmanager.h"
#include "shell/ccontrolbarbackground.h"
#include "shell/ciconfactory.h"

#include <QAction>
#include <QToolBar>

namespace PictureBar {

void Decorate(QToolBar* bar) {
  if (!bar) return;
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  const QString tileFile = CBitmapManager::FileOf(CBitmapManager::kBarBitmap);
  const QPixmap tile = CBitmapManager::Render(tileFile, CBitmapManager::DefaultSize(tileFile));
  auto* background = new CControlBarBackground(tile, bar);
  background->Attach(bar);
}

void SetPicture(QAction* action, unsigned command, const char* iconName) {
  if (!action) return;
  const QIcon icon = iconName ? CIconFactory::Icon(QLatin1String(iconName)) : CIconFactory::CommandIcon(command);
  if (!icon.isNull()) action->setIcon(icon);
}

}  // namespace PictureBar
