#ifndef SELV_SHELL_CONTROLS_PICTUREBAR_H
#define SELV_SHELL_CONTROLS_PICTUREBAR_H

class QAction;
class QToolBar;

// Tool bars of pictures with tool tips on the program's tiled bar
// background, as the editor and on-line windows show them.
namespace PictureBar {

// Shows the bar's pictures in place of their texts (a command without a
// picture keeps its text) and paints the tiled bar background under it.
void Decorate(QToolBar* bar);
// Gives the action the picture of its command, or of the named icon
// ("new", "delete", "upload", ...) when one is given.
void SetPicture(QAction* action, unsigned command, const char* iconName = nullptr);

}  // namespace PictureBar

#endif
