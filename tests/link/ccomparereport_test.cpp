// The differences table: its order by any column, its text for the export
// and the print-out, the verdict line and a comparison that stopped.
#include "link/ccomparereport.h"

#include "model/listtabexport.h"

#include <gtest/gtest.h>

namespace {

CompareRow Row(const char* kind, const char* name, const char* setting, const char* project, const char* unit,
               bool answered = true) {
  CompareRow row{kind, name, setting, project, unit, answered};
  row.projectCommand = QString::fromLatin1(project);
  row.unitCommand = QString::fromLatin1(unit);
  return row;
}

// Zones 10 and 2 on purpose: numbers in texts sort by their value.
CCompareReport Sample() {
  CCompareReport report;
  report.AddRow(Row("Zone", "Zone 10", "/VMX/ZONE10/TESTVOL", "-26", "-40"));
  report.AddRow(Row("Console", "Lobby", "/CONS/ADR1/KEY1", "DISABLED", "MACRO,1"));
  report.AddRow(Row("Zone", "Zone 2", "/VMX/ZONE2/TESTVOL", "-26", "", false));
  report.AddRow(Row("zone", "Zone 2", "/VMX/ZONE2/OUTPUT", "0", "5"));
  report.SetComparedCount(120);
  return report;
}

// The rows' settings in their order, as one text for readable failures.
std::string Settings(const CCompareReport& report) {
  QStringList settings;
  for (const CompareRow& row : report.Rows()) settings << row.setting;
  return settings.join(' ').toStdString();
}

}  // namespace

TEST(CCompareReportTest, SortsByEveryColumnBothWaysAndKeepsTheDownloadOrderOfTies) {
  CCompareReport report = Sample();
  struct Case {
    int column;
    Qt::SortOrder order;
    QStringList settings;
  };
  const Case cases[] = {
      // "Zone" and "zone" are equal: ties stay in download order, both ways.
      {CCompareReport::kKindColumn,
       Qt::AscendingOrder,
       {"/CONS/ADR1/KEY1", "/VMX/ZONE10/TESTVOL", "/VMX/ZONE2/TESTVOL", "/VMX/ZONE2/OUTPUT"}},
      {CCompareReport::kKindColumn,
       Qt::DescendingOrder,
       {"/VMX/ZONE10/TESTVOL", "/VMX/ZONE2/TESTVOL", "/VMX/ZONE2/OUTPUT", "/CONS/ADR1/KEY1"}},
      {CCompareReport::kNameColumn,
       Qt::AscendingOrder,
       {"/CONS/ADR1/KEY1", "/VMX/ZONE2/TESTVOL", "/VMX/ZONE2/OUTPUT", "/VMX/ZONE10/TESTVOL"}},
      {CCompareReport::kSettingColumn,
       Qt::AscendingOrder,
       {"/CONS/ADR1/KEY1", "/VMX/ZONE2/OUTPUT", "/VMX/ZONE2/TESTVOL", "/VMX/ZONE10/TESTVOL"}},
      {CCompareReport::kSettingColumn,
       Qt::DescendingOrder,
       {"/VMX/ZONE10/TESTVOL", "/VMX/ZONE2/TESTVOL", "/VMX/ZONE2/OUTPUT", "/CONS/ADR1/KEY1"}},
      {CCompareReport::kProjectColumn,
       Qt::AscendingOrder,
       {"/VMX/ZONE10/TESTVOL", "/VMX/ZONE2/TESTVOL", "/VMX/ZONE2/OUTPUT", "/CONS/ADR1/KEY1"}},
      // The unit column sorts by what it shows: "not answered" for a row
      // without an answer.
      {CCompareReport::kUnitColumn,
       Qt::AscendingOrder,
       {"/VMX/ZONE10/TESTVOL", "/VMX/ZONE2/OUTPUT", "/CONS/ADR1/KEY1", "/VMX/ZONE2/TESTVOL"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "column " << c.column << " order " << c.order);
    report.SortBy(c.column, c.order);
    EXPECT_EQ(Settings(report), c.settings.join(' ').toStdString());
    EXPECT_EQ(report.SortColumn(), c.column);
    EXPECT_EQ(report.GetSortOrder(), c.order);
  }
  report.SortInDownloadOrder();
  EXPECT_EQ(Settings(report), Settings(Sample()));
  EXPECT_EQ(report.SortColumn(), -1);
}

TEST(CCompareReportTest, TheTableTextIsTheRowsAsShownInTheirOrder) {
  CCompareReport report = Sample();
  report.SortBy(CCompareReport::kSettingColumn, Qt::AscendingOrder);
  EXPECT_EQ(ListTabText(report.TableText()).toStdString(),
            std::string("Object\tName\tSetting\tIn the project\tOn the unit\tCommand form (project / unit)\r\n"
                        "Console\tLobby\t/CONS/ADR1/KEY1\tDISABLED\tMACRO,1\tDISABLED / MACRO,1\r\n"
                        "zone\tZone 2\t/VMX/ZONE2/OUTPUT\t0\t5\t0 / 5\r\n"
                        "Zone\tZone 2\t/VMX/ZONE2/TESTVOL\t-26\tnot answered\t-26\r\n"
                        "Zone\tZone 10\t/VMX/ZONE10/TESTVOL\t-26\t-40\t-26 / -40\r\n"));
}

TEST(CCompareReportTest, TheVerdictCountsDifferencesAndUnansweredSettings) {
  const CCompareReport differs = Sample();
  EXPECT_EQ(differs.GetOutcome(), CCompareReport::Outcome::Differs);
  EXPECT_EQ(differs.ExitStatus(), 1);
  EXPECT_EQ(differs.DifferenceCount(), 3);
  EXPECT_EQ(differs.UnansweredCount(), 1);
  EXPECT_EQ(differs.Summary(),
            "The unit differs from this project: differences in 3 of 120 settings compared. Settings not answered: 1.");

  CCompareReport holds;
  holds.SetComparedCount(812);
  holds.AddNotCompared("Virtual controllers");
  holds.AddNotCompared("Clock");
  holds.AddNotCompared("Virtual controllers");
  EXPECT_EQ(holds.GetOutcome(), CCompareReport::Outcome::Holds);
  EXPECT_EQ(holds.ExitStatus(), 0);
  EXPECT_EQ(holds.Summary(), "The unit holds this project: 812 settings compared, no difference.");
  EXPECT_EQ(holds.NotComparedLine(),
            "Settings not compared, as the upload does not read them: Virtual controllers (2), Clock (1).");
}

TEST(CCompareReportTest, AStoppedComparisonSaysHowFarItCameAndMarksItsRowsAsAPart) {
  CCompareReport report = Sample();
  report.AddNotCompared("Clock");
  report.AddCleared("Conditions");
  report.SetStopped("cancelled", 37, 148);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Stopped);
  EXPECT_EQ(report.ExitStatus(), 2);
  EXPECT_EQ(report.Rows().size(), 4u);
  EXPECT_EQ(report.NotComparedLine(), QString());
  EXPECT_EQ(report.ClearedLine(), QString());
  EXPECT_EQ(report.Summary(),
            "The comparison stopped at 25 % of the upload (37 of 148 settings read): cancelled. The unit was not read "
            "completely, so there is no verdict. The 4 rows listed are partial: they come from the part read before "
            "the stop.");

  CCompareReport nothing;
  nothing.SetStopped("the unit stopped answering", 0, 10);
  EXPECT_EQ(nothing.ExitStatus(), 2);
  EXPECT_TRUE(nothing.Summary().endsWith("so there is no verdict.")) << nothing.Summary().toStdString();
  EXPECT_EQ(ListTabText(nothing.TableText()),
            QByteArray("Object\tName\tSetting\tIn the project\tOn the unit\tCommand form (project / unit)\r\n"));
}

TEST(CCompareReportTest, NotesAndClearedTablesAreSaidOnce) {
  CCompareReport report;
  report.SetComparedCount(12);
  report.AddNote("Monitor: the unit cannot report its cleared monitor entries.");
  report.AddNote("Monitor: the unit cannot report its cleared monitor entries.");
  report.AddCleared("Conditions");
  report.AddCleared("Triggers");
  report.AddCleared("Conditions");
  EXPECT_EQ(report.Notes().size(), 1u);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Holds);
  EXPECT_EQ(report.ClearedLine(),
            "Taken as cleared, as the download clears them and leaves unused entries out: Conditions, Triggers.");
}
