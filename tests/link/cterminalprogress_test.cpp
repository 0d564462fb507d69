// The progress line of the command line: what it says, and that it is
// drawn over itself only on a terminal.
#include "link/cterminalprogress.h"

#include <QBuffer>

#include <gtest/gtest.h>

TEST(CTerminalProgressTest, SaysThePercentageTheLinesAndTheTimeLeft) {
  EXPECT_EQ(CTerminalProgress::Text(0, 400, 0).toStdString(), "  0 %   0 of 400 lines   ?:?? left");
  // A quarter in 20 s: a minute to go.
  EXPECT_EQ(CTerminalProgress::Text(100, 400, 20000).toStdString(), " 25 %   100 of 400 lines   1:00 left");
  EXPECT_EQ(CTerminalProgress::Text(399, 400, 399000).toStdString(), " 99 %   399 of 400 lines   0:01 left");
  EXPECT_EQ(CTerminalProgress::Text(400, 400, 5000).toStdString(), "100 %   400 of 400 lines   0:00 left");
  // Out of range counts are held to the range.
  EXPECT_EQ(CTerminalProgress::Text(500, 400, 5000).toStdString(), "100 %   400 of 400 lines   0:00 left");
  EXPECT_EQ(CTerminalProgress::Text(3, 0, 10).toStdString(), "  0 %   0 of 0 lines   ?:?? left");
}

TEST(CTerminalProgressTest, DrawsOverItselfOnATerminalAndNothingElsewhere) {
  QBuffer terminal;
  terminal.open(QIODevice::WriteOnly);
  {
    CTerminalProgress progress(terminal, true);
    progress.Update(0, 10);
    // Redrawn at most a few times a second, but the last step always.
    progress.Update(5, 10);
    progress.Update(10, 10);
    progress.Finish();
  }
  const QByteArray text = terminal.data();
  EXPECT_TRUE(text.startsWith("\r  0 %   0 of 10 lines")) << text.toStdString();
  EXPECT_FALSE(text.contains(" 50 %"));
  EXPECT_TRUE(text.contains("\r100 %   10 of 10 lines")) << text.toStdString();
  EXPECT_TRUE(text.endsWith("\n"));
  EXPECT_EQ(text.count('\n'), 1);

  QBuffer log;
  log.open(QIODevice::WriteOnly);
  {
    CTerminalProgress progress(log, false);
    progress.Update(0, 10);
    progress.Update(10, 10);
  }
  EXPECT_TRUE(log.data().isEmpty());
}
