#ifndef SELV_SHELL_CSTARTUPPLAN_H
#define SELV_SHELL_CSTARTUPPLAN_H

#include <QString>
#include <QStringList>

// What the program does once its main window exists: open the project files
// named on the command line, or else follow the profile's start-up action
// (1 new project, 2 reopen the most recent file, anything else nothing).
class CStartupPlan final {
 public:
  enum class Action { Nothing, NewDocument, OpenFiles, ReopenLast };

  // args are the program's arguments without the program name; options
  // (beginning with '-') are skipped, every other argument names a file.
  static CStartupPlan Make(const QStringList& args, int shellCommand, const QStringList& recentFiles);

  Action GetAction() const noexcept { return m_action; }
  // The files to open: the arguments, or the most recent file to reopen.
  const QStringList& Files() const noexcept { return m_files; }

 private:
  Action m_action = Action::Nothing;
  QStringList m_files;
};

#endif
