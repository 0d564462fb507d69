// The event-log window's decisions: the general mask, the read cycle, the
// replies, the name replacement, the transfer lists and the entry field.
#include "online/ceventlogstate.h"

#include "consoles/cconsole.h"
#include "macros/ceventlog.h"
#include "macros/cmacro.h"
#include "online/onlinetestsupport.h"

#include <QDir>
#include <QStandardPaths>

#include <memory>

namespace {

class EventLogStateTest : public OnlineTest {
 protected:
  CEventLog* Log() { return CEventLog::Find(&m_doc); }
  void AddConsole(int id, const QString& name) {
    auto console = std::make_unique<CConsole>();
    ASSERT_TRUE(console->CreateWithID(0, name, id, CAT_CONSOLES, &m_doc));
    ASSERT_NE(m_doc.AddObject(std::move(console)), nullptr);
  }
  void AddMacro(int id, const QString& name) {
    auto macro = std::make_unique<CMacro>();
    ASSERT_TRUE(macro->CreateWithID(CMacro::kKindNoEntry, name, id, CAT_MACROS, &m_doc));
    ASSERT_NE(m_doc.AddObject(std::move(macro)), nullptr);
  }
};

TEST(EventLogMask, CategoriesGoInAndOutOfTheGeneralMask) {
  EXPECT_EQ(CEventLogState::WithCategory("AUDIO,FAULT", "AUDIO", false), "FAULT");
  EXPECT_EQ(CEventLogState::WithCategory("FAULT", "FAULT", false), "NONE");
  EXPECT_EQ(CEventLogState::WithCategory("NONE", "MACRO", true), "MACRO");
  EXPECT_EQ(CEventLogState::WithCategory("MACRO", "POWER", true), "MACRO,POWER");
  EXPECT_EQ(CEventLogState::WithCategory("MACRO,POWER", "POWER", true), "MACRO,POWER");
  EXPECT_EQ(CEventLogState::WithCategory("MACRO,POWER,DCF", "POWER", false), "MACRO,DCF");
  EXPECT_EQ(CEventLogState::WithCategory("", "DCF", true), "DCF");
  // Whole items only: SPAREAMP does not hold AMP, CONFIG not CON.
  EXPECT_TRUE(CEventLogState::HasCategory("RESET,SPAREAMP", "SPAREAMP"));
  EXPECT_FALSE(CEventLogState::HasCategory("SPAREAMP", "AMP"));
}

TEST_F(EventLogStateTest, SetCategoryStoresInTheProject) {
  CEventLogState state(&m_doc);
  ASSERT_NE(Log(), nullptr);
  EXPECT_EQ(state.GeneralMask(), "NONE");
  EXPECT_TRUE(state.SetCategory("AUDIO", true));
  EXPECT_TRUE(state.SetCategory("FAULT", true));
  EXPECT_EQ(Log()->GetParamText(CEventLog::I_GENERAL), "AUDIO,FAULT");
  state.SetCategory("AUDIO", false);
  state.SetCategory("FAULT", false);
  EXPECT_EQ(Log()->GetParamText(CEventLog::I_GENERAL), "NONE");
}

TEST_F(EventLogStateTest, PollAsksForEntriesThenReadsWithinTheOutputBuffer) {
  CEventLogState state(&m_doc);
  EXPECT_EQ(state.PollCommands(0), QStringList{"/EVENT/LOG/ENTRIES ?"});
  state.ApplyReply({"/EVENT/LOG/ENTRIES ?", "/EVENT/LOG/ENTRIES 30"});
  EXPECT_EQ(state.WaitingEntries(), 30);
  QStringList lines = state.PollCommands(0);
  EXPECT_EQ(lines.size(), 21);
  EXPECT_EQ(lines.first(), "/EVENT/LOG/READ ?");
  EXPECT_EQ(lines.first().size(), CEventLogState::kReadQueryLength);
  EXPECT_EQ(state.PollCommands(100).size(), 15);
  EXPECT_TRUE(state.PollCommands(342).isEmpty());
  state.ApplyReply({"/EVENT/LOG/ENTRIES 2"});
  EXPECT_EQ(state.PollCommands(0).size(), 2);
}

TEST_F(EventLogStateTest, RepliesGiveEntriesAndLowerTheCount) {
  CEventLogState state(&m_doc);
  state.ApplyReply({"/EVENT/LOG/ENTRIES 2"});
  const auto result = state.ApplyReply({"/EVENT/LOG/READ ?", "/EVENT/LOG/READ 01.02.2026 10:00:00 1 2 CALL from cons3",
                                        "/EVENT/LOG/READ log empty", "garbage-without-blank", "/FUSE/SLOT1/A/BLOWN YES",
                                        "/EVENT/LOG/OTHER 5"});
  EXPECT_EQ(result.entries, QStringList{"01.02.2026 10:00:00 1 2 CALL from cons3"});
  EXPECT_FALSE(result.settingsChanged);
  EXPECT_EQ(state.WaitingEntries(), 1);
  // More entries than announced never make the count negative.
  state.ApplyReply({"/EVENT/LOG/READ a", "/EVENT/LOG/READ b"});
  EXPECT_EQ(state.WaitingEntries(), 0);
  state.ApplyReply({"/EVENT/LOG/ENTRIES -4"});
  EXPECT_EQ(state.WaitingEntries(), 0);
  state.ApplyReply({"/EVENT/LOG/ENTRIES many"});
  EXPECT_EQ(state.WaitingEntries(), 0);
}

TEST_F(EventLogStateTest, MaskRepliesFillTheProject) {
  CEventLogState state(&m_doc);
  const auto result = state.ApplyReply({"/EVENT/LOG/MASK/ON AUDIO,MACRO", "/EVENT/LOG/MASK/AUDIO/ON ALARM,CHIME",
                                        "/EVENT/LOG/MASK/FAULT/ON LAN", "/EVENT/LOG/MASK/MACRO/ON 1-3",
                                        "/EVENT/LOG/MASK/READYINP/ON ALL", "/EVENT/LOG/MASK/VIRTCTRL/ON 2"});
  EXPECT_TRUE(result.settingsChanged);
  EXPECT_EQ(Log()->GetParamText(CEventLog::I_GENERAL), "AUDIO,MACRO");
  EXPECT_EQ(Log()->GetParamText(CEventLog::I_AUDIO), "ALARM,CHIME");
  EXPECT_EQ(Log()->GetParamText(CEventLog::I_FAULT), "LAN");
  EXPECT_EQ(Log()->GetParamText(CEventLog::I_MACRO), "1-3");
  EXPECT_EQ(Log()->GetParamText(CEventLog::I_READYINP), "ALL");
  EXPECT_EQ(Log()->GetParamText(CEventLog::I_VIRTCTRL), "2");
}

TEST_F(EventLogStateTest, TransferListsInTheUnitsOrder) {
  CEventLogState state(&m_doc);
  EXPECT_EQ(
      CEventLogState::UploadCommands(),
      (QStringList{"/EVENT/LOG/MASK/ON ?", "/EVENT/LOG/MASK/AUDIO/ON ?", "/EVENT/LOG/MASK/MACRO/ON ?",
                   "/EVENT/LOG/MASK/FAULT/ON ?", "/EVENT/LOG/MASK/READYINP/ON ?", "/EVENT/LOG/MASK/VIRTCTRL/ON ?"}));
  Log()->SetParamText(CEventLog::I_GENERAL, "AUDIO,FAULT");
  Log()->SetParamText(CEventLog::I_FAULT, "LAN");
  Log()->SetParamText(CEventLog::I_MACRO, "4");
  EXPECT_EQ(state.DownloadCommands(),
            (QStringList{"/EVENT/LOG/MASK/ON AUDIO,FAULT", "/EVENT/LOG/MASK/AUDIO/ON NONE",
                         "/EVENT/LOG/MASK/MACRO/ON 4", "/EVENT/LOG/MASK/FAULT/ON LAN",
                         "/EVENT/LOG/MASK/READYINP/ON NONE", "/EVENT/LOG/MASK/VIRTCTRL/ON NONE"}));
}

TEST(EventLogSplit, LongListsAreCutIntoPiecesTheLinkTakes) {
  const QString longLine = "/EVENT/LOG/MASK/MACRO/ON " + QString(300, '1');
  const QStringList lines{"/EVENT/LOG/MASK/ON MACRO", longLine, longLine, "/EVENT/LOG/MASK/VIRTCTRL/ON NONE"};
  const auto pieces = CEventLogState::SplitForLink(lines);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0], (QStringList{"/EVENT/LOG/MASK/ON MACRO", longLine}));
  EXPECT_EQ(pieces[1], (QStringList{longLine, "/EVENT/LOG/MASK/VIRTCTRL/ON NONE"}));
  for (const QStringList& piece : pieces) EXPECT_LE(piece.join("\r\n").size() + 2, 512);
  // One line the link can never take: nothing goes.
  EXPECT_TRUE(CEventLogState::SplitForLink({"/A", QString(600, 'x')}).empty());
}

TEST_F(EventLogStateTest, NumbersBecomeNames) {
  AddConsole(3, "Desk");
  AddMacro(5, "Evacuate");
  const QString head = "06.12.2026 10:00:00 001 A1";
  EXPECT_EQ(CEventLogState::ReplaceNames(head + " CALL from cons3,ZONE 1", &m_doc),
            head + " CALL from console \"Desk\",ZONE 1");
  EXPECT_EQ(CEventLogState::ReplaceNames(head + " CALL from cons4,ZONE 1", &m_doc),
            head + " CALL from console 4,ZONE 1");
  EXPECT_EQ(CEventLogState::ReplaceNames(head + " START MACRO 5 by console #3", &m_doc),
            head + " START macro \"Evacuate\" by console \"Desk\"");
  EXPECT_EQ(CEventLogState::ReplaceNames(head + " READYINP7 open", &m_doc), head + " readyinput 7 open");
}

TEST_F(EventLogStateTest, UnitEntriesAndShortEntriesStayAsTheyAre) {
  AddConsole(3, "Desk");
  EXPECT_EQ(CEventLogState::ReplaceNames("a b c d VMX# from cons3", &m_doc), "a b c d VMX# from cons3");
  EXPECT_EQ(CEventLogState::ReplaceNames("a b from cons3", &m_doc), "a b from cons3");
  EXPECT_EQ(CEventLogState::ReplaceNames("", &m_doc), "");
}

TEST_F(EventLogStateTest, FaultWordsBecomeFailureAndNormal) {
  // One blank between the head and the rest, as in every other entry.
  EXPECT_EQ(CEventLogState::ReplaceNames("a b c d FAULT ON AMP3", &m_doc), "a b c d AMP3 FAILURE");
  EXPECT_EQ(CEventLogState::ReplaceNames("a b c d FAULT OFF AMP3", &m_doc), "a b c d AMP3 NORMAL");
  EXPECT_EQ(CEventLogState::ReplaceNames("06.12.2026 10:00:00 001 INFO FAULT ON AMP 3", &m_doc),
            "06.12.2026 10:00:00 001 INFO AMP 3 FAILURE");
  // Fault words later in the body: the head keeps its blank before it.
  EXPECT_EQ(CEventLogState::ReplaceNames("a b c d AMP3 FAULT OFF", &m_doc), "a b c d AMP3  NORMAL");
  EXPECT_TRUE(CEventLogState::ReplaceNames("a b c d x FAULT ON y", &m_doc).startsWith("a b c d x"));
}

TEST(EventLogFiles, EventFileBesideTheProject) {
  EXPECT_EQ(CEventLogState::EventFilePath("/p/Hall.sxm"), "/p/Hall.sxm.events");
  // Never in the folder the program was started from.
  const QString unsaved = CEventLogState::EventFilePath("");
  EXPECT_TRUE(unsaved.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/"))
      << unsaved.toStdString();
  EXPECT_FALSE(unsaved.startsWith(QDir::currentPath() + "/.events"));
}

TEST(EventLogField, TheOldestLinesGoWhenTheFieldIsFull) {
  QString text;
  int n = 0;
  while (text.size() < CEventLogState::kFieldLimit) text += QString("entry %1 ........................\n").arg(n++);
  const QString trimmed = CEventLogState::TrimField(text);
  EXPECT_LE(trimmed.size(), CEventLogState::kFieldKeep);
  EXPECT_TRUE(trimmed.startsWith("entry 0 "));
  EXPECT_TRUE(trimmed.endsWith('\n'));
  EXPECT_TRUE(text.startsWith(trimmed));
  EXPECT_EQ(CEventLogState::TrimField("short\n"), "short\n");
}

TEST(EventLogPrint, PageIsFullWhenTheNextLineWouldNotFit) {
  EXPECT_FALSE(CEventLogState::PageFull(20, 250, 9));  // 25 * 10 = 250
  EXPECT_TRUE(CEventLogState::PageFull(20, 250, 10));
}

}  // namespace
