// What the program does at start-up, from its arguments and the profile.
#include "shell/cstartupplan.h"
#include "shell/cdroppedfiles.h"

#include <gtest/gtest.h>

namespace {

using Action = CStartupPlan::Action;

struct PlanRow {
  const char* what;
  QStringList args;
  int shellCommand;
  QStringList recent;
  Action action;
  QStringList files;
};

TEST(CStartupPlanTest, FollowsTheArgumentsOrElseTheShellCommand) {
  const QStringList recent = {QStringLiteral("/p/last.sxm"), QStringLiteral("/p/older.sxm")};
  const std::vector<PlanRow> rows = {
      {"0: nothing", {}, 0, recent, Action::Nothing, {}},
      {"1: a new project", {}, 1, recent, Action::NewDocument, {}},
      {"2: the last file again", {}, 2, recent, Action::ReopenLast, {QStringLiteral("/p/last.sxm")}},
      {"2 without a recent file: nothing", {}, 2, {}, Action::Nothing, {}},
      {"an unknown value: nothing", {}, 7, recent, Action::Nothing, {}},
      {"a negative value: nothing", {}, -1, recent, Action::Nothing, {}},
      {"a file argument wins over 1",
       {QStringLiteral("a.sxm")},
       1,
       recent,
       Action::OpenFiles,
       {QStringLiteral("a.sxm")}},
      {"a file argument wins over 2",
       {QStringLiteral("b.sxm")},
       2,
       recent,
       Action::OpenFiles,
       {QStringLiteral("b.sxm")}},
      {"options are skipped",
       {QStringLiteral("-style"), QStringLiteral("c.sxm"), QStringLiteral("d.sxm")},
       0,
       recent,
       Action::OpenFiles,
       {QStringLiteral("c.sxm"), QStringLiteral("d.sxm")}},
      {"only options: the shell command", {QStringLiteral("--verbose")}, 1, recent, Action::NewDocument, {}},
  };
  for (const PlanRow& row : rows) {
    const CStartupPlan plan = CStartupPlan::Make(row.args, row.shellCommand, row.recent);
    EXPECT_EQ(plan.GetAction(), row.action) << row.what;
    EXPECT_EQ(plan.Files(), row.files) << row.what;
  }
}

TEST(CDroppedFilesTest, OpensProjectsSendsCommandFilesAndLeavesTheRest) {
  const CDroppedFiles files({QStringLiteral("/a/one.sxm"), QStringLiteral("/a/TWO.SXM"), QStringLiteral("/a/cmd.TXT"),
                             QStringLiteral("/a/cmd2.txt"), QStringLiteral("/a/picture.png"), QStringLiteral("/a/sxm"),
                             QStringLiteral("/a/notes.txt.bak")});
  EXPECT_EQ(files.Projects(), QStringList({QStringLiteral("/a/one.sxm"), QStringLiteral("/a/TWO.SXM")}));
  EXPECT_EQ(files.CommandFiles(), QStringList({QStringLiteral("/a/cmd.TXT"), QStringLiteral("/a/cmd2.txt")}));
  EXPECT_EQ(files.Ignored().size(), 3);
}

}  // namespace
