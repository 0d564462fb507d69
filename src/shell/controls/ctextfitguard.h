#ifndef SELV_SHELL_CONTROLS_CTEXTFITGUARD_H
#define SELV_SHELL_CONTROLS_CTEXTFITGUARD_H

#include <QObject>

class QHeaderView;
class QWidget;

// Keeps texts whole that Qt would cut: every list's columns at least as wide
// as their header text (in whatever language it is), every dialog at least
// as wide as its title. Watches the whole application, so each list and
// dialog is covered without code of its own: a header is fitted when it is
// shown, when its texts change (a language switch) and when a column is made
// narrower by code; a dialog when it is shown.
class CTextFitGuard final : public QObject {
  Q_OBJECT
 public:
  // Installs the guard on the application once; later calls do nothing.
  static void Install();

  // The width a header section needs to show its text, sort mark and icon.
  static int HeaderTextWidth(const QHeaderView& header, int logicalIndex);
  // Widens the sections of a horizontal header that are narrower than their
  // text (sections that stretch or follow their contents are Qt's).
  static void FitHeader(QHeaderView& header);
  // The width a window needs to show its whole title with the program's
  // name, the window's icon and its buttons.
  static int TitleWidth(const QWidget& window);
  static void FitTitle(QWidget& window);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit CTextFitGuard(QObject* parent);
  void Watch(QHeaderView& header);
};

#endif
