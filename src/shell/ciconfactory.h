#ifndef SELV_SHELL_CICONFACTORY_H
#define SELV_SHELL_CICONFACTORY_H

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <vector>

// The menu and tool-bar icons of the program by name. Standard actions take
// the desktop theme's icon by its freedesktop name, with the program's own
// SVG picture as the fallback; the others are the program's own pictures.
class CIconFactory final {
 public:
  // An icon by name ("new", "open", "save", ... see Names()); a null icon
  // for an unknown name.
  static QIcon Icon(const QString& name);
  // The program's own picture of that name, never the theme's.
  static QIcon OwnIcon(const QString& name);
  // The freedesktop icon name of a standard action ("" for the others).
  static QString ThemeName(const QString& name);
  static QPixmap Pixmap(const QString& name, int size);
  static QStringList Names();
  // The picture of a tool-bar command of the editor and on-line windows (by
  // its command id); a null icon for a command without one.
  static QIcon CommandIcon(unsigned command);
  // The application's own icon (window and desktop entry).
  static QIcon AppIcon();
  static QPixmap AppPixmap(int size);
  // The commands that CommandIcon knows.
  static std::vector<unsigned> Commands();
};

#endif
