// Comparing a project with the simulated unit through the real link: a unit
// that holds the project, settings changed on the unit (ones the upload
// stores and ones it only checks), refused and unanswered queries, and the
// comparisons that stop. The project must come out of every one as it went
// in, its file and its error file included.
#include "link/cunitcompare.h"

#include "comparetestproject.h"
#include "everyfamily.h"
#include "link/ccommlink.h"
#include "link/ctransfer.h"
#include "link/linkmode.h"
#include "linktestbench.h"
#include "model/devicetype.h"
#include "support/filebytes.h"
#include "support/projectbytes.h"
#include "zonetesthandlers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const CompareRow* RowOf(const CCompareReport& report, const QString& setting) {
  for (const CompareRow& row : report.Rows())
    if (row.setting == setting) return &row;
  return nullptr;
}

}  // namespace

class CUnitCompareTest : public LinkTestBench {
 protected:
  void SetUp() override {
    LinkTestBench::SetUp();
    RegisterEveryFamily(sim);
    FillCompareTestProject(*doc);
    ASSERT_TRUE(dir.isValid());
    projectPath = dir.filePath("site.sxm");
    errorPath = dir.filePath("site.err");
    ASSERT_TRUE(doc->OnSaveDocument(projectPath));
    // What the last upload found stays in the project's error file.
    QFile errors(errorPath);
    ASSERT_TRUE(errors.open(QIODevice::WriteOnly));
    errors.write("Zone 3 : 12 is missing\r\n");
  }

  void ConnectAndDownload() {
    // The simulator answers at once unless it is paced: a fast line keeps
    // those tests short. A paced unit gets the unit's own speed.
    if (!paced) CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kSettings, QStringLiteral("460800,n,8,1"));
    ASSERT_TRUE(Connect());
    CTransfer transfer;
    ASSERT_EQ(transfer.DownloadProject(*doc), CTransfer::Result::Done);
    ASSERT_FALSE(doc->IsModified());
    before = SaveProject(*doc);
    fileBefore = FileBytes(projectPath);
    errorsBefore = FileBytes(errorPath);
  }

  // Changes settings on the unit through its command lines, as a front
  // panel or another program would: the project must not hear the echoes.
  void ChangeOnUnit(const QStringList& lines) {
    link->SetLinkMode(LINKMODE_NONE);
    for (const QString& line : lines) link->SendCommand(line);
    ASSERT_TRUE(WaitUntil([&] {
      const auto& entries = link->Monitor().Entries();
      return std::any_of(entries.begin(), entries.end(), [&](const MonitorEntry& e) {
        return e.direction == MonitorEntry::Received && e.text == lines.last();
      });
    }));
    link->SetLinkMode(LINKMODE_NORMAL);
    sim.ClearLog();
  }

  CCompareReport Compare(CTransfer& transfer) {
    CUnitCompare compare(*link);
    return compare.Run(*doc, transfer);
  }

  // The project, its file and its error file are as they were.
  void ExpectProjectUntouched() {
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(SaveProject(*doc) == before) << "the project changed";
    EXPECT_TRUE(FileBytes(projectPath) == fileBefore) << "the project file changed";
    EXPECT_EQ(FileBytes(errorPath), errorsBefore);
    EXPECT_EQ(link->GetDocument(), doc.get()) << "the link serves the project again";
    EXPECT_EQ(link->GetLinkMode(), LINKMODE_NORMAL);
  }

  bool paced = false;
  QTemporaryDir dir;
  QString projectPath;
  QString errorPath;
  QByteArray before;
  QByteArray fileBefore;
  QByteArray errorsBefore;
};

TEST_F(CUnitCompareTest, AUnitThatHoldsTheProjectIsReportedInOneLine) {
  ConnectAndDownload();
  CTransfer transfer;
  const CCompareReport report = Compare(transfer);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Holds);
  EXPECT_EQ(report.ExitStatus(), 0);
  EXPECT_TRUE(report.Rows().empty());
  EXPECT_GT(report.ComparedCount(), 100);
  EXPECT_EQ(report.Summary(),
            QString("The unit holds this project: %1 settings compared, no difference.").arg(report.ComparedCount()));
  EXPECT_EQ(report.NotComparedLine(), QString());
  ExpectProjectUntouched();
  EXPECT_TRUE(doc->IsConnected());
  EXPECT_TRUE(messages.Requests().empty());
}

// The simulated unit as its program runs it also answers the zone test's
// status for the line-test window: the zone test's settings that a download
// sends must still come back to an upload.
TEST_F(CUnitCompareTest, WithTheLineTestsAnswersTheUnitStillHoldsTheZoneTestSettings) {
  RegisterZoneTestHandlers(sim);
  ConnectAndDownload();
  ASSERT_TRUE(sim.HasValue("/SERVICE/ZONETEST/TEST/AUTO"));
  CTransfer transfer;
  const CCompareReport report = Compare(transfer);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Holds) << report.Summary().toStdString();
  for (const CompareRow& row : report.Rows()) ADD_FAILURE() << row.setting.toStdString();
  ExpectProjectUntouched();
}

TEST_F(CUnitCompareTest, SettingsChangedOnTheUnitGiveOneRowEachWithBothValues) {
  ConnectAndDownload();
  ChangeOnUnit({"/CONS/ADR1/NAME Lobby desk", "/AUDIO/ALARM_VOL -20.0", "/MACRO/ENTRY1/PARAM/PRIO 30",
                "/CONS/ADR1/KEY1 MACRO,1", "/VMX/ZONE1/TESTVOL -40"});
  CTransfer transfer;
  const CCompareReport report = Compare(transfer);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Differs);
  EXPECT_EQ(report.ExitStatus(), 1);
  ASSERT_EQ(report.Rows().size(), 5u);
  struct Expected {
    const char* setting;
    const char* kind;
    const char* name;
    const char* project;
    const char* unit;
    const char* command;
  };
  // The values in the user's terms, the command forms beside them.
  for (const Expected& e :
       {Expected{"/CONS/ADR1/NAME", "Console", "Console 1", "Console 1", "Lobby desk", "Console 1 / Lobby desk"},
        Expected{"/AUDIO/ALARM_VOL", "Audio", "Audio", "-14.8 dB", "-20.0 dB", "-14.8 / -20.0"},
        Expected{"/MACRO/ENTRY1/PARAM/PRIO", "Macro", "Page 1", "OFF", "3", "0 / 30"},
        Expected{"/CONS/ADR1/KEY1", "Console", "Console 1", "DISABLED", "MACRO,1", "DISABLED / MACRO,1"},
        Expected{"/VMX/ZONE1/TESTVOL", "Zone", "Zone 1", "-26.0 dB", "-40.0 dB", "-26 / -40"}}) {
    SCOPED_TRACE(e.setting);
    const CompareRow* row = RowOf(report, e.setting);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->kind, e.kind);
    EXPECT_EQ(row->name, e.name);
    EXPECT_EQ(row->project, e.project);
    EXPECT_EQ(row->unit, e.unit);
    EXPECT_EQ(CCompareReport::CellText(*row, CCompareReport::kCommandColumn), e.command);
    EXPECT_TRUE(row->answered);
  }
  EXPECT_EQ(report.Summary(), QString("The unit differs from this project: differences in 5 of %1 settings compared.")
                                  .arg(report.ComparedCount()));
  ExpectProjectUntouched();
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CUnitCompareTest, MismatchesTheUploadOnlyReportsAreDifferencesTooAndShowNoBox) {
  ConnectAndDownload();
  // The upload does not store a zone's wiring: it checks it, with a message
  // for the outputs and a line of the error file for the amplifier channel.
  ChangeOnUnit({"/VMX/ZONE1/OUTPUT 5", "/VMX/ZONE2/AMPCHAN 7"});
  CTransfer transfer;
  const CCompareReport report = Compare(transfer);
  ASSERT_EQ(report.Rows().size(), 2u);
  const CompareRow* output = RowOf(report, "/VMX/ZONE1/OUTPUT");
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(output->project, "0");
  EXPECT_EQ(output->unit, "5");
  const CompareRow* channel = RowOf(report, "/VMX/ZONE2/AMPCHAN");
  ASSERT_NE(channel, nullptr);
  EXPECT_EQ(channel->project, "");
  EXPECT_EQ(channel->unit, "7");
  EXPECT_TRUE(messages.Requests().empty());
  ExpectProjectUntouched();
}

TEST_F(CUnitCompareTest, ARefusedQueryOfADownloadedSettingIsARowOfItsOwn) {
  ConnectAndDownload();
  // A unit whose software does not know one setting the download sends.
  sim.RegisterHandler("/FAULT/LATCH", [](UnitSimulator&, const UnitSimulator::Command& command, QStringList& replies) {
    if (command.IsQuery()) replies << "ERROR " + command.path;
    return true;
  });
  CTransfer transfer;
  const CCompareReport report = Compare(transfer);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Differs);
  EXPECT_EQ(report.UnansweredCount(), 1);
  EXPECT_EQ(report.DifferenceCount(), 0);
  const CompareRow* row = RowOf(report, "/FAULT/LATCH");
  ASSERT_NE(row, nullptr);
  EXPECT_FALSE(row->answered);
  EXPECT_EQ(row->project, "OFF");
  EXPECT_EQ(CCompareReport::CellText(*row, CCompareReport::kUnitColumn), "not answered");
  EXPECT_TRUE(report.Summary().endsWith("Settings not answered: 1.")) << report.Summary().toStdString();
  EXPECT_TRUE(messages.Requests().empty());
  ExpectProjectUntouched();
}

// Answers that never come stop the comparison: the upload's message says
// why, and a part read is no verdict, whatever it found.
TEST_F(CUnitCompareTest, UnansweredQueriesStopTheComparisonWithoutAVerdict) {
  ConnectAndDownload();
  ChangeOnUnit({"/VMX/ZONE1/TESTVOL -40"});
  sim.SetDropAnswers("/CONS/ADR1/KEY1*");
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(600);
  const CCompareReport report = Compare(transfer);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Stopped);
  EXPECT_EQ(report.ExitStatus(), 2);
  EXPECT_FALSE(report.Summary().contains("holds")) << report.Summary().toStdString();
  EXPECT_FALSE(report.Summary().contains("differs")) << report.Summary().toStdString();
  EXPECT_TRUE(report.Summary().contains("there is no verdict")) << report.Summary().toStdString();
  for (const CompareRow& row : report.Rows()) {
    EXPECT_TRUE(row.answered) << row.setting.toStdString();
    EXPECT_FALSE(row.setting.startsWith("/CONS/ADR1/KEY1")) << "an unanswered query is not a row of a stop";
  }
  // The upload's own ending: how many queries stayed unanswered.
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("queries stayed unanswered")) << messages.Requests().front().text.toStdString();
  ExpectProjectUntouched();
}

TEST_F(CUnitCompareTest, CancelEndsTheComparisonWithoutAVerdict) {
  sim.SetPaced(paced = true);
  ConnectAndDownload();
  ChangeOnUnit({"/CONS/ADR1/NAME Lobby desk"});
  CTransfer transfer;
  transfer.SetProgressHandler([&](int done, int total) {
    if (total > 0 && done * 3 >= total) transfer.Cancel();
  });
  const CCompareReport report = Compare(transfer);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Stopped);
  EXPECT_EQ(report.ExitStatus(), 2);
  EXPECT_LE(report.Rows().size(), 1u) << "only what was read before the stop";
  EXPECT_GT(report.StoppedAt(), 0);
  EXPECT_LT(report.StoppedAt(), report.StopTotal());
  EXPECT_TRUE(
      report.Summary().startsWith(QString("The comparison stopped at %1 % of the upload (%2 of %3 settings read): cancelled.")
                                      .arg(report.StoppedAt() * 100 / report.StopTotal())
                                      .arg(report.StoppedAt())
                                      .arg(report.StopTotal())))
      << report.Summary().toStdString();
  EXPECT_TRUE(report.Summary().contains("there is no verdict."));
  ExpectProjectUntouched();
}

TEST_F(CUnitCompareTest, AUnitThatGoesAwayEndsTheComparisonWithoutAVerdict) {
  sim.SetPaced(paced = true);
  ConnectAndDownload();
  CTransfer transfer;
  transfer.SetProgressHandler([&](int done, int) {
    // A progress report may pass over any one count on a busy machine.
    if (done >= 40 && sim.IsRunning()) sim.HangUp();
  });
  const CCompareReport report = Compare(transfer);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Stopped);
  EXPECT_TRUE(report.Summary().contains("the connection to the unit was lost")) << report.Summary().toStdString();
  EXPECT_TRUE(report.Rows().empty());
  EXPECT_TRUE(WaitUntil([&] { return messages.SawText("lost"); }));
  EXPECT_FALSE(link->IsConnected());
  EXPECT_FALSE(doc->IsConnected());
  EXPECT_FALSE(doc->IsModified());
  EXPECT_TRUE(SaveProject(*doc) == before);
  EXPECT_EQ(FileBytes(errorPath), errorsBefore);
  EXPECT_EQ(link->GetDocument(), doc.get());
}

TEST_F(CUnitCompareTest, AUnitThatStopsTakingDataEndsTheComparisonWithoutAVerdict) {
  paced = true;  // the unit's own line speed, so that the output backs up
  ConnectAndDownload();
  sim.SetStalled(true);
  CTransfer transfer;
  transfer.SetNoProgressTimeoutMs(800);
  const CCompareReport report = Compare(transfer);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Stopped);
  EXPECT_TRUE(report.Summary().contains("the unit stopped answering")) << report.Summary().toStdString();
  EXPECT_TRUE(report.Rows().empty());
  // The upload's own ending is shown as an upload's is.
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("stopped")) << messages.Requests().front().text.toStdString();
  sim.SetStalled(false);
  ExpectProjectUntouched();
}

// At the unit's own speed (19200 baud both ways, XON/XOFF): answers trail the
// queries and the output backs up, and still every setting is compared.
TEST_F(CUnitCompareTest, APacedComparisonFindsTheOneSettingChangedOnTheUnit) {
  sim.SetPaced(paced = true);
  ConnectAndDownload();
  ChangeOnUnit({"/MACRO/ENTRY1/PARAM/PRIO 70"});
  CTransfer transfer;
  const CCompareReport report = Compare(transfer);
  ASSERT_EQ(report.Rows().size(), 1u);
  EXPECT_EQ(report.Rows().front().setting, "/MACRO/ENTRY1/PARAM/PRIO");
  EXPECT_EQ(report.Rows().front().unit, "7");
  ExpectProjectUntouched();
  EXPECT_TRUE(messages.Requests().empty());
}

// A unit that answers as the documentation says: "OFF" for a zone without a
// relay, "ERROR path" for what it never got, ".." resolved in its answers.
// Right after a download it holds the whole project, its cleared tables
// included, and the comparison asks none of their unused entries.
TEST_F(CUnitCompareTest, AStrictUnitRightAfterADownloadHoldsTheWholeProject) {
  sim.SetStrict(true);
  sim.SetResolvedAnswers(true);
  sim.SetPaced(paced = true);
  FillCompareTestProject(*doc, {}, true);
  ASSERT_TRUE(doc->OnSaveDocument(projectPath));
  ConnectAndDownload();
  ASSERT_EQ(sim.Value("/VMX/ZONE1/RELAY"), "OFF");
  CTransfer transfer;
  const CCompareReport report = Compare(transfer);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Holds) << report.Summary().toStdString();
  for (const CompareRow& row : report.Rows())
    ADD_FAILURE() << row.setting.toStdString() << " " << row.projectCommand.toStdString() << " / "
                  << row.unitCommand.toStdString();
  EXPECT_TRUE(report.Summary().startsWith("The unit holds this project: ")) << report.Summary().toStdString();
  EXPECT_TRUE(report.ClearedLine().contains("Conditions")) << report.ClearedLine().toStdString();
  int tableQueries = 0;
  for (const QString& line : sim.FullLines())
    if (line.endsWith(" ?") &&
        (line.startsWith("/CONDITION/") || line.startsWith("/TRIGGER/") || line.startsWith("/READYINP/INP")))
      ++tableQueries;
  EXPECT_LT(tableQueries, 20) << "the unused entries of cleared tables are not asked";
  EXPECT_FALSE(sim.FullLines().contains("/CALENDAR/EVENT3/DATE ?")) << "an unused entry is asked for its OFF only";
  ExpectProjectUntouched();
  EXPECT_TRUE(messages.Requests().empty());
}

// One value changed on the strict unit: one row, in the dialog's terms.
TEST_F(CUnitCompareTest, OneValueChangedOnAStrictUnitIsOneRowInTheUsersTerms) {
  sim.SetStrict(true);
  sim.SetResolvedAnswers(true);
  sim.SetPaced(paced = true);
  ConnectAndDownload();
  ChangeOnUnit({"/MACRO/ENTRY1/PARAM/PRIO 30"});
  CTransfer transfer;
  const CCompareReport report = Compare(transfer);
  ASSERT_EQ(report.Rows().size(), 1u) << report.Summary().toStdString();
  const CompareRow& row = report.Rows().front();
  EXPECT_EQ(row.setting, "/MACRO/ENTRY1/PARAM/PRIO");
  EXPECT_EQ(row.project, "OFF");
  EXPECT_EQ(row.unit, "3");
  EXPECT_EQ(CCompareReport::CellText(row, CCompareReport::kCommandColumn), "0 / 30");
  EXPECT_EQ(report.ExitStatus(), 1);
  ExpectProjectUntouched();
}

// Before V0.8 the monitor's step notes in the upload's error file that the
// unit cannot name its cleared entries. That note belongs to no answer: it
// is the comparison's note, not a difference of the setting answered next.
TEST_F(CUnitCompareTest, AnOldUnitsNoteIsANoteAndNoDifferenceOfTheNextAnswer) {
  sim.SetValue("/SERVICE/VER", "V0.5");
  FillCompareTestProject(*doc, {DT_MONITOR});
  ASSERT_TRUE(doc->OnSaveDocument(projectPath));
  ConnectAndDownload();
  CTransfer transfer;
  const CCompareReport report = Compare(transfer);
  for (const CompareRow& row : report.Rows())
    ADD_FAILURE() << row.setting.toStdString() << " " << row.projectCommand.toStdString() << " / "
                  << row.unitCommand.toStdString();
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Holds) << report.Summary().toStdString();
  ASSERT_EQ(report.Notes().size(), 1u);
  EXPECT_TRUE(report.Notes().front().contains("cannot report its cleared monitor entries"))
      << report.Notes().front().toStdString();
  EXPECT_TRUE(report.NotComparedLine().contains("Monitor")) << report.NotComparedLine().toStdString();
  ExpectProjectUntouched();
}

// A unit that answers "/FUSE/../EVENT/PRIO_BOOT ?" with "/EVENT/PRIO_BOOT 50":
// both the upload and the comparison take it as the answer.
TEST_F(CUnitCompareTest, AnAnswerWithTheResolvedPathIsTheAnswer) {
  sim.SetResolvedAnswers(true);
  ConnectAndDownload();
  CTransfer transfer;
  const CCompareReport report = Compare(transfer);
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Holds) << report.Summary().toStdString();
  ExpectProjectUntouched();
  EXPECT_EQ(transfer.UploadProject(*doc), CTransfer::Result::Done);
  EXPECT_TRUE(messages.Requests().empty());
}

// An old unit has no clear tokens: the download sends every unused entry as
// "OFF", and the comparison asks just that line of it, never its other
// fields (which a strict unit never got).
TEST_F(CUnitCompareTest, AnUnusedEntryIsAskedOnlyForItsOffLine) {
  sim.SetValue("/SERVICE/VER", "V0.5");
  sim.SetStrict(true);
  FillCompareTestProject(*doc, {}, true);
  ASSERT_TRUE(doc->OnSaveDocument(projectPath));
  ConnectAndDownload();
  ASSERT_EQ(sim.Value("/CONDITION/COND7/TYPE"), "OFF");
  CTransfer transfer;
  const CCompareReport report = Compare(transfer);
  for (const CompareRow& row : report.Rows())
    ADD_FAILURE() << row.setting.toStdString() << " " << row.projectCommand.toStdString() << " / "
                  << row.unitCommand.toStdString();
  EXPECT_EQ(report.GetOutcome(), CCompareReport::Outcome::Holds) << report.Summary().toStdString();
  const QStringList lines = sim.FullLines();
  EXPECT_TRUE(lines.contains("/CONDITION/COND7/TYPE ?"));
  for (const char* field : {"/CONDITION/COND7/LEVEL ?", "/CALENDAR/EVENT3/DATE ?", "/CALENDAR/HOLIDAY3/DAYS ?"})
    EXPECT_FALSE(lines.contains(field)) << field;
  ExpectProjectUntouched();
}
