// The digital slot dialog driven through its controls: opened by the
// slot's properties command, boxes propose and clear names, OK creates,
// renames and deletes pads, Cancel leaves them alone.
#include "unit/ui/cdigitalslotdlg.h"

#include "support/dialogdriver.h"
#include "unit/ui/digitalslotdlgfixture.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class CDigitalSlotDlgTest : public DigitalSlotDlgFixture {
 protected:
  template <class T>
  static T* Child(QWidget* dlg, const QString& name) {
    T* child = dlg->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
  }
  static void Press(QWidget* dlg, QDialogButtonBox::StandardButton which) {
    auto* box = dlg->findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    box->button(which)->click();
  }
};

TEST_F(CDigitalSlotDlgTest, OpensFromTheSlotWithEveryTerminalEmpty) {
  EXPECT_TRUE(CBaseDevice::HasPropertiesHandler(DT_DIGITALSLOT));
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    ASSERT_NE(qobject_cast<CDigitalSlotDlg*>(w), nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Digital slot"));
    for (int pin = 0; pin < DigitalSlotDlgState::kTerminals; ++pin) {
      for (const char* side : {"input", "output"}) {
        const QString prefix = QLatin1String(side);
        const QString suffix = QString::number(pin);
        EXPECT_FALSE(Child<QLineEdit>(w, prefix + QStringLiteral("Name") + suffix)->isEnabled());
        EXPECT_FALSE(Child<QCheckBox>(w, prefix + QStringLiteral("Check") + suffix)->isChecked());
      }
    }
    Press(w, QDialogButtonBox::Cancel);
    ran = true;
  });
  EXPECT_FALSE(slot->ShowProperties());
  EXPECT_TRUE(ran);
}

TEST_F(CDigitalSlotDlgTest, TickedBoxesProposeNamesAndOkCreatesThePads) {
  DriveNextModal([&](QWidget* w) {
    Child<QCheckBox>(w, QStringLiteral("outputCheck0"))->click();
    auto* clock = Child<QLineEdit>(w, QStringLiteral("outputName0"));
    EXPECT_TRUE(clock->isEnabled());
    EXPECT_EQ(clock->text(), QStringLiteral("Slave clock"));
    EXPECT_EQ(clock->selectedText(), QStringLiteral("Slave clock"));
    Child<QCheckBox>(w, QStringLiteral("inputCheck2"))->click();
    EXPECT_EQ(Child<QLineEdit>(w, QStringLiteral("inputName2"))->text(), QStringLiteral("Input 3"));
    Press(w, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(slot->ShowProperties());
  ASSERT_NE(PadOnOutput(0), nullptr);
  EXPECT_EQ(PadOnOutput(0)->GetName(), QStringLiteral("Slave clock"));
  ASSERT_NE(PadOnInput(2), nullptr);
  EXPECT_EQ(PadOnInput(2)->GetName(), QStringLiteral("Input 3"));
  EXPECT_EQ(Pads(), 2);
}

TEST_F(CDigitalSlotDlgTest, TypingRenamesAnExistingPad) {
  CControlPad* pad = slot->CreatePad(-1, 5);
  DriveNextModal([&](QWidget* w) {
    auto* edit = Child<QLineEdit>(w, QStringLiteral("outputName5"));
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_EQ(edit->text(), QStringLiteral("Output6"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Siren"));
    Press(w, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(slot->ShowProperties());
  EXPECT_EQ(PadOnOutput(5), pad);
  EXPECT_EQ(pad->GetName(), QStringLiteral("Siren"));
}

TEST_F(CDigitalSlotDlgTest, ClearingABoxThenCancelKeepsThePad) {
  CControlPad* pad = slot->CreatePad(1, -1);
  DriveNextModal([&](QWidget* w) {
    Child<QCheckBox>(w, QStringLiteral("inputCheck1"))->click();
    EXPECT_TRUE(Child<QLineEdit>(w, QStringLiteral("inputName1"))->text().isEmpty());
    EXPECT_FALSE(Child<QLineEdit>(w, QStringLiteral("inputName1"))->isEnabled());
    Press(w, QDialogButtonBox::Cancel);
  });
  EXPECT_FALSE(slot->ShowProperties());
  EXPECT_EQ(PadOnInput(1), pad);
  EXPECT_EQ(Pads(), 1);
}

TEST_F(CDigitalSlotDlgTest, ClearingABoxThenOkDeletesThePadAndItsLink) {
  slot->CreatePad(1, -1);
  DriveNextModal([&](QWidget* w) {
    Child<QCheckBox>(w, QStringLiteral("inputCheck1"))->click();
    Press(w, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(slot->ShowProperties());
  EXPECT_EQ(slot->FindInputConnection(1), nullptr);
  EXPECT_EQ(Pads(), 0);
}

TEST_F(CDigitalSlotDlgTest, ABoxChangedWithoutAClickCountsAsWell) {
  DriveNextModal([&](QWidget* w) {
    auto* box = Child<QCheckBox>(w, QStringLiteral("inputCheck4"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(Child<QLineEdit>(w, QStringLiteral("inputName4"))->text(), QStringLiteral("Input 5"));
    // Ticked by a toggle that is not a click (an accessibility tool, a
    // shortcut): it counts the same.
    Child<QCheckBox>(w, QStringLiteral("inputCheck5"))->setChecked(true);
    EXPECT_EQ(Child<QLineEdit>(w, QStringLiteral("inputName5"))->text(), QStringLiteral("Input 6"));
    Press(w, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(slot->ShowProperties());
  ASSERT_NE(PadOnInput(4), nullptr);
  ASSERT_NE(PadOnInput(5), nullptr);
  EXPECT_EQ(PadOnInput(5)->GetName(), QStringLiteral("Input 6"));
  EXPECT_EQ(Pads(), 2);
}

}  // namespace
