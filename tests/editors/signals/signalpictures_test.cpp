// The audio-signal list's pictures: each row shows its kind's state image,
// and the add and delete buttons are pictures with their tool tips.
#include "editors/signals/caudioeditor.h"
#include "editors/signals/csignallistdlg.h"
#include "editors/signals/signallistlogic.h"
#include "macros/calarmgenerator.h"
#include "macros/caudiosignal.h"
#include "model/cselvantisdoc.h"
#include "shell/cbitmapmanager.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unit/cinternalmessagerec.h"
#include "unit/cmiscaudio.h"

#include <QImage>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QImage SignalPicture(const QIcon& icon) {
  return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(SignalPicturesTest, RowsShowTheirKindAndTheButtonsArePictures) {
  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  CInternalMessageRec::EnsureIn(doc);
  CMiscAudio::EnsureIn(doc);
  ASSERT_NE(CAlarmGenerator::CreateIn(doc), nullptr);
  CAudioEditor editor(doc);
  editor.findChild<QPushButton*>("apply")->click();
  ASSERT_EQ(SignalListLogic::ListedSignals(doc).size(), 1u);

  QTreeWidgetItem* row = editor.List()->Tree()->topLevelItem(0);
  ASSERT_NE(row, nullptr);
  const int image = SignalListLogic::ImageOfKind(CAudioSignal::kKindAlarm);
  EXPECT_EQ(image, 1);
  EXPECT_FALSE(row->icon(0).isNull());
  EXPECT_EQ(SignalPicture(row->icon(0)), SignalPicture(CBitmapManager::Icon(CSignalListDlg::kStateImages, image)));

  auto* add = editor.List()->findChild<QToolButton*>("add");
  auto* remove = editor.List()->findChild<QToolButton*>("delete");
  ASSERT_NE(add, nullptr);
  ASSERT_NE(remove, nullptr);
  EXPECT_TRUE(add->text().isEmpty() || add->text() != QStringLiteral("+"));
  EXPECT_NE(remove->text(), QStringLiteral("-"));
  EXPECT_EQ(SignalPicture(add->icon()), SignalPicture(CBitmapManager::Icon(CSignalListDlg::kAddPicture)));
  EXPECT_EQ(SignalPicture(remove->icon()), SignalPicture(CBitmapManager::Icon(CSignalListDlg::kDeletePicture)));
  EXPECT_FALSE(add->toolTip().isEmpty());
  EXPECT_FALSE(remove->toolTip().isEmpty());
}

}  // namespace
