// The main window's menus, tool bars and command states as data.
#include "shell/cmenumodel.h"
#include "shell/cframecommandstate.h"
#include "shell/shellcommands.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(CMenuModelTest, HasTheSixMenusInOrder) {
  const auto& menus = CMenuModel::MainMenus();
  ASSERT_EQ(menus.size(), 6u);
  const char* titles[] = {"&File", "&Edit", "&View", "&Communication", "&Window", "&Help"};
  for (size_t i = 0; i < menus.size(); ++i) EXPECT_STREQ(menus[i].title, titles[i]);
}

TEST(CMenuModelTest, OffersTheCommandsTheRestOfTheProgramSends) {
  // 57603 saves the active document, 32852 saves the unit's settings,
  // 32876 opens the project data.
  for (int id :
       {57603, 32852, 32876, int(ShellCmd::kCommConnect), int(ShellCmd::kCommDisconnect), int(ShellCmd::kCommDownload),
        int(ShellCmd::kCommUpload), int(ShellCmd::kCommExport), int(ShellCmd::kCommSendFile), int(ShellCmd::kFilePrint),
        int(ShellCmd::kFilePrintPreview), int(ShellCmd::kAppAbout)})
    EXPECT_NE(CMenuModel::Find(id), nullptr) << id;
  EXPECT_EQ(CMenuModel::Find(33001), nullptr) << "object commands belong to the context menu";
}

TEST(CMenuModelTest, EveryToolbarButtonIsAMenuCommandAndIdsAreUnique) {
  for (int id : CMenuModel::StandardToolbar()) {
    if (id != 0) {
      EXPECT_NE(CMenuModel::Find(id), nullptr) << id;
    }
  }
  for (int id : CMenuModel::ZoomToolbar()) EXPECT_NE(CMenuModel::Find(id), nullptr) << id;
  std::set<int> seen;
  for (const ShellMenu& menu : CMenuModel::MainMenus())
    for (const ShellMenuItem& item : menu.items) {
      if (item.kind == ShellMenuItem::Kind::Command) {
        EXPECT_TRUE(seen.insert(item.command).second) << item.command;
      }
    }
}

TEST(CMenuModelTest, ToolTipsDropMnemonicsAndEllipses) {
  EXPECT_EQ(CMenuModel::ToolTip(ShellCmd::kFileSaveAs), QStringLiteral("Save as"));
  EXPECT_EQ(CMenuModel::ToolTip(32852), QStringLiteral("Save VMX settings"));
  EXPECT_TRUE(CMenuModel::ToolTip(12345).isEmpty());
}

TEST(CFrameCommandStateTest, EnablesCommandsByDocumentAndConnection) {
  using namespace ShellCmd;
  FrameState none;
  EXPECT_TRUE(CFrameCommandState::IsEnabled(kFileNew, none));
  EXPECT_FALSE(CFrameCommandState::IsEnabled(kFileSave, none));
  EXPECT_FALSE(CFrameCommandState::IsEnabled(kViewProject, none));
  EXPECT_TRUE(CFrameCommandState::IsEnabled(kCommConnect, none));
  EXPECT_FALSE(CFrameCommandState::IsEnabled(kCommDisconnect, none));
  EXPECT_FALSE(CFrameCommandState::IsEnabled(kSaveVmxSettings, none));

  FrameState doc;
  doc.hasDocument = true;
  EXPECT_TRUE(CFrameCommandState::IsEnabled(kFileSave, doc));
  EXPECT_TRUE(CFrameCommandState::IsEnabled(kViewProject, doc));
  EXPECT_TRUE(CFrameCommandState::IsEnabled(kCommExport, doc));
  EXPECT_FALSE(CFrameCommandState::IsEnabled(kCommDownload, doc)) << "a download needs the unit";
  EXPECT_FALSE(CFrameCommandState::IsEnabled(kEditDelete, doc)) << "nothing chosen to delete";

  FrameState online = doc;
  online.connected = true;
  EXPECT_TRUE(CFrameCommandState::IsEnabled(kCommDownload, online));
  EXPECT_TRUE(CFrameCommandState::IsEnabled(kSaveVmxSettings, online));
  EXPECT_FALSE(CFrameCommandState::IsEnabled(kCommConnect, online));

  FrameState busy = online;
  busy.transferRunning = true;
  for (int id : {int(kFileNew), int(kFileOpen), int(kFileSave), int(kCommDownload), int(kCommDisconnect), int(kAppExit),
                 int(kFileMru1)})
    EXPECT_FALSE(CFrameCommandState::IsEnabled(id, busy)) << id << " while a transfer runs";
  EXPECT_TRUE(CFrameCommandState::IsEnabled(kViewProtocolMonitor, busy));
}

TEST(CFrameCommandStateTest, ChecksTheVisibleBars) {
  FrameState s;
  s.toolbarVisible = false;
  s.monitorVisible = true;
  EXPECT_FALSE(CFrameCommandState::IsChecked(ShellCmd::kViewToolbar, s));
  EXPECT_TRUE(CFrameCommandState::IsChecked(ShellCmd::kViewZoomBar, s));
  EXPECT_TRUE(CFrameCommandState::IsChecked(ShellCmd::kViewProtocolMonitor, s));
  EXPECT_FALSE(CFrameCommandState::IsChecked(ShellCmd::kFileSave, s));
}

}  // namespace
