#ifndef SELV_SHELL_CABOUTDLG_H
#define SELV_SHELL_CABOUTDLG_H

#include <QDialog>

// Help > About: the program's name, version and icon.
class CAboutDlg final : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

#endif
