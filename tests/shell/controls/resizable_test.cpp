#include "model/cprofile.h"
#include "shell/controls/cellipsisstatic.h"
#include "shell/controls/cresizabledialog.h"
#include "shell/controls/cresizabletreectrl.h"
#include "shell/controls/ctooltipctrlex.h"
#include "shell/controls/dialogrectstore.h"
#include "shell/controls/qstringprinter.h"
#include "support/dialogdriver.h"
#include "support/tempprofile.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidgetItem>

#include <gtest/gtest.h>

namespace {

TEST(DialogRectStoreTest, RectangleRoundTripsThroughTheProfile) {
  TempProfile profile;
  const DialogRectStore store = DialogRectStore::ForTemplate(413);
  EXPECT_EQ(store.Section(), "Settings");
  EXPECT_EQ(store.Key(), "DlgSize413");
  EXPECT_FALSE(store.Load().has_value());
  store.Save(QRect(-20, 35, 640, 480));
  EXPECT_EQ(CProfile::GetString("Settings", "DlgSize413"), "-20,35,640,480");
  EXPECT_EQ(store.Load(), std::optional<QRect>(QRect(-20, 35, 640, 480)));
}

TEST(DialogRectStoreTest, DamagedValuesAreIgnored) {
  for (const char* text : {"", "1,2,3", "1,2,3,4,5", "a,b,c,d", "10,10,0,100", "10,10,100,-5", "1,2,3x,4",
                           "0,0,999999,100", "1.5,2,300,200"}) {
    EXPECT_FALSE(DialogRectStore::FromText(text).has_value()) << text;
  }
  EXPECT_EQ(DialogRectStore::FromText(" 1, 2 ,300,200"), std::optional<QRect>(QRect(1, 2, 300, 200)));
}

TEST(DialogRectStoreTest, RectangleIsBroughtBackOntoTheScreen) {
  const QRect screen(0, 0, 1024, 768);
  // On screen: unchanged.
  EXPECT_EQ(DialogRectStore::FitToScreen(QRect(100, 100, 300, 200), screen), QRect(100, 100, 300, 200));
  // Saved on a second monitor that is gone.
  EXPECT_EQ(DialogRectStore::FitToScreen(QRect(1800, 50, 300, 200), screen), QRect(724, 50, 300, 200));
  EXPECT_EQ(DialogRectStore::FitToScreen(QRect(-900, -50, 300, 200), screen), QRect(0, 0, 300, 200));
  // Larger than the screen now is.
  EXPECT_EQ(DialogRectStore::FitToScreen(QRect(10, 10, 2000, 1000), screen), QRect(0, 0, 1024, 768));
}

class InitCountingDialog : public CResizableDialog {
 public:
  using CResizableDialog::CResizableDialog;
  int inits = 0;
  bool refuse = false;

 protected:
  bool OnInitDialog() override {
    ++inits;
    return !refuse && CResizableDialog::OnInitDialog();
  }
};

TEST(CResizableDialogTest, KeepsItsRectangleBetweenOpenings) {
  TempProfile profile;
  const QRect wanted(40, 60, 333, 222);
  {
    InitCountingDialog dlg(139);
    dlg.show();
    dlg.setGeometry(wanted);
    dlg.accept();
    EXPECT_EQ(dlg.inits, 1);
  }
  EXPECT_EQ(DialogRectStore::ForTemplate(139).Load(), std::optional<QRect>(wanted));
  InitCountingDialog again(139);
  DriveNextModal([&](QWidget* w) {
    EXPECT_EQ(w->geometry(), wanted);
    static_cast<QDialog*>(w)->reject();
  });
  EXPECT_EQ(again.DoModal(), IDCANCEL);
  EXPECT_EQ(again.inits, 1);
  // Another template keeps its own rectangle.
  EXPECT_FALSE(DialogRectStore::ForTemplate(140).Load().has_value());
}

TEST(CResizableDialogTest, InitialisationRunsOnceAndARefusalCancels) {
  TempProfile profile;
  InitCountingDialog dlg(500);
  dlg.show();
  dlg.hide();
  dlg.show();
  dlg.hide();
  EXPECT_EQ(dlg.inits, 1);

  InitCountingDialog refused(501);
  refused.refuse = true;
  EXPECT_EQ(refused.DoModal(), IDCANCEL);
  // A dialog that never came up does not overwrite the saved rectangle.
  EXPECT_FALSE(DialogRectStore::ForTemplate(501).Load().has_value());
}

TEST(CResizableTreeCtrlTest, SetItemTextByDataChangesEveryMatchingItemAtAnyDepth) {
  CResizableTreeCtrl tree;
  auto* root = new QTreeWidgetItem(&tree, QStringList{"KCM201 1"});
  CResizableTreeCtrl::SetItemData(root, 7);
  auto* child = new QTreeWidgetItem(root, QStringList{"KCM208 1"});
  CResizableTreeCtrl::SetItemData(child, 12);
  auto* grandChild = new QTreeWidgetItem(child, QStringList{"KCM208 1 again"});
  CResizableTreeCtrl::SetItemData(grandChild, 12);
  auto* noData = new QTreeWidgetItem(&tree, QStringList{"no data"});

  EXPECT_EQ(tree.SetItemTextByData(12, "Relays 1-5"), 2);
  EXPECT_EQ(child->text(0), "Relays 1-5");
  EXPECT_EQ(grandChild->text(0), "Relays 1-5");
  EXPECT_EQ(root->text(0), "KCM201 1");
  // Items without data are not taken for data 0.
  EXPECT_EQ(tree.SetItemTextByData(0, "zero"), 0);
  EXPECT_EQ(noData->text(0), "no data");
  EXPECT_EQ(tree.SetItemTextByData(99, "none"), 0);
  EXPECT_EQ(tree.FindItemByData(7), root);
}

TEST(CEllipsisStaticTest, ShowsTheCutAndKeepsTheWholeTextAsToolTip) {
  CEllipsisStatic label;
  label.show();  // a hidden widget gets its resize events only when shown
  const QString text = "Auto-powerup Priority when powered by Main Power";
  label.resize(label.fontMetrics().horizontalAdvance(text) / 2, 20);
  label.SetWindowText(text);
  EXPECT_TRUE(label.text().endsWith("..."));
  EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), label.contentsRect().width());
  EXPECT_EQ(label.toolTip(), text);
  EXPECT_EQ(label.GetWindowText(), text);
  // Wide enough again: the whole text.
  label.resize(label.fontMetrics().horizontalAdvance(text) + 20, 20);
  EXPECT_EQ(label.text(), text);
  // Setting another text recomputes the cut.
  label.SetWindowText("Boot macro");
  EXPECT_EQ(label.text(), "Boot macro");
}

TEST(CToolTipCtrlExTest, WindowToolsCoverTheControlAndFollowActivation) {
  CToolTipCtrlEx tips;
  QPushButton add;
  QLabel* gone = new QLabel;
  EXPECT_TRUE(tips.AddWindowTool(&add, "Add signal"));
  EXPECT_TRUE(tips.AddWindowTool(gone, "Gone soon"));
  EXPECT_FALSE(tips.AddWindowTool(nullptr, "x"));
  EXPECT_EQ(add.toolTip(), "Add signal");
  tips.AddWindowTool(&add, "Add a signal");  // again: replaced, not doubled
  EXPECT_EQ(add.toolTip(), "Add a signal");
  delete gone;
  EXPECT_EQ(tips.GetToolCount(), 1);
  tips.Activate(false);
  EXPECT_TRUE(add.toolTip().isEmpty());
  tips.Activate(true);
  EXPECT_EQ(add.toolTip(), "Add a signal");
}

}  // namespace
