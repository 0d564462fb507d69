// Every button that is a picture: each button of every bar of every window
// in the editor host, and each dialog button drawn with one of the
// program's own pictures, shows that picture (not a word, not the widget
// style's symbol).
#include "amps/crelaistopology.h"
#include "amps/ui/crelaytopologiesdlg.h"
#include "editors/macros/calarmmacroview.h"
#include "editors/macros/czonetestmacroview.h"
#include "editors/macros/macrosteptest.h"
#include "editors/signals/caudioeditor.h"
#include "editors/signals/csignallistdlg.h"
#include "macros/calarmgenerator.h"
#include "model/cselvantisdoc.h"
#include "online/cclkfrm.h"
#include "online/cclkview.h"
#include "online/cfaultwindowstate.h"
#include "online/crecorderview.h"
#include "online/cservicedlg.h"
#include "shell/cbitmapmanager.h"
#include "shell/controls/cframehostdialog.h"
#include "shell/controls/chostframeregistry.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unit/cinternalmessagerec.h"
#include "unit/cmiscaudio.h"

#include <QAbstractButton>
#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

QImage Picture(const QIcon& icon) {
  return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Whether button shows picture id (any picture at all for id 0).
void ExpectPicture(const QAbstractButton* button, int id, const std::string& what) {
  ASSERT_NE(button, nullptr) << what;
  ASSERT_FALSE(button->icon().isNull()) << what << " has no picture";
  if (id > 0) {
    ASSERT_TRUE(CBitmapManager::Holds(id)) << what << ": picture " << id << " is missing";
    EXPECT_EQ(Picture(button->icon()), Picture(CBitmapManager::Icon(id)))
        << what << " shows another picture than " << id;
  }
}

class PictureButtonsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    SetActiveDoc(&doc);
  }
  void TearDown() override {
    host.reset();
    SetActiveDoc(nullptr);
  }
  QWidget* OpenHost(HostFrameKind kind) {
    host = std::make_unique<CFrameHostDialog>(&doc, kind);
    host->show();
    return host->GetFrame();
  }
  template <typename T>
  static T* Child(QWidget* root, int id) {
    return root ? root->findChild<T*>(QString::number(id)) : nullptr;
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  std::unique_ptr<CFrameHostDialog> host;
};

}  // namespace

TEST_F(PictureButtonsTest, EveryBarButtonOfEveryHostWindowIsAPicture) {
  int bars = 0;
  for (int n = kFirstHostFrameKind; n <= kLastHostFrameKind; ++n) {
    const auto kind = static_cast<HostFrameKind>(n);
    if (!CHostFrameRegistry::Global().Has(kind)) continue;
    ASSERT_NE(OpenHost(kind), nullptr) << n;
    // The frame's own bars and the host's switch column.
    for (QToolBar* bar : host->findChildren<QToolBar*>()) {
      ++bars;
      for (QAction* action : bar->actions()) {
        if (action->isSeparator() || action->objectName().startsWith(QLatin1String("qt_"))) continue;
        EXPECT_FALSE(action->icon().isNull()) << "window " << n << ", " << bar->objectName().toStdString() << ": \""
                                              << action->text().toStdString() << "\" has no picture";
      }
    }
    host.reset();
  }
  EXPECT_GE(bars, 40);
}

TEST_F(PictureButtonsTest, MessageRecorderButtonsShowTheirPictures) {
  QWidget* frame = OpenHost(HostFrameKind::Recorder);
  ASSERT_NE(frame, nullptr);
  const struct {
    int button;
    int picture;
    const char* what;
  } buttons[] = {{CRecorderView::kPlayId, 534, "Play"},     {CRecorderView::kRecordId, 535, "Record"},
                 {CRecorderView::kStopId, 536, "Stop"},     {CRecorderView::kEraseId, 541, "Erase"},
                 {CRecorderView::kFormatId, 542, "Format"}, {CRecorderView::kInfoId, 533, "Info"}};
  for (const auto& b : buttons) ExpectPicture(Child<QPushButton>(frame, b.button), b.picture, b.what);
  // The info button is its picture alone; what it does is its tool tip.
  auto* info = Child<QPushButton>(frame, CRecorderView::kInfoId);
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->text().isEmpty());
  EXPECT_EQ(info->toolTip(), "Info");
}

TEST_F(PictureButtonsTest, OnLineWindowButtonsShowTheirPictures) {
  auto* clock = qobject_cast<CClkFrm*>(OpenHost(HostFrameKind::Clock));
  ASSERT_NE(clock, nullptr);
  ExpectPicture(clock->GetView()->Button(CClkView::kMainButtonId), CClkView::kBitmapSetClock, "main clock");
  ExpectPicture(clock->GetView()->Button(CClkView::kSlaveButtonId), CClkView::kBitmapSlave, "slave clock");
  host.reset();

  QWidget* faults = OpenHost(HostFrameKind::Faults);
  ExpectPicture(Child<QPushButton>(faults, CFaultWindowState::kRelayButtonId), 245, "FAULT relay");
  host.reset();

  CServiceDlg service(nullptr);
  ExpectPicture(service.findChild<QPushButton*>(QStringLiteral("startTest")), CServiceDlg::kStartBitmap, "start");
  ExpectPicture(service.findChild<QPushButton*>(QStringLiteral("readRegisters")), 0, "re-read");
}

TEST_F(PictureButtonsTest, RelayConfigurationButtonShowsItsPicture) {
  auto topology = std::make_unique<CRelaisTopology>();
  ASSERT_TRUE(topology->Create(CRelaisTopology::KIND_1INN,
                               CRelaisTopology::InputCountOfKind(CRelaisTopology::KIND_1INN), 1, QString(),
                               QRect(10, 20, 0, 0), CAT_TOPOLOGIES, 0, 3, &doc));
  CRelaisTopology* adopted = doc.Adopt(std::move(topology));
  CRelayTopologiesDlg dialog(adopted);
  dialog.show();
  auto* button = dialog.findChild<QPushButton*>(QStringLiteral("relayConfiguration"));
  ExpectPicture(button, CRelayTopologiesDlg::kButtonImage, "Relay configuration");
  EXPECT_EQ(button->text(), "Relay configuration");
  dialog.reject();
}

TEST_F(PictureButtonsTest, SignalListButtonsShowTheirPictures) {
  CInternalMessageRec::EnsureIn(doc);
  CMiscAudio::EnsureIn(doc);
  ASSERT_NE(CAlarmGenerator::CreateIn(doc), nullptr);
  CAudioEditor editor(doc);
  ExpectPicture(editor.List()->findChild<QToolButton*>(QStringLiteral("add")), CSignalListDlg::kAddPicture, "add");
  ExpectPicture(editor.List()->findChild<QToolButton*>(QStringLiteral("delete")), CSignalListDlg::kDeletePicture,
                "delete");
}

class StepPictureButtonsTest : public MacroStepTest {};

TEST_F(StepPictureButtonsTest, ZonesButtonsOfTheStepEditorsShowTheirPicture) {
  ASSERT_NE(Create(CMacro::kKindAlarm), nullptr);
  ASSERT_NE(StepView<CAlarmMacroView>(), nullptr);
  ExpectPicture(StepView<CAlarmMacroView>()->findChild<QToolButton*>(QStringLiteral("zones")),
                CBitmapManager::kZonesBitmap, "zone switching: zones");
  ASSERT_NE(Create(CMacro::kKindLineTest), nullptr);
  ASSERT_NE(StepView<CZonetestMacroView>(), nullptr);
  ExpectPicture(StepView<CZonetestMacroView>()->findChild<QToolButton*>(QStringLiteral("zoneButton")),
                CBitmapManager::kZonesBitmap, "line test: zones");
}
