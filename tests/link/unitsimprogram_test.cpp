// The simulator program runs by itself, prints its path and answers there.
#include "link/ccommlink.h"
#include "support/messagerecorder.h"
#include "support/waituntil.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

TEST(UnitSimProgramTest, PrintsAPathTheLinkCanConnectTo) {
  QProcess process;
  process.start(SELV_UNIT_SIM_PATH, {"/SERVICE/VER=V0.9"});
  ASSERT_TRUE(process.waitForStarted(kHangLimitMs));
  ASSERT_TRUE(process.waitForReadyRead(kHangLimitMs));
  const QString path = QString::fromLocal8Bit(process.readLine()).trimmed();
  EXPECT_TRUE(path.startsWith("/dev/")) << path.toStdString();
  EXPECT_TRUE(QFileInfo::exists(path));
  {
    MessageRecorder messages;
    CCommLink link;
    ASSERT_TRUE(link.ConnectPort(path, nullptr));
    // The connection's own exchange is over once the echo of its last line
    // is back; only then does the query have the line to itself.
    EXPECT_TRUE(WaitUntil([&] {
      for (const MonitorEntry& entry : link.Monitor().Entries())
        if (entry.direction == MonitorEntry::Received && entry.text == "/PROTECT OFF") return true;
      return false;
    }));
    EXPECT_EQ(link.SendQuery("/SERVICE/VER ?"), "/SERVICE/VER V0.9\r\n");
    link.Disconnect();
    EXPECT_TRUE(messages.Requests().empty());
  }
  process.terminate();
  EXPECT_TRUE(process.waitForFinished(kHangLimitMs));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
}
