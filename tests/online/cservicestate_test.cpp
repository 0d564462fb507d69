// The service dialog's commands and how it reads the unit's replies.
#include "online/cservicestate.h"

#include <gtest/gtest.h>

namespace {

TEST(CServiceStateTest, OpeningAsksStatusThenEveryRegister) {
  CServiceState state;
  const QStringList commands = state.OpeningCommands();
  ASSERT_EQ(commands.size(), 3 + 16);
  EXPECT_EQ(commands.mid(0, 5), (QStringList{"/SERVICE/ONTIME ?", "/SERVICE/ONCOUNT ?", "/SERVICE/VER ?",
                                             "/SERVICE/SPI1/OUT ?", "/SERVICE/SPI1/IN ?"}));
  EXPECT_EQ(commands.mid(17), (QStringList{"/SERVICE/SPI/LOGIC/OUT ?", "/SERVICE/SPI/LOGIC/IN ?"}));
  EXPECT_EQ(state.TimerCommands(), (QStringList{"/SERVICE/ONTIME ?", "/SERVICE/ONCOUNT ?"}));
}

TEST(CServiceStateTest, ReReadUsesTheRowNames) {
  const QStringList commands = CServiceState().ReadRegisterCommands();
  ASSERT_EQ(commands.size(), 16);
  EXPECT_EQ(commands[4], "/SERVICE/SPI3/OUT ?");
  EXPECT_EQ(commands[15], "/SERVICE/LOGIC/IN ?");
}

TEST(CServiceStateTest, StartWithoutTestKeepsTheBlank) {
  EXPECT_EQ(CServiceState::StartTestCommand(""), "/SERVICE/START ");
  EXPECT_EQ(CServiceState::StartTestCommand("RTC"), "/SERVICE/START RTC");
  EXPECT_EQ(CServiceState::TestNames().size(), 21);
  EXPECT_EQ(CServiceState::TestNames().last(), "SINESWEEP");
}

TEST(CServiceStateTest, WritingARegisterThenReadsItsInput) {
  EXPECT_EQ(CServiceState::WriteRegisterCommands(2, "12"), (QStringList{"/SERVICE/SPI3/OUT 12", "/SERVICE/SPI3/IN ?"}));
  EXPECT_EQ(CServiceState::WriteRegisterCommands(7, "3"), (QStringList{"/SERVICE/LOGIC/OUT 3", "/SERVICE/LOGIC/IN ?"}));
  EXPECT_TRUE(CServiceState::WriteRegisterCommands(8, "3").isEmpty());
}

TEST(CServiceStateTest, RepeatedStatusAnswersChangeNothing) {
  CServiceState state;
  EXPECT_EQ(state.ParseReply("SERVICE/ONTIME 12:30").change, CServiceState::Change::OnlineTime);
  EXPECT_EQ(state.ParseReply("SERVICE/ONTIME 12:30").change, CServiceState::Change::None);
  EXPECT_EQ(state.ParseReply("SERVICE/ONCOUNT 17").change, CServiceState::Change::PowerOnCount);
  EXPECT_EQ(state.PowerOnCount(), 17);
  EXPECT_EQ(state.ParseReply("SERVICE/ONCOUNT 17").change, CServiceState::Change::None);
  // Nothing is answered after a reset: a zero count is news.
  state.Reset();
  EXPECT_EQ(state.PowerOnCount(), -1);
  EXPECT_EQ(state.ParseReply("SERVICE/ONCOUNT garbled").change, CServiceState::Change::None);
  EXPECT_EQ(state.ParseReply("SERVICE/ONCOUNT -3").change, CServiceState::Change::None);
  EXPECT_EQ(state.PowerOnCount(), -1);
  EXPECT_EQ(state.ParseReply("SERVICE/ONCOUNT 0").change, CServiceState::Change::PowerOnCount);
  EXPECT_EQ(state.PowerOnCount(), 0);
  EXPECT_EQ(state.ParseReply("SERVICE/ONTIME ?").change, CServiceState::Change::None);
  const CServiceState::ParseResult version = state.ParseReply("SERVICE/VER 3.02 b");
  EXPECT_EQ(version.change, CServiceState::Change::Version);
  EXPECT_EQ(version.value, "3.02 b");
}

TEST(CServiceStateTest, RegisterRepliesNameRowAndColumn) {
  CServiceState state;
  CServiceState::ParseResult r = state.ParseReply("SERVICE/SPI3/IN 255");
  EXPECT_EQ(r.change, CServiceState::Change::Register);
  EXPECT_EQ(r.row, 2);
  EXPECT_EQ(r.column, CServiceState::kColumnIn);
  EXPECT_EQ(r.value, "255");
  r = state.ParseReply("SERVICE/LOGIC/OUT 4");
  EXPECT_EQ(r.row, 7);
  EXPECT_EQ(r.column, CServiceState::kColumnOut);
  r = state.ParseReply("SERVICE/SPI/LOGIC/IN 9");
  EXPECT_EQ(r.row, 7);
  EXPECT_EQ(r.column, CServiceState::kColumnIn);
}

TEST(CServiceStateTest, MalformedRegisterRepliesAreIgnored) {
  CServiceState state;
  for (const char* line : {"SERVICE/SPI0/OUT 1", "SERVICE/SPI8/OUT 1", "SERVICE/SPIx/OUT 1", "SERVICE/SPI3/FOO 1",
                           "SERVICE/SPI3 1", "SERVICE/OTHER 1", "SERVICE", "", "SERVICE/SPI-1/IN 2"}) {
    EXPECT_EQ(state.ParseReply(line).change, CServiceState::Change::None) << line;
  }
}

}  // namespace
