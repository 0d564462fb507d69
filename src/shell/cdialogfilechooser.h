#ifndef SELV_SHELL_CDIALOGFILECHOOSER_H
#define SELV_SHELL_CDIALOGFILECHOOSER_H

#include "shell/ifilechooser.h"

#include <QString>

#include <functional>

// The system's file dialogs, opened in the folder of the project the user
// works on, else in the home folder: never in the program's working folder,
// which is "/" when the desktop's menu started it.
class CDialogFileChooser final : public IFileChooser {
 public:
  // projectPath gives the path of the active project ("" when it has none).
  explicit CDialogFileChooser(std::function<QString()> projectPath);

  QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter) override;
  QString SaveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                       const QString& filter) override;

  // The folder of projectPath when it exists, else the home folder.
  static QString StartFolder(const QString& projectPath);
  // A proposed name without a folder of its own, in folder.
  static QString InFolder(const QString& proposed, const QString& folder);

 private:
  std::function<QString()> m_projectPath;
};

#endif
