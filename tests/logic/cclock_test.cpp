// The project's clock: its two settings, and every clock reply handed to a
// registered window.
#include "logic/cclock.h"
#include "link/linkmode.h"
#include "logic/iclockwindow.h"
#include "logictestsupport.h"
#include "support/recordinglink.h"

#include <gtest/gtest.h>

namespace {

class RecordingClockWindow final : public IClockWindow {
 public:
  void ParseClockReply(const QString& line) override { lines << line; }
  QStringList lines;
};

CClock* Clock(const CSelvantisDoc& doc) { return Find<CClock>(doc, DT_CLOCK, 1); }

TEST(CClockTest, SettingsStartOffAndDownloadAsTwoLines) {
  auto doc = NewProject();
  CClock* clock = Clock(*doc);
  ASSERT_NE(clock, nullptr);
  EXPECT_EQ(clock->GetPath(), "/CLOCK");
  EXPECT_EQ(clock->GetSlaveInvert(), "OFF");
  EXPECT_EQ(clock->GetSlaveRun(), "OFF");
  clock->SetSlaveRun(true);
  RecordingLink link;
  EXPECT_EQ(clock->Download(false, -1), 2);
  clock->Download(false, 0);
  clock->Download(false, 1);
  EXPECT_EQ(link.TakeLines(), (QStringList{"/CLOCK/SLAVE/INVERT OFF", "/CLOCK/SLAVE/RUN ON"}));
}

TEST(CClockTest, RepliesAreStoredAndPassedToTheOpenWindow) {
  auto doc = NewProject();
  CClock* clock = Clock(*doc);
  RecordingClockWindow window;
  QString errors;
  clock->SetClockWindow(&window);
  EXPECT_TRUE(doc->RouteReplyLine(QStringLiteral("/CLOCK/SLAVE/INVERT ON"), errors, LINKMODE_NORMAL));
  EXPECT_TRUE(doc->RouteReplyLine(QStringLiteral("/CLOCK/MAIN/TIME 12:00:59"), errors, LINKMODE_NORMAL));
  EXPECT_TRUE(doc->RouteReplyLine(QStringLiteral("/CLOCK/SLAVE/RUN ?"), errors, LINKMODE_NORMAL));
  EXPECT_EQ(window.lines, (QStringList{"/CLOCK/SLAVE/INVERT ON", "/CLOCK/MAIN/TIME 12:00:59", "/CLOCK/SLAVE/RUN ?"}));
  EXPECT_EQ(clock->GetSlaveInvert(), "ON");
  EXPECT_EQ(clock->GetSlaveRun(), "OFF");

  clock->SetClockWindow(nullptr);
  EXPECT_TRUE(doc->RouteReplyLine(QStringLiteral("/CLOCK/SLAVE/RUN ON"), errors, LINKMODE_NORMAL));
  EXPECT_EQ(clock->GetSlaveRun(), "ON");
  EXPECT_EQ(window.lines.size(), 3);

  // A garbled answer is refused and keeps the setting.
  doc->SetModifiedFlag(false);
  EXPECT_FALSE(doc->RouteReplyLine(QStringLiteral("/CLOCK/SLAVE/RUN maybe"), errors, LINKMODE_NORMAL));
  EXPECT_FALSE(doc->RouteReplyLine(QStringLiteral("/CLOCK/SLAVE/INVERT"), errors, LINKMODE_NORMAL));
  EXPECT_EQ(clock->GetSlaveRun(), "ON");
  EXPECT_EQ(clock->GetSlaveInvert(), "ON");
  EXPECT_FALSE(doc->IsModified());
  // An answer that changes a setting changes the project.
  EXPECT_TRUE(doc->RouteReplyLine(QStringLiteral("/CLOCK/SLAVE/RUN off"), errors, LINKMODE_NORMAL));
  EXPECT_EQ(clock->GetSlaveRun(), "OFF");
  EXPECT_TRUE(doc->IsModified());
}

TEST(CClockTest, ProjectFileKeepsTheSettings) {
  auto doc = NewProject();
  Clock(*doc)->SetSlaveInvert(true);
  auto loaded = RoundTrip(*doc);
  EXPECT_EQ(Clock(*loaded)->GetSlaveInvert(), "ON");
  EXPECT_EQ(Clock(*loaded)->GetSlaveRun(), "OFF");
  EXPECT_EQ(Clock(*loaded)->GetClockWindow(), nullptr);
}

}  // namespace
