// The activation delay of an "On" key, from the key dialog to the unit: the
// box shows seconds, its arrows move one step of 35.55 ms, a number of
// seconds typed into it becomes the nearest step count, and the download
// sends the step count.
#include "../consoletestsupport.h"
#include "consolehandlers.h"
#include "consoles/ui/cconsolepropertysheet.h"
#include "consoles/ui/ckeypropertiesdlg.h"
#include "consoles/ui/ckeyview.h"
#include "consoles/ui/conskeybutton.h"
#include "consoles/ui/cppcons2.h"
#include "link/ctransfer.h"
#include "shell/controls/cpropertysheet.h"
#include "support/simlinktest.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class KeyDelayTest : public SimLinkTest {
 protected:
  void SetUp() override {
    StartSim(RegisterConsoleHandlers);
    SetActiveDoc(&doc);
    console = constest::AddConsole(doc, CConsProp::RCX6010);
    key = console->FindKey(1);
    ASSERT_TRUE(key->SetFunctionFromText(CConsKey::ON, QStringLiteral("28"), true));
  }
  void TearDown() override {
    sheet.reset();
    SimLinkTest::TearDown();
    SetActiveDoc(nullptr);
  }
  // The sheet on the key page and the key's dialog opened by a double click
  // on its button; null when it did not open.
  CKeyPropertiesDlg* OpenKeyDialog() {
    sheet = std::make_unique<CConsolePropertySheet>();
    sheet->SetDocument(&doc, console);
    sheet->show();
    CKeyView* view = sheet->GetPage2()->GetKeyView();
    if (view == nullptr || view->ButtonOf(key) == nullptr) return nullptr;
    QTest::mouseDClick(view->ButtonOf(key), Qt::LeftButton);
    return view->GetKeyDialog();
  }
  static void Type(QSpinBox* box, const QString& text) {
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
  }

  CConsole* console = nullptr;
  CConsKey* key = nullptr;
  std::unique_ptr<CConsolePropertySheet> sheet;
};

}  // namespace

TEST_F(KeyDelayTest, SecondsInTheBoxStepsWithTheArrowsAndOnTheLine) {
  CKeyPropertiesDlg* dlg = OpenKeyDialog();
  ASSERT_NE(dlg, nullptr);
  QSpinBox* box = dlg->DelaySpin();
  ASSERT_FALSE(box->isHidden());
  // 28 steps of 35.55 ms.
  EXPECT_EQ(box->text(), "1.00");

  // 3 s is 84.4 steps: 84, shown as the 2.99 s they last.
  Type(box, "3");
  EXPECT_EQ(key->GetFunction().p1, 84);
  EXPECT_EQ(box->text(), "2.99");

  // The arrows count steps.
  QTest::keyClick(box, Qt::Key_Up);
  EXPECT_EQ(key->GetFunction().p1, 85);
  EXPECT_EQ(box->text(), "3.02");

  QTest::mouseClick(sheet->GetButton(CPropertySheet::PSBTN_OK), Qt::LeftButton);
  ASSERT_FALSE(sheet->isVisible());
  ASSERT_TRUE(Connect());
  CTransfer transfer;
  ASSERT_EQ(transfer.DownloadObject(*console), CTransfer::Result::Done);
  EXPECT_EQ(sim.Value("/CONS/ADR1/KEY1"), "ON,85");
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(KeyDelayTest, TypedSecondsAreRoundedAndClampedToTheSteps) {
  CKeyPropertiesDlg* dlg = OpenKeyDialog();
  ASSERT_NE(dlg, nullptr);
  QSpinBox* box = dlg->DelaySpin();
  struct Case {
    const char* typed;
    int steps;
    const char* shown;
  };
  // A comma reads as the decimal point too; beyond 255 steps the box stays
  // at 255 (9.07 s), at or below zero at 0.
  for (const Case& c :
       {Case{"0.5", 14, "0.50"}, Case{"1,5", 42, "1.49"}, Case{"0.017", 0, "0.00"}, Case{"0.018", 1, "0.04"},
        Case{"9.1", 255, "9.07"}, Case{"99999999999999999999", 255, "9.07"}, Case{"0", 0, "0.00"}}) {
    Type(box, QString::fromLatin1(c.typed));
    EXPECT_EQ(key->GetFunction().p1, c.steps) << c.typed;
    EXPECT_EQ(box->text(), QString::fromLatin1(c.shown)) << c.typed;
  }
  // Letters and a minus sign do not get into the box.
  Type(box, "1");
  Type(box, "-2x");
  EXPECT_EQ(key->GetFunction().p1, 56);
  EXPECT_EQ(box->text(), "1.99");
  QTest::keyClick(box, Qt::Key_Down);
  EXPECT_EQ(key->GetFunction().p1, 55);
  EXPECT_TRUE(messages.Requests().empty());
}
