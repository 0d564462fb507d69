// The power-supply dialog driven through its controls: opened by the power
// supply's own handler, OK writes, Cancel leaves the project alone.
#include "unit/ui/cpowersupplydlg.h"

#include "support/dialogdriver.h"
#include "unit/ui/powersupplydlgfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>

namespace {

class CPowerSupplyDlgTest : public PowerSupplyDlgFixture {
 protected:
  template <class T>
  static T* Child(QWidget* dlg, const char* name) {
    T* child = dlg->findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  static void Choose(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
  // Types one character that has no key of its own.
  static void TypeChar(QWidget* edit, const QString& character) {
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, character, Qt::NoModifier);
  }
  static void Press(QWidget* dlg, QDialogButtonBox::StandardButton which) {
    auto* box = dlg->findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    box->button(which)->click();
  }
};

TEST_F(CPowerSupplyDlgTest, OpensFromThePowerSupplyWithTheDefaults) {
  AddPad(CControlPad::kKindDigitalInput, "In1");
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    auto* dlg = qobject_cast<CPowerSupplyDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Power Supply"));
    EXPECT_EQ(Child<QComboBox>(w, "failInput")->currentText(), QStringLiteral("OFF"));
    EXPECT_EQ(Child<QComboBox>(w, "failInput")->count(), 2);
    EXPECT_EQ(Child<QComboBox>(w, "onOffOutput")->currentText(), QStringLiteral("OFF"));
    EXPECT_EQ(Child<QComboBox>(w, "extInput")->currentText(), QStringLiteral("OFF"));
    EXPECT_EQ(Child<QComboBox>(w, "console")->currentText(), QStringLiteral("OFF"));
    EXPECT_EQ(Child<QLineEdit>(w, "text")->text(), QStringLiteral("<Mains mode>"));
    EXPECT_EQ(Child<QTabBar>(w, "modeTabs")->count(), 2);
    EXPECT_FALSE(Child<QCheckBox>(w, "battery")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(w, "standby")->isEnabled());
    EXPECT_TRUE(Child<QRadioButton>(w, "uninterrupted")->isChecked());
    EXPECT_EQ(Child<QSlider>(w, "mainsPriority")->value(), 3);
    EXPECT_EQ(Child<QSlider>(w, "batteryPriority")->value(), 7);
    EXPECT_EQ(Child<QLineEdit>(w, "mainsPriorityValue")->text(), QStringLiteral("3"));
    EXPECT_EQ(Child<QLineEdit>(w, "batteryPriorityValue")->text(), QStringLiteral("7"));
    Press(w, QDialogButtonBox::Cancel);
    ran = true;
  });
  EXPECT_TRUE(ps->ShowProperties());
  EXPECT_TRUE(ran);
}

TEST_F(CPowerSupplyDlgTest, CancelLeavesPowerSupplyAndPowerManagementUnchanged) {
  const int pad = AddPad(CControlPad::kKindDigitalInput, "In1");
  pm->SetParam(CInternalPowerManagement::P_MAINS_PRIO, 75);
  DriveNextModal([&](QWidget* w) {
    Choose(Child<QComboBox>(w, "failInput"), 1);
    Choose(Child<QComboBox>(w, "console"), 1);
    Child<QCheckBox>(w, "battery")->click();
    Child<QSlider>(w, "mainsPriority")->setValue(1);
    Press(w, QDialogButtonBox::Cancel);
  });
  ps->ShowPowerSupplyDialog();
  EXPECT_EQ(ps->GetPowerSupplyParam(0), 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(3), 0);
  EXPECT_EQ(ps->GetPowerSupplyParam(13), 0);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_BATT_AVLBL), 0);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_MAINS_PRIO), 75);
  EXPECT_NE(pad, 0);
}

TEST_F(CPowerSupplyDlgTest, OkWritesWhatTheControlsShow) {
  const int fail = AddPad(CControlPad::kKindDigitalInput, "In1");
  const int out = AddPad(CControlPad::kKindDigitalOutput, "Out1");
  CConsole* desk = AddConsole("Desk");
  ASSERT_NE(desk, nullptr);
  DriveNextModal([&](QWidget* w) {
    Choose(Child<QComboBox>(w, "failInput"), 1);
    Choose(Child<QComboBox>(w, "onOffOutput"), 1);
    auto* text = Child<QLineEdit>(w, "text");
    text->selectAll();
    QTest::keyClicks(text, QStringLiteral("Mains 0123456789abcdef"));
    EXPECT_EQ(text->text(), QStringLiteral("Mains 0123456789"));
    text->selectAll();
    QTest::keyClicks(text, QStringLiteral("Mains "));
    TypeChar(text, QString::fromUtf8("\u20ac"));
    QTest::keyClicks(text, QStringLiteral(" "));
    TypeChar(text, QString::fromUtf8("\u00e4"));
    EXPECT_EQ(text->text(), QString::fromUtf8("Mains  \u00e4"));
    Choose(Child<QComboBox>(w, "console"), 2);
    // Standby on all consoles, default text.
    Child<QTabBar>(w, "modeTabs")->setCurrentIndex(1);
    EXPECT_EQ(text->text(), QStringLiteral("<System Standby>"));
    Choose(Child<QComboBox>(w, "console"), 1);
    Child<QCheckBox>(w, "battery")->click();
    EXPECT_EQ(Child<QTabBar>(w, "modeTabs")->count(), 3);
    EXPECT_TRUE(Child<QRadioButton>(w, "standby")->isEnabled());
    Child<QRadioButton>(w, "standby")->click();
    Child<QSlider>(w, "batteryPriority")->setValue(5);
    EXPECT_EQ(Child<QLineEdit>(w, "batteryPriorityValue")->text(), QStringLiteral("5"));
    Press(w, QDialogButtonBox::Ok);
  });
  ps->ShowProperties();
  EXPECT_EQ(ps->GetPowerSupplyParam(0), fail);
  EXPECT_EQ(ps->GetPowerSupplyParam(1), out);
  EXPECT_EQ(ps->GetPowerSupplyParam(3), 2);
  EXPECT_EQ(ps->GetPowerSupplyParam(9), desk->GetID());
  EXPECT_EQ(Text(6), QString::fromUtf8("Mains  \u00e4"));
  EXPECT_EQ(ps->GetPowerSupplyParam(5), 1);
  EXPECT_EQ(ps->GetPowerSupplyParam(11), 0);
  EXPECT_EQ(Text(8), QStringLiteral("<System Standby>"));
  EXPECT_EQ(ps->GetPowerSupplyParam(12), 1);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_DROP_SHUT), 1);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_MAINS_COND), ps->GetPowerSupplyParam(13));
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_BATT_PRIO), 50);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_MAINS_PRIO), 30);
}

TEST_F(CPowerSupplyDlgTest, ClearingBatteryOnItsTabShowsStandby) {
  pm->SetParam(CInternalPowerManagement::P_BATT_AVLBL, 1);
  DriveNextModal([&](QWidget* w) {
    auto* tabs = Child<QTabBar>(w, "modeTabs");
    ASSERT_EQ(tabs->count(), 3);
    tabs->setCurrentIndex(2);
    EXPECT_EQ(Child<QLineEdit>(w, "text")->text(), QStringLiteral("<Battery mode>"));
    Choose(Child<QComboBox>(w, "console"), 1);
    Child<QCheckBox>(w, "battery")->click();
    EXPECT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(Child<QLineEdit>(w, "text")->text(), QStringLiteral("<System Standby>"));
    EXPECT_FALSE(Child<QRadioButton>(w, "uninterrupted")->isEnabled());
    Press(w, QDialogButtonBox::Ok);
  });
  ps->ShowProperties();
  EXPECT_EQ(ps->GetPowerSupplyParam(4), 0);
  EXPECT_EQ(pm->GetParam(CInternalPowerManagement::P_BATT_AVLBL), 0);
}

TEST_F(CPowerSupplyDlgTest, DeletingThePowerSupplyClosesTheDialogWithoutWriting) {
  CPowerSupplyDlg dlg(*ps);
  dlg.show();
  ASSERT_TRUE(dlg.isVisible());
  doc.DeleteObject(ps);
  ps = nullptr;
  EXPECT_FALSE(dlg.isVisible());
  dlg.OnOK();  // must not touch the gone object
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

}  // namespace
