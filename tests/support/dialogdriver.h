#ifndef SELV_TESTS_SUPPORT_DIALOGDRIVER_H
#define SELV_TESTS_SUPPORT_DIALOGDRIVER_H

#include "support/waituntil.h"

#include <functional>

class QWidget;

// Drives a modal dialog that the code under test opens with exec().
//
// Arm the driver first, then run the code that opens the dialog:
//
//   bool ran = false;
//   DriveNextModal([&](QWidget* w) {
//     auto* dlg = qobject_cast<CZoneDlg*>(w);
//     ASSERT_NE(dlg, nullptr);
//     dlg->findChild<QLineEdit*>("name")->setText("Hall");
//     dlg->accept();
//     ran = true;
//   });
//   zone.ShowProperties();        // returns once the action has closed it
//   EXPECT_TRUE(ran);
//
// The action runs from the dialog's own event loop once the dialog is the
// active modal widget (QDialog, QMessageBox or any other modal window).
// Several drivers may be armed; they take the modal windows in order, each
// window at most once, so a dialog that opens a second one is driven by
// arming two actions.
//
// Nothing can hang: a driver whose dialog does not appear within timeoutMs
// fails the test and rejects whatever modal window is open; a dialog the
// action leaves open is rejected timeoutMs after the action returned, also
// with a failure; and a driver still armed when the test ends fails that
// test. The limit only catches a hang: an action may run as long as it
// needs, and the default is far beyond what a slow, loaded machine takes.
//
// Returns false (with a test failure) when there is no application object.
bool DriveNextModal(std::function<void(QWidget* dialog)> action, int timeoutMs = kHangLimitMs);

// Number of armed drivers whose dialog has not appeared yet.
int PendingModalDrivers();

// Disarms every driver; returns how many had not run. The test main calls it
// after each test.
int CancelModalDrivers();

#endif
