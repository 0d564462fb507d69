// The protocol monitor keeps traffic in order, with direction, and bounded.
#include "link/cprotocolmonitor.h"

#include "support/waituntil.h"

#include <QStringList>

#include <gtest/gtest.h>

TEST(CProtocolMonitorTest, KeepsTheOrderOfSentAndReceivedLines) {
  CProtocolMonitor monitor;
  monitor.AddSent("/A ?\r\n/B ?\r\n");
  monitor.AddReceived("/A ?\r\n/A 1\r");
  monitor.AddReceived("\n/B ?\r\n");
  monitor.AddSent("/C 3\r\n");
  monitor.AddNote("( Framing error )");
  EXPECT_EQ(monitor.ToText(), "> /A ?\n> /B ?\n< /A ?\n< /A 1\n< /B ?\n> /C 3\n! ( Framing error )\n");
  EXPECT_EQ(monitor.At(0).serial, 1u);
  EXPECT_EQ(monitor.At(5).direction, MonitorEntry::Sent);
}

// A line written, or a note made, while a received line is only partly in
// does not cut it: the received line follows whole.
TEST(CProtocolMonitorTest, KeepsAReceivedLineWholeWhenALineIsSentBetweenItsParts) {
  struct Case {
    const char* between;
    QStringList parts;
    QString expected;
  };
  const Case cases[] = {
      {"sent", {"/FUSE/SLOT1/A/BLO", "WN TRUE\r\n"}, "> /POWER/STATE ?\n< /FUSE/SLOT1/A/BLOWN TRUE\n"},
      {"note", {"/CLOCK/MAIN/TI", "ME 14:31:30\r\n"}, "! ( note )\n< /CLOCK/MAIN/TIME 14:31:30\n"},
      {"sent", {"/A", " 1", "\r\n"}, "> /POWER/STATE ?\n< /A 1\n"},
  };
  for (const Case& c : cases) {
    CProtocolMonitor monitor;
    monitor.AddReceived(c.parts[0].toLatin1());
    if (QByteArray(c.between) == "sent")
      monitor.AddSent("/POWER/STATE ?\r\n");
    else
      monitor.AddNote("( note )");
    for (int i = 1; i < c.parts.size(); ++i) monitor.AddReceived(c.parts[i].toLatin1());
    EXPECT_EQ(monitor.ToText(), c.expected) << c.parts.join("|").toStdString();
  }
}

// A piece whose rest never comes is not kept back for ever.
TEST(CProtocolMonitorTest, EntersAPieceWhoseRestDoesNotCome) {
  CProtocolMonitor monitor;
  monitor.AddReceived("/B");
  monitor.AddSent("/C 3\r\n");
  EXPECT_EQ(monitor.ToText(), "> /C 3\n");
  EXPECT_TRUE(WaitUntil([&] { return monitor.Count() == 2; }, kHangLimitMs));
  EXPECT_EQ(monitor.ToText(), "> /C 3\n< /B\n");
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
