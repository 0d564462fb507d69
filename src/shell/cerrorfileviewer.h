#ifndef SELV_SHELL_CERRORFILEVIEWER_H
#define SELV_SHELL_CERRORFILEVIEWER_H

#include <QDialog>
#include <QString>

class QPlainTextEdit;

// Shows a text file of the program (the project's error file after a
// transfer) read-only, in place of an external text editor.
class CErrorFileViewer final : public QDialog {
  Q_OBJECT
 public:
  explicit CErrorFileViewer(QWidget* parent = nullptr);

  // Loads the file as Latin-1 text; false (with the reason in errorText)
  // when it cannot be read.
  bool Load(const QString& path, QString* errorText = nullptr);
  QString Text() const;
  QString Path() const { return m_path; }

  // Shows the file modelessly; an empty or missing file shows nothing and
  // returns false. The viewer deletes itself when closed.
  static bool ShowFile(const QString& path, QWidget* parent);

 private:
  QPlainTextEdit* m_text;
  QString m_path;
};

#endif
