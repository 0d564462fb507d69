#ifndef SELV_SHELL_CICONFACTORY_H
#define SELV_SHELL_CICONFACTORY_H

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

// The menu and tool-bar icons of the program, drawn in code at every size
// the style asks for, so they stay sharp at any screen scale.
class CIconFactory final {
 public:
  // An icon by name ("new", "open", "save", ... see Names()); a null icon
  // for an unknown name.
  static QIcon Icon(const QString& name);
  static QPixmap Pixmap(const QString& name, int size);
  static QStringList Names();
  // The application's own icon (window and desktop entry).
  static QIcon AppIcon();
  static QPixmap AppPixmap(int size);
};

#endif
