#include "editors/lists/conlinemonitordlg.h"
#include "editors/lists/onlinemonitorstate.h"
#include "link/linkmode.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "shell/controls/cvalueedit.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QStringList kUnitState = {"/MONI/VOL -12", "/MONI/SEL AMP_OUT", "/MONI/IDX 1A", "/MONI/TABSLCT 4"};

class OnlineMonitorDlgTest : public ::testing::Test {
 protected:
  TempProfile profile;
  MessageRecorder messages;
  RecordingLink link;
};

}  // namespace

TEST(OnlineMonitorStateTest, VolumeRangeDependsOnTheDeviceId) {
  EXPECT_EQ(OnlineMonitorState::VolumeRange(10336).minimum, -78);
  EXPECT_EQ(OnlineMonitorState::VolumeRange(10336).maximum, 0);
  EXPECT_EQ(OnlineMonitorState::VolumeRange(10337).minimum, -72);
  EXPECT_EQ(OnlineMonitorState::VolumeRange(10337).maximum, 6);
  EXPECT_EQ(OnlineMonitorState::VolumeRange(0).minimum, -78);
}

TEST(OnlineMonitorStateTest, CommandsOfTheControls) {
  EXPECT_EQ(OnlineMonitorState::SelectCommand(0), QString("/MONI/SEL OFF"));
  EXPECT_EQ(OnlineMonitorState::SelectCommand(6), QString("/MONI/SEL AMP_OUT"));
  EXPECT_EQ(OnlineMonitorState::SelectCommand(7), std::nullopt);
  EXPECT_EQ(OnlineMonitorState::SelectCommand(-1), std::nullopt);
  EXPECT_EQ(OnlineMonitorState::VolumeCommand(-7), "/MONI/VOL -7");
  EXPECT_EQ(OnlineMonitorState::TableEntryCommand(" 12"), QString("/MONI/TABSLCT 12"));
  EXPECT_EQ(OnlineMonitorState::TableEntryCommand("x"), std::nullopt);
  EXPECT_EQ(OnlineMonitorState::IndexCommand("1A", OnlineMonitorState::kAmpOut), QString("/MONI/IDX 1A"));
  EXPECT_EQ(OnlineMonitorState::IndexCommand("1a", OnlineMonitorState::kAmpIn), QString("/MONI/IDX 1A"));
  // A decimal index sends the number read, not the trailing text.
  EXPECT_EQ(OnlineMonitorState::IndexCommand("1A", 1), QString("/MONI/IDX 1"));
  EXPECT_EQ(OnlineMonitorState::IndexCommand("", 1), std::nullopt);
}

TEST(OnlineMonitorStateTest, RepliesAreReadOnlyAsAWholeAndLineByLine) {
  EXPECT_FALSE(OnlineMonitorState::ParseReplies(kUnitState.mid(0, 3)));
  const auto reading = OnlineMonitorState::ParseReplies(kUnitState);
  ASSERT_TRUE(reading);
  EXPECT_EQ(reading->volume, -12);
  EXPECT_EQ(reading->volumeText, QString("-12"));
  EXPECT_EQ(reading->source, 6);
  EXPECT_EQ(reading->index, QString("1A"));
  EXPECT_EQ(reading->tableEntry, QString("4"));
  // A line that answers another query (or an error text) is not taken.
  const auto mixed = OnlineMonitorState::ParseReplies({"ERROR", "/MONI/SEL BOGUS", "/MONI/VOL 3", "/MONI/TABSLCT 9"});
  ASSERT_TRUE(mixed);
  EXPECT_FALSE(mixed->volume);
  EXPECT_FALSE(mixed->source);
  EXPECT_FALSE(mixed->index);
  EXPECT_EQ(mixed->tableEntry, QString("9"));
}

TEST_F(OnlineMonitorDlgTest, OpensWithTheUnitStateAndSendsNothingBack) {
  CProfile::WriteInt(LinkProfile::kUnitSection, LinkProfile::kDeviceId, 10337);
  link.SetConnected(true);
  link.SetListReplies(kUnitState);
  COnlineMonitorDlg dialog(nullptr, &link);
  EXPECT_EQ(dialog.Slider()->minimum(), -72);
  EXPECT_EQ(dialog.Slider()->maximum(), 6);
  EXPECT_EQ(dialog.Slider()->value(), -12);
  EXPECT_EQ(dialog.VolumeLabel()->text(), "-12");
  EXPECT_EQ(dialog.SourceCombo()->currentIndex(), 6);
  EXPECT_EQ(dialog.IndexEdit()->text(), "1A");
  EXPECT_EQ(dialog.TableEntryEdit()->text(), "4");
  // Only the four queries went out: filling the controls echoes nothing.
  EXPECT_EQ(link.Lines(), OnlineMonitorState::RefreshQueries());
}

TEST_F(OnlineMonitorDlgTest, NotConnectedOpensWithDefaultsAndStillHandsChangesToTheLink) {
  link.SetConnected(false);
  COnlineMonitorDlg dialog(nullptr, &link);
  EXPECT_EQ(dialog.Slider()->minimum(), -78);
  EXPECT_EQ(dialog.SourceCombo()->currentText(), "OFF");
  EXPECT_TRUE(dialog.IndexEdit()->text().isEmpty());
  EXPECT_TRUE(link.Lines().isEmpty());
  dialog.OnSourceActivated(2);
  EXPECT_EQ(link.Lines(), QStringList{"/MONI/SEL OUT"});
}

TEST_F(OnlineMonitorDlgTest, SliderSendsOneLinePerUserMoveAsACommandList) {
  link.SetConnected(false);
  COnlineMonitorDlg dialog(nullptr, &link);
  dialog.show();
  dialog.Slider()->setFocus();
  QTest::keyClick(dialog.Slider(), Qt::Key_Left);
  QTest::keyClick(dialog.Slider(), Qt::Key_Left);
  EXPECT_EQ(link.Lines(), (QStringList{"/MONI/VOL -1", "/MONI/VOL -2"}));
  EXPECT_EQ(link.ReplyTarget(), &dialog);
  EXPECT_EQ(dialog.VolumeLabel()->text(), "-2");
  // Programmatic moves send nothing.
  dialog.Slider()->setValue(-30);
  EXPECT_EQ(link.Lines().size(), 2);
}

TEST_F(OnlineMonitorDlgTest, IndexEditSendsInHexForAmplifierSourcesAndRefreshes) {
  link.SetConnected(true);
  link.SetListReplies(kUnitState);
  COnlineMonitorDlg dialog(nullptr, &link);
  link.Clear();
  dialog.IndexEdit()->setText("1A");
  dialog.OnIndexKillFocus();
  ASSERT_FALSE(link.Lines().isEmpty());
  EXPECT_EQ(link.Lines().front(), "/MONI/IDX 1A");
  EXPECT_EQ(link.Lines().size(), 5);  // the command, then the four queries

  link.Clear();
  dialog.TableEntryEdit()->setText("abc");
  dialog.OnTableEntryKillFocus();
  EXPECT_TRUE(link.Lines().isEmpty());
  dialog.TableEntryEdit()->setText("7");
  dialog.OnTableEntryKillFocus();
  EXPECT_EQ(link.Lines().front(), "/MONI/TABSLCT 7");
}

TEST_F(OnlineMonitorDlgTest, AReplyCountOtherThanFourLeavesTheControls) {
  link.SetConnected(true);
  link.SetListReplies(kUnitState.mid(0, 2));
  COnlineMonitorDlg dialog(nullptr, &link);
  EXPECT_EQ(dialog.Slider()->value(), 0);
  EXPECT_EQ(dialog.VolumeLabel()->text(), "0");
  EXPECT_EQ(dialog.SourceCombo()->currentIndex(), 0);
}

TEST_F(OnlineMonitorDlgTest, ClosingReturnsTheLinkToNormalMode) {
  link.SetConnected(false);
  {
    COnlineMonitorDlg dialog(nullptr, &link);
    dialog.OnVolumeMoved(-3);
  }
  ASSERT_FALSE(link.Modes().isEmpty());
  EXPECT_EQ(link.Modes().back(), LINKMODE_NORMAL);
}
