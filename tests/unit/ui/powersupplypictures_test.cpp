// The power-supply dialog shows its pictures: mains, the battery with its
// charger and twice the battery.
#include "shell/cbitmapmanager.h"
#include "support/dialogdriver.h"
#include "unit/ui/cpowersupplydlg.h"
#include "unit/ui/powersupplydlgfixture.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

namespace {

class PowerSupplyPicturesTest : public PowerSupplyDlgFixture {};

TEST_F(PowerSupplyPicturesTest, ShowsMainsBatteryAndChargerPictures) {
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    int shown[3] = {0, 0, 0};
    const int ids[3] = {CPowerSupplyDlg::kMainsPicture, CPowerSupplyDlg::kBatteryLargePicture,
                        CPowerSupplyDlg::kBatteryPicture};
    for (int i = 0; i < 3; ++i)
      for (QLabel* label : w->findChildren<QLabel*>(QStringLiteral("picture%1").arg(ids[i])))
        if (!label->pixmap().isNull()) ++shown[i];
    EXPECT_EQ(shown[0], 1);
    EXPECT_EQ(shown[1], 1);
    EXPECT_EQ(shown[2], 2);
    w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    ran = true;
  });
  EXPECT_TRUE(ps->ShowProperties());
  EXPECT_TRUE(ran);
}

}  // namespace
