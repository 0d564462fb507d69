// How the windows of the editor host use the room they have: on a screen
// of 1,280 x 800 every command of a window's own bar is in view (none in
// an overflow menu), every other window of the host is one click away,
// and the list shows about fifteen rows when the host opens.
#include "editors/lists/entryframecommands.h"
#include "model/cselvantisdoc.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/hostframekind.h"
#include "support/messagerecorder.h"
#include "support/recordinglink.h"
#include "support/tempprofile.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const QRect kScreen(0, 0, 1280, 800);

bool IsSwitchText(const QString& text) {
  if (text.isEmpty()) return false;
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    const QString full = EntryFrameCommands::SwitchText(s.command);
    if (text == full || text == full.section(QLatin1Char('\n'), 0, 0)) return true;
  }
  return false;
}

// The largest list of the frame, as the host sizes itself for it.
QAbstractItemView* MainList(QWidget* frame) {
  QAbstractItemView* best = nullptr;
  for (QAbstractItemView* view : frame->findChildren<QAbstractItemView*>()) {
    if (view->inherits("QHeaderView") || !view->isVisibleTo(frame)) continue;
    if (!best || view->sizeHint().width() > best->sizeHint().width()) best = view;
  }
  return best;
}

class HostLayoutTest : public testing::Test {
 protected:
  void SetUp() override {
    m_doc.OnNewDocument();
    m_doc.SetUpgradeFlag(1);  // the larger unit: every window opens
    SetActiveDoc(&m_doc);
  }
  void TearDown() override { SetActiveDoc(nullptr); }

  TempProfile m_profile;
  MessageRecorder m_messages;
  RecordingLink m_link;
  CSelvantisDoc m_doc;
};

TEST_F(HostLayoutTest, OnAWideScreenEveryCommandAndEveryWindowIsOneClickAway) {
  int listsChecked = 0;
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    CFrameHostDialog host(&m_doc, s.kind);
    host.show();
    const QSize opening = host.OpeningSizeOn(kScreen);
    EXPECT_LE(opening.width(), kScreen.width()) << s.frameClass;
    EXPECT_LE(opening.height(), kScreen.height()) << s.frameClass;
    host.resize(opening);
    QApplication::processEvents();
    QWidget* frame = host.GetFrame();
    ASSERT_NE(frame, nullptr) << s.frameClass;

    std::set<QString> switches;
    for (QToolBar* bar : host.findChildren<QToolBar*>()) {
      if (!bar->isVisible()) continue;
      // Buttons that do not fit go into the bar's overflow menu, which is
      // shown by its extension button.
      for (QToolButton* extension : bar->findChildren<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        EXPECT_FALSE(extension->isVisible()) << s.frameClass << ": " << bar->objectName().toStdString();
      for (QAction* action : bar->actions()) {
        if (action->isSeparator() || !action->isVisible()) continue;
        QWidget* button = bar->widgetForAction(action);
        ASSERT_NE(button, nullptr) << s.frameClass;
        EXPECT_TRUE(button->isVisible()) << s.frameClass << ": " << action->text().toStdString();
        EXPECT_TRUE(bar->rect().contains(button->geometry())) << s.frameClass << ": " << action->text().toStdString();
        if (IsSwitchText(action->text())) switches.insert(action->text());
      }
    }
    // The frame's switch bar leads to other windows of the host.
    EXPECT_FALSE(switches.empty()) << s.frameClass;

    // An entry list fills its window (alone or beside another list).
    QAbstractItemView* list = MainList(frame);
    auto* main = qobject_cast<QMainWindow*>(frame);
    const bool entryList =
        list && main && (list == main->centralWidget() || list->parentWidget() == main->centralWidget());
    if (entryList) {
      ++listsChecked;
      int row = list->sizeHintForRow(0);
      if (row <= 0) row = list->fontMetrics().height();
      EXPECT_GE(list->viewport()->height(), CFrameHostDialog::kRowsOnOpening * row)
          << s.frameClass << ": " << list->viewport()->height() << " px for rows of " << row << " px";
    }
    host.reject();
  }
  // The sixteen entry-list windows (the others show forms).
  EXPECT_EQ(listsChecked, 16);
}

// The bar of switch buttons stands at the same place in every window,
// whether the window has a bar of its own commands above its contents or
// not: the same spot on the screen is the same button.
TEST_F(HostLayoutTest, TheSwitchColumnStandsAtTheSamePlaceInEveryWindow) {
  std::map<std::pair<int, int>, std::vector<std::string>> places;
  int windows = 0;
  for (const HostFrameSwitch& s : kHostFrameSwitches) {
    CFrameHostDialog host(&m_doc, s.kind);
    host.show();
    host.resize(kScreen.size() * 3 / 4);
    QApplication::processEvents();
    // The bar whose first button is a switch button.
    QWidget* first = nullptr;
    for (QToolBar* bar : host.findChildren<QToolBar*>()) {
      if (!bar->isVisible()) continue;
      const QList<QAction*> actions = bar->actions();
      if (actions.isEmpty() || !IsSwitchText(actions.front()->text())) continue;
      first = bar->widgetForAction(actions.front());
    }
    ASSERT_NE(first, nullptr) << s.frameClass;
    const QPoint at = first->mapTo(&host, QPoint(0, 0));
    places[{at.x(), at.y()}].push_back(s.frameClass);
    ++windows;
    host.reject();
  }
  EXPECT_EQ(windows, 26);
  if (places.size() != 1)
    for (const auto& [at, classes] : places)
      ADD_FAILURE() << "first switch button at " << at.first << "," << at.second << " in " << classes.size()
                    << " windows, e.g. " << classes.front();
}

TEST_F(HostLayoutTest, TheSwitchButtonsSayWhatTheyDoInTheFramesStatusBar) {
  CFrameHostDialog host(&m_doc, HostFrameKind::Fuses);
  host.show();
  QApplication::processEvents();
  QToolBar* column = host.GetSwitchColumn();
  ASSERT_NE(column, nullptr);
  ASSERT_FALSE(column->actions().isEmpty());
  QAction* action = column->actions().front();
  ASSERT_FALSE(action->statusTip().isEmpty());
  // What the pointer resting on the button sends.
  QStatusTipEvent tip(action->statusTip());
  QApplication::sendEvent(column->widgetForAction(action), &tip);
  auto* frame = qobject_cast<QMainWindow*>(host.GetFrame());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->statusBar()->currentMessage(), action->statusTip());
  host.reject();
}

TEST_F(HostLayoutTest, OpensAtItsOpeningSizeWithoutASavedOne) {
  CFrameHostDialog host(&m_doc, HostFrameKind::Triggers);
  host.show();
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(host.size(), host.OpeningSizeOn(screen->availableGeometry()));
  host.reject();
}

// The macro list opened after the user made the system window small: it
// opens at its own size with every switch button in view, and the system
// window comes back at the size the user gave it.
TEST_F(HostLayoutTest, AListOpenedAfterTheUserMadeAnotherWindowSmallShowsItsWholeSwitchColumn) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  const QSize small(520, 300);
  {
    CFrameHostDialog system(&m_doc, HostFrameKind::Hardware);
    system.show();
    system.resize(small);
    system.reject();
  }
  CFrameHostDialog macros(&m_doc, HostFrameKind::Macros);
  macros.show();
  QApplication::processEvents();
  // The one rectangle's width stays; only the height grows.
  EXPECT_EQ(macros.width(), small.width());
  EXPECT_GT(macros.height(), small.height());
  QToolBar* column = macros.GetSwitchColumn();
  ASSERT_NE(column, nullptr);
  for (QToolButton* extension : column->findChildren<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
    EXPECT_FALSE(extension->isVisible()) << "switch buttons behind the column's overflow button";
  int buttons = 0;
  for (QAction* action : column->actions()) {
    if (action->isSeparator() || !action->isVisible()) continue;
    QWidget* button = column->widgetForAction(action);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isVisible() && column->rect().contains(button->geometry())) << action->text().toStdString();
    ++buttons;
  }
  EXPECT_GE(buttons, 20);
  macros.reject();
}

TEST(HostOpeningSizeTest, AStoredHeightGrowsToTheSwitchColumnWithinTheWorkArea) {
  // Stored 300, column 700: 700. Stored taller than the column: kept. A
  // column taller than the work area: the work area less the title bar.
  EXPECT_EQ(CFrameHostDialog::TallEnoughFor(300, 700, kScreen), 700);
  EXPECT_EQ(CFrameHostDialog::TallEnoughFor(800, 700, kScreen), 800);
  EXPECT_EQ(CFrameHostDialog::TallEnoughFor(300, 5000, kScreen), kScreen.height() - 48);
}

TEST(HostOpeningSizeTest, GrowsTheListToItsRowsWithinTheWorkArea) {
  // A frame of 700 x 300 whose list wants 192 px but needs 400 for its rows.
  EXPECT_EQ(CFrameHostDialog::OpeningSize(QSize(700, 300), 192, 400, kScreen),
            QSize(CFrameHostDialog::kMinOpeningWidth, 508));
  // A frame wider and taller than the list needs keeps its own size.
  EXPECT_EQ(CFrameHostDialog::OpeningSize(QSize(1100, 600), 192, 100, kScreen), QSize(1100, 600));
  // Never beyond the work area (less the window's title bar).
  const QSize small = CFrameHostDialog::OpeningSize(QSize(1500, 900), 192, 1000, QRect(0, 0, 1024, 600));
  EXPECT_EQ(small.width(), 1024);
  EXPECT_LT(small.height(), 600);
}

}  // namespace
