#ifndef SELV_SHELL_CONTROLS_CDIALOGIMAGES_H
#define SELV_SHELL_CONTROLS_CDIALOGIMAGES_H

#include <QIcon>

#include <memory>

class CBitmapManager;
class QTreeWidget;

// The pictures a dialog shows: the main window's shared bitmaps, or a set
// of the dialog's own while there is no main window (tests, tools).
class CDialogImages final {
 public:
  CDialogImages();
  ~CDialogImages();

  CBitmapManager& Bitmaps();
  // One image of an image-list strip; a null icon when out of range.
  QIcon Icon(int strip, int index);
  // Tree items show image 1 of the strip while expanded, 0 while collapsed.
  void FollowExpansion(QTreeWidget* tree, int strip);

 private:
  std::unique_ptr<CBitmapManager> m_own;
};

#endif
