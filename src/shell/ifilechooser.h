#ifndef SELV_SHELL_IFILECHOOSER_H
#define SELV_SHELL_IFILECHOOSER_H

#include <QString>

class QWidget;

// Asks the user for file names. The main window uses the system's file
// dialogs unless it is handed another chooser (tests hand a scripted one).
class IFileChooser {
 public:
  virtual ~IFileChooser() = default;
  // Empty when cancelled. filter as Qt file dialogs take it.
  virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter) = 0;
  virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                               const QString& filter) = 0;
};

#endif
