#include "shell/ccontrolbarbackground.h"

#include <QEvent>
#include <QMainWindow>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionToolBar>
#include <QToolBar>
#include <QWidget>

bool ControlBarBackgroundProc(QWidget* bar, QEvent* event, const QPixmap& tile) {
  if (!bar || !event || event->type() != QEvent::Paint || tile.isNull()) return false;
  QPainter painter(bar);
  // Tiles are anchored at the bar's origin so that a partial repaint lines
  // up with the rest of the bar.
  painter.drawTiledPixmap(bar->rect(), tile);
  // The bar's own painting would cover the tiles with the style's panel; of
  // it only the grip of a movable bar is needed. Buttons and separators are
  // widgets of their own and paint themselves.
  auto* toolBar = qobject_cast<QToolBar*>(bar);
  if (toolBar && toolBar->isMovable() && !toolBar->isFloating()) {
    QStyleOptionToolBar option;
    option.initFrom(toolBar);
    option.features = QStyleOptionToolBar::Movable;
    if (toolBar->orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
    if (auto* window = qobject_cast<QMainWindow*>(toolBar->parentWidget()))
      option.toolBarArea = window->toolBarArea(toolBar);
    option.rect = toolBar->style()->subElementRect(QStyle::SE_ToolBarHandle, &option, toolBar);
    if (option.rect.isValid())
      toolBar->style()->drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &option, &painter, toolBar);
  }
  return true;
}

CControlBarBackground::CControlBarBackground(const QPixmap& tile, QObject* parent) : QObject(parent), m_tile(tile) {}

void CControlBarBackground::Attach(QWidget* bar) {
  if (!bar) return;
  bar->installEventFilter(this);
  bar->update();
}

bool CControlBarBackground::eventFilter(QObject* watched, QEvent* event) {
  if (watched->isWidgetType()) return ControlBarBackgroundProc(static_cast<QWidget*>(watched), event, m_tile);
  return false;
}
