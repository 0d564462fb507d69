// The interface slot dialog driven through its controls: opened by the
// slot's properties command, boxes fill and clear the names, OK attaches,
// renames and deletes, Cancel leaves the project alone.
#include "unit/ui/cinterfaceslotdlg.h"

#include "model/commandids.h"
#include "support/dialogdriver.h"
#include "unit/caudioinputdevice.h"
#include "unit/ccontrolpad.h"
#include "unit/ui/interfaceslotdlgfixture.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <utility>

namespace {

class CInterfaceSlotDlgTest : public InterfaceSlotDlgFixture {
 protected:
  void SetUp() override {
    InterfaceSlotDlgFixture::SetUp();
    // The slot's own tests clear the hook; the dialog's is put back here.
    m_previous = CInterfaceSlot::SetPropertiesDialogHook(
        [](CInterfaceSlot& shown) { return CInterfaceSlotDlg::Run(shown, nullptr); });
  }
  void TearDown() override { CInterfaceSlot::SetPropertiesDialogHook(std::move(m_previous)); }

  template <class T>
  static T* Child(QWidget* dlg, const char* name) {
    T* child = dlg->findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  static void Press(QWidget* dlg, QDialogButtonBox::StandardButton which) {
    auto* box = dlg->findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    box->button(which)->click();
  }

  CInterfaceSlot::PropertiesDialogHook m_previous;
};

TEST_F(CInterfaceSlotDlgTest, OpensEmptyWithTheHiddenAndDisabledRows) {
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    ASSERT_NE(qobject_cast<CInterfaceSlotDlg*>(w), nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Interface"));
    for (const char* name : {"inputName0", "inputName1", "inputName2", "inputName3", "outputName0", "outputName1",
                             "outputName2", "outputName3"}) {
      EXPECT_FALSE(Child<QLineEdit>(w, name)->isEnabled()) << name;
      EXPECT_TRUE(Child<QLineEdit>(w, name)->text().isEmpty()) << name;
    }
    for (const char* name : {"inputCheck0", "inputCheck2", "inputCheck3", "outputCheck0", "outputCheck1"}) {
      EXPECT_FALSE(Child<QCheckBox>(w, name)->isChecked()) << name;
      EXPECT_TRUE(Child<QCheckBox>(w, name)->isVisible()) << name;
    }
    EXPECT_EQ(Child<QCheckBox>(w, "inputCheck0")->text(), QStringLiteral("PC"));
    EXPECT_FALSE(Child<QLineEdit>(w, "inputName0")->isVisible());
    EXPECT_FALSE(Child<QCheckBox>(w, "inputCheck1")->isVisible());
    EXPECT_FALSE(Child<QCheckBox>(w, "outputCheck2")->isEnabled());
    EXPECT_FALSE(Child<QCheckBox>(w, "outputCheck3")->isVisible());
    EXPECT_FALSE(Child<QRadioButton>(w, "power0")->isChecked());
    EXPECT_FALSE(Child<QRadioButton>(w, "power1")->isChecked());
    Press(w, QDialogButtonBox::Cancel);
    ran = true;
  });
  EXPECT_FALSE(slot->ShowProperties());
  EXPECT_TRUE(ran);
}

TEST_F(CInterfaceSlotDlgTest, TickingInp1FillsTheNameAndOkAttachesThePad) {
  DriveNextModal([&](QWidget* w) {
    Child<QCheckBox>(w, "inputCheck2")->click();
    auto* edit = Child<QLineEdit>(w, "inputName2");
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_EQ(edit->text(), QStringLiteral("INP1"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("INP1"));
    Press(w, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(slot->ShowProperties());
  auto* pad = dynamic_cast<CControlPad*>(AtInput(CInterfaceSlot::IN_INP1));
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(pad->GetKind(), CControlPad::kKindInterfaceInput);
  EXPECT_EQ(pad->GetName(), QStringLiteral("INP1"));
}

TEST_F(CInterfaceSlotDlgTest, TheTypedNameIsTaken) {
  DriveNextModal([&](QWidget* w) {
    Child<QCheckBox>(w, "outputCheck0")->click();
    auto* edit = Child<QLineEdit>(w, "outputName0");
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Ready relay"));
    Press(w, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(slot->ShowProperties());
  ASSERT_NE(AtOutput(CInterfaceSlot::OUT_READY), nullptr);
  EXPECT_EQ(AtOutput(CInterfaceSlot::OUT_READY)->GetName(), QStringLiteral("Ready relay"));
}

TEST_F(CInterfaceSlotDlgTest, OpeningShowsTheAttachedObjectsAndOkAloneChangesNothing) {
  CBaseDevice* ready = AttachOutput(CInterfaceSlot::ID_READY, CInterfaceSlot::OUT_READY);
  ready->SetName(QStringLiteral("Ready"));
  AttachInput(CInterfaceSlot::ID_RTP3012, CInterfaceSlot::IN_POWER);
  DriveNextModal([&](QWidget* w) {
    EXPECT_TRUE(Child<QCheckBox>(w, "outputCheck0")->isChecked());
    EXPECT_TRUE(Child<QLineEdit>(w, "outputName0")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>(w, "outputName0")->text(), QStringLiteral("Ready"));
    EXPECT_TRUE(Child<QRadioButton>(w, "power1")->isChecked());
    Press(w, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(slot->ShowProperties());
  EXPECT_EQ(AtOutput(CInterfaceSlot::OUT_READY), ready);
  EXPECT_EQ(ready->GetName(), QStringLiteral("Ready"));
  EXPECT_EQ(Count(DT_AUDIOINPUTDEVICE), 1);
}

TEST_F(CInterfaceSlotDlgTest, ClearingABoxEmptiesAndDisablesTheNameButCancelKeepsTheObject) {
  CBaseDevice* ready = AttachOutput(CInterfaceSlot::ID_READY, CInterfaceSlot::OUT_READY);
  DriveNextModal([&](QWidget* w) {
    Child<QCheckBox>(w, "outputCheck0")->click();
    EXPECT_TRUE(Child<QLineEdit>(w, "outputName0")->text().isEmpty());
    EXPECT_FALSE(Child<QLineEdit>(w, "outputName0")->isEnabled());
    Press(w, QDialogButtonBox::Cancel);
  });
  EXPECT_FALSE(slot->ShowProperties());
  EXPECT_EQ(AtOutput(CInterfaceSlot::OUT_READY), ready);
  EXPECT_EQ(Count(DT_CONTROLPAD), 1);
}

TEST_F(CInterfaceSlotDlgTest, ClearingABoxAndOkDeletesTheObject) {
  AttachInput(CInterfaceSlot::ID_PC, CInterfaceSlot::IN_RS232);
  DriveNextModal([&](QWidget* w) {
    EXPECT_TRUE(Child<QCheckBox>(w, "inputCheck0")->isChecked());
    Child<QCheckBox>(w, "inputCheck0")->click();
    Press(w, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(slot->ShowProperties());
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_RS232), nullptr);
  EXPECT_EQ(Count(DT_AUDIOINPUTDEVICE), 0);
}

TEST_F(CInterfaceSlotDlgTest, TheSecondModelChangesTheAttachedSupply) {
  CBaseDevice* supply = AttachInput(CInterfaceSlot::ID_RTP3004, CInterfaceSlot::IN_POWER);
  DriveNextModal([&](QWidget* w) {
    EXPECT_TRUE(Child<QRadioButton>(w, "power0")->isChecked());
    Child<QRadioButton>(w, "power1")->click();
    Press(w, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(slot->ShowProperties());
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_POWER), supply);
  EXPECT_EQ(supply->GetKind(), CAudioInputDevice::kKindRTP3012);
  EXPECT_EQ(Count(DT_AUDIOINPUTDEVICE), 1);
}

TEST_F(CInterfaceSlotDlgTest, AModelChosenWithoutSupplyIsCreatedOnceTheDialogHasClosed) {
  DriveNextModal([&](QWidget* w) {
    Child<QRadioButton>(w, "power0")->click();
    Press(w, QDialogButtonBox::Ok);
  });
  EXPECT_TRUE(slot->ShowProperties());
  CBaseDevice* supply = AtInput(CInterfaceSlot::IN_POWER);
  ASSERT_NE(supply, nullptr);
  EXPECT_EQ(supply->GetKind(), CAudioInputDevice::kKindRTP3004);
}

TEST_F(CInterfaceSlotDlgTest, CancelCreatesNoSupply) {
  DriveNextModal([&](QWidget* w) {
    Child<QRadioButton>(w, "power1")->click();
    Child<QCheckBox>(w, "inputCheck3")->click();
    Press(w, QDialogButtonBox::Cancel);
  });
  EXPECT_FALSE(slot->ShowProperties());
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_POWER), nullptr);
  EXPECT_EQ(AtInput(CInterfaceSlot::IN_INP2), nullptr);
}

}  // namespace
