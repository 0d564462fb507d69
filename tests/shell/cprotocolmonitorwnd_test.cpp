// The protocol monitor window follows the link's monitor model live.
#include "shell/cprotocolmonitorwnd.h"
#include "link/cprotocolmonitor.h"

#include <QPlainTextEdit>
#include <QTextBlock>

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

// Red is kept for what went wrong: a note of the link such as "Port ...
// open" is information and is shown in a calm colour.
bool LooksLikeAnError(const QColor& colour) { return colour.red() > 150 && colour.green() < 100; }

TEST(CProtocolMonitorWndTest, ANoteOfTheLinkIsNotShownAsAnError) {
  CProtocolMonitor monitor;
  CProtocolMonitorWnd window;
  window.SetMonitor(&monitor);
  monitor.AddNote(QStringLiteral("Port /dev/ttyUSB0 open"));
  auto* text = window.findChild<QPlainTextEdit*>(QStringLiteral("MonitorText"));
  ASSERT_NE(text, nullptr);
  const QTextBlock block = text->document()->firstBlock();
  ASSERT_EQ(block.text(), QStringLiteral("! Port /dev/ttyUSB0 open"));
  const QColor shown = block.begin().fragment().charFormat().foreground().color();
  EXPECT_FALSE(LooksLikeAnError(shown)) << shown.name().toStdString();
  EXPECT_EQ(shown, CProtocolMonitorWnd::NoteColour());
  MonitorEntry note;
  note.direction = MonitorEntry::Note;
  EXPECT_FALSE(LooksLikeAnError(CProtocolMonitorWnd::ColourOf(note)));
}

}  // namespace
