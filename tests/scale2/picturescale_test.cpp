// The pictures at a screen scale of 2: this program runs with
// QT_SCALE_FACTOR=2 (set by its CTest entry before the application object
// exists), renders the main window and a dialog, and checks that every
// picture shown came from a source of at least twice its logical size.
#include "amps/cgroup.h"
#include "amps/czone.h"
#include "amps/ui/caddtogroupsdlg.h"
#include "model/cselvantisdoc.h"
#include "shell/caboutdlg.h"
#include "shell/cbitmapmanager.h"
#include "shell/cmainframe.h"
#include "shell/shellcommands.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr qreal kScale = 2.0;

// Every icon and picture a window shows, with where it sits.
void CheckIcon(const QIcon& icon, const QString& where) {
  if (icon.isNull()) return;
  const QPixmap pm = icon.pixmap(QSize(16, 16), kScale);
  EXPECT_GE(pm.devicePixelRatio(), kScale) << where.toStdString();
  EXPECT_GE(pm.width(), 32) << where.toStdString();
}

// The system menu of a document window holds Qt's own icons, not ours.
bool InSystemMenu(const QWidget& window, const QAction* action) {
  for (QMdiSubWindow* child : window.findChildren<QMdiSubWindow*>())
    if (child->systemMenu() && child->systemMenu()->actions().contains(const_cast<QAction*>(action))) return true;
  return false;
}

int CheckWindow(QWidget& window) {
  int checked = 0;
  for (QAction* action : window.findChildren<QAction*>()) {
    if (InSystemMenu(window, action)) continue;
    CheckIcon(action->icon(), QStringLiteral("action ") + action->objectName() + QLatin1Char(' ') + action->text());
    checked += !action->icon().isNull();
  }
  for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
    // Qt's own buttons (a dock window's float and close) carry its own icons.
    if (button->objectName().startsWith(QLatin1String("qt_"))) continue;
    CheckIcon(button->icon(), QStringLiteral("button ") + button->objectName());
    checked += !button->icon().isNull();
  }
  for (QLabel* label : window.findChildren<QLabel*>()) {
    const QPixmap pm = label->pixmap();
    if (pm.isNull()) continue;
    EXPECT_GE(pm.devicePixelRatio(), kScale) << "label " << label->objectName().toStdString();
    ++checked;
  }
  for (QAbstractItemView* view : window.findChildren<QAbstractItemView*>()) {
    QAbstractItemModel* model = view->model();
    if (!model) continue;
    std::vector<QModelIndex> pending{QModelIndex()};
    while (!pending.empty()) {
      const QModelIndex parent = pending.back();
      pending.pop_back();
      for (int row = 0; row < model->rowCount(parent); ++row) {
        for (int column = 0; column < model->columnCount(parent); ++column) {
          const QModelIndex index = model->index(row, column, parent);
          const QVariant decoration = model->data(index, Qt::DecorationRole);
          if (decoration.canConvert<QIcon>()) {
            CheckIcon(decoration.value<QIcon>(), QStringLiteral("item ") + model->data(index).toString());
            checked += !decoration.value<QIcon>().isNull();
          }
        }
        pending.push_back(model->index(row, 0, parent));
      }
    }
  }
  return checked;
}

TEST(PictureScaleTest, TheApplicationRunsAtScaleTwo) {
  ASSERT_EQ(qApp->devicePixelRatio(), kScale) << "QT_SCALE_FACTOR=2 must be set before the application starts";
}

TEST(PictureScaleTest, SharedPicturesAreRenderedForTheScreenScale) {
  CBitmapManager bitmaps;
  for (int id : CBitmapManager::Ids()) {
    const QPixmap* pm = bitmaps.GetBitmap(id);
    ASSERT_NE(pm, nullptr) << id;
    EXPECT_EQ(pm->devicePixelRatio(), kScale) << id;
    EXPECT_EQ(pm->width(), qRound(pm->deviceIndependentSize().width() * kScale)) << id;
    for (int i = 0; i < CBitmapManager::ImageCount(id); ++i)
      EXPECT_EQ(bitmaps.GetImage(id, i).devicePixelRatio(), kScale) << id << "/" << i;
  }
}

TEST(PictureScaleTest, MainWindowShowsOnlySharpPictures) {
  CMainFrame frame;
  frame.resize(1000, 700);
  frame.show();
  ASSERT_TRUE(frame.OnCommand(ShellCmd::kFileNew));
  QApplication::processEvents();
  const QImage shot = frame.grab().toImage();
  EXPECT_EQ(shot.devicePixelRatio(), kScale);
  EXPECT_GT(CheckWindow(frame), 10) << "the tool bars and menus show their pictures";
}

TEST(PictureScaleTest, DialogShowsOnlySharpPictures) {
  CSelvantisDoc doc;
  for (int i = 0; i < 2; ++i) {
    auto zone = std::make_unique<CZone>();
    ASSERT_TRUE(zone->Create(0, 1, 1, QString(), QRect(0, 0, 32, 32), CAT_ZONES, CZone::kBitmap, 3, &doc));
    doc.Adopt(std::move(zone))->SetName(QStringLiteral("Z%1").arg(i + 1));
  }
  CGroup::EnsureRoot(doc)->SetName(QStringLiteral("All"));
  CAddToGroupsDlg dialog(nullptr, nullptr, &doc);
  dialog.show();
  QApplication::processEvents();
  dialog.grab();
  EXPECT_GT(CheckWindow(dialog), 2) << "the group tree and the candidate list show their pictures";

  CAboutDlg about;
  about.show();
  QApplication::processEvents();
  EXPECT_GT(CheckWindow(about), 0);
}

}  // namespace
