// The step editors' pictures: the zones button of the zone-switching and
// line-test steps, and the sequence list's step pictures.
#include "editors/macros/calarmmacroview.h"
#include "editors/macros/csequencemacroview.h"
#include "editors/macros/czonetestmacroview.h"
#include "editors/macros/macrosteptest.h"
#include "macros/cmacro.h"
#include "shell/cbitmapmanager.h"
#include "shell/controls/cinplaceedit.h"

#include <QImage>
#include <QTableWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

QImage Picture(const QIcon& icon) {
  return icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32);
}

class StepPicturesTest : public MacroStepTest {};

TEST_F(StepPicturesTest, ZonesButtonsShowTheirPicture) {
  const QImage zones = Picture(CBitmapManager::Icon(CBitmapManager::kZonesBitmap));
  ASSERT_FALSE(zones.isNull());
  ASSERT_NE(Create(CMacro::kKindAlarm), nullptr);
  auto* alarm = StepView<CAlarmMacroView>();
  ASSERT_NE(alarm, nullptr);
  auto* button = alarm->findChild<QToolButton*>(QStringLiteral("zones"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(Picture(button->icon()), zones);
  EXPECT_FALSE(button->toolTip().isEmpty());

  ASSERT_NE(Create(CMacro::kKindLineTest), nullptr);
  auto* lineTest = StepView<CZonetestMacroView>();
  ASSERT_NE(lineTest, nullptr);
  auto* testButton = lineTest->findChild<QToolButton*>(QStringLiteral("zoneButton"));
  ASSERT_NE(testButton, nullptr);
  EXPECT_EQ(Picture(testButton->icon()), zones);
  EXPECT_FALSE(testButton->toolTip().isEmpty());
}

TEST_F(StepPicturesTest, SequenceStepsShowTheStepPicture) {
  ASSERT_NE(Create(CMacro::kKindSequence), nullptr);
  auto* view = StepView<CSequenceMacroView>();
  ASSERT_NE(view, nullptr);
  auto* steps = view->findChild<QTableWidget*>(QStringLiteral("steps"));
  ASSERT_NE(steps, nullptr);
  const QImage step = Picture(CBitmapManager::Icon(CSequenceMacroView::kStepImages, CSequenceMacroView::kStepImage));
  for (int row = 0; row < steps->rowCount(); ++row) {
    ASSERT_NE(steps->item(row, 0), nullptr);
    EXPECT_EQ(Picture(steps->item(row, 0)->icon()), step) << row;
    EXPECT_TRUE(steps->item(row, 1) == nullptr || steps->item(row, 1)->icon().isNull());
  }
}

}  // namespace
