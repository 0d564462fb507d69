// The console property sheet with its console tree: which console the pages
// show, what the root does, the question when page 1 holds unsaved changes,
// the Properties command and the keys of the tree.
#include "consoles/ui/cconsolepropertysheet.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidgetItem>

#include "../consoletestsupport.h"
#include "consoles/ui/cconsoletreedlg.h"
#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeyview.h"
#include "consoles/ui/cppcons1.h"
#include "consoles/ui/cppcons2.h"
#include "model/ccmdui.h"
#include "model/commandids.h"
#include "model/devicetype.h"
#include "shell/cbitmapmanager.h"
#include "shell/controls/cobjecttreectrl.h"
#include "shell/cselvantisview.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"

namespace {

constexpr uint32_t kSwitchQuestion = 34191;
constexpr uint32_t kKeyQuestion = 34182;

int CountOf(const MessageRecorder& messages, uint32_t id) {
  int n = 0;
  for (const MessageRequest& r : messages.Requests()) n += r.id == id ? 1 : 0;
  return n;
}

class CConsolePropertySheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetActiveDoc(&doc);
    first = constest::AddConsole(doc, CConsProp::RCX6010, 400);
    second = constest::AddConsole(doc, CConsProp::RCX6020, 1000);
    first->SetName(QStringLiteral("Reception"));
    second->SetName(QStringLiteral("Hall"));
  }
  void TearDown() override {
    sheet.reset();
    SetActiveDoc(nullptr);
  }
  void Open(CConsole* console) {
    sheet = std::make_unique<CConsolePropertySheet>();
    sheet->SetDocument(&doc, console);
    sheet->show();
  }
  CObjectTreeCtrl* Tree() const { return sheet->GetTreeDlg()->GetTree(); }
  // The user clicks the buzzer box of the parameters page.
  void ClickBuzzer() {
    for (QCheckBox* box : sheet->GetPage1()->findChildren<QCheckBox*>()) {
      if (box->text() == QStringLiteral("Buzzer")) {
        box->click();
        return;
      }
    }
    ADD_FAILURE() << "no buzzer box on the parameters page";
  }
  QTreeWidgetItem* ItemOf(const CConsole* console) const { return sheet->GetTreeDlg()->FindItem(console); }

  CSelvantisDoc doc;
  CConsole* first = nullptr;
  CConsole* second = nullptr;
  MessageRecorder messages;
  std::unique_ptr<CConsolePropertySheet> sheet;
};

TEST_F(CConsolePropertySheetTest, OpensOnTheKeyPageWithItsConsoleSelected) {
  Open(second);
  EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Console parameters"));
  EXPECT_EQ(sheet->GetActivePage(), sheet->GetPage2());
  EXPECT_EQ(sheet->GetPageIndex(sheet->GetPage1()), 0);
  EXPECT_EQ(sheet->GetConsole(), second);
  EXPECT_EQ(Tree()->currentItem(), ItemOf(second));
  EXPECT_EQ(sheet->GetPage1()->GetConsole(), second);
  EXPECT_EQ(sheet->GetPage2()->GetConsole(), second);
  ASSERT_NE(sheet->GetPage2()->GetKeyView(), nullptr);
  EXPECT_EQ(&sheet->GetPage2()->GetKeyView()->GetConsole(), second);
  // The root first, expanded, with the consoles below it in list order.
  QTreeWidgetItem* root = sheet->GetTreeDlg()->GetRootItem();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->text(0), QStringLiteral("RCX - Consoles"));
  EXPECT_TRUE(root->isExpanded());
  ASSERT_EQ(root->childCount(), 2);
  EXPECT_EQ(root->child(0)->text(0), QStringLiteral("Reception"));
  EXPECT_EQ(root->child(1)->text(0), QStringLiteral("Hall"));
  EXPECT_TRUE(messages.Requests().empty());
}

// Opening an item switches the pages to its console without choosing it;
// a click on the chosen item brings its console back.
TEST_F(CConsolePropertySheetTest, AnItemTheUserExpandsSwitchesThePagesWithoutBeingChosen) {
  Open(second);
  QTreeWidgetItem* root = sheet->GetTreeDlg()->GetRootItem();
  root->setExpanded(false);
  Tree()->setCurrentItem(ItemOf(second));
  ASSERT_EQ(sheet->GetConsole(), second);
  const QRect rect = Tree()->visualItemRect(root);
  QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(Tree()->indentation() / 2, rect.center().y()));
  ASSERT_TRUE(root->isExpanded());
  EXPECT_EQ(Tree()->currentItem(), ItemOf(second));
  EXPECT_TRUE(ItemOf(second)->isSelected());
  EXPECT_FALSE(root->isSelected());
  EXPECT_EQ(sheet->GetConsole(), nullptr);
  EXPECT_FALSE(sheet->GetTabControl()->isEnabled());
  QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, Qt::NoModifier,
                    Tree()->visualItemRect(ItemOf(second)).center());
  EXPECT_EQ(sheet->GetConsole(), second);
  EXPECT_TRUE(sheet->GetTabControl()->isEnabled());
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CConsolePropertySheetTest, TheRootHidesThePagesAndAConsoleShowsThemAgain) {
  Open(first);
  Tree()->setCurrentItem(sheet->GetTreeDlg()->GetRootItem());
  EXPECT_EQ(sheet->GetConsole(), nullptr);
  EXPECT_FALSE(sheet->GetTabControl()->isEnabled());
  EXPECT_TRUE(sheet->GetPage2()->isHidden());

  Tree()->setCurrentItem(ItemOf(second));
  EXPECT_EQ(sheet->GetConsole(), second);
  EXPECT_TRUE(sheet->GetTabControl()->isEnabled());
  EXPECT_FALSE(sheet->GetPage2()->isHidden());
  ASSERT_NE(sheet->GetPage2()->GetKeyView(), nullptr);
  EXPECT_EQ(&sheet->GetPage2()->GetKeyView()->GetConsole(), second);
  EXPECT_EQ(sheet->GetPage1()->GetConsole(), second);
}

TEST_F(CConsolePropertySheetTest, SwitchingConsolesWithUnsavedParametersAsksOnceAndNoDiscards) {
  Open(first);
  ASSERT_TRUE(sheet->SetActivePage(0));
  ASSERT_EQ(first->GetProp().GetParamText(CConsProp::P_BUZZER), QStringLiteral("1"));
  ClickBuzzer();
  ASSERT_TRUE(sheet->GetPage1()->IsModified());
  ASSERT_TRUE(sheet->IsApplyEnabled());
  messages.QueueAnswer(IDNO);
  Tree()->setCurrentItem(ItemOf(second));
  EXPECT_EQ(CountOf(messages, kSwitchQuestion), 1);
  EXPECT_FALSE(sheet->GetPage1()->IsModified());
  EXPECT_FALSE(sheet->GetPage2()->IsModified());
  EXPECT_FALSE(sheet->IsApplyEnabled());
  EXPECT_EQ(sheet->GetPage1()->GetConsole(), second);
  EXPECT_EQ(sheet->GetPage2()->GetConsole(), second);
  // The first console keeps its buzzer.
  EXPECT_EQ(first->GetProp().GetParamText(CConsProp::P_BUZZER), QStringLiteral("1"));

  // Nothing changed since: the next switch asks nothing.
  Tree()->setCurrentItem(ItemOf(first));
  EXPECT_EQ(CountOf(messages, kSwitchQuestion), 1);
  EXPECT_EQ(sheet->GetPage1()->GetConsole(), first);
}

TEST_F(CConsolePropertySheetTest, SwitchingConsolesWithUnsavedParametersYesAppliesThem) {
  Open(first);
  ASSERT_TRUE(sheet->SetActivePage(0));
  ClickBuzzer();
  messages.QueueAnswer(IDYES);
  Tree()->setCurrentItem(ItemOf(second));
  EXPECT_EQ(CountOf(messages, kSwitchQuestion), 1);
  EXPECT_EQ(first->GetProp().GetParamText(CConsProp::P_BUZZER), QStringLiteral("0"));
  EXPECT_EQ(second->GetProp().GetParamText(CConsProp::P_BUZZER), QStringLiteral("1"));
  EXPECT_FALSE(sheet->IsApplyEnabled());
  EXPECT_EQ(sheet->GetActivePage(), sheet->GetPage1());
  EXPECT_EQ(sheet->GetPage1()->GetConsole(), second);
}

TEST_F(CConsolePropertySheetTest, SwitchingConsolesOnTheKeyPageRebuildsItsKeys) {
  Open(first);
  CKeyView* before = sheet->GetPage2()->GetKeyView();
  ASSERT_NE(before, nullptr);
  Tree()->setCurrentItem(ItemOf(second));
  CKeyView* after = sheet->GetPage2()->GetKeyView();
  ASSERT_NE(after, nullptr);
  EXPECT_EQ(&after->GetConsole(), second);
  EXPECT_NE(after->ButtonOf(second->FindKey(20)), nullptr);
  EXPECT_EQ(CountOf(messages, kSwitchQuestion), 0);
  EXPECT_EQ(CountOf(messages, kKeyQuestion), 0);
}

TEST_F(CConsolePropertySheetTest, TheRootCannotBeRenamedAConsoleCan) {
  Open(first);
  EXPECT_FALSE(sheet->GetTreeDlg()->GetRootItem()->flags() & Qt::ItemIsEditable);
  QTreeWidgetItem* item = ItemOf(first);
  EXPECT_TRUE(item->flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(Tree()->RenameFromLabel(item, QStringLiteral("Desk")));
  EXPECT_EQ(first->GetName(), QStringLiteral("Desk"));
  EXPECT_EQ(item->text(0), QStringLiteral("Desk"));
  // A name another console has is refused; the item keeps the console's.
  EXPECT_FALSE(Tree()->RenameFromLabel(item, QStringLiteral("Hall")));
  EXPECT_EQ(first->GetName(), QStringLiteral("Desk"));
  EXPECT_EQ(item->text(0), QStringLiteral("Desk"));
}

TEST_F(CConsolePropertySheetTest, ATypedNameTakesNoMoreThanTheUnitsField) {
  Open(first);
  QTreeWidgetItem* item = ItemOf(first);
  Tree()->setCurrentItem(item);
  Tree()->editItem(item, 0);
  auto* editor = Tree()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("Reception desk of the north wing, ground floor"));
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();  // the item delegate commits on the next turn
  EXPECT_EQ(first->GetName(), QStringLiteral("Reception desk of the north wing"));
}

TEST_F(CConsolePropertySheetTest, EnterAndEscapeInTheTreePressOkAndCancel) {
  Open(first);
  Tree()->setFocus();
  QTest::keyClick(Tree(), Qt::Key_Return);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_EQ(sheet->result(), QDialog::Accepted);

  Open(first);
  QTest::keyClick(Tree(), Qt::Key_Escape);
  EXPECT_FALSE(sheet->isVisible());
  EXPECT_EQ(sheet->result(), QDialog::Rejected);
}

TEST_F(CConsolePropertySheetTest, PropertiesCommandOpensTheSheetModallyOnTheConsole) {
  ASSERT_TRUE(CBaseDevice::HasPropertiesHandler(DT_CONSOLE));
  CCmdUI cmdUI(ID_SHOW_PROPERTIES);
  second->OnUpdateCommandUI(cmdUI);
  EXPECT_TRUE(cmdUI.IsEnabled());

  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    auto* opened = qobject_cast<CConsolePropertySheet*>(w);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->GetDocument(), &doc);
    EXPECT_EQ(opened->GetConsole(), second);
    EXPECT_EQ(opened->GetActivePage(), opened->GetPage2());
    EXPECT_EQ(opened->GetTreeDlg()->GetTree()->currentItem(), opened->GetTreeDlg()->FindItem(second));
    opened->reject();
    ran = true;
  });
  EXPECT_TRUE(second->OnCommand(ID_SHOW_PROPERTIES));
  EXPECT_TRUE(ran);
}

}  // namespace

namespace {

TEST_F(CConsolePropertySheetTest, ExpandingAnItemLeavesTheDrawingsCurrentObjectAlone) {
  CBitmapManager bitmaps;
  CSelvantisView view(doc, bitmaps);
  Open(second);
  view.SetCurrentObject(second);
  QTreeWidgetItem* root = sheet->GetTreeDlg()->GetRootItem();
  root->setExpanded(false);
  const QRect rect = Tree()->visualItemRect(root);
  QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(Tree()->indentation() / 2, rect.center().y()));
  ASSERT_TRUE(root->isExpanded());
  EXPECT_EQ(sheet->GetConsole(), nullptr);
  EXPECT_EQ(view.GetCurrentObject(), second);
  // Choosing a console does make it the drawing's current object.
  QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, Qt::NoModifier, Tree()->visualItemRect(ItemOf(first)).center());
  EXPECT_EQ(sheet->GetConsole(), first);
  EXPECT_EQ(view.GetCurrentObject(), first);
}

// A palette change, also one that leaves the sheet's own colours as they
// were, draws the key layout again.
TEST_F(CConsolePropertySheetTest, APaletteChangeRepaintsTheKeyPage) {
  Open(first);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
  CKeyView* view = sheet->GetPage2()->GetKeyView();
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }, 20000));
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++paints;
      return false;
    }
  } counter;
  QApplication::processEvents();
  view->installEventFilter(&counter);
  QApplication::processEvents();
  counter.paints = 0;
  QEvent change(QEvent::ApplicationPaletteChange);
  QApplication::sendEvent(sheet.get(), &change);
  EXPECT_TRUE(QTest::qWaitFor([&counter] { return counter.paints > 0; }, 20000));
  view->removeEventFilter(&counter);
}

}  // namespace
