#ifndef SELV_TESTS_SHELL_SCRIPTEDFILECHOOSER_H
#define SELV_TESTS_SHELL_SCRIPTEDFILECHOOSER_H

#include "shell/ifilechooser.h"

#include <QString>
#include <QStringList>

// Answers the main window's file questions from a script: each question
// takes the next queued name ("" = cancelled); with none queued it cancels.
class ScriptedFileChooser final : public IFileChooser {
 public:
  void Queue(const QString& name) { m_answers.append(name); }
  int Asked() const { return m_asked; }
  QString LastProposed() const { return m_lastProposed; }

  QString OpenFileName(QWidget*, const QString&, const QString&) override { return Next(); }
  QString SaveFileName(QWidget*, const QString&, const QString& proposed, const QString&) override {
    m_lastProposed = proposed;
    return Next();
  }

 private:
  QString Next() {
    ++m_asked;
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
  }

  QStringList m_answers;
  QString m_lastProposed;
  int m_asked = 0;
};

#endif
