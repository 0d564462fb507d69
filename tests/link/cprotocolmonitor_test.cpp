// The protocol monitor keeps traffic in order, with direction, and bounded.
#include "link/cprotocolmonitor.h"

#include <gtest/gtest.h>

TEST(CProtocolMonitorTest, KeepsTheOrderOfSentAndReceivedLines) {
  CProtocolMonitor monitor;
  monitor.AddSent("/A ?\r\n/B ?\r\n");
  monitor.AddReceived("/A ?\r\n/A 1\r");
  monitor.AddReceived("\n/B");  // incomplete until the next sent line
  monitor.AddSent("/C 3\r\n");
  monitor.AddNote("( Framing error )");
  EXPECT_EQ(monitor.ToText(), "> /A ?\n> /B ?\n< /A ?\n< /A 1\n< /B\n> /C 3\n! ( Framing error )\n");
  EXPECT_EQ(monitor.At(0).serial, 1u);
  EXPECT_EQ(monitor.At(5).direction, MonitorEntry::Sent);
}

TEST(CProtocolMonitorTest, ShowsControlCharactersAsHex) {
  CProtocolMonitor monitor;
  monitor.AddReceived(
      QByteArray("a\x01\x7f"
                 "b\r",
                 5));
  ASSERT_EQ(monitor.Count(), 1);
  EXPECT_EQ(monitor.At(0).text, "a<01><7f>b");
}

TEST(CProtocolMonitorTest, DropsTheOldestEntriesBeyondItsCapacity) {
  CProtocolMonitor monitor;
  monitor.SetCapacity(3);
  int added = 0;
  QObject::connect(&monitor, &CProtocolMonitor::entryAdded, [&](const MonitorEntry&) { ++added; });
  for (int i = 0; i < 10; ++i) monitor.AddSent(QByteArray("/L ") + QByteArray::number(i) + "\r\n");
  EXPECT_EQ(added, 10);
  ASSERT_EQ(monitor.Count(), 3);
  EXPECT_EQ(monitor.At(0).text, "/L 7");
  EXPECT_EQ(monitor.At(2).serial, 10u);
}

TEST(CProtocolMonitorTest, CutsGarbageWithoutLineEndsIntoBoundedEntries) {
  CProtocolMonitor monitor;
  monitor.AddReceived(QByteArray(CProtocolMonitor::kMaxEntryChars * 3, 'z'));
  EXPECT_EQ(monitor.Count(), 3);
  for (const MonitorEntry& entry : monitor.Entries()) EXPECT_EQ(entry.text.size(), CProtocolMonitor::kMaxEntryChars);
}
