// The pictures of the on-line and entry-list windows: tool bars of
// pictures with tool tips on the tiled bar background, the hardware tree's
// item pictures, the clock window's pictures and the service dialog's
// picture buttons.
#include "online/cclkfrm.h"
#include "online/cclkview.h"
#include "online/cservicedlg.h"
#include "online/onlinetestsupport.h"
#include "shell/cbitmapmanager.h"
#include "shell/ccontrolbarbackground.h"
#include "shell/controls/cframehostdialog.h"
#include "support/messagerecorder.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

QImage Picture(const QIcon& icon) {
  return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

class OnlinePicturesTest : public OnlineTest {
 protected:
  void TearDown() override {
    if (m_host) m_host->reject();
    m_host.reset();
    OnlineTest::TearDown();
  }
  QMainWindow* Open(HostFrameKind kind) {
    m_host = std::make_unique<CFrameHostDialog>(&m_doc, kind);
    m_host->show();
    return qobject_cast<QMainWindow*>(m_host->GetFrame());
  }
  // Every bar of the window (the frame's and the host's switch column)
  // shows pictures with tool tips and has the tiled background under it.
  static void ExpectPictureBars(QWidget* window, const char* what) {
    const auto bars = window->findChildren<QToolBar*>();
    ASSERT_FALSE(bars.isEmpty()) << what;
    for (QToolBar* bar : bars) {
      EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonIconOnly) << what << " " << bar->objectName().toStdString();
      EXPECT_NE(bar->findChild<CControlBarBackground*>(), nullptr)
          << what << " " << bar->objectName().toStdString() << " has the tiled background";
      for (QAction* action : bar->actions()) {
        if (action->isSeparator()) continue;
        EXPECT_FALSE(action->icon().isNull()) << what << ": " << action->text().toStdString();
        EXPECT_FALSE(action->toolTip().isEmpty()) << what << ": " << action->text().toStdString();
      }
    }
  }
  MessageRecorder m_messages;
  std::unique_ptr<CFrameHostDialog> m_host;
};

TEST_F(OnlinePicturesTest, EntryListAndOnLineFramesHaveBarsOfPictures) {
  for (HostFrameKind kind :
       {HostFrameKind::Conditions, HostFrameKind::Triggers, HostFrameKind::Macros, HostFrameKind::MonitorEntries,
        HostFrameKind::BackupAmplifiers, HostFrameKind::VirtualControllers, HostFrameKind::Faults, HostFrameKind::Clock,
        HostFrameKind::Volumes, HostFrameKind::Hardware, HostFrameKind::Fuses, HostFrameKind::EventLog,
        HostFrameKind::LineTest}) {
    QMainWindow* frame = Open(kind);
    ASSERT_NE(frame, nullptr) << static_cast<int>(kind);
    ExpectPictureBars(m_host.get(), std::to_string(static_cast<int>(kind)).c_str());
    m_host->reject();
    m_host.reset();
  }
}

TEST_F(OnlinePicturesTest, HardwareTreeShowsItsItemPictures) {
  QMainWindow* frame = Open(HostFrameKind::Hardware);
  ASSERT_NE(frame, nullptr);
  auto* tree = frame->findChild<QTreeWidget*>(QStringLiteral("hardwareTree"));
  ASSERT_NE(tree, nullptr);
  ASSERT_GE(tree->topLevelItemCount(), 1);
  // Off line: the one message item, with the message picture.
  EXPECT_EQ(Picture(tree->topLevelItem(0)->icon(0)), Picture(CBitmapManager::Icon(525, 4)));
}

TEST_F(OnlinePicturesTest, ClockWindowShowsPicturesNotSymbols) {
  auto* frame = qobject_cast<CClkFrm*>(Open(HostFrameKind::Clock));
  ASSERT_NE(frame, nullptr);
  CClkView* view = frame->GetView();
  QPushButton* main = view->Button(CClkView::kMainButtonId);
  QPushButton* slave = view->Button(CClkView::kSlaveButtonId);
  ASSERT_NE(main, nullptr);
  ASSERT_NE(slave, nullptr);
  EXPECT_TRUE(main->text().isEmpty());
  EXPECT_TRUE(slave->text().isEmpty());
  EXPECT_EQ(Picture(main->icon()), Picture(CBitmapManager::Icon(CClkView::kBitmapSetClock)));
  EXPECT_EQ(Picture(slave->icon()), Picture(CBitmapManager::Icon(CClkView::kBitmapSlave)));
  for (QLabel* label : view->findChildren<QLabel*>()) {
    EXPECT_FALSE(label->text().contains(QChar(0x2022))) << "no bullets";
    EXPECT_FALSE(label->text().contains(QChar(0x2192)));
  }
  const QLabel* animation = nullptr;
  for (QLabel* label : view->findChildren<QLabel*>())
    if (label->property("frame").isValid()) animation = label;
  ASSERT_NE(animation, nullptr) << "the reception animation";
  EXPECT_FALSE(animation->pixmap().isNull());
}

TEST_F(OnlinePicturesTest, ServiceDialogButtonsArePictures) {
  CServiceDlg dialog(nullptr);
  auto* start = dialog.findChild<QPushButton*>(QStringLiteral("startTest"));
  auto* read = dialog.findChild<QPushButton*>(QStringLiteral("readRegisters"));
  ASSERT_NE(start, nullptr);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(Picture(start->icon()), Picture(CBitmapManager::Icon(CServiceDlg::kStartBitmap)));
  EXPECT_FALSE(read->icon().isNull());
  EXPECT_TRUE(start->text().isEmpty());
  EXPECT_FALSE(start->toolTip().isEmpty());
  EXPECT_FALSE(read->toolTip().isEmpty());
}

}  // namespace
