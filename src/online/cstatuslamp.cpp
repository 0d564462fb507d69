#include "online/cstatuslamp.h"

#include "shell/cbitmapmanager.h"

#include <QAbstractButton>
#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QVariant>

namespace {

constexpr const char* kProperty = "iconId";

}  // namespace

QPixmap CStatusLamp::Pixmap(int iconId, int size) {
  return CBitmapManager::Render(CBitmapManager::FileOf(iconId), QSize(size, size));
}

void CStatusLamp::Show(QLabel* label, int iconId) {
  if (!label || IconOf(label) == iconId) return;
  if (iconId == kNone)
    label->setPixmap(QPixmap());
  else
    label->setPixmap(Pixmap(iconId));
  label->setProperty(kProperty, iconId);
}

void CStatusLamp::Show(QAbstractButton* button, int iconId) {
  if (!button || IconOf(button) == iconId) return;
  button->setIcon(iconId == kNone ? QIcon() : CBitmapManager::Icon(iconId));
  button->setProperty(kProperty, iconId);
}

int CStatusLamp::IconOf(const QObject* widget) { return widget ? widget->property(kProperty).toInt() : 0; }
