// The line test properties dialog offscreen: the controls follow the
// switches, OK stores the edits in the zone-test object, Cancel stores
// nothing, and a project without zone-test settings gets a message instead
// of a dialog.
#include "macros/ui/clinetestdlg.h"
#include "macros/czonetestobject.h"
#include "macros/macrotestobjects.h"
#include "model/cselvantisdoc.h"
#include "support/dialogdriver.h"
#include "support/messagerecorder.h"
#include "support/tempprofile.h"
#include "unit/ccontrolpad.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTime>
#include <QTimeEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

class CLineTestDlgTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    zt = CZonetestObject::Find(&doc);
    ASSERT_NE(zt, nullptr);
    AddTestObject(doc, DT_CONSOLE, 1, "Desk");
    auto pad = std::make_unique<CControlPad>();
    ASSERT_TRUE(pad->Create(CControlPad::kKindDigitalOutput, 1, 1, "Relay", QRect(), CAT_ENTRIES, 0, 3, &doc));
    padId = doc.AddObject(std::move(pad))->GetID();
  }

  // Switches the line test on and sets time, console and output as a user
  // would, then presses the button.
  static void EditAndPress(QWidget* w, QDialogButtonBox::StandardButton button) {
    auto* dlg = qobject_cast<CLineTestDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->windowTitle(), "Line test properties");
    auto* line = dlg->findChild<QCheckBox*>("lineTest");
    auto* time = dlg->findChild<QTimeEdit*>("time");
    auto* consoles = dlg->findChild<QComboBox*>("lineConsoles");
    auto* impConsoles = dlg->findChild<QComboBox*>("impedanceConsoles");
    auto* output = dlg->findChild<QComboBox*>("output");
    auto* buttons = dlg->findChild<QDialogButtonBox*>("buttons");
    ASSERT_TRUE(line && time && consoles && impConsoles && output && buttons);
    EXPECT_FALSE(time->isEnabled());
    EXPECT_FALSE(consoles->isEnabled());
    EXPECT_FALSE(output->isEnabled());
    line->click();
    EXPECT_TRUE(time->isEnabled());
    EXPECT_TRUE(consoles->isEnabled());
    EXPECT_TRUE(output->isEnabled());
    EXPECT_FALSE(impConsoles->isEnabled());
    time->setTime(QTime(5, 45));
    ASSERT_EQ(consoles->count(), 3);
    consoles->setCurrentIndex(2);
    emit consoles->activated(2);
    ASSERT_EQ(output->count(), 2);
    output->setCurrentIndex(1);
    emit output->activated(1);
    buttons->button(button)->click();
  }

  TempProfile profile;
  MessageRecorder messages;
  CSelvantisDoc doc;
  CZonetestObject* zt = nullptr;
  int padId = 0;
};

TEST_F(CLineTestDlgTest, OkStoresTheEdits) {
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    EditAndPress(w, QDialogButtonBox::Ok);
    ran = true;
  });
  CLineTestDlg dlg(nullptr, &doc);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(ran);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_LINETEST), 1);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_TIME), 5 * 3600 + 45 * 60);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_LINE_CONS), 1);
  EXPECT_EQ(zt->GetOutputPadID(), padId);
  EXPECT_EQ(zt->StepLine(1, false), "/SERVICE/ZONETEST/TEST/TIME 05:45");
  EXPECT_TRUE(messages.Requests().empty());
}

TEST_F(CLineTestDlgTest, CancelStoresNothing) {
  doc.SetModifiedFlag(false);
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    EditAndPress(w, QDialogButtonBox::Cancel);
    ran = true;
  });
  CLineTestDlg dlg(nullptr, &doc);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(ran);
  for (int index : {1, 2, 3, 4, 5, 7, 8}) EXPECT_EQ(zt->GetParam(index), 0) << index;
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(CLineTestDlgTest, ShowsTheStoredSettings) {
  zt->SetParam(CZonetestObject::P_IMPTEST, 1);
  zt->SetParam(CZonetestObject::P_IMP_CONS, -1);
  zt->SetParam(CZonetestObject::P_OUTPUT, padId);
  bool ran = false;
  DriveNextModal([&](QWidget* w) {
    auto* impedance = w->findChild<QCheckBox*>("impedanceTest");
    auto* impConsoles = w->findChild<QComboBox*>("impedanceConsoles");
    auto* output = w->findChild<QComboBox*>("output");
    ASSERT_TRUE(impedance && impConsoles && output);
    EXPECT_TRUE(impedance->isChecked());
    EXPECT_FALSE(w->findChild<QCheckBox*>("lineTest")->isChecked());
    EXPECT_TRUE(impConsoles->isEnabled());
    EXPECT_EQ(impConsoles->currentIndex(), 1);
    EXPECT_TRUE(output->isEnabled());
    EXPECT_EQ(output->currentText(), "Relay");
    // The impedance test off: its console and the output go back to "OFF".
    impedance->click();
    EXPECT_EQ(impConsoles->currentIndex(), 0);
    EXPECT_EQ(output->currentIndex(), 0);
    EXPECT_FALSE(output->isEnabled());
    qobject_cast<CLineTestDlg*>(w)->accept();
    ran = true;
  });
  CLineTestDlg dlg(nullptr, &doc);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(ran);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_IMPTEST), 0);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_IMP_CONS), 0);
  EXPECT_EQ(zt->GetParam(CZonetestObject::P_OUTPUT), 0);
}

TEST_F(CLineTestDlgTest, WithoutZonetestObjectSaysSoAndOpensNothing) {
  ASSERT_TRUE(doc.DeleteObject(zt));
  // Should a dialog open after all, it is closed and the test fails.
  bool opened = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      opened = true;
      modal->reject();
    }
  });
  guard.start(2000);
  CLineTestDlg dlg(nullptr, &doc);
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_FALSE(opened);
  ASSERT_EQ(messages.Requests().size(), 1u);
  EXPECT_TRUE(messages.SawText("no zone test settings"));
  // exec() called directly takes the same way out.
  messages.Clear();
  CLineTestDlg direct(nullptr, &doc);
  EXPECT_EQ(direct.exec(), QDialog::Rejected);
  EXPECT_EQ(messages.Requests().size(), 1u);
}

}  // namespace
