#include "shell/cstartupplan.h"

#include "shell/cshellsettings.h"

CStartupPlan CStartupPlan::Make(const QStringList& args, int shellCommand, const QStringList& recentFiles) {
  CStartupPlan plan;
  for (const QString& arg : args) {
    if (arg.isEmpty() || arg.startsWith(QLatin1Char('-'))) continue;
    plan.m_files.append(arg);
  }
  if (!plan.m_files.isEmpty()) {
    plan.m_action = Action::OpenFiles;
    return plan;
  }
  switch (shellCommand) {
    case CShellSettings::kStartNew: plan.m_action = Action::NewDocument; break;
    case CShellSettings::kStartReopenLast:
      // With no recent file there is nothing to reopen: start empty rather
      // than inventing a project.
      if (!recentFiles.isEmpty()) {
        plan.m_action = Action::ReopenLast;
        plan.m_files.append(recentFiles.first());
      }
      break;
    default: break;
  }
  return plan;
}
