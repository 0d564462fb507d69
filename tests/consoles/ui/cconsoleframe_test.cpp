// The key frame: its tool bar (order, separator, tool tips), the on-line
// commands off line, and commands reaching the active key view.
#include "consoles/ui/cconsoleframe.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QScrollArea>
#include <QToolBar>

#include "../consoletestsupport.h"
#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeyview.h"
#include "consoles/ui/ckeyviewlogic.h"
#include "consoles/ui/cppcons2.h"
#include "support/messagerecorder.h"
#include "unit/cinfoslot.h"

namespace {

class FakeHost final : public IKeyViewHost {
 public:
  bool AskKeyRange(int*, int*, int*) override { return false; }
  bool AskCopyDestination(const std::vector<CBaseDevice*>&, CConsole*, const QString&, CConsole**) override {
    return false;
  }
  void SetModelCommitted() override { ++committed; }
  int committed = 0;
};

TEST(CConsoleFrameTest, ToolBarHoldsTheSevenCommandsInOrder) {
  CConsoleFrame frame(true);
  const QList<QAction*> actions = frame.GetToolBar()->actions();
  ASSERT_EQ(actions.size(), 8);
  const int ids[] = {32905, 32900, 32901, 32906, 0, 32902, 32903, 32908};
  const char* tips[] = {"Range key programming",
                        "Clear all key programming",
                        "Copy key programming",
                        "Print Console",
                        nullptr,
                        "Console DOWNLOAD",
                        "Console UPLOAD",
                        "Get actual SW-version"};
  for (int i = 0; i < 8; ++i) {
    if (ids[i] == 0) {
      EXPECT_TRUE(actions[i]->isSeparator()) << i;
      continue;
    }
    EXPECT_EQ(actions[i]->data().toInt(), ids[i]) << i;
    EXPECT_EQ(actions[i]->toolTip(), QString::fromLatin1(tips[i])) << i;
    EXPECT_EQ(frame.GetAction(ids[i]), actions[i]);
    EXPECT_TRUE(actions[i]->isEnabled()) << i;
  }
}

TEST(CConsoleFrameTest, OffLineTheOnLineCommandsAreDisabled) {
  CConsoleFrame frame(false);
  for (int id : {32902, 32903, 32908}) EXPECT_FALSE(frame.GetAction(id)->isEnabled()) << id;
  for (int id : {32905, 32900, 32901, 32906}) EXPECT_TRUE(frame.GetAction(id)->isEnabled()) << id;
  // Nor does a command by its id reach the unit.
  EXPECT_FALSE(frame.OnCommand(32908));
}

TEST(CConsoleFrameTest, ThePageTakesTheOnLineStateFromTheInfoSlot) {
  CSelvantisDoc doc;
  {
    CPPCons2 page(&doc);  // no info slot: off line
    EXPECT_FALSE(page.GetKeyFrame()->IsOnline());
    EXPECT_FALSE(page.GetKeyFrame()->GetAction(32902)->isEnabled());
  }
  CInfoSlot* slot = CInfoSlot::EnsureIn(doc);
  ASSERT_NE(slot, nullptr);
  slot->SetConnected(true);
  CPPCons2 page(&doc);
  EXPECT_TRUE(page.GetKeyFrame()->IsOnline());
  EXPECT_TRUE(page.GetKeyFrame()->GetAction(32903)->isEnabled());
}

TEST(CConsoleFrameTest, CommandsGoToTheActiveView) {
  CSelvantisDoc doc;
  SetActiveDoc(&doc);
  std::vector<CZone*> z = constest::AddZones(doc, 2);
  CConsole* console = constest::AddConsole(doc);
  console->ProgramKeyRange(1, 2, 1);
  ASSERT_FALSE(console->GetInputConnections().empty());
  CConsoleFrame frame(false);
  EXPECT_FALSE(frame.OnCommand(CKeyView::ID_KEYS_CLEAR_ALL));  // no view yet

  FakeHost host;
  auto* view = new CKeyView(*console, host);
  frame.SetActiveView(view);
  EXPECT_EQ(frame.GetActiveView(), view);
  EXPECT_EQ(frame.GetScrollArea()->widget(), view);
  MessageRecorder messages;
  messages.QueueAnswer(IDYES);
  frame.GetAction(CKeyView::ID_KEYS_CLEAR_ALL)->trigger();
  EXPECT_TRUE(messages.Saw(34183));
  EXPECT_TRUE(console->GetInputConnections().empty());
  EXPECT_EQ(host.committed, 1);
  frame.SetActiveView(nullptr);
  EXPECT_EQ(frame.GetActiveView(), nullptr);
  SetActiveDoc(nullptr);
}

}  // namespace
