// The protocol monitor window follows the link's monitor model live.
#include "shell/cprotocolmonitorwnd.h"
#include "link/cprotocolmonitor.h"

#include <gtest/gtest.h>

namespace {

TEST(CProtocolMonitorWndTest, ShowsKeptEntriesAndEveryNewOne) {
  CProtocolMonitor monitor;
  monitor.AddSent("/ZONE1/VOL ?\r\n");
  monitor.AddReceived("/ZONE1/VOL -12\r\n");
  CProtocolMonitorWnd window;
  window.SetMonitor(&monitor);
  EXPECT_EQ(window.LineCount(), 2);
  monitor.AddNote(QStringLiteral("Port closed"));
  EXPECT_EQ(window.LineCount(), 3);
  EXPECT_EQ(window.Text(), QStringLiteral("> /ZONE1/VOL ?\n< /ZONE1/VOL -12\n! Port closed"));
  monitor.Clear();
  EXPECT_EQ(window.LineCount(), 0);
  window.SetMonitor(nullptr);
  monitor.AddSent("/X\r\n");
  EXPECT_EQ(window.LineCount(), 0) << "detached";
}

TEST(CProtocolMonitorWndTest, ForgetsAMonitorThatGoesAway) {
  CProtocolMonitorWnd window;
  {
    CProtocolMonitor monitor;
    window.SetMonitor(&monitor);
    monitor.AddSent("/A\r\n");
  }
  EXPECT_EQ(window.Monitor(), nullptr);
  EXPECT_EQ(window.LineCount(), 1);
}

}  // namespace
