// Settings the profile's file cannot take are kept for the run, as the
// message about them says: a comparison after a connect whose settings could
// not be stored knows the unit's version as the unit told it.
#include "everyfamily.h"
#include "everyfamilyproject.h"
#include "link/ccomparereport.h"
#include "link/ctransfer.h"
#include "link/cunclosednotes.h"
#include "link/cunitcompare.h"
#include "linktestbench.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class UnstoredSettingsTest : public LinkTestBench {};

}  // namespace

TEST_F(UnstoredSettingsTest, AComparisonKnowsTheUnitsVersionThatTheFileDidNotTake) {
  RegisterEveryFamily(sim);
  sim.SetValue("/SERVICE/VER", "V1.0");
  FillEveryFamilyProject(*doc, EveryFamilySize::Small);
  // A folder where the settings file should be: no value can be stored in
  // it, while the notes beside it can.
  QTemporaryDir dir;
  const QString folder = dir.filePath(QStringLiteral("settings.ini"));
  ASSERT_TRUE(QDir().mkpath(folder));
  CProfile::UseIniFile(folder);
  ASSERT_TRUE(link->ConnectPort(sim.PtyPath(), doc.get()));
  EXPECT_TRUE(messages.SawText("The settings cannot be saved in"));
  EXPECT_TRUE(messages.SawText("Is a directory"));
  const QString unit = QString::fromLatin1(LinkProfile::kUnitSection);
  EXPECT_EQ(CProfile::GetString(unit, QStringLiteral("OS Version")), QStringLiteral("V1.0"));
  EXPECT_EQ(CProfile::GetInt(unit, QStringLiteral("MONI_CLR"), 0), 1);
  CTransfer transfer;
  CUnitCompare compare(*link);
  const CCompareReport report = compare.Run(*doc, transfer);
  EXPECT_FALSE(report.IsStopped()) << report.Summary().toStdString();
  for (const QString& note : report.Notes()) EXPECT_FALSE(note.contains("too old")) << note.toStdString();
  EXPECT_TRUE(link->Disconnect());
  EXPECT_TRUE(CUnclosedNotes::All().empty());
  CProfile::UseIniFile(profile.Path());
}
